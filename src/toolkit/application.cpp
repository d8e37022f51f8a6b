#include "toolkit/application.h"

#include <QApplication>

#include "platform/process_events.h"
#include "toolkit/window_thread.h"

namespace toolkit {

Application::Application(int& argc, char** argv)
    : app_(std::make_unique<QApplication>(argc, argv)) {
    QApplication::setQuitOnLastWindowClosed(false);  // the program lives in the tray
    platform::SetProcessEventsHook(&ProcessEvents);
}

Application::~Application() {
    End(0);
    platform::SetProcessEventsHook(nullptr);
}

int Application::Run() {
    if (ending_) return 0;
    return QApplication::exec();
}

void Application::SetEndRoutine(std::function<void()> routine) { end_routine_ = std::move(routine); }

void Application::End(int exit_code) {
    if (ending_) return;
    ending_ = true;
    CloseWindowThread();
    if (end_routine_) end_routine_();
    QApplication::exit(exit_code);
}

}  // namespace toolkit

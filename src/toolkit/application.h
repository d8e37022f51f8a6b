#pragma once

#include <functional>
#include <memory>

class QApplication;

namespace toolkit {

// The one application object: owns the window thread's event loop, installs the network
// layer's process-events hook for the window thread, and ends the program.
class Application {
public:
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the window message loop until End is called; gives the exit code.
    int Run();

    // Registers the routine that runs however the program ends (once, before windows go).
    void SetEndRoutine(std::function<void()> routine);

    // Ends the program with the exit code: the end routine runs once, worker threads can no
    // longer reach the windows, and the message loop stops. A repeated call does nothing.
    void End(int exit_code);
    bool Ending() const { return ending_; }

private:
    std::unique_ptr<QApplication> app_;
    std::function<void()> end_routine_;
    bool ending_ = false;
};

}  // namespace toolkit

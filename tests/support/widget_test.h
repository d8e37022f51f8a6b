#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <chrono>

#include "toolkit/application.h"

namespace testsupport {

// The application object of the widget suites.
toolkit::Application& App();

// Runs the window thread's events until `condition` holds or the time is up; gives the
// condition's last value. Tests wait with this, never with a sleep.
template <typename Condition>
bool RunEventsUntil(Condition condition,
                    std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeout.count()) return condition();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

}  // namespace testsupport

#include "toolkit/timer.h"

#include <QTimer>

#include "toolkit/window_thread.h"

namespace toolkit {

Timer::Timer() {
    RunOnWindowThread([&] {
        timer_ = std::make_unique<QTimer>();
        QObject::connect(timer_.get(), &QTimer::timeout, timer_.get(), [this] {
            if (on_tick) on_tick();
        });
    });
}

Timer::~Timer() {
    RunOnWindowThread([&] { timer_.reset(); });
}

int Timer::Period() const {
    return CallOnWindowThread([&] { return period_; });
}

void Timer::SetPeriod(int milliseconds) {
    RunOnWindowThread([&] {
        period_ = milliseconds < 0 ? 0 : milliseconds;
        if (period_ == 0) {
            timer_->stop();
        } else {
            timer_->start(period_);
        }
    });
}

bool Timer::Running() const {
    return CallOnWindowThread([&] { return timer_->isActive(); });
}

}  // namespace toolkit

#pragma once

#include <functional>
#include <memory>

class QTimer;

namespace toolkit {

// A repeating timer on the window thread. A period of 0 stops it; setting a period
// (the same one too) starts counting afresh.
class Timer {
public:
    Timer();
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    std::function<void()> on_tick;

    int Period() const;
    void SetPeriod(int milliseconds);
    bool Running() const;

private:
    std::unique_ptr<QTimer> timer_;
    int period_ = 0;
};

}  // namespace toolkit

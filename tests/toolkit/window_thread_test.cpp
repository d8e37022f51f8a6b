#include "toolkit/window_thread.h"

#include <gtest/gtest.h>

#include <QThread>
#include <atomic>
#include <thread>

#include "support/widget_test.h"
#include "toolkit/edit_box.h"
#include "toolkit/window.h"

namespace {

using testsupport::RunEventsUntil;

TEST(WindowThread, WorkerCallsRunOnTheWindowThreadAndCompleteFirst) {
    toolkit::Window window(toolkit::WindowStyle{});
    toolkit::EditBox box(window.widget());
    QThread* window_thread = QThread::currentThread();
    std::atomic<bool> ran_on_window_thread{false};
    std::atomic<bool> done{false};
    std::string seen;
    std::thread worker([&] {
        toolkit::RunOnWindowThread([&] { ran_on_window_thread = QThread::currentThread() == window_thread; });
        box.SetText("永定门");
        seen = box.Text();  // the write above is complete before this read
        done = true;
    });
    ASSERT_TRUE(RunEventsUntil([&] { return done.load(); }));
    worker.join();
    EXPECT_TRUE(ran_on_window_thread);
    EXPECT_EQ(seen, "永定门");
}

TEST(WindowThread, CallOnWindowThreadGivesTheResult) {
    std::atomic<int> result{0};
    std::thread worker([&] { result = toolkit::CallOnWindowThread([] { return 42; }); });
    ASSERT_TRUE(RunEventsUntil([&] { return result.load() != 0; }));
    worker.join();
    EXPECT_EQ(result, 42);
}

}  // namespace

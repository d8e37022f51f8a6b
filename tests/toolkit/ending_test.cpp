// Ending the program while a worker thread still uses the toolkit. A suite of its own: once
// the application has ended, no other widget test could run in this process.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/widget_test.h"
#include "toolkit/edit_box.h"
#include "toolkit/window.h"
#include "toolkit/window_thread.h"

namespace {

using testsupport::RunEventsUntil;

TEST(Ending, WorkersNeitherHangNorReachWindowsAfterTheEnd) {
    toolkit::Window window(toolkit::WindowStyle{});
    toolkit::EditBox box(window.widget());
    int end_routine_runs = 0;
    testsupport::App().SetEndRoutine([&] { ++end_routine_runs; });

    std::atomic<int> calls{0};
    std::atomic<bool> refused{false};
    std::thread worker([&] {
        // Keeps writing until a call is refused: that is the end reaching it.
        while (toolkit::RunOnWindowThread([&] { box.SetText("x"); })) ++calls;
        refused = true;
    });
    ASSERT_TRUE(RunEventsUntil([&] { return calls.load() > 10; }));
    EXPECT_FALSE(toolkit::WindowThreadClosed());

    testsupport::App().End(0);
    EXPECT_TRUE(toolkit::WindowThreadClosed());  // work on the window thread stops early
    testsupport::App().End(0);  // a repeated request to end is harmless
    EXPECT_EQ(end_routine_runs, 1);
    EXPECT_TRUE(testsupport::App().Ending());

    // The worker is released even though nobody runs the window thread's events any more.
    worker.join();
    EXPECT_TRUE(refused);
    testsupport::App().SetEndRoutine(nullptr);
}

}  // namespace

// The main window's end: the tray icon goes and the program ends with exit code 0. A suite of
// its own, since an ended application cannot run another widget test.
#include <gtest/gtest.h>

#include <QTimer>

#include "app/program.h"
#include "support/maker_site.h"
#include "support/temp_dir.h"
#include "support/widget_test.h"
#include "toolkit/notify_icon.h"

namespace {

TEST(DestroyEnding, DestroyingTheMainWindowRemovesTheIconAndEndsWithZero) {
    testsupport::TempDir dir;
    app::ProgramSetup setup;
    setup.program_directory = dir.gbk();
    testsupport::MakerSite maker_site;
    setup.addresses = maker_site.Addresses();
    setup.answer_questions = [](const std::string&, const std::string&) { return false; };
    app::Program program(testsupport::App(), setup);
    program.Start();
    const toolkit::WindowHandle main = program.main_window().window.Handle();
    ASSERT_TRUE(toolkit::NotifyIconStateOf(main, 1).exists);

    QTimer::singleShot(0, [&] { program.main_window().window.Destroy(); });
    QTimer::singleShot(5000, [] { testsupport::App().End(99); });  // a hang fails, not blocks
    EXPECT_EQ(testsupport::App().Run(), 0);

    EXPECT_FALSE(toolkit::NotifyIconStateOf(main, 1).exists);
    const auto calls = toolkit::NotifyIconCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().message, toolkit::kNimDelete);
    EXPECT_TRUE(calls.back().succeeded);
    // The end routine released the shared state, the tray record with it.
    EXPECT_EQ(program.state().tray.tray_icon_data.cbSize, 0u);
    EXPECT_FALSE(program.state().tray.previous_window_proc);
}

}  // namespace

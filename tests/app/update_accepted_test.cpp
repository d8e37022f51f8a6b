// Accepting a newer version at start-up ends the program. A suite of its own: once the
// application has ended, no other widget test could run in this process.
#include <gtest/gtest.h>

#include "toolkit/notify_icon.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include "app/program.h"
#include "support/maker_site.h"
#include "support/temp_dir.h"
#include "support/widget_test.h"

namespace {

TEST(UpdateAccepted, OpensTheDownloadPageAndEndsBeforeAnythingElseStarts) {
    testsupport::TempDir dir;
    testsupport::MakerSite site;
    site.SetConfigPage("A:visitim { time: 30 }\r\nA:visited { color: 2.0 }\r\n");
    app::ProgramSetup setup;
    setup.program_directory = dir.gbk();
    setup.addresses = site.Addresses();
    app::Program program(testsupport::App(), setup);
    program.message_box().answerer = [](const std::string&, const std::string&) { return true; };
    std::vector<std::string> opened;
    program.shell().opener = [&](const std::string& address) { opened.push_back(address); };

    // Were the message loop to run, this would say so and stop it. (Events also run while a
    // page is awaited, outside any loop.)
    bool loop_ran = false;
    QTimer loop_watch;
    QObject::connect(&loop_watch, &QTimer::timeout, [&] {
        if (QThread::currentThread()->loopLevel() == 0) return;
        loop_ran = true;
        QCoreApplication::exit(1);
    });
    loop_watch.start(0);
    EXPECT_EQ(program.ProgramStart(), 0);
    EXPECT_FALSE(loop_ran);
    EXPECT_TRUE(testsupport::App().Ending());
    EXPECT_EQ(opened, std::vector<std::string>{site.Url("/download.html")});

    // None of the later start-up steps ran, and the window never came up.
    app::MainWindow& w = program.main_window();
    EXPECT_FALSE(w.window.Visible());
    EXPECT_EQ(w.状态条1.PaneCount(), 0);
    // Before the tray icon and the floating window: neither exists.
    EXPECT_FALSE(toolkit::NotifyIconStateOf(w.window.Handle(), 1).exists);
    EXPECT_FALSE(program.state().tray.previous_window_proc);
    EXPECT_FALSE(program.float_window().window.Loaded());
    EXPECT_EQ(w.组合框1.Count(), 0);
    EXPECT_FALSE(w.画板1.Visible());
    EXPECT_EQ(site.Targets(), std::vector<std::string>{"/config.css"});
}

}  // namespace

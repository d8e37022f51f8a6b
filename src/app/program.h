#pragma once

#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/shared_state.h"
#include "catalogue/catalogue_download.h"
#include "catalogue/city_selection.h"
#include "catalogue/city_split.h"
#include "catalogue/freshness.h"
#include "catalogue/date_time.h"
#include "catalogue/store_paths.h"
#include "desktop/float_window.h"
#include "desktop/notices.h"
#include "desktop/tray_icon.h"
#include "desktop/news_strip.h"
#include "net/remote_sites.h"
#include "query/category_pickers.h"
#include "query/query_launcher.h"
#include "query/result_page.h"
#include "query/result_window.h"
#include "toolkit/message_box.h"
#include "toolkit/shell_open.h"

namespace toolkit {
class Application;
}

namespace app {

// Where the program finds its files, its sites and the time. The real program takes the
// defaults; tests hand in their own directory, addresses and clock.
struct ProgramSetup {
    std::string program_directory = catalogue::ProgramDirectory();
    std::string result_page_path = query::ResultPagePath();
    net::RemoteAddresses addresses = net::BuiltInRemoteAddresses();
    catalogue::Clock clock = catalogue::CurrentLocalTime;
    // Answers the Yes/No questions without a dialog; empty: the user answers them.
    toolkit::MessageBox::Answerer answer_questions;
};

// The program's frame: shared state, the main window and its start-up sequence, the end.
class Program {
public:
    Program(toolkit::Application& application, ProgramSetup setup);
    ~Program();

    // Creates the shared state, registers its release as the end routine, creates the main
    // window (whose created event runs the start-up sequence) and runs the message loop
    // until the program ends. Gives the exit code 0.
    int ProgramStart();

    // ProgramStart without the message loop (tests drive the events themselves).
    void Start();

    MainWindow& main_window() { return *main_window_; }
    SharedState& state() { return *state_; }
    catalogue::CitySelection& city_selection() { return *city_selection_; }
    query::ResultWindow& result_window() { return *result_window_; }
    query::QueryLauncher& query_launcher() { return *query_launcher_; }
    query::ResultPage& result_page() { return *result_page_; }
    desktop::TrayIcon& tray_icon() { return *tray_icon_; }
    desktop::Notices& notices() { return *notices_; }
    desktop::FloatWindow& float_window() { return *float_window_; }
    desktop::NewsStrip& news_strip() { return *news_strip_; }
    // The question and the shell the program uses; tests set their seams before Start.
    toolkit::MessageBox& message_box() { return message_box_; }
    toolkit::Shell& shell() { return shell_; }
    catalogue::CatalogueDownload& catalogue_download() { return *catalogue_download_; }
    catalogue::CitySplit& city_split() { return *city_split_; }

private:
    void CreateSharedState();
    void ReleaseSharedState();
    void PrepareMainWindow();
    void GivePromptEntries();
    void InitQueryLock();
    void AddStatusPanes();
    void BindCitySelection();
    void BindQueries();
    void CreateDesktopPresence();
    void ShowWelcomeNotice();
    void BindNewsStrip();
    void BindCatalogueUpdate();
    void ShowNotice(const std::string& title, const std::string& text, int icon_kind,
                    int delay_ms, bool clear);
    void EndProgram();

    toolkit::Application& application_;
    ProgramSetup setup_;
    toolkit::MessageBox message_box_;
    toolkit::Shell shell_;
    std::unique_ptr<SharedState> state_;
    std::unique_ptr<MainWindow> main_window_;
    std::unique_ptr<catalogue::CitySelection> city_selection_;
    std::unique_ptr<query::ResultPage> result_page_;
    std::unique_ptr<query::ResultWindow> result_window_;
    std::unique_ptr<query::QueryLauncher> query_launcher_;
    std::unique_ptr<query::CategoryPickers> pickers_;
    std::unique_ptr<desktop::TrayIcon> tray_icon_;
    std::unique_ptr<desktop::Notices> notices_;
    std::unique_ptr<desktop::FloatWindow> float_window_;
    std::unique_ptr<desktop::NewsStrip> news_strip_;
    std::unique_ptr<catalogue::CitySplit> city_split_;
    std::unique_ptr<catalogue::CatalogueDownload> catalogue_download_;
    std::unique_ptr<catalogue::Freshness> freshness_;
};

}  // namespace app

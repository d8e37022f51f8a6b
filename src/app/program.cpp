#include "app/program.h"

#include "app/remote_config.h"
#include <functional>

#include "catalogue/store_paths.h"
#include "toolkit/application.h"

namespace app {

Program::Program(toolkit::Application& application, ProgramSetup setup)
    : application_(application), setup_(std::move(setup)) {}

Program::~Program() {
    application_.SetEndRoutine(nullptr);  // the routine would reach into this object
}

int Program::ProgramStart() {
    Start();
    application_.Run();
    return 0;
}

void Program::Start() {
    CreateSharedState();
    application_.SetEndRoutine([this] { ReleaseSharedState(); });
    main_window_ = std::make_unique<MainWindow>([this] { EndProgram(); });
    CreateDesktopPresence();
    tray_icon_->RegisterTaskbarMessage();
    BindCitySelection();
    BindQueries();
    BindNewsStrip();
    BindCatalogueUpdate();
    main_window_->Load([this] { PrepareMainWindow(); });
}

void Program::CreateSharedState() { state_ = std::make_unique<SharedState>(); }

// The state object itself stays until the process ends: detached workers may still hold it.
void Program::ReleaseSharedState() { state_->Release(); }

void Program::EndProgram() { application_.End(0); }

void Program::CreateDesktopPresence() {
    MainWindow& w = *main_window_;
    tray_icon_ = std::make_unique<desktop::TrayIcon>(state_->tray, w.window, w.菜单,
                                                     [this] { EndProgram(); });
    notices_ = std::make_unique<desktop::Notices>(state_->tray);
    float_window_ = std::make_unique<desktop::FloatWindow>(
        w.window, desktop::MainWindowActions{
                      [&w] { w.ShowMainWindow(); },
                      [&w] { w.HideMainWindow(); },
                      [&w](int page) { w.OpenTabPage(page); },
                      [&w] { w.ShowFloatWindow(); },
                      [&w] { w.HideFloatWindow(); },
                      [this] { EndProgram(); },
                  });
    w.SetFloatWindow(float_window_.get());
}

void Program::BindCitySelection() {
    MainWindow& w = *main_window_;
    city_selection_ = std::make_unique<catalogue::CitySelection>(
        catalogue::CitySelectionControls{w.组合框_省, w.组合框_市, w.组合框1, w.组合框3, w.组合框5,
                                         w.组合框7},
        state_->city_lists, state_->city_record, setup_.program_directory);
    w.组合框_省.on_entry_chosen = [this] { city_selection_->ShowProvinceCities(); };
    w.组合框_市.on_entry_chosen = [this] { city_selection_->LoadChosenCity(); };
    w.设置城市.on_click = [this] { city_selection_->SaveCityChoice(); };
}

void Program::BindQueries() {
    MainWindow& w = *main_window_;
    result_page_ = std::make_unique<query::ResultPage>(setup_.result_page_path);
    result_window_ = std::make_unique<query::ResultWindow>(
        query::TransferInputs{w.编辑框1, w.编辑框2, w.组合框1, w.组合框3}, state_->city_record,
        *result_page_);
    result_page_->SetNavigator(
        [this](const std::string& path) { result_window_->互联网浏览器1.Navigate(path); });
    query_launcher_ = std::make_unique<query::QueryLauncher>(
        query::QueryInputs{w.组合框_省, w.组合框_市, w.编辑框1, w.编辑框2, w.编辑框3, w.编辑框4},
        *result_window_, w.window, state_->city_record, *result_page_, state_->query_lock);
    w.换乘查询.on_click = [this] { query_launcher_->LaunchQuery(query::QueryKind::Transfer); };
    w.线路查询.on_click = [this] { query_launcher_->LaunchQuery(query::QueryKind::Line); };
    w.站点查询.on_click = [this] { query_launcher_->LaunchQuery(query::QueryKind::Station); };
    pickers_ = std::make_unique<query::CategoryPickers>(
        query::PickerControls{w.组合框1, w.组合框2, w.组合框3, w.组合框4, w.组合框5, w.组合框6,
                              w.组合框7, w.组合框8, w.编辑框1, w.编辑框2, w.编辑框3, w.编辑框4,
                              w.状态条1},
        state_->city_record);
    pickers_->Bind();
}

void Program::BindNewsStrip() {
    MainWindow& w = *main_window_;
    news_strip_ = std::make_unique<desktop::NewsStrip>(
        desktop::NewsStripControls{w.画板1, w.标签11, w.消息显示时钟, w.消息滑动时钟, w.消息等待时钟},
        desktop::NewsItems{state_->news_interval, state_->news_titles, state_->news_links,
                           state_->news_index},
        setup_.addresses.news_page, shell_);
    news_strip_->Bind();
}

void Program::BindCatalogueUpdate() {
    MainWindow& w = *main_window_;
    if (setup_.answer_questions) message_box_.answerer = setup_.answer_questions;
    const catalogue::UpdateControls controls{w.window, w.高级选择夹1, w.状态条1, w.组合框9,
                                             w.组合框10};
    const auto show_notice = std::bind_front(&Program::ShowNotice, this);
    city_split_ = std::make_unique<catalogue::CitySplit>(
        controls, setup_.program_directory, setup_.clock, show_notice,
        catalogue::SplitSteps{[this] { catalogue_download_->CollectProvinceCities(); },
                              [this] { city_selection_->RebuildCityLists(); },
                              [this] { freshness_->CheckFreshness(); }});
    catalogue_download_ = std::make_unique<catalogue::CatalogueDownload>(
        controls, setup_.addresses, setup_.program_directory, show_notice, *city_split_);
    freshness_ = std::make_unique<catalogue::Freshness>(
        catalogue::FreshnessControls{w.window, w.状态条1, w.更新, message_box_},
        setup_.program_directory, setup_.clock, state_->first_run_update_started,
        [this] { catalogue_download_->DownloadCatalogue(); });
    w.更新.on_click = [this] { catalogue_download_->DownloadCatalogue(); };
}

void Program::ShowNotice(const std::string& title, const std::string& text, int icon_kind,
                         int delay_ms, bool clear) {
    notices_->ShowNotice(title, text, icon_kind, delay_ms, clear);
}

void Program::PrepareMainWindow() {
    MainWindow& w = *main_window_;
    CheckRemoteConfig({setup_.addresses.config_page, setup_.addresses.download_page,
                       state_->news_interval, message_box_, shell_, [this] { EndProgram(); }});
    if (application_.Ending()) {  // the newer version was taken: nothing more starts
        w.window.SetVisible(false);
        return;
    }
    tray_icon_->CreateTrayIcon(w.window.Handle(),
                               [this](std::intptr_t mouse) { tray_icon_->OnTrayMouse(mouse); });
    ShowWelcomeNotice();
    float_window_->window.Load();
    state_->settings_path = catalogue::SettingsPath(setup_.program_directory);
    GivePromptEntries();
    city_selection_->RebuildCityLists();
    InitQueryLock();
    AddStatusPanes();
    const bool update_started = freshness_->CheckFirstRun() || freshness_->CheckFreshness();
    if (!update_started) {
        w.window.SetState(toolkit::WindowState::Minimised);
        w.window.SetVisible(false);
    }
    news_strip_->LoadNews();
}

void Program::ShowWelcomeNotice() {
    notices_->ShowNotice("欢迎", "欢迎使用《Kelvane》\r\n如有问题请到我的博客留言，谢谢！",
                         static_cast<int>(toolkit::kNiifInfo), 3000, true);
}

void Program::GivePromptEntries() {
    MainWindow& w = *main_window_;
    struct Prompt {
        toolkit::PickList& list;
        const char* text;
    };
    const Prompt prompts[] = {
        {w.组合框1, "选择起点分类"}, {w.组合框2, "请选择起点名称"},
        {w.组合框3, "选择起点分类"}, {w.组合框4, "请选择起点名称"},
        {w.组合框5, "选择线路种类"}, {w.组合框6, "选择线路名称"},
        {w.组合框7, "选择站点种类"}, {w.组合框8, "选择站点名称"},
    };
    for (const Prompt& prompt : prompts) prompt.list.AddEntry(prompt.text);
    for (const Prompt& prompt : prompts) prompt.list.SetCurrentIndex(0);
}

void Program::InitQueryLock() { state_->query_lock_ready = true; }

void Program::AddStatusPanes() {
    MainWindow& w = *main_window_;
    const int half = w.window.Width() / 2;
    w.状态条1.AddPane("完成", half);
    w.状态条1.AddPane("完成", half);
}

}  // namespace app

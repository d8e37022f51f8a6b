#pragma once

#include <memory>
#include <string>

#include "app/program.h"
#include "support/maker_site.h"
#include "support/recording_server.h"
#include "support/temp_dir.h"
#include "support/widget_test.h"

namespace testsupport {

// A started program in a fresh program directory whose current city lives on a loopback
// test server (cid 11, host beijing.localhost:PORT).
class ProgramOnServer : public ::testing::Test {
protected:
    ProgramOnServer() {
        app::ProgramSetup setup;
        setup.program_directory = dir_.gbk();
        setup.result_page_path = dir_.gbk() + "/tmp.html";
        setup.addresses = maker_site_.Addresses();
        setup.answer_questions = [](const std::string&, const std::string&) { return false; };
        program_ = std::make_unique<app::Program>(App(), setup);
        program_->Start();
        program_->state().city_record.Replace(
            {"11", "beijing", "北京", ".localhost:" + std::to_string(server_.port()), "", ""});
    }
    ~ProgramOnServer() override {
        // Workers are detached; let them finish before the objects they use go.
        RunEventsUntil([&] { return program_->query_launcher().RunningWorkers() == 0; });
    }

    app::MainWindow& w() { return program_->main_window(); }

    TempDir dir_;
    MakerSite maker_site_;
    RecordingServer server_;
    std::unique_ptr<app::Program> program_;
};

}  // namespace testsupport

// Category pickers on a real main window against a loopback server.
#include <gtest/gtest.h>

#include <QTimer>
#include <condition_variable>
#include <map>

#include "program_on_server.h"
#include "toolkit/colours.h"

namespace {

using testsupport::RecordedRequest;
using testsupport::Reply;

class PickersTest : public testsupport::ProgramOnServer {
protected:
    PickersTest() {
        server_.SetHandler([this](const RecordedRequest& request) {
            Reply reply;
            reply.content_type = "text/plain";
            std::lock_guard lock(answers_mutex_);
            const auto answer = answers_.find(request.target);
            reply.body = answer != answers_.end() ? answer->second : "";
            return reply;
        });
    }

    void Answer(const std::string& target, const std::string& body) {
        std::lock_guard lock(answers_mutex_);
        answers_[target] = body;
    }
    std::vector<std::string> Entries(const toolkit::PickList& list) {
        std::vector<std::string> texts;
        for (int i = 0; i < list.Count(); ++i) texts.push_back(list.EntryText(i));
        return texts;
    }
    std::string LastTarget() { return server_.Requests().back().target; }
    std::string Progress() { return w().状态条1.PaneText(1); }
    std::mutex answers_mutex_;
    std::map<std::string, std::string> answers_;
};

TEST_F(PickersTest, StopCategoriesAreAskedByTheirPlaceInTyStat) {
    w().组合框1.ChooseEntry(0);  // the prompt
    EXPECT_EQ(LastTarget(), "/city1.php?t=11/p0");
    w().组合框7.AddEntry("c", 3);  // shown third, after an empty place in ty_stat
    w().组合框7.ChooseEntry(1);
    EXPECT_EQ(LastTarget(), "/city1.php?t=11/p3");
}

TEST_F(PickersTest, LineCategoriesAreAskedByTheirIndex) {
    w().组合框5.AddEntry("市区线路");
    w().组合框5.AddEntry("郊区线路");
    w().组合框5.ChooseEntry(2);
    EXPECT_EQ(LastTarget(), "/city1.php?t=11/pp2");
    w().组合框5.ChooseEntry(0);
    EXPECT_EQ(LastTarget(), "/city1.php?t=11/pp0");
}

TEST_F(PickersTest, StopNamesKeepTheirBlanksLineNamesAreTrimmed) {
    Answer("/city1.php?t=11/p0", " 永定门, ,天安门 ");
    Answer("/city1.php?t=11/pp0", " 1路, ,11路 ");
    w().组合框1.ChooseEntry(0);
    EXPECT_EQ(Entries(w().组合框2), (std::vector<std::string>{"请选择起点名称", " 永定门", "天安门 "}));
    EXPECT_EQ(w().组合框2.CurrentIndex(), 0);
    EXPECT_EQ(Progress(), "数据查询完成");
    w().组合框5.ChooseEntry(0);
    EXPECT_EQ(Entries(w().组合框6), (std::vector<std::string>{"选择线路名称", "1路", "11路"}));
}

TEST_F(PickersTest, FailedAndBlankAnswers) {
    w().组合框7.ChooseEntry(0);  // nothing answered: empty body
    EXPECT_EQ(Entries(w().组合框8), std::vector<std::string>{"选择站点名称"});
    EXPECT_EQ(Progress(), "数据查询失败！");
    Answer("/city1.php?t=11/p0", " ,　, ");
    w().组合框7.ChooseEntry(0);
    EXPECT_EQ(Entries(w().组合框8), std::vector<std::string>{"选择站点名称"});
    EXPECT_EQ(Progress(), "数据查询完成");

    program_->state().city_record.Replace({"11", "beijing", "", ".localhost:1", "", ""});
    w().组合框3.ChooseEntry(0);  // unreachable site
    EXPECT_EQ(Progress(), "数据查询失败！");
}

TEST_F(PickersTest, PickedNameGoesIntoTheBoxInBlackThePromptBringsBackTheHint) {
    Answer("/city1.php?t=11/p0", "奥体中心");
    w().组合框3.ChooseEntry(0);
    w().组合框4.ChooseEntry(1);
    EXPECT_EQ(w().编辑框2.Text(), "奥体中心");
    EXPECT_EQ(w().编辑框2.TextColour(), toolkit::kBlack);
    w().组合框4.ChooseEntry(0);
    EXPECT_EQ(w().编辑框2.Text(), "请输入终点(如:奥体中心)");
    EXPECT_EQ(w().编辑框2.TextColour(), toolkit::kGrey);
}

TEST_F(PickersTest, TheNewestPickWinsWhileAnAnswerIsAwaited) {
    std::condition_variable second_asked;
    server_.SetHandler([&](const RecordedRequest& request) {
        Reply reply;
        if (request.target == "/city1.php?t=11/pp1") {
            // The first answer is held until the second request is in.
            std::mutex m;
            std::unique_lock lock(m);
            second_asked.wait_for(lock, std::chrono::seconds(5), [&] { return server_.Requests().size() >= 2; });
            reply.body = "old";
        } else {
            reply.body = "new";
            second_asked.notify_all();
        }
        return reply;
    });
    w().组合框5.AddEntry("A");
    w().组合框5.AddEntry("B");
    // Picked while the first answer is awaited: the fetch lets this timer run.
    QTimer::singleShot(0, [&] { w().组合框5.ChooseEntry(2); });
    w().组合框5.ChooseEntry(1);
    EXPECT_EQ(Entries(w().组合框6), (std::vector<std::string>{"选择线路名称", "new"}));
    EXPECT_EQ(Progress(), "数据查询完成");
}

}  // namespace

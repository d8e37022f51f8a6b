#include <cctype>
#include "planner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct LineSpec {
    std::string name;
    std::vector<std::string> stops;
};

struct PlannerCase {
    const char* what;
    std::vector<LineSpec> lines;
    std::string from;
    std::string to;
    std::vector<std::string> plans;  // each "line board>alight stops | ..."
};

std::string Describe(const site::Network& n, const site::Plan& plan) {
    std::string out;
    for (const auto& leg : plan.legs) {
        if (!out.empty()) out += " | ";
        out += n.Lines()[leg.line].name + " " + n.StationName(leg.board) + ">" + n.StationName(leg.alight) + " " +
               std::to_string(leg.stops);
    }
    return out;
}

std::vector<LineSpec> ManyDirectLines(int count) {
    std::vector<LineSpec> lines;
    for (int i = 1; i <= count; ++i) {
        std::vector<std::string> stops{"A"};
        for (int k = 0; k < i; ++k) stops.push_back("M" + std::to_string(i) + "_" + std::to_string(k));
        stops.push_back("B");
        lines.push_back({"L" + std::to_string(i), stops});
    }
    return lines;
}

const PlannerCase kCases[] = {
    {"direct", {{"1", {"A", "B", "C", "D"}}}, "A", "D", {"1 A>D 3"}},
    {"direct against the listed order", {{"1", {"A", "B", "C", "D"}}}, "D", "B", {"1 D>B 2"}},
    {"one change", {{"1", {"A", "B", "C"}}, {"2", {"C", "D", "E"}}}, "A", "E", {"1 A>C 2 | 2 C>E 2"}},
    {"two changes", {{"1", {"A", "B"}}, {"2", {"B", "C"}}, {"3", {"C", "D"}}}, "A", "D",
     {"1 A>B 1 | 2 B>C 1 | 3 C>D 1"}},
    {"three changes are too many", {{"1", {"A", "B"}}, {"2", {"B", "C"}}, {"3", {"C", "D"}}, {"4", {"D", "E"}}},
     "A", "E", {}},
    {"disconnected", {{"1", {"A", "B"}}, {"2", {"C", "D"}}}, "A", "D", {}},
    {"start equals end", {{"1", {"A", "B"}}}, "A", "A", {}},
    {"a shared stop name joins lines; fewer changes first even when longer",
     {{"1", {"A", "X", "B"}}, {"2", {"C", "X", "D"}}, {"3", {"A", "Y1", "Y2", "Y3", "D"}}}, "A", "D",
     {"3 A>D 4", "1 A>X 1 | 2 X>D 1"}},
    {"a change that saves no stop is left out",
     {{"1", {"A", "B", "C"}}, {"2", {"A", "B"}}, {"3", {"B", "C"}}}, "A", "C", {"1 A>C 2"}},
    {"same changes: fewest stops first", {{"1", {"A", "B", "C", "D", "E"}}, {"2", {"A", "E"}}}, "A", "E",
     {"2 A>E 1", "1 A>E 4"}},
    {"at most five plans", ManyDirectLines(7), "A", "B",
     {"L1 A>B 2", "L2 A>B 3", "L3 A>B 4", "L4 A>B 5", "L5 A>B 6"}},
    {"boarding in the middle of a line", {{"1", {"A", "B", "C", "D"}}, {"2", {"D", "E"}}}, "B", "E",
     {"1 B>D 2 | 2 D>E 1"}},
};

class PlannerTable : public ::testing::TestWithParam<PlannerCase> {};

TEST_P(PlannerTable, FindsTheExpectedPlans) {
    const PlannerCase& c = GetParam();
    site::Network network({"all"}, {"all"});
    for (const auto& line : c.lines) ASSERT_TRUE(network.AddLine(line.name, 0, line.stops, 0));
    site::Planner planner(network);
    auto from = network.FindStation(c.from);
    auto to = network.FindStation(c.to);
    ASSERT_TRUE(from && to);
    std::vector<std::string> got;
    for (const auto& plan : planner.FindPlans(*from, *to)) got.push_back(Describe(network, plan));
    EXPECT_EQ(got, c.plans) << c.what;
}

INSTANTIATE_TEST_SUITE_P(HandMadeNetworks, PlannerTable, ::testing::ValuesIn(kCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char* c = info.param.what; *c; ++c) {
                                 name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
                             }
                             return name;
                         });

TEST(Planner, RepeatedQueriesOnOnePlannerGiveTheSameAnswer) {
    // The workspace is reused between queries; stale labels must not leak into the next one.
    site::Network network({"all"}, {"all"});
    network.AddLine("1", 0, {"A", "B", "C"}, 0);
    network.AddLine("2", 0, {"C", "D"}, 0);
    network.AddLine("3", 0, {"E", "F"}, 0);
    site::Planner planner(network);
    auto id = [&](const char* name) { return *network.FindStation(name); };
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(planner.FindPlans(id("A"), id("D")).size(), 1u);
        EXPECT_TRUE(planner.FindPlans(id("A"), id("F")).empty());
        EXPECT_EQ(planner.FindPlans(id("D"), id("A")).at(0).Changes(), 1);
    }
}

}  // namespace

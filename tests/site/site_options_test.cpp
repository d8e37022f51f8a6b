#include "site_options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool Parse(std::vector<const char*> args, site::CommandLine& out, std::string& error) {
    args.insert(args.begin(), "tarnbay-site");
    return site::ParseCommandLine(static_cast<int>(args.size()), args.data(), out, error);
}

TEST(SiteOptions, ReadsEveryOptionAndKeepsDefaults) {
    site::CommandLine defaults;
    std::string error;
    ASSERT_TRUE(Parse({}, defaults, error));
    EXPECT_EQ(defaults.server.port, 18080);
    EXPECT_EQ(defaults.server.announce_version, "1.4.22");
    EXPECT_EQ(defaults.server.news_interval_seconds, 30);

    site::CommandLine c;
    ASSERT_TRUE(Parse({"--port", "0", "--data", "/d", "--announce-version", "2.0", "--news-interval", "5", "--fault",
                       "slow:/cities.html", "--fault", "nul"},
                      c, error))
        << error;
    EXPECT_EQ(c.server.port, 0);
    EXPECT_EQ(c.data_dir, "/d");
    EXPECT_EQ(c.server.announce_version, "2.0");
    EXPECT_EQ(c.server.news_interval_seconds, 5);
    ASSERT_EQ(c.server.faults.size(), 2u);
    EXPECT_EQ(c.server.faults[0].path, "/cities.html");
}

TEST(SiteOptions, RefusesBadValuesWithAReason) {
    const std::vector<std::vector<const char*>> bad = {
        {"--port", "65536"}, {"--port", "80x"}, {"--port"},           {"--news-interval", "-1"},
        {"--fault", "melt"}, {"--announce-version", "1 2"}, {"--colour", "red"},
    };
    for (const auto& args : bad) {
        site::CommandLine c;
        std::string error;
        EXPECT_FALSE(Parse(args, c, error)) << args[0];
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace

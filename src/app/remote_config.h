#pragma once

#include <functional>
#include <string>

namespace toolkit {
class MessageBox;
class Shell;
}  // namespace toolkit

namespace app {

// What the configuration check reads and touches.
struct RemoteConfigLinks {
    std::string config_page;    // the maker's configuration page, in byte-list notation
    std::string download_page;  // the download page, in byte-list notation (opened, never fetched)
    int& news_interval;         // milliseconds
    toolkit::MessageBox& message_box;
    toolkit::Shell& shell;
    std::function<void()> end_program;  // ends the program with exit code 0
};

// Reads the maker's configuration page: sets the news interval, and offers the download page
// when the page names a version other than this program's. Accepting opens that page in the
// browser and ends the program at once; the caller then starts nothing more.
void CheckRemoteConfig(const RemoteConfigLinks& links);

// The news interval a configuration page sets, in milliseconds: the whole number of seconds
// after "A:visitim { time: " times 1000, held within the range of an int. No value gives 0.
int NewsIntervalOf(const std::string& config_page_text);

}  // namespace app

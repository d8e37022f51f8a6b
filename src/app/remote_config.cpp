#include "app/remote_config.h"

#include <cstdint>
#include <limits>

#include "app/version.h"
#include "net/fetch_page.h"
#include "net/text_helpers.h"
#include "net/text_pieces.h"
#include "toolkit/message_box.h"
#include "toolkit/shell_open.h"

namespace app {
namespace {

constexpr const char* kSettingEnd = " }";

}  // namespace

int NewsIntervalOf(const std::string& config_page_text) {
    const std::int64_t seconds =
        net::ReadWholeNumber(net::CutBetween(config_page_text, "A:visitim { time: ", kSettingEnd));
    // Milliseconds beyond an int are held at its nearest end, never wrapped round.
    constexpr std::int64_t kMax = std::numeric_limits<int>::max();
    constexpr std::int64_t kMin = std::numeric_limits<int>::min();
    if (seconds > kMax / 1000) return static_cast<int>(kMax);
    if (seconds < kMin / 1000) return static_cast<int>(kMin);
    return static_cast<int>(seconds * 1000);
}

void CheckRemoteConfig(const RemoteConfigLinks& links) {
    const std::string page = net::FetchPage(net::ConvertByteList(links.config_page));
    links.news_interval = NewsIntervalOf(page);
    const std::string version = net::CutBetween(page, "A:visited { color: ", kSettingEnd);
    if (version.empty() || version == kProgramVersion) return;
    if (!links.message_box.AskYesNo("信息：", "新版程序已发布，是否立即更新？")) return;
    // The program ends whether or not the desktop could open the page.
    links.shell.Open(net::ConvertByteList(links.download_page));
    links.end_program();
}

}  // namespace app

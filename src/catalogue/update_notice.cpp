#include "catalogue/update_notice.h"

#include "toolkit/window_thread.h"

namespace catalogue {

bool ShowUpdateNotice(const ShowNoticeFn& show_notice, const std::string& text,
                      int clear_after_ms) {
    return toolkit::RunOnWindowThread([&] {
        if (show_notice) {
            show_notice("正在更新...", text, kInformationIcon, clear_after_ms, clear_after_ms != 0);
        }
    });
}

}  // namespace catalogue

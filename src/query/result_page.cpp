#include "query/result_page.h"

#include "platform/environment.h"
#include "platform/files.h"

namespace query {

std::string ResultPagePath() {
    return platform::TempDirectory() + platform::kPathSeparator + "tmp.html";
}

ResultPage::ResultPage(std::string path) : path_(std::move(path)) {}

void ResultPage::SetNavigator(Navigator navigator) {
    std::lock_guard lock(mutex_);
    navigator_ = std::move(navigator);
}

void ResultPage::Show(const std::string& fragment) {
    std::lock_guard lock(mutex_);
    // A failed write is not reported: the view then shows what the file held before.
    platform::WriteWholeFile(path_, fragment);
    if (navigator_) navigator_(path_);
}

}  // namespace query

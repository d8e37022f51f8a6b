#include "platform/environment.h"

#include <unistd.h>

#include <filesystem>
#include <string_view>
#include <system_error>

#include "platform/gbk_names.h"

namespace platform {
namespace {

bool IsTempName(std::string_view name) {
    constexpr std::string_view kTemp = "temp";
    if (name.size() != kTemp.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c =
            name[i] >= 'A' && name[i] <= 'Z' ? static_cast<char>(name[i] - 'A' + 'a') : name[i];
        if (c != kTemp[i]) return false;
    }
    return true;
}

// Names are compared as on the original system, where environment names ignore case.
std::string_view TempVariable() {
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string_view text = *entry;
        const std::size_t equals = text.find('=');
        if (equals != std::string_view::npos && IsTempName(text.substr(0, equals))) {
            return text.substr(equals + 1);
        }
    }
    return {};
}

std::string WithoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

std::string TempDirectory() {
    const std::string_view value = TempVariable();
    if (!value.empty()) return WithoutTrailingSeparators(Utf8ToGbk(std::string(value)));
    std::error_code error;
    std::string system = std::filesystem::temp_directory_path(error).string();
    system = WithoutTrailingSeparators(system);
    // The root is no place for our files, whatever the fall-back resolved to.
    if (error || system.empty() || system == "/") system = "/tmp";
    return Utf8ToGbk(system);
}

}  // namespace platform

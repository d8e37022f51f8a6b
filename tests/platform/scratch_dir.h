#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/gbk_names.h"

namespace platform_test {

// A fresh, empty directory for one test, removed with everything in it afterwards.
class ScratchDir {
  public:
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tarnbay-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) system_path_ = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        if (!system_path_.empty()) std::filesystem::remove_all(system_path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    bool created() const { return !system_path_.empty(); }
    // The directory as the file system names it (UTF-8).
    const std::filesystem::path& system_path() const { return system_path_; }
    // A GBK path inside the directory, as the program would build it.
    std::string Path(const std::string& gbk_name) const {
        return platform::Utf8ToGbk(system_path_.string()) + "/" + gbk_name;
    }

  private:
    std::filesystem::path system_path_;
};

// The UTF-8 bytes of a u8 literal as a plain string.
inline std::string Utf8(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

}  // namespace platform_test

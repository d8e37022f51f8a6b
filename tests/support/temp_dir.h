#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

namespace testsupport {

// A fresh directory for one test, removed with everything in it afterwards. Paths are UTF-8
// on disk; the GBK path the program uses is `gbk()` (these directories have ASCII names).
class TempDir {
public:
    TempDir() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("tarnbay_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string gbk() const { return path_.string(); }

    // Writes bytes to a file below the directory (UTF-8 relative path), making its folders.
    void Write(const std::filesystem::path& relative, const std::string& bytes) const {
        const auto target = path_ / relative;
        std::filesystem::create_directories(target.parent_path());
        std::ofstream(target, std::ios::binary) << bytes;
    }

    std::string Read(const std::filesystem::path& relative) const {
        std::ifstream in(path_ / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path path_;
};

// The UTF-8 form of a GBK literal from this project's sources, for names on disk.
std::string Utf8(const std::string& gbk);

}  // namespace testsupport

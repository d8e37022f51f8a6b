#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <random>

#include "platform/gbk_names.h"

namespace platform {
namespace {

// The path as the file system spells it. A zero byte inside would silently cut the path
// short at the system call and name another file, so such a path names nothing.
std::optional<std::string> SystemPath(const std::string& path) {
    if (path.empty() || path.find('\0') != std::string::npos) return std::nullopt;
    return GbkToUtf8(path);
}

// Closes the descriptor on every way out.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and tells whether the close succeeded (a late write error shows here).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string DirectoryPart(const std::string& system_path) {
    const std::size_t slash = system_path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return system_path.substr(0, slash);
}

std::string UniqueSuffix() {
    static std::atomic<unsigned long> counter{0};
    thread_local std::mt19937_64 random{std::random_device{}()};
    return "." + std::to_string(::getpid()) + "." + std::to_string(++counter) + "." +
           std::to_string(random() % 1000000007UL) + ".tmp";
}

// Creates a new, empty temporary file beside the target (never an existing one, never
// through a link). Fills in its name.
int CreateTemporaryBeside(const std::string& target, std::string& temporary) {
    const std::size_t slash = target.rfind('/');
    const std::string stem = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::string prefix = target.substr(0, target.size() - stem.size());
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = prefix + "." + stem + UniqueSuffix();
        const int fd =
            ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Makes the rename itself durable; a failure here does not undo the new content.
void SyncDirectory(const std::string& directory) {
    Descriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid()) ::fsync(dir.get());
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    const auto system_path = SystemPath(path);
    if (!system_path) return std::nullopt;
    // Non-blocking open so that a FIFO planted at the path cannot hang us; only regular files
    // are read, which also keeps devices with endless content out.
    Descriptor file(::open(system_path->c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.valid()) return std::nullopt;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    std::string bytes;
    if (info.st_size > 0) bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    const auto target = SystemPath(path);
    if (!target) return false;
    std::string temporary;
    Descriptor file(CreateTemporaryBeside(*target, temporary));
    if (!file.valid()) return false;
    // A rewritten file keeps the permissions it had (a settings file made private stays so).
    struct stat old {};
    if (::lstat(target->c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(file.get(), old.st_mode & 07777);
    }
    const bool written = WriteAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    if (!file.Close() || !written || ::rename(temporary.c_str(), target->c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncDirectory(DirectoryPart(*target));
    return true;
}

bool AppendToFile(const std::string& path, const std::string& bytes) {
    const auto system_path = SystemPath(path);
    if (!system_path) return false;
    // Non-blocking so that a FIFO without a reader fails at once instead of hanging.
    Descriptor file(
        ::open(system_path->c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!file.valid()) return false;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
    return WriteAll(file.get(), bytes) && file.Close();
}

std::optional<std::vector<std::string>> ReadLines(const std::string& path) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes->size()) {
        std::size_t end = bytes->find('\n', start);
        const bool terminated = end != std::string::npos;
        if (!terminated) end = bytes->size();
        std::size_t length = end - start;
        if (terminated && length > 0 && (*bytes)[end - 1] == '\r') --length;
        lines.push_back(bytes->substr(start, length));
        start = end + 1;
    }
    return lines;
}

std::vector<DirectoryEntry> ListDirectory(const std::string& path) {
    std::vector<DirectoryEntry> entries;
    const auto system_path = SystemPath(path);
    if (!system_path) return entries;
    DIR* dir = ::opendir(system_path->c_str());
    if (dir == nullptr) return entries;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        // Kind of what the entry leads to, as a listing on the original system reports it;
        // a dangling link is neither file nor directory.
        struct stat info {};
        EntryKind kind = EntryKind::Other;
        if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) == 0) {
            if (S_ISREG(info.st_mode))
                kind = EntryKind::File;
            else if (S_ISDIR(info.st_mode))
                kind = EntryKind::Directory;
        }
        entries.push_back({Utf8ToGbk(name), kind});
    }
    ::closedir(dir);
    return entries;
}

bool CreateDirectory(const std::string& path) {
    const auto system_path = SystemPath(path);
    if (!system_path) return false;
    if (::mkdir(system_path->c_str(), 0777) == 0) return true;
    return errno == EEXIST && IsDirectory(path);
}

bool DeleteFile(const std::string& path) {
    const auto system_path = SystemPath(path);
    return system_path && ::unlink(system_path->c_str()) == 0;
}

bool PathExists(const std::string& path) {
    const auto system_path = SystemPath(path);
    struct stat info {};
    return system_path && ::stat(system_path->c_str(), &info) == 0;
}

bool IsDirectory(const std::string& path) {
    const auto system_path = SystemPath(path);
    struct stat info {};
    return system_path && ::stat(system_path->c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace platform

#pragma once

#include <optional>
#include <string>
#include <vector>

// Files and directories. Every path and name here is a GBK text, as the program holds it; this
// layer converts to the file system's UTF-8 and back (names that GBK cannot hold come back
// with '?' in place of the character). Paths use the native separator '/'. File contents
// are bytes and are never converted. A path that is empty or holds a zero byte names nothing
// (every call fails on it), since the system would cut it short at that byte.
namespace platform {

inline constexpr char kPathSeparator = '/';

// The whole file as bytes; nullopt when it is missing, cannot be read or is not a regular
// file (a directory, a FIFO or a device is never read, so nothing can hang or run forever).
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes the bytes as the file's whole content: a temporary file is written beside the
// target and renamed over it, so a reader never sees half a file and a link planted at the
// target is replaced, not followed. False when it failed; the old content is then untouched.
bool WriteWholeFile(const std::string& path, const std::string& bytes);

// Appends the bytes to the end of an existing regular file (never through a link, never to a
// FIFO or device). False when it failed; a file that must not be half-written is written
// whole with WriteWholeFile instead.
bool AppendToFile(const std::string& path, const std::string& bytes);

// The file split into lines: LF ends a line and a CR just before it is dropped; a last line
// without LF counts; nullopt when the file cannot be read.
std::optional<std::vector<std::string>> ReadLines(const std::string& path);

enum class EntryKind { File, Directory, Other };

struct DirectoryEntry {
    std::string name;  // GBK, without the directory part
    EntryKind kind;
};

// The entries of a directory ("." and ".." left out) in no fixed order; empty when the
// directory is missing or unreadable.
std::vector<DirectoryEntry> ListDirectory(const std::string& path);

// Creates one directory (its parent must exist); true when a directory exists there
// afterwards (one that was already there counts; a file in its place does not).
bool CreateDirectory(const std::string& path);

// Deletes a file (a link itself, never its target; never a directory); true when deleted.
bool DeleteFile(const std::string& path);

// True when something (file or directory) exists at the path; links are followed, so a
// dangling link counts as nothing.
bool PathExists(const std::string& path);

// True when a directory exists at the path.
bool IsDirectory(const std::string& path);

}  // namespace platform

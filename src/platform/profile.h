#pragma once

#include <cstddef>
#include <string>

// INI profile files with the behaviour of the Windows profile routines the program was
// written against: section and key names compare without regard to ASCII letter case; blanks
// around names and values are trimmed; one pair of matching outer quotes ('"' or '\'') is
// removed from a value read; lines starting with ';' are comments; the first matching key
// wins; a missing file, section or key gives the default.
namespace platform {

// Largest value read, in bytes (the callers' 10240-byte buffer less its terminating zero).
inline constexpr std::size_t kProfileValueLimit = 10239;

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& default_value, const std::string& path,
                                    std::size_t limit = kProfileValueLimit);

// Sets key=value in the section. A missing file is created as "[Section]\r\nkey=value\r\n";
// an existing key has its line replaced; a new key goes after the last key line of its
// section; a new section goes at the end. Every other byte of the file is kept, and the file
// is replaced atomically. False when the file could not be written.
bool WritePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& path);

}  // namespace platform

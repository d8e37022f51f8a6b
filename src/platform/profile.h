#pragma once

#include <cstddef>
#include <string>

// INI profile files with the behaviour of the Windows profile routines the program was
// written against: section and key names compare without regard to ASCII letter case; blanks
// around names and values are trimmed; one pair of matching outer quotes ('"' or '\'') is
// removed from a value read; lines starting with ';' are comments; the first matching key
// wins; a missing file, section or key gives the default. Names and values are GBK; letter
// case is folded for ASCII letters only, never for the trail byte of a two-byte character.
// Any bytes in the file read to a defined result.
namespace platform {

// Largest value read, in bytes (the callers' 10240-byte buffer less its terminating zero).
inline constexpr std::size_t kProfileValueLimit = 10239;

// The value, or the default without its trailing blanks, ends at a zero byte and is cut to
// at most `limit` bytes at a character boundary (never half a two-byte character).
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& default_value, const std::string& path,
                                    std::size_t limit = kProfileValueLimit);

// Sets key=value in the section. A missing file is created as "[Section]\r\nkey=value\r\n";
// an existing key has its line replaced (keeping the file's spelling of the key and its line
// break); a new key goes after the last line of its section that is neither blank nor a
// comment; a new section goes at the end. A section met again later in the file continues it. Every other byte of the file is kept, and the file
// is replaced atomically. False when the file could not be written; false too, with the file
// untouched, for texts that would not read back as written: a CR, LF or zero byte anywhere,
// '=' in the key or a key starting with ';' or '[', ']' in the section. A file that exists
// but cannot be read is never overwritten.
bool WritePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& path);

}  // namespace platform

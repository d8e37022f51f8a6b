#pragma once

#include <string>

// GBK <-> UTF-8 for names that cross into the operating system (file names, environment
// values). Texts shown in windows are converted by the toolkit, not here.
namespace platform {

// Lenient: a byte sequence that is not GBK becomes U+FFFD; the rest is kept.
std::string GbkToUtf8(const std::string& gbk);

// A character that GBK cannot hold becomes '?', as the Windows ANSI conversion does;
// invalid UTF-8 bytes become '?' too.
std::string Utf8ToGbk(const std::string& utf8);

}  // namespace platform

#pragma once

#include <string>

namespace platform {

// The value (GBK) of the environment variable "temp", its name compared without regard to
// letter case (TEMP, temp, Tmp... as on Windows, where names are case-insensitive; "tmp" is a
// different name). When none is set, the system temporary directory. Never empty.
std::string TempDirectory();

}  // namespace platform

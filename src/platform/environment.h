#pragma once

#include <string>

namespace platform {

// The value (GBK) of the environment variable "temp", its name compared without regard to
// ASCII letter case as on Windows (TEMP, Temp, temp all match; TMP and Tmp are other names);
// the first such variable in the environment counts. Trailing '/' are removed ("/" stays).
// When none is set or its value is empty, the system temporary directory (honouring TMPDIR),
// never the file-system root. Never empty.
std::string TempDirectory();

}  // namespace platform

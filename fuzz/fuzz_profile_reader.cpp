#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/files.h"
#include "platform/profile.h"

// The settings file is read from disk, where anything may have been left.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/tarnbay_fuzz_profile_" + std::to_string(getpid()) + ".ini";
    if (!platform::WriteWholeFile(path, std::string(reinterpret_cast<const char*>(data), size))) {
        return 0;
    }
    for (const char* key : {"Update", "a", "\xCA\xA1"}) {  // the last is the key 省 in GBK
        const std::string value = platform::GetPrivateProfileString("Config", key, "", path);
        if (value.size() > platform::kProfileValueLimit) __builtin_trap();
    }
    platform::WritePrivateProfileString("Config", "Update", "2011", path);
    if (platform::GetPrivateProfileString("config", "update", "", path) != "2011") __builtin_trap();
    return 0;
}

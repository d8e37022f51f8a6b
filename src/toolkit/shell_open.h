#pragma once

#include <functional>
#include <string>

namespace toolkit {

// Opens an address with the desktop's own program for it, as the shell's "open" verb does:
// a web address comes up in the user's browser. Tests set `opener` to record the addresses
// instead of starting a browser.
class Shell {
public:
    using Opener = std::function<void(const std::string& address)>;

    Opener opener;

    // Hands the (GBK) address on; nothing waits for the program it starts. Only web
    // addresses (http:// or https://, letters in any case) go: the addresses come from web
    // pages, and a path or another scheme could start a local program. Gives whether the
    // address was handed on.
    bool Open(const std::string& address);
};

// True for an address that starts with http:// or https:// (letters in any case).
bool IsWebAddress(const std::string& address);

}  // namespace toolkit

#pragma once

#include <string>

#include "site_server.h"

namespace site {

struct CommandLine {
    ServerOptions server;
    std::string data_dir;
    bool help = false;
};

// --port N, --data DIR, --announce-version V, --news-interval S, --fault MODE[:PATH]
// (repeatable), --help. False with a message for anything else.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine& out, std::string& error);
std::string UsageText();

}  // namespace site

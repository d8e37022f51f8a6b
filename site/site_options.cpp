#include "site_options.h"

#include <charconv>

namespace site {

namespace {

bool ReadNumber(const std::string& text, int lo, int hi, int& out) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < lo || value > hi) return false;
    out = value;
    return true;
}

}  // namespace

std::string UsageText() {
    return "usage: tarnbay-site [--port N] [--data DIR] [--announce-version V] [--news-interval S]\n"
           "                    [--fault MODE[:PATH]]...\n"
           "modes: refuse stall slow reset huge badgbk nul nomarkers openscript hostile\n";
}

bool ParseCommandLine(int argc, const char* const* argv, CommandLine& out, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            out.help = true;
            continue;
        }
        if (i + 1 >= argc) {
            error = option == "--port" || option == "--data" || option == "--announce-version" ||
                            option == "--news-interval" || option == "--fault"
                        ? option + " needs a value"
                        : "unknown option " + option;
            return false;
        }
        std::string value = argv[++i];
        if (option == "--port") {
            if (!ReadNumber(value, 0, 65535, out.server.port)) {
                error = "--port needs a number from 0 to 65535";
                return false;
            }
        } else if (option == "--data") {
            out.data_dir = value;
        } else if (option == "--announce-version") {
            if (value.empty() || value.find_first_of(" }\r\n") != std::string::npos) {
                error = "--announce-version needs a text without blanks or '}'";
                return false;
            }
            out.server.announce_version = value;
        } else if (option == "--news-interval") {
            if (!ReadNumber(value, 0, 2147483, out.server.news_interval_seconds)) {
                error = "--news-interval needs whole seconds from 0 to 2147483";
                return false;
            }
        } else if (option == "--fault") {
            auto rule = ParseFaultRule(value);
            if (!rule) {
                error = "unknown fault " + value;
                return false;
            }
            out.server.faults.push_back(*rule);
        } else {
            error = "unknown option " + option;
            return false;
        }
    }
    return true;
}

}  // namespace site

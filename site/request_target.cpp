#include "request_target.h"

namespace site {

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<std::string> RequestTarget::Param(std::string_view key) const {
    for (const auto& [k, v] : params)
        if (k == key) return v;
    return std::nullopt;
}

std::string PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            int hi = HexValue(text[i + 1]);
            int lo = HexValue(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

RequestTarget ParseTarget(std::string_view raw_target) {
    RequestTarget target;
    // An absolute-form target ("http://host/path") is answered by its path.
    if (raw_target.substr(0, 7) == "http://") {
        size_t slash = raw_target.find('/', 7);
        raw_target = slash == std::string_view::npos ? std::string_view("/") : raw_target.substr(slash);
    }
    size_t question = raw_target.find('?');
    target.path = PercentDecode(raw_target.substr(0, question));
    if (question == std::string_view::npos) return target;
    std::string_view query = raw_target.substr(question + 1);
    size_t hash = query.find('#');
    if (hash != std::string_view::npos) query = query.substr(0, hash);
    size_t start = 0;
    while (start <= query.size()) {
        size_t amp = query.find('&', start);
        std::string_view pair = query.substr(start, amp == std::string_view::npos ? std::string_view::npos : amp - start);
        if (!pair.empty()) {
            size_t eq = pair.find('=');
            if (eq == std::string_view::npos)
                target.params.emplace_back(PercentDecode(pair), "");
            else
                target.params.emplace_back(PercentDecode(pair.substr(0, eq)), PercentDecode(pair.substr(eq + 1)));
        }
        if (amp == std::string_view::npos) break;
        start = amp + 1;
    }
    return target;
}

std::string HostNameOf(std::string_view host_header) {
    size_t colon = host_header.find(':');
    std::string_view name = host_header.substr(0, colon);
    if (name.empty() || name.size() > 253) return {};
    std::string out;
    for (char c : name) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        bool ok = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
        if (!ok) return {};
        out += c;
    }
    if (!out.empty() && out.back() == '.') out.pop_back();  // "bus.localhost." is the same host
    return out;
}

}  // namespace site

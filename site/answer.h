#pragma once

#include <string>

namespace site {

inline constexpr const char* kHtmlType = "text/html; charset=GBK";
inline constexpr const char* kTextType = "text/plain; charset=GBK";
inline constexpr const char* kCssType = "text/css; charset=GBK";

// What a request gets: status, content type and the GBK body.
struct Answer {
    int status = 200;
    std::string content_type = kHtmlType;
    std::string body;
};

// The page for a host or path that does not exist.
Answer NotFound();

// The page for any other refused request (400, 405, 414, ...).
Answer ErrorPage(int status);

// A whole GBK HTML document around `body_html`.
std::string HtmlDocument(const std::string& title, const std::string& body_html, const std::string& head_extra = "");

}  // namespace site

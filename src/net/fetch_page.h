#pragma once

#include <string>

namespace net {

// One HTTP request over the platform's Internet handles; returns the response body (cut at
// its first zero byte), or the empty text when the request failed before any body arrived.
// The HTTP status is never looked at.
//  - method: "POST" in any letter case selects POST; anything else selects GET and the
//    caller's variable then reads "GET".
//  - proxy/use_proxy: an HTTP proxy "host[:port]", used only when use_proxy is set.
//  - request_headers: extra lines each ending in "\r\n"; the default Accept, Referer and
//    Accept-Language lines are appended to the caller's variable when absent.
//  - response_headers: receives the raw response headers (CRLF form) when wanted.
std::string FetchPage(const std::string& url, std::string& method, const std::string& proxy,
                      bool use_proxy, std::string& request_headers,
                      const std::string& request_body, std::string& response_headers,
                      bool want_response_headers);

// The plain form every caller of the program uses: GET, direct, no extra lines, no body.
std::string FetchPage(const std::string& url);

}  // namespace net

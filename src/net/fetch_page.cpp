#include "net/fetch_page.h"

#include <array>
#include <cstring>
#include <string_view>

#include "net/text_search.h"
#include "net/url_parts.h"
#include "platform/http_handles.h"
#include "platform/process_events.h"

namespace net {
namespace {

constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr const char* kHttpVersion = "HTTP/1.1";
constexpr platform::DWORD kTimeoutMs = 18000;
constexpr std::size_t kReadSize = 512;
constexpr std::size_t kResponseHeaderBufferSize = 1024;
constexpr const char* kDefaultAccept =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";

// Closes the handles opened so far, in the order Internet, connection, request.
class OpenHandles {
  public:
    OpenHandles() = default;
    OpenHandles(const OpenHandles&) = delete;
    OpenHandles& operator=(const OpenHandles&) = delete;
    ~OpenHandles() {
        for (platform::HINTERNET handle : {internet, connection, request}) {
            if (handle != nullptr) platform::InternetCloseHandle(handle);
        }
    }

    platform::HINTERNET internet = nullptr;
    platform::HINTERNET connection = nullptr;
    platform::HINTERNET request = nullptr;
};

void AppendIfMissing(std::string& headers, std::string_view name, const std::string& line) {
    if (FindTextIgnoreCase(headers, name) == npos) headers += line;
}

void SetTimeout(platform::HINTERNET request, platform::DWORD option) {
    platform::DWORD milliseconds = kTimeoutMs;
    platform::InternetSetOptionA(request, option, &milliseconds, sizeof milliseconds);
}

}  // namespace

std::string FetchPage(const std::string& url, std::string& method, const std::string& proxy,
                      bool use_proxy, std::string& request_headers, const std::string& request_body,
                      std::string& response_headers, bool want_response_headers) {
    OpenHandles handles;
    const std::string proxy_list = "http=" + proxy;
    handles.internet =
        use_proxy
            ? platform::InternetOpenA(kUserAgent, platform::INTERNET_OPEN_TYPE_PROXY,
                                      proxy_list.c_str(), "", 0)
            : platform::InternetOpenA(kUserAgent, platform::INTERNET_OPEN_TYPE_DIRECT, "", "", 0);
    if (handles.internet == nullptr) return std::string();

    // A port outside 0..65535 wraps, as the 16-bit port parameter takes it.
    handles.connection = platform::InternetConnectA(
        handles.internet, HostOf(url).c_str(), static_cast<platform::INTERNET_PORT>(PortOf(url)),
        "", "", platform::INTERNET_SERVICE_HTTP, 0, 0);
    if (handles.connection == nullptr) return std::string();

    if (AsciiUpper(method) != "POST") method = "GET";
    const bool is_post = method != "GET";

    handles.request = platform::HttpOpenRequestA(handles.connection, method.c_str(),
                                                 PathOf(url).c_str(), kHttpVersion, nullptr,
                                                 nullptr, platform::INTERNET_FLAG_RELOAD, 0);
    if (handles.request == nullptr) return std::string();

    SetTimeout(handles.request, platform::INTERNET_OPTION_CONNECT_TIMEOUT);
    SetTimeout(handles.request, platform::INTERNET_OPTION_RECEIVE_TIMEOUT);
    SetTimeout(handles.request, platform::INTERNET_OPTION_SEND_TIMEOUT);

    AppendIfMissing(request_headers, "Accept: ", kDefaultAccept);
    // A CR or LF of the URL would end the Referer line and start a line of its own.
    AppendIfMissing(request_headers, "Referer: ",
                    "Referer: " + platform::EscapeControlBytes(url, /*blanks_too=*/false) + "\r\n");
    AppendIfMissing(request_headers, "Accept-Language: ", "Accept-Language: zh-cn\r\n");

    const bool sends_body = is_post && !request_body.empty();
    if (sends_body) {
        request_headers += "Content-Type: application/x-www-form-urlencoded\r\n";
        request_headers += "Content-Length: " + std::to_string(request_body.size()) + "\r\n";
    }
    // A failed send shows as an empty body below.
    platform::HttpSendRequestA(handles.request, request_headers.data(),
                               static_cast<platform::DWORD>(request_headers.size()),
                               sends_body ? request_body.data() : nullptr,
                               sends_body ? static_cast<platform::DWORD>(request_body.size()) : 0);

    std::string body;
    for (platform::DWORD count = 1; count > 0;) {
        std::array<char, kReadSize> buffer{};
        platform::RunProcessEvents();
        if (!platform::InternetReadFile(handles.request, buffer.data(), kReadSize, &count))
            count = 0;
        body.append(buffer.data(), count);
    }

    if (want_response_headers) {
        std::array<char, kResponseHeaderBufferSize> buffer{};
        platform::DWORD length = kResponseHeaderBufferSize;
        // Headers that do not fit leave the buffer zero-filled, so the caller gets the empty text.
        platform::HttpQueryInfoA(handles.request, platform::HTTP_QUERY_RAW_HEADERS_CRLF,
                                 buffer.data(), &length, nullptr);
        response_headers.assign(buffer.data(), strnlen(buffer.data(), buffer.size()));
    }

    body.resize(strnlen(body.data(), body.size()));
    return body;
}

std::string FetchPage(const std::string& url) {
    std::string method = "GET";
    std::string request_headers;
    std::string response_headers;
    return FetchPage(url, method, "", false, request_headers, "", response_headers, false);
}

}  // namespace net

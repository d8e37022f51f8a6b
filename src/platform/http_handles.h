#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// HTTP handles in the shape of the Windows Internet API, over libcurl. An Internet handle holds
// the user agent and the proxy choice, a connection handle the server, a request handle one
// request and its answer. Handles are independent of each other once made: they may be closed
// in any order, and closing one frees everything it holds.
//
// While a call waits on the network it runs the process-events hook (process_events.h) at least
// every 20 ms, so a window thread stays responsive during a slow connect or a slow body.
namespace platform {

using DWORD = std::uint32_t;
using INTERNET_PORT = std::uint16_t;
using DWORD_PTR = std::uintptr_t;

struct InternetHandle;  // opaque
using HINTERNET = InternetHandle*;

inline constexpr DWORD INTERNET_OPEN_TYPE_DIRECT = 1;
inline constexpr DWORD INTERNET_OPEN_TYPE_PROXY = 3;
inline constexpr DWORD INTERNET_SERVICE_HTTP = 3;
inline constexpr INTERNET_PORT INTERNET_INVALID_PORT_NUMBER = 0;  // the service's default port
inline constexpr INTERNET_PORT INTERNET_DEFAULT_HTTP_PORT = 80;
inline constexpr DWORD INTERNET_FLAG_RELOAD = 0x80000000;
inline constexpr DWORD INTERNET_OPTION_CONNECT_TIMEOUT = 2;
inline constexpr DWORD INTERNET_OPTION_SEND_TIMEOUT = 5;
inline constexpr DWORD INTERNET_OPTION_RECEIVE_TIMEOUT = 6;
inline constexpr DWORD HTTP_QUERY_RAW_HEADERS_CRLF = 22;
// Header and body lengths given as this value mean "up to the first zero byte".
inline constexpr DWORD LENGTH_UP_TO_ZERO = 0xFFFFFFFF;

// Access type INTERNET_OPEN_TYPE_DIRECT ignores proxy and bypass (and any proxy of the
// environment); INTERNET_OPEN_TYPE_PROXY takes a proxy list such as "http=host:port" or
// "host:port" (port 80 when none) and a bypass list of host names or domain suffixes separated
// by ';' or blanks. Flags are accepted and ignored. nullptr for any other access type.
HINTERNET InternetOpenA(const char* agent, DWORD access_type, const char* proxy,
                        const char* proxy_bypass, DWORD flags);

// Only INTERNET_SERVICE_HTTP; user name, password, flags and context are accepted and ignored.
// Port INTERNET_INVALID_PORT_NUMBER stands for 80. Nothing goes over the network yet.
HINTERNET InternetConnectA(HINTERNET internet, const char* server, INTERNET_PORT port,
                           const char* user, const char* password, DWORD service, DWORD flags,
                           DWORD_PTR context);

// The object name (path and query) goes out as given, byte for byte, except that blanks and
// control bytes are percent-escaped so that they can neither break the request line nor start
// a header line. Verb nullptr means "GET"; version "HTTP/1.0" or else HTTP/1.1. Referrer and
// accept types are taken as in the Windows API (a referrer line, one Accept line).
HINTERNET HttpOpenRequestA(HINTERNET connection, const char* verb, const char* object_name,
                           const char* version, const char* referrer, const char** accept_types,
                           DWORD flags, DWORD_PTR context);

// Time-outs in milliseconds (a DWORD in `buffer`) on a request handle: connect bounds the TCP
// connect; send and receive bound how long the request may go without any byte moving while
// the body goes out or the answer comes in. 0 means no limit.
bool InternetSetOptionA(HINTERNET handle, DWORD option, void* buffer, DWORD buffer_length);

// Sends the request with the extra header lines (each ending in "\r\n") and the optional body,
// and returns once the headers of the final answer are in; false on any failure before that.
// Every verb but GET and HEAD gets a Content-Length line, 0 without a body. Redirects are
// followed (at most 10) as a browser does: 303, and 301/302 after a POST, go on as GET without
// body. No Accept, Content-Type or Expect line is added that the caller did not give.
bool HttpSendRequestA(HINTERNET request, const char* headers, DWORD headers_length,
                      const void* optional, DWORD optional_length);

// Reads body bytes: fills the buffer up to `bytes_to_read` unless the body ends first; 0 bytes
// read with true at the end. False on a failed transfer (after the bytes that did arrive) or a
// time-out. At most about 64 KB of the body are held in memory whatever its size.
bool InternetReadFile(HINTERNET request, void* buffer, DWORD bytes_to_read, DWORD* bytes_read);

// HTTP_QUERY_RAW_HEADERS_CRLF: status line and header lines of the final answer, each ending in
// "\r\n", then an empty line, followed by a zero byte. On success *buffer_length is the length
// without the zero byte; when the buffer is too small the call fails, leaves the buffer as it
// was and sets *buffer_length to the size needed. `index` is ignored.
bool HttpQueryInfoA(HINTERNET request, DWORD info_level, void* buffer, DWORD* buffer_length,
                    DWORD* index);

// Closes any handle; false for nullptr or a handle that is not open.
bool InternetCloseHandle(HINTERNET handle);

// The text with its control bytes (below 0x20, and 0x7F) percent-escaped, and its blanks too
// when asked: what would end a request line or a header line early. Every other byte stays.
std::string EscapeControlBytes(std::string_view text, bool blanks_too);

}  // namespace platform

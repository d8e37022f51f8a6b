#include "platform/http_handles.h"

#include <curl/curl.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/process_events.h"

namespace platform {

// Every handle kind derives from this; the handle value is the object's address.
struct InternetHandle {
    virtual ~InternetHandle() = default;
};

namespace {

constexpr long kSliceMs = 20;  // longest stretch without the process-events hook
constexpr std::size_t kBodyBufferLimit = 64 * 1024;  // body bytes held before the transfer pauses
constexpr int kMaxRedirects = 10;
constexpr DWORD kDefaultTimeoutMs = 60000;

using Clock = std::chrono::steady_clock;

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
    }
    return true;
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

std::string TextOrEmpty(const char* text) {
    return text ? std::string(text) : std::string();
}

// Calls `visit` for every piece of `text` between separators, empty pieces skipped.
template <typename Visit>
void ForEachPiece(std::string_view text, std::string_view separators, Visit visit) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of(separators, start);
        if (end == std::string_view::npos) end = text.size();
        if (end > start) visit(text.substr(start, end - start));
        start = end + 1;
    }
}

// True when one of the header lines has the given name (letter case ignored).
bool HasHeader(std::string_view lines, std::string_view name) {
    bool found = false;
    ForEachPiece(lines, "\r\n", [&](std::string_view line) {
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos &&
            TrimBlanks(line.substr(0, colon)).size() == name.size() &&
            StartsWithIgnoreCase(TrimBlanks(line.substr(0, colon)), name)) {
            found = true;
        }
    });
    return found;
}

// The lines without those of the given names.
std::string WithoutHeaders(std::string_view lines, std::initializer_list<std::string_view> names) {
    std::string kept;
    ForEachPiece(lines, "\r\n", [&](std::string_view line) {
        for (std::string_view name : names) {
            if (HasHeader(line, name)) return;
        }
        kept.append(line).append("\r\n");
    });
    return kept;
}

// The object name as it goes into the request line, always with its leading "/".
std::string EscapeObjectName(std::string_view object) {
    const std::string escaped = EscapeControlBytes(object, /*blanks_too=*/true);
    return (object.empty() || object.front() != '/') ? "/" + escaped : escaped;
}

// "http=host:port", "host:port" or "http://host:port" (among entries for other schemes) as a
// libcurl proxy address; empty when the list names no HTTP proxy.
std::string HttpProxyOf(std::string_view list) {
    std::string proxy;
    ForEachPiece(list, "; \t", [&](std::string_view entry) {
        if (!proxy.empty()) return;
        const std::size_t equals = entry.find('=');
        if (equals != std::string_view::npos) {
            if (!StartsWithIgnoreCase(entry, "http=") || equals != 4) return;
            entry.remove_prefix(equals + 1);
        }
        if (StartsWithIgnoreCase(entry, "http://")) entry.remove_prefix(7);
        if (entry.empty()) return;
        proxy = "http://" + std::string(entry);
        if (entry.find(':') == std::string_view::npos) proxy += ":80";  // libcurl would take 1080
    });
    return proxy;
}

// A bypass list ("a.example; b.example") in libcurl's comma-separated form.
std::string NoProxyOf(std::string_view list) {
    std::string hosts;
    ForEachPiece(list, "; \t", [&](std::string_view entry) {
        if (!hosts.empty()) hosts += ',';
        hosts.append(entry);
    });
    return hosts;
}

std::string UrlHost(const std::string& host) {
    const bool bare_ipv6 = host.find(':') != std::string::npos && host.front() != '[';
    return bare_ipv6 ? "[" + host + "]" : host;
}

// "http://host[:port]" with the port left out when it is 80, as a Host line writes it.
std::string Origin(const std::string& host, INTERNET_PORT port) {
    std::string origin = "http://" + UrlHost(host);
    if (port != INTERNET_DEFAULT_HTTP_PORT) origin += ":" + std::to_string(port);
    return origin;
}

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Session : InternetHandle {
    std::string agent;
    std::string proxy;     // libcurl proxy address; empty for direct access
    std::string no_proxy;  // hosts reached directly in spite of the proxy
};

struct Connection : InternetHandle {
    Session session;  // a copy, so that the Internet handle may be closed first
    std::string host;
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
};

// Where one leg of a request goes; redirects make further legs.
struct Target {
    std::string host;
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
    std::string object;  // escaped path and query
};

// The target a Location line points to, seen from `from`; nothing when it is not plain HTTP or
// cannot be parsed.
std::optional<Target> RedirectTarget(const Target& from, const std::string& location) {
    CURLU* url = curl_url();
    if (url == nullptr) return std::nullopt;
    std::optional<Target> result;
    const std::string base = Origin(from.host, from.port) + from.object;
    if (curl_url_set(url, CURLUPART_URL, base.c_str(), CURLU_PATH_AS_IS) != CURLUE_OK) {
        curl_url_set(url, CURLUPART_URL, (Origin(from.host, from.port) + "/").c_str(), 0);
    }
    char* scheme = nullptr;
    char* host = nullptr;
    char* port = nullptr;
    char* path = nullptr;
    char* query = nullptr;
    if (curl_url_set(url, CURLUPART_URL, location.c_str(), 0) == CURLUE_OK &&
        curl_url_get(url, CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
        std::string_view(scheme) == "http" &&
        curl_url_get(url, CURLUPART_HOST, &host, 0) == CURLUE_OK &&
        curl_url_get(url, CURLUPART_PORT, &port, CURLU_DEFAULT_PORT) == CURLUE_OK &&
        curl_url_get(url, CURLUPART_PATH, &path, 0) == CURLUE_OK) {
        Target next;
        next.host = host;
        if (next.host.size() > 2 && next.host.front() == '[')
            next.host = next.host.substr(1, next.host.size() - 2);
        next.port = static_cast<INTERNET_PORT>(strtol(port, nullptr, 10));
        std::string object = path;
        if (curl_url_get(url, CURLUPART_QUERY, &query, 0) == CURLUE_OK)
            object += "?" + std::string(query);
        next.object = EscapeObjectName(object);
        result = next;
    }
    for (char* part : {scheme, host, port, path, query}) curl_free(part);
    curl_url_cleanup(url);
    return result;
}

bool IsRedirectStatus(long status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

class Request : public InternetHandle {
  public:
    Request(const Connection& connection, std::string verb, std::string object, long http_version)
        : session_(connection.session),
          first_target_{connection.host, connection.port, EscapeObjectName(object)},
          verb_(std::move(verb)),
          http_version_(http_version) {}

    ~Request() override { EndTransfer(); }

    Request(const Request&) = delete;
    Request& operator=(const Request&) = delete;

    void AddHeaderLine(const std::string& line) { fixed_headers_ += line + "\r\n"; }

    bool SetTimeout(DWORD option, DWORD milliseconds) {
        switch (option) {
            case INTERNET_OPTION_CONNECT_TIMEOUT:
                connect_timeout_ms_ = milliseconds;
                return true;
            case INTERNET_OPTION_SEND_TIMEOUT:
                send_timeout_ms_ = milliseconds;
                return true;
            case INTERNET_OPTION_RECEIVE_TIMEOUT:
                receive_timeout_ms_ = milliseconds;
                return true;
            default:
                return false;
        }
    }

    bool Send(std::string headers, std::string body) {
        EndTransfer();
        sent_ = false;
        headers_ = fixed_headers_ + std::move(headers);
        body_ = std::move(body);
        std::string verb = verb_;
        Target target = first_target_;
        for (int redirects = 0;; ++redirects) {
            if (!StartTransfer(target, verb) || !WaitFor([this] { return headers_complete_; })) {
                EndTransfer();
                return false;
            }
            if (!IsRedirectStatus(status_) || location_.empty() || redirects == kMaxRedirects)
                break;
            std::optional<Target> next = RedirectTarget(target, location_);
            if (!next) break;
            const bool keeps_method = status_ == 307 || status_ == 308;
            if (!keeps_method && verb != "GET" && verb != "HEAD") {
                verb = "GET";
                body_.clear();
                headers_ = WithoutHeaders(headers_, {"Content-Length", "Content-Type"});
            }
            target = *next;
            EndTransfer();
        }
        sent_ = true;
        return true;
    }

    bool Read(char* out, std::size_t wanted, std::size_t* got) {
        *got = 0;
        if (!sent_ || failed_) return false;
        while (*got < wanted) {
            const std::size_t available = pending_.size() - pending_offset_;
            if (available > 0) {
                const std::size_t n = std::min(available, wanted - *got);
                memcpy(out + *got, pending_.data() + pending_offset_, n);
                *got += n;
                pending_offset_ += n;
                CompactPending();
                continue;
            }
            if (done_) break;
            ResumeIfPaused();
            if (!WaitFor([this] { return pending_.size() > pending_offset_ || paused_; })) {
                if (!done_) failed_ = true;  // a time-out
                break;
            }
        }
        if (*got == 0 && done_ && result_ != CURLE_OK && pending_.size() == pending_offset_) {
            failed_ = true;
        }
        // Bytes already copied out are reported now; the failure shows on the next read.
        return *got > 0 || !failed_;
    }

    // Empty until a send succeeded.
    const std::string& RawHeaders() const { return sent_ ? raw_headers_ : empty_; }

  private:
    bool StartTransfer(const Target& target, const std::string& verb) {
        InitCurlOnce();
        multi_ = curl_multi_init();
        easy_ = curl_easy_init();
        if (multi_ == nullptr || easy_ == nullptr) return false;
        ResetResponse();

        url_ = Origin(target.host, target.port) + "/";
        // With a proxy the request line carries the absolute address.
        request_target_ = session_.proxy.empty() ? target.object
                                                 : Origin(target.host, target.port) + target.object;
        curl_easy_setopt(easy_, CURLOPT_URL, url_.c_str());
        curl_easy_setopt(easy_, CURLOPT_REQUEST_TARGET, request_target_.c_str());
        curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http");
        curl_easy_setopt(easy_, CURLOPT_PROXY,
                         session_.proxy.c_str());  // "" also ignores the environment
        if (!session_.no_proxy.empty())
            curl_easy_setopt(easy_, CURLOPT_NOPROXY, session_.no_proxy.c_str());
        curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 0L);  // followed here, see Send
        curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(connect_timeout_ms_));
        curl_easy_setopt(easy_, CURLOPT_HTTP_VERSION, http_version_);
        if (!session_.agent.empty())
            curl_easy_setopt(easy_, CURLOPT_USERAGENT, session_.agent.c_str());

        // Any verb but GET and HEAD states its body length, "Content-Length: 0" included: a
        // server may otherwise wait for a body until the connection closes.
        const bool states_length = !body_.empty() || (verb != "GET" && verb != "HEAD");
        if (states_length) {
            curl_easy_setopt(easy_, CURLOPT_POSTFIELDSIZE_LARGE,
                             static_cast<curl_off_t>(body_.size()));
            curl_easy_setopt(easy_, CURLOPT_POSTFIELDS, body_.data());
            curl_easy_setopt(easy_, CURLOPT_CUSTOMREQUEST, verb.c_str());
        } else if (verb == "GET") {
            curl_easy_setopt(easy_, CURLOPT_HTTPGET, 1L);
        } else {
            curl_easy_setopt(easy_, CURLOPT_NOBODY, 1L);
        }

        ForEachPiece(headers_, "\r\n", [this](std::string_view line) {
            header_list_ = curl_slist_append(header_list_, std::string(line).c_str());
        });
        // A header name with nothing after the colon tells libcurl to leave out its own line.
        if (!HasHeader(headers_, "Accept"))
            header_list_ = curl_slist_append(header_list_, "Accept:");
        if (states_length && !HasHeader(headers_, "Content-Type")) {
            header_list_ = curl_slist_append(header_list_, "Content-Type:");
        }
        header_list_ = curl_slist_append(header_list_, "Expect:");
        curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, header_list_);

        curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &Request::OnHeaderLine);
        curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &Request::OnBodyBytes);
        curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
        curl_easy_setopt(easy_, CURLOPT_PREREQFUNCTION, &Request::OnConnected);
        curl_easy_setopt(easy_, CURLOPT_PREREQDATA, this);
        curl_easy_setopt(easy_, CURLOPT_XFERINFOFUNCTION, &Request::OnProgress);
        curl_easy_setopt(easy_, CURLOPT_XFERINFODATA, this);
        curl_easy_setopt(easy_, CURLOPT_NOPROGRESS, 0L);
        return curl_multi_add_handle(multi_, easy_) == CURLM_OK;
    }

    void EndTransfer() {
        if (multi_ != nullptr && easy_ != nullptr) curl_multi_remove_handle(multi_, easy_);
        if (easy_ != nullptr) curl_easy_cleanup(easy_);
        if (multi_ != nullptr) curl_multi_cleanup(multi_);
        curl_slist_free_all(header_list_);
        easy_ = nullptr;
        multi_ = nullptr;
        header_list_ = nullptr;
        ResetResponse();
    }

    void ResetResponse() {
        pending_.clear();
        pending_offset_ = 0;
        paused_ = false;
        raw_headers_.clear();
        location_.clear();
        status_ = 0;
        headers_complete_ = false;
        connected_ = false;
        done_ = false;
        failed_ = false;
        result_ = CURLE_OK;
        uploaded_ = 0;
        downloaded_ = 0;
    }

    // Drives the transfer until `ready` holds, running the process-events hook between slices.
    // False when the transfer ends without `ready`, or on a send or receive time-out.
    template <typename Ready>
    bool WaitFor(Ready ready) {
        last_activity_ = Clock::now();
        for (;;) {
            int running = 0;
            if (curl_multi_perform(multi_, &running) != CURLM_OK) {
                done_ = true;
                result_ = CURLE_FAILED_INIT;
            }
            CollectFinished();
            if (ready()) return true;
            if (done_ || InactivityExpired()) return false;
            curl_multi_poll(multi_, nullptr, 0, kSliceMs, nullptr);
            RunProcessEvents();
        }
    }

    void CollectFinished() {
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_, &left)) {
            if (message->msg == CURLMSG_DONE) {
                done_ = true;
                result_ = message->data.result;
            }
        }
    }

    // The connect itself is bounded by libcurl's connect time-out; after it, the send time-out
    // applies while the body goes out and the receive time-out while the answer is awaited.
    bool InactivityExpired() const {
        if (!connected_) return false;
        const bool sending = static_cast<curl_off_t>(body_.size()) > uploaded_;
        const DWORD limit = sending ? send_timeout_ms_ : receive_timeout_ms_;
        return limit != 0 && Clock::now() - last_activity_ > std::chrono::milliseconds(limit);
    }

    void ResumeIfPaused() {
        if (!paused_ || pending_.size() - pending_offset_ >= kBodyBufferLimit) return;
        paused_ = false;
        curl_easy_pause(easy_, CURLPAUSE_CONT);  // may hand over the held-back bytes at once
    }

    void CompactPending() {
        if (pending_offset_ == pending_.size()) {
            pending_.clear();
            pending_offset_ = 0;
        } else if (pending_offset_ >= kBodyBufferLimit) {
            pending_.erase(0, pending_offset_);
            pending_offset_ = 0;
        }
    }

    static size_t OnHeaderLine(char* data, size_t size, size_t count, void* self) {
        auto* request = static_cast<Request*>(self);
        const std::size_t length = size * count;
        request->last_activity_ = Clock::now();
        std::string_view line(data, length);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
        if (request->headers_complete_) return length;  // trailers of a chunked body
        if (StartsWithIgnoreCase(line, "HTTP/")) {      // a new answer: an interim one went before
            request->raw_headers_.clear();
            request->location_.clear();
        }
        request->raw_headers_.append(line).append("\r\n");
        if (line.empty()) {
            long status = 0;
            curl_easy_getinfo(request->easy_, CURLINFO_RESPONSE_CODE, &status);
            if (status >= 200) {
                request->status_ = status;
                request->headers_complete_ = true;
            }
        } else if (HasHeader(line, "Location")) {
            request->location_ = std::string(TrimBlanks(line.substr(line.find(':') + 1)));
        }
        return length;
    }

    static size_t OnBodyBytes(char* data, size_t size, size_t count, void* self) {
        auto* request = static_cast<Request*>(self);
        const std::size_t length = size * count;
        request->last_activity_ = Clock::now();
        if (request->pending_.size() - request->pending_offset_ >= kBodyBufferLimit) {
            request->paused_ = true;
            return CURL_WRITEFUNC_PAUSE;  // libcurl keeps these bytes and hands them over again
        }
        request->pending_.append(data, length);
        return length;
    }

    static int OnConnected(void* self, char*, char*, int, int) {
        auto* request = static_cast<Request*>(self);
        request->connected_ = true;
        request->last_activity_ = Clock::now();
        return CURL_PREREQFUNC_OK;
    }

    static int OnProgress(void* self, curl_off_t, curl_off_t downloaded, curl_off_t,
                          curl_off_t uploaded) {
        auto* request = static_cast<Request*>(self);
        if (uploaded != request->uploaded_ || downloaded != request->downloaded_) {
            request->last_activity_ = Clock::now();
            request->uploaded_ = uploaded;
            request->downloaded_ = downloaded;
        }
        return 0;
    }

    // Fixed when the handle is made.
    const Session session_;
    const Target first_target_;
    const std::string verb_;
    const long http_version_;
    std::string fixed_headers_;  // from the referrer and accept types
    DWORD connect_timeout_ms_ = kDefaultTimeoutMs;
    DWORD send_timeout_ms_ = kDefaultTimeoutMs;
    DWORD receive_timeout_ms_ = kDefaultTimeoutMs;

    // One send.
    std::string headers_;
    std::string body_;
    bool sent_ = false;

    // One leg of the transfer.
    CURLM* multi_ = nullptr;
    CURL* easy_ = nullptr;
    curl_slist* header_list_ = nullptr;
    std::string url_;
    std::string request_target_;
    std::string pending_;  // body bytes received and not yet read, from pending_offset_ on
    std::size_t pending_offset_ = 0;
    bool paused_ = false;
    std::string raw_headers_;
    std::string location_;
    long status_ = 0;
    bool headers_complete_ = false;
    bool connected_ = false;
    bool done_ = false;
    bool failed_ = false;
    CURLcode result_ = CURLE_OK;
    curl_off_t uploaded_ = 0;
    curl_off_t downloaded_ = 0;
    Clock::time_point last_activity_;

    const std::string empty_;
};

// The open handles. A call holds its own reference, so a handle closed meanwhile (from a
// handler that the process-events hook ran) lives until that call returns.
class HandleTable {
  public:
    HINTERNET Add(std::shared_ptr<InternetHandle> handle) {
        std::lock_guard<std::mutex> lock(mutex_);
        HINTERNET key = handle.get();
        open_[key] = std::move(handle);
        return key;
    }

    template <typename Kind>
    std::shared_ptr<Kind> Find(HINTERNET key) {
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = open_.find(key);
        return it == open_.end() ? nullptr : std::dynamic_pointer_cast<Kind>(it->second);
    }

    bool Remove(HINTERNET key) {
        std::shared_ptr<InternetHandle> closing;  // destroyed after the lock is released
        std::lock_guard<std::mutex> lock(mutex_);
        auto it = open_.find(key);
        if (it == open_.end()) return false;
        closing = std::move(it->second);
        open_.erase(it);
        return true;
    }

  private:
    std::mutex mutex_;
    std::unordered_map<HINTERNET, std::shared_ptr<InternetHandle>> open_;
};

HandleTable& Handles() {
    // Never destroyed: detached threads may still close handles while the program ends.
    static auto* table = new HandleTable;
    return *table;
}

}  // namespace

HINTERNET InternetOpenA(const char* agent, DWORD access_type, const char* proxy,
                        const char* proxy_bypass, DWORD /*flags*/) {
    auto session = std::make_shared<Session>();
    session->agent = TextOrEmpty(agent);
    if (access_type == INTERNET_OPEN_TYPE_PROXY) {
        session->proxy = HttpProxyOf(TextOrEmpty(proxy));
        if (session->proxy.empty()) return nullptr;
        session->no_proxy = NoProxyOf(TextOrEmpty(proxy_bypass));
    } else if (access_type != INTERNET_OPEN_TYPE_DIRECT) {
        return nullptr;
    }
    return Handles().Add(std::move(session));
}

HINTERNET InternetConnectA(HINTERNET internet, const char* server, INTERNET_PORT port,
                           const char* /*user*/, const char* /*password*/, DWORD service,
                           DWORD /*flags*/, DWORD_PTR /*context*/) {
    std::shared_ptr<Session> session = Handles().Find<Session>(internet);
    if (!session || service != INTERNET_SERVICE_HTTP || server == nullptr || *server == '\0') {
        return nullptr;
    }
    auto connection = std::make_shared<Connection>();
    connection->session = *session;
    connection->host = server;
    connection->port = port == INTERNET_INVALID_PORT_NUMBER ? INTERNET_DEFAULT_HTTP_PORT : port;
    return Handles().Add(std::move(connection));
}

HINTERNET HttpOpenRequestA(HINTERNET connection, const char* verb, const char* object_name,
                           const char* version, const char* referrer, const char** accept_types,
                           DWORD /*flags*/, DWORD_PTR /*context*/) {
    std::shared_ptr<Connection> parent = Handles().Find<Connection>(connection);
    if (!parent) return nullptr;
    const std::string verb_text = (verb == nullptr || *verb == '\0') ? "GET" : verb;
    const long http_version =
        TextOrEmpty(version) == "HTTP/1.0" ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1;
    auto request =
        std::make_shared<Request>(*parent, verb_text, TextOrEmpty(object_name), http_version);
    if (referrer != nullptr && *referrer != '\0')
        request->AddHeaderLine("Referer: " + std::string(referrer));
    if (accept_types != nullptr && accept_types[0] != nullptr) {
        std::string accept = "Accept: ";
        for (const char** type = accept_types; *type != nullptr; ++type) {
            if (type != accept_types) accept += ", ";
            accept += *type;
        }
        request->AddHeaderLine(accept);
    }
    return Handles().Add(std::move(request));
}

bool InternetSetOptionA(HINTERNET handle, DWORD option, void* buffer, DWORD buffer_length) {
    std::shared_ptr<Request> request = Handles().Find<Request>(handle);
    if (!request || buffer == nullptr || buffer_length < sizeof(DWORD)) return false;
    DWORD milliseconds = 0;
    memcpy(&milliseconds, buffer, sizeof milliseconds);
    return request->SetTimeout(option, milliseconds);
}

bool HttpSendRequestA(HINTERNET handle, const char* headers, DWORD headers_length,
                      const void* optional, DWORD optional_length) {
    std::shared_ptr<Request> request = Handles().Find<Request>(handle);
    if (!request) return false;
    std::string header_text;
    if (headers != nullptr) {
        header_text = headers_length == LENGTH_UP_TO_ZERO ? std::string(headers)
                                                          : std::string(headers, headers_length);
    }
    std::string body;
    if (optional != nullptr) body.assign(static_cast<const char*>(optional), optional_length);
    return request->Send(std::move(header_text), std::move(body));
}

bool InternetReadFile(HINTERNET handle, void* buffer, DWORD bytes_to_read, DWORD* bytes_read) {
    std::shared_ptr<Request> request = Handles().Find<Request>(handle);
    if (bytes_read != nullptr) *bytes_read = 0;
    if (!request || bytes_read == nullptr || (buffer == nullptr && bytes_to_read > 0)) return false;
    std::size_t got = 0;
    const bool ok = request->Read(static_cast<char*>(buffer), bytes_to_read, &got);
    *bytes_read = static_cast<DWORD>(got);
    return ok;
}

bool HttpQueryInfoA(HINTERNET handle, DWORD info_level, void* buffer, DWORD* buffer_length,
                    DWORD* /*index*/) {
    std::shared_ptr<Request> request = Handles().Find<Request>(handle);
    if (!request || info_level != HTTP_QUERY_RAW_HEADERS_CRLF || buffer_length == nullptr)
        return false;
    const std::string& headers = request->RawHeaders();
    if (headers.empty()) return false;
    if (buffer == nullptr || *buffer_length < headers.size() + 1) {
        *buffer_length = static_cast<DWORD>(headers.size() + 1);
        return false;
    }
    memcpy(buffer, headers.data(), headers.size());
    static_cast<char*>(buffer)[headers.size()] = '\0';
    *buffer_length = static_cast<DWORD>(headers.size());
    return true;
}

bool InternetCloseHandle(HINTERNET handle) {
    return handle != nullptr && Handles().Remove(handle);
}

std::string EscapeControlBytes(std::string_view text, bool blanks_too) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || (blanks_too && byte == 0x20)) {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0x0F];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

}  // namespace platform

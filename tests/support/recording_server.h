#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "platform/process_events.h"

namespace httplib {
class Server;
}

// Loopback servers for the network suites. Each listens on 127.0.0.1 at an ephemeral port from
// construction to destruction and records what it received.
namespace testsupport {

struct RecordedRequest {
    std::string method;
    std::string target;  // the request target exactly as on the request line
    std::vector<std::pair<std::string, std::string>> headers;  // names as spelled, sorted by name
    std::string body;

    // The value of the first header of that name (letter case ignored); empty when absent.
    std::string Header(std::string_view name) const;
    bool HasHeader(std::string_view name) const;
};

struct Reply {
    int status = 200;
    std::string body;
    std::string content_type = "text/html";
    std::vector<std::pair<std::string, std::string>> headers;  // extra lines, e.g. Location
    bool chunked = false;  // send the body with chunked transfer encoding
};

using Handler = std::function<Reply(const RecordedRequest&)>;

// An HTTP server (cpp-httplib) that answers through a handler the test sets; until then every
// request gets 200 with an empty body. It knows the standard methods in capitals only.
class RecordingServer {
  public:
    RecordingServer();
    ~RecordingServer();
    RecordingServer(const RecordingServer&) = delete;
    RecordingServer& operator=(const RecordingServer&) = delete;

    int port() const { return port_; }
    // "http://127.0.0.1:PORT" + path.
    std::string Url(const std::string& path) const;

    // Runs on the server's threads; may be replaced at any time.
    void SetHandler(Handler handler);

    std::vector<RecordedRequest> Requests() const;
    // True once at least `count` requests have been recorded, false after the time-out.
    bool WaitForRequests(std::size_t count, std::chrono::milliseconds timeout) const;

  private:
    std::unique_ptr<httplib::Server> server_;
    int port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    mutable std::condition_variable recorded_;
    std::vector<RecordedRequest> requests_;
    Handler handler_;
};

// What a RawServer sends on every connection once it has read the request.
struct RawReply {
    explicit RawReply(std::string first_bytes = "", bool hold_after_first = false,
                      std::string rest_bytes = "")
        : first(std::move(first_bytes)), hold(hold_after_first), rest(std::move(rest_bytes)) {}

    std::string first;  // sent at once (may be empty: a server that stalls)
    bool hold;          // after `first`, wait until Release() (or destruction)
    std::string rest;   // sent after the hold; then the connection is closed
};

// A server on plain sockets for what the HTTP fixture cannot show or do: the exact request
// bytes, verbs in any spelling, answers that stall, stop short or hold raw bytes. It serves one
// connection at a time.
class RawServer {
  public:
    explicit RawServer(RawReply reply);
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    int port() const { return port_; }
    std::string Url(const std::string& path) const;

    // Lets held connections go on; later connections are not held.
    void Release();

    // Each request as received: request line, header lines, blank line and the body that its
    // Content-Length announces.
    std::vector<std::string> Requests() const;
    bool WaitForRequests(std::size_t count, std::chrono::milliseconds timeout) const;

  private:
    void Serve();
    void ServeConnection(int fd);

    const RawReply reply_;
    int listen_fd_ = -1;
    int port_ = 0;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool released_ = false;
    bool stopping_ = false;
    int connection_fd_ = -1;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A loopback port where a connect neither succeeds nor fails: its listening socket never
// accepts and its backlog is full, so the connect hangs until the client gives up.
class HangingConnectPort {
  public:
    HangingConnectPort();
    ~HangingConnectPort();
    HangingConnectPort(const HangingConnectPort&) = delete;
    HangingConnectPort& operator=(const HangingConnectPort&) = delete;

    // False when the backlog could not be filled (then a connect would not hang).
    bool ready() const { return ready_; }
    int port() const { return port_; }
    std::string Url(const std::string& path) const;

  private:
    int listen_fd_ = -1;
    int port_ = 0;
    bool ready_ = false;
    std::vector<int> fillers_;
};

// Installs a process-events hook that counts its calls, for as long as it lives (one at a time).
// The optional action runs inside each call, with the count so far, on the calling thread.
class ProcessEventsCounter {
  public:
    explicit ProcessEventsCounter(std::function<void(int)> on_call = {}) {
        calls_ = 0;
        on_call_ = std::move(on_call);
        previous_ = platform::SetProcessEventsHook(&ProcessEventsCounter::Hook);
    }
    ~ProcessEventsCounter() {
        platform::SetProcessEventsHook(previous_);
        on_call_ = nullptr;
    }
    ProcessEventsCounter(const ProcessEventsCounter&) = delete;
    ProcessEventsCounter& operator=(const ProcessEventsCounter&) = delete;

    int calls() const { return calls_; }

  private:
    static void Hook() {
        const int count = ++calls_;
        if (on_call_) on_call_(count);
    }

    static inline std::atomic<int> calls_{0};
    static inline std::function<void(int)> on_call_;
    platform::ProcessEventsHook previous_ = nullptr;
};

}  // namespace testsupport

#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "data_set.h"
#include "faults.h"
#include "site.h"

namespace httplib {
class Server;
}

namespace site {

struct ServerOptions {
    int port = 18080;  // 0: any free port
    std::string announce_version = "1.4.22";
    int news_interval_seconds = 30;
    std::vector<FaultRule> faults;
};

// tarnbay-site on 127.0.0.1. Normally cpp-httplib serves; when a transport fault is asked for,
// a small listener of our own serves instead (one request per connection), since those faults
// need the socket itself.
class SiteServer {
public:
    SiteServer(const DataSet& data, ServerOptions options);
    ~SiteServer();
    SiteServer(const SiteServer&) = delete;
    SiteServer& operator=(const SiteServer&) = delete;

    // Binds and starts serving on a thread of its own. False (with the reason) when the port
    // cannot be bound.
    bool Start(std::string& error);
    // Stops listening, ends every connection and waits for the threads.
    void Stop();
    int port() const { return port_; }

    // The answer to one request, body faults included (what both listeners send).
    Answer AnswerFor(std::string_view host_header, std::string_view raw_target) const;

private:
    bool StartHttplib(std::string& error);
    bool StartRaw(std::string& error);
    void AcceptLoop();
    void ServeConnection(int fd);

    const DataSet& data_;
    ServerOptions options_;
    int port_ = 0;
    std::unique_ptr<Site> site_;
    std::unique_ptr<httplib::Server> http_;
    std::thread listener_;
    int raw_fd_ = -1;
    std::atomic<bool> stopping_{false};
    std::mutex connections_mutex_;
    struct Connection {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    std::vector<Connection> connections_;
};

}  // namespace site

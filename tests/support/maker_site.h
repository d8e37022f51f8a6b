#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "net/remote_sites.h"
#include "support/recording_server.h"

namespace testsupport {

// A loopback stand-in for the maker's site: /config.css and /news.html answer what the test
// set (empty at first), any other path gets 404. Programs started on it ask no other site.
class MakerSite {
public:
    MakerSite() {
        server_.SetHandler([this](const RecordedRequest& request) {
            std::lock_guard<std::mutex> lock(mutex_);
            Reply reply;
            if (request.target == "/config.css") {
                reply.body = config_;
                reply.content_type = "text/css";
            } else if (request.target == "/news.html") {
                reply.body = news_;
            } else {
                reply.status = 404;
            }
            return reply;
        });
    }

    void SetConfigPage(const std::string& page) {
        std::lock_guard<std::mutex> lock(mutex_);
        config_ = page;
    }
    void SetNewsPage(const std::string& page) {
        std::lock_guard<std::mutex> lock(mutex_);
        news_ = page;
    }

    // Every fixed address on this server: the bus site's too, so nothing reaches a real site.
    net::RemoteAddresses Addresses() const {
        const std::string host = "127.0.0.1:" + std::to_string(server_.port());
        return net::RemoteAddressesFor(host, host);
    }
    std::string Url(const std::string& path) const { return server_.Url(path); }

    // The request targets received, in order.
    std::vector<std::string> Targets() const {
        std::vector<std::string> targets;
        for (const RecordedRequest& request : server_.Requests()) targets.push_back(request.target);
        return targets;
    }
    const RecordingServer& server() const { return server_; }

private:
    std::mutex mutex_;
    std::string config_;
    std::string news_;
    RecordingServer server_;  // last: it stops before the pages it serves go
};

}  // namespace testsupport

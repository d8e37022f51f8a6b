#include "site_fixture.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <stdexcept>

#include <gtest/gtest.h>

namespace site_test {

std::unique_ptr<site::DataSet> LoadRepositoryData() {
    std::string error;
    auto data = site::LoadDataSet(site::DefaultDataDirectory(), error);
    if (!data) throw std::runtime_error("data set: " + error);
    return data;
}

const site::DataSet& RepositoryData() {
    static const std::unique_ptr<site::DataSet> data = LoadRepositoryData();
    return *data;
}

namespace {

// True once the head and Content-Length bytes of body have arrived.
bool AnswerComplete(const std::string& raw) {
    std::size_t blank = raw.find("\r\n\r\n");
    if (blank == std::string::npos) return false;
    std::size_t length = raw.find("Content-Length: ");
    if (length == std::string::npos || length > blank) return false;
    return raw.size() - blank - 4 >= std::strtoull(raw.c_str() + length + 16, nullptr, 10);
}

}  // namespace

Reply Fetch(int port, const std::string& host, const std::string& target, int timeout_ms) {
    Reply reply;
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return reply;
    }
    reply.connected = true;
    std::string request = "GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\nConnection: close\r\n\r\n";
    ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    char buffer[65536];
    while (true) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            reply.timed_out = true;
            break;
        }
        pollfd p{fd, POLLIN, 0};
        int r = ::poll(&p, 1, static_cast<int>(left.count()));
        if (r == 0) continue;
        ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == ECONNRESET) reply.reset = true;
        if (n <= 0) break;
        reply.raw.append(buffer, static_cast<std::size_t>(n));
        ++reply.reads;
        if (AnswerComplete(reply.raw)) break;  // a server may keep the connection open after it
    }
    ::close(fd);
    if (reply.raw.rfind("HTTP/1.", 0) == 0 && reply.raw.size() > 12) reply.status = std::atoi(reply.raw.c_str() + 9);
    std::size_t blank = reply.raw.find("\r\n\r\n");
    if (blank != std::string::npos) reply.body = reply.raw.substr(blank + 4);
    return reply;
}

RunningSite::RunningSite(const site::DataSet& data, site::ServerOptions options) {
    options.port = 0;
    server_ = std::make_unique<site::SiteServer>(data, std::move(options));
    std::string error;
    if (!server_->Start(error)) throw std::runtime_error(error);
}

RunningSite::~RunningSite() { server_->Stop(); }

std::string RunningSite::Get(const std::string& host, const std::string& target) const {
    Reply reply = Fetch(port(), host, target);
    EXPECT_EQ(reply.status, 200) << host << target;
    return reply.body;
}

}  // namespace site_test

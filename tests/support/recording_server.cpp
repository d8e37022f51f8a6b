#include "support/recording_server.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace testsupport {
namespace {

constexpr const char* kLoopback = "127.0.0.1";

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

std::string LoopbackUrl(int port, const std::string& path) {
    return "http://" + std::string(kLoopback) + ":" + std::to_string(port) + path;
}

// Headers that httplib adds to a request itself.
bool IsServerAddedHeader(const std::string& name) {
    for (const char* added : {"REMOTE_ADDR", "REMOTE_PORT", "LOCAL_ADDR", "LOCAL_PORT"}) {
        if (name == added) return true;
    }
    return false;
}

RecordedRequest Record(const httplib::Request& request) {
    RecordedRequest recorded;
    recorded.method = request.method;
    recorded.target = request.target;
    for (const auto& [name, value] : request.headers) {
        if (!IsServerAddedHeader(name)) recorded.headers.emplace_back(name, value);
    }
    recorded.body = request.body;
    return recorded;
}

void Answer(const Reply& reply, httplib::Response& response) {
    static constexpr std::size_t kChunkSize = 1000;
    response.status = reply.status;
    for (const auto& [name, value] : reply.headers) response.set_header(name, value);
    if (!reply.chunked) {
        response.set_content(reply.body, reply.content_type.c_str());
        return;
    }
    auto body = std::make_shared<std::string>(reply.body);
    response.set_chunked_content_provider(
        reply.content_type.c_str(), [body](std::size_t offset, httplib::DataSink& sink) {
            if (offset < body->size()) {
                sink.write(body->data() + offset, std::min(kChunkSize, body->size() - offset));
            } else {
                sink.done();
            }
            return true;
        });
}

// A listening TCP socket on the loopback address at an ephemeral port; -1 on failure.
int ListenOnLoopback(int backlog, int* port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = 0;
    ::inet_pton(AF_INET, kLoopback, &address.sin_addr);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, backlog) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        return -1;
    }
    *port = ntohs(address.sin_port);
    return fd;
}

void SendAll(int fd, const std::string& bytes) {
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) return;
        sent += static_cast<std::size_t>(n);
    }
}

// The Content-Length of a request head, 0 when there is none.
std::size_t ContentLength(const std::string& head) {
    std::size_t line_start = head.find("\r\n");
    while (line_start != std::string::npos && line_start + 2 < head.size()) {
        line_start += 2;
        const std::size_t line_end = head.find("\r\n", line_start);
        const std::string line = head.substr(line_start, line_end - line_start);
        const std::size_t colon = line.find(':');
        if (colon != std::string::npos &&
            EqualIgnoreCase(line.substr(0, colon), "Content-Length")) {
            return std::strtoul(line.c_str() + colon + 1, nullptr, 10);
        }
        line_start = line_end;
    }
    return 0;
}

// Reads one request (head and announced body) from the connection; what arrived if it ends
// before that.
std::string ReadRequest(int fd) {
    constexpr std::size_t kLimit = 16 * 1024 * 1024;
    std::string bytes;
    std::size_t wanted = std::string::npos;
    char buffer[4096];
    while (bytes.size() < wanted && bytes.size() < kLimit) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
        const std::size_t head_end = bytes.find("\r\n\r\n");
        if (wanted == std::string::npos && head_end != std::string::npos) {
            wanted = head_end + 4 + ContentLength(bytes.substr(0, head_end + 2));
        }
    }
    return bytes;
}

}  // namespace

std::string RecordedRequest::Header(std::string_view name) const {
    for (const auto& [header_name, value] : headers) {
        if (EqualIgnoreCase(header_name, name)) return value;
    }
    return std::string();
}

bool RecordedRequest::HasHeader(std::string_view name) const {
    return std::any_of(headers.begin(), headers.end(),
                       [name](const auto& header) { return EqualIgnoreCase(header.first, name); });
}

RecordingServer::RecordingServer() : server_(std::make_unique<httplib::Server>()) {
    server_->set_keep_alive_max_count(1);  // one request per connection: nothing lingers
    // The body is read before the routed handlers run (a pre-routing handler would see none).
    const auto record_and_answer = [this](const httplib::Request& request,
                                          httplib::Response& response) {
        RecordedRequest recorded = Record(request);
        Handler handler;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            requests_.push_back(recorded);
            handler = handler_;
        }
        recorded_.notify_all();
        Answer(handler ? handler(recorded) : Reply{}, response);
    };
    const std::string any_path = R"([\s\S]*)";  // decoded paths may hold line breaks
    server_->Get(any_path, record_and_answer);
    server_->Post(any_path, record_and_answer);
    server_->Put(any_path, record_and_answer);
    server_->Patch(any_path, record_and_answer);
    server_->Delete(any_path, record_and_answer);
    server_->Options(any_path, record_and_answer);
    port_ = server_->bind_to_any_port(kLoopback);
    // The socket listens from here on; connections wait in the backlog until the loop runs.
    if (port_ > 0) thread_ = std::thread([this] { server_->listen_after_bind(); });
}

RecordingServer::~RecordingServer() {
    // A stop before the loop has started would be lost and the loop would never end.
    if (thread_.joinable()) {
        while (!server_->is_running()) std::this_thread::yield();
    }
    server_->stop();
    if (thread_.joinable()) thread_.join();
}

std::string RecordingServer::Url(const std::string& path) const {
    return LoopbackUrl(port_, path);
}

void RecordingServer::SetHandler(Handler handler) {
    std::lock_guard<std::mutex> lock(mutex_);
    handler_ = std::move(handler);
}

std::vector<RecordedRequest> RecordingServer::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

bool RecordingServer::WaitForRequests(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return recorded_.wait_for(lock, timeout, [&] { return requests_.size() >= count; });
}

RawServer::RawServer(RawReply reply) : reply_(std::move(reply)) {
    listen_fd_ = ListenOnLoopback(8, &port_);
    if (listen_fd_ >= 0) thread_ = std::thread([this] { Serve(); });
}

RawServer::~RawServer() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        // Shutting the sockets down wakes the server thread from accept() or recv().
        if (connection_fd_ >= 0) ::shutdown(connection_fd_, SHUT_RDWR);
    }
    changed_.notify_all();
    if (listen_fd_ >= 0) ::shutdown(listen_fd_, SHUT_RDWR);
    if (thread_.joinable()) thread_.join();
    if (listen_fd_ >= 0) ::close(listen_fd_);
}

std::string RawServer::Url(const std::string& path) const {
    return LoopbackUrl(port_, path);
}

void RawServer::Release() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        released_ = true;
    }
    changed_.notify_all();
}

std::vector<std::string> RawServer::Requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return requests_;
}

bool RawServer::WaitForRequests(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return requests_.size() >= count; });
}

void RawServer::Serve() {
    for (;;) {
        const int fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return;  // shut down
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (stopping_) {
                ::close(fd);
                return;
            }
            connection_fd_ = fd;
        }
        ServeConnection(fd);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            connection_fd_ = -1;
        }
        ::close(fd);
    }
}

void RawServer::ServeConnection(int fd) {
    std::string request = ReadRequest(fd);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        requests_.push_back(std::move(request));
    }
    changed_.notify_all();
    SendAll(fd, reply_.first);
    if (reply_.hold) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return released_ || stopping_; });
        if (stopping_) return;
    }
    SendAll(fd, reply_.rest);
}

HangingConnectPort::HangingConnectPort() {
    listen_fd_ = ListenOnLoopback(0, &port_);
    if (listen_fd_ < 0) return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port_));
    ::inet_pton(AF_INET, kLoopback, &address.sin_addr);
    // Connect until one connect stays pending: from then on the kernel drops every new SYN.
    constexpr int kMaxFillers = 8;
    constexpr int kSettleMs = 200;
    for (int i = 0; i < kMaxFillers && !ready_; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) return;
        fillers_.push_back(fd);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) continue;
        if (errno != EINPROGRESS) return;
        pollfd waiting{fd, POLLOUT, 0};
        ready_ = ::poll(&waiting, 1, kSettleMs) == 0;
    }
}

HangingConnectPort::~HangingConnectPort() {
    for (int fd : fillers_) ::close(fd);
    if (listen_fd_ >= 0) ::close(listen_fd_);
}

std::string HangingConnectPort::Url(const std::string& path) const {
    return LoopbackUrl(port_, path);
}

}  // namespace testsupport

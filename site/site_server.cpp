#include "site_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <httplib.h>

#include "raw_http.h"
#include "request_target.h"

namespace site {

namespace {
constexpr int kHeadTimeoutMs = 10000;
constexpr std::size_t kPoolThreads = 64;
}

SiteServer::SiteServer(const DataSet& data, ServerOptions options) : data_(data), options_(std::move(options)) {}

SiteServer::~SiteServer() { Stop(); }

Answer SiteServer::AnswerFor(std::string_view host_header, std::string_view raw_target) const {
    Answer answer = site_->Respond(host_header, raw_target);
    if (const FaultRule* fault = FindFault(options_.faults, ParseTarget(raw_target).path))
        ApplyBodyFault(fault->mode, answer);
    return answer;
}

bool SiteServer::Start(std::string& error) {
    bool raw = false;
    for (const auto& rule : options_.faults) raw = raw || IsTransportFault(rule.mode);
    return raw ? StartRaw(error) : StartHttplib(error);
}

bool SiteServer::StartHttplib(std::string& error) {
    http_ = std::make_unique<httplib::Server>();
    // Every request is answered here, before httplib's own routing: the target is decoded by
    // us from its raw bytes (httplib's decoding would treat '+' as a blank).
    http_->set_pre_routing_handler([this](const httplib::Request& req, httplib::Response& res) {
        if (req.method != "GET" && req.method != "HEAD") return httplib::Server::HandlerResponse::Unhandled;
        Answer answer = AnswerFor(req.get_header_value("Host"), req.target);
        res.status = answer.status;
        res.set_content(std::move(answer.body), answer.content_type.c_str());
        return httplib::Server::HandlerResponse::Handled;
    });
    http_->set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty()) {
            Answer answer = ErrorPage(res.status);
            res.set_content(answer.body, answer.content_type.c_str());
        }
    });
    // httplib gives each keep-alive connection a pool thread until it goes idle; a small pool
    // makes further clients wait for those, so the pool is sized for many concurrent clients.
    http_->new_task_queue = [] { return new httplib::ThreadPool(kPoolThreads); };
    http_->set_tcp_nodelay(true);  // head and body go out in two writes: no delayed-ACK stall
    http_->set_read_timeout(10, 0);
    http_->set_write_timeout(10, 0);
    int bound = options_.port == 0 ? http_->bind_to_any_port("127.0.0.1")
                                   : (http_->bind_to_port("127.0.0.1", options_.port) ? options_.port : -1);
    if (bound <= 0) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(options_.port);
        http_.reset();
        return false;
    }
    port_ = bound;
    site_ = std::make_unique<Site>(data_, MakerSettings{port_, options_.announce_version, options_.news_interval_seconds});
    listener_ = std::thread([this] { http_->listen_after_bind(); });
    return true;
}

bool SiteServer::StartRaw(std::string& error) {
    raw_fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int yes = 1;
    ::setsockopt(raw_fd_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(options_.port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (raw_fd_ < 0 || ::bind(raw_fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        ::listen(raw_fd_, 64) != 0 || ::getsockname(raw_fd_, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(options_.port) + ": " + std::strerror(errno);
        if (raw_fd_ >= 0) ::close(raw_fd_);
        raw_fd_ = -1;
        return false;
    }
    port_ = ntohs(addr.sin_port);
    site_ = std::make_unique<Site>(data_, MakerSettings{port_, options_.announce_version, options_.news_interval_seconds});
    listener_ = std::thread([this] { AcceptLoop(); });
    return true;
}

void SiteServer::AcceptLoop() {
    while (!stopping_.load()) {
        pollfd p{raw_fd_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) continue;
        int fd = ::accept4(raw_fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        std::lock_guard<std::mutex> lock(connections_mutex_);
        // Join the connections that have ended, so a long run does not pile up threads.
        for (auto it = connections_.begin(); it != connections_.end();) {
            if (it->done->load()) {
                it->thread.join();
                it = connections_.erase(it);
            } else {
                ++it;
            }
        }
        auto done = std::make_shared<std::atomic<bool>>(false);
        connections_.push_back({std::thread([this, fd, done] {
                                    ServeConnection(fd);
                                    done->store(true);
                                }),
                                done});
    }
}

void SiteServer::ServeConnection(int fd) {
    // A refusal that applies to every path closes before reading anything.
    const FaultRule* any = FindFault(options_.faults, "");
    if (any && any->path.empty() && any->mode == FaultMode::kRefuse) {
        ::close(fd);
        return;
    }
    RawRequest request;
    if (ReadRequestHead(fd, request, kHeadTimeoutMs, stopping_)) {
        std::string path = ParseTarget(request.target).path;
        const FaultRule* fault = FindFault(options_.faults, path);
        Answer answer = (request.method == "GET" || request.method == "HEAD") ? AnswerFor(request.host, request.target)
                                                                              : ErrorPage(405);
        ServeRawConnection(fd, request, answer, fault, stopping_);
    }
    ::close(fd);
}

void SiteServer::Stop() {
    stopping_.store(true);
    if (http_) http_->stop();
    if (listener_.joinable()) listener_.join();
    std::vector<Connection> connections;
    {
        std::lock_guard<std::mutex> lock(connections_mutex_);
        connections.swap(connections_);
    }
    for (auto& c : connections) c.thread.join();
    if (raw_fd_ >= 0) ::close(raw_fd_);
    raw_fd_ = -1;
    http_.reset();
}

}  // namespace site

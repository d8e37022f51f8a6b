#include "raw_http.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <thread>

#include "text_util.h"

namespace site {

namespace {

constexpr std::size_t kMaxHead = 16 * 1024;
constexpr int kSliceMs = 50;          // how often a waiting connection looks at `stopping`
constexpr std::size_t kSlowPiece = 64;
constexpr int kSlowPauseMs = 10;

const char* Reason(int status) {
    return status == 200 ? "OK" : status == 404 ? "Not Found" : status == 405 ? "Method Not Allowed" : "Bad Request";
}

bool SendAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Waits until the peer closes (or sends more), or the server stops.
void WaitForPeerOrStop(int fd, const std::atomic<bool>& stopping) {
    char scratch[512];
    while (!stopping.load()) {
        pollfd p{fd, POLLIN, 0};
        int r = ::poll(&p, 1, kSliceMs);
        if (r < 0) return;
        if (r > 0) {
            ssize_t n = ::recv(fd, scratch, sizeof scratch, 0);
            if (n <= 0) return;
        }
    }
}

}  // namespace

bool ReadRequestHead(int fd, RawRequest& out, int timeout_ms, const std::atomic<bool>& stopping) {
    std::string head;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    char buffer[2048];
    while (head.find("\r\n\r\n") == std::string::npos) {
        if (stopping.load() || head.size() > kMaxHead || std::chrono::steady_clock::now() > deadline) return false;
        pollfd p{fd, POLLIN, 0};
        int r = ::poll(&p, 1, kSliceMs);
        if (r < 0) return false;
        if (r == 0) continue;
        ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) return false;
        head.append(buffer, static_cast<std::size_t>(n));
    }
    auto lines = Split(head.substr(0, head.find("\r\n\r\n")), '\n');
    auto parts = Split(Trim(lines[0]), ' ');
    if (parts.size() != 3 || parts[2].rfind("HTTP/1.", 0) != 0) return false;
    out.method = parts[0];
    out.target = parts[1];
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::size_t colon = lines[i].find(':');
        if (colon == std::string::npos) continue;
        std::string name = Trim(lines[i].substr(0, colon));
        for (auto& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (name == "host") out.host = Trim(lines[i].substr(colon + 1));
    }
    return true;
}

std::string SerializeAnswer(const Answer& answer, bool head_only) {
    std::string out = "HTTP/1.1 " + std::to_string(answer.status) + " " + Reason(answer.status) + "\r\n" +
                      "Content-Type: " + answer.content_type + "\r\n" +
                      "Content-Length: " + std::to_string(answer.body.size()) + "\r\nConnection: close\r\n\r\n";
    if (!head_only) out += answer.body;
    return out;
}

void ServeRawConnection(int fd, const RawRequest& request, const Answer& answer, const FaultRule* fault,
                        const std::atomic<bool>& stopping) {
    bool head_only = request.method == "HEAD";
    std::string bytes = SerializeAnswer(answer, head_only);
    if (!fault || !IsTransportFault(fault->mode)) {
        SendAll(fd, bytes.data(), bytes.size());
        return;
    }
    switch (fault->mode) {
        case FaultMode::kRefuse:
            return;
        case FaultMode::kStall:
            WaitForPeerOrStop(fd, stopping);
            return;
        case FaultMode::kSlow:
            for (std::size_t at = 0; at < bytes.size() && !stopping.load(); at += kSlowPiece) {
                if (!SendAll(fd, bytes.data() + at, std::min(kSlowPiece, bytes.size() - at))) return;
                std::this_thread::sleep_for(std::chrono::milliseconds(kSlowPauseMs));
            }
            return;
        case FaultMode::kReset: {
            std::size_t head_size = bytes.size() - (head_only ? 0 : answer.body.size());
            SendAll(fd, bytes.data(), head_size + (head_only ? 0 : answer.body.size() / 2));
            // A zero linger time makes close() send RST instead of FIN.
            linger reset{1, 0};
            ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
            return;
        }
        default:
            return;
    }
}

}  // namespace site

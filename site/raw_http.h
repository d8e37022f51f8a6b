#pragma once

#include <atomic>
#include <functional>
#include <string>

#include "answer.h"
#include "faults.h"

namespace site {

// The head of a request as read from a socket.
struct RawRequest {
    std::string method;
    std::string target;
    std::string host;
};

// Reads one request head (up to the blank line, at most 16 KiB, within `timeout_ms`).
// False for a peer that closes, times out, or sends something that is not a request line.
bool ReadRequestHead(int fd, RawRequest& out, int timeout_ms, const std::atomic<bool>& stopping);

// The status line, headers and body of an answer (Connection: close).
std::string SerializeAnswer(const Answer& answer, bool head_only);

// Carries out a transport fault (or a plain answer when `fault` is null) on a connection
// whose request has been read. Returns when done; the caller closes the socket unless it
// was reset here.
void ServeRawConnection(int fd, const RawRequest& request, const Answer& answer, const FaultRule* fault,
                        const std::atomic<bool>& stopping);

}  // namespace site

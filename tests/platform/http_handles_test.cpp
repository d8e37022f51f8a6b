#include "platform/http_handles.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "support/recording_server.h"

namespace {

using namespace platform;
using testsupport::RawReply;
using testsupport::RawServer;
using testsupport::RecordedRequest;
using testsupport::RecordingServer;
using testsupport::Reply;

constexpr std::chrono::seconds kWait{10};

// The three handles of one request, closed when the test ends.
struct OpenRequest {
    explicit OpenRequest(int port, const char* object = "/", const char* verb = "GET",
                         const char* host = "127.0.0.1", DWORD access = INTERNET_OPEN_TYPE_DIRECT,
                         const char* proxy = "") {
        internet = InternetOpenA("tarnbay-test", access, proxy, "", 0);
        connection = InternetConnectA(internet, host, static_cast<INTERNET_PORT>(port), "", "",
                                      INTERNET_SERVICE_HTTP, 0, 0);
        request = HttpOpenRequestA(connection, verb, object, "HTTP/1.1", nullptr, nullptr,
                                   INTERNET_FLAG_RELOAD, 0);
    }
    ~OpenRequest() {
        for (HINTERNET handle : {request, connection, internet}) {
            if (handle != nullptr) InternetCloseHandle(handle);
        }
    }
    OpenRequest(const OpenRequest&) = delete;
    OpenRequest& operator=(const OpenRequest&) = delete;

    void SetTimeout(DWORD option, DWORD milliseconds) {
        ASSERT_TRUE(InternetSetOptionA(request, option, &milliseconds, sizeof milliseconds));
    }
    bool Send(const std::string& headers = "", const std::string& body = "") {
        return HttpSendRequestA(request, headers.data(), static_cast<DWORD>(headers.size()),
                                body.empty() ? nullptr : body.data(),
                                static_cast<DWORD>(body.size()));
    }
    // Reads to the end in pieces of `piece` bytes; `sizes` gets each count, `failed` whether the
    // last read failed.
    std::string ReadAll(DWORD piece, std::vector<DWORD>* sizes = nullptr, bool* failed = nullptr) {
        std::string body;
        std::vector<char> buffer(piece);
        for (;;) {
            DWORD count = 0;
            const bool ok = InternetReadFile(request, buffer.data(), piece, &count);
            if (sizes != nullptr) sizes->push_back(count);
            if (failed != nullptr) *failed = !ok;
            body.append(buffer.data(), count);
            if (!ok || count == 0) return body;
        }
    }
    std::string RawHeaders() {
        std::vector<char> buffer(64 * 1024);
        DWORD length = static_cast<DWORD>(buffer.size());
        if (!HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr))
            return "";
        return std::string(buffer.data(), length);
    }

    HINTERNET internet = nullptr;
    HINTERNET connection = nullptr;
    HINTERNET request = nullptr;
};

std::string PatternBody(std::size_t size) {
    std::string body(size, '\0');
    for (std::size_t i = 0; i < size; ++i) body[i] = static_cast<char>('a' + i % 23);
    return body;
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

TEST(HttpHandlesTest, ReadFillsTheBufferUntilTheBodyEnds) {
    for (bool chunked : {false, true}) {
        SCOPED_TRACE(chunked ? "chunked" : "with length");
        RecordingServer server;
        server.SetHandler([chunked](const RecordedRequest&) {
            Reply reply;
            reply.body = PatternBody(2500);  // the server sends chunks of 1000 bytes
            reply.chunked = chunked;
            return reply;
        });
        OpenRequest open(server.port());
        ASSERT_TRUE(open.Send());
        std::vector<DWORD> sizes;
        EXPECT_EQ(open.ReadAll(700, &sizes), PatternBody(2500));
        EXPECT_EQ(sizes, (std::vector<DWORD>{700, 700, 700, 400, 0}));
        DWORD count = 99;
        char byte = 0;
        EXPECT_TRUE(InternetReadFile(open.request, &byte, 1, &count));  // still at the end
        EXPECT_EQ(count, 0u);
    }
}

// Bodies far beyond the held-back limit pause and resume the transfer; nothing may be lost or
// repeated, whether the reads are small or larger than what is held.
TEST(HttpHandlesTest, LargeBodiesArriveWhole) {
    const std::string body = PatternBody(3 * 1024 * 1024 + 17);
    RecordingServer server;
    server.SetHandler([&body](const RecordedRequest&) {
        Reply reply;
        reply.body = body;
        reply.chunked = true;
        return reply;
    });
    for (DWORD piece : {512u, 1024u * 1024u}) {
        SCOPED_TRACE(piece);
        OpenRequest open(server.port());
        ASSERT_TRUE(open.Send());
        bool failed = true;
        const std::string received = open.ReadAll(piece, nullptr, &failed);
        EXPECT_FALSE(failed);
        EXPECT_EQ(received.size(), body.size());
        EXPECT_TRUE(received == body);
    }
}

TEST(HttpHandlesTest, ObjectNameGoesOutRawButBlanksAndControlBytesAreEscaped) {
    RawServer server(RawReply{"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"});
    // 0x81 0x2F is one GBK character whose trail byte is '/'; D6 D0 is a GBK character.
    OpenRequest open(server.port(), "/a b\r\nX-Injected: 1\x81/?q=\xD6\xD0&t=\t\x7F%41#f");
    ASSERT_TRUE(open.Send());
    ASSERT_TRUE(server.WaitForRequests(1, kWait));
    const std::string request = server.Requests()[0];
    EXPECT_EQ(request.substr(0, request.find("\r\n")),
              "GET /a%20b%0D%0AX-Injected:%201\x81/?q=\xD6\xD0&t=%09%7F%41#f HTTP/1.1");
}

// libcurl must not add lines of its own that the caller did not ask for: a server that does
// not know "Expect: 100-continue" would stall a POST.
TEST(HttpHandlesTest, SendsOnlyTheCallersLinesAndTheBody) {
    RecordingServer server;
    const std::string body(1536 * 1024,
                           'b');  // beyond the size at which libcurl would ask to continue
    OpenRequest open(server.port(), "/form", "POST");
    ASSERT_TRUE(open.Send("X-One: 1\r\nx-two: \xD6\xD0\r\n", body));
    ASSERT_TRUE(server.WaitForRequests(1, kWait));
    const RecordedRequest got = server.Requests()[0];
    EXPECT_EQ(got.method, "POST");
    EXPECT_TRUE(got.body == body);
    EXPECT_EQ(got.Header("X-One"), "1");
    EXPECT_EQ(got.Header("x-two"), "\xD6\xD0");
    EXPECT_EQ(got.Header("Content-Length"), std::to_string(body.size()));
    EXPECT_EQ(got.Header("User-Agent"), "tarnbay-test");
    EXPECT_EQ(got.Header("Host"), "127.0.0.1:" + std::to_string(server.port()));
    for (const char* absent : {"Accept", "Expect", "Content-Type"})
        EXPECT_FALSE(got.HasHeader(absent)) << absent;
}

TEST(HttpHandlesTest, ProxyReceivesTheAbsoluteAddress) {
    RecordingServer proxy;
    const std::string at = "127.0.0.1:" + std::to_string(proxy.port());
    for (const std::string& list : {"http=" + at, at, "ftp=192.0.2.1:21 http=http://" + at}) {
        SCOPED_TRACE(list);
        OpenRequest open(8081, "/x?y=\xD6\xD0", "GET", "bus.example", INTERNET_OPEN_TYPE_PROXY,
                         list.c_str());
        ASSERT_TRUE(open.Send());
    }
    ASSERT_TRUE(proxy.WaitForRequests(3, kWait));
    for (const RecordedRequest& got : proxy.Requests()) {
        EXPECT_EQ(got.target, "http://bus.example:8081/x?y=\xD6\xD0");
        EXPECT_EQ(got.Header("Host"), "bus.example:8081");
    }
}

TEST(HttpHandlesTest, ProxyListWithoutHttpProxyIsRefused) {
    for (const char* list : {"", "http=", "ftp=192.0.2.1:21"}) {
        EXPECT_EQ(InternetOpenA("a", INTERNET_OPEN_TYPE_PROXY, list, "", 0), nullptr) << list;
    }
    EXPECT_EQ(InternetOpenA("a", 7, "", "", 0), nullptr);
}

TEST(HttpHandlesTest, RawHeadersAreTheStatusAndHeaderLinesInCrlfForm) {
    RecordingServer server;
    server.SetHandler([](const RecordedRequest&) {
        Reply reply;
        reply.status = 404;
        reply.body = "gone";
        reply.headers = {{"X-Test", "yes"}};
        return reply;
    });
    OpenRequest open(server.port());
    DWORD length = 100;
    char before[100];
    EXPECT_FALSE(
        HttpQueryInfoA(open.request, HTTP_QUERY_RAW_HEADERS_CRLF, before, &length, nullptr));
    ASSERT_TRUE(open.Send());

    const std::string headers = open.RawHeaders();
    EXPECT_EQ(headers.substr(0, headers.find("\r\n") + 2), "HTTP/1.1 404 Not Found\r\n");
    EXPECT_NE(headers.find("\r\nX-Test: yes\r\n"), std::string::npos);
    EXPECT_NE(headers.find("\r\nContent-Length: 4\r\n"), std::string::npos);
    EXPECT_EQ(headers.substr(headers.size() - 4), "\r\n\r\n");
    EXPECT_EQ(headers.find("\r\n\r\n"), headers.size() - 4);

    // Exactly the room needed, zero byte included: fits. One byte less: refused, buffer kept.
    std::vector<char> buffer(headers.size() + 1, '#');
    length = static_cast<DWORD>(headers.size());
    EXPECT_FALSE(
        HttpQueryInfoA(open.request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr));
    EXPECT_EQ(length, headers.size() + 1);
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), std::string(headers.size() + 1, '#'));
    EXPECT_TRUE(
        HttpQueryInfoA(open.request, HTTP_QUERY_RAW_HEADERS_CRLF, buffer.data(), &length, nullptr));
    EXPECT_EQ(length, headers.size());
    EXPECT_EQ(std::string(buffer.data()), headers);

    EXPECT_EQ(open.ReadAll(512), "gone");
}

struct RedirectCase {
    int status;
    const char* method_after;
    bool body_kept;
};

TEST(HttpHandlesTest, RedirectsAreFollowedLikeABrowser) {
    const RedirectCase cases[] = {{301, "GET", false},
                                  {302, "GET", false},
                                  {303, "GET", false},
                                  {307, "POST", true},
                                  {308, "POST", true}};
    for (const RedirectCase& c : cases) {
        SCOPED_TRACE(c.status);
        RecordingServer server;
        server.SetHandler([&c](const RecordedRequest& request) {
            Reply reply;
            if (request.target == "/old") {
                reply.status = c.status;
                reply.headers = {{"Location", "/new?\xD6\xD0"}};
                reply.body = "moved";
            } else {
                reply.body = "the new page";
            }
            return reply;
        });
        OpenRequest open(server.port(), "/old", "POST");
        ASSERT_TRUE(open.Send(
            "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: 3\r\n", "a=1"));
        EXPECT_EQ(open.ReadAll(512), "the new page");
        EXPECT_EQ(open.RawHeaders().substr(0, 17), "HTTP/1.1 200 OK\r\n");
        ASSERT_EQ(server.Requests().size(), 2u);
        const RecordedRequest second = server.Requests()[1];
        EXPECT_EQ(second.method, c.method_after);
        EXPECT_EQ(second.body, c.body_kept ? "a=1" : "");
        EXPECT_EQ(second.HasHeader("Content-Length"), c.body_kept);
        EXPECT_EQ(second.HasHeader("Content-Type"), c.body_kept);
    }
}

TEST(HttpHandlesTest, RedirectLoopEndsWithTheLastRedirect) {
    RecordingServer server;
    server.SetHandler([](const RecordedRequest&) {
        Reply reply;
        reply.status = 302;
        reply.headers = {{"Location", "/again"}};
        reply.body = "again";
        return reply;
    });
    OpenRequest open(server.port(), "/again");
    ASSERT_TRUE(open.Send());
    EXPECT_EQ(open.RawHeaders().substr(0, 13), "HTTP/1.1 302 ");
    EXPECT_EQ(open.ReadAll(512), "again");
    EXPECT_EQ(server.Requests().size(), 11u);  // the request and ten redirects
}

TEST(HttpHandlesTest, StalledServerTimesOutWhileTheWindowsKeepRunning) {
    RawServer server(RawReply{"", /*hold=*/true});
    testsupport::ProcessEventsCounter events;
    OpenRequest open(server.port());
    open.SetTimeout(INTERNET_OPTION_RECEIVE_TIMEOUT, 200);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(open.Send());
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(Seconds(waited), 0.2);
    EXPECT_LT(Seconds(waited), 5.0);
    EXPECT_GE(events.calls(), 5);  // a slice is at most 20 ms
    DWORD count = 1;
    char byte = 0;
    EXPECT_FALSE(InternetReadFile(open.request, &byte, 1, &count));
    EXPECT_EQ(count, 0u);
}

TEST(HttpHandlesTest, BodyThatStallsGivesItsBytesThenFails) {
    RawServer server(
        RawReply{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789", /*hold=*/true});
    OpenRequest open(server.port());
    open.SetTimeout(INTERNET_OPTION_RECEIVE_TIMEOUT, 200);
    ASSERT_TRUE(open.Send());
    bool failed = false;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(open.ReadAll(512, nullptr, &failed), "0123456789");
    EXPECT_TRUE(failed);
    EXPECT_LT(Seconds(std::chrono::steady_clock::now() - start), 5.0);
}

TEST(HttpHandlesTest, ConnectionClosedMidBodyGivesItsBytesThenFails) {
    RawServer server(RawReply{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789"});
    OpenRequest open(server.port());
    ASSERT_TRUE(open.Send());
    std::vector<DWORD> sizes;
    bool failed = false;
    EXPECT_EQ(open.ReadAll(512, &sizes, &failed), "0123456789");
    EXPECT_TRUE(failed);
    EXPECT_EQ(sizes, (std::vector<DWORD>{10, 0}));
}

TEST(HttpHandlesTest, ConnectThatHangsTimesOutWhileTheWindowsKeepRunning) {
    testsupport::HangingConnectPort port;
    if (!port.ready()) GTEST_SKIP() << "could not fill the listening backlog";
    testsupport::ProcessEventsCounter events;
    OpenRequest open(port.port());
    open.SetTimeout(INTERNET_OPTION_CONNECT_TIMEOUT, 200);
    open.SetTimeout(INTERNET_OPTION_RECEIVE_TIMEOUT, 60000);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(open.Send());
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(Seconds(waited), 0.15);  // libcurl's own clock, a little coarser
    EXPECT_LT(Seconds(waited), 5.0);
    EXPECT_GE(events.calls(), 5);
}

TEST(HttpHandlesTest, RefusedConnectionFailsSendAndRead) {
    int closed_port = 0;
    {
        RawServer gone{RawReply()};
        closed_port = gone.port();
    }
    OpenRequest open(closed_port);
    EXPECT_FALSE(open.Send());
    DWORD count = 1;
    char byte = 0;
    EXPECT_FALSE(InternetReadFile(open.request, &byte, 1, &count));
    EXPECT_EQ(count, 0u);
}

TEST(HttpHandlesTest, HandlesCloseInAnyOrder) {
    RecordingServer server;
    server.SetHandler([](const RecordedRequest&) {
        Reply reply;
        reply.body = "body";
        return reply;
    });
    OpenRequest open(server.port());
    ASSERT_NE(open.request, nullptr);
    EXPECT_TRUE(InternetCloseHandle(open.internet));
    EXPECT_TRUE(InternetCloseHandle(open.connection));
    EXPECT_FALSE(InternetCloseHandle(open.connection));  // already closed
    EXPECT_EQ(HttpOpenRequestA(open.connection, "GET", "/", nullptr, nullptr, nullptr, 0, 0),
              nullptr);
    open.internet = open.connection = nullptr;
    ASSERT_TRUE(open.Send());  // the request keeps what it needs
    EXPECT_EQ(open.ReadAll(3), "body");

    // A handle of the wrong kind is refused, not misread.
    HINTERNET internet = InternetOpenA("a", INTERNET_OPEN_TYPE_DIRECT, "", "", 0);
    DWORD count = 0;
    char byte = 0;
    EXPECT_FALSE(InternetReadFile(internet, &byte, 1, &count));
    EXPECT_FALSE(HttpSendRequestA(internet, "", 0, nullptr, 0));
    EXPECT_EQ(HttpOpenRequestA(internet, "GET", "/", nullptr, nullptr, nullptr, 0, 0), nullptr);
    EXPECT_TRUE(InternetCloseHandle(internet));
    EXPECT_FALSE(InternetCloseHandle(nullptr));
}

// Closing a request in the middle of a large body frees the transfer (checked under ASan).
TEST(HttpHandlesTest, RequestClosedMidBodyFreesEverything) {
    RecordingServer server;
    server.SetHandler([](const RecordedRequest&) {
        Reply reply;
        reply.body = PatternBody(1024 * 1024);
        return reply;
    });
    OpenRequest open(server.port());
    ASSERT_TRUE(open.Send());
    char buffer[512];
    DWORD count = 0;
    EXPECT_TRUE(InternetReadFile(open.request, buffer, sizeof buffer, &count));
    EXPECT_EQ(count, sizeof buffer);
    EXPECT_TRUE(InternetCloseHandle(open.request));
    open.request = nullptr;
}

}  // namespace

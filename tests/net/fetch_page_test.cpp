#include "net/fetch_page.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "support/recording_server.h"

namespace {

using testsupport::Handler;
using testsupport::ProcessEventsCounter;
using testsupport::RawReply;
using testsupport::RawServer;
using testsupport::RecordedRequest;
using testsupport::RecordingServer;
using testsupport::Reply;

constexpr std::chrono::seconds kWait{10};
const std::string kDefaultAccept =
    "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*";

Handler Answering(int status, const std::string& body) {
    return [status, body](const RecordedRequest&) {
        Reply reply;
        reply.status = status;
        reply.body = body;
        return reply;
    };
}

// The full form with the arguments a test varies; the rest as the plain form has them.
struct Call {
    std::string method = "GET";
    std::string proxy;
    bool use_proxy = false;
    std::string request_headers;
    std::string request_body;
    std::string response_headers = "untouched";
    bool want_response_headers = false;

    std::string Fetch(const std::string& url) {
        return net::FetchPage(url, method, proxy, use_proxy, request_headers, request_body,
                              response_headers, want_response_headers);
    }
};

// A loopback port where nothing listens any more.
int ClosedPort() {
    RawServer gone{RawReply()};
    return gone.port();
}

TEST(FetchPageTest, PlainFormGetsThePageWithTheDefaultLines) {
    RecordingServer server;
    server.SetHandler(Answering(200, "<p>中山路</p>"));
    const std::string url = server.Url("/line.php?name=中山路");
    EXPECT_EQ(net::FetchPage(url), "<p>中山路</p>");

    ASSERT_TRUE(server.WaitForRequests(1, kWait));
    const RecordedRequest got = server.Requests()[0];
    EXPECT_EQ(got.method, "GET");
    EXPECT_EQ(got.target, "/line.php?name=中山路");
    EXPECT_EQ(got.Header("Accept"), kDefaultAccept);
    EXPECT_EQ(got.Header("Referer"), url);
    EXPECT_EQ(got.Header("Accept-Language"), "zh-cn");
    EXPECT_EQ(got.Header("User-Agent"), "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)");
    EXPECT_EQ(got.Header("Host"), "127.0.0.1:" + std::to_string(server.port()));
    for (const char* absent : {"Content-Type", "Content-Length", "Expect"}) {
        EXPECT_FALSE(got.HasHeader(absent)) << absent;
    }
    EXPECT_EQ(got.body, "");
}

struct HeaderCase {
    const char* given;
    const char* path;
    bool adds_accept;
    bool adds_referer;
    bool adds_language;
};

// A default line is added only when its name is missing, letter case ignored, and each check
// sees the lines added before it: the Referer line carries the URL, so a URL that holds
// "Accept-Language: " keeps the language line out.
TEST(FetchPageTest, DefaultLinesOnlyWhereTheirNameIsMissing) {
    const HeaderCase cases[] = {
        {"", "/", true, true, true},
        {"accept: text/html\r\n", "/", false, true, true},
        {"REFERER: http://elsewhere/\r\n", "/", true, false, true},
        {"Accept-Language: en\r\n", "/", true, true, false},
        {"accept-language: en\r\nACCEPT: */*\r\nReferer: x\r\n", "/", false, false, false},
        {"", "/?Accept-Language: x", true, true, false},
    };
    for (const HeaderCase& c : cases) {
        SCOPED_TRACE(std::string(c.given) + " | " + c.path);
        RecordingServer server;
        const std::string url = server.Url(c.path);
        Call call;
        call.request_headers = c.given;
        call.Fetch(url);

        std::string expected = c.given;
        if (c.adds_accept) expected += "Accept: " + kDefaultAccept + "\r\n";
        if (c.adds_referer) expected += "Referer: " + url + "\r\n";
        if (c.adds_language) expected += "Accept-Language: zh-cn\r\n";
        EXPECT_EQ(call.request_headers, expected);

        ASSERT_TRUE(server.WaitForRequests(1, kWait));
        const RecordedRequest got = server.Requests()[0];
        EXPECT_EQ(got.Header("Accept") == kDefaultAccept, c.adds_accept);
        EXPECT_EQ(got.Header("Referer") == url, c.adds_referer);
        EXPECT_EQ(got.Header("Accept-Language") == "zh-cn", c.adds_language);
    }
}

// Any method text but POST is a GET, and a body given with it is not sent.
TEST(FetchPageTest, MethodsOtherThanPostBecomeGet) {
    for (const char* method : {"get", "Get", "", "PUT", "POSTS"}) {
        SCOPED_TRACE(method);
        RecordingServer server;
        Call call;
        call.method = method;
        call.request_body = "a=1";
        call.Fetch(server.Url("/"));
        EXPECT_EQ(call.method, "GET");
        EXPECT_EQ(call.request_headers.find("Content-"), std::string::npos);
        ASSERT_TRUE(server.WaitForRequests(1, kWait));
        const RecordedRequest got = server.Requests()[0];
        EXPECT_EQ(got.method, "GET");
        EXPECT_EQ(got.body, "");
        EXPECT_FALSE(got.HasHeader("Content-Length"));
    }
}

TEST(FetchPageTest, PostSendsTheBodyWithItsLines) {
    RecordingServer server;
    server.SetHandler(Answering(200, "posted"));
    Call call;
    call.method = "POST";
    call.request_body = "stop=中山路&n=1";
    EXPECT_EQ(call.Fetch(server.Url("/form")), "posted");
    const std::string body_lines =
        "Content-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
        std::to_string(call.request_body.size()) + "\r\n";
    EXPECT_EQ(call.request_headers.substr(call.request_headers.size() - body_lines.size()),
              body_lines);

    ASSERT_TRUE(server.WaitForRequests(1, kWait));
    const RecordedRequest got = server.Requests()[0];
    EXPECT_EQ(got.method, "POST");
    EXPECT_EQ(got.body, call.request_body);
    EXPECT_EQ(got.Header("Content-Type"), "application/x-www-form-urlencoded");
    EXPECT_EQ(got.Header("Content-Length"), std::to_string(call.request_body.size()));
}

// The request still states its (empty) length, as the handle layer does for every POST.
TEST(FetchPageTest, PostWithoutBodySendsNeitherBodyNorItsLines) {
    RecordingServer server;
    Call call;
    call.method = "POST";
    call.Fetch(server.Url("/form"));
    EXPECT_EQ(call.request_headers.find("Content-"), std::string::npos);
    ASSERT_TRUE(server.WaitForRequests(1, kWait));
    const RecordedRequest got = server.Requests()[0];
    EXPECT_EQ(got.method, "POST");
    EXPECT_EQ(got.body, "");
    EXPECT_FALSE(got.HasHeader("Content-Type"));
    EXPECT_EQ(got.Header("Content-Length"), "0");
}

// POST in any letter case is a POST and goes out as the caller spelled it.
TEST(FetchPageTest, PostKeepsTheCallersSpelling) {
    for (const char* method : {"post", "Post"}) {
        SCOPED_TRACE(method);
        RawServer server(RawReply("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"));
        Call call;
        call.method = method;
        call.request_body = "a=1";
        EXPECT_EQ(call.Fetch(server.Url("/form")), "ok");
        EXPECT_EQ(call.method, method);
        ASSERT_TRUE(server.WaitForRequests(1, kWait));
        const std::string request = server.Requests()[0];
        EXPECT_EQ(request.substr(0, request.find("\r\n")), std::string(method) + " /form HTTP/1.1");
        EXPECT_NE(request.find("\r\nContent-Length: 3\r\n"), std::string::npos);
        EXPECT_EQ(request.substr(request.size() - 7), "\r\n\r\na=1");
    }
}

TEST(FetchPageTest, ProxyReceivesTheAbsoluteAddress) {
    RecordingServer proxy;
    proxy.SetHandler(Answering(200, "via proxy"));
    Call call;
    call.proxy = "127.0.0.1:" + std::to_string(proxy.port());
    call.use_proxy = true;
    EXPECT_EQ(call.Fetch("http://Bus.Example:18080/line?name=中山路"), "via proxy");
    ASSERT_TRUE(proxy.WaitForRequests(1, kWait));
    const RecordedRequest got = proxy.Requests()[0];
    EXPECT_EQ(got.target, "http://bus.example:18080/line?name=中山路");
    EXPECT_EQ(got.Header("Host"), "bus.example:18080");
}

TEST(FetchPageTest, ProxyAddressIsIgnoredWithoutTheFlag) {
    RecordingServer server;
    server.SetHandler(Answering(200, "direct"));
    Call call;
    call.proxy = "127.0.0.1:1";
    EXPECT_EQ(call.Fetch(server.Url("/")), "direct");
}

TEST(FetchPageTest, ErrorPagesAreReturnedLikeAnyOtherBody) {
    RecordingServer server;
    server.SetHandler(Answering(404, "<h1>找不到</h1>"));
    EXPECT_EQ(net::FetchPage(server.Url("/missing")), "<h1>找不到</h1>");
}

TEST(FetchPageTest, BodyEndsBeforeItsFirstZeroByte) {
    RecordingServer server;
    server.SetHandler(Answering(200, std::string("abc\0def", 7)));
    const std::string body = net::FetchPage(server.Url("/"));
    EXPECT_EQ(body.size(), 3u);
    EXPECT_EQ(body, "abc");
}

TEST(FetchPageTest, FailuresGiveTheEmptyText) {
    struct FailureCase {
        const char* what;
        std::string url;
        std::string proxy;
        bool use_proxy;
    };
    const std::string closed = "127.0.0.1:" + std::to_string(ClosedPort());
    const FailureCase cases[] = {
        {"closed port", "http://" + closed + "/", "", false},
        {"unresolvable name", "http://nonexistent.invalid/", "", false},
        {"closed proxy", "http://bus.example/", closed, true},
        {"empty proxy address", "http://127.0.0.1:1/", "", true},
        {"empty host", "http:///x", "", false},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.what);
        Call call;
        call.proxy = c.proxy;
        call.use_proxy = c.use_proxy;
        call.want_response_headers = true;
        EXPECT_EQ(call.Fetch(c.url), "");
    }
}

// The path and query go out byte for byte, GBK included; only what would break the request
// line or start a header line of its own is escaped.
TEST(FetchPageTest, PathBytesArriveAsGiven) {
    const struct {
        const char* path;
        const char* target;
    } cases[] = {
        {"/查询/换乘.php?起=中山路&止=火车站", "/查询/换乘.php?起=中山路&止=火车站"},
        {"/\x81/\x81:\xFE\x7E?q=%D6%D0", "/\x81/\x81:\xFE\x7E?q=%D6%D0"},
        {"/a b?c d", "/a%20b?c%20d"},
        {"/x?a=1\r\nX-Injected: yes", "/x?a=1%0D%0AX-Injected:%20yes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        RecordingServer server;
        net::FetchPage(server.Url(c.path));
        ASSERT_TRUE(server.WaitForRequests(1, kWait));
        const RecordedRequest got = server.Requests()[0];
        EXPECT_EQ(got.target, c.target);
        EXPECT_FALSE(got.HasHeader("X-Injected"));
    }
}

TEST(FetchPageTest, ResponseHeadersOnlyWhenWanted) {
    RecordingServer server;
    server.SetHandler([](const RecordedRequest&) {
        Reply reply;
        reply.body = "page";
        reply.content_type = "text/html; charset=gbk";
        reply.headers = {{"X-Site", "公交"}};
        return reply;
    });
    Call wanted;
    wanted.want_response_headers = true;
    EXPECT_EQ(wanted.Fetch(server.Url("/")), "page");
    const std::string& headers = wanted.response_headers;
    EXPECT_EQ(headers.substr(0, 17), "HTTP/1.1 200 OK\r\n");
    EXPECT_NE(headers.find("\r\nContent-Type: text/html; charset=gbk\r\n"), std::string::npos);
    EXPECT_NE(headers.find("\r\nX-Site: 公交\r\n"), std::string::npos);
    ASSERT_GE(headers.size(), 4u);
    EXPECT_EQ(headers.substr(headers.size() - 4), "\r\n\r\n");

    Call unwanted;
    EXPECT_EQ(unwanted.Fetch(server.Url("/")), "page");
    EXPECT_EQ(unwanted.response_headers, "untouched");
}

// Headers beyond the 1024-byte buffer do not fit: the caller gets the empty text, not a part.
TEST(FetchPageTest, ResponseHeadersTooLongForTheBufferGiveTheEmptyText) {
    RecordingServer server;
    server.SetHandler([](const RecordedRequest&) {
        Reply reply;
        reply.body = "page";
        reply.headers = {{"X-Long", std::string(1100, 'x')}};
        return reply;
    });
    Call call;
    call.want_response_headers = true;
    EXPECT_EQ(call.Fetch(server.Url("/")), "page");
    EXPECT_EQ(call.response_headers, "");
}

TEST(FetchPageTest, ChunkedBodyArrivesWhole) {
    std::string page;
    while (page.size() < 300 * 1024) page += "<tr><td>中山路</td><td>火车站</td></tr>\r\n";
    RecordingServer server;
    server.SetHandler([&page](const RecordedRequest&) {
        Reply reply;
        reply.body = page;
        reply.chunked = true;
        return reply;
    });
    const std::string body = net::FetchPage(server.Url("/"));
    EXPECT_EQ(body.size(), page.size());
    EXPECT_TRUE(body == page);
}

// 100 KB come in 200 reads of 512 bytes and a last empty one; the windows get their turn
// before each of them, whether or not the read has to wait.
TEST(FetchPageTest, WindowsGetTheirTurnBeforeEveryRead) {
    RecordingServer server;
    server.SetHandler(Answering(200, std::string(100 * 1024, 'x')));
    ProcessEventsCounter events;
    EXPECT_EQ(net::FetchPage(server.Url("/")).size(), 100u * 1024u);
    EXPECT_GE(events.calls(), 201);
}

// The body stops halfway; only the windows' turns can let it go on, so the fetch completes only
// if they keep coming while it waits.
TEST(FetchPageTest, WindowsKeepTheirTurnWhileTheBodyStalls) {
    RawServer server(
        RawReply("HTTP/1.1 200 OK\r\nContent-Length: 20\r\n\r\n0123456789", true, "abcdefghij"));
    ProcessEventsCounter events([&server](int calls) {
        if (calls == 20) server.Release();
    });
    EXPECT_EQ(net::FetchPage(server.Url("/")), "0123456789abcdefghij");
    EXPECT_GE(events.calls(), 20);
}

// A handler that the windows' turn runs may fetch a page itself; the outer fetch goes on after.
TEST(FetchPageTest, FetchNestedInTheWindowsTurnCompletesFirst) {
    RecordingServer outer;
    RecordingServer inner;
    outer.SetHandler(Answering(200, std::string(4096, 'o')));
    inner.SetHandler(Answering(200, "inner page"));
    std::string nested;
    ProcessEventsCounter events([&](int calls) {
        if (calls == 3) nested = net::FetchPage(inner.Url("/"));
    });
    EXPECT_EQ(net::FetchPage(outer.Url("/")), std::string(4096, 'o'));
    EXPECT_EQ(nested, "inner page");
}

}  // namespace

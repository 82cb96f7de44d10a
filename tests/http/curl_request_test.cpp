// The request routine over libcurl, on the wire, against the stand-in site.
#include <gtest/gtest.h>

#include <chrono>

#include "http/curl_request.h"
#include "http/request.h"
#include "tests/support/raw_listener.h"
#include "tools/search_site/search_site.h"

using namespace http;
using search_site::Fault;
using search_site::FaultKind;
using search_site::SearchSite;

namespace {

class OnTheWire : public ::testing::Test {
  protected:
    std::string url(const std::string& target) const { return "http://" + site_.host() + target; }

    struct Outcome {
        Bytes body;
        Text response_headers = "unset";
        int status = -1;
    };
    Outcome get(const std::string& target, std::optional<int> timeout = {},
                bool no_redirect = false) {
        Outcome o;
        o.body = http_request(url(target), 0, {}, nullptr, nullptr, nullptr, &o.response_headers,
                              &o.status, no_redirect, {}, {}, timeout);
        return o;
    }

    SearchSite site_;
};

TEST_F(OnTheWire, DefaultHeaderLinesInOrderAndNothingElseOfOurs) {
    const std::string target = "/s.jsp?keyword=GBT50001&pageNum=1";
    const Outcome o = get(target);
    EXPECT_EQ(o.status, 200);
    ASSERT_EQ(site_.requests().size(), 1u);
    const auto request = site_.requests()[0];
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.target, target);
    std::vector<std::pair<std::string, std::string>> ours;
    for (const auto& h : request.headers) {
        if (h.first != "Host") ours.push_back(h);
    }
    EXPECT_EQ(ours, (std::vector<std::pair<std::string, std::string>>{
                        {"Accept", "*/*"},
                        {"Referer", url(target)},
                        {"Accept-Language", "zh-cn"},
                        {"User-Agent", "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"}}));
    EXPECT_FALSE(request.has_header("Cookie"));
    EXPECT_FALSE(request.has_header("Proxy-Authorization"));
}

TEST_F(OnTheWire, ResponseHeadersOfTheFinalResponseAndCookies) {
    Text returned;
    Text response;
    int status = 0;
    http_request(url("/redirect?to=/cookies"), 0, {}, nullptr, &returned, nullptr, &response,
                 &status);
    EXPECT_EQ(status, 200);
    EXPECT_EQ(returned, "a=1; b=2");
    EXPECT_EQ(response.find("HTTP/"), Text::npos);
    EXPECT_EQ(response.find("Location"), Text::npos);  // the redirect's own headers are gone
    EXPECT_NE(response.find("Set-Cookie: b=2\r\n"), Text::npos);
}

TEST_F(OnTheWire, RedirectsFollowedUnlessSwitchedOff) {
    const Outcome followed = get("/redirect?to=/echo");
    EXPECT_EQ(followed.status, 200);
    EXPECT_EQ(followed.body.str(), "GET\n");
    const Outcome stopped = get("/redirect?to=/echo", {}, true);
    EXPECT_EQ(stopped.status, 302);
    EXPECT_NE(stopped.response_headers.find("Location: /echo"), Text::npos);
}

TEST_F(OnTheWire, MethodsAndBodies) {
    Bytes body = http_request(url("/echo"), 1, Text("k=v"));
    EXPECT_EQ(body.str(), "POST\nk=v");
    body = http_request(url("/echo"), 3, Text("text"), nullptr, nullptr, nullptr, nullptr, nullptr,
                        {}, Bytes(std::string("b\0y", 3)));
    EXPECT_EQ(body.str(), std::string("PUT\nb\0y", 7));
    body = http_request(url("/echo"), 5);
    EXPECT_EQ(body.str(), "DELETE\n");
    EXPECT_EQ(site_.requests()[0].header("Content-Type"), "application/x-www-form-urlencoded");
}

TEST_F(OnTheWire, ABorrowedObjectStartsEachRequestAfresh) {
    const std::shared_ptr<RequestObject> object = make_curl_request();
    Text first = "X-First: 1";
    http_request(url("/echo"), 3, Text("put body"), nullptr, nullptr, &first, nullptr, nullptr,
                 true, {}, {}, {}, {}, {}, {}, object);
    const Bytes second = http_request(url("/redirect?to=/echo"), 0, {}, nullptr, nullptr, nullptr,
                                      nullptr, nullptr, {}, {}, {}, {}, {}, {}, {}, object);
    EXPECT_EQ(second.str(), "GET\n");  // redirects followed again, method GET again
    const auto requests = site_.requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[1].method, "GET");
    EXPECT_FALSE(requests[1].has_header("X-First"));
}

TEST_F(OnTheWire, ErrorStatusStillGivesItsBody) {
    const Outcome o = get("/status/404");
    EXPECT_EQ(o.status, 404);
    EXPECT_EQ(o.body.str(), "status page");
}

struct FailureCase {
    const char* name;
    FaultKind fault;
    friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

class FailedRequest : public OnTheWire, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FailedRequest, GivesEmptyBodyStatusZeroEmptyHeaders) {
    site_.set_fault_for_all({GetParam().fault, 0});
    const Outcome o = get("/s.jsp?keyword=GBT50001&pageNum=1", 2);
    EXPECT_TRUE(o.body.empty());
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.response_headers, "");
}

INSTANTIATE_TEST_SUITE_P(Cases, FailedRequest,
                         ::testing::Values(FailureCase{"connection_closed_unanswered",
                                                       FaultKind::kReset},
                                           FailureCase{"truncated_body", FaultKind::kTruncated},
                                           FailureCase{"body_above_64_mib", FaultKind::kHuge}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FailedRequestNoServer, ClosedPortLeavesOutParametersAsSpecified) {
    Text returned = "stale", response = "stale", headers;
    int status = 99;
    Text cookies = "a=1";
    const Bytes body =
        http_request("http://127.0.0.1:" + std::to_string(testsupport::closed_port()) + "/", 0, {},
                     &cookies, &returned, &headers, &response, &status);
    EXPECT_TRUE(body.empty());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(response, "");
    EXPECT_EQ(returned, "a=1");  // merging ran over the sent cookies
    EXPECT_EQ(cookies, "a=1");
    EXPECT_NE(headers.find("Accept: */*"), Text::npos);
}

TEST_F(OnTheWire, StalledServerEndsWithinTheTimeout) {
    site_.set_fault_for_all({FaultKind::kStall, 0});
    const auto start = std::chrono::steady_clock::now();
    const Outcome o = get("/s.jsp?keyword=X&pageNum=1", 1);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(o.status, 0);
    EXPECT_TRUE(o.body.empty());
    // The receive time-out is 1 s; libcurl checks a quiet transfer about once a second.
    EXPECT_LT(took, std::chrono::seconds(5));
}

TEST_F(OnTheWire, UnsafeHeaderTextIsRefusedNotSent) {
    // The value "a\nInjected:yes" reaches the request object with its LF.
    Text headers = "X-Ok: 1\r\nX-Bad: a\nInjected:yes";
    http_request(url("/echo"), 0, {}, nullptr, nullptr, &headers, nullptr, nullptr, {}, {}, {}, {},
                 {}, {}, {}, {}, {}, false);
    ASSERT_EQ(site_.requests().size(), 1u);
    EXPECT_EQ(site_.requests()[0].header("X-Ok"), "1");
    EXPECT_FALSE(site_.requests()[0].has_header("X-Bad"));
    EXPECT_FALSE(site_.requests()[0].has_header("Injected"));
}

TEST_F(OnTheWire, UrlWithALineBreakFailsOpenAndSendsNothing) {
    int status = -1;
    const Bytes body = http_request(url("/s.jsp?keyword=A\nInjected: yes&pageNum=1"), 0, {},
                                    nullptr, nullptr, nullptr, nullptr, &status);
    EXPECT_TRUE(body.empty());
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(site_.requests().empty());
}

TEST(Proxy, CredentialsAndAbsoluteTargetReachTheProxy) {
    testsupport::RawListener proxy;
    int status = 0;
    const Bytes body = http_request("http://standards.invalid/s.jsp?keyword=K&pageNum=1", 0, {},
                                    nullptr, nullptr, nullptr, nullptr, &status, {}, {},
                                    proxy.address(), {}, Text("user"), Text("secret"));
    EXPECT_EQ(status, 200);
    EXPECT_EQ(body.str(), "ok");
    ASSERT_EQ(proxy.heads().size(), 1u);
    const std::string head = proxy.heads()[0];
    EXPECT_EQ(head.rfind("GET http://standards.invalid/s.jsp?keyword=K&pageNum=1 HTTP/1.1\r\n", 0),
              0u);
    EXPECT_NE(head.find("\r\nProxy-Authorization: Basic dXNlcjpzZWNyZXQ=\r\n"), std::string::npos);
}

TEST(RawTarget, HighBytesGoOnTheWireUnescaped) {
    testsupport::RawListener server;
    http_request("http://" + server.address() + "/s.jsp?keyword=\xCF\xD6%+&pageNum=1", 0);
    ASSERT_EQ(server.heads().size(), 1u);
    EXPECT_EQ(server.heads()[0].rfind("GET /s.jsp?keyword=\xCF\xD6%+&pageNum=1 HTTP/1.1\r\n", 0),
              0u);
}

}  // namespace

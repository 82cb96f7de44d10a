#include <gtest/gtest.h>

#include "http/request.h"
#include "tests/http/recording_request.h"

using namespace http;
using http::testing::RecordingRequest;
using Calls = std::vector<std::string>;

namespace {

const Text kUrl = "http://h/s.jsp?keyword=K&pageNum=1";
const std::string kUserAgent =
    "Header User-Agent|Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// Installs a factory that hands out one recording object per request.
class RequestRoutine : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = request_object_factory();
        request_object_factory() = [this] {
            last_ = std::make_shared<RecordingRequest>();
            last_->headers = response_headers_;
            return last_;
        };
    }
    void TearDown() override { request_object_factory() = saved_; }

    RequestObjectFactory saved_;
    std::shared_ptr<RecordingRequest> last_;
    Text response_headers_;
};

TEST_F(RequestRoutine, LookupCallMakesExactlyTheseCallsInOrder) {
    const Bytes body = http_request(kUrl, 0);
    EXPECT_EQ(body.str(), "page");
    EXPECT_EQ(last_->calls,
              (Calls{"SetTimeouts 15000 15000 15000 15000", "Open GET " + kUrl + " sync",
                     "Option 4=13056", "Header Accept|*/*", "Header Referer|" + kUrl,
                     "Header Accept-Language|zh-cn", kUserAgent, "SendText "}));
}

struct HeaderCase {
    const char* name;
    int method;
    std::optional<Text> headers;
    std::optional<bool> complete;
    Calls header_calls;
    Text headers_after;
    friend void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.name; }
};

class HeaderLines : public RequestRoutine, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(HeaderLines, SentInOrderAndWrittenBack) {
    const HeaderCase& c = GetParam();
    Text headers = c.headers.value_or(Text());
    http_request("http://h/", c.method, {}, nullptr, nullptr, c.headers ? &headers : nullptr,
                 nullptr, nullptr, {}, {}, {}, {}, {}, {}, {}, {}, {}, c.complete);
    EXPECT_EQ(last_->calls_starting("Header "), c.header_calls);
    if (c.headers) {
        EXPECT_EQ(headers, c.headers_after);
    }
}

const Calls kDefaults = {"Header Accept|*/*", "Header Referer|http://h/",
                         "Header Accept-Language|zh-cn", kUserAgent};

Calls with(Calls before, const Calls& after) {
    before.insert(before.end(), after.begin(), after.end());
    return before;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HeaderLines,
    ::testing::Values(
        HeaderCase{"post_adds_content_type",
                   1,
                   {},
                   {},
                   with(kDefaults, {"Header Content-Type|application/x-www-form-urlencoded"}),
                   ""},
        HeaderCase{"method_out_of_range_is_get", 8, {}, {}, kDefaults, ""},
        HeaderCase{"lower_case_accept_counts",
                   0,
                   Text("accept: text/html"),
                   {},
                   {"Header Accept|text/html", "Header Referer|http://h/",
                    "Header Accept-Language|zh-cn", kUserAgent},
                   "Accept: text/html\r\nReferer: http://h/\r\nAccept-Language: zh-cn\r\n"
                   "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"},
        HeaderCase{"no_space_after_colon_counts_but_is_not_sent",
                   0,
                   Text("Accept:*/*"),
                   {},
                   {"Header Referer|http://h/", "Header Accept-Language|zh-cn", kUserAgent},
                   "Referer: http://h/\r\nAccept-Language: zh-cn\r\n"
                   "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"},
        HeaderCase{"value_with_colon_space_sent_empty",
                   0,
                   Text("X-A: b: c"),
                   false,
                   {"Header X-A|"},
                   "X-A: "},
        HeaderCase{"value_with_plain_colon_sent_whole",
                   0,
                   Text("X-Time: 10:30"),
                   false,
                   {"Header X-Time|10:30"},
                   "X-Time: 10:30"},
        HeaderCase{"not_completed_and_empty", 0, Text(""), false, {}, ""},
        HeaderCase{"not_completed_single_line",
                   0,
                   Text("x-one: 1"),
                   false,
                   {"Header X-One|1"},
                   "X-One: 1"},
        HeaderCase{"empty_lines_dropped",
                   0,
                   Text("a: 1\r\n\r\nb: 2\r\n"),
                   false,
                   {"Header A|1", "Header B|2"},
                   "A: 1\r\nB: 2"},
        HeaderCase{"name_ending_in_dash", 0, Text("x-: 1"), false, {"Header X|1"}, "X: 1"}),
    [](const auto& info) { return std::string(info.param.name); });

struct TimeoutCase {
    const char* name;
    std::optional<int> seconds;
    Calls expected;
    friend void PrintTo(const TimeoutCase& c, std::ostream* os) { *os << c.name; }
};

class Timeouts : public RequestRoutine, public ::testing::WithParamInterface<TimeoutCase> {};

TEST_P(Timeouts, Rule) {
    http_request("http://h/", {}, {}, nullptr, nullptr, nullptr, nullptr, nullptr, {}, {}, {},
                 GetParam().seconds);
    EXPECT_EQ(last_->calls_starting("SetTimeouts"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Timeouts,
    ::testing::Values(TimeoutCase{"three", 3, {"SetTimeouts 3000 3000 3000 3000"}},
                      TimeoutCase{"minus_one_leaves_platform", -1, {}},
                      TimeoutCase{"zero", 0, {"SetTimeouts 15000 15000 15000 15000"}},
                      TimeoutCase{"minus_two", -2, {"SetTimeouts 15000 15000 15000 15000"}},
                      TimeoutCase{
                          "not_given", std::nullopt, {"SetTimeouts 15000 15000 15000 15000"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ProxyCase {
    const char* name;
    Text proxy;
    Text user;
    Text password;
    std::optional<int> mode;
    Calls expected;
    friend void PrintTo(const ProxyCase& c, std::ostream* os) { *os << c.name; }
};

class ProxyCredentials : public RequestRoutine, public ::testing::WithParamInterface<ProxyCase> {};

TEST_P(ProxyCredentials, Sent) {
    const ProxyCase& c = GetParam();
    http_request("http://h/", {}, {}, nullptr, nullptr, nullptr, nullptr, nullptr, {}, {}, c.proxy,
                 {}, c.user, c.password, c.mode, {}, {}, false);
    Calls got = last_->calls_starting("SetProxy");
    const Calls auth = last_->calls_starting("Header Proxy-Authorization");
    got.insert(got.end(), auth.begin(), auth.end());
    EXPECT_EQ(got, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ProxyCredentials,
    ::testing::Values(
        ProxyCase{"no_proxy", "", "u", "p", {}, {}},
        ProxyCase{"proxy_without_user", "px:8080", "", "p", {}, {"SetProxy 2 px:8080"}},
        ProxyCase{"basic_by_default",
                  "px:8080",
                  "u",
                  "p",
                  {},
                  {"SetProxy 2 px:8080", "Header Proxy-Authorization|Basic dTpw"}},
        ProxyCase{"empty_password",
                  "px:8080",
                  "user",
                  "",
                  1,
                  {"SetProxy 2 px:8080", "Header Proxy-Authorization|Basic dXNlcjo="}},
        ProxyCase{"mode_zero_sends_none", "px:8080", "u", "p", 0, {"SetProxy 2 px:8080"}},
        ProxyCase{"mode_two_sends_none", "px:8080", "u", "p", 2, {"SetProxy 2 px:8080"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RequestRoutine, RedirectsOffAndBodies) {
    http_request("http://h/", 1, Text("text"), nullptr, nullptr, nullptr, nullptr, nullptr, true,
                 Bytes(std::string("b\0y", 3)));
    EXPECT_EQ(last_->calls_starting("Option"), (Calls{"Option 6=0", "Option 4=13056"}));
    EXPECT_EQ(last_->calls_starting("Send"), (Calls{"SendBytes " + std::string("b\0y", 3)}));
    http_request("http://h/", 1, Text("text"));
    EXPECT_EQ(last_->calls_starting("Send"), (Calls{"SendText text"}));
    EXPECT_EQ(last_->calls_starting("Open"), (Calls{"Open POST http://h/ sync"}));
}

TEST_F(RequestRoutine, CookiesCollectedAndMerged) {
    response_headers_ =
        "Content-Type: text/html\r\nSet-Cookie: a=9; Path=/; Expires=Wed, 21 Oct 2037 07:28:00 GMT"
        "\r\nSet-Cookie: b=2\r\nset-cookie: c=3\r\nSet-Cookie: old=deleted";
    Text cookies = "old=1; keep=1";
    Text returned, response;
    int status = -5;
    http_request("http://h/", {}, {}, &cookies, &returned, nullptr, &response, &status);
    EXPECT_EQ(last_->calls_starting("Header Cookie"), (Calls{"Header Cookie|old=1; keep=1"}));
    EXPECT_EQ(returned, "a=9; b=2; keep=1");
    EXPECT_EQ(cookies, returned);
    EXPECT_EQ(response, response_headers_);
    EXPECT_EQ(status, 200);

    Text unmerged_cookies = "x=1";
    http_request("http://h/", {}, {}, &unmerged_cookies, &returned, nullptr, nullptr, nullptr, {},
                 {}, {}, {}, {}, {}, {}, {}, false);
    EXPECT_EQ(returned, "a=9; b=2; old=deleted");
    EXPECT_EQ(unmerged_cookies, "x=1");
}

TEST_F(RequestRoutine, EmptyCookiesStillSentAndMerged) {
    response_headers_ = "Set-Cookie: s=1";
    Text cookies;
    Text returned;
    http_request("http://h/", {}, {}, &cookies, &returned);
    EXPECT_EQ(last_->calls_starting("Header Cookie"), (Calls{"Header Cookie|"}));
    EXPECT_EQ(cookies, "s=1");
    EXPECT_EQ(returned, "s=1");
}

TEST_F(RequestRoutine, NoSetCookieGivesEmptyReturnedCookies) {
    response_headers_ = "Content-Length: 4";
    Text returned = "stale";
    http_request("http://h/", {}, {}, nullptr, &returned);
    EXPECT_EQ(returned, "");
}

TEST_F(RequestRoutine, CreationFailureLeavesOutParametersAlone) {
    request_object_factory() = [] { return std::shared_ptr<RequestObject>(); };
    Text cookies = "c=1", returned = "r", headers = "h: 1", response = "resp";
    int status = 77;
    const Bytes body =
        http_request("http://h/", {}, {}, &cookies, &returned, &headers, &response, &status);
    EXPECT_TRUE(body.empty());
    EXPECT_EQ(cookies, "c=1");
    EXPECT_EQ(returned, "r");
    EXPECT_EQ(headers, "h: 1");
    EXPECT_EQ(response, "resp");
    EXPECT_EQ(status, 77);
}

TEST_F(RequestRoutine, BorrowedObjectIsUsedAndOneHoldingNothingFailsQuietly) {
    auto borrowed = std::make_shared<RecordingRequest>();
    http_request("http://h/", {}, {}, nullptr, nullptr, nullptr, nullptr, nullptr, {}, {}, {}, {},
                 {}, {}, {}, std::shared_ptr<RequestObject>(borrowed));
    EXPECT_FALSE(borrowed->calls.empty());
    EXPECT_EQ(last_, nullptr);  // no object of its own was made

    Text response = "x";
    int status = 5;
    const Bytes body =
        http_request("http://h/", {}, {}, nullptr, nullptr, nullptr, &response, &status, {}, {}, {},
                     {}, {}, {}, {}, std::shared_ptr<RequestObject>());
    EXPECT_TRUE(body.empty());
    EXPECT_EQ(response, "");
    EXPECT_EQ(status, 0);
}

}  // namespace

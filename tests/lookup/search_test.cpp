// The search lookup end to end against the stand-in site.
#include <gtest/gtest.h>

#include <thread>

#include "lookup/search.h"
#include "tests/support/raw_listener.h"
#include "text/gbk.h"
#include "tools/search_site/search_site.h"

using lookup::last_search_url;
using lookup::lookup_standard;
using search_site::FaultKind;
using search_site::SearchSite;
using text::Text;

namespace {

class SearchLookup : public ::testing::Test {
  protected:
    void SetUp() override { lookup::set_search_host(site_.host()); }
    Text url_for(const Text& keyword) const {
        return "http://" + site_.host() + "/s.jsp?keyword=" + keyword + "&pageNum=1";
    }
    SearchSite site_;
};

TEST_F(SearchLookup, FindsTheCurrentEditionAndRemembersTheUrl) {
    const lookup::LookupResult r = lookup_standard("GBT50001");
    EXPECT_EQ(r.status, GBK("现行"));
    EXPECT_EQ(r.number, "GB/T 50001-2017");
    EXPECT_EQ(r.title, GBK("房屋建筑制图统一标准"));
    EXPECT_EQ(r.publish_date, "2017-09-27");
    EXPECT_EQ(r.detail_ref, "'/detail/1.html'");
    EXPECT_EQ(last_search_url(), url_for("GBT50001"));
    ASSERT_EQ(site_.requests().size(), 1u);
    EXPECT_EQ(site_.requests()[0].target, "/s.jsp?keyword=GBT50001&pageNum=1");
}

TEST_F(SearchLookup, UrlIsBuiltByteForByte) {
    for (const Text& keyword : {Text(""), Text("A&B"), Text("A#B"), Text("A%2B"), Text("A+B")}) {
        Text used;
        lookup_standard(keyword, &used);
        EXPECT_EQ(last_search_url(), url_for(keyword));
        EXPECT_EQ(used, url_for(keyword));
    }
    EXPECT_EQ(site_.requests()[0].target, "/s.jsp?keyword=&pageNum=1");
}

TEST_F(SearchLookup, TwoLookupsLeaveTheSecondUrl) {
    lookup_standard("GBT50001");
    lookup_standard("GB50016");
    EXPECT_EQ(last_search_url(), url_for("GB50016"));
}

struct OutcomeCase {
    const char* name;
    FaultKind fault;
    bool current;
    friend void PrintTo(const OutcomeCase& c, std::ostream* os) { *os << c.name; }
};

class FaultyPage : public SearchLookup, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(FaultyPage, Outcome) {
    site_.set_fault("GBT50001", {GetParam().fault, 0});
    const lookup::LookupResult r = lookup_standard("GBT50001");
    EXPECT_EQ(r.status, GetParam().current ? GBK("现行") : GBK("未找到现行"));
    EXPECT_EQ(r.number, GetParam().current ? "GB/T 50001-2017" : "");
    EXPECT_EQ(last_search_url(), url_for("GBT50001"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FaultyPage,
    ::testing::Values(OutcomeCase{"error_status_page_still_parsed", FaultKind::kStatus500, true},
                      OutcomeCase{"nul_before_rows_cuts_the_page", FaultKind::kNulByte, false},
                      OutcomeCase{"page_not_in_gbk", FaultKind::kNotGbk, false},
                      OutcomeCase{"connection_closed", FaultKind::kReset, false},
                      OutcomeCase{"truncated", FaultKind::kTruncated, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SearchLookup, NoResultAndNoEditionInForce) {
    EXPECT_EQ(lookup_standard("GBT99999").status, GBK("未找到现行"));
    EXPECT_EQ(lookup_standard("GB50045").status, GBK("未找到现行"));
}

TEST(SearchLookupFailure, FailedRequestStillLeavesItsUrl) {
    const Text host = "127.0.0.1:" + std::to_string(testsupport::closed_port());
    lookup::set_search_host(host);
    const lookup::LookupResult r = lookup_standard("GBT50001");
    EXPECT_EQ(r, (lookup::LookupResult{"", "", "", "", "", GBK("未找到现行")}));
    EXPECT_EQ(last_search_url(), "http://" + host + "/s.jsp?keyword=GBT50001&pageNum=1");
}

TEST_F(SearchLookup, KeywordWithALineBreakPutsNoHeaderOnTheWire) {
    const lookup::LookupResult r = lookup_standard("GB\nX-Injected: 1\r\nY: 2");
    EXPECT_EQ(r.status, GBK("未找到现行"));
    for (const auto& request : site_.requests()) {
        EXPECT_FALSE(request.has_header("X-Injected"));
        EXPECT_FALSE(request.has_header("Y"));
    }
}

TEST_F(SearchLookup, ManyThreadsAtOnce) {
    std::vector<std::thread> threads;
    std::atomic<int> current{0};
    for (int t = 0; t < 10; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 5; ++i) {
                if (lookup_standard("GB50016").number == "GB 50016-2014") ++current;
                const Text url = last_search_url();
                EXPECT_EQ(url, url_for("GB50016"));
            }
        });
    }
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(current.load(), 50);
    EXPECT_EQ(site_.requests().size(), 50u);
}

}  // namespace

// The stand-in search site's own contract: fixture files, rendering, faults.
#include <gtest/gtest.h>

#include <fstream>

#include <unistd.h>

#include "http/request.h"
#include "lookup/extract.h"
#include "text/gbk.h"
#include "tools/search_site/search_site.h"

using namespace search_site;

namespace {

std::string write(const std::string& bytes) {
    const std::string path =
        ::testing::TempDir() + "fixtures_" + std::to_string(::getpid()) + ".tsv";
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

TEST(Fixtures, LoadsTabSeparatedLinesAndSkipsComments) {
    std::vector<Edition> editions;
    std::string error;
    ASSERT_TRUE(
        load_fixtures(write("# keyword\tnumber\n\nK1\tGB 1-2020\t标题\t2020-01-01\t部门\t现行\r\n"),
                      editions, error));
    ASSERT_EQ(editions.size(), 1u);
    EXPECT_EQ(editions[0].number, "GB 1-2020");
    EXPECT_EQ(editions[0].status, "现行");
}

TEST(Fixtures, RejectsAShortLineAndAMissingFile) {
    std::vector<Edition> editions;
    std::string error;
    EXPECT_FALSE(load_fixtures(write("K1\tGB 1-2020\n"), editions, error));
    EXPECT_NE(error.find(":1:"), std::string::npos);
    EXPECT_FALSE(load_fixtures("/nonexistent/fixtures.tsv", editions, error));
}

TEST(RenderedPage, ExtractionFindsTheFirstCurrentRow) {
    const std::vector<Edition> rows = {{"K", "GB 1-2010", "旧", "2010-01-01", "部", "废止"},
                                       {"K", "GB 1-2020", "新", "2020-01-01", "部", "现行"}};
    const lookup::LookupResult r = lookup::extract_current_row(render_page(rows));
    EXPECT_EQ(r.number, "GB 1-2020");
    EXPECT_EQ(r.title, GBK("新"));
    EXPECT_EQ(lookup::extract_current_row(render_page(rows, false)).status, GBK("未找到现行"));
}

TEST(Faults, PerKeywordAndForAll) {
    SearchSite::Options options;
    options.fixtures = {{"A", "GB 1-2020", "t", "d", "p", "现行"},
                        {"B", "GB 2-2020", "t", "d", "p", "现行"}};
    SearchSite site(options);
    auto status_of = [&](const char* keyword) {
        int status = -1;
        http::http_request("http://" + site.host() + "/s.jsp?keyword=" + keyword + "&pageNum=1", 0,
                           {}, nullptr, nullptr, nullptr, nullptr, &status);
        return status;
    };
    site.set_fault("A", {FaultKind::kStatus500, 0});
    EXPECT_EQ(status_of("A"), 500);
    EXPECT_EQ(status_of("B"), 200);
    site.set_fault_for_all({FaultKind::kReset, 0});
    EXPECT_EQ(status_of("B"), 0);
    EXPECT_EQ(status_of("A"), 500);  // its own fault wins
    site.clear_faults();
    EXPECT_EQ(status_of("A"), 200);
    ASSERT_EQ(site.requests().size(), 5u);
    EXPECT_EQ(site.requests()[1].target, "/s.jsp?keyword=B&pageNum=1");
}

}  // namespace

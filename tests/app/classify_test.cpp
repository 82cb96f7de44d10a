#include <gtest/gtest.h>

#include "app/handlers.h"
#include "lookup/normalize.h"
#include "text/gbk.h"

namespace {

struct ClassifyCase {
    const char* name;
    text::Text column1;
    text::Text current;
    const char* status;  // UTF-8
    friend void PrintTo(const ClassifyCase& c, std::ostream* os) { *os << c.name; }
};

class Classify : public ::testing::TestWithParam<ClassifyCase> {};

TEST_P(Classify, ByTheEditionYears) {
    text::Text number = GetParam().column1;
    lookup::search_keyword(number);  // leaves the normalized number, as the task does
    EXPECT_EQ(app::classify(GetParam().current, number), text::utf8_to_gbk(GetParam().status));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Classify,
    ::testing::Values(
        ClassifyCase{"same_edition", "GB/T50001-2010", "GB/T 50001-2010", "现行"},
        ClassifyCase{"newer_edition", "GB/T50001-2001", "GB/T 50001-2010", "有新标准"},
        ClassifyCase{"typed_edition_later", "GB/T50001-2017", "GB/T 50001-2010", "未知"},
        ClassifyCase{"none_found", "GB/T50001-2010", "", "未知"},
        ClassifyCase{"no_year_reads_tail_as_number", "GB50001", "GB 50001-2011", "有新标准"},
        ClassifyCase{"typed_with_space", "GB/T 50001-2010", "GB/T 50001-2010", "现行"},
        ClassifyCase{"site_number_with_full_width_space", "GB/T50104-2010",
                     "GB/T 50104-2010\xA1\xA1", "现行"},
        ClassifyCase{"empty_row_nothing_found", "", "", "现行"},
        ClassifyCase{"empty_row_something_found", "", "GB 1-2020", "有新标准"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace

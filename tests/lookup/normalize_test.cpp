#include <gtest/gtest.h>

#include "lookup/normalize.h"
#include "text/gbk.h"

using lookup::normalize_number;
using lookup::search_keyword;
using text::Text;

namespace {

struct NormalizeCase {
    const char* name;
    friend void PrintTo(const NormalizeCase& c, std::ostream* os) { *os << c.name; }
    Text typed;
    Text normalized;
    Text keyword;
};

class SearchKeyword : public ::testing::TestWithParam<NormalizeCase> {};

TEST_P(SearchKeyword, LeavesNormalizedNumberInTheCallersVariable) {
    const NormalizeCase& c = GetParam();
    Text number = c.typed;
    EXPECT_EQ(search_keyword(number), c.keyword);
    EXPECT_EQ(number, c.normalized);
}

const Text kFullWidthHyphen = "\xA3\xAD";
const Text kFullWidthSpace = "\xA1\xA1";

INSTANTIATE_TEST_SUITE_P(
    Cases, SearchKeyword,
    ::testing::Values(
        NormalizeCase{"usual", "GB/T50001-2010", "GBT500012010", "GBT50001"},
        NormalizeCase{"trailing_space", "GB/T 50001-2010 ", "GBT500012010", "GBT50001"},
        NormalizeCase{"no_slash", "GB 50001-2010", "GB500012010", "GB50001"},
        NormalizeCase{"dotted_serial", "GB/T 1.1-2009", "GBT1.12009", "GBT1.1"},
        NormalizeCase{"jgj", "JGJ/T 98-2010", "JGJT982010", "JGJT98"},
        NormalizeCase{"full_width_hyphen_stays", "GB/T 50001" + kFullWidthHyphen + "2010",
                      "GBT50001" + kFullWidthHyphen + "2010", "GBT50001" + kFullWidthHyphen},
        NormalizeCase{"full_width_space_removed", "GB/T" + kFullWidthSpace + "50001-2010",
                      "GBT500012010", "GBT50001"},
        NormalizeCase{"year_only", "2010", "2010", ""},
        NormalizeCase{"five_bytes", "A2010", "A2010", "A"},
        NormalizeCase{"too_short", "GB", "GB", ""}, NormalizeCase{"empty", "", "", ""},
        NormalizeCase{"only_removed_characters", "///  ", "", ""},
        NormalizeCase{"all_nine", "a/b\\c|d*e?f:g,h-i\"j", "abcdefghij", "abcdef"},
        NormalizeCase{"tab_and_break_stay", "GB\t50001\r\n-2010", "GB\t50001\r\n2010",
                      "GB\t50001\r\n"},
        // 0x5C and 0x7C as trail bytes belong to their characters.
        NormalizeCase{"trail_backslash_kept",
                      "\xD5\x5C"
                      "2010",
                      "\xD5\x5C"
                      "2010",
                      "\xD5\x5C"},
        NormalizeCase{"trail_bar_kept",
                      "\xB0\x7C"
                      "-1",
                      "\xB0\x7C"
                      "1",
                      ""},
        // Cut by bytes: the keyword ends in a lone lead byte.
        NormalizeCase{"cut_inside_character",
                      "GB\xB0\xA1"
                      "abc",
                      "GB\xB0\xA1"
                      "abc",
                      "GB\xB0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NormalizeNumber, ReturnsTheVariablesNewContentAndIsIdempotent) {
    Text number = "GB/T 50001-2010";
    const Text returned = normalize_number(number);
    EXPECT_EQ(returned, number);
    Text again = returned;
    EXPECT_EQ(normalize_number(again), returned);
}

}  // namespace

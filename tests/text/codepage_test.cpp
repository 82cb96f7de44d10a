#include <gtest/gtest.h>

#include "text/codepage.h"
#include "text/gbk.h"

using namespace text;

namespace {

std::string wide(std::u16string_view units) {
    std::string out;
    for (char16_t u : units) {
        out.push_back(static_cast<char>(u & 0xFF));
        out.push_back(static_cast<char>(u >> 8));
    }
    return out;
}

struct Utf8Case {
    const char* name;
    friend void PrintTo(const Utf8Case& c, std::ostream* os) { *os << c.name; }
    std::string utf8;
    std::string gbk;
};

class Utf8ToGbk : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8ToGbk, Converts) {
    EXPECT_EQ(utf8_to_gbk(GetParam().utf8), GetParam().gbk);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8ToGbk,
    ::testing::Values(Utf8Case{"ascii", "GB/T50001-2010", "GB/T50001-2010"},
                      Utf8Case{"chinese", "现行：", "\xCF\xD6\xD0\xD0\xA3\xBA"},
                      Utf8Case{"empty", "", ""},
                      // Hangul has no GBK form: the code page's default "?".
                      Utf8Case{"missing_in_gbk",
                               "a\xED\x95\x9C"
                               "b",
                               "a?b"},
                      Utf8Case{"emoji_is_one_question_mark", "\xF0\x9F\x98\x80", "?"},
                      Utf8Case{"invalid_utf8_replaced_and_goes_on",
                               "a\xFF"
                               "b",
                               "a?b"},
                      Utf8Case{"truncated_sequence_at_end", "ab\xE7\x8E", "ab??"},
                      Utf8Case{"bom_kept_as_character",
                               "\xEF\xBB\xBF"
                               "a",
                               "?a"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MultibyteToWide, Utf16LeWithTerminatingZeroUnit) {
    EXPECT_EQ(multibyte_to_wide("a\xE7\x8E\xB0").str(), wide(u"a\u73B0") + std::string(2, '\0'));
    EXPECT_EQ(multibyte_to_wide("").str(), std::string(2, '\0'));
    EXPECT_EQ(multibyte_to_wide("\x80").str(), wide(u"\uFFFD") + std::string(2, '\0'));
    EXPECT_EQ(multibyte_to_wide("\xCF\xD6", kCodePageGbk).str(),
              wide(u"\u73B0") + std::string(2, '\0'));
}

TEST(WideToMultibyte, StopsAtTheZeroUnit) {
    EXPECT_EQ(wide_to_multibyte(Bytes(wide(u"ab") + std::string(2, '\0') + wide(u"cd"))), "ab");
    EXPECT_EQ(wide_to_multibyte(Bytes(wide(u"\u73B0"))), "\xCF\xD6");
    EXPECT_EQ(wide_to_multibyte(Bytes(wide(u"x\xD800y"))), "x?y");  // lone surrogate
    EXPECT_EQ(wide_to_multibyte(Bytes(wide(u"a")), kCodePageUtf8), "a");
}

TEST(GbkToUtf8, RoundTripAndRepair) {
    EXPECT_EQ(gbk_to_utf8(GBK("岚石谱")), "岚石谱");
    EXPECT_EQ(gbk_to_utf8("a\xFF"), "a\xEF\xBF\xBD");
    EXPECT_EQ(gbk_to_utf8("ab\xB0"), "ab\xEF\xBF\xBD");
}

TEST(GbkLiteral, IsGbkBytes) {
    EXPECT_EQ(GBK("现行"), "\xCF\xD6\xD0\xD0");
}

}  // namespace

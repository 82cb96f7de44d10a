#include <gtest/gtest.h>

#include "http/cookies.h"

using namespace http;

namespace {

struct MergeCase {
    const char* name;
    Text sent;
    Text returned;
    Text merged;
    friend void PrintTo(const MergeCase& c, std::ostream* os) { *os << c.name; }
};

class MergeCookies : public ::testing::TestWithParam<MergeCase> {};

TEST_P(MergeCookies, ReturnedFirstThenUnsetOld) {
    const MergeCase& c = GetParam();
    Text sent = c.sent;
    Text returned = c.returned;
    EXPECT_EQ(merge_cookies(sent, returned), c.merged);
    EXPECT_EQ(sent, c.merged);
    EXPECT_EQ(returned, text::remove_spaces(c.returned));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeCookies,
    ::testing::Values(MergeCase{"returned_replaces_sent", "a=1; b=2", "b=3", "b=3; a=1"},
                      MergeCase{"deleted_drops_out", "a=1", "a=deleted", ""},
                      MergeCase{"repeat_removed", "", "x=1;x=1", "x=1"},
                      MergeCase{"first_old_of_a_name_wins", "a=1;a=2", "", "a=1"},
                      MergeCase{"spaces_removed_everywhere", " s = a b ", "", "s=ab"},
                      MergeCase{"both_empty", "", "", ""},
                      MergeCase{"empty_entry_survives_once", "a=1;;b=2", "", "a=1; ; b=2"},
                      MergeCase{"case_matters_in_names", "A=1", "a=2", "a=2; A=1"},
                      MergeCase{"short_entry_stays", "ab", "", "ab"},
                      MergeCase{"deleted_without_equals_stays", "a=undeleted", "", "a=undeleted"},
                      MergeCase{"bare_name_replaced", "flag", "flag=1", "flag=1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DedupeText, SeparatorOrCharacters) {
    EXPECT_EQ(dedupe_text("a; b; a", Text("; ")), "a; b");
    EXPECT_EQ(dedupe_text("", Text("; ")), "");
    EXPECT_EQ(dedupe_text("a;; b;; ", Text("; ")), "a;; b;");
    EXPECT_EQ(dedupe_text("\xB0\xA1\xB0\xA1\r\n\r\n"), "\xB0\xA1\r\n");
    EXPECT_EQ(dedupe_text("abcabc"), "abc");
    EXPECT_EQ(dedupe_text(""), "");
}

TEST(SplitCharacters, OwnPairingRule) {
    TextArray pieces{"left over"};
    // 0x80 alone; 0x81 pairs; CR LF pairs; a lone CR alone; a last high byte alone.
    EXPECT_EQ(split_characters("\x80"
                               "a\x81"
                               "b\r\nc\rd\xFF",
                               pieces),
              8);
    EXPECT_EQ(pieces.items(), (std::vector<Text>{"\x80", "a",
                                                 "\x81"
                                                 "b",
                                                 "\r\n", "c", "\r", "d", "\xFF"}));
    EXPECT_EQ(split_characters("", pieces), 0);
    EXPECT_EQ(pieces.count(), 0);
}

TEST(CookieName, BeforeFirstEqualsTrimmed) {
    EXPECT_EQ(cookie_name(" sid =abc=d"), "sid");
    EXPECT_EQ(cookie_name(" flag "), "flag");
    EXPECT_EQ(cookie_name("=x"), "");
    EXPECT_TRUE(contains_cookie_name(TextArray{"a=1", "b=2"}, "b"));
    EXPECT_FALSE(contains_cookie_name(TextArray{"a=1"}, "A"));
    EXPECT_EQ(index_of_text(TextArray{"x", "y", "y"}, "y"), 2);
    EXPECT_EQ(index_of_text(TextArray{}, "y"), -1);
}

}  // namespace

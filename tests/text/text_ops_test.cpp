#include <gtest/gtest.h>

#include "text/gbk.h"
#include "text/text.h"

using namespace text;

namespace {

struct FindCase {
    const char* name;
    friend void PrintTo(const FindCase& c, std::ostream* os) { *os << c.name; }
    std::string hay;
    std::string target;
    int start;
    bool ignore_case;
    int expected;
};

class FindText : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindText, GivesAlignedPositionOrMinusOne) {
    const FindCase& c = GetParam();
    EXPECT_EQ(find_text(c.hay, c.target, c.start, c.ignore_case), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindText,
    ::testing::Values(
        FindCase{"dash", "GB/T50001-2010", "-", 0, false, 10},
        FindCase{"from_past_dash", "GB/T50001-2010", "-", 11, false, -1},
        FindCase{"start_one", "GB/T50001-2010", "G", 1, false, 1},
        FindCase{"start_negative", "GB/T50001-2010", "G", -5, false, 1},
        FindCase{"start_past_end", "GB/T50001-2010", "0", 15, false, -1},
        FindCase{"position_counts_from_text_start", "abcabc", "abc", 2, false, 4},
        FindCase{"misaligned_inside_character", "\xD6\xD0\x41\x42", "\xD0\x41", 0, false, -1},
        FindCase{"after_character", "\xD6\xD0\x41\x42", "AB", 0, false, 3},
        FindCase{"trail_byte_backslash_not_a_match", "\xD5\x5C\x5C", "\\", 0, false, 3},
        FindCase{"misaligned_then_aligned", "\xB0\x41\x42\xB0\x41\x42\x41\x42", "AB", 0, false, 7},
        FindCase{"case_ignored", "accept: x\r\nreferer: y", "Referer:", 0, true, 12},
        FindCase{"case_kept", "accept: x\r\nreferer: y", "Referer:", 0, false, -1},
        FindCase{"ignore_case_stays_aligned", "\xC1\x61\x62", "AB", 0, true, -1},
        FindCase{"lone_lead_at_end", "ab\xB0", "\xB0", 0, false, 3},
        FindCase{"target_longer_than_text", "ab", "abc", 0, false, -1},
        FindCase{"empty_text", "", "a", 0, false, -1}),
    [](const auto& info) { return std::string(info.param.name); });

// The search in its plainest form: compare at every character start.
int naive_find(const std::string& hay, const std::string& target, int start) {
    std::size_t i = start > 1 ? static_cast<std::size_t>(start - 1) : 0;
    for (; i < hay.size() && hay.size() - i >= target.size(); i += char_width(hay[i])) {
        if (hay.compare(i, target.size(), target) == 0) return static_cast<int>(i + 1);
    }
    return -1;
}

TEST(FindText, AgreesWithThePlainCharacterWalkOnRandomGbk) {
    // Few distinct bytes, many of them high, so that misaligned candidates abound.
    const char alphabet[] = {'\xB1', '\xB2', 'a', '\\', '<'};
    std::uint32_t seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    for (int round = 0; round < 20000; ++round) {
        std::string hay(next() % 24, ' ');
        for (char& c : hay)
            c = alphabet[next() % 5];
        std::string target(1 + next() % 3, ' ');
        for (char& c : target)
            c = alphabet[next() % 5];
        const int start = static_cast<int>(next() % 6);
        ASSERT_EQ(find_text(hay, target, start), naive_find(hay, target, start))
            << "hay=" << ::testing::PrintToString(hay)
            << " target=" << ::testing::PrintToString(target) << " start=" << start;
    }
}

struct SplitCase {
    const char* name;
    friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }
    std::string text;
    std::string delimiter;
    std::vector<std::string> pieces;
};

class SplitText : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitText, Pieces) {
    const SplitCase& c = GetParam();
    EXPECT_EQ(split_text(c.text, c.delimiter).items(), c.pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitText,
    ::testing::Values(SplitCase{"empty_text", "", "\r\n", {}},
                      SplitCase{"no_break", "a", "\r\n", {"a"}},
                      SplitCase{"leading_break", "\r\na", "\r\n", {"", "a"}},
                      SplitCase{"trailing_break", "a\r\n", "\r\n", {"a"}},
                      SplitCase{"blank_line", "a\r\n\r\nb\r\n", "\r\n", {"a", "", "b"}},
                      SplitCase{"only_breaks", "\r\n\r\n", "\r\n", {"", ""}},
                      SplitCase{"empty_delimiter", "abc", "", {"abc"}},
                      SplitCase{"bare_lf_not_split", "a\nb", "\r\n", {"a\nb"}},
                      SplitCase{
                          "delimiter_inside_character_not_split", "\xB0-x-y", "-", {"\xB0-x", "y"}},
                      SplitCase{"case_matters", "aXbxc", "x", {"aXb", "c"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SplitText, JoiningGivesTheTextBackLessATrailingDelimiter) {
    const std::string t = "a;;b;\xB0;c;";
    std::string joined;
    const TextArray pieces = split_text(t, ";");
    for (int i = 1; i <= array_count(pieces); ++i)
        joined += (i > 1 ? ";" : "") + pieces.at(i);
    EXPECT_EQ(joined, "a;;b;\xB0;c");
}

TEST(ReplaceText, EveryAlignedOccurrenceFromTheStart) {
    EXPECT_EQ(replace_text("a-b-c", "-", ""), "abc");
    EXPECT_EQ(replace_text("aaa", "aa", "b"), "ba");
    EXPECT_EQ(replace_text("ab", "b", "bb"), "abb");  // a replacement is not searched again
    EXPECT_EQ(replace_text("Set-Cookie: x", "set-cookie:", "", true), " x");
    EXPECT_EQ(replace_text("\xD5\x5C\\", "\\", ""), "\xD5\x5C");
    EXPECT_EQ(replace_text("", "a", "b"), "");
    EXPECT_EQ(replace_text("abc", "", "x"), "abc");
}

TEST(TrimAndSpaces, AsciiAndFullWidthSpacesOnly) {
    EXPECT_EQ(trim_text("\xA1\xA1 a b \xA1\xA1"), "a b");
    EXPECT_EQ(trim_text("\ta\r\n"), "\ta\r\n");
    EXPECT_EQ(trim_text("   "), "");
    // B0 A1 is one character, so the A1 after it is no full-width space.
    EXPECT_EQ(trim_text("x\xB0\xA1\xA1"), "x\xB0\xA1\xA1");
    EXPECT_EQ(remove_spaces(" GB/T 50001 - 2010 "), "GB/T50001-2010");
    EXPECT_EQ(remove_spaces("a\r\n b\t\xA1\xA1"
                            "c"),
              "a\r\nb\tc");
    EXPECT_EQ(remove_spaces("\xB0\x20"
                            "a"),
              "\xB0\x20"
              "a");  // 0x20 as a trail byte stays
}

TEST(ToUpper, AsciiLettersOnlyAndNeverATrailByte) {
    EXPECT_EQ(to_upper("accept-language"), "ACCEPT-LANGUAGE");
    EXPECT_EQ(to_upper("\xB0"
                       "a"
                       "b"),
              "\xB0"
              "aB");
    EXPECT_EQ(to_upper("z\xB0"), "Z\xB0");
}

struct IntCase {
    const char* name;
    friend void PrintTo(const IntCase& c, std::ostream* os) { *os << c.name; }
    std::string text;
    std::int32_t value;
};

class TextToInt : public ::testing::TestWithParam<IntCase> {};

TEST_P(TextToInt, LeadingInteger) {
    EXPECT_EQ(text_to_int(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextToInt,
                         ::testing::Values(IntCase{"digit", "2", 2}, IntCase{"empty", "", 0},
                                           IntCase{"leading_space", " 3", 3},
                                           IntCase{"full_width_digits", "\xA3\xB1\xA3\xB2", 12},
                                           IntCase{"full_width_minus",
                                                   "\xA3\xAD"
                                                   "7",
                                                   -7},
                                           IntCase{"minus_then_letter", "-7x", -7},
                                           IntCase{"letter_first", "x7", 0},
                                           IntCase{"plus", "+42", 42},
                                           IntCase{"year_then_letters", "2010ab", 2010},
                                           IntCase{"full_width_space",
                                                   "\xA1\xA1"
                                                   "5",
                                                   5},
                                           IntCase{"tab_and_newline", "\t\n9", 9},
                                           IntCase{"wraps_in_32_bits", "4294967297", 1},
                                           IntCase{"other_chinese_stops",
                                                   "\xB0\xA1"
                                                   "5",
                                                   0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Cuts, CountPlainBytes) {
    EXPECT_EQ(right_text("GB/T50001-2010", 4), "2010");
    EXPECT_EQ(right_text("ab", 5), "ab");
    EXPECT_EQ(right_text("ab", 0), "");
    EXPECT_EQ(left_text("\xB0\xA1", 5), "\xB0\xA1");
    EXPECT_EQ(left_text("\xB0\xA1", 1), "\xB0");
    EXPECT_EQ(left_text("abc", 0), "");
    EXPECT_EQ(left_text("abc", -1), "");
    EXPECT_EQ(mid_text("abcdef", 3, 2), "cd");
    EXPECT_EQ(mid_text("abcdef", 5, 10), "ef");
    EXPECT_EQ(mid_text("abc", 4, 1), "");
    EXPECT_EQ(mid_text("abc", 0, 1), "");
    EXPECT_EQ(mid_text("abc", 1, 0), "");
    EXPECT_EQ(int_to_text(-120), "-120");
    EXPECT_EQ(int_to_text(0), "0");
}

TEST(BytesOps, NulAndClipping) {
    const Bytes b(std::string("ab\0c", 4));
    EXPECT_EQ(bytes_length(b), 4);
    EXPECT_EQ(bytes_to_text(b), "ab");
    EXPECT_EQ(bytes_to_text(Bytes()), "");
    EXPECT_EQ(bytes_mid(b, 0, 2).str(), "ab");
    EXPECT_EQ(bytes_mid(b, 3, 5).str(), std::string("\0c", 2));
    EXPECT_TRUE(bytes_mid(b, 5, 1).empty());
    EXPECT_TRUE(bytes_mid(b, 2, -1).empty());
    EXPECT_EQ(text_to_bytes("xy").str(), "xy");
    EXPECT_TRUE(text_to_bytes("").empty());
}

TEST(Markers, TextBetween) {
    EXPECT_EQ(text_between("x[a]y[b]", "[", "]"), "a");
    EXPECT_EQ(text_between("]x[a", "[", "]"), "");  // end marker only before the start
    EXPECT_EQ(text_between("[]", "[", "]"), "");
    EXPECT_EQ(text_between("abc", "z", "c"), "");
    EXPECT_EQ(text_between("ab[", "[", "]"), "");
    const Text quoted = "onclick=\"mClk(7)\"";
    EXPECT_EQ(text_between(quoted, concat_text("onclick=", GBK("#引号"), "mClk("), ")"), "7");
    // The searched text itself is never rewritten.
    const Text literal_word = concat_text("a", GBK("#引号"), "b");
    EXPECT_EQ(text_between(literal_word, "a", "b"), GBK("#引号"));
}

TEST(Markers, TextBefore) {
    EXPECT_EQ(text_before("Set-Cookie: a=1", ": "), "Set-Cookie");
    EXPECT_EQ(text_before("no marker here", ": "), "");
    EXPECT_EQ(text_before(": x", ": "), "");
    EXPECT_EQ(text_before("a:b:c", ":", 3), "a:b");
}

TEST(TextArrayOps, CopiesValues) {
    TextArray a;
    Text item = "x";
    array_append(a, item);
    item = "y";
    EXPECT_EQ(a.at(1), "x");
    TextArray b = a;
    b.at(1) = "z";
    EXPECT_EQ(a.at(1), "x");
    EXPECT_EQ(array_count(b), 1);
}

}  // namespace

#include <gtest/gtest.h>

#include "http/headers.h"

using namespace http;

namespace {

struct BlockCase {
    const char* name;
    Text block;
    Text normalized;
    friend void PrintTo(const BlockCase& c, std::ostream* os) { *os << c.name; }
};

class NormalizeHeaderBlock : public ::testing::TestWithParam<BlockCase> {};

TEST_P(NormalizeHeaderBlock, Lines) {
    EXPECT_EQ(normalize_header_block(GetParam().block), GetParam().normalized);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormalizeHeaderBlock,
    ::testing::Values(
        BlockCase{"empty", "", ""},
        BlockCase{"leading_empty_line_dropped", "\r\nAccept: */*", "Accept: */*"},
        BlockCase{"lower_case_name", "accept-language: zh-cn", "Accept-Language: zh-cn"},
        BlockCase{"capitals_kept", "ACCEPT-language: x", "ACCEPT-Language: x"},
        BlockCase{"no_space_after_colon_dropped", "Accept:*/*\r\nX: 1", "X: 1"},
        BlockCase{"value_with_colon_space_emptied", "Referer: http://a: b", "Referer: "},
        BlockCase{"nothing_after_colon_space", "X-A: ", "X-A: "},
        BlockCase{"trailing_dash_lost", "x-: 1", "X: 1"},
        BlockCase{"double_dash_kept", "x--y: 1", "X--Y: 1"},
        BlockCase{"empty_lines_and_final_break", "a: 1\r\n\r\nb: 2\r\n", "A: 1\r\nB: 2"},
        BlockCase{"value_with_plain_colon_kept", "Referer: http://h/p?x=1",
                  "Referer: http://h/p?x=1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HeaderLine, NameAndValueAtFirstColon) {
    EXPECT_EQ(header_name(" Referer : http://h:80/x "), "Referer");
    EXPECT_EQ(header_value(" Referer : http://h:80/x "), "http://h:80/x");
    EXPECT_EQ(header_name("no colon"), "");
    EXPECT_EQ(header_value("no colon"), "");
    EXPECT_EQ(capitalize_first("x"), "X");
    EXPECT_EQ(capitalize_first(""), "");
    EXPECT_EQ(capitalize_first("\xB0\xA1"), "\xB0\xA1");
}

TEST(Base64, Rfc4648Vectors) {
    const std::pair<const char*, const char*> vectors[] = {{"", ""},
                                                           {"f", "Zg=="},
                                                           {"fo", "Zm8="},
                                                           {"foo", "Zm9v"},
                                                           {"foob", "Zm9vYg=="},
                                                           {"fooba", "Zm9vYmE="},
                                                           {"foobar", "Zm9vYmFy"},
                                                           {"u:p", "dTpw"}};
    for (const auto& [in, out] : vectors)
        EXPECT_EQ(base64_encode(text::Bytes(in)), out) << in;
    EXPECT_EQ(base64_encode(text::Bytes("\xFF\xFE\x00", 3)), "//4A");
}

}  // namespace

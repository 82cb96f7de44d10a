#include <gtest/gtest.h>

#include "lookup/extract.h"
#include "text/gbk.h"

using lookup::extract_current_row;
using lookup::LookupResult;
using text::Text;

namespace {

const Text& current_cell() {
    return lookup::current_marker();
}

// One result row as the site writes it.
Text row(const Text& number, const Text& title, const Text& status_cell, const Text& extra = "") {
    return text::concat_text("<tr bgcolor=\"#ffffff\" onclick=\"mClk('", number, "')\"><td>",
                             GBK("编号："), number, "&nbsp;", GBK("标题："), title, "&nbsp;",
                             GBK("发布日期："), "2010-05-28&nbsp;", GBK("发布部门："),
                             GBK("住房和城乡建设部"), "&nbsp;</td>", extra, status_cell, "</tr>\n");
}

Text old_cell() {
    return text::concat_text("<td ><font color=\"#ff0000\">", GBK("作废"), "</font></td>");
}

LookupResult found(const Text& number, const Text& title) {
    return {"'" + number + "'", number, title, "2010-05-28", GBK("住房和城乡建设部"), GBK("现行")};
}

LookupResult empty_current() {
    return {"", "", "", "", "", GBK("现行")};
}
LookupResult not_found() {
    return {"", "", "", "", "", GBK("未找到现行")};
}

struct ExtractCase {
    const char* name;
    friend void PrintTo(const ExtractCase& c, std::ostream* os) { *os << c.name; }
    Text page;
    LookupResult expected;
};

class Extract : public ::testing::TestWithParam<ExtractCase> {};

TEST_P(Extract, FirstCurrentRow) {
    EXPECT_EQ(extract_current_row(GetParam().page), GetParam().expected);
}

const Text kTitle = "Title A";

INSTANTIATE_TEST_SUITE_P(
    Cases, Extract,
    ::testing::Values(
        ExtractCase{"empty_page", "", not_found()},
        ExtractCase{"other_spacing",
                    row("GB 1-2001", kTitle, "<td><font color=\"#000000\">x</font></td>"),
                    not_found()},
        ExtractCase{"one_current_row", "<table>" + row("GB/T 50001-2010", kTitle, current_cell()),
                    found("GB/T 50001-2010", kTitle)},
        ExtractCase{"second_of_three",
                    row("GB/T 50001-2001", "Old", old_cell()) +
                        row("GB/T 50001-2010", kTitle, current_cell()) +
                        row("GB/T 50001-2017", "New", current_cell()),
                    found("GB/T 50001-2010", kTitle)},
        ExtractCase{"bgcolor_inside_current_row",
                    row("GB 2-2010", kTitle, current_cell(), "<td bgcolor=\"red\">x</td>"),
                    empty_current()},
        ExtractCase{"bgcolor_inside_earlier_row",
                    row("GB 2-2001", "Old", old_cell(), "<td bgcolor=\"red\">x</td>") +
                        row("GB 2-2010", kTitle, current_cell()),
                    found("GB 2-2010", kTitle)},
        ExtractCase{"marker_before_any_row", current_cell() + row("GB 3-2010", kTitle, old_cell()),
                    empty_current()},
        ExtractCase{"no_row_start", "<tr>" + current_cell(), empty_current()},
        ExtractCase{"publisher_without_ampersand",
                    text::concat_text("<tr bgcolor=1>", GBK("编号："), "GB 4-2010&",
                                      GBK("发布部门："), "X", current_cell()),
                    {"", "GB 4-2010", "", "", "", GBK("现行")}},
        ExtractCase{"ampersand_ends_field_whatever_follows",
                    text::concat_text("<tr bgcolor=1>", GBK("标题："), "a?b=1&c=2", current_cell()),
                    {"", "", "a?b=1", "", "", GBK("现行")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Extract, ManyRowsBeforeTheFirstCurrentOne) {
    Text page = "<html>";
    for (int i = 0; i < 2000; ++i)
        page += row("GB 9-" + std::to_string(i), "Old", old_cell());
    page += row("GB 9-2020", kTitle, current_cell());
    page += row("GB 9-2021", "Later", current_cell());
    EXPECT_EQ(extract_current_row(page), found("GB 9-2020", kTitle));
}

TEST(Extract, MarkersNeverMatchInsideDoubleByteCharacters) {
    // A lead byte right before "<tr bgcolor=" swallows its "<": the page has no
    // row start, so the current cell yields empty fields.
    const Text page = "\xB0" + row("GB 5-2010", kTitle, current_cell());
    EXPECT_EQ(extract_current_row(page), empty_current());
}

}  // namespace

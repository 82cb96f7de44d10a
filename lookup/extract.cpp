#include "lookup/extract.h"

#include "text/gbk.h"

namespace lookup {

using text::Text;

namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kRowStartMarker = "<tr bgcolor=";
constexpr std::string_view kRowAttributeWord = "bgcolor";

// The bytes strictly between `open` and the first `close` after it, searched
// from the start of `row`; "" when either is missing.
Text between(std::string_view row, std::string_view open, std::string_view close) {
    const std::size_t s = text::find_aligned(row, open, 0);
    if (s == npos) return {};
    const std::size_t p = s + open.size();
    const std::size_t e = text::find_aligned(row, close, p);
    if (e == npos) return {};
    return Text(row.substr(p, e - p));
}

// The first row start in `row`, given that the first "bgcolor" in it is at
// `word`. When that word is the one of an aligned "<tr bgcolor=", no row start
// can come earlier (its own "bgcolor" would), so the second search is spared.
std::size_t row_start_at_or_after(std::string_view row, std::size_t word) {
    constexpr std::size_t lead = kRowStartMarker.size() - kRowAttributeWord.size() - 1;  // "<tr "
    if (word >= lead && row.substr(word - lead, kRowStartMarker.size()) == kRowStartMarker &&
        text::is_char_start(row, 0, word - lead)) {
        return word - lead;
    }
    return text::find_aligned(row, kRowStartMarker, 0);
}

}  // namespace

const Text& current_marker() {
    return GBK("<td ><font color=\"#000000\">现行</font></td>");
}
const Text& status_current() {
    return GBK("现行");
}
const Text& status_not_found() {
    return GBK("未找到现行");
}

// The row text is narrowed from "everything between the first row start and the
// first current cell after it" by dropping one leading row per pass while it
// still holds "bgcolor". Every row text is a slice of the page ending in that
// current cell, so the passes move a start offset instead of copying the rest
// of the page each time, which keeps pages with many rows linear.
LookupResult extract_current_row(std::string_view page) {
    const std::string_view marker = current_marker();
    LookupResult result;
    const std::size_t first_cell = text::find_aligned(page, marker, 0);
    if (first_cell == npos) {
        result.status = status_not_found();
        return result;
    }
    result.status = status_current();

    std::string_view row = marker;  // what a failed narrowing leaves
    const std::size_t first_row = text::find_aligned(page, kRowStartMarker, 0);
    if (first_row != npos) {
        const std::size_t lo = first_row + kRowStartMarker.size();
        // The walk from `lo` keeps the page's character starts, so the first
        // cell at or after `lo` is the one already found when it lies there.
        const std::size_t cell =
            first_cell >= lo ? first_cell : text::find_aligned(page, marker, lo);
        if (cell != npos) row = page.substr(lo, cell + marker.size() - lo);
    }
    // The row always ends in the current cell, which holds no "bgcolor" and no
    // row start, so both searches may stop before it.
    while (row.size() > marker.size()) {
        const std::string_view body = row.substr(0, row.size() - marker.size());
        const std::size_t word = text::find_aligned(body, kRowAttributeWord, 0);
        if (word == npos) break;
        const std::size_t s = row_start_at_or_after(body, word);
        row = s == npos ? std::string_view(marker) : row.substr(s + kRowStartMarker.size());
    }

    result.detail_ref = between(row, "onclick=\"mClk(", ")");
    result.number = between(row, GBK("编号："), "&");
    result.title = between(row, GBK("标题："), "&");
    result.publish_date = between(row, GBK("发布日期："), "&");
    result.publisher = between(row, GBK("发布部门："), "&");
    return result;
}

}  // namespace lookup

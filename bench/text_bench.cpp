// Extraction and character-aligned search against one memmem scan of the same
// bytes (the floor: no search can read the page faster).
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "lookup/extract.h"
#include "text/gbk.h"
#include "text/text.h"

namespace {

// A page of `rows` superseded editions padded to about `bytes`, then one current row.
std::string make_page(int rows, std::size_t bytes) {
    const std::string padding_unit = GBK("房屋建筑制图统一标准 ");
    const std::size_t per_row = bytes / static_cast<std::size_t>(rows + 1);
    std::string page = "<html><table>";
    auto add_row = [&](const std::string& number, const std::string& cell) {
        std::string row = "<tr bgcolor=\"#ffffff\" onclick=\"mClk('x')\"><td>" + GBK("编号：") +
                          number + "&nbsp;" + GBK("标题：");
        while (row.size() + 200 < per_row)
            row += padding_unit;
        row +=
            "&nbsp;" + GBK("发布日期：") + "2010-01-01&nbsp;" + GBK("发布部门：") + "X&nbsp;</td>";
        page += row + cell + "</tr>\n";
    };
    const std::string old_cell = "<td ><font color=\"#ff0000\">" + GBK("作废") + "</font></td>";
    for (int i = 0; i < rows; ++i)
        add_row("GB 1-" + std::to_string(i), old_cell);
    add_row("GB 1-2020", lookup::current_marker());
    return page + "</table></html>";
}

struct PageSize {
    int rows;
    std::size_t bytes;
};
constexpr PageSize kPages[] = {{10, 10 << 10}, {1000, 1 << 20}, {10000, 10 << 20}};

void BM_Extract(benchmark::State& state) {
    const PageSize p = kPages[state.range(0)];
    const std::string page = make_page(p.rows, p.bytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(lookup::extract_current_row(page));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
    state.SetLabel(std::to_string(p.rows) + " rows, " + std::to_string(page.size()) + " B");
}

void BM_ExtractFloorMemmem(benchmark::State& state) {
    const PageSize p = kPages[state.range(0)];
    const std::string page = make_page(p.rows, p.bytes);
    const std::string& marker = lookup::current_marker();
    for (auto _ : state) {
        benchmark::DoNotOptimize(memmem(page.data(), page.size(), marker.data(), marker.size()));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
    state.SetLabel(std::to_string(p.rows) + " rows, " + std::to_string(page.size()) + " B");
}

BENCHMARK(BM_Extract)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExtractFloorMemmem)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

// 1 MB of mixed GBK and ASCII with the target at the very end.
std::string mixed_text() {
    std::string t;
    const std::string chunk = GBK("标准编号：GB/T 50001-2010 房屋建筑制图统一标准 ");
    while (t.size() < (1 << 20))
        t += chunk;
    return t + "NEEDLE";
}

void BM_FindText(benchmark::State& state) {
    const std::string t = mixed_text();
    for (auto _ : state)
        benchmark::DoNotOptimize(text::find_text(t, "NEEDLE"));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.size()));
}

void BM_FindTextChineseTarget(benchmark::State& state) {
    const std::string t = mixed_text() + GBK("现行");
    const std::string& target = GBK("现行");
    for (auto _ : state)
        benchmark::DoNotOptimize(text::find_text(t, target));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.size()));
}

// A target whose first byte occurs in every chunk: memchr keeps stopping.
void BM_FindTextCommonFirstByte(benchmark::State& state) {
    const std::string t = mixed_text() + "GB/T 99999";
    for (auto _ : state)
        benchmark::DoNotOptimize(text::find_text(t, "GB/T 99999"));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.size()));
}

void BM_FindFloorMemmem(benchmark::State& state) {
    const std::string t = mixed_text();
    for (auto _ : state)
        benchmark::DoNotOptimize(memmem(t.data(), t.size(), "NEEDLE", 6));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * t.size()));
}

BENCHMARK(BM_FindText)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindTextChineseTarget)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindTextCommonFirstByte)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FindFloorMemmem)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

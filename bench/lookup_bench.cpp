// Lookups against the stand-in site on loopback: throughput at zero latency
// (a new connection per request, as the routine makes one object per call),
// and the overhead per lookup above a fixed server latency.
#include <benchmark/benchmark.h>

#include "lookup/search.h"
#include "tools/search_site/search_site.h"

namespace {

void BM_Lookup(benchmark::State& state) {
    search_site::SearchSite::Options options;
    options.latency_ms = static_cast<int>(state.range(0));
    search_site::SearchSite site(options);
    lookup::set_search_host(site.host());
    for (auto _ : state)
        benchmark::DoNotOptimize(lookup::lookup_standard("GBT50001"));
    state.SetItemsProcessed(state.iterations());
}

// Overhead per lookup = time per lookup - the server's latency (the floor).
BENCHMARK(BM_Lookup)->Arg(0)->Arg(20)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

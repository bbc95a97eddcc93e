// The index's search box: the catalogue's text search for one keystroke's
// text, in each of the ways it reads a text (the window must answer a
// keystroke within a frame, 16 ms, refiltering included).
#include <string>

#include <benchmark/benchmark.h>

#include "catalogue/CatalogueQuery.h"

namespace {

const char* const kTexts[] = {"4-", "4-Z15", "C E G", "p24", "symmetric", "Z", "hello"};

void BM_SearchCatalogue(benchmark::State& state)
{
    const char* text = kTexts[state.range(0)];
    const bool containing = state.range(1) != 0;
    SearchCatalogue(text, containing);  // the classifications are worked out once, before
    for (auto _ : state)
        benchmark::DoNotOptimize(SearchCatalogue(text, containing));
    state.SetLabel(std::string(text) + (containing ? ", containing" : ""));
}
BENCHMARK(BM_SearchCatalogue)->ArgsProduct({{0, 1, 2, 3, 4, 5, 6}, {0, 1}})->Unit(benchmark::kMicrosecond);

}  // namespace

// The page as text is made on the window's thread each time a page is
// shown (for the screen reader's description): it must stay well under a
// frame's worth of work beside the preview, a few milliseconds at most.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "page/PageText.h"

namespace {

void BM_DescribePage(benchmark::State& state)
{
    // A triad, a hexachord with many relations, and the aggregate.
    const std::vector<std::vector<int>> sets = {{0, 4, 7}, {0, 1, 2, 4, 7, 8}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}};
    const std::vector<int>& set = sets[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state) {
        std::string text = DescribePage(set);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_DescribePage)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

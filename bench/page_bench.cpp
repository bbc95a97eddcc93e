// Speed of the page composer: the whole book, all 351 pages of the
// catalogue, each composed as an EPS page from its Tn-type text.
#include "page/HarmodexPage.h"
#include "pcset/PitchUniverse.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ComposeAllPages(benchmark::State& state)
{
    const PitchUniverse& catalogue = SharedUniverse();
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (int i = 0; i < PitchUniverse::NumTnTypes; ++i)
            bytes += DrawHarmodexPage(i + 1, catalogue.tnTypes[i], 0, 0).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetItemsProcessed(state.iterations() * PitchUniverse::NumTnTypes);
}
BENCHMARK(BM_ComposeAllPages)->Unit(benchmark::kMillisecond);

// One page of a middle-sized set, the kind a user asks for most.
void BM_ComposeMajorTriadPage(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawHarmodexPage(24, "0 4 7", 0, 0));
}
BENCHMARK(BM_ComposeMajorTriadPage)->Unit(benchmark::kMicrosecond);

// The same page with its layout recorded, as the window composes it: the
// record should cost little beside the page, and its regions few.
void BM_ComposeMajorTriadPageWithLayout(benchmark::State& state)
{
    PageLayout layout;
    for (auto _ : state)
        benchmark::DoNotOptimize(DrawHarmodexPage(24, "0 4 7", 0, 0, &layout));
    state.counters["regions"] = static_cast<double>(layout.blocks.size() + layout.details.size());
}
BENCHMARK(BM_ComposeMajorTriadPageWithLayout)->Unit(benchmark::kMicrosecond);

// Finding what lies under the pointer, asked at every pointer motion.
void BM_SpotUnderPointer(benchmark::State& state)
{
    PageLayout layout;
    DrawHarmodexPage(24, "0 4 7", 0, 0, &layout);
    double y = 0;
    for (auto _ : state) {
        y = y >= 680 ? 0 : y + 7;
        benchmark::DoNotOptimize(layout.blockAt(171, y));
        benchmark::DoNotOptimize(layout.detailAt(171, y));
    }
}
BENCHMARK(BM_SpotUnderPointer);

}  // namespace

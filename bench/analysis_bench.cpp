// The analysis of every Tn-type, and the psychoacoustic measures a page
// prints for it.
#include <vector>

#include <benchmark/benchmark.h>

#include "analysis/Psychoacoustics.h"
#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"

namespace {

std::vector<std::vector<int>> catalogueLists()
{
    std::vector<std::vector<int>> lists;
    for (const std::string& text : SharedUniverse().tnTypes)
        lists.push_back(StringToVector(text));
    return lists;
}

void BM_CalculateEverythingAll351TnTypes(benchmark::State& state)
{
    const auto lists = catalogueLists();
    PitchClassSet s;
    for (auto _ : state) {
        for (const auto& list : lists) {
            s.initializeSet(list);
            s.calculateEverything();
            benchmark::DoNotOptimize(s.inWeight);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lists.size()));
}
BENCHMARK(BM_CalculateEverythingAll351TnTypes)->Unit(benchmark::kMicrosecond);

// The last three steps of the analysis alone (symmetry axes, imitation
// patterns, classification), on sets whose tables and poles are computed.
void BM_ClassificationStepsAll351TnTypes(benchmark::State& state)
{
    const auto lists = catalogueLists();
    std::vector<PitchClassSet> sets(lists.size());
    for (size_t i = 0; i < lists.size(); ++i) {
        sets[i].initializeSet(lists[i]);
        sets[i].calculateEverything();
    }
    for (auto _ : state) {
        for (PitchClassSet& s : sets) {
            s.calculateSymmetryAxes();
            s.calculateImitationPatterns();
            s.calculateAttributes();
            benchmark::DoNotOptimize(s.setInfos.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(sets.size()));
}
BENCHMARK(BM_ClassificationStepsAll351TnTypes)->Unit(benchmark::kMicrosecond);

// Tonicity, phonicity, azimuth, roughness and the two triad commonality rows,
// as on every page.
void BM_PageMeasuresAll351TnTypes(benchmark::State& state)
{
    const auto lists = catalogueLists();
    std::vector<PitchClassSet> sets(lists.size());
    for (size_t i = 0; i < lists.size(); ++i) {
        sets[i].initializeSet(lists[i]);
        sets[i].calculateEverything();
    }
    PitchClassSet major, minor;
    major.initializeSet({0, 4, 7});
    minor.initializeSet({0, 3, 7});
    for (auto _ : state) {
        float total = 0.0f;
        for (size_t i = 0; i < sets.size(); ++i) {
            total += CalculateTonicity(sets[i]) + CalculatePhonicity(sets[i]) + CalculateAzimuth(sets[i]);
            total += CalculateFrozenHutchinsonKnopoffRoughness(lists[i]);
            total += static_cast<float>(CalculateCommonalityForAllTns(sets[i], major)[0]);
            total += static_cast<float>(CalculateCommonalityForAllTns(sets[i], minor)[0]);
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(sets.size()));
}
BENCHMARK(BM_PageMeasuresAll351TnTypes)->Unit(benchmark::kMillisecond);

}  // namespace

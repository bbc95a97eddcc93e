// Loading, Tn-type and page number of every non-empty pitch-class set.
#include <vector>

#include <benchmark/benchmark.h>

#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"
#include "pcset/SetReader.h"

namespace {

std::vector<std::vector<int>> allSubsets()
{
    std::vector<std::vector<int>> sets;
    for (int mask = 1; mask < 4096; ++mask) {
        std::vector<int> set;
        for (int pc = 0; pc < 12; ++pc)
            if (mask & (1 << pc))
                set.push_back(pc);
        sets.push_back(set);
    }
    return sets;
}

void BM_BuildCatalogue(benchmark::State& state)
{
    for (auto _ : state) {
        PitchUniverse u;
        benchmark::DoNotOptimize(u.forteNames[350]);
    }
}
BENCHMARK(BM_BuildCatalogue)->Unit(benchmark::kMillisecond);

void BM_PageNumberOfAll4095Subsets(benchmark::State& state)
{
    const auto sets = allSubsets();
    const PitchUniverse& u = SharedUniverse();
    for (auto _ : state) {
        long pages = 0;
        PitchClassSet s;
        for (const auto& set : sets) {
            s.initializeSet(set);
            pages += FindSetID(VectorToString(s.getTnType()), u) + 1;
        }
        benchmark::DoNotOptimize(pages);
    }
}
BENCHMARK(BM_PageNumberOfAll4095Subsets)->Unit(benchmark::kMillisecond);

}  // namespace

// The forgiving reader over one text of each form it understands (the
// catalogue and its Forte index are built before timing).
void BM_UnderstandSetTextOfEveryForm(benchmark::State& state)
{
    const char* texts[] = {"0 4 7", "[0,4,7]", "(0123u)", "047",      "Bb D F",      "C4 E4 G4",
                           "4-Z15", "6-Z17b",  "p24",     "13.12.14", "7 t 2 6 9 0", "hello"};
    UnderstandSetText("3-11b");
    for (auto _ : state)
        for (const char* text : texts)
            benchmark::DoNotOptimize(UnderstandSetText(text));
}
BENCHMARK(BM_UnderstandSetTextOfEveryForm)->Unit(benchmark::kMicrosecond);

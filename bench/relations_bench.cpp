// Catalogue queries of the set relations, run for every one of the 351
// Tn-types as the book's pages ask them: Z-partners, subsets and supersets
// (with and without the rule of 200).
#include <vector>

#include <benchmark/benchmark.h>

#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"
#include "relations/SubsetSearch.h"
#include "relations/ZRelations.h"

namespace {

struct Page {
    std::vector<int> tnType;
    PitchClassSet set;  // loaded, interval vector computed
};

const std::vector<Page>& pages()
{
    static const std::vector<Page> all = [] {
        std::vector<Page> result;
        for (const std::string& text : SharedUniverse().tnTypes) {
            Page p;
            p.tnType = StringToVector(text);
            p.set.initializeSet(p.tnType);
            p.set.calculateIntervalVectorII();
            result.push_back(p);
        }
        return result;
    }();
    return all;
}

void BM_AllRelationsOfAll351TnTypes(benchmark::State& state)
{
    const std::vector<Page>& all = pages();
    for (auto _ : state) {
        size_t found = 0;
        for (const Page& p : all) {
            int flag = 0;
            found += FindZrelations(p.set).size();
            found += FindAllSubsetsSoft(p.tnType).size();
            found += FindAllSubsetsSoft(p.tnType, &flag).size();
            found += FindAllSupersetsSoft(p.tnType).size();
            found += FindAllSupersetsSoft(p.tnType, &flag).size();
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_AllRelationsOfAll351TnTypes)->Unit(benchmark::kMillisecond);

void BM_ZrelationsOfAll351TnTypes(benchmark::State& state)
{
    const std::vector<Page>& all = pages();
    for (auto _ : state) {
        size_t found = 0;
        for (const Page& p : all)
            found += FindZrelations(p.set).size() + FindZrelations(p.tnType, p.set.getInvTnType()).size();
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_ZrelationsOfAll351TnTypes)->Unit(benchmark::kMillisecond);

void BM_SubsetsAndSupersetsOfAll351TnTypes(benchmark::State& state)
{
    const std::vector<Page>& all = pages();
    for (auto _ : state) {
        size_t found = 0;
        for (const Page& p : all) {
            int flag = 0;
            found += FindAllSubsetsSoft(p.tnType, &flag).size();
            found += FindAllSupersetsSoft(p.tnType, &flag).size();
        }
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_SubsetsAndSupersetsOfAll351TnTypes)->Unit(benchmark::kMillisecond);

void BM_FindForteNameOfAll351TnTypes(benchmark::State& state)
{
    const std::vector<Page>& all = pages();
    for (auto _ : state) {
        size_t length = 0;
        for (const Page& p : all)
            length += FindForteName(p.set).size();
        benchmark::DoNotOptimize(length);
    }
}
BENCHMARK(BM_FindForteNameOfAll351TnTypes)->Unit(benchmark::kMillisecond);

} // namespace

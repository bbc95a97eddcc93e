// Catalogue queries of the set relations, run for every one of the 351
// Tn-types as the book's pages ask them: Z-partners, subsets and supersets
// (with and without the rule of 200), reversibility rows, and the
// modalization groups with the index texts of every subset and superset.
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"
#include "relations/Modalization.h"
#include "relations/Molds.h"
#include "relations/Reversibility.h"
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

// What the page's classification column and subset strip ask of one set:
// its reversibility rows, its modalization groups, and the index text of
// every subset and superset listed with levels.
void BM_ReversibilityAndModalizationOfAll351TnTypes(benchmark::State& state)
{
    const std::vector<Page>& all = pages();
    for (auto _ : state) {
        size_t length = 0;
        for (const Page& p : all) {
            for (const std::vector<std::string>& row : AnalyseReversibility_II(p.tnType))
                length += row[1].size();

            const std::vector<ModalizationInfo> groups = calculateModalizationAttributes(p.set);
            int flag = 0;
            const std::vector<std::vector<int>> subsets = FindAllSubsetsSoft(p.tnType, &flag);
            if (flag == 1) {
                const std::vector<std::vector<int>> levels = findIntrinsicTranspositionIndexes(subsets, p.set);
                for (size_t i = 0; i < subsets.size(); ++i) {
                    int covered = 0;
                    if (subsets[i].size() > 1)
                        length +=
                            AssembleSubsetIndexModNotation(p.tnType, subsets[i], levels[i], groups, &covered).size();
                }
            }
            flag = 0;
            const std::vector<std::vector<int>> supersets = FindAllSupersetsSoft(p.tnType, &flag);
            if (flag == 1) {
                const std::vector<std::vector<int>> levels = findIntrinsicTranspositionIndexes(supersets, p.set);
                for (size_t i = 0; i < supersets.size(); ++i)
                    length += AssembleSupersetIndexNotation(supersets[i], levels[i]).size();
            }
        }
        benchmark::DoNotOptimize(length);
    }
}
BENCHMARK(BM_ReversibilityAndModalizationOfAll351TnTypes)->Unit(benchmark::kMillisecond);

void BM_ReversibilityOfAll351TnTypes(benchmark::State& state)
{
    const std::vector<Page>& all = pages();
    for (auto _ : state) {
        size_t rows = 0;
        for (const Page& p : all)
            rows += AnalyseReversibility_II(p.tnType).size();
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_ReversibilityOfAll351TnTypes)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// Everything a page asks of the analysis and the relations, for all 351
// Tn-types: the full analysis, Z-partners, subsets and supersets with their
// index texts, reversibility rows and modalization groups.
void BM_FullAnalysisAndRelationsOfAll351TnTypes(benchmark::State& state)
{
    const std::vector<Page>& all = pages();
    for (auto _ : state) {
        size_t length = 0;
        for (const Page& page : all) {
            PitchClassSet p;
            p.initializeSet(page.tnType);
            p.calculateEverything();
            length += FindZrelations(p).size();
            for (const std::vector<std::string>& row : AnalyseReversibility_II(page.tnType))
                length += row[1].size();
            const std::vector<ModalizationInfo> groups = calculateModalizationAttributes(p);
            int flag = 0;
            const std::vector<std::vector<int>> subsets = FindAllSubsetsSoft(page.tnType, &flag);
            if (flag == 1) {
                const std::vector<std::vector<int>> levels = findIntrinsicTranspositionIndexes(subsets, p);
                const std::vector<RobustSetInfo> remainders = findRemainder(subsets, levels, p);
                length += remainders.size();
                for (size_t i = 0; i < subsets.size(); ++i) {
                    int mark = 0;
                    if (subsets[i].size() > 1)
                        length +=
                            AssembleSubsetIndexModNotation(page.tnType, subsets[i], levels[i], groups, &mark).size();
                }
            }
            flag = 0;
            const std::vector<std::vector<int>> supersets = FindAllSupersetsSoft(page.tnType, &flag);
            if (flag == 1) {
                const std::vector<std::vector<int>> levels = findIntrinsicTranspositionIndexes(supersets, p);
                for (size_t i = 0; i < supersets.size(); ++i)
                    length += AssembleSupersetIndexNotation(supersets[i], levels[i]).size();
            }
        }
        benchmark::DoNotOptimize(length);
    }
}
BENCHMARK(BM_FullAnalysisAndRelationsOfAll351TnTypes)->Unit(benchmark::kMillisecond);

}  // namespace

// Catalogue queries as harmodex-cli find and the Python module run them: a
// containment query answered by the superset search, and the filters that
// read every type's analysis (done once per process, then kept).
#include <benchmark/benchmark.h>

#include "catalogue/CatalogueQuery.h"

namespace {

void BM_FindHexachordsHoldingATriad(benchmark::State& state)
{
    CatalogueQuery query;
    query.size = 6;
    query.contains = {0, 4, 7};
    query.inversions = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(FindPages(query));
}
BENCHMARK(BM_FindHexachordsHoldingATriad)->Unit(benchmark::kMicrosecond);

void BM_FindByAttribute(benchmark::State& state)
{
    CatalogueQuery query;
    query.attribute = "integrally multimodalizable";
    query.zPartner = true;
    FindPages(query);  // the analyses of the catalogue, made once
    for (auto _ : state)
        benchmark::DoNotOptimize(FindPages(query));
}
BENCHMARK(BM_FindByAttribute)->Unit(benchmark::kMicrosecond);

}  // namespace

// harmodex-cli's two whole-catalogue commands: the analysis of all 351
// Tn-types as JSON Lines, and the book of 351 pages as PostScript; and the
// MusicXML roster of the largest set, the aggregate's 288 notes.
#include <sstream>

#include <benchmark/benchmark.h>

#include "cli/Commands.h"
#include "interchange/MusicXml.h"

namespace {

void BM_AnalyseAll(benchmark::State& state)
{
    const char* argv[] = {"harmodex-cli", "analyse", "--all"};
    for (auto _ : state) {
        std::ostringstream out, err;
        RunCli(3, argv, out, err);
        benchmark::DoNotOptimize(out.str().size());
    }
}
BENCHMARK(BM_AnalyseAll)->Unit(benchmark::kMillisecond);

void BM_BookAsPostScript(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ComposeBook().size());
}
BENCHMARK(BM_BookAsPostScript)->Unit(benchmark::kMillisecond);

void BM_MusicXmlOfTheAggregate(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(MusicXmlForSet({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}).size());
}
BENCHMARK(BM_MusicXmlOfTheAggregate)->Unit(benchmark::kMillisecond);

} // namespace

// harmodex-cli's two whole-catalogue commands: the analysis of all 351
// Tn-types as JSON Lines, and the book of 351 pages as PostScript.
#include <sstream>

#include <benchmark/benchmark.h>

#include "cli/Commands.h"

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

} // namespace

// Speed of the page writer's primitives: a page makes several hundred calls,
// each writing its fragment straight into the memory stream.
#include "postscript/Charts.h"
#include "postscript/TextPrimitives.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Writes a page-like mix of 400 text fragments and a few charts into a
// memory stream.
void BM_PageLikeMixOfPrimitives(benchmark::State& state)
{
    for (auto _ : state) {
        char* buffer = nullptr;
        std::size_t size = 0;
        FILE* out = open_memstream(&buffer, &size);
        for (int i = 0; i < 100; ++i) {
            Print_TextIII(out, 100.5f + i, 200, 8, "12", 1);
            Print_TextII(out, 50, 300 - i, 6.5f, "interval vector:  <2,5,4,3,6,1>", 0);
            Print_Bulleted(out, 50, 300 - i, 6.5f, "symmetric", 1);
            Print_SubsetConfiguration(out, 60, 100 - i, 5.6f, "(047)", "2+", "(01)", "3,4,", 2, 1);
        }
        MakeSquare(out, 56.7f, 36, 30, 382.7f, 585.6f);
        DrawRectangleChart(out, 60, 400, 1, 37.5f, 100);
        DrawAzimuthChart(out, 140, 400, 0.8f, -30);
        std::fclose(out);
        benchmark::DoNotOptimize(size);
        std::free(buffer);
    }
}
BENCHMARK(BM_PageLikeMixOfPrimitives);

void BM_BreakUpStringInPieces(benchmark::State& state)
{
    const std::string text = "0 1 2 3 4 5 6 7 8 9 d u 0 1 2 3 4 5 6 7 8 9 d u";
    for (auto _ : state)
        benchmark::DoNotOptimize(BreakUpStringInPieces(text, 7));
}
BENCHMARK(BM_BreakUpStringInPieces);

}  // namespace

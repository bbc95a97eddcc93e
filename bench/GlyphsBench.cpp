// Cost of writing music symbols into a memory stream: one analysis page
// writes some two hundred of them (24 staves of clef, accidentals and heads).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "notation/Glyphs.h"

static void BM_PrintStaffSymbols(benchmark::State& state)
{
    const char* names[] = {"treble_clef",  "bass_clef",   "natural",      "sharp",     "flat",
                           "double_sharp", "double-flat", "quarter_note", "half_note", "ledger-line"};
    for (auto _ : state) {
        char* text = nullptr;
        size_t length = 0;
        FILE* out = open_memstream(&text, &length);
        for (int i = 0; i < 200; ++i)
            Print_Glyph(out, names[i % 10], 100.0f + i, 200.0f, 10.58f, 10.58f);
        fclose(out);
        benchmark::DoNotOptimize(length);
        free(text);
    }
}
BENCHMARK(BM_PrintStaffSymbols);

// harmodex-cli's whole-catalogue commands: the analysis of all 351 Tn-types
// as JSON Lines, the book of 351 pages as PostScript, and the book as PDF the
// way it was first made (one Ghostscript reading "-", which it does one byte
// per read()) beside the way it is made now; and the MusicXML roster of the
// largest set, the aggregate's 288 notes.
#include <sstream>

#include <benchmark/benchmark.h>

#include "cli/Commands.h"
#include "formats/BookPdf.h"
#include "raster/Ghostscript.h"
#include "page/HarmodexPage.h"
#include "pcset/PitchUniverse.h"
#include "postscript/PostScriptWriter.h"
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

void BM_BookPdfOneGhostscriptReadingDash(benchmark::State& state)
{
    for (auto _ : state) {
        ScratchFolder scratch;
        const PitchUniverse& u = SharedUniverse();
        RunGhostscript({"-sDEVICE=pdfwrite", "-dDEVICEWIDTHPOINTS=" + std::to_string(InCentimeters(17.0f)),
                        "-dDEVICEHEIGHTPOINTS=" + std::to_string(InCentimeters(24.0f)), "-dFIXEDMEDIA",
                        "-sOutputFile=" + GhostscriptOutputFile(scratch.file("book.pdf")), "-"},
                       [&](const std::function<bool(const std::string&)>& write) {
                           for (int i = 0; i < PitchUniverse::NumTnTypes; ++i)
                               write(DrawHarmodexPage(i + 1, u.tnTypes[i], -(i + 1), PitchUniverse::NumTnTypes));
                       });
    }
}
BENCHMARK(BM_BookPdfOneGhostscriptReadingDash)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

void BM_BookPdf(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(BookAsPdf(nullptr, static_cast<int>(state.range(0))).size());
}
BENCHMARK(BM_BookPdf)->Arg(1)->Arg(2)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

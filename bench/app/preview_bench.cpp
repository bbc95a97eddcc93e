// A page request as the window makes it (compose the page, rasterise it
// through Ghostscript and MagickWand) against Ghostscript alone rendering
// the same page text at the same resolution to a transparent PNG; and what
// Ghostscript's substitution of /Arial costs. Run with --benchmark_enable_random_interleaving=true on a
// shared machine, so that both sides see the same load.
#include <cstdio>
#include <functional>
#include <string>

#include <benchmark/benchmark.h>

#include "page/HarmodexPage.h"
#include "raster/Ghostscript.h"
#include "raster/Preview.h"

namespace {

struct MagickLibrary {
    MagickLibrary() { PreviewLibraryStart(); }
    ~MagickLibrary() { PreviewLibraryStop(); }
};
MagickLibrary magick;

const std::string& triadPage()
{
    static const std::string page = DrawHarmodexPage(24, "0 4 7", 0, 0);
    return page;
}

// Ghostscript on its own: the same text, the same resolution, an RGBA image.
void renderWithGhostscript(const std::string& eps, double resolution)
{
    char dpi[32];
    std::snprintf(dpi, sizeof dpi, "-r%g", resolution);
    RunGhostscript({"-dEPSCrop", "-sDEVICE=pngalpha", dpi, "-sOutputFile=/dev/null", "-_"},
                   [&](const std::function<bool(const std::string&)>& write) { write(eps); });
}

// What the window's worker does for a new page: compose it and rasterise it
// into the image the window draws.
void BM_PageRequest(benchmark::State& state)
{
    const double resolution = kDotsPerInchAtSize1 * state.range(0) / 100.0;
    for (auto _ : state) {
        const std::string eps = DrawHarmodexPage(24, "0 4 7", 0, 0);
        try {
            cairo_surface_destroy(getSurfaceFromEPSpage(eps, resolution, 1));
        } catch (const harmodex::Error& e) {
            state.SkipWithError(e.what());
            break;
        }
    }
}
BENCHMARK(BM_PageRequest)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GhostscriptAlone(benchmark::State& state)
{
    const double resolution = kDotsPerInchAtSize1 * state.range(0) / 100.0;
    for (auto _ : state)
        renderWithGhostscript(triadPage(), resolution);
}
BENCHMARK(BM_GhostscriptAlone)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same page with the font Ghostscript has (Helvetica) named instead of
// the one it substitutes (Arial).
void BM_GhostscriptWithoutFontSubstitution(benchmark::State& state)
{
    std::string eps = triadPage();
    for (size_t at = eps.find("/Arial"); at != std::string::npos; at = eps.find("/Arial", at))
        eps.replace(at, 6, "/Helvetica");
    const double resolution = kDotsPerInchAtSize1 * state.range(0) / 100.0;
    for (auto _ : state)
        renderWithGhostscript(eps, resolution);
}
BENCHMARK(BM_GhostscriptWithoutFontSubstitution)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

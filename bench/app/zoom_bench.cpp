// The first page as the window opens it, fitted to the preview's width,
// against the same page at size 1.0: the whole request of the worker
// (compose the page, rasterise it). Fitting must not make opening slower.
// Run with --benchmark_enable_random_interleaving=true on a shared machine.
#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include "app/PreviewWorker.h"
#include "app/Zoom.h"
#include "raster/Preview.h"

namespace {

struct ImageLibrary {
    ImageLibrary() { PreviewLibraryStart(); }
};

// What surrounds the preview's room across the window: the borders of the
// boxes, the frame and the page's vertical scroll bar (measured in the
// window: 76 of 1100 pixels, to a pixel or five).
constexpr int kAroundThePreview = 76;

void firstPageAt(benchmark::State& state, double size)
{
    static ImageLibrary library;
    state.counters["size"] = size;
    for (auto _ : state) {
        PreviewJob job;
        job.key = {24, static_cast<int>(size * 100.0 + 0.5), 1};
        job.size = static_cast<float>(size);
        job.tnText = "0 4 7";
        PreviewResult result = RenderPreview(job);
        if (!result.surface) {
            state.SkipWithError(result.error.c_str());
            break;
        }
        cairo_surface_destroy(result.surface);
    }
}

void BM_FirstPageAtSize1(benchmark::State& state) { firstPageAt(state, 1.0); }
BENCHMARK(BM_FirstPageAtSize1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Argument: the window's width in logical pixels (1100 is the size it opens
// at, 1280 a typical laptop's screen).
void BM_FirstPageFittedToWidth(benchmark::State& state)
{
    const int room = static_cast<int>(state.range(0)) - kAroundThePreview;
    firstPageAt(state, FittedSize(room, 0, FitMode::Width));
}
BENCHMARK(BM_FirstPageFittedToWidth)->Arg(1100)->Arg(1280)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

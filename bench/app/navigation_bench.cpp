// The index and the history as the user feels them (run under a display,
// e.g. xvfb-run): a keystroke in the index's search box until its rows are
// refiltered, and Back to a page whose image is cached until it is shown.
#include <string>

#include <benchmark/benchmark.h>
#include <gtk/gtk.h>

#include "app/IndexPanel.h"
#include "app/Navigation.h"
#include "app/PageRequest.h"
#include "bench/app/BenchWindow.h"

namespace {

// One keystroke: the search box's text changes and the list is refiltered
// (and redrawn, on the next frame).
void BM_IndexKeystroke(benchmark::State& state)
{
    AppWindow* const theWindow = BenchWindow();
    if (!theWindow) {
        state.SkipWithError("no display: run under xvfb-run");
        return;
    }
    const char* const texts[][2] = {{"4", "4-"},       {"C E", "C E G"}, {"symmetri", "symmetric"},
                                    {"4-Z1", "4-Z15"}, {"", "4-"},       {"4-", ""}};
    const auto& pair = texts[state.range(0)];
    FocusIndexSearch(*theWindow);  // the list shown, as the user has it
    GtkWidget* search = theWindow->indexPanel->search;
    gtk_entry_set_text(GTK_ENTRY(search), "symmetric");  // the classifications worked out before
    Settle();
    for (auto _ : state) {
        state.PauseTiming();
        gtk_entry_set_text(GTK_ENTRY(search), pair[0]);
        Settle();
        state.ResumeTiming();
        gtk_entry_set_text(GTK_ENTRY(search), pair[1]);
        Settle();
    }
    state.SetLabel(pair[1]);
}
BENCHMARK(BM_IndexKeystroke)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BackToCachedPage(benchmark::State& state)
{
    AppWindow* const theWindow = BenchWindow();
    if (!theWindow) {
        state.SkipWithError("no display: run under xvfb-run");
        return;
    }
    RequestPage(*theWindow, 24);
    WaitUntilShown(*theWindow);
    for (auto _ : state) {
        state.PauseTiming();
        RequestPage(*theWindow, 100);
        WaitUntilShown(*theWindow);
        state.ResumeTiming();
        GoBack(*theWindow);
        WaitUntilShown(*theWindow);
        if (theWindow->preview.shownKey.page != 24)
            state.SkipWithError("Back did not show page 24");
    }
}
BENCHMARK(BM_BackToCachedPage)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace

// The window as the user feels it (run under a display, e.g. xvfb-run):
// PageDown to the image shown, for a page prepared in the background and
// for one that is not; and how soon a key typed into the Tn-type field
// appears while a page at size 4.0 is being rendered.
#include <string>

#include <benchmark/benchmark.h>
#include <gtk/gtk.h>

#include "app/Navigation.h"
#include "app/PageRequest.h"
#include "bench/app/BenchWindow.h"

namespace {

void setSize(AppWindow& w, double size)
{
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(w.sizeSpinner), size);
    WaitUntilShown(w);
}

// Pages not yet seen at this size, so that each measurement starts cold.
int freshPage()
{
    static int page = 40;
    page = page >= 330 ? 40 : page + 7;
    return page;
}

void BM_PageDownToImageShown(benchmark::State& state)
{
    AppWindow* const theWindow = BenchWindow();
    if (!theWindow) {
        state.SkipWithError("no display: run under xvfb-run");
        return;
    }
    const bool prepared = state.range(0) != 0;
    SetPreparingNeighbours(*theWindow, prepared);
    setSize(*theWindow, 1.0);
    for (auto _ : state) {
        state.PauseTiming();
        const int page = freshPage();
        RequestPage(*theWindow, page);
        WaitUntilShown(*theWindow);
        while (prepared && !PreviewReady(*theWindow, page + 1))
            g_main_context_iteration(nullptr, TRUE);
        state.ResumeTiming();
        NextPage(*theWindow);
        WaitUntilShown(*theWindow);
    }
    SetPreparingNeighbours(*theWindow, true);
}
BENCHMARK(BM_PageDownToImageShown)
    ->ArgName("prepared")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);

void BM_KeyLatencyDuringLargeRender(benchmark::State& state)
{
    AppWindow* const theWindow = BenchWindow();
    if (!theWindow) {
        state.SkipWithError("no display: run under xvfb-run");
        return;
    }
    SetPreparingNeighbours(*theWindow, false);
    RequestPage(*theWindow, freshPage());
    WaitUntilShown(*theWindow);
    setSize(*theWindow, 4.0);
    gtk_widget_grab_focus(theWindow->tnTypeField);
    GdkDisplay* display = gtk_widget_get_display(theWindow->window);
    GdkDevice* keyboard = gdk_seat_get_keyboard(gdk_display_get_default_seat(display));
    GdkKeymapKey* keys = nullptr;
    gint nKeys = 0;
    gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(display), GDK_KEY_a, &keys, &nKeys);
    const guint16 keycode = nKeys > 0 ? static_cast<guint16>(keys[0].keycode) : 38;
    g_free(keys);
    for (auto _ : state) {
        state.PauseTiming();
        RequestPage(*theWindow, freshPage());
        g_usleep(100 * 1000);  // the worker is well into the render
        Settle();
        gtk_entry_set_text(GTK_ENTRY(theWindow->tnTypeField), "");
        // A key press as the display delivers it, put at the end of the
        // window's event queue.
        GdkEvent* press = gdk_event_new(GDK_KEY_PRESS);
        press->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(theWindow->window)));
        press->key.time = GDK_CURRENT_TIME;
        press->key.keyval = GDK_KEY_a;
        press->key.hardware_keycode = keycode;
        gdk_event_set_device(press, keyboard);
        state.ResumeTiming();
        gdk_event_put(press);
        const gint64 deadline = g_get_monotonic_time() + 10 * G_USEC_PER_SEC;
        while (std::string(gtk_entry_get_text(GTK_ENTRY(theWindow->tnTypeField))) != "a" &&
               g_get_monotonic_time() < deadline)
            g_main_context_iteration(nullptr, FALSE);
        state.PauseTiming();
        if (std::string(gtk_entry_get_text(GTK_ENTRY(theWindow->tnTypeField))) != "a") {
            state.SkipWithError("the key never reached the field");
            gdk_event_free(press);
            break;
        }
        if (!theWindow->preview.pending)
            state.SkipWithError("the render ended before the key was read");
        gdk_event_free(press);
        WaitUntilShown(*theWindow);
        state.ResumeTiming();
    }
    setSize(*theWindow, 1.0);
    SetPreparingNeighbours(*theWindow, true);
}
BENCHMARK(BM_KeyLatencyDuringLargeRender)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

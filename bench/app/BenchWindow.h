#ifndef HARMODEX_BENCH_APP_BENCHWINDOW_H
#define HARMODEX_BENCH_APP_BENCHWINDOW_H

// The one window the window benchmarks share (run under a display, e.g.
// xvfb-run), opened as on first use and remembering nothing, and the main
// loop turned as the user's would be.

#include <gtk/gtk.h>

#include "app/AppWindow.h"
#include "raster/Preview.h"

// The window, made on first call; nullptr when there is no display.
inline AppWindow* BenchWindow()
{
    static AppWindow* const window = []() -> AppWindow* {
        // The plain input method: a key goes straight into the field, as
        // with most keyboards, whatever input method the machine configures.
        g_setenv("GTK_IM_MODULE", "gtk-im-context-simple", TRUE);
        int argc = 0;
        if (!gtk_init_check(&argc, nullptr))
            return nullptr;
        PreviewLibraryStart();
        GtkApplication* application = gtk_application_new("org.harmodex.Harmodex.Bench", G_APPLICATION_NON_UNIQUE);
        g_application_register(G_APPLICATION(application), nullptr, nullptr);
        return NewAppWindow(application);
    }();
    return window;
}

// Handles every event waiting, the redraws they cause included.
inline void Settle()
{
    while (gtk_events_pending())
        gtk_main_iteration();
}

// Waits for the image asked for to be shown.
inline void WaitUntilShown(AppWindow& w)
{
    while (w.preview.pending)
        g_main_context_iteration(nullptr, TRUE);
    Settle();
}

#endif

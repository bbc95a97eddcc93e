#ifndef HARMODEX_TESTS_APP_MAINLOOPTURNS_H
#define HARMODEX_TESTS_APP_MAINLOOPTURNS_H

// Turning the main loop in window tests that drive the real window.

#include <glib.h>
#include <gtk/gtk.h>

#include "app/AppWindow.h"

// One turn of the main loop, or a millisecond's rest when nothing is due.
inline void iterate()
{
    if (!g_main_context_iteration(nullptr, FALSE))
        g_usleep(1000);
}

// Runs the main loop for a while: resizes, debounced work and idle
// adjustments all settle.
inline void settle(int milliseconds)
{
    const gint64 until = g_get_monotonic_time() + milliseconds * 1000;
    while (g_get_monotonic_time() < until)
        iterate();
}

// Runs the main loop until the preview asked for is shown (generous: the
// test machine may be loaded) and the widgets have caught up; false when it
// never came.
inline bool PreviewArrived(AppWindow& window)
{
    const gint64 deadline = g_get_monotonic_time() + 120 * G_USEC_PER_SEC;
    while (window.preview.pending && g_get_monotonic_time() < deadline)
        iterate();
    while (gtk_events_pending())
        gtk_main_iteration();
    return !window.preview.pending;
}

#endif

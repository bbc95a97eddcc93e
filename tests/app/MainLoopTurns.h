#ifndef HARMODEX_TESTS_APP_MAINLOOPTURNS_H
#define HARMODEX_TESTS_APP_MAINLOOPTURNS_H

// Turning the main loop in window tests that drive the real window, and
// keys pressed as the keyboard would.

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

// A key pressed and released with the window focused, as the display
// delivers it: the window's accelerators first, then the focused widget.
inline void PressKey(GtkWidget* window, guint keyval, GdkModifierType state = GdkModifierType(0))
{
    GdkDisplay* display = gtk_widget_get_display(window);
    for (GdkEventType type : {GDK_KEY_PRESS, GDK_KEY_RELEASE}) {
        GdkEvent* event = gdk_event_new(type);
        event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(window)));
        event->key.send_event = TRUE;
        event->key.time = GDK_CURRENT_TIME;
        event->key.keyval = keyval;
        event->key.state = state;
        GdkKeymapKey* keys = nullptr;
        gint count = 0;
        if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(display), keyval, &keys, &count) && count)
            event->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
        g_free(keys);
        gdk_event_set_device(event, gdk_seat_get_keyboard(gdk_display_get_default_seat(display)));
        gtk_main_do_event(event);
        gdk_event_free(event);
    }
}

#endif

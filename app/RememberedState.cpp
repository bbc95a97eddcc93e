#include "app/RememberedState.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/LiveInput.h"
#include "app/Zoom.h"
#include "base/Error.h"

namespace {

// Written once the window has rested this long after a change, so that a
// resize or a quick run of pages makes one write.
constexpr guint kSaveDelayMs = 1000;

AppWindow& of(gpointer data) { return *static_cast<AppWindow*>(data); }

gboolean saveLater(gpointer data)
{
    AppWindow& w = of(data);
    w.remembered.saveTimer = 0;
    SaveWindowStateNow(w);
    return G_SOURCE_REMOVE;
}

void update(AppWindow& w, const WindowState& next)
{
    RememberedState& r = w.remembered;
    if (next == r.current)
        return;
    r.current = next;
    r.changed = true;
    if (r.saveTimer)
        g_source_remove(r.saveTimer);
    r.saveTimer = g_timeout_add(kSaveDelayMs, saveLater, &w);
}

bool sizeIsTheUsers(GtkWidget* window)
{
    GdkWindow* surface = gtk_widget_get_window(window);
    return !surface || !(gdk_window_get_state(surface) &
                         (GDK_WINDOW_STATE_MAXIMIZED | GDK_WINDOW_STATE_FULLSCREEN | GDK_WINDOW_STATE_TILED));
}

gboolean onConfigure(GtkWidget* window, GdkEvent*, gpointer data)
{
    AppWindow& w = of(data);
    if (!sizeIsTheUsers(window))
        return FALSE;
    WindowState next = w.remembered.current;
    gtk_window_get_size(GTK_WINDOW(window), &next.width, &next.height);
    next.width = std::clamp(next.width, kRememberedLeastSide, kRememberedLargestSide);
    next.height = std::clamp(next.height, kRememberedLeastSide, kRememberedLargestSide);
    update(w, next);
    return FALSE;
}

gboolean onWindowState(GtkWidget*, GdkEventWindowState* event, gpointer data)
{
    AppWindow& w = of(data);
    WindowState next = w.remembered.current;
    next.maximised = event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED;
    update(w, next);
    return FALSE;
}

// The zoom, after the fit mode has followed the spinner.
void noteZoom(AppWindow& w)
{
    WindowState next = w.remembered.current;
    next.fit = w.view.fit;
    if (w.view.fit == FitMode::None)
        next.sizeFactor = std::round(gtk_spin_button_get_value(GTK_SPIN_BUTTON(w.sizeSpinner)) * 100.0) / 100.0;
    update(w, next);
}

void onSizeChanged(GtkSpinButton*, gpointer data) { noteZoom(of(data)); }
void onFitChanged(GObject*, GParamSpec*, gpointer data) { noteZoom(of(data)); }

void onSidePanelChanged(GObject* action, GParamSpec*, gpointer data)
{
    AppWindow& w = of(data);
    GVariant* state = g_action_get_state(G_ACTION(action));
    WindowState next = w.remembered.current;
    next.sidePanel = state && g_variant_get_boolean(state);
    if (state)
        g_variant_unref(state);
    update(w, next);
}

// The MIDI input chosen in the menu.
void onLiveInputChanged(GObject* action, GParamSpec*, gpointer data)
{
    AppWindow& w = of(data);
    GVariant* state = g_action_get_state(G_ACTION(action));
    WindowState next = w.remembered.current;
    next.midiInput = state ? g_variant_get_string(state, nullptr) : "";
    if (state)
        g_variant_unref(state);
    update(w, next);
}

// The title changes whenever a new page is shown.
void onTitleChanged(GObject*, GParamSpec*, gpointer data)
{
    AppWindow& w = of(data);
    const int page = w.preview.shownKey.page;
    if (page < 1 || page > PitchUniverse::NumTnTypes)
        return;
    WindowState next = w.remembered.current;
    next.page = page;
    update(w, next);
}

// The work area of the screen the window opens on, or nothing known.
bool workArea(GtkWidget* window, GdkRectangle& area)
{
    GdkDisplay* display = gtk_widget_get_display(window);
    GdkMonitor* monitor = display ? gdk_display_get_primary_monitor(display) : nullptr;
    if (!monitor && display && gdk_display_get_n_monitors(display) > 0)
        monitor = gdk_display_get_monitor(display, 0);
    if (!monitor)
        return false;
    gdk_monitor_get_workarea(monitor, &area);
    return area.width > 0 && area.height > 0;
}

void connectAction(AppWindow& w, const char* name, GCallback callback)
{
    GAction* action = g_action_map_lookup_action(G_ACTION_MAP(w.window), name);
    if (action)
        g_signal_connect(action, "notify::state", callback, &w);
}

}  // namespace

void RestoreWindowState(AppWindow& w, const std::string& path)
{
    RememberedState& r = w.remembered;
    r.path = path;
    std::string problem;
    const WindowState state = LoadWindowState(path, problem);
    if (!problem.empty()) {
        std::fprintf(stderr, "harmodex: the window opens as on first use: %s\n", problem.c_str());
        r.changed = true;  // the faulty file is replaced on quit
    }
    r.current = state;

    // The side panel first: showing it widens the window, and the size
    // remembered is the size with it.
    if (state.sidePanel)
        g_action_group_change_action_state(G_ACTION_GROUP(w.window), "side-panel", g_variant_new_boolean(TRUE));
    if (state.width > 0 && state.height > 0) {
        int width = state.width, height = state.height;
        GdkRectangle area;
        if (workArea(w.window, area)) {
            width = std::min(width, area.width);
            height = std::min(height, area.height);
        }
        gtk_window_resize(GTK_WINDOW(w.window), width, height);
    }
    // The window starts listening to the remembered input once it is idle.
    RememberLiveInput(state.midiInput);
    if (GAction* input = g_action_map_lookup_action(G_ACTION_MAP(w.window), "live-input"))
        g_simple_action_set_state(G_SIMPLE_ACTION(input), g_variant_new_string(state.midiInput.c_str()));
    if (state.maximised)
        gtk_window_maximize(GTK_WINDOW(w.window));
    w.view.pageToOpen = state.page;
    if (state.fit == FitMode::None) {
        gtk_spin_button_set_value(GTK_SPIN_BUTTON(w.sizeSpinner), state.sizeFactor);
        SetFitMode(w, FitMode::None);  // opens the page at once
    } else {
        SetFitMode(w, state.fit);  // opens the page once fitted
    }
    r.current = state;  // as restored, whatever the steps above noted

    g_signal_connect(w.window, "configure-event", G_CALLBACK(onConfigure), &w);
    g_signal_connect(w.window, "window-state-event", G_CALLBACK(onWindowState), &w);
    g_signal_connect(w.window, "notify::title", G_CALLBACK(onTitleChanged), &w);
    g_signal_connect_after(w.sizeSpinner, "value-changed", G_CALLBACK(onSizeChanged), &w);
    connectAction(w, "fit", G_CALLBACK(onFitChanged));
    connectAction(w, "side-panel", G_CALLBACK(onSidePanelChanged));
    connectAction(w, "live-input", G_CALLBACK(onLiveInputChanged));
}

void SaveWindowStateNow(AppWindow& w)
{
    RememberedState& r = w.remembered;
    if (r.saveTimer)
        g_source_remove(r.saveTimer);
    r.saveTimer = 0;
    if (r.path.empty() || !r.changed)
        return;
    try {
        SaveWindowState(r.path, r.current);
        r.changed = false;
    } catch (const harmodex::Error& e) {
        // Said once: the window works on without remembering.
        if (!r.failedOnce)
            std::fprintf(stderr, "harmodex: the window's state is not remembered: %s\n", e.what());
        r.failedOnce = true;
        r.changed = false;
    }
}

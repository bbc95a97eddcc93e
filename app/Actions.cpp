#include "app/Actions.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "app/Accessibility.h"
#include "app/Export.h"
#include "app/HelpWindow.h"
#include "app/IndexPanel.h"
#include "app/Navigation.h"
#include "app/Clipboard.h"
#include "app/Print.h"
#include "app/ScorePanel.h"
#include "app/Sound.h"
#include "app/Zoom.h"
#include "base/Version.h"

namespace {

struct Command {
    const char* action;        // detailed name: "win.next-page"
    const char* accelerators;  // space-separated, as gtk_accelerator_parse reads them
    const char* group;         // heading in the shortcuts window
    const char* title;
};

// The keys of every command. Groups appear in the shortcuts window in the
// order of their first line.
const Command kCommands[] = {
    {"win.next-page", "Page_Down", "Page", "Next page"},
    {"win.previous-page", "Page_Up", "Page", "Previous page"},
    {"win.first-page", "<Primary>Home", "Page", "First page"},
    {"win.last-page", "<Primary>End", "Page", "Last page"},
    {"win.go-to", "<Primary>g", "Page", "Go to a page or a set"},
    {"win.back", "<Alt>Left", "Page", "Back to the page seen before"},
    {"win.forward", "<Alt>Right", "Page", "Forward again"},
    {"win.find", "<Primary>f", "Page", "Search the index of pages"},
    {"win.save", "<Primary>s", "Page", "Save the page"},
    {"win.print", "<Primary>p", "Page", "Print the page"},
    {"win.copy", "<Primary>c", "Page", "Copy the selected page as image and text"},
    {"win.copy-text", "<Primary><Shift>c", "Page", "Copy the page as text, one fact a line"},
    {"win.play", "F5 <Primary><Shift>p", "Page", "Play the set, or stop it"},
    {"win.zoom-in", "<Primary>plus <Primary>equal <Primary>KP_Add", "Size", "Larger"},
    {"win.zoom-out", "<Primary>minus <Primary>KP_Subtract", "Size", "Smaller"},
    {"win.zoom-reset", "<Primary>0 <Primary>KP_0", "Size", "Size 1.0"},
    {"win.fit::width", "<Primary>1 <Primary>KP_1", "Size", "Fit the page to the width"},
    {"win.fit::page", "<Primary>2 <Primary>KP_2", "Size", "Show the whole page"},
    {"win.open-score", "<Primary>o", "Score", "Open a score (MusicXML or MIDI)"},
    {"win.side-panel", "F9", "Window", "Show or hide the side panel"},
    {"win.pitch-input", "F8", "Window", "Show or hide the pitch-class clock and piano"},
    {"app.help", "F1", "Window", "Reading the page: a guide to every block"},
    {"app.shortcuts", "<Primary>question", "Window", "Keyboard shortcuts"},
    {"app.quit", "<Primary>q", "Window", "Quit"},
};

std::vector<std::string> split(const char* accelerators)
{
    std::istringstream in(accelerators);
    std::vector<std::string> parts;
    for (std::string part; in >> part;)
        parts.push_back(part);
    return parts;
}

AppWindow& of(gpointer data) { return *static_cast<AppWindow*>(data); }

template <void (*run)(AppWindow&)>
void windowAction(GSimpleAction*, GVariant*, gpointer data)
{
    run(of(data));
}

void quit(AppWindow& w)
{
    GtkApplication* application = w.window ? gtk_window_get_application(GTK_WINDOW(w.window)) : nullptr;
    if (application)
        g_application_quit(G_APPLICATION(application));
}

// Copy Image also offers the set as text, for a program that takes no image.
void copyImageAndSet(AppWindow& w) { CopyShownPage(w, PageCopy::ImageAndText); }
void copySet(AppWindow& w) { CopyShownPage(w, PageCopy::TextOnly); }

// The side panel's visibility is the state of win.side-panel.
void changeSidePanel(GSimpleAction* action, GVariant* state, gpointer data)
{
    AppWindow& w = of(data);
    const bool show = g_variant_get_boolean(state);
    g_simple_action_set_state(action, state);
    if (show == gtk_widget_get_visible(w.sidePanel))
        return;
    // The window widens by the panel's width where the screen has room, so
    // that the page keeps its width; it gives the room back on hiding.
    int width = 0, height = 0;
    gtk_window_get_size(GTK_WINDOW(w.window), &width, &height);
    const int panel =
        gtk_widget_get_allocated_width(w.sidePanel) > 1 ? gtk_widget_get_allocated_width(w.sidePanel) : kSidePanelWidth;
    gtk_widget_set_visible(w.sidePanel, show);
    GdkWindow* surface = gtk_widget_get_window(w.window);
    const bool fixed = surface && (gdk_window_get_state(surface) &
                                   (GDK_WINDOW_STATE_MAXIMIZED | GDK_WINDOW_STATE_FULLSCREEN | GDK_WINDOW_STATE_TILED));
    if (fixed)
        return;
    GdkRectangle area{0, 0, width + panel, height};
    if (GdkMonitor* monitor =
            surface ? gdk_display_get_monitor_at_window(gdk_window_get_display(surface), surface) : nullptr)
        gdk_monitor_get_workarea(monitor, &area);
    gtk_window_resize(GTK_WINDOW(w.window), show ? std::min(width + panel, area.width) : std::max(1, width - panel),
                      height);
}

void showGuide(AppWindow& w) { ShowHelp(w.window ? GTK_WINDOW(w.window) : nullptr, nullptr); }

const GActionEntry kWindowActions[] = {
    {"open-score", windowAction<ShowOpenScoreDialog>, nullptr, nullptr, nullptr, {}},
    {"side-panel", nullptr, nullptr, "false", changeSidePanel, {}},
    {"save", windowAction<SaveShownPage>, nullptr, nullptr, nullptr, {}},
    {"play", windowAction<PlayOrStopSound>, nullptr, nullptr, nullptr, {}},
    {"copy-text", windowAction<CopySetAsText>, nullptr, nullptr, nullptr, {}},
    {"print", windowAction<PrintShownPage>, nullptr, nullptr, nullptr, {}},
    {"copy", windowAction<copyImageAndSet>, nullptr, nullptr, nullptr, {}},
    {"copy-image", windowAction<copyImageAndSet>, nullptr, nullptr, nullptr, {}},
    {"copy-set", windowAction<copySet>, nullptr, nullptr, nullptr, {}},
    {"next-page", windowAction<NextPage>, nullptr, nullptr, nullptr, {}},
    {"previous-page", windowAction<PreviousPage>, nullptr, nullptr, nullptr, {}},
    {"first-page", windowAction<FirstPage>, nullptr, nullptr, nullptr, {}},
    {"last-page", windowAction<LastPage>, nullptr, nullptr, nullptr, {}},
    {"go-to", windowAction<ShowGoToPrompt>, nullptr, nullptr, nullptr, {}},
    {"back", windowAction<GoBack>, nullptr, nullptr, nullptr, {}},
    {"forward", windowAction<GoForward>, nullptr, nullptr, nullptr, {}},
    {"find", windowAction<FocusIndexSearch>, nullptr, nullptr, nullptr, {}},
    {"zoom-in", windowAction<SizeStepUp>, nullptr, nullptr, nullptr, {}},
    {"zoom-out", windowAction<SizeStepDown>, nullptr, nullptr, nullptr, {}},
    {"zoom-reset", windowAction<SizeReset>, nullptr, nullptr, nullptr, {}},
};

const GActionEntry kApplicationActions[] = {
    {"quit", windowAction<quit>, nullptr, nullptr, nullptr, {}},
    {"shortcuts", windowAction<ShowShortcutsWindow>, nullptr, nullptr, nullptr, {}},
    {"help", windowAction<showGuide>, nullptr, nullptr, nullptr, {}},
    {"about", windowAction<ShowAboutDialog>, nullptr, nullptr, nullptr, {}},
};

void stepSize(AppWindow& w, double by)
{
    const double value = gtk_spin_button_get_value(GTK_SPIN_BUTTON(w.sizeSpinner));
    // In hundredths, so that ten steps of 0.1 land exactly on a whole size.
    const double next = std::round((value + by) * 100.0) / 100.0;
    if (next < kSmallestSize - 1e-9 || next > kLargestSize + 1e-9) {
        gtk_widget_error_bell(w.window);
        return;
    }
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(w.sizeSpinner), next);
}

double stepOfSpinner(const AppWindow& w)
{
    return gtk_adjustment_get_step_increment(gtk_spin_button_get_adjustment(GTK_SPIN_BUTTON(w.sizeSpinner)));
}

gboolean zoomOnScroll(GtkWidget*, GdkEventScroll* event, gpointer data)
{
    if (!(event->state & GDK_CONTROL_MASK))
        return FALSE;  // plain scrolling moves the page
    AppWindow& w = of(data);
    // Smooth scrolling (touchpads) comes in fractions of a notch.
    double notches = 0.0;
    if (event->direction == GDK_SCROLL_UP)
        notches = -1.0;
    else if (event->direction == GDK_SCROLL_DOWN)
        notches = 1.0;
    else if (event->direction == GDK_SCROLL_SMOOTH)
        notches = event->delta_y;
    w.pendingScrollNotches += notches;
    // The point under the pointer stays there as the page grows or shrinks.
    const double before = gtk_spin_button_get_value(GTK_SPIN_BUTTON(w.sizeSpinner));
    AnchorZoomAtPointer(w, event->x_root, event->y_root);
    while (w.pendingScrollNotches <= -1.0) {
        SizeStepUp(w);
        w.pendingScrollNotches += 1.0;
    }
    while (w.pendingScrollNotches >= 1.0) {
        SizeStepDown(w);
        w.pendingScrollNotches -= 1.0;
    }
    if (gtk_spin_button_get_value(GTK_SPIN_BUTTON(w.sizeSpinner)) == before)
        ForgetZoomAnchor(w);
    return TRUE;
}

GtkWidget* buildShortcutsWindow(AppWindow& w)
{
    GtkWidget* help = GTK_WIDGET(g_object_new(GTK_TYPE_SHORTCUTS_WINDOW, "modal", TRUE, nullptr));
    gtk_window_set_transient_for(GTK_WINDOW(help), GTK_WINDOW(w.window));
    g_signal_connect(help, "delete-event", G_CALLBACK(gtk_widget_hide_on_delete), nullptr);
    GtkWidget* section = GTK_WIDGET(g_object_new(GTK_TYPE_SHORTCUTS_SECTION, "section-name", "harmodex", "visible",
                                                 TRUE, "max-height", 8, nullptr));
    std::string currentGroup;
    GtkWidget* group = nullptr;
    for (const Command& c : kCommands) {
        if (!group || currentGroup != c.group) {
            currentGroup = c.group;
            group = GTK_WIDGET(g_object_new(GTK_TYPE_SHORTCUTS_GROUP, "title", c.group, nullptr));
            gtk_container_add(GTK_CONTAINER(section), group);
        }
        GtkWidget* line = GTK_WIDGET(
            g_object_new(GTK_TYPE_SHORTCUTS_SHORTCUT, "accelerator", c.accelerators, "title", c.title, nullptr));
        gtk_container_add(GTK_CONTAINER(group), line);
        if (std::strcmp(c.action, "win.zoom-out") == 0) {
            GtkWidget* wheel =
                GTK_WIDGET(g_object_new(GTK_TYPE_SHORTCUTS_SHORTCUT, "accelerator", "<Primary>", "title",
                                        "Larger or smaller: with the scroll wheel over the page", nullptr));
            gtk_container_add(GTK_CONTAINER(group), wheel);
        }
    }
    gtk_widget_show_all(section);
    // Added once complete and visible, and named as the one to show: the
    // window otherwise opens on its (empty) search page.
    gtk_container_add(GTK_CONTAINER(help), section);
    g_object_set(help, "section-name", "harmodex", nullptr);
    return help;
}

}  // namespace

void InstallActions(AppWindow& w)
{
    g_action_map_add_action_entries(G_ACTION_MAP(w.window), kWindowActions, G_N_ELEMENTS(kWindowActions), &w);
    GtkApplication* application = gtk_window_get_application(GTK_WINDOW(w.window));
    if (application) {
        g_action_map_add_action_entries(G_ACTION_MAP(application), kApplicationActions,
                                        G_N_ELEMENTS(kApplicationActions), &w);
        for (const Command& c : kCommands) {
            std::vector<std::string> parts = split(c.accelerators);
            std::vector<const char*> accels;
            for (const std::string& part : parts)
                accels.push_back(part.c_str());
            accels.push_back(nullptr);
            gtk_application_set_accels_for_action(application, c.action, accels.data());
        }
    }
    UpdateHistoryActions(w);
    gtk_widget_add_events(w.previewScroll, GDK_SCROLL_MASK | GDK_SMOOTH_SCROLL_MASK);
    g_signal_connect(w.previewScroll, "scroll-event", G_CALLBACK(zoomOnScroll), &w);
}

GMenuModel* NewPrimaryMenu()
{
    GMenu* menu = g_menu_new();
    GMenu* section = g_menu_new();
    GMenu* scores = g_menu_new();
    g_menu_append(scores, "_Open Score\xE2\x80\xA6", "win.open-score");
    g_menu_append_section(menu, nullptr, G_MENU_MODEL(scores));
    g_object_unref(scores);
    g_menu_append(section, "Reading the _Page", "app.help");
    g_menu_append(section, "_Keyboard Shortcuts", "app.shortcuts");
    g_menu_append(section, "_About Harmodex", "app.about");
    g_menu_append_section(menu, nullptr, G_MENU_MODEL(section));
    g_object_unref(section);
    GMenu* last = g_menu_new();
    g_menu_append(last, "_Quit", "app.quit");
    g_menu_append_section(menu, nullptr, G_MENU_MODEL(last));
    g_object_unref(last);
    return G_MENU_MODEL(menu);
}

void SizeStepUp(AppWindow& w) { stepSize(w, stepOfSpinner(w)); }
void SizeStepDown(AppWindow& w) { stepSize(w, -stepOfSpinner(w)); }
void SizeReset(AppWindow& w) { gtk_spin_button_set_value(GTK_SPIN_BUTTON(w.sizeSpinner), 1.0); }

void ShowShortcutsWindow(AppWindow& w)
{
    if (!w.shortcutsWindow)
        w.shortcutsWindow = buildShortcutsWindow(w);
    gtk_window_present(GTK_WINDOW(w.shortcutsWindow));
}

void ShowAboutDialog(AppWindow& w)
{
    const char* authors[] = {"The Harmodex developers", nullptr};
    // The icon is in the theme once Harmodex is installed; run from its
    // build folder the dialog shows none rather than a missing-image sign.
    const bool installed = gtk_icon_theme_has_icon(gtk_icon_theme_get_default(), "org.harmodex.Harmodex");
    gtk_show_about_dialog(GTK_WINDOW(w.window), "program-name", "Harmodex", "version", harmodex::kVersion, "comments",
                          "The analysis page of every pitch-class set: its identity, its 24 transformations, "
                          "its tables, its classification and its measures.",
                          "logo-icon-name", installed ? "org.harmodex.Harmodex" : "", "authors", authors,
                          "license-type", GTK_LICENSE_CUSTOM, "license",
                          "Harmodex is proprietary software. All rights reserved by the Harmodex developers.", nullptr);
}

bool ActivateAccelerator(AppWindow& w, const char* accelerator)
{
    GtkApplication* application = gtk_window_get_application(GTK_WINDOW(w.window));
    if (!application)
        return false;
    gchar** actions = gtk_application_get_actions_for_accel(application, accelerator);
    bool done = false;
    gchar* detailed = nullptr;
    GVariant* target = nullptr;
    // A detailed name ("win.fit::width") carries the action's parameter.
    if (actions && actions[0] && g_action_parse_detailed_name(actions[0], &detailed, &target, nullptr)) {
        const std::string name = detailed;
        GActionGroup* group = name.rfind("win.", 0) == 0 ? G_ACTION_GROUP(w.window) : G_ACTION_GROUP(application);
        const std::string bare = name.substr(name.find('.') + 1);
        if (g_action_group_get_action_enabled(group, bare.c_str())) {
            g_action_group_activate_action(group, bare.c_str(), target);
            done = true;
        }
    }
    g_free(detailed);
    if (target)
        g_variant_unref(target);
    g_strfreev(actions);
    return done;
}

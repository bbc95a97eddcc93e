#include "app/Shortcuts.h"

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "app/Export.h"
#include "app/Navigation.h"
#include "app/PageRequest.h"
#include "app/Sound.h"
#include "app/Window.h"

namespace {

void saveShownPage()
{
    // The button's sensitivity says whether there is a page to save.
    if (myVirtualPaper.empty() || !gtk_widget_is_sensitive(saveButton)) {
        gtk_widget_error_bell(window);
        return;
    }
    SaveEPSfile(saveButton, nullptr);
}

void quit() { gtk_main_quit(); }

struct Shortcut {
    const char* group;         // heading in the shortcuts window
    const char* accelerators;  // space-separated, as gtk_accelerator_parse reads them
    const char* title;
    void (*action)();
};

// Groups appear in the shortcuts window in the order of their first line.
const Shortcut kShortcuts[] = {
    {"Page", "Page_Down", "Next page", NextPage},
    {"Page", "Page_Up", "Previous page", PreviousPage},
    {"Page", "<Primary>Home", "First page", FirstPage},
    {"Page", "<Primary>End", "Last page", LastPage},
    {"Page", "<Primary>g", "Go to a page or a set", ShowGoToPrompt},
    {"Page", "<Primary>s", "Save the page", saveShownPage},
    {"Page", "<Primary>p", "Play the set, or stop it", PlayOrStopSound},
    {"Size", "<Primary>plus <Primary>equal <Primary>KP_Add", "Larger", SizeStepUp},
    {"Size", "<Primary>minus <Primary>KP_Subtract", "Smaller", SizeStepDown},
    {"Size", "<Primary>0 <Primary>KP_0", "Size 1.0", SizeReset},
    {"Window", "F1", "Keyboard shortcuts", ShowShortcutsWindow},
    {"Window", "<Primary>q", "Quit", quit},
};

std::vector<std::string> split(const char* accelerators)
{
    std::istringstream in(accelerators);
    std::vector<std::string> parts;
    for (std::string part; in >> part;)
        parts.push_back(part);
    return parts;
}

gboolean runShortcut(GtkAccelGroup*, GObject*, guint, GdkModifierType, gpointer data)
{
    static_cast<const Shortcut*>(data)->action();
    return TRUE;
}

const Shortcut* findShortcut(guint key, GdkModifierType mods)
{
    for (const Shortcut& s : kShortcuts)
        for (const std::string& accel : split(s.accelerators)) {
            guint k = 0;
            GdkModifierType m = GdkModifierType(0);
            gtk_accelerator_parse(accel.c_str(), &k, &m);
            if (k == key && m == mods)
                return &s;
        }
    return nullptr;
}

void stepSize(double by)
{
    const double value = gtk_spin_button_get_value(GTK_SPIN_BUTTON(spinner1));
    // In hundredths, so that ten steps of 0.1 land exactly on a whole size.
    const double next = std::round((value + by) * 100.0) / 100.0;
    GtkAdjustment* range = gtk_spin_button_get_adjustment(GTK_SPIN_BUTTON(spinner1));
    if (next < gtk_adjustment_get_lower(range) - 1e-9 || next > gtk_adjustment_get_upper(range) + 1e-9) {
        gtk_widget_error_bell(window);
        return;
    }
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(spinner1), next);
}

double stepOfSpinner()
{
    return gtk_adjustment_get_step_increment(gtk_spin_button_get_adjustment(GTK_SPIN_BUTTON(spinner1)));
}

gboolean zoomOnScroll(GtkWidget*, GdkEventScroll* event, gpointer)
{
    if (!(event->state & GDK_CONTROL_MASK))
        return FALSE;  // plain scrolling moves the page
    // Smooth scrolling (touchpads) comes in fractions of a notch.
    static double pending = 0.0;
    double notches = 0.0;
    if (event->direction == GDK_SCROLL_UP)
        notches = -1.0;
    else if (event->direction == GDK_SCROLL_DOWN)
        notches = 1.0;
    else if (event->direction == GDK_SCROLL_SMOOTH)
        notches = event->delta_y;
    pending += notches;
    while (pending <= -1.0) {
        SizeStepUp();
        pending += 1.0;
    }
    while (pending >= 1.0) {
        SizeStepDown();
        pending -= 1.0;
    }
    return TRUE;
}

GtkWidget* shortcutsWindow = nullptr;

GtkWidget* buildShortcutsWindow()
{
    GtkWidget* help = GTK_WIDGET(g_object_new(GTK_TYPE_SHORTCUTS_WINDOW, "modal", TRUE, nullptr));
    gtk_window_set_transient_for(GTK_WINDOW(help), GTK_WINDOW(window));
    g_signal_connect(help, "delete-event", G_CALLBACK(gtk_widget_hide_on_delete), nullptr);
    GtkWidget* section = GTK_WIDGET(g_object_new(GTK_TYPE_SHORTCUTS_SECTION, "section-name", "harmodex", "visible",
                                                 TRUE, "max-height", 8, nullptr));
    std::string currentGroup;
    GtkWidget* group = nullptr;
    for (const Shortcut& s : kShortcuts) {
        if (!group || currentGroup != s.group) {
            currentGroup = s.group;
            group = GTK_WIDGET(g_object_new(GTK_TYPE_SHORTCUTS_GROUP, "title", s.group, nullptr));
            gtk_container_add(GTK_CONTAINER(section), group);
        }
        GtkWidget* line = GTK_WIDGET(
            g_object_new(GTK_TYPE_SHORTCUTS_SHORTCUT, "accelerator", s.accelerators, "title", s.title, nullptr));
        gtk_container_add(GTK_CONTAINER(group), line);
        if (std::string(s.group) == "Size" && s.action == SizeStepDown) {
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

void SizeStepUp() { stepSize(stepOfSpinner()); }
void SizeStepDown() { stepSize(-stepOfSpinner()); }
void SizeReset() { gtk_spin_button_set_value(GTK_SPIN_BUTTON(spinner1), 1.0); }

void InstallShortcuts(GtkWindow* target)
{
    GtkAccelGroup* accelerators = gtk_accel_group_new();
    for (const Shortcut& s : kShortcuts)
        for (const std::string& accel : split(s.accelerators)) {
            guint key = 0;
            GdkModifierType mods = GdkModifierType(0);
            gtk_accelerator_parse(accel.c_str(), &key, &mods);
            if (key == 0) {
                g_warning("Harmodex: cannot read the shortcut %s", accel.c_str());
                continue;
            }
            gtk_accel_group_connect(accelerators, key, mods, GtkAccelFlags(0),
                                    g_cclosure_new(G_CALLBACK(runShortcut), const_cast<Shortcut*>(&s), nullptr));
        }
    gtk_window_add_accel_group(target, accelerators);
    g_object_unref(accelerators);
}

void ConnectPreviewZoom(GtkWidget* preview)
{
    gtk_widget_add_events(preview, GDK_SCROLL_MASK | GDK_SMOOTH_SCROLL_MASK);
    g_signal_connect(preview, "scroll-event", G_CALLBACK(zoomOnScroll), nullptr);
}

void ShowShortcutsWindow()
{
    if (!shortcutsWindow)
        shortcutsWindow = buildShortcutsWindow();
    gtk_window_present(GTK_WINDOW(shortcutsWindow));
}

GtkWidget* ShortcutsWindow() { return shortcutsWindow; }

bool ActivateShortcut(const char* accelerator)
{
    guint key = 0;
    GdkModifierType mods = GdkModifierType(0);
    gtk_accelerator_parse(accelerator, &key, &mods);
    const Shortcut* s = findShortcut(key, mods);
    if (!s)
        return false;
    s->action();
    return true;
}

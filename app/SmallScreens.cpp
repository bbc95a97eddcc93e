#include "app/SmallScreens.h"

#include <algorithm>

namespace {

constexpr int kDesignedPadding = 100;
// The window's frame beyond its size (its edges, where it is resized).
constexpr int kFrameAllowance = 10;

AppWindow& of(gpointer data) { return *static_cast<AppWindow*>(data); }

// The width the control row has: its scrolled content's visible width less
// the borders of the boxes between.
int roomOfControlRow(AppWindow& w)
{
    GtkWidget* scroll = gtk_widget_get_ancestor(w.controlRow, GTK_TYPE_SCROLLED_WINDOW);
    if (!scroll)
        return gtk_widget_get_allocated_width(w.controlRow);
    int room = gtk_widget_get_allocated_width(scroll);
    GtkWidget* vbar = gtk_scrolled_window_get_vscrollbar(GTK_SCROLLED_WINDOW(scroll));
    if (vbar && gtk_widget_get_visible(vbar) && !gtk_scrolled_window_get_overlay_scrolling(GTK_SCROLLED_WINDOW(scroll)))
        room -= gtk_widget_get_allocated_width(vbar);
    for (GtkWidget* box = gtk_widget_get_parent(w.controlRow); box && box != scroll; box = gtk_widget_get_parent(box))
        if (GTK_IS_BOX(box))
            room -= 2 * static_cast<int>(gtk_container_get_border_width(GTK_CONTAINER(box)));
    return room;
}

// What the row's visible controls need side by side, without the padding.
int neededByControlRow(AppWindow& w)
{
    int needed = 0;
    GList* children = gtk_container_get_children(GTK_CONTAINER(w.controlRow));
    for (GList* c = children; c; c = c->next) {
        GtkWidget* child = GTK_WIDGET(c->data);
        if (!gtk_widget_get_visible(child))
            continue;
        int least = 0, natural = 0;
        gtk_widget_get_preferred_width(child, &least, &natural);
        gboolean expand = FALSE, fill = FALSE;
        guint padding = 0;
        GtkPackType pack;
        gtk_box_query_child_packing(GTK_BOX(w.controlRow), child, &expand, &fill, &padding, &pack);
        if (child != w.saveButton && child != w.quitButton)
            needed += 2 * static_cast<int>(padding);
        needed += natural;
    }
    g_list_free(children);
    return needed + static_cast<int>(gtk_box_get_spacing(GTK_BOX(w.controlRow))) *
                        std::max(0, static_cast<int>(g_list_length(children)) - 1);
}

void setPadding(AppWindow& w, int padding)
{
    w.view.controlPadding = padding;
    for (GtkWidget* button : {w.saveButton, w.quitButton}) {
        gboolean expand = FALSE, fill = FALSE;
        guint old = 0;
        GtkPackType pack;
        gtk_box_query_child_packing(GTK_BOX(w.controlRow), button, &expand, &fill, &old, &pack);
        gtk_box_set_child_packing(GTK_BOX(w.controlRow), button, expand, fill, static_cast<guint>(padding), pack);
    }
}

gboolean adjust(gpointer data)
{
    AppWindow& w = of(data);
    w.view.paddingIdle = 0;
    const int padding = ControlPaddingFor(roomOfControlRow(w), neededByControlRow(w));
    if (padding != w.view.controlPadding)
        setPadding(w, padding);
    return G_SOURCE_REMOVE;
}

// Packing is changed after the allocation, not during it.
void onAllocated(GtkWidget*, GdkRectangle*, gpointer data)
{
    AppWindow& w = of(data);
    if (!w.view.paddingIdle)
        w.view.paddingIdle = g_idle_add(adjust, &w);
}

}  // namespace

int ControlPaddingFor(int room, int needed) { return std::clamp((room - needed) / 4, 0, kDesignedPadding); }

void AdaptToSmallScreens(AppWindow& w)
{
    GtkWidget* scroll = gtk_widget_get_ancestor(w.controlRow, GTK_TYPE_SCROLLED_WINDOW);
    g_signal_connect(scroll ? scroll : w.window, "size-allocate", G_CALLBACK(onAllocated), &w);
}

void KeepOpeningSizeOnScreen(AppWindow& w)
{
    GdkDisplay* display = gtk_widget_get_display(w.window);
    GdkMonitor* monitor = display ? gdk_display_get_primary_monitor(display) : nullptr;
    if (!monitor && display && gdk_display_get_n_monitors(display) > 0)
        monitor = gdk_display_get_monitor(display, 0);
    if (!monitor)
        return;
    GdkRectangle area;
    gdk_monitor_get_workarea(monitor, &area);
    // Measured shown: a hidden widget measures nothing (the window shows it
    // a moment later anyway).
    gtk_widget_show_all(w.headerBar);
    int least = 0, header = 0;
    gtk_widget_get_preferred_height(w.headerBar, &least, &header);
    int width = 0, height = 0;
    gtk_window_get_size(GTK_WINDOW(w.window), &width, &height);
    const int room = area.height - header - kFrameAllowance;
    const int fitWidth = std::min(width, area.width - kFrameAllowance);
    const int fitHeight = std::min(height, room);
    if (area.width > 0 && room > 0 && (fitWidth != width || fitHeight != height))
        gtk_window_resize(GTK_WINDOW(w.window), std::max(1, fitWidth), std::max(1, fitHeight));
}

void StopAdaptingToSmallScreens(AppWindow& w)
{
    if (w.view.paddingIdle)
        g_source_remove(w.view.paddingIdle);
    w.view.paddingIdle = 0;
}

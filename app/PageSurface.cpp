#include "app/PageSurface.h"

#include <algorithm>

#include "app/Navigation.h"

namespace {

AppWindow& of(gpointer data) { return *static_cast<AppWindow*>(data); }

GtkAdjustment* hAdjustment(AppWindow& w)
{
    return gtk_scrolled_window_get_hadjustment(GTK_SCROLLED_WINDOW(w.previewScroll));
}
GtkAdjustment* vAdjustment(AppWindow& w)
{
    return gtk_scrolled_window_get_vadjustment(GTK_SCROLLED_WINDOW(w.previewScroll));
}

double lastValue(GtkAdjustment* a)
{
    return std::max(0.0, gtk_adjustment_get_upper(a) - gtk_adjustment_get_page_size(a));
}

void moveTo(GtkAdjustment* a, double value) { gtk_adjustment_set_value(a, std::clamp(value, 0.0, lastValue(a))); }

void moveBy(GtkAdjustment* a, double by) { moveTo(a, gtk_adjustment_get_value(a) + by); }

// A line's step: a tenth of the view, as the scroll bar's own arrows move.
double stepOf(GtkAdjustment* a)
{
    const double step = gtk_adjustment_get_step_increment(a);
    return step > 0 ? step : std::max(1.0, gtk_adjustment_get_page_size(a) / 10.0);
}

// A screen's step keeps a little of the last screen in view, so that the
// eye finds its line again.
double screenOf(GtkAdjustment* a) { return std::max(1.0, gtk_adjustment_get_page_size(a) * 0.9); }

// Space at the bottom of a page turns to the next, at its top; Shift+Space
// at the top turns back, to the previous page's bottom. Every page has the
// same extent, so the place is set at once, before the page arrives.
void readOn(AppWindow& w, bool forward)
{
    GtkAdjustment* v = vAdjustment(w);
    const double value = gtk_adjustment_get_value(v);
    const bool atEnd = forward ? value >= lastValue(v) - 0.5 : value <= 0.5;
    if (!atEnd || w.preview.requestedPage < 1) {
        moveBy(v, forward ? screenOf(v) : -screenOf(v));
        return;
    }
    const int before = w.preview.requestedPage;
    if (forward)
        NextPage(w);
    else
        PreviousPage(w);
    if (w.preview.requestedPage != before)
        moveTo(v, forward ? 0.0 : lastValue(v));
}

void setCursor(GtkWidget* widget, const char* name)
{
    GdkWindow* surface = gtk_widget_get_window(widget);
    if (!surface)
        return;
    GdkCursor* cursor = name ? gdk_cursor_new_from_name(gdk_window_get_display(surface), name) : nullptr;
    gdk_window_set_cursor(surface, cursor);
    if (cursor)
        g_object_unref(cursor);
}

gboolean onPress(GtkWidget* surface, GdkEventButton* event, gpointer data)
{
    if (event->type != GDK_BUTTON_PRESS || event->button != GDK_BUTTON_PRIMARY)
        return FALSE;
    AppWindow& w = of(data);
    gtk_widget_grab_focus(surface);
    w.view.dragging = true;
    w.view.dragRootX = event->x_root;
    w.view.dragRootY = event->y_root;
    w.view.dragStartH = gtk_adjustment_get_value(hAdjustment(w));
    w.view.dragStartV = gtk_adjustment_get_value(vAdjustment(w));
    setCursor(surface, "grabbing");
    return FALSE;
}

gboolean onMotion(GtkWidget*, GdkEventMotion* event, gpointer data)
{
    AppWindow& w = of(data);
    if (!w.view.dragging)
        return FALSE;
    if (!(event->state & GDK_BUTTON1_MASK)) {  // released elsewhere
        w.view.dragging = false;
        return FALSE;
    }
    // The page follows the pointer: dragging it up shows what lies below.
    moveTo(hAdjustment(w), w.view.dragStartH - (event->x_root - w.view.dragRootX));
    moveTo(vAdjustment(w), w.view.dragStartV - (event->y_root - w.view.dragRootY));
    return FALSE;
}

gboolean onRelease(GtkWidget* surface, GdkEventButton* event, gpointer data)
{
    if (event->button != GDK_BUTTON_PRIMARY)
        return FALSE;
    of(data).view.dragging = false;
    setCursor(surface, "grab");
    return FALSE;
}

gboolean onKey(GtkWidget*, GdkEventKey* event, gpointer data)
{
    return PageSurfaceKey(of(data), event->keyval, static_cast<GdkModifierType>(event->state)) ? TRUE : FALSE;
}

void onFocusChanged(GtkWidget*, GParamSpec*, gpointer data) { gtk_widget_queue_draw(of(data).previewScroll); }

// The focus ring is drawn around the preview's visible area: the surface
// itself is as large as the page and mostly out of view.
gboolean drawFocus(GtkWidget* scroll, cairo_t* cr, gpointer data)
{
    AppWindow& w = of(data);
    if (!gtk_widget_has_focus(w.pageSurface))
        return FALSE;
    GtkStyleContext* style = gtk_widget_get_style_context(w.pageSurface);
    gtk_render_focus(style, cr, 1, 1, gtk_widget_get_allocated_width(scroll) - 2,
                     gtk_widget_get_allocated_height(scroll) - 2);
    return FALSE;
}

}  // namespace

bool PageSurfaceKey(AppWindow& w, guint keyval, GdkModifierType state)
{
    const GdkModifierType modifiers =
        static_cast<GdkModifierType>(state & gtk_accelerator_get_default_mod_mask() & ~GDK_SHIFT_MASK);
    if (modifiers != 0)
        return false;  // Ctrl+Home and the like are the window's
    const bool shift = state & GDK_SHIFT_MASK;
    GtkAdjustment* h = hAdjustment(w);
    GtkAdjustment* v = vAdjustment(w);
    switch (keyval) {
    case GDK_KEY_Up:
    case GDK_KEY_KP_Up:
        moveBy(v, -stepOf(v));
        return true;
    case GDK_KEY_Down:
    case GDK_KEY_KP_Down:
        moveBy(v, stepOf(v));
        return true;
    case GDK_KEY_Left:
    case GDK_KEY_KP_Left:
        moveBy(h, -stepOf(h));
        return true;
    case GDK_KEY_Right:
    case GDK_KEY_KP_Right:
        moveBy(h, stepOf(h));
        return true;
    case GDK_KEY_Home:
    case GDK_KEY_KP_Home:
        moveTo(v, 0.0);
        return true;
    case GDK_KEY_End:
    case GDK_KEY_KP_End:
        moveTo(v, lastValue(v));
        return true;
    case GDK_KEY_space:
    case GDK_KEY_KP_Space:
        readOn(w, !shift);
        return true;
    default:
        return false;
    }
}

void AttachPageSurface(AppWindow& w)
{
    g_signal_connect(w.pageSurface, "button-press-event", G_CALLBACK(onPress), &w);
    g_signal_connect(w.pageSurface, "motion-notify-event", G_CALLBACK(onMotion), &w);
    g_signal_connect(w.pageSurface, "button-release-event", G_CALLBACK(onRelease), &w);
    g_signal_connect(w.pageSurface, "key-press-event", G_CALLBACK(onKey), &w);
    g_signal_connect(w.pageSurface, "notify::has-focus", G_CALLBACK(onFocusChanged), &w);
    g_signal_connect_after(w.previewScroll, "draw", G_CALLBACK(drawFocus), &w);
    g_signal_connect(w.pageSurface, "realize",
                     G_CALLBACK(+[](GtkWidget* surface, gpointer) { setCursor(surface, "grab"); }), nullptr);
}

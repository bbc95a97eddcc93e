#include "app/Zoom.h"

#include <algorithm>
#include <cmath>

#include "app/PageRequest.h"
#include "raster/Preview.h"

static_assert(kRememberedSmallestSize == kSmallestSize && kRememberedLargestSize == kLargestSize,
              "a remembered size must be one the spinner can hold");

namespace {

// The page's extent in points, and what it measures on screen at size 1.0.
constexpr double kPageWidthPoints = 481.0;
constexpr double kPageHeightPoints = 680.0;
constexpr double kPixelsPerPointAtSize1 = kDotsPerInchAtSize1 / 72.0;
// Room kept free beside the fitted page: the rasteriser may round the image
// a pixel up, and a page a pixel too wide would bring a scroll bar.
constexpr int kFitMargin = 4;
// A resize is followed once it has rested this long, so that dragging the
// window's edge does not render a page at every step.
constexpr guint kRefitDelayMs = 200;

AppWindow& of(gpointer data) { return *static_cast<AppWindow*>(data); }

const char* nameOf(FitMode mode)
{
    switch (mode) {
    case FitMode::Width:
        return "width";
    case FitMode::Page:
        return "page";
    case FitMode::None:
        break;
    }
    return "none";
}

FitMode modeNamed(const char* name)
{
    const std::string text = name ? name : "";
    return text == "width" ? FitMode::Width : text == "page" ? FitMode::Page : FitMode::None;
}

GtkAdjustment* hAdjustment(AppWindow& w)
{
    return gtk_scrolled_window_get_hadjustment(GTK_SCROLLED_WINDOW(w.previewScroll));
}
GtkAdjustment* vAdjustment(AppWindow& w)
{
    return gtk_scrolled_window_get_vadjustment(GTK_SCROLLED_WINDOW(w.previewScroll));
}

// The room the page has: the preview less its vertical bar (always shown,
// so that fitting the width cannot bring or take it away). The horizontal
// bar is left out: a fitted page never needs it.
bool roomOfPreview(AppWindow& w, int& width, int& height)
{
    GtkAllocation area;
    gtk_widget_get_allocation(w.previewScroll, &area);
    GtkWidget* bar = gtk_scrolled_window_get_vscrollbar(GTK_SCROLLED_WINDOW(w.previewScroll));
    const int barWidth = bar && gtk_widget_get_visible(bar) ? gtk_widget_get_allocated_width(bar) : 0;
    width = area.width - barWidth;
    height = area.height;
    return width > 2 * kFitMargin && height > 2 * kFitMargin;
}

void openRememberedPage(AppWindow& w)
{
    const int page = w.view.pageToOpen;
    w.view.pageToOpen = 0;
    if (page > 0)
        RequestPage(w, page);
}

void refit(AppWindow& w)
{
    int width = 0, height = 0;
    if (w.view.fit == FitMode::None || !roomOfPreview(w, width, height))
        return;
    w.view.fittedWidth = width;
    w.view.fittedHeight = height;
    const double size = FittedSize(width, height, w.view.fit);
    if (std::fabs(gtk_spin_button_get_value(GTK_SPIN_BUTTON(w.sizeSpinner)) - size) > 0.001) {
        w.view.fitting = true;
        gtk_spin_button_set_value(GTK_SPIN_BUTTON(w.sizeSpinner), size);
        w.view.fitting = false;
    }
    openRememberedPage(w);
}

gboolean refitLater(gpointer data)
{
    AppWindow& w = of(data);
    w.view.refitTimer = 0;
    refit(w);
    return G_SOURCE_REMOVE;
}

void onPreviewAllocated(GtkWidget*, GdkRectangle*, gpointer data)
{
    AppWindow& w = of(data);
    int width = 0, height = 0;
    if (w.view.fit == FitMode::None || !roomOfPreview(w, width, height))
        return;
    if (width == w.view.fittedWidth && (w.view.fit == FitMode::Width || height == w.view.fittedHeight))
        return;
    if (w.view.refitTimer)
        g_source_remove(w.view.refitTimer);
    // The first fit comes at once, before any page is drawn at a size
    // about to change.
    const guint delay = w.view.fittedWidth < 0 ? 0 : kRefitDelayMs;
    w.view.refitTimer = g_timeout_add(delay, refitLater, &w);
}

void onSizeChanged(GtkSpinButton*, gpointer data)
{
    AppWindow& w = of(data);
    if (!w.view.fitting && w.view.fit != FitMode::None)
        SetFitMode(w, FitMode::None);
}

void activateFit(GSimpleAction* action, GVariant* parameter, gpointer data)
{
    AppWindow& w = of(data);
    const FitMode mode = modeNamed(g_variant_get_string(parameter, nullptr));
    // A click on the fit button already pressed releases it, though the
    // mode stays: a passing change of the state presses it again.
    if (mode == w.view.fit && mode != FitMode::None)
        g_simple_action_set_state(action, g_variant_new_string(nameOf(FitMode::None)));
    SetFitMode(w, mode);
}

// Once the page at its new size is shown (the adjustment's extent has
// changed), the anchored point goes back under the pointer.
void onExtentChanged(GtkAdjustment* adjustment, gpointer data)
{
    AppWindow& w = of(data);
    const bool horizontal = adjustment == hAdjustment(w);
    bool& pending = horizontal ? w.view.anchorH : w.view.anchorV;
    if (!pending)
        return;
    const double upper = gtk_adjustment_get_upper(adjustment);
    const double page = gtk_adjustment_get_page_size(adjustment);
    if (std::fabs(upper - (horizontal ? w.view.anchorUpperX : w.view.anchorUpperY)) < 0.5)
        return;  // still the image at the old size
    pending = false;
    if (upper <= page)
        return;  // the page fits: nothing to keep
    const double fraction = horizontal ? w.view.anchorFractionX : w.view.anchorFractionY;
    const double pointer = horizontal ? w.view.anchorPointerX : w.view.anchorPointerY;
    gtk_adjustment_set_value(adjustment, std::clamp(fraction * upper - pointer, 0.0, upper - page));
}

}  // namespace

double FittedSize(int roomWidth, int roomHeight, FitMode mode)
{
    if (mode == FitMode::None)
        return 1.0;
    double size = (roomWidth - kFitMargin) / (kPageWidthPoints * kPixelsPerPointAtSize1);
    if (mode == FitMode::Page)
        size = std::min(size, (roomHeight - kFitMargin) / (kPageHeightPoints * kPixelsPerPointAtSize1));
    // Whole hundredths, as the spinner shows them, rounded down so that the
    // page fits.
    size = std::floor(size * 100.0 + 1e-9) / 100.0;
    return std::clamp(size, kSmallestSize, kLargestSize);
}

void AddFitButtons(AppWindow& w)
{
    GtkWidget* box = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_style_context_add_class(gtk_widget_get_style_context(box), GTK_STYLE_CLASS_LINKED);
    struct Button {
        GtkWidget* AppWindow::*member;
        const char* icon;
        const char* target;
        const char* tooltip;
        const char* name;
    };
    const Button buttons[] = {
        {&AppWindow::fitWidthButton, "view-continuous-symbolic", "width", "Fit the page to the width (Ctrl+1)",
         "Fit width"},
        {&AppWindow::fitPageButton, "zoom-fit-best-symbolic", "page", "Show the whole page (Ctrl+2)", "Fit page"},
    };
    for (const Button& b : buttons) {
        GtkWidget* button = gtk_toggle_button_new();
        gtk_button_set_image(GTK_BUTTON(button), gtk_image_new_from_icon_name(b.icon, GTK_ICON_SIZE_BUTTON));
        gtk_actionable_set_detailed_action_name(GTK_ACTIONABLE(button), (std::string("win.fit::") + b.target).c_str());
        gtk_widget_set_tooltip_text(button, b.tooltip);
        atk_object_set_name(gtk_widget_get_accessible(button), b.name);
        gtk_widget_set_focus_on_click(button, FALSE);
        gtk_box_pack_start(GTK_BOX(box), button, FALSE, FALSE, 0);
        w.*b.member = button;
    }
    gtk_header_bar_pack_end(GTK_HEADER_BAR(w.headerBar), box);
}

void InstallZoom(AppWindow& w)
{
    const GActionEntry entries[] = {
        {"fit", activateFit, "s", "'none'", nullptr, {}},
    };
    g_action_map_add_action_entries(G_ACTION_MAP(w.window), entries, G_N_ELEMENTS(entries), &w);
    g_signal_connect(w.previewScroll, "size-allocate", G_CALLBACK(onPreviewAllocated), &w);
    g_signal_connect(w.sizeSpinner, "value-changed", G_CALLBACK(onSizeChanged), &w);
    g_signal_connect(hAdjustment(w), "changed", G_CALLBACK(onExtentChanged), &w);
    g_signal_connect(vAdjustment(w), "changed", G_CALLBACK(onExtentChanged), &w);
    SetFitMode(w, w.view.fit);
}

void SetFitMode(AppWindow& w, FitMode mode)
{
    w.view.fit = mode;
    GAction* action = g_action_map_lookup_action(G_ACTION_MAP(w.window), "fit");
    if (action)
        g_simple_action_set_state(G_SIMPLE_ACTION(action), g_variant_new_string(nameOf(mode)));
    if (mode == FitMode::None) {
        if (w.view.refitTimer)
            g_source_remove(w.view.refitTimer);
        w.view.refitTimer = 0;
        openRememberedPage(w);
        return;
    }
    if (gtk_widget_get_allocated_width(w.previewScroll) > 1)
        refit(w);  // else at the first allocation
}

void AnchorZoomAtPointer(AppWindow& w, double rootX, double rootY)
{
    GdkWindow* surface = gtk_widget_get_window(w.previewScroll);
    if (!surface)
        return;
    int originX = 0, originY = 0;
    gdk_window_get_origin(surface, &originX, &originY);
    GtkAllocation area;
    gtk_widget_get_allocation(w.previewScroll, &area);
    w.view.anchorPointerX = rootX - originX - area.x;
    w.view.anchorPointerY = rootY - originY - area.y;
    // While the page at the last step's size is still being made, the
    // point anchored then is kept.
    GtkAdjustment* h = hAdjustment(w);
    GtkAdjustment* v = vAdjustment(w);
    if (!w.view.anchorH && gtk_adjustment_get_upper(h) > 0) {
        w.view.anchorUpperX = gtk_adjustment_get_upper(h);
        w.view.anchorFractionX = (gtk_adjustment_get_value(h) + w.view.anchorPointerX) / w.view.anchorUpperX;
        w.view.anchorH = true;
    }
    if (!w.view.anchorV && gtk_adjustment_get_upper(v) > 0) {
        w.view.anchorUpperY = gtk_adjustment_get_upper(v);
        w.view.anchorFractionY = (gtk_adjustment_get_value(v) + w.view.anchorPointerY) / w.view.anchorUpperY;
        w.view.anchorV = true;
    }
}

void ForgetZoomAnchor(AppWindow& w) { w.view.anchorH = w.view.anchorV = false; }

void StopZoom(AppWindow& w)
{
    if (w.view.refitTimer)
        g_source_remove(w.view.refitTimer);
    w.view.refitTimer = 0;
}

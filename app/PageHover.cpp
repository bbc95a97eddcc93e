#include "app/PageHover.h"

#include <algorithm>
#include <cmath>

#include "app/HelpWindow.h"

namespace {

gboolean onQueryTooltip(GtkWidget*, gint x, gint y, gboolean keyboardMode, GtkTooltip* tooltip, gpointer data)
{
    const AppWindow& w = *static_cast<const AppWindow*>(data);
    if (keyboardMode)
        return FALSE;
    const PageSpot spot = SpotUnderPointer(w, x, y);
    if (spot.empty())
        return FALSE;
    gtk_tooltip_set_markup(tooltip, TooltipMarkup(spot, ShortExplanationOfTerm).c_str());
    // The tooltip holds while the pointer stays on the cell (or line, or
    // block) and is asked for anew once it leaves, so that it follows the
    // pointer from cell to cell.
    const PageRegion* region = spot.detail ? spot.detail : spot.block;
    const PointerRect r = PageRectOnScreen(region->rect, ShownPlacement(w), w.preview.shownLayout->height);
    const GdkRectangle area{r.x, r.y, r.width, r.height};
    gtk_tooltip_set_tip_area(tooltip, &area);
    return TRUE;
}

gboolean onButtonPress(GtkWidget*, GdkEventButton* event, gpointer data)
{
    AppWindow& w = *static_cast<AppWindow*>(data);
    if (event->type != GDK_2BUTTON_PRESS || event->button != GDK_BUTTON_PRIMARY)
        return FALSE;  // a single click focuses the page or starts a drag
    const std::string section = HelpSectionOf(SpotUnderPointer(w, event->x, event->y), HelpSectionOfTerm);
    if (section.empty())
        return FALSE;
    ShowHelp(GTK_WINDOW(w.window), section.c_str());
    return TRUE;
}

}  // namespace

PreviewPlacement ShownPlacement(const AppWindow& w)
{
    PreviewPlacement placement;
    placement.size = w.preview.shownKey.hundredths / 100.0;
    placement.scale = std::max(1, w.preview.shownKey.scale);
    if (!w.previewImage || !w.pageSurface || !w.preview.shownImage)
        return placement;
    int left = 0, top = 0;
    gtk_widget_translate_coordinates(w.previewImage, w.pageSurface, 0, 0, &left, &top);
    // GtkImage centres its picture in its allocation.
    GtkAllocation allocation;
    gtk_widget_get_allocation(w.previewImage, &allocation);
    const double width = cairo_image_surface_get_width(w.preview.shownImage) / static_cast<double>(placement.scale);
    const double height = cairo_image_surface_get_height(w.preview.shownImage) / static_cast<double>(placement.scale);
    placement.imageLeft = left + std::floor((allocation.width - width) / 2);
    placement.imageTop = top + std::floor((allocation.height - height) / 2);
    return placement;
}

PageSpot SpotUnderPointer(const AppWindow& w, double x, double y)
{
    const PageLayout* layout = w.preview.shownLayout.get();
    if (!layout || !w.preview.shownImage || w.preview.shownKey.page != layout->page)
        return {};
    return SpotAt(*layout, PointerToPage(x, y, ShownPlacement(w), layout->height));
}

void ConnectPageHover(AppWindow& w)
{
    gtk_widget_set_has_tooltip(w.pageSurface, TRUE);
    g_signal_connect(w.pageSurface, "query-tooltip", G_CALLBACK(onQueryTooltip), &w);
    g_signal_connect(w.pageSurface, "button-press-event", G_CALLBACK(onButtonPress), &w);
}

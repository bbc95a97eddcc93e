#include "app/Accessibility.h"

#include <algorithm>

#include "page/PageText.h"
#include "pcset/Conversions.h"

namespace {

void name(GtkWidget* widget, const char* accessibleName, const char* tooltip)
{
    if (!widget)
        return;
    if (tooltip && !gtk_widget_get_tooltip_text(widget))
        gtk_widget_set_tooltip_text(widget, tooltip);
    atk_object_set_name(gtk_widget_get_accessible(widget), accessibleName);
}

// The focus passes the container's children in this order: those listed
// first, the others after them in their packing order.
void focusFirst(GtkWidget* container, std::initializer_list<GtkWidget*> first, GtkWidget* last)
{
    GList* children = gtk_container_get_children(GTK_CONTAINER(container));
    GList* chain = nullptr;
    for (GtkWidget* widget : first)
        if (widget && g_list_find(children, widget))
            chain = g_list_append(chain, widget);
    for (GList* c = children; c; c = c->next)
        if (c->data != last && !g_list_find(chain, c->data))
            chain = g_list_append(chain, c->data);
    if (last && g_list_find(children, last))
        chain = g_list_append(chain, last);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_container_set_focus_chain(GTK_CONTAINER(container), chain);
    G_GNUC_END_IGNORE_DEPRECATIONS
    g_list_free(chain);
    g_list_free(children);
}

// The child of ancestor that holds widget.
GtkWidget* childHolding(GtkWidget* ancestor, GtkWidget* widget)
{
    while (widget && gtk_widget_get_parent(widget) != ancestor)
        widget = gtk_widget_get_parent(widget);
    return widget;
}

// A control that can take the focus and has no name of its own is named by
// its tooltip, so that no control reaches a screen reader unnamed.
void nameByTooltip(GtkWidget* widget, gpointer)
{
    if (gtk_widget_get_can_focus(widget)) {
        AtkObject* accessible = gtk_widget_get_accessible(widget);
        const char* current = atk_object_get_name(accessible);
        // A scrolled area is named by what it scrolls.
        GtkWidget* shown = widget;
        while (GTK_IS_SCROLLED_WINDOW(shown) || GTK_IS_VIEWPORT(shown))
            shown = gtk_bin_get_child(GTK_BIN(shown)) ? gtk_bin_get_child(GTK_BIN(shown)) : widget;
        gchar* tooltip = gtk_widget_get_tooltip_text(shown);
        if ((!current || !*current) && tooltip)
            atk_object_set_name(accessible, tooltip);
        g_free(tooltip);
    }
    if (GTK_IS_CONTAINER(widget))
        gtk_container_forall(GTK_CONTAINER(widget), nameByTooltip, nullptr);
}

}  // namespace

void MakeWindowAccessible(AppWindow& w)
{
    name(w.tnTypeField, "Tn-type",
         "A set as pitch classes, such as 0 4 7 (10 and 11 also as d and u); Enter shows the page of its Tn-type");
    name(w.costereField, "Costère code", "A Costère code, such as 13.12.14; Enter shows its page");
    name(w.sizeSpinner, "Size", "The size of the page on the screen (Ctrl+plus, Ctrl+minus, Ctrl+0)");
    name(w.saveButton, "Save", nullptr);
    name(w.quitButton, "Quit", "Quit Harmodex (Ctrl+Q)");
    name(w.playButton, "Play", nullptr);
    name(w.readingBarButton, "Show the other reading", "Show the page of the set the other reading gives (Alt+S)");
    // The page explains what lies under the pointer in tooltips of its own.
    name(w.pageSurface, "Page", nullptr);
    name(w.previewImage, "Page", nullptr);
    name(w.primaryMenuButton, "Main menu", nullptr);
    name(w.sidePanelToggle, "Side panel", nullptr);
    name(w.previewScroll, "Page view", nullptr);
    if (GtkWidget* content = w.inputRow ? gtk_widget_get_ancestor(w.inputRow, GTK_TYPE_SCROLLED_WINDOW) : nullptr)
        name(content, "Window content", nullptr);

    // Fields, size and buttons come before the page, though the page stands
    // above them; the side panel, at the left, comes last.
    GtkWidget* column = w.inputRow ? gtk_widget_get_parent(w.inputRow) : nullptr;
    if (column)
        focusFirst(column, {w.inputRow, w.controlRow}, childHolding(column, w.previewScroll));
    GtkWidget* body = w.sidePanel ? gtk_widget_get_parent(w.sidePanel) : nullptr;
    if (body)
        focusFirst(body, {}, w.sidePanel);
    if (w.window)
        gtk_container_forall(GTK_CONTAINER(w.window), nameByTooltip, nullptr);
}

std::string ShownPageText(const AppWindow& w)
{
    const int page = w.preview.shownKey.page;
    if (page < 1 || page > PitchUniverse::NumTnTypes)
        return std::string();
    return DescribePage(StringToVector(w.universe.tnTypes[page - 1]));
}

void DescribeShownPage(AppWindow& w)
{
    if (!w.window)
        return;
    const char* title = gtk_window_get_title(GTK_WINDOW(w.window));
    const std::string text = ShownPageText(w);
    for (GtkWidget* widget : {w.pageSurface, w.previewImage}) {
        if (!widget)
            continue;
        AtkObject* accessible = gtk_widget_get_accessible(widget);
        atk_object_set_name(accessible, title ? title : "Page");
        atk_object_set_description(accessible, text.c_str());
    }
}

void CopySetAsText(AppWindow& w)
{
    const std::string text = ShownPageText(w);
    if (text.empty() || !w.window) {
        if (w.window)
            gtk_widget_error_bell(w.window);
        return;
    }
    GtkClipboard* clipboard = gtk_widget_get_clipboard(w.window, GDK_SELECTION_CLIPBOARD);
    gtk_clipboard_set_text(clipboard, text.c_str(), static_cast<int>(text.size()));
}

#include "app/Clipboard.h"

#include "catalogue/CatalogueQuery.h"

namespace {

// What the clipboard holds until another program or copy replaces it.
struct ClipboardPage {
    std::string text;
    cairo_surface_t* image = nullptr;  // an owned reference; nullptr for text alone
};

void giveClipboardPage(GtkClipboard*, GtkSelectionData* selection, guint info, gpointer data)
{
    const ClipboardPage& page = *static_cast<const ClipboardPage*>(data);
    if (info == 0) {
        gtk_selection_data_set_text(selection, page.text.c_str(), -1);
        return;
    }
    if (!page.image)
        return;
    // Made only when asked for: at the largest sizes the pixels are many.
    GdkPixbuf* pixbuf = gdk_pixbuf_get_from_surface(page.image, 0, 0, cairo_image_surface_get_width(page.image),
                                                    cairo_image_surface_get_height(page.image));
    if (pixbuf) {
        gtk_selection_data_set_pixbuf(selection, pixbuf);
        g_object_unref(pixbuf);
    }
}

void forgetClipboardPage(GtkClipboard*, gpointer data)
{
    ClipboardPage* page = static_cast<ClipboardPage*>(data);
    if (page->image)
        cairo_surface_destroy(page->image);
    delete page;
}

void setEnabled(AppWindow& w, const char* name, bool enabled)
{
    GAction* action = g_action_map_lookup_action(G_ACTION_MAP(w.window), name);
    if (action)
        g_simple_action_set_enabled(G_SIMPLE_ACTION(action), enabled);
}

void focusMoved(GtkWindow*, GtkWidget*, gpointer data) { UpdateCopyActions(*static_cast<AppWindow*>(data)); }

}  // namespace

std::string PageIdentityLine(int page)
{
    const std::vector<CatalogueRow>& rows = CatalogueRows();
    if (page < 1 || page > static_cast<int>(rows.size()))
        return "";
    const CatalogueRow& row = rows[page - 1];
    const std::string dot = " \xC2\xB7 ";  // a middle dot between spaces
    return std::to_string(row.page) + dot + row.forteName + dot + row.tnType + dot + row.costereCode;
}

void CopyShownPage(AppWindow& w, PageCopy what)
{
    const std::string text = PageIdentityLine(w.preview.shownKey.page);
    if (w.shownPage.empty() || text.empty()) {
        gtk_widget_error_bell(w.window);  // no page yet: there is nothing to copy
        return;
    }
    ClipboardPage* page = new ClipboardPage{text, nullptr};
    GtkTargetList* targets = gtk_target_list_new(nullptr, 0);
    gtk_target_list_add_text_targets(targets, 0);
    if (what == PageCopy::ImageAndText && w.preview.shownImage) {
        page->image = cairo_surface_reference(w.preview.shownImage);
        gtk_target_list_add_image_targets(targets, 1, TRUE);
    }
    int count = 0;
    GtkTargetEntry* table = gtk_target_table_new_from_list(targets, &count);
    GtkClipboard* clipboard = gtk_widget_get_clipboard(w.window, GDK_SELECTION_CLIPBOARD);
    if (!gtk_clipboard_set_with_data(clipboard, table, static_cast<guint>(count), giveClipboardPage,
                                     forgetClipboardPage, page))
        forgetClipboardPage(clipboard, page);
    gtk_target_table_free(table, count);
    gtk_target_list_unref(targets);
}

void UpdateCopyActions(AppWindow& w)
{
    if (!w.window)
        return;
    const bool shown = !w.shownPage.empty();
    setEnabled(w, "copy-image", shown);
    setEnabled(w, "copy-set", shown);
    // The page as the window's focus: keys reach it whenever the window has
    // them, and a field with the focus keeps Ctrl+C for its own text.
    const bool focused = w.pageSurface && gtk_window_get_focus(GTK_WINDOW(w.window)) == w.pageSurface;
    setEnabled(w, "copy", shown && focused);
}

void AttachPageCopying(AppWindow& w)
{
    // After the window's own handler, which moves the focus.
    g_signal_connect_after(w.window, "set-focus", G_CALLBACK(focusMoved), &w);
    UpdateCopyActions(w);
}

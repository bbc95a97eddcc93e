#include "app/PageMenu.h"

namespace {

gboolean pressedOnPage(GtkWidget*, GdkEventButton* event, gpointer data)
{
    // Only the context-menu click; the primary button belongs to others.
    if (event->type != GDK_BUTTON_PRESS || !gdk_event_triggers_context_menu(reinterpret_cast<GdkEvent*>(event)))
        return FALSE;
    AppWindow& w = *static_cast<AppWindow*>(data);
    gtk_menu_popup_at_pointer(GTK_MENU(w.pageMenu), reinterpret_cast<GdkEvent*>(event));
    return TRUE;
}

// The Menu key or Shift+F10 on the focused page: the menu opens at the top
// left of the preview, which is in sight however far the page is scrolled.
gboolean menuAskedFor(GtkWidget*, gpointer data)
{
    AppWindow& w = *static_cast<AppWindow*>(data);
    gtk_menu_popup_at_widget(GTK_MENU(w.pageMenu), w.previewScroll, GDK_GRAVITY_NORTH_WEST, GDK_GRAVITY_NORTH_WEST,
                             nullptr);
    return TRUE;
}

}  // namespace

GMenuModel* NewPageMenuModel()
{
    GMenu* menu = g_menu_new();
    GMenu* copying = g_menu_new();
    g_menu_append(copying, "Copy _Image", "win.copy-image");
    g_menu_append(copying, "Copy _Set", "win.copy-set");
    g_menu_append(copying, "Copy Set as _Text", "win.copy-text");
    g_menu_append_section(menu, nullptr, G_MENU_MODEL(copying));
    g_object_unref(copying);
    GMenu* page = g_menu_new();
    g_menu_append(page, "_Save\xE2\x80\xA6", "win.save");
    g_menu_append(page, "_Print\xE2\x80\xA6", "win.print");
    g_menu_append_section(menu, nullptr, G_MENU_MODEL(page));
    g_object_unref(page);
    GMenu* sound = g_menu_new();
    g_menu_append(sound, "P_lay", "win.play");
    g_menu_append_section(menu, nullptr, G_MENU_MODEL(sound));
    g_object_unref(sound);
    return G_MENU_MODEL(menu);
}

void AttachPageMenu(AppWindow& w)
{
    GMenuModel* model = NewPageMenuModel();
    w.pageMenu = gtk_menu_new_from_model(model);
    g_object_unref(model);
    // Attached to the page, so that it finds the window's actions and goes
    // with the window.
    gtk_menu_attach_to_widget(GTK_MENU(w.pageMenu), w.pageSurface, nullptr);
    g_signal_connect(w.pageSurface, "button-press-event", G_CALLBACK(pressedOnPage), &w);
    g_signal_connect(w.pageSurface, "popup-menu", G_CALLBACK(menuAskedFor), &w);
}

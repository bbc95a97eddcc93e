#include "app/AppWindow.h"

#include <algorithm>

#include "app/Accessibility.h"
#include "app/Actions.h"
#include "app/Clipboard.h"
#include "app/Export.h"
#include "app/IndexPanel.h"
#include "app/Navigation.h"
#include "app/PageHover.h"
#include "app/PageMenu.h"
#include "app/PageRequest.h"
#include "app/PageSurface.h"
#include "app/PitchInput.h"
#include "app/ReadingBar.h"
#include "app/LiveInput.h"
#include "app/RememberedState.h"
#include "app/ScorePanel.h"
#include "app/SmallScreens.h"
#include "app/Sound.h"
#include "app/Zoom.h"
#include "sound/Player.h"

const char* const kEmptyPreviewHint = "Type a set such as 0 4 7 and press Enter";

// Rendered previews kept for going back: 192 MiB of pixels, some thirty
// pages at size 1.0 (6 MB each) or one at size 4.0 (97 MB). Beside the cache
// live only the image shown (when it has left the cache) and the one being
// made, so the window stays below its old peak at size 4.0.
constexpr std::size_t kPreviewCacheBound = std::size_t{192} << 20;

AppWindow::AppWindow() : preview(kPreviewCacheBound), universe(SharedUniverse()) {}

AppWindow::~AppWindow() { ShutDownAppWindow(*this); }

namespace {

// The designed size of the window, and the least it can be made: below
// that its content scrolls, every control still reachable.
constexpr int kDesignedWidth = 1100;
constexpr int kDesignedHeight = 610;
constexpr int kLeastWidth = 480;
constexpr int kLeastHeight = 360;

GtkWidget* newBox(GtkOrientation orientation, int spacing, int border)
{
    GtkWidget* box = gtk_box_new(orientation, spacing);
    gtk_container_set_border_width(GTK_CONTAINER(box), border);
    return box;
}

GtkWidget* newLabel(const char* text)
{
    GtkWidget* label = gtk_label_new(text);
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    gtk_label_set_yalign(GTK_LABEL(label), 0.5f);
    return label;
}

// Opens at the designed size, or at what the screen's work area offers when
// that is less (a scale-2 screen of 1920 x 1080 has 960 x 540 logical pixels).
void chooseOpeningSize(GtkWidget* window)
{
    int width = kDesignedWidth, height = kDesignedHeight;
    GdkDisplay* display = gtk_widget_get_display(window);
    GdkMonitor* monitor = display ? gdk_display_get_primary_monitor(display) : nullptr;
    if (!monitor && display && gdk_display_get_n_monitors(display) > 0)
        monitor = gdk_display_get_monitor(display, 0);
    if (monitor) {
        GdkRectangle area;
        gdk_monitor_get_workarea(monitor, &area);
        if (area.width > 0 && area.height > 0) {
            width = std::max(kLeastWidth, std::min(width, area.width));
            height = std::max(kLeastHeight, std::min(height, area.height));
        }
    }
    gtk_window_set_default_size(GTK_WINDOW(window), width, height);
}

void scaleChanged(GObject*, GParamSpec*, gpointer data) { RefreshPreview(*static_cast<AppWindow*>(data)); }

void windowDestroyed(GtkWidget*, gpointer data) { ShutDownAppWindow(*static_cast<AppWindow*>(data)); }

// The header bar: the window's title, and the primary menu at its end.
void addHeaderBar(AppWindow& w)
{
    w.headerBar = gtk_header_bar_new();
    gtk_header_bar_set_show_close_button(GTK_HEADER_BAR(w.headerBar), TRUE);
    AttachHistoryControls(w);  // Back and Forward first
    w.primaryMenuButton = gtk_menu_button_new();
    gtk_button_set_image(GTK_BUTTON(w.primaryMenuButton),
                         gtk_image_new_from_icon_name("open-menu-symbolic", GTK_ICON_SIZE_BUTTON));
    GMenuModel* menu = NewPrimaryMenu();
    gtk_menu_button_set_menu_model(GTK_MENU_BUTTON(w.primaryMenuButton), menu);
    g_object_unref(menu);
    gtk_widget_set_tooltip_text(w.primaryMenuButton, "Main menu");
    atk_object_set_name(gtk_widget_get_accessible(w.primaryMenuButton), "Main menu");
    gtk_header_bar_pack_end(GTK_HEADER_BAR(w.headerBar), w.primaryMenuButton);
    AddFitButtons(w);
    w.sidePanelToggle = gtk_toggle_button_new();
    gtk_button_set_image(GTK_BUTTON(w.sidePanelToggle),
                         gtk_image_new_from_icon_name("sidebar-show-symbolic", GTK_ICON_SIZE_BUTTON));
    gtk_actionable_set_action_name(GTK_ACTIONABLE(w.sidePanelToggle), "win.side-panel");
    gtk_widget_set_tooltip_text(w.sidePanelToggle, "Side panel (F9)");
    atk_object_set_name(gtk_widget_get_accessible(w.sidePanelToggle), "Side panel");
    gtk_header_bar_pack_start(GTK_HEADER_BAR(w.headerBar), w.sidePanelToggle);
    gtk_window_set_titlebar(GTK_WINDOW(w.window), w.headerBar);
}

void addSidePanel(AppWindow& w, GtkWidget* body)
{
    w.sidePanel = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    // The stack's pages, chosen by a switcher above them.
    GtkWidget* pages = gtk_box_new(GTK_ORIENTATION_VERTICAL, 0);
    w.sideStack = gtk_stack_new();
    w.sideSwitcher = gtk_stack_switcher_new();
    gtk_stack_switcher_set_stack(GTK_STACK_SWITCHER(w.sideSwitcher), GTK_STACK(w.sideStack));
    gtk_widget_set_halign(w.sideSwitcher, GTK_ALIGN_CENTER);
    gtk_widget_set_margin_top(w.sideSwitcher, 6);
    gtk_box_pack_start(GTK_BOX(pages), w.sideSwitcher, FALSE, FALSE, 0);
    gtk_widget_set_size_request(w.sideStack, kSidePanelWidth - 1, -1);  // and a one-pixel separator
    gtk_box_pack_start(GTK_BOX(pages), w.sideStack, TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(w.sidePanel), pages, TRUE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(w.sidePanel), gtk_separator_new(GTK_ORIENTATION_VERTICAL), FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(body), w.sidePanel, FALSE, TRUE, 0);
    AttachIndexPanel(w);
    AttachScorePanel(w);
    gtk_widget_show_all(w.sidePanel);
    gtk_widget_set_no_show_all(w.sidePanel, TRUE);
    gtk_widget_hide(w.sidePanel);
}

}  // namespace

AppWindow* NewAppWindow(GtkApplication* application, const std::string& statePath)
{
    AppWindow* made = new AppWindow;
    AppWindow& w = *made;
    w.window = gtk_application_window_new(application);
    GtkWidget* window = w.window;
    g_signal_connect(window, "destroy", G_CALLBACK(windowDestroyed), made);
    g_signal_connect(window, "notify::scale-factor", G_CALLBACK(scaleChanged), made);
    gtk_widget_set_size_request(window, kLeastWidth, kLeastHeight);
    chooseOpeningSize(window);
    addHeaderBar(w);
    // After the title bar: setting one clears the window's title.
    gtk_window_set_title(GTK_WINDOW(window), "Tn-type Harmodex");

    // The side panel at the left, hidden until asked for, beside the
    // design's content.
    GtkWidget* body = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_container_add(GTK_CONTAINER(window), body);
    addSidePanel(w, body);

    // The whole content scrolls when the window is smaller than it needs.
    GtkWidget* contentScroll = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(contentScroll), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
    gtk_box_pack_start(GTK_BOX(body), contentScroll, TRUE, TRUE, 0);
    GtkWidget* outer = newBox(GTK_ORIENTATION_HORIZONTAL, 5, 10);
    gtk_container_add(GTK_CONTAINER(contentScroll), outer);  // through a viewport
    gtk_viewport_set_shadow_type(GTK_VIEWPORT(gtk_bin_get_child(GTK_BIN(contentScroll))), GTK_SHADOW_NONE);
    GtkWidget* column = newBox(GTK_ORIENTATION_VERTICAL, 5, 10);
    gtk_box_pack_start(GTK_BOX(outer), column, TRUE, TRUE, 0);

    // The preview frame takes all the room the rows below leave.
    GtkWidget* frame = gtk_frame_new("  Harmodex page  ");
    gtk_box_pack_start(GTK_BOX(column), frame, TRUE, TRUE, 0);
    GtkWidget* frameBox = newBox(GTK_ORIENTATION_VERTICAL, 0, 5);
    gtk_container_add(GTK_CONTAINER(frame), frameBox);
    GtkWidget* overlay = gtk_overlay_new();
    gtk_box_pack_start(GTK_BOX(frameBox), overlay, TRUE, TRUE, 0);
    w.previewScroll = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_container_set_border_width(GTK_CONTAINER(w.previewScroll), 0);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(w.previewScroll), GTK_POLICY_AUTOMATIC, GTK_POLICY_ALWAYS);
    // "Always" means a bar the user sees, not an overlay shown on hover.
    gtk_scrolled_window_set_overlay_scrolling(GTK_SCROLLED_WINDOW(w.previewScroll), FALSE);
    gtk_scrolled_window_set_min_content_height(GTK_SCROLLED_WINDOW(w.previewScroll), 200);
    gtk_scrolled_window_set_min_content_width(GTK_SCROLLED_WINDOW(w.previewScroll), 300);
    gtk_container_add(GTK_CONTAINER(overlay), w.previewScroll);
    // The page is a surface of its own: it takes the focus on a click and
    // receives the pointer and the keys over the whole preview.
    w.pageSurface = gtk_event_box_new();
    gtk_widget_set_can_focus(w.pageSurface, TRUE);
    gtk_widget_add_events(w.pageSurface, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_POINTER_MOTION_MASK |
                                             GDK_KEY_PRESS_MASK | GDK_SCROLL_MASK | GDK_SMOOTH_SCROLL_MASK);
    gtk_container_add(GTK_CONTAINER(w.previewScroll), w.pageSurface);  // through a viewport
    GtkWidget* imageBox = newBox(GTK_ORIENTATION_VERTICAL, 0, 0);
    gtk_container_add(GTK_CONTAINER(w.pageSurface), imageBox);
    w.previewImage = gtk_image_new();
    gtk_widget_set_halign(w.previewImage, GTK_ALIGN_CENTER);
    gtk_box_pack_start(GTK_BOX(imageBox), w.previewImage, FALSE, FALSE, 0);
    w.previewMessage = gtk_label_new(kEmptyPreviewHint);
    gtk_label_set_line_wrap(GTK_LABEL(w.previewMessage), TRUE);
    gtk_label_set_selectable(GTK_LABEL(w.previewMessage), TRUE);
    gtk_widget_set_can_focus(w.previewMessage, FALSE);
    gtk_box_pack_start(GTK_BOX(imageBox), w.previewMessage, TRUE, TRUE, 10);
    w.busyIndicator = gtk_spinner_new();
    gtk_widget_set_size_request(w.busyIndicator, 32, 32);
    gtk_widget_set_halign(w.busyIndicator, GTK_ALIGN_END);
    gtk_widget_set_valign(w.busyIndicator, GTK_ALIGN_START);
    gtk_widget_set_margin_top(w.busyIndicator, 12);
    gtk_widget_set_margin_end(w.busyIndicator, 28);
    gtk_widget_set_tooltip_text(w.busyIndicator, "Preparing the page\xE2\x80\xA6");
    gtk_widget_set_no_show_all(w.busyIndicator, TRUE);
    gtk_overlay_add_overlay(GTK_OVERLAY(overlay), w.busyIndicator);

    w.inputRow = newBox(GTK_ORIENTATION_HORIZONTAL, 5, 10);
    GtkWidget* inputRow = w.inputRow;
    gtk_container_add(GTK_CONTAINER(column), inputRow);
    GtkWidget* fieldBox = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_box_pack_start(GTK_BOX(inputRow), fieldBox, FALSE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(fieldBox), newLabel(" Tn-type: "), FALSE, TRUE, 3);
    w.tnTypeField = gtk_entry_new();
    gtk_entry_set_max_length(GTK_ENTRY(w.tnTypeField), 200);
    gtk_box_pack_start(GTK_BOX(fieldBox), w.tnTypeField, TRUE, TRUE, 3);
    gtk_entry_set_text(GTK_ENTRY(w.tnTypeField), "");
    gtk_box_pack_start(GTK_BOX(fieldBox), newLabel(" Cost\xC3\xA8re Code: "), FALSE, TRUE, 3);
    w.costereField = gtk_entry_new();
    gtk_entry_set_max_length(GTK_ENTRY(w.costereField), 200);
    gtk_box_pack_start(GTK_BOX(fieldBox), w.costereField, TRUE, TRUE, 3);
    gtk_entry_set_text(GTK_ENTRY(w.costereField), "");
    gtk_box_pack_start(GTK_BOX(inputRow), gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0), FALSE, TRUE, 0);
    AttachReadingBar(w);
    AttachPitchInput(w);

    w.controlRow = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    GtkWidget* controlRow = w.controlRow;
    gtk_box_pack_start(GTK_BOX(column), controlRow, FALSE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(controlRow), newLabel("  Size:  "), FALSE, TRUE, 0);
    GtkAdjustment* adjustment = gtk_adjustment_new(w.sizeFactor, kSmallestSize, kLargestSize, 0.1, 1.0, 0.0);
    w.sizeSpinner = gtk_spin_button_new(adjustment, 1.0, 2);
    gtk_spin_button_set_wrap(GTK_SPIN_BUTTON(w.sizeSpinner), TRUE);
    gtk_box_pack_start(GTK_BOX(controlRow), w.sizeSpinner, FALSE, TRUE, 0);
    InstallActions(w);
    AttachPageMenu(w);
    AttachPageCopying(w);
    AddPlayButton(w);
    AttachLiveInput(w);
    w.saveButton = gtk_button_new_with_label("   Save\xE2\x80\xA6   ");
    gtk_actionable_set_action_name(GTK_ACTIONABLE(w.saveButton), "win.save");
    gtk_widget_set_tooltip_text(w.saveButton,
                                "Save the page as EPS, PDF, PNG or SVG, or its 24 transformations as MusicXML");
    gtk_box_pack_start(GTK_BOX(controlRow), w.saveButton, TRUE, TRUE, 100);
    w.quitButton = gtk_button_new_with_label(" QUIT ");
    gtk_actionable_set_action_name(GTK_ACTIONABLE(w.quitButton), "app.quit");
    gtk_box_pack_start(GTK_BOX(controlRow), w.quitButton, TRUE, TRUE, 100);

    ConnectPageRequests(w);
    ConnectPageHover(w);
    InstallZoom(w);
    AttachPageSurface(w);
    AdaptToSmallScreens(w);
    PageIsSaveable(w);
    MakeWindowAccessible(w);
    if (!statePath.empty())
        RestoreWindowState(w, statePath);
    KeepOpeningSizeOnScreen(w);
    gtk_widget_show_all(window);
    gtk_widget_grab_focus(w.tnTypeField);
    return made;
}

void ShutDownAppWindow(AppWindow& w)
{
    StopLiveInput(w);
    StopZoom(w);
    StopAdaptingToSmallScreens(w);
    SaveWindowStateNow(w);
    StopScoreWork(w);
    StopPreviews(w);
    StopSound(w);
    w.sound.player.reset();
    w.window = nullptr;
}

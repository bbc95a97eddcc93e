#include "app/Window.h"

#include "app/Export.h"
#include "app/PageRequest.h"
#include "app/ReadingBar.h"
#include "app/Sound.h"
#include "app/Shortcuts.h"

GtkWidget* window = nullptr;
GtkWidget* gtkcairo = nullptr;
GtkWidget* entryST = nullptr;
GtkWidget* entryCO = nullptr;
GtkWidget* spinner1 = nullptr;
GtkWidget* previewMessage = nullptr;
GtkWidget* previewScroll = nullptr;
GtkWidget* busyIndicator = nullptr;
GtkWidget* controlRow = nullptr;
GtkWidget* saveButton = nullptr;
float PSsize = 1.0f;
std::string FileNameXX;
PitchClassSet MyPCset;
std::string myVirtualPaper;
const PitchUniverse& aPu = SharedUniverse();

const char* const kEmptyPreviewHint = "Type a set such as 0 4 7 and press Enter";

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
void chooseOpeningSize()
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

void scaleChanged(GObject*, GParamSpec*, gpointer) { RefreshPreviewForScale(); }

}  // namespace

void BuildMainWindow()
{
    window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    g_signal_connect(window, "notify::scale-factor", G_CALLBACK(scaleChanged), nullptr);
    gtk_window_set_title(GTK_WINDOW(window), "Tn-type Harmodex");
    gtk_widget_set_size_request(window, kLeastWidth, kLeastHeight);
    chooseOpeningSize();

    // The whole content scrolls when the window is smaller than it needs.
    GtkWidget* contentScroll = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(contentScroll), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
    gtk_container_add(GTK_CONTAINER(window), contentScroll);
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
    previewScroll = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_container_set_border_width(GTK_CONTAINER(previewScroll), 0);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(previewScroll), GTK_POLICY_AUTOMATIC, GTK_POLICY_ALWAYS);
    // "Always" means a bar the user sees, not an overlay shown on hover.
    gtk_scrolled_window_set_overlay_scrolling(GTK_SCROLLED_WINDOW(previewScroll), FALSE);
    gtk_scrolled_window_set_min_content_height(GTK_SCROLLED_WINDOW(previewScroll), 200);
    gtk_scrolled_window_set_min_content_width(GTK_SCROLLED_WINDOW(previewScroll), 300);
    gtk_container_add(GTK_CONTAINER(overlay), previewScroll);
    GtkWidget* imageBox = newBox(GTK_ORIENTATION_VERTICAL, 0, 0);
    gtk_container_add(GTK_CONTAINER(previewScroll), imageBox);  // through a viewport
    gtkcairo = gtk_image_new();
    gtk_widget_set_halign(gtkcairo, GTK_ALIGN_CENTER);
    gtk_box_pack_start(GTK_BOX(imageBox), gtkcairo, FALSE, FALSE, 0);
    previewMessage = gtk_label_new(kEmptyPreviewHint);
    gtk_label_set_line_wrap(GTK_LABEL(previewMessage), TRUE);
    gtk_label_set_selectable(GTK_LABEL(previewMessage), TRUE);
    gtk_widget_set_can_focus(previewMessage, FALSE);
    gtk_box_pack_start(GTK_BOX(imageBox), previewMessage, TRUE, TRUE, 10);
    busyIndicator = gtk_spinner_new();
    gtk_widget_set_size_request(busyIndicator, 32, 32);
    gtk_widget_set_halign(busyIndicator, GTK_ALIGN_END);
    gtk_widget_set_valign(busyIndicator, GTK_ALIGN_START);
    gtk_widget_set_margin_top(busyIndicator, 12);
    gtk_widget_set_margin_end(busyIndicator, 28);
    gtk_widget_set_tooltip_text(busyIndicator, "Preparing the page\xE2\x80\xA6");
    gtk_widget_set_no_show_all(busyIndicator, TRUE);
    gtk_overlay_add_overlay(GTK_OVERLAY(overlay), busyIndicator);
    ConnectPreviewZoom(previewScroll);

    GtkWidget* inputRow = newBox(GTK_ORIENTATION_HORIZONTAL, 5, 10);
    gtk_container_add(GTK_CONTAINER(column), inputRow);
    GtkWidget* fieldBox = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_box_pack_start(GTK_BOX(inputRow), fieldBox, FALSE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(fieldBox), newLabel(" Tn-type: "), FALSE, TRUE, 3);
    entryST = gtk_entry_new();
    gtk_entry_set_max_length(GTK_ENTRY(entryST), 200);
    g_signal_connect(entryST, "activate", G_CALLBACK(get_entry_value), reinterpret_cast<void*>(1L));
    gtk_box_pack_start(GTK_BOX(fieldBox), entryST, TRUE, TRUE, 3);
    gtk_entry_set_text(GTK_ENTRY(entryST), "");
    gtk_box_pack_start(GTK_BOX(fieldBox), newLabel(" Cost\xC3\xA8re Code: "), FALSE, TRUE, 3);
    entryCO = gtk_entry_new();
    gtk_entry_set_max_length(GTK_ENTRY(entryCO), 200);
    g_signal_connect(entryCO, "activate", G_CALLBACK(get_entry_value), reinterpret_cast<void*>(2L));
    gtk_box_pack_start(GTK_BOX(fieldBox), entryCO, TRUE, TRUE, 3);
    gtk_entry_set_text(GTK_ENTRY(entryCO), "");
    gtk_box_pack_start(GTK_BOX(inputRow), gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0), FALSE, TRUE, 0);
    AttachReadingBar(inputRow);

    controlRow = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_box_pack_start(GTK_BOX(column), controlRow, FALSE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(controlRow), newLabel("  Size:  "), FALSE, TRUE, 0);
    GtkAdjustment* adjustment = gtk_adjustment_new(PSsize, 0.25, 4.0, 0.1, 1.0, 0.0);
    spinner1 = gtk_spin_button_new(adjustment, 1.0, 2);
    gtk_spin_button_set_wrap(GTK_SPIN_BUTTON(spinner1), TRUE);
    g_signal_connect(spinner1, "value-changed", G_CALLBACK(get_spinner1_value), nullptr);
    gtk_box_pack_start(GTK_BOX(controlRow), spinner1, FALSE, TRUE, 0);
    AddPlayButton(controlRow);
    saveButton = gtk_button_new_with_label("   Save EPS   ");
    g_signal_connect(saveButton, "clicked", G_CALLBACK(SaveEPSfile), nullptr);
    AttachSaveButton(saveButton);
    gtk_box_pack_start(GTK_BOX(controlRow), saveButton, TRUE, TRUE, 100);
    GtkWidget* quit = gtk_button_new_with_label(" QUIT ");
    g_signal_connect(quit, "clicked", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_box_pack_start(GTK_BOX(controlRow), quit, TRUE, TRUE, 100);

    InstallShortcuts(GTK_WINDOW(window));
    gtk_widget_show_all(window);
    gtk_widget_grab_focus(entryST);
}

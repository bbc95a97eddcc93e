#include "app/Window.h"

#include "app/Export.h"
#include "app/PageRequest.h"
#include "app/ReadingBar.h"
#include "app/Sound.h"

GtkWidget* window = nullptr;
GtkWidget* gtkcairo = nullptr;
GdkPixbuf* pixbuf = nullptr;
GtkWidget* entryST = nullptr;
GtkWidget* entryCO = nullptr;
GtkWidget* spinner1 = nullptr;
GtkWidget* previewMessage = nullptr;
float PSsize = 1.0f;
std::string FileNameXX;
PitchClassSet MyPCset;
std::string myVirtualPaper;
const PitchUniverse& aPu = SharedUniverse();

namespace {

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

} // namespace

void CreateInitialPixbuf()
{
    pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 1, 1);
    gdk_pixbuf_fill(pixbuf, 0xffffffff);
}

void BuildMainWindow()
{
    window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_window_set_title(GTK_WINDOW(window), "Tn-type Harmodex");
    gtk_widget_set_size_request(window, 1100, 610);

    GtkWidget* outer = newBox(GTK_ORIENTATION_HORIZONTAL, 5, 10);
    gtk_container_add(GTK_CONTAINER(window), outer);
    GtkWidget* column = newBox(GTK_ORIENTATION_VERTICAL, 5, 10);
    gtk_container_add(GTK_CONTAINER(outer), column);

    GtkWidget* frame = gtk_frame_new("  Harmodex page  ");
    gtk_box_pack_start(GTK_BOX(column), frame, TRUE, TRUE, 0);
    gtk_widget_set_size_request(frame, 1017, 488);
    GtkWidget* frameBox = newBox(GTK_ORIENTATION_VERTICAL, 0, 5);
    gtk_container_add(GTK_CONTAINER(frame), frameBox);
    GtkWidget* scrolled = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_container_set_border_width(GTK_CONTAINER(scrolled), 0);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scrolled), GTK_POLICY_AUTOMATIC, GTK_POLICY_ALWAYS);
    gtk_box_pack_start(GTK_BOX(frameBox), scrolled, TRUE, TRUE, 0);
    GtkWidget* imageBox = newBox(GTK_ORIENTATION_VERTICAL, 0, 0);
    gtk_container_add(GTK_CONTAINER(scrolled), imageBox);  // through a viewport
    gtkcairo = gtk_image_new_from_pixbuf(pixbuf);
    gtk_box_pack_start(GTK_BOX(imageBox), gtkcairo, TRUE, TRUE, 0);
    gtk_widget_set_size_request(gtkcairo, 800, 310);
    gtk_widget_show(gtkcairo);
    previewMessage = gtk_label_new("");
    gtk_label_set_line_wrap(GTK_LABEL(previewMessage), TRUE);
    gtk_label_set_selectable(GTK_LABEL(previewMessage), TRUE);
    gtk_box_pack_start(GTK_BOX(imageBox), previewMessage, FALSE, FALSE, 10);
    gtk_widget_set_no_show_all(previewMessage, TRUE);

    GtkWidget* inputRow = newBox(GTK_ORIENTATION_HORIZONTAL, 5, 10);
    gtk_container_add(GTK_CONTAINER(column), inputRow);
    GtkWidget* fieldBox = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_box_pack_start(GTK_BOX(inputRow), fieldBox, FALSE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(fieldBox), newLabel(" Tn-type: "), FALSE, TRUE, 3);
    entryST = gtk_entry_new();
    gtk_entry_set_max_length(GTK_ENTRY(entryST), 200);
    g_signal_connect(entryST, "activate", G_CALLBACK(get_entry_value), reinterpret_cast<void*>(1L));
    gtk_box_pack_start(GTK_BOX(fieldBox), entryST, TRUE, TRUE, 3);
    gtk_widget_show(entryST);
    gtk_entry_set_text(GTK_ENTRY(entryST), "");
    gtk_box_pack_start(GTK_BOX(fieldBox), newLabel(" Cost\xC3\xA8re Code: "), FALSE, TRUE, 3);
    entryCO = gtk_entry_new();
    gtk_entry_set_max_length(GTK_ENTRY(entryCO), 200);
    g_signal_connect(entryCO, "activate", G_CALLBACK(get_entry_value), reinterpret_cast<void*>(2L));
    gtk_box_pack_start(GTK_BOX(fieldBox), entryCO, TRUE, TRUE, 3);
    gtk_widget_show(entryCO);
    gtk_entry_set_text(GTK_ENTRY(entryCO), "");
    gtk_box_pack_start(GTK_BOX(inputRow), gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0), FALSE, TRUE, 0);
    AttachReadingBar(inputRow);

    GtkWidget* controlRow = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_box_pack_start(GTK_BOX(column), controlRow, FALSE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(controlRow), newLabel("  Size:  "), FALSE, TRUE, 0);
    GtkAdjustment* adjustment = gtk_adjustment_new(PSsize, 0.25, 4.0, 0.1, 1.0, 0.0);
    spinner1 = gtk_spin_button_new(adjustment, 1.0, 2);
    gtk_spin_button_set_wrap(GTK_SPIN_BUTTON(spinner1), TRUE);
    g_signal_connect(spinner1, "value-changed", G_CALLBACK(get_spinner1_value), nullptr);
    gtk_box_pack_start(GTK_BOX(controlRow), spinner1, FALSE, TRUE, 0);
    AddPlayButton(controlRow);
    GtkWidget* save = gtk_button_new_with_label("   Save EPS   ");
    g_signal_connect(save, "clicked", G_CALLBACK(SaveEPSfile), nullptr);
    AttachSaveButton(save);
    gtk_box_pack_start(GTK_BOX(controlRow), save, TRUE, TRUE, 100);
    GtkWidget* quit = gtk_button_new_with_label(" QUIT ");
    g_signal_connect(quit, "clicked", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_box_pack_start(GTK_BOX(controlRow), quit, TRUE, TRUE, 100);

    gtk_widget_queue_draw(gtkcairo);
    gtk_widget_show(gtkcairo);
    gtk_widget_show_all(window);
}

#include "app/Shell.h"

#include <cstdio>

#include "app/Preview.h"
#include "page/FileOutput.h"
#include "page/HarmodexPage.h"
#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"

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

// The preview at 155 dots per inch per unit of the size factor.
double currentResolution() { return static_cast<double>(PSsize) * 155.0; }

void showPixbuf(GdkPixbuf* fresh)
{
    if (fresh) {
        // The image widget keeps its own reference; ours to the old page is
        // released here so memory stays flat over any number of requests.
        if (pixbuf)
            g_object_unref(pixbuf);
        pixbuf = fresh;
        gtk_image_set_from_pixbuf(GTK_IMAGE(gtkcairo), pixbuf);
        gtk_widget_hide(previewMessage);
        gtk_widget_queue_draw(gtkcairo);
        gtk_widget_show(gtkcairo);
    } else {
        gtk_label_set_text(GTK_LABEL(previewMessage), PreviewLastError().c_str());
        gtk_widget_show(previewMessage);
    }
}

void rasterise() { showPixbuf(getPixbufFromEPSpage(myVirtualPaper, currentResolution())); }

void showSaveFailureDialog(const std::string& path, const std::string& reason)
{
    GtkWidget* dialog = gtk_message_dialog_new(GTK_WINDOW(window), GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR,
                                               GTK_BUTTONS_CLOSE, "The page could not be saved.");
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(dialog), "%s\n\n%s", path.c_str(), reason.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), "Save EPS file");
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

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

bool (*ChooseSaveFileName)() = CreateFileSelectionGUI;
void (*ReportSaveFailure)(const std::string& path, const std::string& reason) = showSaveFailureDialog;

void CreateInitialPixbuf()
{
    pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, 1, 1);
    gdk_pixbuf_fill(pixbuf, 0xffffffff);
}

void get_entry_value(GtkWidget*, void* data)
{
    const long which = reinterpret_cast<long>(data);
    GtkWidget* field = which == 1 ? entryST : which == 2 ? entryCO : nullptr;
    if (!field)
        return;
    const std::string text = gtk_entry_get_text(GTK_ENTRY(field));

    std::vector<int> list = ReadSetText(text);
    if (list.empty()) {
        // Nothing to analyse: the page shown stays shown and saveable, and
        // the fields keep what the user typed.
        gtk_widget_error_bell(field);
        return;
    }
    MyPCset.initializeSet(list);

    const std::string tnText = VectorToString(MyPCset.getTnType());
    const int page = FindSetID(tnText, aPu) + 1;
    if (page >= 1 && page <= PitchUniverse::NumTnTypes) {
        myVirtualPaper.clear();
        myVirtualPaper = DrawHarmodexPage(page, tnText, 0, 0);
        rasterise();
    }

    gtk_entry_set_text(GTK_ENTRY(entryST), VectorToStringPC(MyPCset.getTnType()).c_str());
    gtk_entry_set_text(GTK_ENTRY(entryCO), calculateAdjCostereNumber(MyPCset.getTnType()).c_str());
}

void get_spinner1_value(GtkWidget*, void*)
{
    PSsize = static_cast<float>(gtk_spin_button_get_value(GTK_SPIN_BUTTON(spinner1)));
    if (!myVirtualPaper.empty())
        rasterise();
}

bool CreateFileSelectionGUI()
{
    FileNameXX = std::string("xxx0") + "0001" + ".eps";
    GtkWidget* dialog = gtk_file_chooser_dialog_new("Save EPS file as:", GTK_WINDOW(window), GTK_FILE_CHOOSER_ACTION_SAVE,
                                                    "_Cancel", GTK_RESPONSE_CANCEL, "_Save", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
    gchar* folder = g_get_current_dir();
    gtk_file_chooser_set_current_folder(chooser, folder);
    g_free(folder);
    gtk_file_chooser_set_current_name(chooser, FileNameXX.c_str());
    bool accepted = false;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        gchar* chosen = gtk_file_chooser_get_filename(chooser);
        if (chosen) {
            FileNameXX = chosen;  // the whole path, whatever its length
            accepted = true;
            g_free(chosen);
        }
    }
    gtk_widget_destroy(dialog);
    return accepted;
}

bool WritePageFile(const std::string& path, const std::string& text, std::string* error)
{
    return WriteFileAtomically(path, text + "\n", error);
}

void SaveEPSfile(GtkWidget*, void*)
{
    if (!ChooseSaveFileName())
        return;  // cancelled: nothing is written
    std::string error;
    if (!WritePageFile(FileNameXX, myVirtualPaper, &error))
        ReportSaveFailure(FileNameXX, error);
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

    GtkWidget* controlRow = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_box_pack_start(GTK_BOX(column), controlRow, FALSE, TRUE, 0);
    gtk_box_pack_start(GTK_BOX(controlRow), newLabel("  Size:  "), FALSE, TRUE, 0);
    GtkAdjustment* adjustment = gtk_adjustment_new(PSsize, 0.25, 4.0, 0.1, 1.0, 0.0);
    spinner1 = gtk_spin_button_new(adjustment, 1.0, 2);
    gtk_spin_button_set_wrap(GTK_SPIN_BUTTON(spinner1), TRUE);
    g_signal_connect(spinner1, "value-changed", G_CALLBACK(get_spinner1_value), nullptr);
    gtk_box_pack_start(GTK_BOX(controlRow), spinner1, FALSE, TRUE, 0);
    GtkWidget* save = gtk_button_new_with_label("   Save EPS   ");
    g_signal_connect(save, "clicked", G_CALLBACK(SaveEPSfile), nullptr);
    gtk_box_pack_start(GTK_BOX(controlRow), save, TRUE, TRUE, 100);
    GtkWidget* quit = gtk_button_new_with_label(" QUIT ");
    g_signal_connect(quit, "clicked", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_box_pack_start(GTK_BOX(controlRow), quit, TRUE, TRUE, 100);

    gtk_widget_queue_draw(gtkcairo);
    gtk_widget_show(gtkcairo);
    gtk_widget_show_all(window);
}

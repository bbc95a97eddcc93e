#include "app/Export.h"

#include "app/Window.h"
#include "postscript/FileOutput.h"

namespace {

void showSaveFailureDialog(const std::string& path, const std::string& reason)
{
    GtkWidget* dialog = gtk_message_dialog_new(GTK_WINDOW(window), GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR,
                                               GTK_BUTTONS_CLOSE, "The page could not be saved.");
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(dialog), "%s\n\n%s", path.c_str(), reason.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), "Save EPS file");
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

} // namespace

bool (*ChooseSaveFileName)() = CreateFileSelectionGUI;
void (*ReportSaveFailure)(const std::string& path, const std::string& reason) = showSaveFailureDialog;

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


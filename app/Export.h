#ifndef HARMODEX_APP_EXPORT_H
#define HARMODEX_APP_EXPORT_H

// Saving the shown page: the save dialog, the file written, and what the
// user is told when it cannot be written.

#include <string>

#include <gtk/gtk.h>

// "clicked" of the save button.
void SaveEPSfile(GtkWidget* widget, void* data);
// Runs the save dialog; true when the user accepted a name (left in FileNameXX).
bool CreateFileSelectionGUI();

// Writes text and one newline to path, through a temporary file in the same
// folder that replaces path only once completely written. False, with the
// reason in *error, when it cannot.
bool WritePageFile(const std::string& path, const std::string& text, std::string* error);

// The two dialogs of saving can be replaced (tests drive saving without a
// modal dialog): choosing the name (by default CreateFileSelectionGUI) and
// reporting a failure (by default a modal message naming path and reason).
extern bool (*ChooseSaveFileName)();
extern void (*ReportSaveFailure)(const std::string& path, const std::string& reason);

#endif

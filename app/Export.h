#ifndef HARMODEX_APP_EXPORT_H
#define HARMODEX_APP_EXPORT_H

// Saving the shown page: the save dialog with one filter per file type, the
// file written in the type chosen, and what the user is told when it cannot
// be written.

#include <cstddef>
#include <string>

#include <gtk/gtk.h>

// One file type the page can be saved as. The first row is the default.
struct SaveFormat {
    const char* filterName;  // as the dialog lists it
    const char* extension;   // without the dot
    // The file's bytes for the page shown (its number, set, composed text).
    // Throws std::runtime_error with a plain message on failure.
    std::string (*bytes)(int page, const std::string& tnText, const std::string& composed);
};
extern const SaveFormat kSaveFormats[];
extern const size_t kSaveFormatCount;

// The row whose extension the file name has (any case); false when none.
bool SaveFormatForName(const std::string& path, size_t* row);

// "clicked" of the save button.
void SaveEPSfile(GtkWidget* widget, void* data);
// Runs the save dialog; true when the user accepted a name (left in
// FileNameXX, the filter then chosen in SaveFilterRow).
bool CreateFileSelectionGUI();
extern size_t SaveFilterRow;

// The save button is insensitive until there is a page to save: the window
// hands it over once built, and the page request reports each page shown.
void AttachSaveButton(GtkWidget* button);
void PageIsSaveable();

// The two dialogs of saving can be replaced (tests drive saving without a
// modal dialog): choosing the name (by default CreateFileSelectionGUI) and
// reporting a failure (by default a modal message naming path and reason).
extern bool (*ChooseSaveFileName)();
extern void (*ReportSaveFailure)(const std::string& path, const std::string& reason);

#endif

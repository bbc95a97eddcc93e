#ifndef HARMODEX_APP_EXPORT_H
#define HARMODEX_APP_EXPORT_H

// Saving the shown page: the save dialog with one filter per file type, the
// file written in the type chosen, and what the user is told when it cannot
// be written.

#include <cstddef>
#include <string>

#include "app/AppWindow.h"

// One file type the page can be saved as. The first row is the default.
struct SaveFormat {
    const char* filterName;  // as the dialog lists it
    const char* extension;   // without the dot
    // The file's bytes for the page shown (its number, set, composed text).
    // Throws harmodex::Error with a plain message on failure.
    std::string (*bytes)(int page, const std::string& tnText, const std::string& composed);
};
extern const SaveFormat kSaveFormats[];
extern const size_t kSaveFormatCount;

// The row whose extension the file name has (any case); false when none.
bool SaveFormatForName(const std::string& path, size_t* row);

// The path with the extension of that row added when it has none of the
// types' extensions ("page" and PNG give "page.png"; "page.pdf" stays).
std::string WithSaveExtension(const std::string& path, size_t row);

// Saves the shown page: asks for a name (w.save.chooseFileName), then
// writes the file in the type of the typed extension, else of the filter
// (whose extension a name without one then takes).
void SaveShownPage(AppWindow& w);
// The save dialog; true when the user accepted a name (left in
// w.save.chosenPath, the filter then chosen in w.save.filterRow).
bool RunSaveDialog(AppWindow& w);

// Tells the user, in a modal dialog over the window titled as the command
// ("Save page"), what could not be done ("The page could not be saved.")
// and why.
void ShowPageFailure(GtkWidget* window, const char* title, const char* what, const std::string& why);

// Saving, printing and copying are possible once there is a page: the
// win.save action (and the Save button bound to it), win.print and the copy
// actions are enabled accordingly.
void PageIsSaveable(AppWindow& w);

#endif

#ifndef HARMODEX_APP_SHELL_H
#define HARMODEX_APP_SHELL_H

// The Harmodex window: two input fields, the page preview, the size spinner
// and the save button. Everything runs in GTK signal handlers on the main
// thread.

#include <string>

#include <gtk/gtk.h>

#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"

extern GtkWidget* window;
extern GtkWidget* gtkcairo;
extern GdkPixbuf* pixbuf;
extern GtkWidget* entryST;
extern GtkWidget* entryCO;
extern GtkWidget* spinner1;
extern float PSsize;
extern std::string FileNameXX;
extern std::string myVirtualPaper;
extern PitchClassSet MyPCset;
extern const PitchUniverse& aPu;

// Label in the preview area that explains, in plain words, why no image can
// be shown (hidden while the page shows).
extern GtkWidget* previewMessage;

// Creates the 1 x 1 pixbuf the preview shows before the first page.
void CreateInitialPixbuf();
// Builds the window and its widget tree and shows it.
void BuildMainWindow();

// "activate" of a field: user data 1 reads the Tn-type field, 2 the Costère
// field.
void get_entry_value(GtkWidget* widget, void* data);
// "value-changed" of the size spinner: re-rasterise the current page.
void get_spinner1_value(GtkWidget* widget, void* data);
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

#ifndef HARMODEX_APP_WINDOW_H
#define HARMODEX_APP_WINDOW_H

// The Harmodex window: two input fields, the page preview, the size spinner
// and the save and quit buttons. This file builds the widget tree and holds
// the window's state; what the widgets do lives beside it, one file per
// concern: PageRequest (turning a request into the shown page),
// PreviewWorker (rendering away from the GUI thread), Navigation (flipping
// pages), Shortcuts (the keyboard) and Export (saving).

#include <string>

#include <gtk/gtk.h>

#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"

extern GtkWidget* window;
extern GtkWidget* gtkcairo;
extern GtkWidget* entryST;
extern GtkWidget* entryCO;
extern GtkWidget* spinner1;
extern float PSsize;
extern std::string FileNameXX;
extern std::string myVirtualPaper;
extern PitchClassSet MyPCset;
extern const PitchUniverse& aPu;

// Label in the preview area: what to do before the first page, and later,
// in plain words, why no image can be shown (hidden while a page shows).
extern GtkWidget* previewMessage;
// The scrolled area holding the preview.
extern GtkWidget* previewScroll;
// Turns while a preview is being made (the previous image stays meanwhile).
extern GtkWidget* busyIndicator;
// The row of the size spinner and the buttons, a plain horizontal GtkBox.
extern GtkWidget* controlRow;
extern GtkWidget* saveButton;

// What the empty preview says.
extern const char* const kEmptyPreviewHint;

// Builds the window and its widget tree and shows it, focus in the Tn-type
// field.
void BuildMainWindow();

#endif

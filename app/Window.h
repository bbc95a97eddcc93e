#ifndef HARMODEX_APP_WINDOW_H
#define HARMODEX_APP_WINDOW_H

// The Harmodex window: two input fields, the page preview, the size spinner
// and the save and quit buttons. This file builds the widget tree and holds
// the window's state; what the widgets do lives beside it, one file per
// concern: PageRequest (turning a typed set into the shown page) and Export
// (saving).

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

#endif

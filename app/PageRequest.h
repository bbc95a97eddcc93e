#ifndef HARMODEX_APP_PAGEREQUEST_H
#define HARMODEX_APP_PAGEREQUEST_H

// What happens when the user asks for a page: a set typed into one of the
// two fields, a page flipped to, or a new size for the preview. The preview
// is made by a worker thread; the window keeps answering meanwhile and
// shows the previous image until the new one is ready.

#include <cstddef>
#include <string>

#include <cairo.h>
#include <gtk/gtk.h>

// "activate" of a field: user data 1 reads the Tn-type field, 2 the Costère
// field.
void get_entry_value(GtkWidget* widget, void* data);
// "value-changed" of the size spinner: re-rasterise the current page.
void get_spinner1_value(GtkWidget* widget, void* data);

// Asks for page 1 to 351 of the catalogue: both fields are rewritten (the
// Tn-type and its Costère code) and its preview is requested.
void RequestPage(int page);
// The page asked for last (0 before the first request).
int CurrentPage();

// Called once each time a new page becomes the shown one (its text in
// myVirtualPaper, ready to be saved): the title names it. Other concerns of
// the window react to a new page here.
void OnPageShown();

// The preview shown (a borrowed reference; nullptr before the first page).
cairo_surface_t* ShownPreview();
// True while the preview asked for last is still being made.
bool PreviewPending();
// Pixels held by the cache of rendered previews, and its bound.
std::size_t PreviewCacheBytes();
std::size_t PreviewCacheBound();
// True when the image of page at the current size and scale is ready.
bool PreviewReady(int page);
// Whether the pages on either side of the shown one are prepared in the
// background (on by default).
void SetPreparingNeighbours(bool on);
// Renders started by the worker so far.
int PreviewRendersStarted();
// Asks again for the current page after the screen's scale factor changed.
void RefreshPreviewForScale();
// Ends the worker (after the last render under way); before the image
// library stops.
void StopPreviews();

// The window's title for a page ("Tn-type Harmodex — page 24 · 3-11b (0 4 7)").
std::string PageTitle(int page);

#endif

#ifndef HARMODEX_APP_PAGEREQUEST_H
#define HARMODEX_APP_PAGEREQUEST_H

// What happens when the user asks for a page: a set typed into one of the
// two fields, a page flipped to, or a new size for the preview. The preview
// is made by a worker thread; the window keeps answering meanwhile and
// shows the previous image until the new one is ready.

#include <cstddef>
#include <string>

#include <gtk/gtk.h>

#include "app/AppWindow.h"

// Connects the two fields ("activate") and the size spinner
// ("value-changed") to the requests below.
void ConnectPageRequests(AppWindow& w);

// Reads the text of the Tn-type field, or of the Costère field, as the
// design's fields read it, and asks for the page of its Tn-type.
void RequestTypedSet(AppWindow& w, bool costereField);

// Asks for page 1 to 351 of the catalogue: both fields are rewritten (the
// Tn-type and its Costère code) and its preview is requested.
void RequestPage(AppWindow& w, int page);

// Asks for the shown page again at the size the spinner holds, or after
// the screen's scale factor changed.
void RefreshPreview(AppWindow& w);

// True when the image of page at the current size and scale is ready.
bool PreviewReady(AppWindow& w, int page);
// Starts making the image of page at the current size in the background,
// before it is asked for: the keys held on a MIDI keyboard name the page
// they are likely to settle on. Not in history; nothing when the image is
// kept already or another is still awaited.
void AnticipatePage(AppWindow& w, int page);
// Whether the pages on either side of the shown one are prepared in the
// background (on by default).
void SetPreparingNeighbours(AppWindow& w, bool on);
// Renders started by the worker so far.
int PreviewRendersStarted(const AppWindow& w);
// Ends the worker (after the last render under way) and lets go of the
// images; before the image library stops.
void StopPreviews(AppWindow& w);

// The window's title for a page ("Tn-type Harmodex — page 24 · 3-11b (0 4 7)").
std::string PageTitle(const PitchUniverse& universe, int page);

#endif

#ifndef HARMODEX_APP_ZOOM_H
#define HARMODEX_APP_ZOOM_H

// The page's size on screen: a size typed into the spinner or stepped to,
// or fitted to the preview's width or to the whole page. A fit mode follows
// the window as it is resized; typing a size or zooming leaves it. The
// spinner always shows the size in use, the fitted one included.

#include <gtk/gtk.h>

#include "app/AppWindow.h"

// The largest size (in hundredths, from the spinner's range) at which the
// page fits a room of the given logical pixels: its width alone, or its
// width and height. Fitting nothing (FitMode::None) gives 1.0.
double FittedSize(int roomWidth, int roomHeight, FitMode mode);

// The header bar's two fit buttons (Fit Width, Fit Page), bound to win.fit.
void AddFitButtons(AppWindow& w);

// Adds win.fit (a string state: "none", "width" or "page"), refits after a
// resize (debounced), leaves fit mode when the size is set otherwise, and
// keeps the point under the pointer while zooming with the wheel.
void InstallZoom(AppWindow& w);

// Sets the fit mode; a fit mode fits at once.
void SetFitMode(AppWindow& w, FitMode mode);

// Called before a zoom with the wheel, with the pointer's place on the
// screen: the point of the page under it stays under it once the page at
// its new size is shown. Forgotten when the size does not change.
void AnchorZoomAtPointer(AppWindow& w, double rootX, double rootY);
void ForgetZoomAnchor(AppWindow& w);

// Removes the pending refit; done when the window closes.
void StopZoom(AppWindow& w);

#endif

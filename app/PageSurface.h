#ifndef HARMODEX_APP_PAGESURFACE_H
#define HARMODEX_APP_PAGESURFACE_H

// The page as a surface one moves on, as in a document viewer: a click
// gives it the focus (a ring around the preview shows it), the arrows
// scroll, Home and End go to the top and the bottom, Space and Shift+Space
// scroll by a screen and carry on to the next or the previous page at the
// end, and dragging with the primary button pans. PageUp and PageDown stay
// the window's keys for flipping pages.
//
// Only the primary button's press, motion and release, the keys and the
// focus are handled here; every event is let through to other handlers on
// the same surface (a context menu, tooltips).

#include <gtk/gtk.h>

#include "app/AppWindow.h"

void AttachPageSurface(AppWindow& w);

// What a key does on the page (keyval and modifier state as in the event);
// true when it was one of the page's keys. Tests call it as a key press.
bool PageSurfaceKey(AppWindow& w, guint keyval, GdkModifierType state);

#endif

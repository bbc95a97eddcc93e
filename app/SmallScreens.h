#ifndef HARMODEX_APP_SMALLSCREENS_H
#define HARMODEX_APP_SMALLSCREENS_H

// The window on a small screen. The design gives Save and QUIT a wide
// padding (100 pixels on either side); where the window has no room for it,
// the padding shrinks so that every control stays on screen, and comes back
// as the window grows.

#include "app/AppWindow.h"

// The padding around each of the two buttons when the row has room pixels
// and its controls need needed pixels without padding: the room left,
// shared by the four sides, up to the designed 100.
int ControlPaddingFor(int room, int needed);

void AdaptToSmallScreens(AppWindow& w);

// Before the window is first shown: its size less the header bar and the
// frame is what the screen's work area holds (a window's size leaves its
// header bar out, so a window sized to the screen would reach below it).
void KeepOpeningSizeOnScreen(AppWindow& w);

// Removes the pending adjustment; done when the window closes.
void StopAdaptingToSmallScreens(AppWindow& w);

#endif

#ifndef HARMODEX_APP_PAGEHOVER_H
#define HARMODEX_APP_PAGEHOVER_H

// Explanations where the pointer rests over the page: a tooltip naming the
// block and the cell or line under the pointer, and a double-click that
// opens the guide at that block's section. A single click is left to the
// page's focus and dragging.

#include <string>

#include "app/AppWindow.h"
#include "app/PagePointer.h"

// Connects the tooltip and the double-click to the page surface.
void ConnectPageHover(AppWindow& w);

// Where the shown image lies in the page surface and at what size.
PreviewPlacement ShownPlacement(const AppWindow& w);

// What the shown page holds under the pointer at (x, y) of the page
// surface; empty when no page is shown or nothing lies there.
PageSpot SpotUnderPointer(const AppWindow& w, double x, double y);

#endif

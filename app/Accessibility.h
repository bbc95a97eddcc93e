#ifndef HARMODEX_APP_ACCESSIBILITY_H
#define HARMODEX_APP_ACCESSIBILITY_H

// The window for a screen reader and the keyboard: every control named and
// explained, the focus running fields, size, buttons, page, side panel, and
// the page itself given as text.

#include <string>

#include "app/AppWindow.h"

// Names the controls, gives them tooltips and sets the order of the focus.
// Called once the widget tree is built.
void MakeWindowAccessible(AppWindow& w);

// The shown page as plain text, one fact a line (empty before the first
// page), as harmodex-cli describe prints it.
std::string ShownPageText(const AppWindow& w);

// Gives the page surface and its image the window's title as their name
// and the page's text as their description; called whenever the shown page
// changes.
void DescribeShownPage(AppWindow& w);

// win.copy-text: puts the shown page's text on the clipboard.
void CopySetAsText(AppWindow& w);

#endif

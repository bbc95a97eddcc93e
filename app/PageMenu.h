#ifndef HARMODEX_APP_PAGEMENU_H
#define HARMODEX_APP_PAGEMENU_H

// The page's context menu: Copy Image, Copy Set, Save…, Print…, Play, each
// bound to the window's action of that name. It opens at the pointer on a
// right click over the page, and at the preview's top left corner from the
// Menu key or Shift+F10 while the page has the focus.

#include "app/AppWindow.h"

// The menu's model: what it offers, in order.
GMenuModel* NewPageMenuModel();

// Builds the menu and wires it to the page surface.
void AttachPageMenu(AppWindow& w);

#endif

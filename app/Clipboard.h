#ifndef HARMODEX_APP_CLIPBOARD_H
#define HARMODEX_APP_CLIPBOARD_H

// Copying the shown page: as an image (the preview's pixels) and as its
// identity line in text, "24 · 3-11b · 0 4 7 · 13.12.14" (page, Forte name,
// Tn-type, Costère code), both offered on the one clipboard so that an image
// editor takes the picture and a text editor the line.

#include <string>

#include "app/AppWindow.h"

// The identity line of a page of the catalogue (1 to 351); "" for another
// number.
std::string PageIdentityLine(int page);

// What goes on the clipboard: the image and the line, or the line alone.
enum class PageCopy { ImageAndText, TextOnly };

// Puts the shown page on the clipboard; a bell when there is no page yet.
void CopyShownPage(AppWindow& w, PageCopy what);

// Ctrl+C copies the page only while the page has the focus, so that the
// fields keep their own copying: win.copy is enabled while the page surface
// is focused and a page is shown. Wires the focus signals.
void AttachPageCopying(AppWindow& w);

// Enables or disables win.copy, win.copy-image and win.copy-set for the
// page shown and the focus; called whenever either changes.
void UpdateCopyActions(AppWindow& w);

#endif

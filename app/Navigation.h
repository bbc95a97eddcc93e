#ifndef HARMODEX_APP_NAVIGATION_H
#define HARMODEX_APP_NAVIGATION_H

// Reading the book: the next and previous page of the catalogue, the first
// and the last, "go to" a page by number or by set, and Back and Forward
// through the pages seen.

#include <string>

#include "app/AppWindow.h"

// One page on or back, stopping at 1 and 351 with a bell (from no page:
// page 1).
void NextPage(AppWindow& w);
void PreviousPage(AppWindow& w);
void FirstPage(AppWindow& w);
void LastPage(AppWindow& w);

// The page a go-to text names, or 0 when it names none: a page number 1 to
// 351 (also written "p24", "page 24" or "#24"), else any set the set reader
// understands, whose Tn-type's page it is.
int ReadGoToText(const PitchUniverse& universe, const std::string& text);

// Asks for a page number or a set in a small dialog and goes there.
void ShowGoToPrompt(AppWindow& w);

// Back and Forward: a page the user asked for goes into the history (called
// for every page requested); going back or forward shows the page before or
// after it there (at once when its image is still cached), with a bell at
// either end.
void VisitInHistory(AppWindow& w, int page);
void GoBack(AppWindow& w);
void GoForward(AppWindow& w);
// The arrow buttons at the start of the header bar (bound to win.back and
// win.forward) and the mouse's back and forward buttons over the window.
void AttachHistoryControls(AppWindow& w);
// Enables win.back and win.forward as the history allows.
void UpdateHistoryActions(AppWindow& w);

#endif

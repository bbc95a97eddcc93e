#ifndef HARMODEX_APP_READINGBAR_H
#define HARMODEX_APP_READINGBAR_H

// The reading bar: a non-modal bar above the input row. The fields read
// their text literally (a plain list or a Costère code) and that reading
// decides the page; the bar says when a musician probably meant something
// else ("0,4,7" is read as 0) and offers the other reading behind a button,
// explains what is accepted when nothing sensible was typed, and names the
// transposition typed when the set is not its Tn-type itself ("7 11 2 = T7
// of 0 4 7"), since the fields are then rewritten to the Tn-type.

#include <string>
#include <vector>

#include <gtk/gtk.h>

#include "app/AppWindow.h"

struct ReadingNotice {
    std::string message;       // empty: nothing to say, the bar is hidden
    std::vector<int> offered;  // the other reading the button shows; empty: no button
    GtkMessageType kind = GTK_MESSAGE_INFO;
};

// What the bar says about text typed into the Tn-type field or (costereField)
// the Costère field.
ReadingNotice NoticeForTypedText(const std::string& text, bool costereField);

// Builds the bar (hidden) and places it just above the window's input row.
void AttachReadingBar(AppWindow& w);
// Shows or hides the bar for a request made with text; each request replaces
// what the bar said about the one before.
void UpdateReadingBar(AppWindow& w, const std::string& text, bool costereField);
// Hides the bar: a page asked for otherwise than by typing (flipping, going
// to a page) leaves nothing to say about the text typed before.
void HideReadingBar(AppWindow& w);

#endif

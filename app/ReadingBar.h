#ifndef HARMODEX_APP_READINGBAR_H
#define HARMODEX_APP_READINGBAR_H

// The reading bar: a non-modal bar above the input row. The fields read
// their text literally (a plain list or a Costère code) where that reading
// takes the whole text; a text it cannot take whole but the set reader
// understands ("0,4,7", "C E G", "3-11", "p24") is read as the reader reads
// it, as Ctrl+G reads it. The bar says how the text was read and offers the
// other reading behind a button (also when both readings take the text, as
// "047" or a bare "39" in the Costère field), and names the transposition
// typed when the set is not its Tn-type itself ("7 11 2 = T7 of 0 4 7"),
// since the fields are then rewritten to the Tn-type. A text nothing reads
// leaves the page as it is; a small label beside the fields says what they
// accept.

#include <string>
#include <vector>

#include <gtk/gtk.h>

#include "app/AppWindow.h"

struct ReadingNotice {
    std::string message;       // empty: nothing to say, the bar is hidden
    std::vector<int> offered;  // the other reading the button shows; empty: no button
    GtkMessageType kind = GTK_MESSAGE_INFO;
};

// How a text typed into the Tn-type field or (costereField) the Costère
// field is read.
struct TypedTextReading {
    std::vector<int> set;      // the set asked for, as typed; empty: nothing reads the text
    ReadingNotice notice;      // what the bar says
    std::string fieldMessage;  // what the label beside the fields says when nothing reads the text
    std::string fieldDetail;   // and its tooltip: why, in the reader\'s words
};
TypedTextReading ReadTypedText(const std::string& text, bool costereField);

// What the bar says about a typed text (ReadTypedText's notice).
ReadingNotice NoticeForTypedText(const std::string& text, bool costereField);

// Builds the bar (hidden) and places it just above the window's input row.
void AttachReadingBar(AppWindow& w);
// Shows or hides the bar and the label beside the fields for a reading of
// a typed text; each request replaces what they said about the one before.
void ShowTypedTextReading(AppWindow& w, const TypedTextReading& reading);
// Hides the bar: a page asked for otherwise than by typing (flipping, going
// to a page) leaves nothing to say about the text typed before.
// The label beside the fields goes too.
void HideReadingBar(AppWindow& w);

#endif

#ifndef HARMODEX_APP_PITCHINPUT_H
#define HARMODEX_APP_PITCHINPUT_H

// Taking a set the way it is taught: on the pitch-class clock (the circle of
// twelve, 0 at the top, clockwise) and on a piano strip of two octaves. Both
// sit in a revealer at the end of the field row, shown by win.pitch-input
// (F8). Clicking a pitch class toggles it and asks for the page at once,
// through the same road as a typed set; both show the set asked for, and
// when that is a transposition of its Tn-type, the Tn-type is marked beside
// it. Notes held on a MIDI keyboard are shown apart from both.
//
// Every toggle is a real GtkToggleButton drawn with cairo: each has its own
// accessible object ("Pitch class 4, E, on"), takes the focus and toggles
// with Space. One toggle of the clock, and one key of the strip, is in the
// Tab order at a time; the arrows move between them.

#include <string>

#include <gtk/gtk.h>

#include "app/AppWindow.h"

struct PitchInput {
    GtkWidget* revealer = nullptr;  // beside the fields, holding the clock and the strip
    GtkWidget* toggle = nullptr;    // the button at the end of the field row, bound to win.pitch-input
    GtkWidget* pair = nullptr;      // a box of the clock and the strip, side by side or one above the other
    GtkWidget* clock = nullptr;
    GtkWidget* strip = nullptr;
    GtkWidget* clockToggles[12] = {};
    GtkWidget* keys[24] = {};  // the strip's keys, lowest first: C4 to B5

    unsigned lit = 0;       // the set asked for, as typed (bit i = pitch class i)
    unsigned marked = 0;    // its Tn-type, when the set asked for is another transposition; else 0
    unsigned held = 0;      // the notes held on a MIDI keyboard
    bool updating = false;  // the toggles are being set to the window's state, not by the user
};

// The clock's side and the strip's size, in logical pixels.
constexpr int kPitchClockSide = 140;
constexpr int kPianoWhiteKeyWidth = 10;
constexpr int kPianoWhiteKeyHeight = 56;

// Builds the clock, the strip, their revealer (hidden) and the toggle button
// into the field row, and adds the stateful action win.pitch-input.
void AttachPitchInput(AppWindow& w);

// Lights the set asked for last (w.typedSet) and marks its Tn-type; called
// whenever a page is asked for, however.
void ShowRequestedPitchClasses(AppWindow& w);

// Lights the notes held on a MIDI keyboard (bit i = pitch class i) on the
// clock and the strip, apart from the set asked for; 0 clears them.
void ShowHeldPitchClasses(AppWindow& w, unsigned mask);

// Asks for the page of a set as a click on the clock does: the set is
// written into the Tn-type field and read as if typed there. An empty set
// leaves the page and the fields as they are and only clears the clock.
void RequestPitchClasses(AppWindow& w, unsigned mask);

// The shared parts of the clock and the strip (PitchClock.cpp,
// PianoStrip.cpp): the note name of a pitch class ("C\u266F/D\u266D"), and a
// toggle wired to toggle its pitch class, named for assistive technology
// and moving the focus with the arrows within its group.
const char* PitchClassName(int pc);
GtkWidget* NewPitchToggle(AppWindow& w, int pc, const std::string& name, GtkWidget* const* group, int groupSize,
                          int index);
GtkWidget* NewPitchClock(AppWindow& w);
GtkWidget* NewPianoStrip(AppWindow& w);
// Sets a toggle's accessible name from its state.
void NamePitchToggle(GtkWidget* toggle);

// How the clock and the strip colour a pitch class, from the theme.
struct PitchColours {
    GdkRGBA lit, litText, mark, held, face, line;
};
PitchColours ColoursOf(GtkWidget* widget);

#endif

// A pitch-class set written on a short five-line staff, the roster of its 24
// transformations, and the staff furniture (staff lines, barlines).
#ifndef HARMODEX_NOTATION_NOTATIONBOX_H
#define HARMODEX_NOTATION_NOTATIONBOX_H

#include <cstdio>
#include <vector>

// Writes one staff whose bottom line starts at (x, y), lines 0.252 * size
// apart: clef, then one note per token of pitchText in input order, each with
// its accidental (naturals included), ledger lines and a small pitch-class
// label, closed by barlines at both ends.
//
// pitchText: tokens separated by spaces; "d" is 10, "u" is 11, any other
// token is read like atoi (no digits gives 0). Texts of any length and any
// number of tokens are written whole.
// mode 0 transposes (pitch = token + t); mode 1 inverts (pitch = -12 - token
// for t = 0, else (t - 12) - token); any other mode takes the token as the
// pitch (0 = middle C). The staff is in the bass clef when some pitch is
// negative, else in the treble clef. A pitch beyond the piano keyboard
// (A0 to C8) is brought onto it by octaves.
// A note whose pitch class belongs to the given set gets an open head, any
// other a black head: under T0 every head is open.
void MakeNotationBox(FILE* out, const char* pitchText, int mode, int t, float x, float y, float size);

// The sounding pitches (semitones from middle C) of the notes MakeNotationBox
// writes for the same pitchText, mode and t, in the order written; the staff
// is in the bass clef exactly when one of them is negative. Sound and
// notation exports take their notes from here, so they cannot disagree with
// the page.
std::vector<int> StaffPitches(const char* pitchText, int mode, int t);

// The roster of a set: the twelve transpositions T0..T11 in a left column and
// the twelve inversions I0..I11 in a right one, T11 and I11 at the bottom,
// rows 0.6 inch * scale apart, inside a frame whose lower left corner is
// (x, y). The staff size is 20 * scale.
void PrintSetRosterNotation(FILE* out, const char* pitchText, float x, float y, float scale);

// Staff lines of the given length from x: one line (the middle line of a
// staff, y + 0.504 * size) when lines is 1, else |lines| lines from y upwards,
// 0.252 * size apart.
void Print_Pentagram(FILE* out, int lines, float x, float y, float size, float length);

// A barline at x from y to y + height.
void Print_Barline(FILE* out, float x, float y, float size, float height);

#endif

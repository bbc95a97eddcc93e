// Staff positions and note spelling.
//
// A pitch is a signed number of semitones from middle C (0 = C4). To write it
// on a staff it needs a letter name, an accidental and a height. The whole
// staff is spelled from one reference note: every pitch takes the spelling
// that makes its interval from the reference the simplest diatonic one (a
// semitone above C is D flat, the tritone above C is F sharp, the tritone
// below C is G flat).
#ifndef HARMODEX_NOTATION_SPELLING_H
#define HARMODEX_NOTATION_SPELLING_H

#include <vector>

// The reference value that means "no reference": every pitch keeps its usual
// spelling (used for the twelve-note aggregate, which has no tonal centre).
constexpr int kNoSpellingReference = 666;

// Where a note goes on the staff: its height above the bottom staff line, in
// points, and the name of the accidental glyph drawn before it ("natural",
// "sharp", "flat", "double_sharp" or "double-flat"). Every note gets an
// accidental, the natural sign included.
struct NotePlacement {
    float y = 0.0f;
    const char* accidental = "natural";
};

// p brought into 0..11 (for every int, negative values included).
int Mod12equivalent(int p);

// True for the white keys: pitch classes 0, 2, 4, 5, 7, 9 and 11.
bool IsNaturalNote(int p);

// The spelling flag of a pitch read from the reference: 0 for the pitch
// class's usual spelling (C, C sharp, D, E flat, E, F, F sharp, G, G sharp,
// A, B flat, B), 1 for its enharmonic alternative (B sharp, D flat, C double
// sharp, D sharp, F flat, E sharp, G flat, F double sharp, A flat, B double
// flat, A sharp, C flat). Intervals of an octave or more, unison, and the
// reference kNoSpellingReference give 0.
int DecideSpelling(int reference, int pitch);

// A pitch written as a musician names it: its letter ('A' to 'G'), the
// alteration of that letter in semitones (-2 double flat to +2 double sharp)
// and its octave number, middle C being C4. B sharp 3 sounds as middle C,
// C flat 5 as the B above it.
struct SpelledPitch {
    char letter = 'C';
    int alter = 0;
    int octave = 4;
};

// The pitch spelled by DecideSpelling(reference, pitch): the note
// PitchToYpos places on the staff.
SpelledPitch SpellPitch(int pitch, int reference);

// The placement of a pitch on a staff whose five lines are 0.252 * size
// apart, spelled by DecideSpelling(reference, pitch). clef is "treble_clef"
// (bottom line E4; the notation writes C4 to B5 there) or "bass_clef" (bottom
// line G2; C sharp 2 to C4). Pitches beyond those ranges are placed by the
// same rule, with as many ledger lines as they need, so any pitch has a
// place. Any other clef is a programming error: it is reported on standard
// error ("ERROR: no such clef %d", with the clef's glyph id) and the process
// ends with exit status -1.
NotePlacement PitchToYpos(int pitch, float size, int reference, const char* clef);

// The spelling reference of a staff: the pitches in input order (after any
// transposition or inversion) give one reference pitch, found by looking for
// a triad, a fifth or fourth, a whole-tone collection, an augmented triad or
// a diminished chord, in that order of preference, and otherwise the first
// pitch. Twelve notes, and no notes at all, give kNoSpellingReference.
int ChooseSpellingReference(const std::vector<int>& pitches);

#endif

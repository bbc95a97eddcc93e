#ifndef HARMODEX_PCSET_SETREADER_H
#define HARMODEX_PCSET_SETREADER_H

// Sets as musicians write them. The two input fields read their text
// literally (ReadSetText: a plain list or a Costère code), and that reading
// decides the page. This reader sits beside it and understands the other
// usual ways of writing a set, so that the command line can accept them and
// the window can say when the literal reading is probably not what was meant:
//
//   pitch-class lists   0 4 7 · 0,4,7 · [0,4,7] · {0, 4, 7} · <0 4 7> · 0-4-7
//                       (10 and 11 also as t e, T E, A B or d u)
//   compact digits      047 · 0148 (bare, three or more characters)
//                       (047) · (0123u) · [01369te] (bracketed, any length)
//   note names          C E G · Bb D F · c# e g# · C4 E4 G4 · F♯ A♭ · Cx
//   Forte names         3-11 · 3-11a (the catalogue's prime form) · 3-11b
//                       (its inversion) · 4-Z15 · 4-15 · 6-Z17b
//   pages               p24 · p. 24 · page 24 · #24
//   Costère codes       13.12.14 · 2X (any text holding '.' or 'X')
//
// Letters alone are note names ("A B" is A and B); beside numbers t/e, T/E,
// A/B and d/u are 10 and 11. A bare number of one or two digits is one pitch
// class ("10" is 10), a bare string of three or more is compact ("047").
// "3-11" is a Forte name, "0-4-7" a list. A minus sign before a number
// (at the start, or after a space, comma or bracket) makes it negative, and
// negative numbers are reduced modulo 12 as the literal reading reduces them:
// "0 4 7 -1" is 0 4 7 11.

#include <string>
#include <vector>

struct SetReading {
    // What the text means: distinct pitch classes 0 to 11 in the order
    // written (ascending for codes, Forte names and pages); empty when error
    // is set.
    std::vector<int> pitchClasses;
    // The form recognised, in words: "pitch-class list", "compact digits",
    // "note names", "Forte class 3-11b", "page 24", "Costère code".
    std::string form;
    // Non-empty when the text has no sensible reading: why, and the accepted
    // forms (or, for a Forte name or page out of range, the valid range).
    std::string error;
};

SetReading UnderstandSetText(const std::string& text);

// A page reference ("p24", "p. 24", "page 24", "#24", any case): its page
// number; 0 when the text is no page reference, -1 when it names a page
// outside 1 to 351.
int PageReference(const std::string& text);

// A note of a set as it was typed, for hearing or writing the set in the
// typed order and octaves rather than as the page's first staff writes it.
struct TypedNote {
    int pitch;    // semitones from middle C (C4 is 0, B3 is -1)
    char letter;  // the letter typed, 'A' to 'G'; 0 when typed as a number
    int alter;    // the accidental typed, -2 to 2 (with a letter only)
};

// The notes text names, in the order typed: note names in the octave
// written (C4 is middle C; Cb4 is B3, a semitone below it), a note name
// without an octave and every number the nearest pitch above the note before
// it, the first from middle C upwards. Forms without an order of their own
// (Forte names, pages, Costère codes) rise from middle C in ascending order.
// Repeated pitch classes keep only their first note. Empty when the text
// names no set.
std::vector<TypedNote> TypedNotes(const std::string& text);

// The Costère field's reading: besides everything UnderstandSetText reads,
// a bare code without '.' or 'X' ("39": 3 present and 9 absent semitones,
// 0 1 2) is a Costère code when its counts fill the twelve semitones.
SetReading UnderstandCostereFieldText(const std::string& text);

// The one line the command line prints when the text was not read as the
// fields read it, e.g. "read 3-11b as Forte class 3-11b: 0 4 7"; empty when
// the literal reading names the same set or when the reading is an error.
std::string DescribeReading(const std::string& text, const SetReading& reading);

// True when the fields' literal reading of text names the set of reading.
bool AgreesWithLiteralReading(const std::string& text, const SetReading& reading);

// True when every word of text is what the fields' literal reading reads in
// full: an integer (with an optional sign) or d or u; or when text is a
// Costère code that names a set. "047" is (the number 47, though it is also
// compact digits); "hello" and "3-11b" are not (the literal reading takes
// the digits they begin with and drops the rest).
bool ReadsLiterallyAsWritten(const std::string& text);

// A list as the set it names: reduced mod 12, repeats dropped, order kept.
std::vector<int> DistinctPitchClasses(const std::vector<int>& list);

// text in quotation marks for a message, cut (at a character boundary) after
// 40 bytes.
std::string QuoteForMessage(const std::string& text);

#endif

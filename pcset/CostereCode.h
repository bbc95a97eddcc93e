#ifndef HARMODEX_PCSET_COSTERECODE_H
#define HARMODEX_PCSET_COSTERECODE_H

// The Costère code names a set by its shape on the chromatic circle: walking
// the pitch classes of its Tn-type from 0 to 11, alternating runs of present
// and absent semitones, written as pairs "present absent" joined by ".".
// The major triad 0 4 7 is 13.12.14; counts of 10, 11 and 12 are written
// X, XI and XII (1XI is a single note, XII the full aggregate).

#include <string>
#include <vector>

// The code of the list's Tn-type.
std::string calculateAdjCostereNumber(std::vector<int> list);

// The pitch classes a code describes, ascending from 0. Never fails: a
// malformed code gives whatever positions its pieces describe. The whole
// code is read, whatever its length and number of pieces.
std::vector<int> ConvertFromAdjCostereCode(std::string code);

// What a typed text names: a text holding '.' or an upper-case 'X' is a
// Costère code, any other text a pitch-class list (lower-case x is not a
// code letter). Both input fields read their text this way.
bool IsCostereCodeText(const std::string& text);
std::vector<int> ReadSetText(const std::string& text);

#endif

#ifndef HARMODEX_PCSET_PITCHUNIVERSE_H
#define HARMODEX_PCSET_PITCHUNIVERSE_H

// The catalogue of all 351 transposition types (Tn-types) of non-empty
// pitch-class sets, in the order the Harmodex pages are numbered: by number
// of members, then lexicographically. Page number = catalogue index + 1.
// Alongside: each type's Forte name ("4-Z15b") and the 223 inversion types
// (TnI-types).

#include <string>

class PitchUniverse {
public:
    static constexpr int NumTnTypes = 351;
    static constexpr int NumTnITypes = 223;

    PitchUniverse();

    std::string tnTypes[NumTnTypes];
    std::string tnITypes[NumTnITypes];
    std::string forteNames[NumTnTypes];
};

// Index of the first Tn-type whose text equals tnTypeText exactly, or 351
// when none does.
int FindSetID(const std::string& tnTypeText, const PitchUniverse& catalogue);

// One catalogue for the whole process, built on first use and only ever read.
const PitchUniverse& SharedUniverse();

#endif

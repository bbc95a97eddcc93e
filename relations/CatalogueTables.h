#ifndef HARMODEX_RELATIONS_CATALOGUETABLES_H
#define HARMODEX_RELATIONS_CATALOGUETABLES_H

// What the set-relation queries read from the Tn-type catalogue, prepared
// once per process: each Tn-type parsed, as a 12-bit pitch-class mask, with
// its interval vector and its TnI-type. Built on first use from the shared
// catalogue and only ever read afterwards.
//
// Also small helpers on pitch-class masks (bit p set = pitch class p present).

#include <array>
#include <cstdint>
#include <vector>

#include "pcset/PitchClassSet.h"

struct CatalogueEntry {
    std::vector<int> tnType;               // the catalogue text, parsed
    std::vector<int> tnIType;              // its TnI-type
    std::array<int, 6> intervalVector{};   // interval-class counts 1 to 6
    std::array<uint16_t, 12> rotations{};  // mask of the type transposed by n = 0 .. 11
    int size = 0;                          // number of pitch classes
};

// The 351 entries in catalogue order (index = page number - 1).
const std::vector<CatalogueEntry>& CatalogueEntries();

// Index of the catalogue entry equal to the list element by element, or -1.
int CatalogueIndexOf(const std::vector<int>& list);

// A default record, used for the canonical-form operations that work on any
// list and read no member (normal form, Tn-type ...). Shared, read-only.
const PitchClassSet& PcsTool();

// The list as a PitchClassSet keeps it when loaded: cut to its first
// PitchClassSet::MaxElements values.
std::vector<int> AsLoaded(std::vector<int> list);

// Mask of the pitch classes of a list, every value reduced mod 12.
uint16_t PcMask(const std::vector<int>& list);

// The mask transposed by n semitones (n reduced mod 12).
inline uint16_t RotateMask(uint16_t mask, int n)
{
    n %= 12;
    if (n < 0)
        n += 12;
    const unsigned m = mask & 0xFFFu;
    return static_cast<uint16_t>(((m << n) | (m >> (12 - n))) & 0xFFFu);
}

// Interval vector of a list counted over every pair of its entries in list
// order (difference mod 12, folded above 6). Pairs of equal pitch classes
// form no interval class and are not counted.
std::array<int, 6> PairIntervalVector(const std::vector<int>& list);

#endif

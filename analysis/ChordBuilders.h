#ifndef HARMODEX_ANALYSIS_CHORDBUILDERS_H
#define HARMODEX_ANALYSIS_CHORDBUILDERS_H

// The small tonal structures the analysis looks for inside a set: the fifth
// and the major and minor triads built on a root. The root may be any integer
// (it is reduced mod 12); the result lists root, third (for triads), fifth,
// each in 0 .. 11, in exactly that order.

#include <vector>

std::vector<int> MakeFifth(int r);       // r, r+7
std::vector<int> MakeMajorTriad(int r);  // r, r+4, r+7
std::vector<int> MakeMinorTriad(int r);  // r, r+3, r+7

class PitchClassSet;

// True when the set holds the triad on root r (any integer) with its third
// the given number of semitones above (4 major, 3 minor) and the fifth r + 7.
// Both the tonal classification and the imitation patterns look for triads
// this way. (PitchClassSet::FindDegreeNumberBetween, which both use to count
// the set's notes between two notes of a triad, is defined beside it.)
bool HoldsTriad(const PitchClassSet& s, int r, int third);

#endif

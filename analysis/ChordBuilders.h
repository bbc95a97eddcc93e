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

#endif

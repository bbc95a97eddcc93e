#ifndef HARMODEX_ANALYSIS_IMITATIONPATTERNS_H
#define HARMODEX_ANALYSIS_IMITATIONPATTERNS_H

// Imitation patterns: how the notes of a set fall between the notes of each
// triad (or, failing triads, each fifth) it contains. The counts a, b, c of
// set notes between root and third, third and fifth, fifth and root are
// summarised as the smallest rotation of the digits a b c read as a number.
// PitchClassSet::FindDegreeNumberBetween does the counting.

// The smallest of 999999, a, b and c.
int GetSmallest(int a, int b, int c);

#endif

#ifndef HARMODEX_RELATIONS_REVERSIBILITY_H
#define HARMODEX_RELATIONS_REVERSIBILITY_H

// Reversibility: a set is reversible at a level when it and its transform at
// that level share no tone, so that together they form a larger set (a
// conjunction). For a set of at most six members the analysis lists every
// such union with the set's transpositions, with its inversions (unless the
// set is inversionally symmetric) and with the transpositions of each
// Z-related Tn-type, as rows of four short texts for the page.

#include <string>
#include <vector>

#include "relations/RelationRecords.h"

// The two texts of one conjunction record of T with its own transforms
// (mode 1: transpositions, -1: inversions): the levels, comma-separated, a
// level followed by "+" when later levels give the same transform (those
// are left out); and for each level written, the transposition of the union
// Tn-type that is the union, with "+" when the union is transpositionally
// symmetric (more than one transposition fits). Levels 10 and 11 are
// written "d" and "u".
std::vector<std::string> ParseReversibilityInfo_II(const std::vector<int>& t, int mode, const ReversibilityInfo& r);

// The same two texts for a conjunction record of A with the transpositions of B.
std::vector<std::string> ParseReversibilityInfo_II(const std::vector<int>& a, const std::vector<int>& b,
                                                   const ReversibilityInfo& r);

// The reversibility rows of S's Tn-type, each four texts:
//   transpositions: "+T", levels, union levels followed by ",", union name;
//   inversions:     "+I", the same (only when the set is not inversionally
//                   symmetric);
//   Z-partners:     levels followed by ",", "(partner)", union levels
//                   followed by ",", union name.
// The union levels of an aggregate union are the empty text. A union is
// named "(0123)" by its Tn-type, or, with 8 or more members, " %s" by its
// Costère code. Sets of more than six members, and the empty set, give no rows.
std::vector<std::vector<std::string>> AnalyseReversibility_II(const std::vector<int>& s);

#endif

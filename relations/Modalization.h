#ifndef HARMODEX_RELATIONS_MODALIZATION_H
#define HARMODEX_RELATIONS_MODALIZATION_H

// Modalization: the smaller Tn-types that lie inside a set, and which of
// their occurrences are placed alike in it. Two occurrences imitate each
// other when their molds inside the set (the set's own degrees skipped
// between consecutive notes) are rotations of each other, or rotations of
// each other's retrograde. A subset and its inversion are studied together
// when both occur in the set.
//
// For the page, the levels of one subset are written as a short text:
// plain levels first, then each group of imitating occurrences between
// bars; "-" marks an inversion of the subset, "\317" a retrograde imitation,
// "\267" an equally spaced placement, "+" a level that stands for others
// giving the same transform. (The two marks are PostScript string escapes.)
//
// Occurrence codes as rewritten for one subset S (a mark of 1000 may be
// added to any of them):
//    0 ..  49  T_level of S, mold imitated directly
//  100 .. 149  I_level of S, mold imitated directly
//  200 .. 249  I_level of S, mold imitated in retrograde
//  300 .. 349  T_level of S, mold imitated in retrograde

#include <string>
#include <vector>

#include "pcset/PitchClassSet.h"
#include "relations/RelationRecords.h"

// The groups of imitating occurrences of the subsets of P (at least two
// occurrences each), subsets in catalogue order. Levels and molds are taken
// inside P's Tn-type.
std::vector<ModalizationInfo> calculateModalizationAttributes(const PitchClassSet& p);

// The index text of subset S of the set whose Tn-type is T: L are the levels
// at which S lies in T, M the groups of T from calculateModalizationAttributes.
// When M has a group concerning S, *covered is set to 1 if the transforms
// written together cover T, else 0; otherwise it is left as it is (the caller
// clears it). A null covered is not written.
std::string AssembleSubsetIndexModNotation(const std::vector<int>& t, const std::vector<int>& s,
                                           const std::vector<int>& l, const std::vector<ModalizationInfo>& m,
                                           int* covered);

// The levels L of a superset form X, each followed by "+" when it stands for
// later levels giving the same transposition of X, and by ",": "0+,".
std::string AssembleSupersetIndexNotation(const std::vector<int>& x, const std::vector<int>& l);

// Readers of an occurrence code: its level; its flag (1 transposition,
// -1 inversion, 0 not a code); its upside flag (1 retrograde imitation).
int interpretIndexModCode(int code);
int findIndexModCodeFlag(int code);
int findIndexModCodeUpsideFlag(int code);

// True when every code stands for an inversion (also for an empty list).
bool LevelsAreAllForInvs(const std::vector<int>& codes);

#endif

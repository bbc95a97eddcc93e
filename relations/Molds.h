#ifndef HARMODEX_RELATIONS_MOLDS_H
#define HARMODEX_RELATIONS_MOLDS_H

// Imitation molds and intrinsic transposition.
//
// A set placed inside a collection (a scale, or a set in normal form, read
// cyclically) has a mold: for each of its notes, the number of the
// collection's degrees skipped before its next note, going round. Two
// placements imitate each other when their molds are rotations, or rotations
// of the retrograde, of one another.

#include <vector>

#include "pcset/PitchClassSet.h"
#include "relations/RelationRecords.h"

// Mold of T_t(A) inside the collection S. A single note gives [|S| - 1].
// A placement that is not one (a note of T_t(A) missing from S, or A empty)
// has no mold: the result is empty, which compares as 0 with every mold and
// is never equally spaced.
std::vector<int> findImitationMold(const std::vector<int>& s, const std::vector<int>& a, int t);

// 1 when every entry of the mold of A inside S (level 0) equals the first,
// else 0 (also when A has no mold inside S).
int IsEquallySpaced(const std::vector<int>& s, const std::vector<int>& a);

// 1 when M1 is a rotation of M2, -1 when it is only a rotation of M2's
// retrograde, 0 otherwise or when either mold holds only zeros.
int compareImitationMolds(const std::vector<int>& m1, const std::vector<int>& m2);

// True when the number of pairs (element of B, element of C) with equal
// values equals |B|; for lists without repeated values: B lies inside C.
bool VectorIsIntrinsic(const std::vector<int>& container, const std::vector<int>& candidate);

// The inversion level, negated, at which B lies inside T_t(A) (0 for level
// 0); -99 when there is none.
int convertInvTnLevelToInvLevel(const std::vector<int>& a, int t, const std::vector<int>& b);

// For each list X of L: when X is smaller than P, the levels n (ascending)
// at which T_n(X) lies inside P; otherwise the levels (12 - n) mod 12 for
// n = 12 down to 1 at which T_n(P) lies inside X.
std::vector<std::vector<int>> findIntrinsicTranspositionIndexes(const std::vector<std::vector<int>>& l,
                                                                const PitchClassSet& p);

// For each fragment L[i] with its levels V[i]: the notes of P's Tn-type that
// no transposed fragment covers, as a Tn-type with the levels at which it
// lies inside those notes. A fragment without a level list (V shorter than
// L) covers nothing.
std::vector<RobustSetInfo> findRemainder(const std::vector<std::vector<int>>& l, const std::vector<std::vector<int>>& v,
                                         const PitchClassSet& p);

#endif

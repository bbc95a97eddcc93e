#ifndef HARMODEX_RELATIONS_SETALGEBRA_H
#define HARMODEX_RELATIONS_SETALGEBRA_H

// The small set algebra the relation analyses share: transposing and
// inverting lists, merging lists into a set, common-tone (invariance) tables
// and conjunction tables.
//
// A transformation mode of -1 means inversion I_n (n - x); any other mode
// means transposition T_n (x + n). Lists keep their order and duplicates
// unless they go through a set (normal form).

#include <vector>

#include "relations/RelationRecords.h"

// Element i is (level + x_i) mod 12, or (level - x_i) mod 12 when mode is -1.
std::vector<int> operateVectorSet(const std::vector<int>& list, int level, int mode);

// Normal form of the set made from A followed by its transform at level/mode.
std::vector<int> combinePCsets(const std::vector<int>& a, int level, int mode);
// Normal form of the set made from A followed by T_level(B).
std::vector<int> combinePCsets(const std::vector<int>& a, const std::vector<int>& b, int level);
// Normal form of the set made from A followed by B.
std::vector<int> combinePCsets(const std::vector<int>& a, const std::vector<int>& b);

// Twelve common-tone counts indexed by level n: how many elements (duplicates
// counted) of T_n(A), I_n(A) or T_n(B) respectively are members of A.
std::vector<int> CalculateInvarianceTableBetweenTn(const std::vector<int>& a);
std::vector<int> CalculateInvarianceTableBetweenTnI(const std::vector<int>& a);
std::vector<int> CalculateInvarianceTableBetween(const std::vector<int>& a, const std::vector<int>& b);

// The unions that A forms with the transforms it shares no tone with
// (T_n(A), I_n(A) or T_n(B)), one record per union Tn-type, in the order of
// each Tn-type's smallest level.
std::vector<ReversibilityInfo> CalculateConjunctionsBetweenTn(const std::vector<int>& a);
std::vector<ReversibilityInfo> CalculateConjunctionsBetweenTnI(const std::vector<int>& a);
std::vector<ReversibilityInfo> CalculateConjunctionsBetween(const std::vector<int>& a, const std::vector<int>& b);

#endif

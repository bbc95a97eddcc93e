#ifndef HARMODEX_RELATIONS_RELATIONRECORDS_H
#define HARMODEX_RELATIONS_RELATIONRECORDS_H

// Plain records that the set-relation queries return. Integer lists only,
// with value semantics (default construction gives empty lists).

#include <vector>

// One conjunction of a set with its (or another set's) transforms: every
// level at which the disjoint partner forms a union of the same Tn-type.
struct ReversibilityInfo {
    // Transformation levels (0 to 11, ascending) that give a union of this Tn-type.
    std::vector<int> levels;
    // Tn-type of the union.
    std::vector<int> unionTnType;
    // One per level, in the same order: the transposition m at which the
    // union Tn-type, transposed by m, is the union's normal form.
    std::vector<int> unionLevels;
};

// What is left of a set once transposed fragments are taken out of it: the
// Tn-type of the remainder and the levels at which that Tn-type lies inside
// the remainder (both empty when nothing remains).
struct RobustSetInfo {
    std::vector<int> tnType;
    std::vector<int> levels;
};

#endif

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

// One occurrence of a subset form inside a set: the form (a Tn-type, or the
// Tn-type of its inversion), the transposition level at which it lies in
// the set, and its mold inside the set's Tn-type.
struct MdlzSetInfo {
    std::vector<int> form;
    int level = 0;
    std::vector<int> mold;
};

// A group of occurrences of a subset (and of its inversion, when both lie in
// the set) that imitate one another: their molds are rotations of the
// reference mold or of its retrograde. An occurrence code is its level l, or
// -l - 100 when it imitates the retrograde. A form none of whose
// occurrences belongs to the group is left empty.
struct ModalizationInfo {
    std::vector<int> formA;  // the subset's Tn-type
    std::vector<int> formB;  // the Tn-type of its inversion, when paired
    std::vector<int> mold;   // the reference mold
    std::vector<int> codesA;
    std::vector<int> codesB;
};

#endif

#ifndef HARMODEX_RELATIONS_LEVELMERGING_H
#define HARMODEX_RELATIONS_LEVELMERGING_H

// Merging of transformation levels that give the same transform, shared by
// the reversibility and modalization texts. Inside a level (or code) list a
// value above 999 stands for the value - 1000 and is marked: it stands for
// later entries that give the same transform and is printed with "+"; the
// value -99 is an entry dropped as such a duplicate.

#include <cstddef>
#include <vector>

#include "relations/Molds.h"

constexpr int kDroppedLevel = -99;
constexpr int kMergeMark = 1000;

inline bool IsMergeMarked(int value) { return value > 999; }

// For every entry i not dropped and every later entry j not dropped: when
// the transform of j lies inside the transform of i (so, for transforms of
// one set, is the same set), drop j and mark i. transformOf reads an entry
// (marked or not) and returns the list it stands for.
template <class TransformOf>
void MergeSameTransforms(std::vector<int>& entries, TransformOf transformOf)
{
    for (size_t i = 0; i + 1 < entries.size(); ++i) {
        if (entries[i] == kDroppedLevel)
            continue;
        const std::vector<int> earlier = transformOf(entries[i]);
        for (size_t j = i + 1; j < entries.size(); ++j) {
            if (entries[j] == kDroppedLevel)
                continue;
            if (VectorIsIntrinsic(earlier, transformOf(entries[j]))) {
                entries[j] = kDroppedLevel;
                if (!IsMergeMarked(entries[i]))
                    entries[i] += kMergeMark;
            }
        }
    }
}

#endif

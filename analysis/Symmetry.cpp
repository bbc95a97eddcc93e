// Axes of inversional symmetry. When TkI maps a set onto itself, the set is
// mirrored about the line through k/2 and k/2 + 6 on the pitch-class circle:
// for even k the line runs through two pitch classes (a median axis), for odd
// k it runs between pitch classes (an intercalar axis, at half values).

#include "analysis/Symmetry.h"

#include <algorithm>

#include "pcset/PitchClassSet.h"

bool MapsOntoItself(const PitchClassSet& s, int mode, int level)
{
    const int k = Mod_X_Add(level, 0, 12);
    const int32_t common = mode == 1 ? s.invarianceTnITable[k] : s.invarianceTnTable[k];
    return common == s.nElements;
}

void PitchClassSet::calculateSymmetryAxes()
{
    symmetryIndices.clear();
    pcAxes.clear();
    interAxes.clear();
    intrinsicAxes.clear();

    for (int k = 0; k < 12; ++k)
        if (MapsOntoItself(*this, 1, k))
            symmetryIndices.push_back(k);

    for (int k : symmetryIndices) {
        if (k % 2 != 0) {
            const float half = static_cast<float>(k) / 2.0f;
            interAxes.push_back(half);
            interAxes.push_back(static_cast<float>(static_cast<double>(k) / 2.0 + 6.0));
        } else {
            pcAxes.push_back(k / 2);
            pcAxes.push_back(k / 2 + 6);
        }
    }
    std::sort(interAxes.begin(), interAxes.end());
    std::sort(pcAxes.begin(), pcAxes.end());

    // Median notes: the pitch classes of the set that lie on an axis.
    for (int axis : pcAxes)
        if (isIntrinsic(axis))
            intrinsicAxes.push_back(axis);
}

bool PitchClassSet::isSymmetric() const { return !interAxes.empty() || !pcAxes.empty(); }

#include "analysis/ChordBuilders.h"

#include <cstdio>
#include <cstdlib>

#include "pcset/PitchClassSet.h"
#include "base/Error.h"

std::vector<int> MakeFifth(int r) { return {Mod_X_Add(r, 0, 12), Mod_X_Add(r, 7, 12)}; }

std::vector<int> MakeMajorTriad(int r) { return {Mod_X_Add(r, 0, 12), Mod_X_Add(r, 4, 12), Mod_X_Add(r, 7, 12)}; }

std::vector<int> MakeMinorTriad(int r) { return {Mod_X_Add(r, 0, 12), Mod_X_Add(r, 3, 12), Mod_X_Add(r, 7, 12)}; }

bool HoldsTriad(const PitchClassSet& s, int r, int third)
{
    const int root = Mod_X_Add(r, 0, 12);
    return s.pcPresence[root] > 0 && s.pcPresence[(root + third) % 12] > 0 && s.pcPresence[(root + 7) % 12] > 0;
}

// The number of distinct pitch classes of the set met strictly between x and
// y when going up from x to y round the pitch-class circle: the degrees of
// the set passed over on the way (-1 when y is x itself). The count follows
// pitch order, so it does not depend on the order in which the set was
// entered nor on repeated pitch classes; for the ascending lists the page
// analyses it is the number of steps along the element list less one.
// Both pitch classes must belong to the set; asking for one outside it is a
// fault of the caller, reported as an error.
int PitchClassSet::FindDegreeNumberBetween(int x, int y) const
{
    if (!isIntrinsic(x) || !isIntrinsic(y))
        throw harmodex::Error("degrees between " + std::to_string(x) + " and " + std::to_string(y) +
                              " asked of a set that lacks one of them");
    const int from = Mod_X_Add(x, 0, 12);
    const int span = Mod_X_Add(y, -from, 12);
    if (span == 0)
        return -1;
    int between = 0;
    for (int step = 1; step < span; ++step)
        between += pcPresence[(from + step) % 12] > 0 ? 1 : 0;
    return between;
}

#include "analysis/ChordBuilders.h"

#include "pcset/PitchClassSet.h"

std::vector<int> MakeFifth(int r)
{
    return {Mod_X_Add(r, 0, 12), Mod_X_Add(r, 7, 12)};
}

std::vector<int> MakeMajorTriad(int r)
{
    return {Mod_X_Add(r, 0, 12), Mod_X_Add(r, 4, 12), Mod_X_Add(r, 7, 12)};
}

std::vector<int> MakeMinorTriad(int r)
{
    return {Mod_X_Add(r, 0, 12), Mod_X_Add(r, 3, 12), Mod_X_Add(r, 7, 12)};
}

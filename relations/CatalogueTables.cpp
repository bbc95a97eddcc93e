#include "relations/CatalogueTables.h"

#include "pcset/Conversions.h"
#include "pcset/PitchUniverse.h"

const std::vector<CatalogueEntry>& CatalogueEntries()
{
    static const std::vector<CatalogueEntry> entries = [] {
        const PitchUniverse& universe = SharedUniverse();
        const PitchClassSet& tool = PcsTool();
        std::vector<CatalogueEntry> result(PitchUniverse::NumTnTypes);
        for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
            CatalogueEntry& e = result[i];
            e.tnType = StringToVector(universe.tnTypes[i]);
            e.tnIType = tool.calculateTnIType(e.tnType);
            e.intervalVector = PairIntervalVector(e.tnType);
            const uint16_t mask = PcMask(e.tnType);
            for (int n = 0; n < 12; ++n)
                e.rotations[n] = RotateMask(mask, n);
            e.size = static_cast<int>(e.tnType.size());
        }
        return result;
    }();
    return entries;
}

int CatalogueIndexOf(const std::vector<int>& list)
{
    // Entries are ascending lists of distinct pitch classes, so one equals
    // the list exactly when the list ascends strictly within 0..11 and the
    // entry holds the same pitch classes.
    static const std::vector<int> indexByMask = [] {
        std::vector<int> index(4096, -1);
        const std::vector<CatalogueEntry>& entries = CatalogueEntries();
        for (size_t i = 0; i < entries.size(); ++i)
            index[entries[i].rotations[0]] = static_cast<int>(i);
        return index;
    }();
    uint16_t mask = 0;
    int previous = -1;
    for (int x : list) {
        if (x <= previous || x > 11)
            return -1;
        mask |= static_cast<uint16_t>(1u << x);
        previous = x;
    }
    return indexByMask[mask];
}

const PitchClassSet& PcsTool()
{
    static const PitchClassSet tool;
    return tool;
}

std::vector<int> AsLoaded(std::vector<int> list)
{
    if (list.size() > static_cast<size_t>(PitchClassSet::MaxElements))
        list.resize(PitchClassSet::MaxElements);
    return list;
}

uint16_t PcMask(const std::vector<int>& list)
{
    uint16_t mask = 0;
    for (int x : list)
        mask |= static_cast<uint16_t>(1u << Mod_X_Add(x, 0, 12));
    return mask;
}

std::array<int, 6> PairIntervalVector(const std::vector<int>& list)
{
    std::array<int, 6> v{};
    for (size_t i = 0; i < list.size(); ++i)
        for (size_t j = i + 1; j < list.size(); ++j) {
            int d = Mod_X_Add(list[j], -Mod_X_Add(list[i], 0, 12), 12);
            if (d > 6)
                d = 12 - d;
            if (d > 0)
                v[d - 1] += 1;
        }
    return v;
}

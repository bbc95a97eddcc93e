#include "relations/ZRelations.h"

#include <array>

#include "pcset/Conversions.h"
#include "pcset/PitchUniverse.h"
#include "relations/CatalogueTables.h"

namespace {

constexpr int kNoIndex = -1;

}  // namespace

std::vector<std::vector<int>> FindZrelations(const PitchClassSet& p)
{
    const std::vector<int> vector = p.getIntervalVector();
    std::array<int, 6> iv{};
    for (int k = 0; k < 6; ++k)
        iv[k] = vector[k];
    const std::vector<int> tnIType = p.getTnIType();

    std::vector<std::vector<int>> result;
    for (const CatalogueEntry& e : CatalogueEntries())
        if (e.intervalVector == iv && !VectorsAreEqual(e.tnIType, tnIType))
            result.push_back(e.tnType);
    return result;
}

std::vector<std::vector<int>> FindZrelations(const std::vector<int>& a, const std::vector<int>& b)
{
    const int indexA = CatalogueIndexOf(a);
    const int indexB = CatalogueIndexOf(b);
    const std::array<int, 6> iv = PairIntervalVector(a);

    const std::vector<CatalogueEntry>& entries = CatalogueEntries();
    std::vector<std::vector<int>> result;
    for (size_t i = 0; i < entries.size(); ++i) {
        const int index = static_cast<int>(i);
        if (entries[i].intervalVector == iv && index != indexA && index != indexB)
            result.push_back(entries[i].tnType);
    }
    return result;
}

std::string FindForteName(const PitchClassSet& p)
{
    const int index = CatalogueIndexOf(p.getTnType());
    if (index == kNoIndex)
        return std::string();
    return SharedUniverse().forteNames[index];
}

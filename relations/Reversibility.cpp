#include "relations/Reversibility.h"

#include <cstdint>

#include "pcset/CostereCode.h"
#include "pcset/Conversions.h"
#include "relations/CatalogueTables.h"
#include "relations/LevelMerging.h"
#include "relations/Molds.h"
#include "relations/SetAlgebra.h"
#include "relations/SubsetSearch.h"
#include "relations/ZRelations.h"

namespace {

// A set that meets every one of its transforms has no conjunction; beyond six
// members every transform shares a tone with the set.
constexpr int kMostReversibleMembers = 6;
// A union level that no transposition of the union Tn-type matches (cannot
// arise from a conjunction table).
constexpr int kNoUnionLevel = 99;

int levelOf(int value) { return IsMergeMarked(value) ? value - kMergeMark : value; }

// The texts of one record. partnerAt(x) is the partner transform at level x,
// unionAt(x) the normal form of the set together with it.
template <class PartnerAt, class UnionAt>
std::vector<std::string> parseRecord(const ReversibilityInfo& r, PartnerAt partnerAt, UnionAt unionAt)
{
    std::vector<int> levels = r.levels;
    MergeSameTransforms(levels, [&](int value) { return partnerAt(levelOf(value)); });

    const uint16_t unionType = PcMask(r.unionTnType);
    std::string levelsText;
    std::string unionLevelsText;
    bool first = true;
    for (int value : levels) {
        if (value == kDroppedLevel)
            continue;
        const int level = levelOf(value);
        // The union is the set of its normal form; find the transpositions of
        // the union Tn-type that lie in it (all of them when it is symmetric).
        const uint16_t unionSet = PcMask(unionAt(level));
        int firstMatch = kNoUnionLevel;
        int matches = 0;
        for (int m = 0; m < 12; ++m)
            if ((RotateMask(unionType, m) & ~unionSet) == 0) {
                if (matches == 0)
                    firstMatch = m;
                ++matches;
            }

        if (!first) {
            levelsText += ",";
            unionLevelsText += ",";
        }
        first = false;
        levelsText += IntToString(level);
        if (IsMergeMarked(value))
            levelsText += "+";
        unionLevelsText += IntToString(firstMatch);
        if (matches > 1)
            unionLevelsText += "+";
    }
    return {levelsText, unionLevelsText};
}

// "(0123)" by the union's pitch classes, or " 13.12.14" by its Costère code
// for unions of eight members or more.
std::string unionText(const ReversibilityInfo& r)
{
    if (r.unionTnType.size() >= 8)
        return " " + calculateAdjCostereNumber(r.unionTnType);
    return "(" + FilterPcSetNumbersClose(r.unionTnType) + ")";
}

// The union levels as the row prints them: followed by ",", or nothing at
// all for the aggregate, which stands at every level.
std::string unionLevelsCell(const std::string& unionLevels, const ReversibilityInfo& r)
{
    if (r.unionTnType.size() == 12)
        return std::string();
    return unionLevels + ",";
}

bool isInversionallySymmetric(const std::vector<int>& tnType)
{
    const uint16_t mask = PcMask(tnType);
    for (int k = 0; k < 12; ++k)
        if (PcMask(operateVectorSet(tnType, k, -1)) == mask)
            return true;
    return false;
}

void appendOwnTransformRows(std::vector<std::vector<std::string>>& rows, const std::vector<int>& t, int mode)
{
    const char* kind = mode == -1 ? "+I" : "+T";
    const std::vector<ReversibilityInfo> table =
        mode == -1 ? CalculateConjunctionsBetweenTnI(t) : CalculateConjunctionsBetweenTn(t);
    for (const ReversibilityInfo& r : table) {
        const std::vector<std::string> texts = ParseReversibilityInfo_II(t, mode, r);
        rows.push_back({kind, texts[0], unionLevelsCell(texts[1], r), unionText(r)});
    }
}

}  // namespace

std::vector<std::string> ParseReversibilityInfo_II(const std::vector<int>& t, int mode, const ReversibilityInfo& r)
{
    return parseRecord(
        r, [&](int x) { return operateVectorSet(t, x, mode); }, [&](int x) { return combinePCsets(t, x, mode); });
}

std::vector<std::string> ParseReversibilityInfo_II(const std::vector<int>& a, const std::vector<int>& b,
                                                   const ReversibilityInfo& r)
{
    return parseRecord(
        r, [&](int x) { return operateVectorSet(b, x, 1); }, [&](int x) { return combinePCsets(a, b, x); });
}

std::vector<std::vector<std::string>> AnalyseReversibility_II(const std::vector<int>& s)
{
    std::vector<std::vector<std::string>> rows;
    // Only the set's Tn-type and its inversional symmetry are read, so the
    // set needs no further analysis. Members are counted as distinct pitch
    // classes, as the set holds them.
    const PitchClassSet& tool = PcsTool();
    const std::vector<int> t = tool.calculateTnType(AsLoaded(s));
    if (t.empty() || t.size() > static_cast<size_t>(kMostReversibleMembers))
        return rows;

    appendOwnTransformRows(rows, t, 1);
    if (!isInversionallySymmetric(t))
        appendOwnTransformRows(rows, t, -1);

    const std::vector<int> inversionTnType = tool.calculateTnType(tool.genericInvertion(t));
    for (const std::vector<int>& z : FindZrelations(t, inversionTnType)) {
        const std::string partner = "(" + FilterPcSetNumbersClose(z) + ")";
        for (const ReversibilityInfo& r : CalculateConjunctionsBetween(t, z)) {
            const std::vector<std::string> texts = ParseReversibilityInfo_II(t, z, r);
            rows.push_back({texts[0] + ",", partner, unionLevelsCell(texts[1], r), unionText(r)});
        }
    }
    return rows;
}

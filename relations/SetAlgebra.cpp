#include "relations/SetAlgebra.h"

#include <cstdint>

#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"
#include "relations/CatalogueTables.h"

std::vector<int> operateVectorSet(const std::vector<int>& list, int level, int mode)
{
    std::vector<int> result;
    result.reserve(list.size());
    for (int x : list) {
        // x is brought into 0..11 before it is negated, so that no value of
        // the int range overflows; the pitch class is the same.
        const int pc = Mod_X_Add(x, 0, 12);
        result.push_back(mode == -1 ? Mod_X_Add(level, -pc, 12) : Mod_X_Add(level, pc, 12));
    }
    return result;
}

namespace {

// Normal form of the list loaded into a set (which keeps its first 100 values).
std::vector<int> normalFormOfSet(const std::vector<int>& list) { return PcsTool().calculateNormalForm(AsLoaded(list)); }

// Membership in a set loaded from the list.
uint16_t membershipOfSet(const std::vector<int>& list) { return PcMask(AsLoaded(list)); }

int countMembers(const std::vector<int>& list, uint16_t members)
{
    int count = 0;
    for (int x : list)
        if (members & (1u << Mod_X_Add(x, 0, 12)))
            ++count;
    return count;
}

std::vector<int> invarianceTable(const std::vector<int>& a, const std::vector<int>& partnerBase, int mode)
{
    const uint16_t members = membershipOfSet(a);
    std::vector<int> table(12, 0);
    for (int n = 0; n < 12; ++n)
        table[n] = countMembers(operateVectorSet(partnerBase, n, mode), members);
    return table;
}

// The transpositions m at which the Tn-type equals the normal form.
void appendUnionLevels(const std::vector<int>& tnType, const std::vector<int>& normalForm, std::vector<int>& levels)
{
    for (int m = 0; m < 12; ++m)
        if (VectorsAreEqual(operateVectorSet(tnType, m, 1), normalForm))
            levels.push_back(m);
}

// Conjunctions of A with the partners operateVectorSet(partnerBase, n, mode)
// at every level n whose common-tone count is 0.
std::vector<ReversibilityInfo> conjunctions(const std::vector<int>& a, const std::vector<int>& partnerBase, int mode)
{
    const std::vector<int> invariance = invarianceTable(a, partnerBase, mode);
    const PitchClassSet& tool = PcsTool();
    std::vector<ReversibilityInfo> result;
    for (int n = 0; n < 12; ++n) {
        if (invariance[n] != 0)
            continue;
        const std::vector<int> unionList = AsLoaded(AddVectors(a, operateVectorSet(partnerBase, n, mode)));
        const std::vector<int> normalForm = tool.calculateNormalForm(unionList);
        const std::vector<int> tnType = tool.calculateTnType(normalForm);

        bool found = false;
        for (ReversibilityInfo& record : result) {
            if (!VectorsAreEqual(record.unionTnType, tnType))
                continue;
            record.levels.push_back(n);
            appendUnionLevels(record.unionTnType, normalForm, record.unionLevels);
            found = true;
        }
        if (!found) {
            ReversibilityInfo record;
            record.levels.push_back(n);
            record.unionTnType = tnType;
            appendUnionLevels(tnType, normalForm, record.unionLevels);
            result.push_back(std::move(record));
        }
    }
    return result;
}

}  // namespace

std::vector<int> combinePCsets(const std::vector<int>& a, int level, int mode)
{
    return normalFormOfSet(AddVectors(a, operateVectorSet(a, level, mode)));
}

std::vector<int> combinePCsets(const std::vector<int>& a, const std::vector<int>& b, int level)
{
    return normalFormOfSet(AddVectors(a, operateVectorSet(b, level, 1)));
}

std::vector<int> combinePCsets(const std::vector<int>& a, const std::vector<int>& b)
{
    return normalFormOfSet(AddVectors(a, b));
}

std::vector<int> CalculateInvarianceTableBetweenTn(const std::vector<int>& a) { return invarianceTable(a, a, 1); }

std::vector<int> CalculateInvarianceTableBetweenTnI(const std::vector<int>& a) { return invarianceTable(a, a, -1); }

std::vector<int> CalculateInvarianceTableBetween(const std::vector<int>& a, const std::vector<int>& b)
{
    return invarianceTable(a, b, 1);
}

std::vector<ReversibilityInfo> CalculateConjunctionsBetweenTn(const std::vector<int>& a)
{
    return conjunctions(a, a, 1);
}

std::vector<ReversibilityInfo> CalculateConjunctionsBetweenTnI(const std::vector<int>& a)
{
    return conjunctions(a, a, -1);
}

std::vector<ReversibilityInfo> CalculateConjunctionsBetween(const std::vector<int>& a, const std::vector<int>& b)
{
    return conjunctions(a, b, 1);
}

// Attraction tables after Costère: every pitch class is attracted by its
// neighbours a semitone and a fourth/fifth away on either side. From the
// cardinal table (attraction of each pitch class) follow the tonal tables
// (attraction of each major and minor triad), the attraction gathered by each
// transposition and inversion of the set, the common-tone (invariance)
// tables, and the in/ex weights that compare the attraction inside the set
// with the attraction outside it.
//
// Elements entered more than once count with their multiplicity throughout.

#include <algorithm>
#include <numeric>

#include "pcset/PitchClassSet.h"

namespace {

std::vector<int> tableCopy(const int32_t table[12])
{
    return std::vector<int>(table, table + 12);
}

} // namespace

void PitchClassSet::calculateCostereCardinalTable()
{
    std::fill(std::begin(costereCardinalTable), std::end(costereCardinalTable), 0);
    // Each tone lends its weight to itself and to the pitch classes a
    // semitone and a fifth away on either side.
    for (int n = 0; n < 12; ++n)
        for (int step : {0, 1, 11, 7, 5})
            costereCardinalTable[Mod_X_Add(n, step, 12)] += pcPresence[n];
}

void PitchClassSet::calculateCostereTonalMajorTable()
{
    std::fill(std::begin(costereTonalMajorTable), std::end(costereTonalMajorTable), 0);
    for (int r = 0; r < 12; ++r)
        costereTonalMajorTable[r] = costereCardinalTable[r] + costereCardinalTable[Mod_X_Add(r, 4, 12)] +
                                    costereCardinalTable[Mod_X_Add(r, 7, 12)];
}

void PitchClassSet::calculateCostereTonalMinorTable()
{
    std::fill(std::begin(costereTonalMinorTable), std::end(costereTonalMinorTable), 0);
    for (int r = 0; r < 12; ++r)
        costereTonalMinorTable[r] = costereCardinalTable[r] + costereCardinalTable[Mod_X_Add(r, 3, 12)] +
                                    costereCardinalTable[Mod_X_Add(r, 7, 12)];
}

// Entry n: the cardinal attraction summed over the elements of Tn of the set.
// Summing over pitch classes with their multiplicities visits exactly the
// elements of get_PitchClassSet(0, n), without building the list.
void PitchClassSet::calculateCostereTranspositionalTable()
{
    std::fill(std::begin(costereTranspositionalTable), std::end(costereTranspositionalTable), 0);
    for (int n = 0; n < 12; ++n)
        for (int e = 0; e < 12; ++e)
            costereTranspositionalTable[n] += pcPresence[e] * costereCardinalTable[Mod_X_Add(e, n, 12)];
}

// Entry n: the same over the elements of TnI of the set, n - e.
void PitchClassSet::calculateCostereInversionalTable()
{
    std::fill(std::begin(costereInversionalTable), std::end(costereInversionalTable), 0);
    for (int n = 0; n < 12; ++n)
        for (int e = 0; e < 12; ++e)
            costereInversionalTable[n] += pcPresence[e] * costereCardinalTable[Mod_X_Add(n, -e, 12)];
}

// Common tones: entry n counts the elements whose image under Tn (or TnI)
// is again a pitch class of the set.
void PitchClassSet::calculateInvarianceTables()
{
    std::fill(std::begin(invarianceTnTable), std::end(invarianceTnTable), 0);
    std::fill(std::begin(invarianceTnITable), std::end(invarianceTnITable), 0);
    for (int n = 0; n < 12; ++n)
        for (int e = 0; e < 12; ++e) {
            if (isIntrinsic(Mod_X_Add(e, n, 12)))
                invarianceTnTable[n] += pcPresence[e];
            if (isIntrinsic(Mod_X_Add(n, -e, 12)))
                invarianceTnITable[n] += pcPresence[e];
        }
}

// The set's own attraction against the attraction of its complement, over
// equally many pitch classes on both sides: when the set is the smaller side,
// all of it against the strongest of the complement; when it is the larger,
// its weakest members against the whole complement.
void PitchClassSet::calculateInExWeights()
{
    inWeight = 0;
    exWeight = 0;
    std::vector<int> inside, outside;
    for (int r = 0; r < 12; ++r)
        (isIntrinsic(r) ? inside : outside).push_back(costereCardinalTable[r]);
    std::sort(inside.begin(), inside.end());
    std::sort(outside.begin(), outside.end());

    if (inside.size() <= outside.size()) {
        inWeight = std::accumulate(inside.begin(), inside.end(), 0);
        exWeight = std::accumulate(outside.end() - inside.size(), outside.end(), 0);
    } else {
        inWeight = std::accumulate(inside.begin(), inside.begin() + outside.size(), 0);
        exWeight = std::accumulate(outside.begin(), outside.end(), 0);
    }
}

std::vector<int> PitchClassSet::getCostereCardinalTable() const { return tableCopy(costereCardinalTable); }
std::vector<int> PitchClassSet::getCostereTonalMajorTable() const { return tableCopy(costereTonalMajorTable); }
std::vector<int> PitchClassSet::getCostereTonalMinorTable() const { return tableCopy(costereTonalMinorTable); }
std::vector<int> PitchClassSet::getCostereTranspositionalTable() const
{
    return tableCopy(costereTranspositionalTable);
}
std::vector<int> PitchClassSet::getCostereInversionalTable() const { return tableCopy(costereInversionalTable); }
std::vector<int> PitchClassSet::getInvarianceTnTable() const { return tableCopy(invarianceTnTable); }
std::vector<int> PitchClassSet::getInvarianceTnITable() const { return tableCopy(invarianceTnITable); }

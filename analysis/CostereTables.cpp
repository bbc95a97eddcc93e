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

// Pitch class a + b for a, b in 0 .. 11, and a - b likewise.
inline int up(int a, int b) { return (a + b) % 12; }
inline int down(int a, int b) { return (a - b + 12) % 12; }

std::vector<int> tableCopy(const int32_t table[12]) { return std::vector<int>(table, table + 12); }

}  // namespace

void PitchClassSet::calculateCostereCardinalTable()
{
    std::fill(std::begin(costereCardinalTable), std::end(costereCardinalTable), 0);
    // Each tone lends its weight to itself and to the pitch classes a
    // semitone and a fifth away on either side.
    for (int n = 0; n < 12; ++n)
        for (int step : {0, 1, 11, 7, 5})
            costereCardinalTable[up(n, step)] += pcPresence[n];
}

void PitchClassSet::calculateCostereTonalMajorTable()
{
    std::fill(std::begin(costereTonalMajorTable), std::end(costereTonalMajorTable), 0);
    for (int r = 0; r < 12; ++r)
        costereTonalMajorTable[r] =
            costereCardinalTable[r] + costereCardinalTable[up(r, 4)] + costereCardinalTable[up(r, 7)];
}

void PitchClassSet::calculateCostereTonalMinorTable()
{
    std::fill(std::begin(costereTonalMinorTable), std::end(costereTonalMinorTable), 0);
    for (int r = 0; r < 12; ++r)
        costereTonalMinorTable[r] =
            costereCardinalTable[r] + costereCardinalTable[up(r, 3)] + costereCardinalTable[up(r, 7)];
}

// Entry n: the cardinal attraction summed over the elements of Tn of the set.
// Summing over pitch classes with their multiplicities visits exactly the
// elements of get_PitchClassSet(0, n), without building the list.
void PitchClassSet::calculateCostereTranspositionalTable()
{
    std::fill(std::begin(costereTranspositionalTable), std::end(costereTranspositionalTable), 0);
    for (int n = 0; n < 12; ++n)
        for (int e = 0; e < 12; ++e)
            costereTranspositionalTable[n] += pcPresence[e] * costereCardinalTable[up(e, n)];
}

// Entry n: the same over the elements of TnI of the set, n - e.
void PitchClassSet::calculateCostereInversionalTable()
{
    std::fill(std::begin(costereInversionalTable), std::end(costereInversionalTable), 0);
    for (int n = 0; n < 12; ++n)
        for (int e = 0; e < 12; ++e)
            costereInversionalTable[n] += pcPresence[e] * costereCardinalTable[down(n, e)];
}

// Common tones: entry n counts the elements whose image under Tn (or TnI)
// is again a pitch class of the set.
void PitchClassSet::calculateInvarianceTables()
{
    std::fill(std::begin(invarianceTnTable), std::end(invarianceTnTable), 0);
    std::fill(std::begin(invarianceTnITable), std::end(invarianceTnITable), 0);
    int held[12];
    for (int p = 0; p < 12; ++p)
        held[p] = pcPresence[p] > 0 ? 1 : 0;
    for (int n = 0; n < 12; ++n) {
        int tn = 0, tni = 0;
        for (int e = 0; e < 12; ++e) {
            tn += pcPresence[e] * held[up(e, n)];
            tni += pcPresence[e] * held[down(n, e)];
        }
        invarianceTnTable[n] = tn;
        invarianceTnITable[n] = tni;
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
        (pcPresence[r] > 0 ? inside : outside).push_back(costereCardinalTable[r]);
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

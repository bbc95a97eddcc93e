// Root salience after Parncutt's root-support model, and its mirror image,
// the vertex table (the top of a downward harmonic structure).
//
// A pitch class supports as root itself (weight 10), the root a fifth below
// it (5), a major third below (3), a minor seventh below (2) and a major
// second below (1): the lower harmonics of a complex tone. The vertex table
// reads the same intervals upward.

#include <algorithm>

#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"

namespace {

// Support weight of an interval of k semitones (0 .. 11) between a root and a
// tone above it. The weights add up to 21 over the twelve intervals.
constexpr int kSupportWeight[12] = {10, 0, 1, 0, 3, 0, 0, 5, 0, 0, 2, 0};

// The candidates r (ascending) whose table value is the table's maximum. The
// scan starts below any possible value, so an all-zero table lists all twelve.
std::vector<int> maxima(const int32_t table[12])
{
    int biggest = -9999;
    for (int r = 0; r < 12; ++r)
        if (table[r] > biggest)
            biggest = table[r];
    std::vector<int> result;
    for (int r = 0; r < 12; ++r)
        if (table[r] == biggest)
            result.push_back(r);
    return result;
}

std::vector<int> supportedByAll(const int32_t supportCount[12], int nDistinct)
{
    std::vector<int> result;
    for (int r = 0; r < 12; ++r)
        if (supportCount[r] == nDistinct)
            result.push_back(r);
    return result;
}

} // namespace

void PitchClassSet::calculateParncuttTable()
{
    std::fill(std::begin(parncuttTable), std::end(parncuttTable), 0);
    std::fill(std::begin(parncuttSupportCount), std::end(parncuttSupportCount), 0);
    std::fill(std::begin(parncuttInvTable), std::end(parncuttInvTable), 0);
    std::fill(std::begin(parncuttInvSupportCount), std::end(parncuttInvSupportCount), 0);
    parncuttRoots.clear();
    parncuttVertexes.clear();
    rootGeneratrices.clear();
    vertexGeneratrices.clear();

    for (int r = 0; r < 12; ++r) {
        for (int n = 0; n < 12; ++n) {
            const int p = pcPresence[n];
            if (p == 0)
                continue;
            // n lies k semitones above the candidate root r, and r lies j
            // semitones above n as a candidate vertex.
            const int k = Mod_X_Add(n, -r, 12);
            const int j = Mod_X_Add(r, -n, 12);
            // Repeated pitch classes weigh with their multiplicity but
            // support a candidate only once.
            parncuttTable[r] += p * kSupportWeight[k];
            parncuttInvTable[r] += p * kSupportWeight[j];
            if (kSupportWeight[k] > 0)
                parncuttSupportCount[r] += 1;
            if (kSupportWeight[j] > 0)
                parncuttInvSupportCount[r] += 1;
        }
    }

    parncuttRoots = maxima(parncuttTable);
    parncuttVertexes = maxima(parncuttInvTable);

    // A generatrix is a candidate that every pitch class of the set supports.
    // A single tone is its own generatrix: it is named 0, the root of its
    // Tn-type.
    if (getNelementsNormal() == 1) {
        rootGeneratrices = {0};
        vertexGeneratrices = {0};
    } else {
        rootGeneratrices = supportedByAll(parncuttSupportCount, getNelementsNormal());
        vertexGeneratrices = supportedByAll(parncuttInvSupportCount, getNelementsNormal());
    }
}

std::vector<int> PitchClassSet::getParncuttTable() const
{
    return std::vector<int>(std::begin(parncuttTable), std::end(parncuttTable));
}

std::vector<int> PitchClassSet::getParncuttInvTable() const
{
    return std::vector<int>(std::begin(parncuttInvTable), std::end(parncuttInvTable));
}

int PitchClassSet::getNroots() const
{
    const std::vector<int> table = getParncuttTable();
    return static_cast<int>(std::count(table.begin(), table.end(), getBiggest(table)));
}

int PitchClassSet::getNvertexes() const
{
    const std::vector<int> table = getParncuttInvTable();
    return static_cast<int>(std::count(table.begin(), table.end(), getBiggest(table)));
}

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
// 1 for the intervals that support at all.
constexpr int kSupports[12] = {1, 0, 1, 0, 1, 0, 0, 1, 0, 0, 1, 0};

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

}  // namespace

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
        int root = 0, vertex = 0, rootSupport = 0, vertexSupport = 0;
        for (int n = 0; n < 12; ++n) {
            // n lies k semitones above the candidate root r, and r lies j
            // semitones above n as a candidate vertex (both in 0 .. 11).
            const int k = (n - r + 12) % 12;
            const int j = (r - n + 12) % 12;
            // Repeated pitch classes weigh with their multiplicity but
            // support a candidate only once.
            const int p = pcPresence[n];
            const int held = p > 0 ? 1 : 0;
            root += p * kSupportWeight[k];
            vertex += p * kSupportWeight[j];
            rootSupport += held * kSupports[k];
            vertexSupport += held * kSupports[j];
        }
        parncuttTable[r] = root;
        parncuttInvTable[r] = vertex;
        parncuttSupportCount[r] = rootSupport;
        parncuttInvSupportCount[r] = vertexSupport;
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

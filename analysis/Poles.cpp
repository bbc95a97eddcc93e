// Poles: the points of strongest Costère attraction, inside the set (intra)
// and outside it (extra). Cardinal poles are pitch classes; tonal centres are
// triads, or fifths when the set holds a fifth but no triad.

#include "analysis/Poles.h"

#include <algorithm>

#include "pcset/PitchClassSet.h"

std::vector<PoleInfo> FilterPolesByType(const std::vector<PoleInfo>& poles, int type)
{
    std::vector<PoleInfo> result;
    for (const PoleInfo& pole : poles)
        if (pole.type == type)
            result.push_back(pole);
    return result;
}

int getBiggest(const std::vector<PoleInfo>& poles)
{
    int biggest = -999;
    for (const PoleInfo& pole : poles)
        if (pole.value >= biggest)
            biggest = pole.value;
    return biggest;
}

std::vector<PoleInfo> AddVectors(std::vector<PoleInfo> a, const std::vector<PoleInfo>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

namespace {

// The triads and fifths the set holds, by root: the pitch classes that
// MakeMajorTriad, MakeMinorTriad and MakeFifth list, looked up directly in
// the presence counts (the analysis of the whole catalogue runs this often).
struct Structures {
    bool major[12];
    bool minor[12];
    bool fifth[12];
};

Structures structuresOf(const int32_t presence[12])
{
    Structures s;
    for (int r = 0; r < 12; ++r) {
        const bool root = presence[r] > 0;
        const bool fifth = presence[(r + 7) % 12] > 0;
        s.fifth[r] = root && fifth;
        s.major[r] = s.fifth[r] && presence[(r + 4) % 12] > 0;
        s.minor[r] = s.fifth[r] && presence[(r + 3) % 12] > 0;
    }
    return s;
}

}  // namespace

// 1 when the set holds a major or minor triad, else -1 when it holds a fifth,
// else 0.
int PitchClassSet::GiveTonalType() const
{
    const Structures held = structuresOf(pcPresence);
    for (int r = 0; r < 12; ++r)
        if (held.major[r] || held.minor[r])
            return 1;
    for (int r = 0; r < 12; ++r)
        if (held.fifth[r])
            return -1;
    return 0;
}

namespace {

// The largest of the values collected, -999 when none was: a side without
// candidates then has no pole, since every table value is at least 0.
struct Maximum {
    int value = -999;
    void offer(int v) { value = std::max(value, v); }
};

}  // namespace

void PitchClassSet::calculatePoles()
{
    intrinsicPoles.clear();
    extrinsicPoles.clear();
    tonalPoles.clear();
    mainTonalPoles.clear();

    // Cardinal poles.
    Maximum cardIn, cardOut;
    for (int r = 0; r < 12; ++r)
        (pcPresence[r] > 0 ? cardIn : cardOut).offer(costereCardinalTable[r]);
    for (int r = 0; r < 12; ++r) {
        const int v = costereCardinalTable[r];
        if (pcPresence[r] > 0 && v == cardIn.value)
            intrinsicPoles.push_back({r, v, 0});
        if (pcPresence[r] == 0 && v == cardOut.value)
            extrinsicPoles.push_back({r, v, 0});
    }

    const Structures held = structuresOf(pcPresence);
    const bool* majorIn = held.major;
    const bool* minorIn = held.minor;
    const bool* fifthIn = held.fifth;
    const int32_t* major = costereTonalMajorTable;
    const int32_t* minor = costereTonalMinorTable;

    const int tonalType = GiveTonalType();
    if (tonalType == 1 || tonalType == 0) {
        // Triads. A set without triad or fifth (type 0) has no intra
        // candidate, so only extra centres are found.
        Maximum in, out;
        for (int r = 0; r < 12; ++r) {
            (majorIn[r] ? in : out).offer(major[r]);
            (minorIn[r] ? in : out).offer(minor[r]);
        }
        for (int r = 0; r < 12; ++r) {
            if (majorIn[r] && major[r] == in.value)
                intrinsicPoles.push_back({r, major[r], 1});
            if (!majorIn[r] && major[r] == out.value)
                extrinsicPoles.push_back({r, major[r], 1});
        }
        for (int r = 0; r < 12; ++r) {
            if (minorIn[r] && minor[r] == in.value)
                intrinsicPoles.push_back({r, minor[r], 2});
            if (!minorIn[r] && minor[r] == out.value)
                extrinsicPoles.push_back({r, minor[r], 2});
        }
    } else {
        // Fifths and no triad: a fifth inside the set is weighed both with
        // the major and with the minor tonal value of its root; outside, the
        // centre is the triad on a root whose fifth is missing.
        Maximum in, out;
        for (int r = 0; r < 12; ++r) {
            (fifthIn[r] ? in : out).offer(major[r]);
            (fifthIn[r] ? in : out).offer(minor[r]);
        }
        for (int r = 0; r < 12; ++r) {
            if (fifthIn[r] && major[r] == in.value)
                intrinsicPoles.push_back({r, major[r], -1});
            if (!fifthIn[r] && major[r] == out.value)
                extrinsicPoles.push_back({r, major[r], 1});
        }
        for (int r = 0; r < 12; ++r) {
            if (fifthIn[r] && minor[r] == in.value)
                intrinsicPoles.push_back({r, minor[r], -2});
            if (!fifthIn[r] && minor[r] == out.value)
                extrinsicPoles.push_back({r, minor[r], 2});
        }
    }

    // Binary components: roots on which the set holds both triads. The third
    // field carries the tonal-minor value.
    for (int r = 0; r < 12; ++r)
        if (majorIn[r] && minorIn[r])
            tonalPoles.push_back({r, major[r], minor[r]});

    // Binary centres: the binary components that reach the strongest
    // attraction among the triad centres inside the set.
    const int top =
        std::max(getBiggest(FilterPolesByType(intrinsicPoles, 1)), getBiggest(FilterPolesByType(intrinsicPoles, 2)));
    for (const PoleInfo& pole : tonalPoles)
        if (pole.value == top || pole.type == top)
            mainTonalPoles.push_back(pole);
}

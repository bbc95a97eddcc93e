// Poles: the points of strongest Costère attraction, inside the set (intra)
// and outside it (extra). Cardinal poles are pitch classes; tonal centres are
// triads, or fifths when the set holds a fifth but no triad.

#include "analysis/Poles.h"

#include <algorithm>

#include "analysis/ChordBuilders.h"
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

// 1 when the set holds a major or minor triad, else -1 when it holds a fifth,
// else 0.
int PitchClassSet::GiveTonalType() const
{
    for (int r = 0; r < 12; ++r)
        if (isIntrinsic(MakeMajorTriad(r)) || isIntrinsic(MakeMinorTriad(r)))
            return 1;
    for (int r = 0; r < 12; ++r)
        if (isIntrinsic(MakeFifth(r)))
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

} // namespace

void PitchClassSet::calculatePoles()
{
    intrinsicPoles.clear();
    extrinsicPoles.clear();
    tonalPoles.clear();
    mainTonalPoles.clear();

    // Cardinal poles.
    Maximum cardIn, cardOut;
    for (int r = 0; r < 12; ++r)
        (isIntrinsic(r) ? cardIn : cardOut).offer(costereCardinalTable[r]);
    for (int r = 0; r < 12; ++r) {
        const int v = costereCardinalTable[r];
        if (isIntrinsic(r) && v == cardIn.value)
            intrinsicPoles.push_back({r, v, 0});
        if (!isIntrinsic(r) && v == cardOut.value)
            extrinsicPoles.push_back({r, v, 0});
    }

    bool majorIn[12], minorIn[12], fifthIn[12];
    for (int r = 0; r < 12; ++r) {
        majorIn[r] = isIntrinsic(MakeMajorTriad(r));
        minorIn[r] = isIntrinsic(MakeMinorTriad(r));
        fifthIn[r] = isIntrinsic(MakeFifth(r));
    }
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
    const int top = std::max(getBiggest(FilterPolesByType(intrinsicPoles, 1)),
                             getBiggest(FilterPolesByType(intrinsicPoles, 2)));
    for (const PoleInfo& pole : tonalPoles)
        if (pole.value == top || pole.type == top)
            mainTonalPoles.push_back(pole);
}

#include <vector>

#include <gtest/gtest.h>

#include "pcset/Conversions.h"
#include "analysis/AnalysedSet.h"
#include "relations/Molds.h"
#include "relations/SetAlgebra.h"

namespace {

const Pcs cMajor = {0, 2, 4, 5, 7, 9, 11};
const Pcs chromatic = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};

TEST(Molds, MoldOfPlacedSets)
{
    struct Case {
        Pcs collection, set;
        int level;
        Pcs mold;
    } cases[] = {
        {cMajor, {0, 4, 7}, 0, {1, 1, 2}},  // C major triad: thirds skip one degree, the fourth two
        {cMajor, {0, 4, 7}, 7, {1, 1, 2}},  // G major triad, 7 11 2
        {cMajor, {0}, 5, {6}},              // a single note skips every other degree
        {chromatic, {0, 4, 8}, 1, {3, 3, 3}},
        {{0, 4, 7}, {0, 4, 7}, 0, {0, 0, 0}},  // a set inside itself
        {{7, 11, 2}, {0, 4}, 7, {0, 1}},       // a normal form that wraps past 11
        {cMajor, {7, 0, 4}, 0, {2, 1, 1}},     // the mold follows the order of the notes
        {cMajor, {0, 4, 7}, 1, {}},            // C# is not in C major: no placement, and no endless search
        {cMajor, {0, 4}, 2, {}},               // the second note (F#) is missing
        {cMajor, {}, 0, {}},
        {{}, {0}, 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(findImitationMold(c.collection, c.set, c.level), c.mold)
            << VectorToString(c.set) << " at " << c.level << " in " << VectorToString(c.collection);
}

TEST(Molds, EquallySpaced)
{
    EXPECT_EQ(IsEquallySpaced(chromatic, Pcs{0, 4, 8}), 1);
    EXPECT_EQ(IsEquallySpaced(cMajor, Pcs{0, 4, 7}), 0);
    EXPECT_EQ(IsEquallySpaced(cMajor, Pcs{4, 11}), 0);  // 3 and 2 degrees skipped
    EXPECT_EQ(IsEquallySpaced(cMajor, Pcs{5}), 1);
    EXPECT_EQ(IsEquallySpaced(cMajor, Pcs{1, 5, 9}), 0);  // not placed in the collection
}

TEST(Molds, CompareImitationMolds)
{
    struct Case {
        Pcs m1, m2;
        int expected;
    } cases[] = {
        {{1, 1, 2}, {1, 1, 2}, 1},
        {{1, 2}, {2, 1}, 1},         // rotation
        {{1, 2, 3}, {3, 2, 1}, -1},  // only the retrograde matches
        {{1, 2, 3}, {2, 1, 3}, -1},  // a rotation of the retrograde
        {{1, 2, 4}, {1, 2, 3}, 0},
        {{1, 1, 2}, {2, 1, 1}, 1},  // rotation and retrograde both match: rotation wins
        {{0, 0, 0}, {0, 0, 0}, 0},  // all-zero molds never compare
        {{1, 0}, {0, 0}, 0},
        {{1, 2}, {1, 2, 1}, 0},  // different lengths
        {{}, {1}, 0},
        {{1}, {}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(compareImitationMolds(c.m1, c.m2), c.expected)
            << VectorToString(c.m1) << " vs " << VectorToString(c.m2);
}

TEST(Molds, VectorIsIntrinsicCountsEqualPairs)
{
    struct Case {
        Pcs container, candidate;
        bool expected;
    } cases[] = {
        {{0, 4, 7}, {7, 0}, true}, {{0, 4, 7}, {7, 1}, false}, {{0, 4, 7}, {}, true},
        {{}, {0}, false},          {{0, 0, 4}, {0}, false},  // two pairs for one candidate: not a plain containment
        {{0, 4}, {0, 0}, true},                              // each repeated candidate finds its one partner
        {{0, 0, 4}, {0, 9}, true},                           // two pairs from 0 make up for the missing 9
    };
    for (const Case& c : cases)
        EXPECT_EQ(VectorIsIntrinsic(c.container, c.candidate), c.expected)
            << VectorToString(c.candidate) << " in " << VectorToString(c.container);
}

TEST(Molds, InversionLevelInsideTransposedSet)
{
    // The major triad inverted at level 7 ({7, 3, 0}) lies inside {0, 3, 4, 7}.
    EXPECT_EQ(convertInvTnLevelToInvLevel(Pcs{0, 3, 4, 7}, 0, Pcs{0, 4, 7}), -7);
    // G minor (T_7 of 0 3 7) is the major triad inverted at level 2.
    EXPECT_EQ(convertInvTnLevelToInvLevel(Pcs{0, 3, 7}, 7, Pcs{0, 4, 7}), -2);
    EXPECT_EQ(convertInvTnLevelToInvLevel(Pcs{0, 4, 7}, 0, Pcs{0}), 0);   // level 0 is 0, not negative
    EXPECT_EQ(convertInvTnLevelToInvLevel(Pcs{0, 4, 7}, 2, Pcs{0}), -2);  // {2, 6, 9}: the first is I_2 of 0
    EXPECT_EQ(convertInvTnLevelToInvLevel(Pcs{0, 4, 7}, 0, Pcs{0, 1}), -99);
}

TEST(Molds, IntrinsicTranspositionIndexes)
{
    const PitchClassSet major = Loaded({0, 4, 7});
    struct Case {
        Pcs list, levels;
    } cases[] = {
        // Smaller than P: the levels n at which T_n(list) lies inside P.
        {{0}, {0, 4, 7}},
        {{0, 3}, {4}},  // minor third E-G
        {{0, 4}, {0}},  // major third C-E
        {{0, 1}, {}},
        // As large or larger: T_n(P) lies inside the list, recorded as the
        // level -n that carries it back onto P.
        {{0, 4, 7}, {0}},
        {{0, 3, 7}, {}},
        {{2, 6, 9, 0}, {10}},  // D major inside D7: T_2, recorded as 10
        {cMajor, {0, 5, 7}},   // C, F, G major: n = 12, 7, 5
        {chromatic, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(findIntrinsicTranspositionIndexes({c.list}, major), std::vector<Pcs>{c.levels})
            << VectorToString(c.list);
    EXPECT_TRUE(findIntrinsicTranspositionIndexes({}, major).empty());
}

TEST(Molds, RemainderAfterFragments)
{
    const PitchClassSet major = Loaded({7, 11, 2});  // Tn-type 0 4 7
    struct Case {
        std::vector<Pcs> fragments, levels;
        std::vector<Pcs> tnTypes, remainderLevels;
    } cases[] = {
        // Fragments covering the whole Tn-type leave nothing.
        {{{0, 4, 7}, {0, 4}}, {{0}, {0, 3}}, {{}, {}}, {{}, {}}},
        // The third C-E leaves G: Tn-type 0, found at level 7.
        {{{0, 4}}, {{0}}, {{0}}, {{7}}},
        {{{0}}, {{0, 4}}, {{0}}, {{7}}},
        // A fragment without levels covers nothing.
        {{{0, 4}}, {{}}, {{0, 4, 7}}, {{0}}},
        {{{0, 4}}, {}, {{0, 4, 7}}, {{0}}},
    };
    for (const Case& c : cases) {
        const std::vector<RobustSetInfo> r = findRemainder(c.fragments, c.levels, major);
        ASSERT_EQ(r.size(), c.fragments.size());
        for (size_t i = 0; i < r.size(); ++i) {
            EXPECT_EQ(r[i].tnType, c.tnTypes[i]) << i;
            EXPECT_EQ(r[i].levels, c.remainderLevels[i]) << i;
        }
    }

    // 0 1 3 5 6 8 10 (the major scale from its seventh degree) without the
    // major triad at level 1 leaves 0 3 6 10, a half-diminished seventh of
    // Tn-type 0 2 5 8 at level 10.
    const PitchClassSet mode = Loaded({0, 1, 3, 5, 6, 8, 10});
    const std::vector<RobustSetInfo> r = findRemainder({{0, 4, 7}}, {{1}}, mode);
    EXPECT_EQ(r[0].tnType, (Pcs{0, 2, 5, 8}));
    EXPECT_EQ(r[0].levels, Pcs{10});
}

}  // namespace

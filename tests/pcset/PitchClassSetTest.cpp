#include <algorithm>
#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "analysis/AnalysedSet.h"
#include "pcset/Conversions.h"
#include "pcset/PitchUniverse.h"

namespace {

// The sum's residue in 0 .. m-1 for every int, extremes included, as the
// repeated add-subtract loop it replaces would give (after a very long time).
TEST(ModXAdd, ResidueOfTheSumForEveryInt)
{
    struct Case {
        int a, b, m, residue;
    };
    const Case cases[] = {
        {5, 7, 12, 0},
        {-1, 0, 12, 11},
        {-13, 0, 12, 11},
        {11, 1, 12, 0},
        {0, -12, 12, 0},
        {3, 4, 1, 0},
        {-7, 3, 5, 1},
        {INT_MAX, INT_MAX, 12, 2},
        {INT_MIN, INT_MIN, 12, 8},
        {INT_MIN, -1, 12, 3},
        {INT_MAX, 1, 12, 8},
        {INT_MIN, INT_MAX, 7, 6},
        {INT_MAX, 0, INT_MAX, 0},
        {INT_MIN, 0, INT_MAX, 2147483646},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Mod_X_Add(c.a, c.b, c.m), c.residue) << c.a << " + " << c.b << " mod " << c.m;
    EXPECT_EQ(Mod_X_Add(5, 5, 0), 0);  // no modulus below 1: defined, not a hang
}

TEST(NormalForm, PicksSmallestSpanThenLeftPackingThenLowestStart)
{
    struct Case {
        Pcs input, normal;
    };
    const Case cases[] = {
        {{0, 4, 7}, {0, 4, 7}},
        {{4, 7, 0}, {0, 4, 7}},
        {{7, 11, 2}, {7, 11, 2}},
        {{0, 1, 3, 7, 8}, {0, 1, 3, 7, 8}},  // ties with 7 8 0 1 3 broken by the third note
        {{2, 6, 10}, {2, 6, 10}},            // repeats under transposition: lowest start
        {{0, 1, 11}, {11, 0, 1}},            // wraps past 11
        {{0, 6}, {0, 6}},
        {{5}, {5}},
        {{3, 9, 15, -3}, {3, 9}},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {{}, {}},
    };
    PitchClassSet s;
    for (const Case& c : cases)
        EXPECT_EQ(s.calculateNormalForm(c.input), c.normal);
}

TEST(PitchClassSet, LoadingReducesKeepsDuplicatesAndCountsPresence)
{
    PitchClassSet s;
    s.initializeSet({12, 0, -12, 4});
    EXPECT_EQ(s.getNelements(), 4);
    EXPECT_EQ(Pcs(s.elements, s.elements + 4), (Pcs{0, 0, 0, 4}));
    EXPECT_EQ(s.pcPresence[0], 3);
    EXPECT_EQ(s.pcPresence[4], 1);
    EXPECT_EQ(s.getNelementsNormal(), 2);
    EXPECT_EQ(s.getNormalForm(), (Pcs{0, 4}));

    s.initializeSet({});
    EXPECT_EQ(s.getNelements(), 0);
    EXPECT_TRUE(s.getNormalForm().empty());
    EXPECT_TRUE(s.getTnType().empty());
    EXPECT_EQ(s.pcPresence[0], 0);
}

TEST(PitchClassSet, ListsLongerThanTheRecordKeepTheirFirstHundredValues)
{
    Pcs list(150, 3);
    list[99] = 5;
    list[100] = 7;  // beyond the record: dropped
    PitchClassSet s;
    s.initializeSet(list);
    EXPECT_EQ(s.getNelements(), PitchClassSet::MaxElements);
    EXPECT_EQ(s.pcPresence[3], 99);
    EXPECT_EQ(s.getNormalForm(), (Pcs{3, 5}));
}

TEST(PitchClassSet, CanonicalForms)
{
    struct Case {
        Pcs input, tn, tni, invTn, complement, vector;
    };
    const Case cases[] = {
        {{0, 4, 7}, {0, 4, 7}, {0, 3, 7}, {0, 3, 7}, {8, 9, 10, 11, 1, 2, 3, 5, 6}, {0, 0, 1, 1, 1, 0}},
        {{0, 3, 7}, {0, 3, 7}, {0, 3, 7}, {0, 4, 7}, {}, {0, 0, 1, 1, 1, 0}},
        {{7, 11, 2}, {0, 4, 7}, {0, 3, 7}, {0, 3, 7}, {}, {0, 0, 1, 1, 1, 0}},
        {{0, 2, 5, 6}, {0, 2, 5, 6}, {0, 1, 4, 6}, {0, 1, 4, 6}, {}, {1, 1, 1, 1, 1, 1}},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
         {},
         {12, 12, 12, 12, 12, 6}},
    };
    for (const Case& c : cases) {
        PitchClassSet s;
        s.initializeSet(c.input);
        s.calculateIntervalVectorII();
        EXPECT_EQ(s.getTnType(), c.tn);
        EXPECT_EQ(s.getTnIType(), c.tni);
        EXPECT_EQ(s.getInvTnType(), c.invTn);
        if (!c.complement.empty()) {
            EXPECT_EQ(s.getComplementary(), c.complement);
        }
        EXPECT_EQ(s.getIntervalVector(), c.vector);
    }
    PitchClassSet full;
    full.initializeSet({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    EXPECT_TRUE(full.getComplementary().empty());
    EXPECT_TRUE(full.calculateIntervalVector({}).empty());
}

TEST(PitchClassSet, TransformationsKeepOrderAndDuplicates)
{
    PitchClassSet s;
    s.initializeSet({0, 4, 7, 4});
    EXPECT_EQ(s.get_PitchClassSet(0, 2), (Pcs{2, 6, 9, 6}));
    EXPECT_EQ(s.get_PitchClassSet(1, 0), (Pcs{0, 8, 5, 8}));
    EXPECT_EQ(s.get_PitchClassSet(1, 14), (Pcs{2, 10, 7, 10}));
    EXPECT_EQ(s.get_PitchClassSet(5, -1), (Pcs{11, 3, 6, 3}));  // any mode but 1 transposes
}

// Every non-empty set has a well-formed Tn-type, and that type has its page
// in the catalogue.
TEST(PitchClassSet, EveryTnTypeBeginsOnZeroAndHasItsPage)
{
    PitchClassSet s;
    for (const Pcs& set : EveryNonEmptySet()) {
        Pcs tn = s.calculateTnType(set);
        EXPECT_LT(FindSetID(VectorToString(tn), SharedUniverse()), PitchUniverse::NumTnTypes) << VectorToString(set);
        ASSERT_EQ(tn.size(), set.size());
        EXPECT_EQ(tn.front(), 0);
        EXPECT_TRUE(std::is_sorted(tn.begin(), tn.end()));
        EXPECT_EQ(s.calculateTnType(tn), tn);
        Pcs tni = s.calculateTnIType(set);
        EXPECT_TRUE(tni == tn || tni == s.calculateTnType(s.genericInvertion(set)));
    }
}

}  // namespace

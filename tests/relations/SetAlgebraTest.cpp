#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"
#include "relations/SetAlgebra.h"

namespace {

using Pcs = std::vector<int>;

TEST(SetAlgebra, OperateVectorSetTransposesOrInvertsKeepingOrder)
{
    struct Case {
        Pcs list;
        int level, mode;
        Pcs expected;
    } cases[] = {
        {{0, 4, 7}, 0, -1, {0, 8, 5}},
        {{0, 4, 7}, 2, 1, {2, 6, 9}},
        {{0, 4, 7}, 2, 0, {2, 6, 9}},    // any mode but -1 transposes
        {{7, 0, 7}, 5, 1, {0, 5, 0}},    // order and duplicates kept
        {{0, 4, 7}, -1, 1, {11, 3, 6}},  // negative level
        {{0, 4, 7}, 14, -1, {2, 10, 7}},
        {{13, -1}, 0, 1, {1, 11}},
        {{-2147483647 - 1}, 0, -1, {8}},  // -2^31 is pitch class 4, inverted without overflow
        {{}, 3, 1, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(operateVectorSet(c.list, c.level, c.mode), c.expected)
            << VectorToString(c.list) << " level " << c.level << " mode " << c.mode;
    }
}

TEST(SetAlgebra, InvarianceTables)
{
    const Pcs major = {0, 4, 7};
    // Common tones of the major triad with its transpositions: 3 at T0, one
    // each at the fourth, fifth and both thirds.
    EXPECT_EQ(CalculateInvarianceTableBetweenTn(major), (Pcs{3, 0, 0, 1, 1, 1, 0, 1, 1, 1, 0, 0}));
    // With its inversions I_n: I_7 = {7, 3, 0} shares 0 and 7; I_11 = {11, 7, 4} shares 4 and 7.
    const Pcs tni = CalculateInvarianceTableBetweenTnI(major);
    EXPECT_EQ(tni[7], 2);
    EXPECT_EQ(tni[11], 2);
    EXPECT_EQ(tni[4], 2);  // {4, 0, 9}
    // Between two sets: how many tones of T_n(B) are in A.
    EXPECT_EQ(CalculateInvarianceTableBetween(major, Pcs{0, 3}), (Pcs{1, 1, 0, 0, 2, 0, 0, 1, 0, 1, 0, 0}));
    // A repeated pitch class is counted each time it occurs in the transform.
    EXPECT_EQ(CalculateInvarianceTableBetweenTn(Pcs{0, 0, 4})[0], 3);
    EXPECT_EQ(CalculateInvarianceTableBetweenTn(Pcs{0, 0, 4})[4], 2);
}

// Every record of every table of every Tn-type: its levels are exactly the
// disjoint levels, each union has the record's Tn-type, and the union level
// transposes that Tn-type onto the union's normal form.
TEST(SetAlgebra, ConjunctionTablesAreConsistentOverTheCatalogue)
{
    const PitchClassSet tool;
    const PitchUniverse& u = SharedUniverse();
    for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
        const Pcs a = StringToVector(u.tnTypes[i]);
        const Pcs b = StringToVector(u.tnTypes[(i * 7) % PitchUniverse::NumTnTypes]);
        struct Variant {
            std::vector<ReversibilityInfo> table;
            Pcs invariance;
            Pcs partnerBase;
            int mode;
        } variants[] = {
            {CalculateConjunctionsBetweenTn(a), CalculateInvarianceTableBetweenTn(a), a, 1},
            {CalculateConjunctionsBetweenTnI(a), CalculateInvarianceTableBetweenTnI(a), a, -1},
            {CalculateConjunctionsBetween(a, b), CalculateInvarianceTableBetween(a, b), b, 1},
        };
        for (const Variant& v : variants) {
            Pcs levels, expectedLevels;
            for (int n = 0; n < 12; ++n)
                if (v.invariance[n] == 0)
                    expectedLevels.push_back(n);
            for (const ReversibilityInfo& r : v.table) {
                ASSERT_EQ(r.levels.size(), r.unionLevels.size()) << u.tnTypes[i];
                for (size_t k = 0; k < r.levels.size(); ++k) {
                    const Pcs unionNormal =
                        tool.calculateNormalForm(AddVectors(a, operateVectorSet(v.partnerBase, r.levels[k], v.mode)));
                    EXPECT_EQ(tool.calculateTnType(unionNormal), r.unionTnType);
                    EXPECT_EQ(operateVectorSet(r.unionTnType, r.unionLevels[k], 1), unionNormal);
                    EXPECT_EQ(unionNormal.size(), a.size() + v.partnerBase.size());  // disjoint
                    levels.push_back(r.levels[k]);
                }
            }
            std::sort(levels.begin(), levels.end());
            EXPECT_EQ(levels, expectedLevels) << u.tnTypes[i];
        }
    }
}

}  // namespace

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

    // Catalogue-wide: entry 0 of the Tn table is the cardinality, and the
    // entries add up to the square of it (each ordered pair of tones meets once).
    const PitchUniverse& u = SharedUniverse();
    for (const std::string& text : u.tnTypes) {
        const Pcs t = StringToVector(text);
        const Pcs tn = CalculateInvarianceTableBetweenTn(t), tniOfT = CalculateInvarianceTableBetweenTnI(t);
        const int n = static_cast<int>(t.size());
        ASSERT_EQ(tn.size(), 12u);
        EXPECT_EQ(tn[0], n) << text;
        EXPECT_EQ(std::accumulate(tn.begin(), tn.end(), 0), n * n) << text;
        EXPECT_EQ(std::accumulate(tniOfT.begin(), tniOfT.end(), 0), n * n) << text;
    }
}

TEST(SetAlgebra, ConjunctionsOfSemitone)
{
    const std::vector<ReversibilityInfo> table = CalculateConjunctionsBetweenTn(Pcs{0, 1});
    Pcs allLevels;
    for (const ReversibilityInfo& r : table)
        allLevels.insert(allLevels.end(), r.levels.begin(), r.levels.end());
    std::sort(allLevels.begin(), allLevels.end());
    EXPECT_EQ(allLevels, (Pcs{2, 3, 4, 5, 6, 7, 8, 9, 10}));

    // The first record is the union at level 2, {0 1 2 3}, met again at level 10.
    ASSERT_FALSE(table.empty());
    EXPECT_EQ(table[0].unionTnType, (Pcs{0, 1, 2, 3}));
    EXPECT_EQ(table[0].levels, (Pcs{2, 10}));
    EXPECT_EQ(table[0].unionLevels, (Pcs{0, 10}));
    // Records stand in the order of their smallest level.
    for (size_t i = 1; i < table.size(); ++i)
        EXPECT_LT(table[i - 1].levels.front(), table[i].levels.front());
}

TEST(SetAlgebra, NoConjunctionsWhenEveryTransformSharesATone)
{
    const Pcs aggregate = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    EXPECT_TRUE(CalculateConjunctionsBetweenTn(aggregate).empty());
    EXPECT_TRUE(CalculateConjunctionsBetweenTnI(aggregate).empty());
    // Seven tones always meet any transform of themselves.
    EXPECT_TRUE(CalculateConjunctionsBetweenTn(Pcs{0, 2, 4, 5, 7, 9, 11}).empty());
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

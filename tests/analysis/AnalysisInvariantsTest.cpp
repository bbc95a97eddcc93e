// Structural properties every analysed set must have, checked on the whole
// catalogue of Tn-types and on versions of them with repeated pitch classes.
// A wrong weight, index or direction in any table breaks one of them.

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>
#include <string>

#include <gtest/gtest.h>

#include "analysis/ChordBuilders.h"
#include "analysis/Poles.h"
#include "analysis/Psychoacoustics.h"
#include "analysis/AnalysedSet.h"
#include "pcset/PitchUniverse.h"

namespace {

// The 351 Tn-types, then each again with its first pitch class doubled and its
// last one tripled.
std::vector<Pcs> TestLists()
{
    std::vector<Pcs> lists;
    const PitchUniverse& universe = SharedUniverse();
    for (const std::string& text : universe.tnTypes)
        lists.push_back(StringToVector(text));
    const size_t nTypes = lists.size();
    for (size_t i = 0; i < nTypes; ++i) {
        Pcs repeated = lists[i];
        repeated.push_back(lists[i].front());
        repeated.push_back(lists[i].back());
        repeated.push_back(lists[i].back());
        lists.push_back(repeated);
    }
    return lists;
}

int Sum(const Pcs& v) { return std::accumulate(v.begin(), v.end(), 0); }

// Entry r of the result is entry (a*r + b) mod 12 of the table.
Pcs Reindexed(const Pcs& table, int a, int b)
{
    Pcs result(12);
    for (int r = 0; r < 12; ++r)
        result[r] = table[Mod_X_Add(a * r, b, 12)];
    return result;
}

Pcs Shifted(Pcs pcs, int k)
{
    for (int& pc : pcs)
        pc = Mod_X_Add(pc, k, 12);
    std::sort(pcs.begin(), pcs.end());
    return pcs;
}

std::vector<PoleInfo> ShiftedPoles(std::vector<PoleInfo> poles, int k)
{
    for (PoleInfo& p : poles)
        p.pc = Mod_X_Add(p.pc, k, 12);
    return poles;
}

TEST(AnalysisInvariants, TableSumsFollowTheWeightsAndTheNumberOfElements)
{
    for (const Pcs& list : TestLists()) {
        SCOPED_TRACE(VectorToString(list));
        const PitchClassSet s = Analysed(list);
        const int n = s.getNelements();
        const int distinct = s.getNelementsNormal();
        // Each element spreads 10 + 5 + 3 + 2 + 1 over the candidate roots
        // and vertexes, 5 over the cardinal table, three times that over the
        // triads; each of n elements meets each of the n transposed ones.
        EXPECT_EQ(Sum(s.getParncuttTable()), 21 * n);
        EXPECT_EQ(Sum(s.getParncuttInvTable()), 21 * n);
        EXPECT_EQ(Sum(s.getCostereCardinalTable()), 5 * n);
        EXPECT_EQ(Sum(s.getCostereTonalMajorTable()), 15 * n);
        EXPECT_EQ(Sum(s.getCostereTonalMinorTable()), 15 * n);
        EXPECT_EQ(Sum(s.getCostereTranspositionalTable()), 5 * n * n);
        EXPECT_EQ(Sum(s.getCostereInversionalTable()), 5 * n * n);
        EXPECT_EQ(s.invarianceTnTable[0], n);
        EXPECT_EQ(Sum(s.getInvarianceTnTable()), n * distinct);
        EXPECT_EQ(Sum(s.getInvarianceTnITable()), n * distinct);
        // Each distinct pitch class supports five candidates, once.
        EXPECT_EQ(Sum(Table(s.parncuttSupportCount)), 5 * distinct);
        EXPECT_EQ(Sum(Table(s.parncuttInvSupportCount)), 5 * distinct);

        const int top = getBiggest(s.getParncuttTable());
        ASSERT_FALSE(s.parncuttRoots.empty());
        EXPECT_EQ(s.getNroots(), static_cast<int>(s.parncuttRoots.size()));
        EXPECT_EQ(s.getNvertexes(), static_cast<int>(s.parncuttVertexes.size()));
        for (int r : s.parncuttRoots)
            EXPECT_EQ(s.parncuttTable[r], top);
        EXPECT_EQ(s.inWeight + s.exWeight > 0, distinct != 12);
    }
}

TEST(AnalysisInvariants, PolesLieOnTheRightSideOfTheSet)
{
    for (const Pcs& list : TestLists()) {
        SCOPED_TRACE(VectorToString(list));
        const PitchClassSet s = Analysed(list);
        const int tonalType = s.GiveTonalType();
        bool triad = false, fifth = false;
        for (int r = 0; r < 12; ++r) {
            triad = triad || s.isIntrinsic(MakeMajorTriad(r)) || s.isIntrinsic(MakeMinorTriad(r));
            fifth = fifth || s.isIntrinsic(MakeFifth(r));
        }
        EXPECT_EQ(tonalType, triad ? 1 : fifth ? -1 : 0);
        for (const PoleInfo& p : s.intrinsicPoles) {
            switch (p.type) {
            case 0:
                EXPECT_TRUE(s.isIntrinsic(p.pc));
                break;
            case 1:
                EXPECT_TRUE(s.isIntrinsic(MakeMajorTriad(p.pc)));
                EXPECT_EQ(tonalType, 1);
                break;
            case 2:
                EXPECT_TRUE(s.isIntrinsic(MakeMinorTriad(p.pc)));
                EXPECT_EQ(tonalType, 1);
                break;
            default:
                EXPECT_TRUE(s.isIntrinsic(MakeFifth(p.pc)));
                EXPECT_EQ(tonalType, -1);
                break;
            }
        }
        for (const PoleInfo& p : s.extrinsicPoles) {
            switch (p.type) {
            case 0:
                EXPECT_FALSE(s.isIntrinsic(p.pc));
                break;
            case 1:
                EXPECT_FALSE(s.isIntrinsic(MakeMajorTriad(p.pc)));
                break;
            case 2:
                EXPECT_FALSE(s.isIntrinsic(MakeMinorTriad(p.pc)));
                break;
            default:
                ADD_FAILURE() << "fifth centre outside the set";
            }
        }
        // A set with a pitch class outside has an extra cardinal pole; a set
        // with a triad or fifth has an intra tonal centre.
        EXPECT_EQ(FilterPolesByType(s.extrinsicPoles, 0).empty(), s.getNelementsNormal() == 12);
        EXPECT_EQ(s.intrinsicPoles.size() > FilterPolesByType(s.intrinsicPoles, 0).size(), tonalType != 0);
        for (const PoleInfo& p : s.mainTonalPoles)
            EXPECT_TRUE(s.isIntrinsic(MakeMajorTriad(p.pc)) && s.isIntrinsic(MakeMinorTriad(p.pc)));
    }
}

// The transposed sets are analysed in one reused record, so that anything
// an analysis step fails to clear from the previous set shows up here too.
TEST(AnalysisInvariants, TranspositionRotatesTablesAndMovesPoles)
{
    PitchClassSet t;
    for (const Pcs& list : TestLists()) {
        const PitchClassSet s = Analysed(list);
        const float tonicity = CalculateTonicity(s), phonicity = CalculatePhonicity(s);
        const float azimuth = CalculateAzimuth(s);
        for (int k = 1; k < 12; ++k) {
            SCOPED_TRACE(VectorToString(list) + " T" + std::to_string(k));
            t.initializeSet(s.get_PitchClassSet(0, k));
            t.calculateEverything();
            EXPECT_EQ(t.getIntervalVector(), s.getIntervalVector());
            // Entry r of the transposed set's table is entry r - k of the original's.
            EXPECT_EQ(t.getParncuttTable(), Reindexed(s.getParncuttTable(), 1, -k));
            EXPECT_EQ(t.getParncuttInvTable(), Reindexed(s.getParncuttInvTable(), 1, -k));
            EXPECT_EQ(Table(t.parncuttSupportCount), Reindexed(Table(s.parncuttSupportCount), 1, -k));
            EXPECT_EQ(Table(t.parncuttInvSupportCount), Reindexed(Table(s.parncuttInvSupportCount), 1, -k));
            EXPECT_EQ(t.getCostereCardinalTable(), Reindexed(s.getCostereCardinalTable(), 1, -k));
            EXPECT_EQ(t.getCostereTonalMajorTable(), Reindexed(s.getCostereTonalMajorTable(), 1, -k));
            EXPECT_EQ(t.getCostereTonalMinorTable(), Reindexed(s.getCostereTonalMinorTable(), 1, -k));
            EXPECT_EQ(t.getCostereTranspositionalTable(), s.getCostereTranspositionalTable());
            EXPECT_EQ(t.getInvarianceTnTable(), s.getInvarianceTnTable());
            // TnI of the transposed set is T(n-2k)I of the original.
            EXPECT_EQ(t.getCostereInversionalTable(), Reindexed(s.getCostereInversionalTable(), 1, -2 * k));
            EXPECT_EQ(t.getInvarianceTnITable(), Reindexed(s.getInvarianceTnITable(), 1, -2 * k));
            EXPECT_EQ(t.inWeight, s.inWeight);
            EXPECT_EQ(t.exWeight, s.exWeight);
            EXPECT_EQ(t.parncuttRoots, Shifted(s.parncuttRoots, k));
            EXPECT_EQ(t.parncuttVertexes, Shifted(s.parncuttVertexes, k));
            if (s.getNelementsNormal() > 1) {
                EXPECT_EQ(t.rootGeneratrices, Shifted(s.rootGeneratrices, k));
                EXPECT_EQ(t.vertexGeneratrices, Shifted(s.vertexGeneratrices, k));
            }
            // Poles keep their values and order by type; within a type they
            // are listed by pitch class, so compare them as sorted lists.
            for (auto member : {&PitchClassSet::intrinsicPoles, &PitchClassSet::extrinsicPoles,
                                &PitchClassSet::tonalPoles, &PitchClassSet::mainTonalPoles}) {
                auto byTypeThenPc = [](const PoleInfo& x, const PoleInfo& y) {
                    return std::tie(x.type, x.pc, x.value) < std::tie(y.type, y.pc, y.value);
                };
                std::vector<PoleInfo> moved = ShiftedPoles(s.*member, k), found = t.*member;
                std::sort(moved.begin(), moved.end(), byTypeThenPc);
                std::sort(found.begin(), found.end(), byTypeThenPc);
                EXPECT_EQ(Describe(moved), Describe(found));
            }
            EXPECT_EQ(t.attributes, s.attributes);  // the words name properties of the Tn-type
            EXPECT_EQ(CalculateTonicity(t), tonicity);
            EXPECT_EQ(CalculatePhonicity(t), phonicity);
            EXPECT_EQ(CalculateAzimuth(t), azimuth);
        }
    }
}

TEST(AnalysisInvariants, InversionSwapsRootsWithVertexesAndMajorWithMinor)
{
    for (const Pcs& list : TestLists()) {
        SCOPED_TRACE(VectorToString(list));
        const PitchClassSet s = Analysed(list);
        const PitchClassSet i = Analysed(s.get_PitchClassSet(1, 0));
        // Pitch class r of the inversion is -r of the original; the major
        // triad on r of the inversion is the minor triad on -r-7.
        EXPECT_EQ(i.getParncuttTable(), Reindexed(s.getParncuttInvTable(), -1, 0));
        EXPECT_EQ(i.getParncuttInvTable(), Reindexed(s.getParncuttTable(), -1, 0));
        EXPECT_EQ(i.getCostereCardinalTable(), Reindexed(s.getCostereCardinalTable(), -1, 0));
        EXPECT_EQ(i.getCostereTonalMajorTable(), Reindexed(s.getCostereTonalMinorTable(), -1, -7));
        EXPECT_EQ(i.getCostereTonalMinorTable(), Reindexed(s.getCostereTonalMajorTable(), -1, -7));
        EXPECT_EQ(i.GiveTonalType(), s.GiveTonalType());
        EXPECT_EQ(i.inWeight, s.inWeight);
        EXPECT_EQ(i.exWeight, s.exWeight);

        const float tonicity = CalculateTonicity(s), phonicity = CalculatePhonicity(s);
        const float azimuth = CalculateAzimuth(s);
        EXPECT_TRUE(std::isfinite(tonicity) && std::isfinite(phonicity) && std::isfinite(azimuth));
        EXPECT_GT(tonicity, 0.0f);
        EXPECT_LE(tonicity, 100.0f);
        EXPECT_EQ(CalculateTonicity(i), phonicity);
        EXPECT_EQ(CalculatePhonicity(i), tonicity);
        EXPECT_EQ(CalculateAzimuth(i), -azimuth);
    }
}

TEST(AnalysisInvariants, EverySetHasFullCommonalityWithItself)
{
    const PitchUniverse& universe = SharedUniverse();
    for (const std::string& text : universe.tnTypes) {
        SCOPED_TRACE(text);
        const PitchClassSet s = AnalysedText(text);
        const Pcs row = CalculateCommonalityForAllTns(s, s);
        EXPECT_EQ(row[0], 100);
        // Commonality with Tk and with T-k of the same set agree: the
        // common part is the same and both norms are the set's own.
        for (int k = 1; k < 12; ++k) {
            EXPECT_EQ(row[k], row[12 - k]) << k;
            EXPECT_GE(row[k], 0);
            EXPECT_LE(row[k], 100);
        }
        const float roughness = CalculateFrozenHutchinsonKnopoffRoughness(s.getTnType());
        EXPECT_TRUE(std::isfinite(roughness) && roughness > 0.0f);
    }
}

}  // namespace

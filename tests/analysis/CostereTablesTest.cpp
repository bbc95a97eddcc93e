#include <gtest/gtest.h>

#include "analysis/AnalysedSet.h"

namespace {

TEST(CostereTables, MajorTriad)
{
    const PitchClassSet s = AnalysedText("0 4 7");
    EXPECT_EQ(s.getCostereCardinalTable(), (Pcs{2, 1, 1, 1, 1, 2, 1, 2, 1, 1, 0, 2}));
    EXPECT_EQ(s.getCostereTonalMajorTable(), (Pcs{5, 4, 3, 3, 4, 5, 2, 5, 4, 3, 3, 4}));
    EXPECT_EQ(s.getCostereTonalMinorTable(), (Pcs{5, 3, 4, 2, 5, 5, 3, 3, 4, 4, 3, 4}));
    // The set is itself a major triad, so Tn of it gathers what the triad on n does.
    EXPECT_EQ(s.getCostereTranspositionalTable(), s.getCostereTonalMajorTable());
    EXPECT_EQ(s.getCostereInversionalTable(), (Pcs{5, 3, 3, 4, 4, 3, 4, 5, 3, 4, 2, 5}));
    EXPECT_EQ(s.getInvarianceTnTable(), (Pcs{3, 0, 0, 1, 1, 1, 0, 1, 1, 1, 0, 0}));
    EXPECT_EQ(s.getInvarianceTnITable(), (Pcs{1, 0, 1, 0, 2, 0, 0, 2, 1, 0, 0, 2}));
    EXPECT_EQ(s.inWeight, 5);
    EXPECT_EQ(s.exWeight, 5);
}

TEST(CostereTables, InExWeightsPitEquallyManyPitchClassesOfBothSides)
{
    struct Case {
        const char* set;
        int in, ex;
    };
    const Case cases[] = {
        {"0 4 7", 5, 5},                    // all of 1 2 2 against the strongest three outside: 2 2 1
        {"0 2 4 5 7 9 u", 15, 12},          // five weakest of 3 3 3 3 3 4 4 against 2 2 2 3 3
        {"0 1 2", 7, 4},                    // 2 3 2 against 2 1 1
        {"0 1 2 3 4 5 6 7", 14, 10},        // four weakest of 3 3 4 4 4 4 4 4 against 2 2 3 3
        {"0 1 6 7", 12, 8},                 // 3 3 3 3 against the strongest four of eight: 2 2 2 2
        {"0 1 2 3 4 5 6 7 8 9 d u", 0, 0},  // nothing outside: no pitch class on either side
        {"", 0, 0},
        {"0 0 4 7", 7, 8},  // the doubled 0 lifts 5 and 11 outside to 3, level with 0 and 7
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        const PitchClassSet s = AnalysedText(c.set);
        EXPECT_EQ(s.inWeight, c.in);
        EXPECT_EQ(s.exWeight, c.ex);
    }
}

// The empty set has all tables 0 (its weights are in the table above), also
// when loaded into a record that held another set before.
TEST(CostereTables, EmptySetHasNothingLeftInItsTables)
{
    PitchClassSet s = AnalysedText("0 4 7");
    s.initializeSet({});
    s.calculateEverything();
    for (const Pcs& table : {s.getCostereCardinalTable(), s.getCostereTonalMajorTable(), s.getCostereTonalMinorTable(),
                             s.getCostereTranspositionalTable(), s.getCostereInversionalTable(),
                             s.getInvarianceTnTable(), s.getInvarianceTnITable(), s.getParncuttTable()})
        EXPECT_EQ(table, Pcs(12, 0));
    EXPECT_EQ(s.inWeight + s.exWeight, 0);
}

TEST(CostereTables, RepeatedElementsCountWithTheirMultiplicity)
{
    const PitchClassSet s = AnalysedText("0 0 4 7");
    // (The transpositional and inversional tables carry both copies too: the
    // table sums over the catalogue with repeated pitch classes check that.)
    EXPECT_EQ(s.getCostereCardinalTable(), (Pcs{3, 2, 1, 1, 1, 3, 1, 3, 1, 1, 0, 3}));
    EXPECT_EQ(s.getInvarianceTnTable(), (Pcs{4, 0, 0, 1, 2, 1, 0, 2, 1, 1, 0, 0}));
    EXPECT_EQ(s.getInvarianceTnITable(), (Pcs{2, 0, 1, 0, 3, 0, 0, 3, 1, 0, 0, 2}));
}

}  // namespace

#include <gtest/gtest.h>

#include "analysis/Poles.h"
#include "analysis/AnalysedSet.h"

namespace {

using Poles = std::vector<PoleInfo>;

TEST(Poles, TonalTypeAndPoleLists)
{
    struct Case {
        const char* set;
        int tonalType;
        const char *intrinsic, *extrinsic, *tonal, *mainTonal;
    };
    const Case cases[] = {
        {"0 4 7", 1, "(0,2,0)(7,2,0)(0,5,1)", "(5,2,0)(11,2,0)(5,5,1)(7,5,1)(0,5,2)(4,5,2)(5,5,2)", "", ""},
        {"0 3 7", 1, "(0,2,0)(7,2,0)(0,5,2)", "(2,2,0)(8,2,0)(0,5,1)(7,5,1)(8,5,1)(5,5,2)(7,5,2)", "", ""},
        // A fifth without triad: weighed with both tonal values inside, as
        // triads outside.
        {"0 7", -1, "(0,2,0)(7,2,0)(0,4,-1)(0,4,-2)", "(1,1,0)(2,1,0)(5,1,0)(6,1,0)(8,1,0)(11,1,0)(7,4,1)(5,4,2)", "",
         ""},
        // Neither triad nor fifth: only centres outside.
        {"0 1", 0, "(0,2,0)(1,2,0)", "(2,1,0)(5,1,0)(6,1,0)(7,1,0)(8,1,0)(11,1,0)(1,4,1)(5,4,2)", "", ""},
        // Both triads on 0: a binary component that is also the top centre.
        {"0 3 4 7", 1, "(0,2,0)(3,2,0)(4,2,0)(7,2,0)(0,6,1)(0,6,2)",
         "(2,2,0)(5,2,0)(8,2,0)(11,2,0)(4,6,1)(7,6,1)(8,6,1)(4,6,2)(5,6,2)(8,6,2)", "(0,6,6)", "(0,6,6)"},
        {"0 3 4 7 8 u", 1, "(0,3,0)(3,3,0)(4,3,0)(7,3,0)(8,3,0)(11,3,0)(0,9,1)(4,9,1)(8,9,1)(0,9,2)(4,9,2)(8,9,2)",
         "(1,2,0)(2,2,0)(5,2,0)(6,2,0)(9,2,0)(10,2,0)(3,8,1)(7,8,1)(11,8,1)(1,8,2)(5,8,2)(9,8,2)",
         "(0,9,9)(4,9,9)(8,9,9)", "(0,9,9)(4,9,9)(8,9,9)"},
        // Both triads on 0; the minor one is the top centre.
        {"0 2 3 4 7", 1, "(2,3,0)(3,3,0)(7,3,0)(0,8,2)", nullptr, "(0,7,8)", "(0,7,8)"},
        // Both triads on 0, but the major triad on 8 draws more: no binary centre.
        {"0 1 3 4 7 8", 1, "(8,4,0)(8,10,1)", nullptr, "(0,8,9)", ""},
        {"0 2 4 5 7 9 u", 1, "(0,4,0)(4,4,0)(0,11,1)(9,11,2)",
         "(6,3,0)(10,3,0)(2,9,1)(4,9,1)(9,9,1)(10,9,1)(0,9,2)(5,9,2)(7,9,2)(11,9,2)", "", ""},
        // Nothing outside the chromatic set: no extra pole at all.
        {"0 1 2 3 4 5 6 7 8 9 d u", 1, nullptr, "", nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        const PitchClassSet s = AnalysedText(c.set);
        EXPECT_EQ(s.GiveTonalType(), c.tonalType);
        if (c.intrinsic) {
            EXPECT_EQ(Describe(s.intrinsicPoles), c.intrinsic);
        }
        if (c.extrinsic) {
            EXPECT_EQ(Describe(s.extrinsicPoles), c.extrinsic);
        }
        if (c.tonal) {
            EXPECT_EQ(Describe(s.tonalPoles), c.tonal);
        }
        if (c.mainTonal) {
            EXPECT_EQ(Describe(s.mainTonalPoles), c.mainTonal);
        }
    }
}

// The chromatic set holds every pitch class and triad, as intra poles and
// binary centres; the empty set has only extra poles, all of value 0.
TEST(Poles, ChromaticAndEmptySets)
{
    const PitchClassSet full = AnalysedText("0 1 2 3 4 5 6 7 8 9 d u");
    for (int type : {0, 1, 2})
        EXPECT_EQ(FilterPolesByType(full.intrinsicPoles, type).size(), 12u);
    EXPECT_EQ(full.tonalPoles.size(), 12u);
    EXPECT_EQ(full.mainTonalPoles.size(), 12u);
    const PitchClassSet empty = AnalysedText("");
    EXPECT_EQ(empty.GiveTonalType(), 0);
    EXPECT_TRUE(empty.intrinsicPoles.empty() && empty.tonalPoles.empty() && empty.mainTonalPoles.empty());
    EXPECT_EQ(empty.extrinsicPoles.size(), 12u + 24u);  // every pitch class, every triad
    EXPECT_EQ(getBiggest(empty.extrinsicPoles), 0);
}

}  // namespace

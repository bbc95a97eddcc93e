#include <gtest/gtest.h>

#include "analysis/AnalysedSet.h"
#include "analysis/ImitationPatterns.h"
#include "base/Error.h"

namespace {

TEST(SymmetryAxes, IndicesAxesAndMedianNotes)
{
    struct Case {
        const char* set;
        Pcs indices, pcAxes;
        std::vector<float> interAxes;
        Pcs medianNotes;
    };
    const Case cases[] = {
        {"0 4 8", {0, 4, 8}, {0, 2, 4, 6, 8, 10}, {}, {0, 4, 8}},
        {"0 1", {1}, {}, {0.5f, 6.5f}, {}},
        {"0 6", {0, 6}, {0, 3, 6, 9}, {}, {0, 6}},
        {"0 3 6 9", {0, 3, 6, 9}, {0, 3, 6, 9}, {1.5f, 4.5f, 7.5f, 10.5f}, {0, 3, 6, 9}},
        {"0 2 4 5 7 9 u", {4}, {2, 8}, {}, {2}},
        {"0 4 7", {}, {}, {}, {}},
        // A repeated pitch class neither makes nor breaks a symmetry.
        {"0 0 4 7", {}, {}, {}, {}},
        {"8 4 0 0 8", {0, 4, 8}, {0, 2, 4, 6, 8, 10}, {}, {0, 4, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        const PitchClassSet s = AnalysedText(c.set);
        EXPECT_EQ(s.symmetryIndices, c.indices);
        EXPECT_EQ(s.pcAxes, c.pcAxes);
        EXPECT_EQ(s.interAxes, c.interAxes);
        EXPECT_EQ(s.intrinsicAxes, c.medianNotes);
        EXPECT_EQ(s.isSymmetric(), !c.indices.empty());
    }
}

TEST(ImitationPatterns, CodesPerTriadOrFifth)
{
    const struct {
        const char* set;
        const char* poles;
    } cases[] = {
        {"0 4 7", "(0,0,1)"},
        // Major scale: 1, 1 and 2 notes between the notes of each triad.
        {"0 2 4 5 7 9 u", "(0,112,1)(2,112,2)(4,112,2)(5,112,1)(7,112,1)(9,112,2)"},
        // Counted in pitch order, whatever the order of entry or repeats.
        {"7 4 0", "(0,0,1)"},
        {"9 u 7 5 4 2 0 0", "(0,112,1)(2,112,2)(4,112,2)(5,112,1)(7,112,1)(9,112,2)"},
        {"0 1 3 4 7 9", "(0,12,1)(0,111,2)(9,111,1)(9,21,2)"},
        {"0 7", "(0,0,-1)"},
        {"0 2 7", "(0,1,-1)(7,1,-1)"},
        {"0 1", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        const PitchClassSet s = AnalysedText(c.set);
        EXPECT_EQ(Describe(s.imitationPoles), c.poles);
        ASSERT_EQ(s.robustImitationPoles.size(), s.imitationPoles.size());
        for (size_t i = 0; i < s.imitationPoles.size(); ++i) {
            EXPECT_EQ(s.robustImitationPoles[i].pc, s.imitationPoles[i].pc);
            EXPECT_EQ(s.robustImitationPoles[i].type, s.imitationPoles[i].type);
        }
    }
    EXPECT_EQ(AnalysedText("0 2 4 5 7 9 u").robustImitationPoles[0].mold, (Pcs{1, 1, 2}));
    EXPECT_EQ(AnalysedText("0 1 3 4 7 9").robustImitationPoles[3].mold, (Pcs{0, 2, 1}));
}

TEST(ImitationPatterns, DegreesBetweenAndSmallestRotation)
{
    const PitchClassSet scale = AnalysedText("0 2 4 5 7 9 u");
    const struct {
        int x, y, between;
    } steps[] = {{0, 4, 1}, {4, 7, 1}, {7, 0, 2}, {0, 0, -1}, {11, 0, 0}, {0, 11, 5}, {12, -1, 5}};
    for (const auto& step : steps)
        EXPECT_EQ(scale.FindDegreeNumberBetween(step.x, step.y), step.between) << step.x << " " << step.y;

    EXPECT_EQ(GetSmallest(211, 112, 121), 112);
    EXPECT_EQ(GetSmallest(1000000, 2000000, 3000000), 999999);
    EXPECT_EQ(GetSmallest(-4, 0, 9), -4);
}

TEST(ImitationPatterns, PitchClassOutsideTheSetIsAnError)
{
    const PitchClassSet s = AnalysedText("0 4 7");
    EXPECT_THROW(s.FindDegreeNumberBetween(1, 4), harmodex::Error);
    EXPECT_THROW(s.FindDegreeNumberBetween(0, 1), harmodex::Error);
}

}  // namespace

#include <cmath>
#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "analysis/Psychoacoustics.h"
#include "analysis/AnalysedSet.h"

namespace {

// The page prints these measures with "%f": compare exactly what it would print.
std::string Printed(float value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

TEST(Psychoacoustics, EqualTemperedFrequencies)
{
    EXPECT_EQ(find_hertz(69.0f), 440.0f);
    EXPECT_EQ(Printed(find_hertz(60.0f)), "261.625580");
    EXPECT_EQ(Printed(find_hertz(9.0f)), "13.750000");
}

TEST(Psychoacoustics, IntervalRoughness)
{
    const std::pair<int, double> cases[] = {
        {0, 0.0002992312},  // one complex tone: its own neighbouring harmonics
        {1, 0.4749129480}, {2, 0.2256326162},  {6, 0.1335719556},
        {7, 0.0190489659}, {12, 0.0008090337}, {-1, 0.4777756595},  // a semitone below middle C: lower, rougher
    };
    for (const auto& c : cases)
        EXPECT_NEAR(HutchinsonKnopoffIntervalRoughness(c.first), c.second, 1e-9) << c.first;
}

TEST(Psychoacoustics, ChordRoughnessAsPrinted)
{
    struct Case {
        Pcs set;
        const char* printed;
    };
    const Case cases[] = {
        {{0}, "0.002377"},    {{0, 4, 7}, "1.001097"}, {{0, 3, 7}, "1.001097"},
        {{0, 1}, "3.772144"}, {{0, 1, 2}, "6.224297"}, {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, "14.996927"},
        {{}, "0.000000"},  // silence: no roughness
    };
    for (const Case& c : cases)
        EXPECT_EQ(Printed(CalculateFrozenHutchinsonKnopoffRoughness(c.set)), c.printed) << VectorToString(c.set);
}

TEST(Psychoacoustics, TonicityPhonicityAzimuthAsPrinted)
{
    struct Case {
        const char *set, *tonicity, *phonicity, *azimuth;
    };
    const Case cases[] = {
        {"0", "100.000000", "100.000000", "0.000000"},
        {"0 4 7", "54.000000", "28.846153", "90.000160"},
        {"0 3 7", "28.846153", "54.000000", "-90.000160"},
        {"0 1", "12.500000", "12.500000", "0.000000"},
        {"0 1 2", "21.818182", "21.818182", "0.000000"},
        {"0 2 5", "31.250000", "43.787880", "-44.860390"},
        {"0 1 3 7", "9.375000", "33.750000", "-87.213463"},
        {"0 2 4 6 8 d", "2.222222", "2.222222", "0.000000"},
        {"0 1 2 3 4 5 6 7 8 9 d u", "0.729167", "0.729167", "0.000000"},
        {"", "0.000000", "0.000000", "0.000000"},  // no tone, no salience
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        const PitchClassSet s = AnalysedText(c.set);
        EXPECT_EQ(Printed(CalculateTonicity(s)), c.tonicity);
        EXPECT_EQ(Printed(CalculatePhonicity(s)), c.phonicity);
        EXPECT_EQ(Printed(CalculateAzimuth(s)), c.azimuth);
    }
}

TEST(Psychoacoustics, CommonalityWithEveryTransposition)
{
    struct Case {
        const char *a, *b;
        Pcs row;
    };
    const Case cases[] = {
        {"0 4 7", "0 4 7", {100, 12, 21, 42, 33, 44, 4, 44, 33, 42, 21, 12}},
        {"0 3 7", "0 3 7", {100, 8, 14, 26, 28, 37, 4, 37, 28, 26, 14, 8}},
        {"0", "0", {100, 0, 5, 6, 8, 22, 2, 22, 8, 6, 5, 0}},
        {"0 2 4 6 8 d", "0 2 4 6 8 d", {100, 19, 100, 19, 100, 19, 100, 19, 100, 19, 100, 19}},
        {"0 1 2 3 4 5 6 7 8 9 d u", "0 1 2 3 4 5 6 7 8 9 d u", Pcs(12, 100)},
        // Empty sets have no vertex table to share: 0 throughout.
        {"", "", Pcs(12, 0)},
        {"0 4 7", "", Pcs(12, 0)},
        {"", "0 4 7", Pcs(12, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        const PitchClassSet a = AnalysedText(c.a);
        PitchClassSet b;
        b.initializeSet(StringToVector(c.b));  // the working sets are analysed inside
        EXPECT_EQ(CalculateCommonalityForAllTns(a, b), c.row);
    }
}

TEST(Psychoacoustics, CommonalityNormIsTheLargerSetsVertexTable)
{
    // 0 4 7 inside 0 4 7 11: the common part is normed by the four-note set,
    // whichever side it is on.
    const PitchClassSet triad = AnalysedText("0 4 7");
    const PitchClassSet seventh = AnalysedText("0 4 7 u");
    EXPECT_EQ(CalculateCommonality(triad, seventh), CalculateCommonality(seventh, triad));
    EXPECT_LT(CalculateCommonality(triad, seventh), 100.0f);
    EXPECT_EQ(CalculateCommonality(triad, triad), 100.0f);
    const PitchClassSet empty = AnalysedText("");
    EXPECT_EQ(CalculateCommonality(empty, empty), 0.0f);
}

}  // namespace

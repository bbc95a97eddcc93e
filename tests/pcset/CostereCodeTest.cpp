#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pcset/CostereCode.h"
#include "pcset/Conversions.h"
#include "analysis/AnalysedSet.h"

namespace {

TEST(CostereCode, WritesRunsOfPresentAndAbsentSemitones)
{
    struct Case {
        Pcs set;
        std::string code;
    };
    const Case cases[] = {
        {{0, 4, 7}, "13.12.14"},
        {{7, 11, 2}, "13.12.14"},  // the code of the Tn-type
        {{0, 3, 7}, "12.13.14"},
        {{0, 1, 2}, "39"},
        {{0}, "1XI"},
        {{0, 1}, "2X"},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, "X2"},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "XI1"},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, "XII"},
        {{0, 2, 4, 6, 8, 10}, "11.11.11.11.11.11"},
        {{}, "1XI"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(calculateAdjCostereNumber(c.set), c.code) << VectorToString(c.set);
}

TEST(CostereCode, ParsesWellFormedAndMalformedCodes)
{
    struct Case {
        std::string code;
        Pcs set;
    };
    const Case cases[] = {
        {"13.12.14", {0, 4, 7}},
        {"2X", {0, 1}},
        {"XII", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {"XI1", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"1XI", {0}},
        {"X2", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"12.3", {0, 3, 4, 5}},  // a missing second character reads as 0
        {"XI", {}},              // letters alone give nothing
        {"39", {0, 1, 2}},
        {"", {}},
        {"..", {}},  // three empty pieces
        {"1a.b2.", {0}},
        {"X2.11", {2}},  // Roman codes only stand alone: X reads as 0
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConvertFromAdjCostereCode(c.code), c.set) << c.code;
}

TEST(CostereCode, LongCodesAreReadWholeWithoutOverrun)
{
    std::string code;
    for (int i = 0; i < 40; ++i)
        code += "11.";
    code += "11";
    Pcs expected;
    for (int i = 0; i < 41; ++i)
        expected.push_back(2 * i);
    EXPECT_EQ(ConvertFromAdjCostereCode(code), expected);
    EXPECT_EQ(ConvertFromAdjCostereCode(std::string(200, '.')).size(), 0u);
    EXPECT_EQ(ConvertFromAdjCostereCode(std::string(199, '9')).size(), 9u);
}

TEST(CostereCode, EverySubsetsCodeParsesBackToItsTnType)
{
    PitchClassSet s;
    for (const Pcs& set : EveryNonEmptySet()) {
        std::string code = calculateAdjCostereNumber(set);
        EXPECT_EQ(ConvertFromAdjCostereCode(code), s.calculateTnType(set)) << code;
        EXPECT_EQ(StringToVector(VectorToString(set)), set);
        EXPECT_EQ(StringToVector(VectorToStringPC(set)), set);
    }
}

}  // namespace

namespace {

TEST(SetText, DotOrUpperCaseXMakesACode)
{
    struct Case {
        const char* text;
        bool code;
        std::vector<int> set;
    };
    const Case cases[] = {
        {"13.12.14", true, {0, 4, 7}},
        {"2X", true, {0, 1}},
        {"0 4 7", false, {0, 4, 7}},
        {"39", false, {39}},  // a cluster's code without '.' or X reads as a list
        {"x", false, {0}},
        {"1.X", true, {0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsCostereCodeText(c.text), c.code) << c.text;
        EXPECT_EQ(ReadSetText(c.text), c.set) << c.text;
    }
}

}  // namespace

#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pcset/Conversions.h"

namespace {

using Pcs = std::vector<int>;

TEST(Parsing, ReadsTokensSeparatedBySpacesOnly)
{
    struct Case {
        std::string text;
        Pcs values;
    };
    const Case cases[] = {
        {"0 4 7", {0, 4, 7}},
        {"   0   4  7  ", {0, 4, 7}},
        {"0 4 7 ", {0, 4, 7}},
        {"0 2 4 6 8 d", {0, 2, 4, 6, 8, 10}},
        {"10 d 11 u", {10, 10, 11, 11}},
        {"D U", {0, 0}},      // only lower-case d and u name 10 and 11
        {"-1 13", {-1, 13}},  // no reduction here
        {"0,4,7", {0}},       // commas are not separators
        {"t", {0}},
        {"7x 3.5 +2 -0", {7, 3, 2, 0}},
        {"0\t4 7", {0, 7}},  // a tab stays inside its token
        {"dd ud", {0, 0}},
        {"", {}},
        {"     ", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StringToVector(c.text), c.values) << '"' << c.text << '"';
        EXPECT_EQ(cStringToVector(c.text.c_str()), c.values) << '"' << c.text << '"';
    }
    EXPECT_TRUE(cStringToVector(nullptr).empty());
}

TEST(Parsing, OversizedNumbersSaturateLikeAtoiWouldWithinRange)
{
    struct Case {
        std::string token;
        int value;
    };
    const Case cases[] = {
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"-99999999999999999999", INT_MIN},
        {"00000000000000000000012", 12},
        {"+", 0},
        {"-", 0},
        {" 5", 5},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParsePitchClassToken(c.token), c.value) << c.token;
}

TEST(Parsing, LongTextsAreReadWhole)
{
    std::string text;
    Pcs expected;
    for (int i = 0; i < 100; ++i) {
        text += std::to_string(i % 12) + " ";
        expected.push_back(i % 12);
    }
    ASSERT_GT(text.size(), 200u);
    EXPECT_EQ(StringToVector(text), expected);
}

TEST(Formatting, PlainAndPitchClassForms)
{
    const Pcs wholeTone = {0, 2, 4, 6, 8, 10};
    EXPECT_EQ(VectorToString(wholeTone), "0 2 4 6 8 10");
    EXPECT_EQ(VectorToStringPC(wholeTone), "0 2 4 6 8 d");  // both read back: see the sweep over every set
    EXPECT_EQ(VectorToStringPC(Pcs{11, 12, -1}), "u 12 -1");
    EXPECT_EQ(VectorTocString({0, 4, 7}), "0 4 7");
    EXPECT_EQ(VectorTocStringCommas({0, 4, 7}), "0,4,7");
    EXPECT_EQ(VectorTocStringCommas({}), "");
    EXPECT_EQ(VectorToString({}), "");
    EXPECT_EQ(IntToString(10), "d");
    EXPECT_EQ(IntToString(11), "u");
    EXPECT_EQ(IntToString(-3), "-3");
    EXPECT_EQ(IntToStringPlain(11), "11");
    EXPECT_EQ(IntTocString(INT_MIN), "-2147483648");
}

TEST(Formatting, AxesBetweenPitchClassesUseTheHalfSign)
{
    EXPECT_EQ(VectorToStringPC(std::vector<float>{0.5f, 6.5f}), "(0\\275) (6\\275)");
    EXPECT_EQ(VectorToStringPC(std::vector<float>{4.5f, 10.5f, 11.5f}), "(4\\275) (d\\275) (u\\275)");
    EXPECT_EQ(VectorToStringPC(std::vector<float>{}), "");
}

TEST(ListUtilities, BiggestAddReverseEqual)
{
    EXPECT_EQ(getBiggest({}), -999);
    EXPECT_EQ(getBiggest({-1000, -2000}), -999);
    EXPECT_EQ(getBiggest({3, 9, 2}), 9);
    EXPECT_EQ(AddVectors({1, 2}, {3}), (Pcs{1, 2, 3}));
    EXPECT_EQ(ReverseVector({1, 2, 3}), (Pcs{3, 2, 1}));
    EXPECT_TRUE(VectorsAreEqual({1, 2}, {1, 2}));
    EXPECT_FALSE(VectorsAreEqual({1, 2}, {1, 2, 3}));
}

}  // namespace

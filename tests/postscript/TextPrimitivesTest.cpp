#include "postscript/TextPrimitives.h"

#include <gtest/gtest.h>

namespace {

TEST(TextPrimitives, CountsItemsBetweenSpaces)
{
    struct Case {
        const char* text;
        int items;
    };
    const Case cases[] = {
        {"  0  4 7 ", 3}, {"", 0}, {"    ", 0}, {"0 4 7", 3}, {"x", 1}, {"a\tb c", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberOfItemsInString(c.text), c.items) << '"' << c.text << '"';
}

TEST(TextPrimitives, BreaksTextIntoPiecesOfNPlusOneItems)
{
    using Pieces = std::vector<std::string>;
    struct Case {
        const char* text;
        int n;
        Pieces pieces;
    };
    const Case cases[] = {
        {"a b c d", 1, {"a b ", "c d ", ""}},
        {"a b c", 1, {"a b ", "c "}},
        {"", 4, {""}},
        {"   ", 4, {""}},
        {" 0  4 7 ", 4, {"0 4 7 "}},
        {"0 1 2 3 4 5", 4, {"0 1 2 3 4 ", "5 "}},
        {"a b c", 0, {"a ", "b ", "c ", ""}},
        {"a b", -3, {"a ", "b ", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BreakUpStringInPieces(c.text, c.n), c.pieces) << c.text;
}

TEST(TextPrimitives, StringUtilitiesHandleLongTextsWhole)
{
    // Texts and items well beyond a 112-byte line are kept whole.
    const std::string longItem(300, 'x');
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += longItem + "  ";
    EXPECT_EQ(NumberOfItemsInString(text), 100);
    const std::vector<std::string> pieces = BreakUpStringInPieces(text, 7);
    ASSERT_EQ(pieces.size(), 13u);
    EXPECT_EQ(pieces[0].size(), 8 * 301u);
    EXPECT_EQ(pieces[12], longItem + " " + longItem + " " + longItem + " " + longItem + " ");
}

}  // namespace

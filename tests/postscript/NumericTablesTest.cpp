#include "postscript/NumericTables.h"

#include "postscript/MemoryStream.h"
#include "postscript/ShownText.h"
#include "pcset/Conversions.h"

#include <gtest/gtest.h>

namespace {

PitchClassSet Analysed(const std::vector<int>& pcs)
{
    PitchClassSet p;
    p.initializeSet(pcs);
    p.calculateEverything();
    return p;
}

std::vector<ShownText> Row(const PitchClassSet& p, const char* table)
{
    return ShownTexts(Capture(
        [&](FILE* out) { PrintNumericTables(out, p, table, p.getCostereTonalMajorTable(), 100, 50, 14.1732f, 8); }));
}

TEST(NumericTables, EmphasisOfTheLargestEntry)
{
    struct Case {
        bool hundred;
        std::vector<int> values;
        std::string bold;
    };
    const Case cases[] = {
        {false, {3, 7, 7, 1}, "-BB-"},      // equal maxima are both emphasised
        {true, {100, 42, 12, 42}, "-B-B"},  // full commonality is passed over
        {true, {100, 100, 100}, "---"},     // and a row of 100s has no emphasis
    };
    for (const Case& c : cases) {
        std::string bold;
        for (const ShownText& cell : ShownTexts(Capture([&](FILE* out) {
                 (c.hundred ? PrintNumericTablesSimpleHundred : PrintNumericTablesSimple)(out, c.values, 0, 0, 10,
                                                                                          5.6f);
             })))
            bold += cell.font == "Helvetica-Bold-Italic" ? 'B' : '-';
        EXPECT_EQ(bold, c.bold);
    }
}

TEST(NumericTables, ParenthesesEncloseRunsThatDoNotQualify)
{
    struct Case {
        std::vector<int> set;
        const char* table;
        const char* marks;
    };
    const Case cases[] = {
        // Root table of the major triad: 1-3, 5-6 and 8-11 are outside the set.
        {{0, 4, 7}, "Parncutt", "# ( # # # ) # ( # # ) # ( # # # # )"},
        // No major triad in a bare fifth: the whole row is enclosed, and the
        // root of the fifth is underlined.
        {{0, 7}, "CostereTonalMajor", "( # _ # # # # # # # # # # # )"},
        // I1 maps 0 1 onto itself: the run 2 .. 0 wraps round the row's end.
        {{0, 1}, "CostereInversional", "# ) # ( # # # # # # # # # #"},
        {{0, 4, 8}, "CostereTranspositional", "# ( # # # ) # ( # # # ) # ( # # # )"},
        // Not a table of the set: the list itself, unmarked.
        {{0, 4, 7}, "NoSuchTable", "# # # # # # # # # # # #"},
    };
    for (const Case& c : cases) {
        std::string marks;
        for (const ShownText& cell : Row(Analysed(c.set), c.table))
            marks += std::string(marks.empty() ? "" : " ") + (cell.text == "\\("    ? "("
                                                              : cell.text == " \\)" ? ")"
                                                              : cell.text == "_"    ? "_"
                                                                                    : "#");
        EXPECT_EQ(marks, c.marks) << c.table;
    }
}

TEST(NumericTables, BareFifthUnderlinedInEveryColumn)
{
    for (int r = 0; r < 12; ++r)
        for (const char* table : {"CostereTonalMajor", "CostereTonalMinor"}) {
            const auto row = Row(Analysed({r, r + 7}), table);
            int underscores = 0;
            for (std::size_t i = 1; i < row.size(); ++i)
                if (row[i].text == "_") {
                    ++underscores;
                    EXPECT_EQ(row[i].x, row[i - 1].x);  // under the value it marks
                    EXPECT_NEAR(row[i].x, 100 + 14 * r, 1.0) << r << ' ' << table;
                }
            EXPECT_EQ(underscores, 1) << r << ' ' << table;
        }
}

}  // namespace

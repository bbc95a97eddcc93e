#include "page/NumericTables.h"

#include "page/MemoryStream.h"
#include "page/ShownText.h"
#include "pcset/Conversions.h"

#include <gtest/gtest.h>

namespace {

const std::vector<int> kPitchClasses = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};

PitchClassSet Analysed(const char* text)
{
    PitchClassSet p;
    p.initializeSet(StringToVector(text));
    p.calculateEverything();
    return p;
}

std::vector<ShownText> Row(const PitchClassSet& p, const char* table, const std::vector<int>& values)
{
    return ShownTexts(
        Capture([&](FILE* out) { PrintNumericTables(out, p, table, values, 100, 50, 14.1732f, 8); }));
}

// The row as a reader sees its marks: "#" for a number, "(" and ")" for the
// parentheses, "_" for an underscore.
std::string Marks(const std::vector<ShownText>& row)
{
    std::string marks;
    for (const ShownText& cell : row) {
        if (!marks.empty()) marks += ' ';
        marks += cell.text == "\\(" ? "(" : cell.text == " \\)" ? ")" : cell.text == "_" ? "_" : "#";
    }
    return marks;
}

TEST(NumericTables, HeaderRowOnWholePointColumnsWithDAndU)
{
    const auto cells = ShownTexts(
        Capture([](FILE* out) { PrintNumericTablesSimpleII(out, kPitchClasses, 100.5f, 50, 14.1732f, 8.8f); }));
    ASSERT_EQ(cells.size(), 12u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(cells[i].x, 100 + 14 * i);
        EXPECT_EQ(cells[i].font, "Helvetica");
        EXPECT_FLOAT_EQ(cells[i].size, 8.8f);
    }
    EXPECT_EQ(cells[9].text, "9");
    EXPECT_EQ(cells[10].text, "d");
    EXPECT_EQ(cells[11].text, "u");
}

TEST(NumericTables, EmphasisOfTheLargestEntry)
{
    struct Case { bool hundred; std::vector<int> values; std::vector<int> emphasised; };
    const Case cases[] = {
        {false, {3, 7, 7, 1}, {1, 2}},           // equal maxima are both emphasised
        {true, {100, 42, 12, 42}, {1, 3}},        // full commonality is passed over
        {true, {100, 100, 100}, {}},              // a row of 100s has no emphasis
    };
    for (const Case& c : cases) {
        const auto cells = ShownTexts(Capture([&](FILE* out) {
            if (c.hundred)
                PrintNumericTablesSimpleHundred(out, c.values, 0, 0, 10, 5.6f);
            else
                PrintNumericTablesSimple(out, c.values, 0, 0, 10, 5.6f);
        }));
        ASSERT_EQ(cells.size(), c.values.size());
        std::vector<int> emphasised;
        for (std::size_t i = 0; i < cells.size(); ++i)
            if (cells[i].font == "Helvetica-Bold-Italic") emphasised.push_back(static_cast<int>(i));
        EXPECT_EQ(emphasised, c.emphasised);
    }
}

TEST(NumericTables, ParenthesesEncloseRunsThatDoNotQualify)
{
    struct Case { const char* set; const char* table; const char* marks; };
    const Case cases[] = {
        // Root table of the major triad: 1-3, 5-6 and 8-11 are outside the set.
        {"0 4 7", "Parncutt", "# ( # # # ) # ( # # ) # ( # # # # )"},
        // No major triad in a bare fifth: the whole row is enclosed, and the
        // root of the fifth is underlined.
        {"0 7", "CostereTonalMajor", "( # _ # # # # # # # # # # # )"},
        // I1 maps 0 1 onto itself: the run 2 .. 0 wraps round the row's end.
        {"0 1", "CostereInversional", "# ) # ( # # # # # # # # # #"},
        {"0 4 8", "CostereTranspositional", "# ( # # # ) # ( # # # ) # ( # # # )"},
        // Not a table of the set: the list itself, unmarked.
        {"0 4 7", "NoSuchTable", "# # # # # # # # # # # #"},
    };
    for (const Case& c : cases) {
        const PitchClassSet p = Analysed(c.set);
        EXPECT_EQ(Marks(Row(p, c.table, p.getCostereTonalMajorTable())), c.marks) << c.set << ' ' << c.table;
    }
}

TEST(NumericTables, ParenthesesAndValuesOnTruncatedPositions)
{
    const PitchClassSet p = Analysed("0 4 7");
    const auto row = Row(p, "Parncutt", p.getParncuttTable());
    // Pitch class 1 (column 114) opens a run: its parenthesis sits one
    // offset (4.72 pt at size 8) to the left, truncated, and the value
    // comes back to the truncated sum, one point left of the column.
    ASSERT_EQ(row[1].text, "\\(");
    EXPECT_EQ(row[1].x, 109);
    EXPECT_EQ(row[2].x, 113);
    // Pitch class 3 (column 142) closes it.
    EXPECT_EQ(row[4].x, 142);
    EXPECT_EQ(row[5].text, " \\)");
    EXPECT_EQ(row[5].x, 146);
    EXPECT_EQ(row[0].text, "18");
    EXPECT_EQ(row[0].font, "Helvetica-Bold-Italic");
}

TEST(NumericTables, BareFifthUnderlinedInEveryColumn)
{
    for (int r = 0; r < 12; ++r) {
        PitchClassSet p;
        p.initializeSet({r, r + 7});
        p.calculateEverything();
        for (const char* table : {"CostereTonalMajor", "CostereTonalMinor"}) {
            const auto row = Row(p, table, p.getCostereTonalMinorTable());
            std::vector<float> underscores;
            for (const ShownText& cell : row)
                if (cell.text == "_") underscores.push_back(cell.x);
            ASSERT_EQ(underscores.size(), 1u) << r << ' ' << table;
            // The underscore shares the position of the value of column r.
            const ShownText* value = nullptr;
            for (std::size_t i = 1; i < row.size(); ++i)
                if (row[i].text == "_") value = &row[i - 1];
            EXPECT_EQ(value->x, underscores[0]);
            EXPECT_NEAR(value->x, 100 + 14 * r, 1.0) << r << ' ' << table;
        }
    }
}

} // namespace

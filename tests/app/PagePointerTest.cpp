#include "app/PagePointer.h"

#include "page/HarmodexPage.h"
#include "pcset/PitchUniverse.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

const PageLayout& LayoutOf(int page)
{
    static std::map<int, std::unique_ptr<PageLayout>> layouts;
    std::unique_ptr<PageLayout>& layout = layouts[page];
    if (!layout) {
        layout = std::make_unique<PageLayout>();
        DrawHarmodexPage(page, SharedUniverse().tnTypes[page - 1], 0, 0, layout.get());
    }
    return *layout;
}

// A lookup that knows two terms, as the guide might explain them.
std::string Explain(const std::string& term)
{
    if (term == "poles")
        return "The pitch classes that attract the others most.";
    if (term == "cislocative")
        return "Its poles lie within the set.";
    return std::string();
}

std::string SectionOf(const std::string& term) { return term == "poles" ? "poles-and-centres" : std::string(); }

TEST(PagePointer, PointerPositionsNameTheBlockAndCellUnderThem)
{
    // Pointer positions worked out by hand: at size 1 and scale 1 a point is
    // 155 / 72 = 2.1528 logical pixels, at size 2 and scale 2 it is 4.3056
    // logical pixels (8.611 image pixels); y counts down from the page's top
    // edge, 680 points up.
    struct Case {
        int page;
        PreviewPlacement placement;
        double x, y;
        const char* block;  // "" for nothing
        const char* detail;
        const char* secondLine;
    };
    const PreviewPlacement even{1.0, 1, 10, 5, 0, 0};
    const PreviewPlacement odd{2.0, 2, 0, 0, 100, 300};
    const Case cases[] = {
        // Page 24, an even page: the table on the left.
        {24, even, 378.1, 192.3, "root-salience", "10", "Root salience of 4 (E): 10"},
        {24, even, 287.7, 192.3, "root-salience", "0", "Root salience of 1 (C\u266f): 0"},
        {24, even, 302.8, 522.7, "commonality", "33%", "Commonality with the major triad on 4 (E): 33%"},
        {24, even, 225.3, 625.0, "poles", "poles: 0 7 (5) (11)", "poles: 0 7 (5) (11)"},
        {24, even, 20.8, 1458.1, "", "", ""},  // the margin
        // Page 25 (0 4 8), an odd page, scrolled: the table on the right.
        {25, odd, 1131.4, 74.6, "root-salience", "5", "Root salience of 1 (C\u266f): 5"},
        {25, odd, 851.5, 711.8, "identity", "3", "Cardinality, the number of pitch classes: 3"},
        // Inside the table's box but between its cells.
        {25, odd, 900.0, 74.6, "root-salience", "", ""},
    };
    for (const Case& c : cases) {
        const PageLayout& layout = LayoutOf(c.page);
        const PageSpot spot = SpotAt(layout, PointerToPage(c.x, c.y, c.placement, layout.height));
        const std::string where =
            "page " + std::to_string(c.page) + " at " + std::to_string(c.x) + ", " + std::to_string(c.y);
        EXPECT_EQ(spot.blockId(), c.block) << where;
        EXPECT_EQ(spot.detail ? spot.detail->value : "", c.detail) << where;
        if (const PageRegion* region = spot.detail ? spot.detail : spot.block) {
            // The tooltip's area on screen holds the pointer.
            const PointerRect r = PageRectOnScreen(region->rect, c.placement, layout.height);
            EXPECT_TRUE(c.x >= r.x && c.x <= r.x + r.width && c.y >= r.y && c.y <= r.y + r.height) << where;
        }
        const std::vector<std::string> lines = TooltipLines(spot, Explain);
        if (*c.block == '\0') {
            EXPECT_TRUE(lines.empty()) << where;
            continue;
        }
        ASSERT_GE(lines.size(), 2u) << where;
        EXPECT_EQ(lines.back(), kDoubleClickHint) << where;
        if (*c.secondLine) {
            EXPECT_EQ(lines[1], c.secondLine) << where;
        }
    }
}

TEST(PagePointer, TooltipsReadWellWithAndWithoutExplanations)
{
    PageRegion cell;
    cell.block = "root-salience";
    cell.row = "root";
    cell.column = "1";
    cell.value = "0";
    cell.what = "Root salience of 1 (C\u266f)";
    cell.note = "In parentheses: 1 (C\u266f) is not in the set.";
    PageRegion poles;
    poles.block = "poles";
    poles.value = "poles: 0 7 (5) (11)";
    poles.term = "poles";
    PageRegion polarity;
    polarity.block = "classification-cardinal";
    polarity.value = "cislocative, ambimultipolar";
    polarity.term = "cislocative, ambimultipolar";
    const std::string hint = kDoubleClickHint;
    struct Case {
        const PageRegion* detail;
        TermLookup explain;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {&cell,
         Explain,
         {"Root salience", "Root salience of 1 (C\u266f): 0", "In parentheses: 1 (C\u266f) is not in the set.", hint}},
        {&poles,
         Explain,
         {"Poles and centres", "poles: 0 7 (5) (11)", "The pitch classes that attract the others most.", hint}},
        {&poles, nullptr, {"Poles and centres", "poles: 0 7 (5) (11)", hint}},
        {&polarity,
         Explain,
         {"Classification: cardinal polarity", "cislocative, ambimultipolar",
          "cislocative: Its poles lie within the set.", hint}},
        {&polarity,
         [](const std::string&) { return std::string(); },
         {"Classification: cardinal polarity", "cislocative, ambimultipolar", hint}},
    };
    for (const Case& c : cases) {
        PageSpot spot;
        spot.detail = c.detail;
        EXPECT_EQ(TooltipLines(spot, c.explain), c.lines) << c.detail->value;
    }
    PageSpot spot;
    spot.detail = &cell;
    EXPECT_EQ(TooltipMarkup(spot, Explain),
              "<b>Root salience</b>\nRoot salience of 1 (C\u266f): 0\nIn parentheses: 1 (C\u266f) is not in the "
              "set.\n<small>Double-click to read more.</small>");
}

TEST(PagePointer, DoubleClickOpensTheTermsSectionElseTheBlocks)
{
    PageRegion poles;
    poles.block = "poles";
    poles.term = "poles";
    PageRegion centres = poles;
    centres.term = "centers";
    PageRegion table;
    table.block = "attraction";
    struct Case {
        const PageRegion* detail;
        const PageRegion* block;
        const char* section;
    };
    for (const Case& c : {Case{&poles, nullptr, "poles-and-centres"}, Case{&centres, nullptr, "poles"},
                          Case{nullptr, &table, "attraction"}, Case{nullptr, nullptr, ""}}) {
        PageSpot spot;
        spot.detail = c.detail;
        spot.block = c.block;
        EXPECT_EQ(HelpSectionOf(spot, SectionOf), c.section);
    }
}

}  // namespace

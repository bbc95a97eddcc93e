#include "page/HarmodexPageLower.h"

#include "analysis/AnalysedSet.h"
#include "postscript/MemoryStream.h"
#include "postscript/PostScriptWriter.h"
#include "postscript/ShownText.h"
#include "pcset/Conversions.h"
#include "pcset/PitchUniverse.h"

#include <gtest/gtest.h>

#include <limits>
#include <map>

namespace {

float Cm(float points) { return points / InCentimeters(1.0f); }

// One block of the set's own page, as fragments.
template <typename Draw>
std::vector<ShownText> Block(const PitchClassSet& p, Draw draw)
{
    const int page = FindSetID(VectorToString(p.getTnType()), SharedUniverse()) + 1;
    return ShownTexts(Capture([&](FILE* out) { draw(out, GetHarmodexPageGeometry(page), p, nullptr); }));
}
std::vector<ShownText> Column(const PitchClassSet& p) { return Block(p, DrawClassificationColumn); }
std::vector<ShownText> Strip(const char* set) { return Block(AnalysedText(set), DrawSubsetStrip); }

void ExpectInside(const TextBlockExtent& e, const std::string& what)
{
    EXPECT_FALSE(e.crowded) << what;
    EXPECT_GE(e.lowestBaseline[0], e.boxBottom) << what;
    EXPECT_GE(e.lowestBaseline[1], e.boxBottom) << what;
    EXPECT_EQ(e.lowestBaseline[2], std::numeric_limits<float>::infinity()) << what;
}

// Every page of the book keeps its classification and its strip inside
// their boxes, with no two texts running into each other. All do so at full
// size but the strips whose long subset lines would meet across the two
// columns: those are set smaller. The strips of the Z-related tetrachords
// and octachords fill both columns to the last line.
TEST(HarmodexPageLower, EveryPageFitsItsBoxes)
{
    const std::map<int, float> smaller = {{284, 0.95f}, {287, 0.95f}, {291, 0.9f}, {292, 0.95f}, {293, 0.95f},
                                          {300, 0.95f}, {303, 0.95f}, {304, 0.9f}, {305, 0.9f},  {309, 0.95f},
                                          {313, 0.9f},  {314, 0.95f}, {341, 0.85f}};
    const PitchUniverse& catalogue = SharedUniverse();
    FILE* sink = std::fopen("/dev/null", "w");
    ASSERT_TRUE(sink);
    int fullStrips = 0;
    for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
        const PitchClassSet p = AnalysedText(catalogue.tnTypes[i]);
        TextBlockExtent column, strip;
        DrawClassificationColumn(sink, GetHarmodexPageGeometry(i + 1), p, &column);
        DrawSubsetStrip(sink, GetHarmodexPageGeometry(i + 1), p, &strip);
        ExpectInside(column, catalogue.tnTypes[i]);
        ExpectInside(strip, catalogue.tnTypes[i]);
        EXPECT_TRUE(column.scale == 1.0f && column.columns <= 2) << catalogue.tnTypes[i];
        const auto reduced = smaller.find(i + 1);
        EXPECT_NEAR(strip.scale, reduced == smaller.end() ? 1.0f : reduced->second, 1e-4) << "page " << i + 1;
        fullStrips += strip.lowestBaseline[1] - strip.boxBottom < InCentimeters(0.25f);
    }
    std::fclose(sink);
    EXPECT_EQ(fullStrips, 8);
}

// A column with more lines than its box holds is set smaller inside it,
// rather than starting over on its own lines.
TEST(HarmodexPageLower, AnOverlongColumnIsSetSmallerInsideItsBox)
{
    PitchClassSet p = AnalysedText("0 4 7");
    const auto normal = Column(p);
    for (int i = 0; i < 16; ++i)
        p.setInfos.push_back({"Transpositional Classification", "Antitranspositive"});
    TextBlockExtent e;
    const auto small =
        ShownTexts(Capture([&](FILE* out) { DrawClassificationColumn(out, GetHarmodexPageGeometry(24), p, &e); }));
    EXPECT_LT(e.scale, 1.0f);
    ExpectInside(e, "overlong");
    const ShownText* first = FindShown(small, "asymmetrical");
    ASSERT_TRUE(first);
    EXPECT_NEAR(first->sizes.back(), 6.5f * e.scale, 1e-4);
    // Same column; the first line one (smaller) line unit under the box top.
    EXPECT_NEAR(first->x, FindShown(normal, "asymmetrical")->x, 1e-4);
    EXPECT_NEAR(Cm(first->y - FindShown(normal, "asymmetrical")->y), 0.28f * (1 - e.scale), 1e-3);
}

TEST(HarmodexPageLower, RelativesAxesAndPoles)
{
    struct Case {
        const char* set;
        std::vector<std::string> present, absent;
    };
    const Case cases[] = {
        {"0 4 7", {}, {"relative: ", "relatives: ", "and conversely at relatives"}},
        {"0 1", {"relative: ", "I1", "axes: (0\\275) (6\\275)"}, {"relatives: "}},
        {"0 4 8", {"relatives: ", "I0+", "axes: 0 (2) 4 (6) 8 (d) ", "and conversely at relatives"}, {}},
        {"0 2 4 6 8 10", {"axes: all chromas"}, {}},
        // Axes through pitch classes read as such also beside axes between them.
        {"0 1 3 4 6 7 9 10", {"axes: (2) (5) (8) (u) "}, {}},
        {"0 1 2 3 4 5 6 7 8 9 10 11", {"axes: all chromas"}, {}},
        // Six axes between pitch classes take two lines.
        {"0 1 4 5 8 9", {"axes: (0\\275) (2\\275) (4\\275) (6\\275) (8\\275) ", "    (d\\275) "}, {}},
        // A poles line that would run into the second position is shared
        // out evenly over two; a short one stays whole.
        {"0 3",
         {"poles: 0 3 (1) (2) (4) ", "    (5) (7) (8) (10) (11) "},
         {"poles: 0 3 (1) (2) (4) (5) (7) (8) (10) (11)"}},
        {"0 1 6", {"poles: 1"}, {}},
    };
    for (const Case& c : cases) {
        const auto column = Column(AnalysedText(c.set));
        for (const std::string& text : c.present)
            EXPECT_TRUE(FindShown(column, text)) << c.set << ": " << text;
        for (const std::string& text : c.absent)
            EXPECT_FALSE(FindShown(column, text)) << c.set << ": " << text;
    }
}

TEST(HarmodexPageLower, TonalCentersInPiecesOfFiveOrLeftToTheTables)
{
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"0M 1M 2M 3M 4M 5M ", {"centers: 0M 1M 2M 3M 4M ", "    5M "}},
        {"0M 1M 2M 3M 4M 5M 6M ", {"centers: see tonal tables"}},
        {"0M 1M 2M 3M 4M ", {"centers: 0M 1M 2M 3M 4M "}},
    };
    for (const auto& c : cases) {
        PitchClassSet p = AnalysedText("0 4 7");
        p.setInfos = {{"Tonal Centers", c.first}};
        std::vector<const ShownText*> lines;
        const auto column = Column(p);
        for (const ShownText& f : column)
            if (f.text.find("centers") != std::string::npos || f.text.rfind("    ", 0) == 0)
                lines.push_back(&f);
        ASSERT_EQ(lines.size(), c.second.size()) << c.first;
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i]->text, c.second[i]);
        if (lines.size() < 2)
            continue;
        // The continuation leaves the arrow's width blank, one line lower.
        EXPECT_NE(lines[1]->body.find("(\\256 ) stringwidth rmoveto"), std::string::npos);
        EXPECT_NEAR(Cm(lines[0]->y - lines[1]->y), 0.28f, 1e-4);
    }
}

// The reversibility formulas of the major triad and of a set with Z-partners.
TEST(HarmodexPageLower, ReversibilityFormulas)
{
    const auto triad = Column(AnalysedText("0 4 7"));
    for (const char* formula : {"+ T1,u = 0,u, (014578)", "+ T2,d = 0,d, (024679)", "+ I1 = 0, (014679)"})
        EXPECT_TRUE(FindShown(triad, formula)) << formula;
    const auto z = Column(AnalysedText("0 1 3 7"));  // with its Z-partners
    EXPECT_TRUE(FindShown(z, "+ 4, (0146) = 3,  31.21.11.21"));
    EXPECT_TRUE(FindShown(z, "+ 4, (0256) = 0+,  21.21.21.21"));
    EXPECT_FALSE(FindShown(Column(AnalysedText("0 1 2 3 4 5 6")), "autocomplementarity:"));
}

TEST(HarmodexPageLower, SubsetLinesAreSetSmallerAsTheyGrowLonger)
{
    struct Case {
        std::size_t n;
        float size;
        int join;
    };
    for (const Case& c :
         {Case{35, 5.6f, 0}, Case{36, 5.6f, 1}, Case{46, 5.6f * 0.955f, 1}, Case{47, 5.6f * 0.9505f, 2}}) {
        EXPECT_NEAR(5.6 * FitSubsetLine(c.n).factor, c.size, 1e-5) << c.n;
        EXPECT_EQ(FitSubsetLine(c.n).join, c.join) << c.n;
    }
}

TEST(HarmodexPageLower, SubsetAndSupersetLists)
{
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"0", {"SUBSETS", "   \\306", "SUPERSETS", "all bigger"}},
        {"0 1 2 3 4 5 6 7 8 9 10 11", {"SUBSETS", "all smaller", "SUPERSETS", "   \\306"}},
        // Each subset with its level, then what remains of the set.
        {"0 4 7", {"(0)", "4,(03) + 0,(0)", "0,(04) + 7,(0)", "7,(05) + 4,(0)", "all bigger except:", "(0123)"}},
        {"0 1 2 3 4 5 6 7 8 9 10", {"SUPERSETS", "0+, XII"}},
    };
    for (const auto& c : cases) {
        std::size_t next = 0;
        for (const ShownText& f : Strip(c.first))
            if (next < c.second.size() && f.text == c.second[next])
                ++next;
        EXPECT_EQ(next, c.second.size()) << c.first;
    }
}

}  // namespace

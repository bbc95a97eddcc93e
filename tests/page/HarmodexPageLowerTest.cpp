#include "page/HarmodexPageLower.h"

#include "analysis/Psychoacoustics.h"
#include "page/MemoryStream.h"
#include "page/PostScriptWriter.h"
#include "pcset/Conversions.h"
#include "pcset/PitchUniverse.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace {

float Cm(float points) { return points / InCentimeters(1.0f); }

// One fragment of the page (gsave ... grestore) as a reader sees it: where
// it starts, the pieces it shows run together (without a leading bullet or
// arrow), and its type sizes.
struct Fragment {
    float x = 0, y = 0;
    std::string text;
    std::vector<float> sizes;
    std::string body;
};

std::vector<Fragment> Fragments(const std::string& postscript)
{
    static const std::regex moveto("^(\\S+) (\\S+) moveto$");
    static const std::regex shown("^\\((.*)\\) ?(?:dup stringwidth pop \\S+ div neg 0 rmoveto )?show$");
    static const std::regex scaled("^(\\S+) scalefont$");
    std::vector<Fragment> fragments;
    std::size_t at = 0;
    while ((at = postscript.find("gsave\n", at)) != std::string::npos) {
        const std::size_t end = postscript.find("grestore", at);
        Fragment f;
        f.body = postscript.substr(at, end - at);
        std::istringstream lines(f.body);
        bool placed = false;
        for (std::string line; std::getline(lines, line);) {
            std::smatch m;
            if (!placed && std::regex_match(line, m, moveto)) {
                f.x = std::stof(m[1]);
                f.y = std::stof(m[2]);
                placed = true;
            } else if (std::regex_match(line, m, shown)) {
                // The bullet and the arrow that lead a line are not part of its text.
                if (m[1] != "\\267 " && m[1] != "\\256 ") f.text += m[1];
            } else if (std::regex_match(line, m, scaled)) {
                f.sizes.push_back(std::stof(m[1]));
            }
        }
        fragments.push_back(f);
        at = end;
    }
    return fragments;
}

const Fragment* Find(const std::vector<Fragment>& fragments, const std::string& text)
{
    for (const Fragment& f : fragments)
        if (f.text == text) return &f;
    return nullptr;
}

PitchClassSet Analysed(const char* set)
{
    PitchClassSet p;
    p.initializeSet(StringToVector(set));
    p.calculateEverything();
    return p;
}

int PageOf(const PitchClassSet& p) { return FindSetID(VectorToString(p.getTnType()), SharedUniverse()) + 1; }

std::vector<Fragment> Column(const PitchClassSet& p, TextBlockExtent* extent = nullptr)
{
    return Fragments(Capture([&](FILE* out) {
        DrawClassificationColumn(out, GetHarmodexPageGeometry(PageOf(p)), p, extent);
    }));
}

std::vector<Fragment> Commonality(const char* set)
{
    const PitchClassSet p = Analysed(set);
    return Fragments(Capture([&](FILE* out) { DrawCommonalityBlock(out, GetHarmodexPageGeometry(PageOf(p)), p); }));
}

std::vector<Fragment> Strip(const char* set)
{
    const PitchClassSet p = Analysed(set);
    return Fragments(Capture([&](FILE* out) { DrawSubsetStrip(out, GetHarmodexPageGeometry(PageOf(p)), p); }));
}

// Every page of the book keeps its classification and its strip of subsets
// inside their boxes at full size: no line below a box, no third column.
// (The strips of the Z-related tetrachords and octachords fill both
// columns to the last line.)
TEST(HarmodexPageLower, EveryPageFitsItsBoxesAtFullSize)
{
    const PitchUniverse& catalogue = SharedUniverse();
    FILE* sink = std::fopen("/dev/null", "w");
    ASSERT_TRUE(sink);
    int fullStrips = 0;
    for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
        const PitchClassSet p = Analysed(catalogue.tnTypes[i].c_str());
        const HarmodexPageGeometry g = GetHarmodexPageGeometry(i + 1);
        TextBlockExtent column, strip;
        DrawClassificationColumn(sink, g, p, &column);
        DrawSubsetStrip(sink, g, p, &strip);
        for (const TextBlockExtent& e : {column, strip}) {
            EXPECT_EQ(e.scale, 1.0f) << catalogue.tnTypes[i];
            EXPECT_GE(e.lowestBaseline[0], e.boxBottom) << catalogue.tnTypes[i];
            EXPECT_GE(e.lowestBaseline[1], e.boxBottom) << catalogue.tnTypes[i];
            EXPECT_EQ(e.lowestBaseline[2], std::numeric_limits<float>::infinity()) << catalogue.tnTypes[i];
        }
        EXPECT_LE(column.columns, 2) << catalogue.tnTypes[i];
        if (strip.lowestBaseline[1] - strip.boxBottom < InCentimeters(0.25f)) ++fullStrips;
    }
    std::fclose(sink);
    EXPECT_EQ(fullStrips, 8);
}

// A column with more lines than its box holds is laid out smaller, both
// columns within the box, rather than starting over on its own lines.
TEST(HarmodexPageLower, AnOverlongColumnIsSetSmallerInsideItsBox)
{
    PitchClassSet p = Analysed("0 4 7");
    TextBlockExtent full;
    const auto normal = Column(p, &full);
    for (int i = 0; i < 16; ++i) p.setInfos.push_back({"Transpositional Classification", "Antitranspositive"});
    TextBlockExtent e;
    const auto small = Column(p, &e);
    EXPECT_LT(e.scale, 1.0f);
    EXPECT_GE(e.lowestBaseline[0], e.boxBottom);
    EXPECT_GE(e.lowestBaseline[1], e.boxBottom);
    EXPECT_EQ(e.lowestBaseline[2], std::numeric_limits<float>::infinity());
    const Fragment* first = Find(small, "asymmetrical");
    ASSERT_TRUE(first);
    EXPECT_NEAR(first->sizes.back(), 6.5f * e.scale, 1e-4);
    // The columns stay where they are; the first line stays one (smaller)
    // line unit under the top of the box.
    EXPECT_NEAR(first->x, Find(normal, "asymmetrical")->x, 1e-4);
    EXPECT_NEAR(Cm(first->y - Find(normal, "asymmetrical")->y), 0.28f * (1 - e.scale), 1e-3);
}

TEST(HarmodexPageLower, RelativesAndAxes)
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
        // Axes through pitch classes are shown as such also when the set
        // has axes between pitch classes too.
        {"0 1 3 4 6 7 9 10", {"axes: (2) (5) (8) (u) "}, {}},
        {"0 1 2 3 4 5 6 7 8 9 10 11", {"axes: all chromas"}, {}},
        // Six axes between pitch classes take two lines.
        {"0 1 4 5 8 9", {"axes: (0\\275) (2\\275) (4\\275) (6\\275) (8\\275) ", "    (d\\275) "}, {}},
    };
    for (const Case& c : cases) {
        const auto column = Column(Analysed(c.set));
        for (const std::string& text : c.present) EXPECT_TRUE(Find(column, text)) << c.set << ": " << text;
        for (const std::string& text : c.absent) EXPECT_FALSE(Find(column, text)) << c.set << ": " << text;
    }
    const auto triad = Column(Analysed("0 1"));
    EXPECT_NEAR(Cm(Find(triad, "I1")->x - Find(triad, "relative: ")->x), 0.9f, 1e-3);
}

TEST(HarmodexPageLower, TonalCentersInPiecesOfFiveOrLeftToTheTables)
{
    struct Case {
        std::string centers;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"0M 1M 2M 3M 4M 5M ", {"centers: 0M 1M 2M 3M 4M ", "    5M "}},
        {"0M 1M 2M 3M 4M 5M 6M ", {"centers: see tonal tables"}},
        {"0M 1M 2M 3M 4M ", {"centers: 0M 1M 2M 3M 4M "}},
    };
    for (const Case& c : cases) {
        PitchClassSet p = Analysed("0 4 7");
        p.setInfos = {{"Tonal Centers", c.centers}};
        const auto column = Column(p);
        std::vector<std::string> lines;
        for (const Fragment& f : column)
            if (f.text.find("centers") != std::string::npos || f.text.rfind("    ", 0) == 0) lines.push_back(f.text);
        EXPECT_EQ(lines, c.lines) << c.centers;
        if (c.lines.size() == 2) {
            // The continuation leaves the arrow's width blank.
            EXPECT_NE(Find(column, c.lines[1])->body.find("(\\256 ) stringwidth rmoveto"), std::string::npos);
            EXPECT_NEAR(Cm(Find(column, c.lines[0])->y - Find(column, c.lines[1])->y), 0.28f, 1e-4);
        }
    }
}

// The reversibility formulas and the column break: the major triad's
// column goes on in its second position among its inversion formulas.
TEST(HarmodexPageLower, ReversibilityFormulasAndColumnBreak)
{
    const auto triad = Column(Analysed("0 4 7"));
    const Fragment* complement = Find(triad, "autocomplementarity:");
    const Fragment* first = Find(triad, "+ T1,u = 0,u, (014578)");
    const Fragment* broken = Find(triad, "+ T2,d = 0,d, (024679)");
    const Fragment* inversion = Find(triad, "+ I1 = 0, (014679)");
    ASSERT_TRUE(complement && first && broken && inversion);
    EXPECT_NEAR(Cm(first->x - complement->x), 0.16f, 1e-4);
    EXPECT_NEAR(Cm(complement->y - first->y), 0.28f, 1e-4);
    // Second position: 9.355 cm from the left margin (shift -5.065 on an
    // even page), 0.45 cm under the column's top at 13.9 cm.
    EXPECT_NEAR(Cm(broken->x), 1.5f - 5.065f + 9.355f + 0.16f, 1e-3);
    EXPECT_NEAR(Cm(broken->y), 1.27f + 13.9f - 0.45f, 1e-3);
    EXPECT_NEAR(Cm(broken->y - inversion->y), 2 * 1.1f * 0.28f, 1e-3);

    // Z-partners: the formulas with the partner's name, after the set's own.
    const auto z = Column(Analysed("0 1 3 7"));
    EXPECT_TRUE(Find(z, "+ 4, (0146) = 3,  31.21.11.21"));
    EXPECT_TRUE(Find(z, "+ 4, (0256) = 0+,  21.21.21.21"));
    // Sets of seven or more pitch classes meet every transform of themselves.
    EXPECT_FALSE(Find(Column(Analysed("0 1 2 3 4 5 6")), "autocomplementarity:"));
}

TEST(HarmodexPageLower, CommonalityRows)
{
    struct Case {
        const char* set;
        std::vector<std::string> labels;
        float lowered;  // line units below the usual header
    };
    const Case cases[] = {
        {"0 1 3", {":", ":", "(047):", "(037):"}, 0},
        {"0", {"&     :", "(047):", "(037):"}, 1},
        {"0 4 7", {"(047):", "(037):"}, 2},
        {"0 3 7", {"(047):", "(037):"}, 2},
    };
    for (const Case& c : cases) {
        const auto block = Commonality(c.set);
        std::vector<std::string> labels;
        for (const Fragment& f : block)
            if (!f.text.empty() && f.text.back() == ':') labels.push_back(f.text);
        EXPECT_EQ(labels, c.labels) << c.set;
        const Fragment* header = Find(block, "COMMONALITY");
        ASSERT_TRUE(header);
        EXPECT_NEAR(Cm(header->y), 1.27f + 12.3f + 3.825f - 1.2f - c.lowered * 0.23f + 0.25f, 1e-3) << c.set;
        EXPECT_EQ(header->sizes.back(), 5.6f);
    }
    // The rows are the commonality with each transposition of the set, of
    // its inversion and of the two triads.
    auto row = [](const std::vector<Fragment>& block, const Fragment* label) {
        std::vector<int> values;
        for (const Fragment& f : block)
            if (f.y == label->y && f.x > label->x) values.push_back(std::stoi(f.text));
        return values;
    };
    const auto triad = Commonality("0 4 7");
    EXPECT_EQ(row(triad, Find(triad, "(047):")), (std::vector<int>{100, 12, 21, 42, 33, 44, 4, 44, 33, 42, 21, 12}));
    for (const char* set : {"0 1 3", "0 1 4 6", "0 2 3 5 7 9 10"}) {
        const PitchClassSet p = Analysed(set);
        PitchClassSet q;
        const auto block = Commonality(set);
        std::vector<const Fragment*> labels;
        for (const Fragment& f : block)
            if (f.text.find(':') != std::string::npos) labels.push_back(&f);
        ASSERT_EQ(labels.size(), 4u) << set;
        q.initializeSet(p.getTnType());
        EXPECT_EQ(row(block, labels[0]), CalculateCommonalityForAllTns(p, q)) << set;
        q.initializeSet(p.get_PitchClassSet(1, 0));
        EXPECT_EQ(row(block, labels[1]), CalculateCommonalityForAllTns(p, q)) << set;
        q.initializeSet({0, 4, 7});
        EXPECT_EQ(row(block, labels[2]), CalculateCommonalityForAllTns(p, q)) << set;
        q.initializeSet({0, 3, 7});
        EXPECT_EQ(row(block, labels[3]), CalculateCommonalityForAllTns(p, q)) << set;
    }
    // Tn and In operator letters before the combined row.
    const auto single = Commonality("0");
    const Fragment* both = Find(single, "&     :");
    std::vector<float> operators;
    for (const Fragment& f : single)
        if (f.text == "Tn" || f.text == "In") operators.push_back(Cm(both->x - f.x));
    EXPECT_EQ(operators.size(), 2u);
    EXPECT_NEAR(operators[0], 0.75f, 1e-3);
    EXPECT_NEAR(operators[1], 0.26f, 1e-3);
}

TEST(HarmodexPageLower, SubsetLineFit)
{
    struct Case {
        std::size_t n;
        float size;
        int join;
    };
    for (const Case& c : {Case{35, 5.6f, 0}, Case{36, 5.6f, 1}, Case{46, 5.6f * 0.955f, 1},
                          Case{47, 5.6f * 0.9505f, 2}}) {
        const SubsetLineFit fit = FitSubsetLine(c.n);
        EXPECT_NEAR(5.6 * fit.factor, c.size, 1e-5) << c.n;
        EXPECT_EQ(fit.join, c.join) << c.n;
    }
    // On the page: the whole-tone scale's longest line, set small with the
    // plus sign alone, and a short line at full size with " + ".
    const auto strip = Strip("0 2 4 6 8 10");
    const Fragment* longest = nullptr;
    const Fragment* shortest = nullptr;
    for (const Fragment& f : strip) {
        if (f.text.find("(026)") != std::string::npos) longest = &f;
        if (f.text.find("(02) + ") != std::string::npos) shortest = &f;
    }
    ASSERT_TRUE(longest && shortest);
    EXPECT_NE(longest->body.find("\n(+) show\n"), std::string::npos);
    EXPECT_LT(longest->sizes[1], 5.6f * 0.95f);
    EXPECT_EQ(shortest->sizes[1], 5.6f);
}

TEST(HarmodexPageLower, SubsetAndSupersetLists)
{
    struct Case {
        const char* set;
        std::vector<std::string> texts;  // in page order
    };
    const Case cases[] = {
        // One pitch class: no subset (the empty-set sign), every bigger set.
        {"0", {"SUBSETS", "   \\306", "SUPERSETS", "all bigger"}},
        {"0 1 2 3 4 5 6 7 8 9 10 11", {"SUBSETS", "all smaller", "SUPERSETS", "   \\306"}},
        // Each subset with its level, and the remainder with its own.
        {"0 4 7", {"SUBSETS", "(0)", "4,(03) + 0,(0)", "0,(04) + 7,(0)", "7,(05) + 4,(0)", "SUPERSETS",
                   "all bigger except:", "(0123)"}},
        // Supersets of a large set are named by their Costère code.
        {"0 1 2 3 4 5 6 7 8 9 10", {"SUPERSETS", "0+, XII"}},
    };
    for (const Case& c : cases) {
        const auto strip = Strip(c.set);
        std::size_t next = 0;
        for (const Fragment& f : strip)
            if (next < c.texts.size() && f.text == c.texts[next]) ++next;
        EXPECT_EQ(next, c.texts.size()) << c.set << ": missing " << (next < c.texts.size() ? c.texts[next] : "");
    }
    const auto single = Strip("0");
    const Fragment* heading = Find(single, "SUBSETS");
    const Fragment* sign = Find(single, "   \\306");
    EXPECT_NEAR(Cm(heading->y - sign->y), 0.3f, 1e-4);
    EXPECT_EQ(sign->sizes.back(), 7.28f);
    EXPECT_NE(sign->body.find("/Symbol findfont"), std::string::npos);
}

// Once the first column of the strip is full, the list goes on at the top
// of a second column, right-aligned at the strip's right edge.
TEST(HarmodexPageLower, StripWrapsIntoARightAlignedColumn)
{
    const auto strip = Strip("0 1 3 7");  // page 35: both columns full
    const float top = InCentimeters(1.27f + 16.9f);
    std::vector<const Fragment*> tops;
    for (const Fragment& f : strip)
        if (std::abs(f.y - top) < 0.01f) tops.push_back(&f);
    ASSERT_EQ(tops.size(), 2u);
    EXPECT_EQ(tops[0]->text, "SUBSETS");
    EXPECT_NEAR(Cm(tops[1]->x), 2.0f + 0.125f + 4.89f, 1e-3);
    EXPECT_NE(tops[1]->body.find("rmoveto show"), std::string::npos);
}

} // namespace

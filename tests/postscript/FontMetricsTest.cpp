#include "postscript/FontMetrics.h"

#include "postscript/Ghostscript.h"
#include "postscript/MemoryStream.h"
#include "postscript/PostScriptWriter.h"
#include "postscript/TextPrimitives.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

// The ink box of each page of a document as Ghostscript's bbox device
// measures it (an empty vector when Ghostscript cannot be run).
std::vector<InkBox> GhostscriptInk(const std::string& postscript)
{
    std::string messages;
    if (RunGhostscriptOn(postscript, "bbox", &messages) != 0)
        return {};
    std::vector<InkBox> boxes;
    std::istringstream lines(messages);
    for (std::string line; std::getline(lines, line);) {
        InkBox b;
        if (std::sscanf(line.c_str(), "%%%%HiResBoundingBox: %lf %lf %lf %lf", &b.left, &b.bottom, &b.right, &b.top) ==
            4)
            boxes.push_back(b);
    }
    return boxes;
}

// The texts the page is made of, each drawn by its own primitive: every
// font, the Latin-1 and Symbol escapes, right-aligned and right-to-left
// composition, a blank leading sign, a subscript and a turned text.
const std::vector<std::function<void(FILE*)>>& Samples()
{
    static const std::vector<std::function<void(FILE*)>> samples = {
        [](FILE* s) { Print_SubsetConfiguration(s, 200, 300, 5.13f, "(01245)", "|0,4,8|,", "(0)\\041", "3,", 2, 1); },
        [](FILE* s) { Print_SubsetConfiguration(s, 60, 300, 5.6f, "(0124)", "|0,4,8,-6,-d,-2|,", "()", "", 0, 0); },
        [](FILE* s) { Print_Arrowed(s, 50, 200, 6.5f, "    (5) (7) (8) (10) (11) ", 0); },
        [](FILE* s) { Print_Bulleted(s, 50, 200, 6.5f, "symmetrical with intercalar axes", 1); },
        [](FILE* s) { Print_TextII(s, 120, 100, 6.5f, "azimuth: 0\\260 (1\\275)", kAlignCentre); },
        [](FILE* s) { PrintRotatedText(s, 300, 100, 6.5f, 90, "roughness", 0); },
        [](FILE* s) { Print_TN(s, 80, 80, 7.15f, "I", "u"); },
        [](FILE* s) { Print_TextIIIitallic(s, 300, 400, 5.6f, "(0148)", "0,4,8,", 7); },
        [](FILE* s) { Print_TextIIIitallic(s, 300, 400, 5.6f, "(0148)", "0+,", 2); },
        [](FILE* s) { Print_TextBoldIII(s, 100, 400, 9, "f", 0); },
        [](FILE* s) { Print_Text(s, 100, 400, 11, "- 24 -", kAlignCentre); },
    };
    return samples;
}

// Where the reader of the page's PostScript puts the ink of each sample is
// where Ghostscript draws it. Ghostscript fits glyphs this small to its
// grid, which moves an edge by up to about a tenth of a point.
TEST(FontMetrics, InkLandsWhereGhostscriptDrawsIt)
{
    if (!GhostscriptAvailable())
        GTEST_SKIP() << "gs is not on PATH";
    std::string document = Capture([](FILE* s) { Print_PS_Header(s, "ink", static_cast<int>(Samples().size())); });
    std::vector<InkBox> ours;
    for (std::size_t i = 0; i < Samples().size(); ++i) {
        const std::string fragment = Capture(Samples()[i]);
        InkBox all{1e9, 1e9, -1e9, -1e9};
        for (const ShownWord& w : ShownWords(fragment)) {
            all.left = std::min(all.left, w.box.left), all.bottom = std::min(all.bottom, w.box.bottom);
            all.right = std::max(all.right, w.box.right), all.top = std::max(all.top, w.box.top);
        }
        ours.push_back(all);
        if (i > 0)
            document += Capture([&](FILE* s) { Print_PS_PageStart(s, static_cast<int>(i + 1)); });
        document += fragment;
    }
    document += Capture(WrapUp_PS);
    const std::vector<InkBox> drawn = GhostscriptInk(document);
    ASSERT_EQ(drawn.size(), ours.size());
    for (std::size_t i = 0; i < ours.size(); ++i) {
        EXPECT_NEAR(ours[i].left, drawn[i].left, 0.2) << "sample " << i;
        EXPECT_NEAR(ours[i].bottom, drawn[i].bottom, 0.2) << "sample " << i;
        EXPECT_NEAR(ours[i].right, drawn[i].right, 0.2) << "sample " << i;
        EXPECT_NEAR(ours[i].top, drawn[i].top, 0.2) << "sample " << i;
    }
}

// Words are boxed one by one, so that a text set into the blanks of
// another does not count as running into it; texts of one fragment never
// collide with each other, and a clearance widens what counts.
TEST(FontMetrics, CollisionsAreBetweenWordsOfDifferentTexts)
{
    const std::string label = Capture([](FILE* s) {
        Print_TextII(s, 100, 100, 5.6f, "&     :", 0);
        Print_TN(s, 105, 100, 6.16f, "I", "n");
    });
    const std::vector<ShownWord> words = ShownWords(label);
    ASSERT_EQ(words.size(), 4u);  // "&", ":", and the letter with its subscript
    EXPECT_EQ(FirstCollision(words, 0).first, -1);

    const std::string columns = Capture([](FILE* s) {
        Print_TextIII(s, 100, 100, 5.6f, "(0148)", 0);
        Print_TextIII(s, 100, 100, 5.6f, "(0148)", kAlignRight);
    });
    const std::vector<ShownWord> pair = ShownWords(columns);
    ASSERT_EQ(pair.size(), 2u);
    const double gap = pair[0].box.left - pair[1].box.right;  // the second ends left of the first's ink
    EXPECT_GT(gap, 0);
    EXPECT_EQ(FirstCollision(pair, gap * 0.9).first, -1);
    EXPECT_NE(FirstCollision(pair, gap * 1.1).first, -1);
}

}  // namespace

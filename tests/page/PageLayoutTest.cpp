#include "page/HarmodexPage.h"
#include "page/PageLayout.h"

#include "postscript/ShownText.h"
#include "pcset/PitchUniverse.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Pages of both hands and of every size of set: the odd pages 1 and 25 and
// 351 (the aggregate), the even pages 24 (the major triad) and 200.
const int kPages[] = {1, 24, 25, 200, 351};

struct Composed {
    std::string text;
    PageLayout layout;
};

Composed Compose(int page)
{
    Composed c;
    c.text = DrawHarmodexPage(page, SharedUniverse().tnTypes[page - 1], 0, 0, &c.layout);
    return c;
}

bool Inside(const PageRect& outer, const PageRect& inner)
{
    const float x = (inner.left + inner.right) / 2, y = (inner.bottom + inner.top) / 2;
    return outer.contains(x, y);
}

// Every table cell sits on the value it holds, every classification line
// where its text is printed, and every detail inside a block of its own and
// on the page.
TEST(PageLayout, EveryRegionLiesOnWhatItNames)
{
    for (int page : kPages) {
        SCOPED_TRACE("page " + std::to_string(page));
        const Composed c = Compose(page);
        const std::vector<ShownText> shown = ShownTexts(c.text);
        int cells = 0, lines = 0;
        for (const PageRegion& detail : c.layout.details) {
            bool held = false;
            for (const PageRegion& block : c.layout.blocks)
                held = held || (block.block == detail.block && Inside(block.rect, detail.rect));
            EXPECT_TRUE(held) << detail.block << " " << detail.value;
            EXPECT_TRUE(detail.rect.left >= 0 && detail.rect.right <= c.layout.width && detail.rect.bottom >= 0 &&
                        detail.rect.top <= c.layout.height)
                << detail.value;

            std::string value = detail.value;
            const bool cell = !detail.column.empty();
            const bool line = detail.block.compare(0, 14, "classification") == 0 || detail.block == "poles";
            if (cell && !value.empty() && value.back() == '%')
                value.pop_back();
            bool found = false;
            for (const ShownText& s : shown)
                found = found || (detail.rect.contains(s.x, s.y) && (!cell || PlainText(s.text) == value));
            cells += cell;
            lines += line;
            if (cell || line) {
                EXPECT_TRUE(found) << detail.row << " at " << detail.column << ": nothing printed where \""
                                   << detail.value << "\" should be";
            }
            if (line) {
                EXPECT_FALSE(detail.term.empty()) << detail.value;
            }
        }
        // Seven tables and two invariance rows, two or four commonality rows.
        EXPECT_GE(cells, 12 * 11);
        EXPECT_GE(lines, 4);
    }
}

TEST(PageLayout, TheSameBlockLiesMirroredOnFacingPages)
{
    // The table box lies on the outer side: right on odd pages, left on even
    // ones; the identity column on the other side.
    struct Case {
        int page;
        const char* block;
        bool right;
    };
    for (const Case& c : {Case{25, "attraction", true}, Case{24, "attraction", false}, Case{25, "measures", false},
                          Case{24, "measures", true}, Case{25, "strips", false}, Case{24, "strips", true}}) {
        const Composed composed = Compose(c.page);
        const PageRegion* found = nullptr;
        for (const PageRegion& block : composed.layout.blocks)
            if (block.block == c.block)
                found = &block;
        ASSERT_NE(found, nullptr) << c.block;
        EXPECT_EQ((found->rect.left + found->rect.right) / 2 > composed.layout.width / 2, c.right)
            << "page " << c.page << ", " << c.block;
    }
}

TEST(PageLayout, PlainTextReadsThePageEscapes)
{
    struct Case {
        const char* shown;
        const char* plain;
    };
    for (const Case& c : {Case{"axes: (0\\275) (6\\275)", "axes: (0\u00bd) (6\u00bd)"}, Case{"\\(047\\)", "(047)"},
                          Case{"a\\\\b", "a\\b"}, Case{"\\101B", "AB"}, Case{"ends in \\", "ends in \\"}})
        EXPECT_EQ(PlainText(c.shown), c.plain) << c.shown;
}

}  // namespace

#include "page/HarmodexPage.h"

#include "page/MemoryStream.h"
#include "page/PostScriptWriter.h"
#include "page/ShownText.h"
#include "pcset/Conversions.h"
#include "pcset/PitchUniverse.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

float Cm(float points) { return points / InCentimeters(1.0f); }

// The page of a set, with its page number from the catalogue.
std::string Page(const char* set)
{
    PitchClassSet s;
    s.initializeSet(StringToVector(set));
    return DrawHarmodexPage(FindSetID(VectorToString(s.getTnType()), SharedUniverse()) + 1, set, 0, 0);
}

// The creation date is the only part of a page that depends on the clock.
std::string WithoutDate(const std::string& page)
{
    return std::regex_replace(page, std::regex("%%CreationDate: [^\n]*\n"), "");
}

struct Rectangle { float x, y, width, height; };

// The rectangles stroked with the given line width, in the order drawn.
std::vector<Rectangle> Rectangles(const std::string& page, const char* lineWidth)
{
    const std::regex rectangle(std::string(lineWidth) +
                               " setlinewidth\nnewpath\n(\\S+) (\\S+) moveto\n(\\S+) \\S+ lineto\n\\S+ (\\S+) lineto\n");
    std::vector<Rectangle> found;
    for (std::sregex_iterator it(page.begin(), page.end(), rectangle), end; it != end; ++it) {
        const float x = std::stof((*it)[1]), y = std::stof((*it)[2]);
        found.push_back({x, y, std::stof((*it)[3]) - x, std::stof((*it)[4]) - y});
    }
    return found;
}

TEST(HarmodexPage, MirroredMarginsAndTitleBox)
{
    struct Case { int page; const char* set; float left, right, titleX; };
    const Case cases[] = {{1, "0", 2.0f, 1.5f, 9.6f}, {2, "0 1", 1.5f, 2.0f, 1.5f}};
    for (const Case& c : cases) {
        const auto boxes = Rectangles(DrawHarmodexPage(c.page, c.set, 0, 0), "0.600000");
        ASSERT_GE(boxes.size(), 2u);  // the frame and the title box come first
        EXPECT_NEAR(Cm(boxes[0].x), c.left, 1e-4);
        EXPECT_NEAR(17.0f - Cm(boxes[0].x + boxes[0].width), c.right, 1e-4);
        EXPECT_NEAR(Cm(boxes[0].y), 1.27f, 1e-4);
        EXPECT_NEAR(Cm(boxes[0].height), 20.66f, 1e-4);
        EXPECT_NEAR(Cm(boxes[1].x), c.titleX, 1e-4);
        EXPECT_NEAR(Cm(boxes[1].width), 5.9f, 1e-4);
        EXPECT_NEAR(Cm(boxes[1].y), 24.0f - 2.07f, 1e-4);  // standing on the frame
    }
}

TEST(HarmodexPage, TitleNamesLargeSetsByTheirCostereCode)
{
    struct Case { const char* set; const char* large; const char* small; };
    const Case cases[] = {
        {"0 4 7", "(0 4 7)", "13.12.14"},
        {"0 1 2 4 6 8 10", "(0 1 2 4 6 8 d)", "31.11.11.11.11"},
        {"0 1 2 3 4 5 6 7", "84", "(0 1 2 3 4 5 6 7)"},
    };
    for (const Case& c : cases) {
        const auto shown = ShownTexts(Page(c.set));
        const ShownText* large = FindShown(shown, c.large);
        const ShownText* small = FindShown(shown, c.small);
        ASSERT_TRUE(large && small) << c.set;
        EXPECT_EQ(large->size, 13.5f);
        EXPECT_EQ(small->size, 10.5f);
        EXPECT_LT(large - shown.data(), small - shown.data());  // the large text first
        EXPECT_EQ(large->y, small->y);
    }
}

TEST(HarmodexPage, IdentityLinesOfKnownSets)
{
    struct Case { const char* set; std::vector<const char*> present, absent; };
    const Case cases[] = {
        {"0", {"1", "item", "1-1", "complement to XII:", "generatrices:"}, {"items", "isomers: "}},
        {"0 4 7", {"3", "items", "3-11b", "interval vector:  <0,0,1,1,1,0>", "inverted twin: (037)",
                       "tonicity:  54.00\\045", "phonicity:  28.85\\045", "1.00", "\\255", "0 ", "\\257", "(2) "},
         {"item"}},
        {"0 2 5", {"inverted twin: (035)"}, {}},
        {"0 4 8", {"items"}, {"inverted twin: (048)"}},  // its own inversion
        {"0 1 4 6", {"isomers:  \\(0137\\) \\(0467\\)"}, {}},
        {"0 1 2 3 4 5 6 8", {"inverted twin:  11.73"}, {}},
    };
    for (const Case& c : cases) {
        const auto shown = ShownTexts(Page(c.set));
        for (const char* text : c.present) EXPECT_TRUE(FindShown(shown, text)) << c.set << ": " << text;
        for (const char* text : c.absent) EXPECT_FALSE(FindShown(shown, text)) << c.set << ": " << text;
    }
}

// The complement's Tn-type with, in italics, the level at which it fills
// the rest of the aggregate ("+" when several levels do).
TEST(HarmodexPage, ComplementLine)
{
    struct Case { const char* set; const char* expected; };
    const Case cases[] = {
        {"0 1 2 3 4 5", "/Helvetica-Italic findfont\n5.850000 scalefont\nsetfont\n(6,) show\n"},
        {"0 2 4 6 8 10", "(1+,) show\n"},
        {"0 1 2 3 4 5", "((012345)) show\n"},
        {"0 4 7", "(8,) show\n"},
        {"0 4 7", "( 41.31.21) show\n"},
    };
    for (const Case& c : cases) {
        const std::string page = Page(c.set);
        EXPECT_NE(page.find(c.expected), std::string::npos) << c.set << ": " << c.expected;
    }
    const auto aggregate = ShownTexts(DrawHarmodexPage(351, "0 1 2 3 4 5 6 7 8 9 10 11", 0, 0));
    const ShownText* label = FindShown(aggregate, "complement to XII:");
    ASSERT_TRUE(label);
    EXPECT_EQ(label[1].text, "\\306");
    EXPECT_EQ(label[1].font, "Symbol");
}

TEST(HarmodexPage, DocumentFramings)
{
    const std::string eps = DrawHarmodexPage(24, "0 4 7", 0, 0);
    EXPECT_EQ(eps.rfind("%!PS-Adobe-3.0 EPSF-3.0\n", 0), 0u);
    EXPECT_NE(eps.find("\n%%BoundingBox: 0 0 481 680\n"), std::string::npos);
    EXPECT_NE(eps.find("\n%%Title: 0 4 7\n"), std::string::npos);
    EXPECT_EQ(eps.substr(eps.size() - 8), "\n\n%%EOF\n");
    EXPECT_EQ(eps.find("showpage"), std::string::npos);

    const std::string first = DrawHarmodexPage(1, "0", -1, 3);
    EXPECT_EQ(first.rfind("%!PS-Adobe-2.0\n\n", 0), 0u);
    EXPECT_NE(first.find("%%Pages: 3\n"), std::string::npos);
    EXPECT_EQ(first.find("%%EOF"), std::string::npos);
    const std::string middle = DrawHarmodexPage(2, "0 1", -2, 3);
    EXPECT_EQ(middle.rfind("\n\nshowpage\n\n%%Page: 2 2\n\n\n", 0), 0u);
    EXPECT_EQ(middle.find("%%EOF"), std::string::npos);
    const std::string last = DrawHarmodexPage(3, "0 2", -3, 3);
    EXPECT_EQ(last.rfind("\n\nshowpage\n\n%%Page: 3 3\n\n\n", 0), 0u);
    EXPECT_EQ(last.substr(last.size() - 20), "\n\nshowpage\n\n\n\n%%EOF\n");
}

TEST(HarmodexPage, AnyFormOfTheSetGivesTheSamePage)
{
    const std::string page = WithoutDate(DrawHarmodexPage(24, "0 4 7", 0, 0));
    for (const char* form : {"13.12.14", "7 11 2", "  4 7 0 4 "})
        EXPECT_EQ(WithoutDate(DrawHarmodexPage(24, form, 0, 0)), page) << form;
}

TEST(HarmodexPage, TextsThatAreNoCatalogueSetStillComposeAPage)
{
    for (const char* text : {"", "x", "1.2.3.4.5.6.7.8.9.1.2.3.4.5"}) {
        const std::string page = DrawHarmodexPage(1, text, 0, 0);
        EXPECT_EQ(page.substr(page.size() - 8), "\n\n%%EOF\n") << '"' << text << '"';
        EXPECT_EQ(page.find("nan "), std::string::npos) << '"' << text << '"';
    }
}

// Lines that read the classification records, fed with records as the
// attribute classification writes them.
TEST(HarmodexPage, IdentityColumnReadsClassificationRecords)
{
    auto column = [](const char* set, const std::vector<SetInfo>& records) {
        PitchClassSet p;
        p.initializeSet(StringToVector(set));
        p.calculateEverything();
        p.setInfos = records;
        return ShownTexts(Capture([&](FILE* out) { DrawIdentityColumn(out, GetHarmodexPageGeometry(1), p); }));
    };

    const auto triad = column("0 4 7", {{"Interval Content Classification", "with limited interval content"},
                                        {"Roots", " 0"}, {"Vertices", " 7"}});
    EXPECT_TRUE(FindShown(triad, "(limited content)"));
    EXPECT_TRUE(FindShown(triad, "root:  0"));
    EXPECT_TRUE(FindShown(triad, "vertex:  7"));
    EXPECT_FALSE(FindShown(triad, "with limited"));

    // Six vertex maxima: no vertex record, and the line shows the word alone.
    // Six roots: the listing comes first and is the one shown.
    const auto wholeTone = column("0 2 4 6 8 10", {{"TransInv Limitation Classification", "with limited Tns & TnIs"},
                                                   {"Roots", " 0 2 4 6 8 d"}, {"Roots", "all maxima"}});
    EXPECT_TRUE(FindShown(wholeTone, "roots:  0 2 4 6 8 d"));
    EXPECT_TRUE(FindShown(wholeTone, "vertices: "));
    const ShownText* limited = FindShown(wholeTone, "with limited");
    ASSERT_TRUE(limited);
    const ShownText* both = FindShown(wholeTone, "&");
    ASSERT_TRUE(both);
    EXPECT_NEAR(Cm(both->x - limited->x), 1.56f, 1e-4);
    EXPECT_EQ(both->y, limited->y);

    // Without any record (the classification not yet run) nothing is read.
    const auto bare = column("0 2 4 6 8 10", {});
    EXPECT_TRUE(FindShown(bare, "roots: "));
    EXPECT_FALSE(FindShown(bare, "with limited"));
}

std::string TemporaryPath(const char* suffix)
{
    std::string pattern = std::string("/tmp/harmodex_book_XXXXXX") + suffix;
    const int fd = mkstemps(&pattern[0], static_cast<int>(std::string(suffix).size()));
    if (fd < 0) return "";
    close(fd);
    return pattern;
}

// The whole book as one multi-page document, read by a real PostScript
// interpreter.
TEST(HarmodexPage, AllPagesComposeAndRenderWithoutPostScriptError)
{
    const PitchUniverse& catalogue = SharedUniverse();
    const int pages = PitchUniverse::NumTnTypes;
    std::string book;
    for (int i = 0; i < pages; ++i) {
        const std::string page = DrawHarmodexPage(i + 1, catalogue.tnTypes[i], -(i + 1), pages);
        const std::string number = "(- " + std::to_string(i + 1) + " -)";
        ASSERT_NE(page.find(number), std::string::npos) << catalogue.tnTypes[i];
        ASSERT_NE(page.find("(complement to XII:)"), std::string::npos) << catalogue.tnTypes[i];
        book += page;
    }
    EXPECT_EQ(book.substr(book.size() - 8), "\n\n%%EOF\n");

    if (std::system("command -v gs >/dev/null 2>&1") != 0) GTEST_SKIP() << "gs is not on PATH";
    const std::string path = TemporaryPath(".ps");
    const std::string log = TemporaryPath(".log");
    ASSERT_FALSE(path.empty() || log.empty());
    std::ofstream(path) << book;
    const std::string command =
        "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=nullpage '" + path + "' >'" + log + "' 2>&1 </dev/null";
    const int status = std::system(command.c_str());
    std::stringstream messages;
    messages << std::ifstream(log).rdbuf();
    std::remove(path.c_str());
    std::remove(log.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << messages.str();
    EXPECT_EQ(messages.str().find("Error"), std::string::npos) << messages.str();
}

} // namespace

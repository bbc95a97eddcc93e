#include "page/HarmodexPage.h"

#include "postscript/FontMetrics.h"
#include "postscript/Ghostscript.h"
#include "postscript/PostScriptWriter.h"
#include "postscript/ShownText.h"
#include "pcset/Conversions.h"
#include "pcset/PitchUniverse.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

float Cm(float points) { return points / InCentimeters(1.0f); }

// The page of a set, with its page number from the catalogue.
std::string Page(const char* set)
{
    PitchClassSet s;
    s.initializeSet(StringToVector(set));
    return DrawHarmodexPage(FindSetID(VectorToString(s.getTnType()), SharedUniverse()) + 1, set, 0, 0);
}

// Facts of the identity column and the cardinality box that theory fixes
// (Forte name, interval vector, inversion, Z-partners, complement), which the
// pinned page bytes cannot tell right from wrong ("(text) " opens every
// shown text).
TEST(HarmodexPage, IdentityLinesOfKnownSets)
{
    struct Case {
        const char* set;
        std::vector<const char*> present, absent;
    };
    const Case cases[] = {
        {"0", {"item", "1-1", "generatrices:"}, {"items", "isomers: "}},
        {"0 4 7",
         {"items", "3-11b", "interval vector:  <0,0,1,1,1,0>", "inverted twin: (037)", "tonicity:  54.00\\045",
          "phonicity:  28.85\\045", " 41.31.21"},
         {"item"}},
        {"0 4 8", {}, {"inverted twin: (048)"}},  // its own inversion
        {"0 1 4 6", {"isomers:  \\(0137\\) \\(0467\\)"}, {}},
        {"0 1 2 3 4 5 6 8", {"inverted twin:  11.73"}, {}},
        // The complement's Tn-type after the level (italic) at which it fills
        // the aggregate, with "+" when several levels do.
        {"0 1 2 3 4 5", {"(012345)", "6,"}, {}},
        {"0 2 4 6 8 10", {"1+,"}, {}},
    };
    for (const Case& c : cases) {
        const std::string page = Page(c.set);
        for (const char* text : c.present)
            EXPECT_NE(page.find("(" + std::string(text) + ") "), std::string::npos) << c.set << ": " << text;
        for (const char* text : c.absent)
            EXPECT_EQ(page.find("(" + std::string(text) + ") "), std::string::npos) << c.set << ": " << text;
    }
}

TEST(HarmodexPage, AnyFormOfTheSetGivesTheSamePageAndAnyTextAPage)
{
    const std::regex date("%%CreationDate: [^\n]*\n");
    const std::string page = std::regex_replace(DrawHarmodexPage(24, "0 4 7", 0, 0), date, "");
    for (const char* form : {"13.12.14", "7 11 2", "  4 7 0 4 "})
        EXPECT_EQ(std::regex_replace(DrawHarmodexPage(24, form, 0, 0), date, ""), page) << form;
    // No catalogue set: still a whole document, with no undefined number
    // where PostScript expects one.
    for (const char* text : {"", "x", "1.2.3.4.5.6.7.8.9.1.2.3.4.5"}) {
        const std::string odd = DrawHarmodexPage(1, text, 0, 0);
        EXPECT_EQ(odd.substr(odd.size() - 8), "\n\n%%EOF\n") << '"' << text << '"';
        EXPECT_EQ(odd.find("nan "), std::string::npos) << '"' << text << '"';
    }
}

// Every page of the book, composed once for the catalogue-wide checks: a
// digest of its text (the creation date left out), where its first two
// colliding words lie, and the fonts it selects that have no metrics.
struct ScannedPage {
    std::uint64_t digest = 1469598103934665603ull;  // FNV-1a
    std::string collision, unmeasured;
};

// A page's text without its creation date, the one line that differs
// between two compositions. The page is composed with its layout recorded,
// which must leave the text as it is.
std::string DatelessPage(int page)
{
    PageLayout layout;
    std::string text = DrawHarmodexPage(page, SharedUniverse().tnTypes[page - 1], 0, 0, &layout);
    const std::size_t date = text.find("%%CreationDate: ");
    text.erase(date, text.find('\n', date) + 1 - date);
    return text;
}

const std::vector<ScannedPage>& ScannedBook()
{
    static const std::vector<ScannedPage> book = [] {
        std::vector<ScannedPage> pages(PitchUniverse::NumTnTypes);
        for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
            const std::string page = DatelessPage(i + 1);
            ScannedPage& scan = pages[i];
            for (unsigned char ch : page)
                scan.digest = (scan.digest ^ ch) * 1099511628211ull;
            const std::vector<ShownWord> words = ShownWords(page);
            const auto [a, b] = FirstCollision(words, 0);
            if (a >= 0) {
                char where[160];
                std::snprintf(where, sizeof where, "words at (%.2f, %.2f) cm and (%.2f, %.2f) cm overlap",
                              Cm(words[a].box.left), Cm(words[a].box.bottom), Cm(words[b].box.left),
                              Cm(words[b].box.bottom));
                scan.collision = where;
            }
            for (std::size_t at = 0; (at = page.find(" findfont", at)) != std::string::npos; ++at) {
                const std::size_t name = page.rfind('/', at) + 1;
                if (!FindFontMetrics(page.substr(name, at - name)))
                    scan.unmeasured += page.substr(name, at - name) + " ";
            }
        }
        return pages;
    }();
    return book;
}

// No two texts on any page of the book run into each other, measured
// between their inked outlines in the fonts Ghostscript draws them with.
TEST(HarmodexPage, NoTwoTextsOverlapOnAnyPage)
{
    for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
        EXPECT_EQ(ScannedBook()[i].collision, "") << "page " << i + 1;
        EXPECT_EQ(ScannedBook()[i].unmeasured, "") << "page " << i + 1;
    }
}

// The first line at which two texts of a page differ, with both versions.
std::string firstDifference(const std::string& before, const std::string& now)
{
    std::istringstream a(before), b(now);
    std::string lineA, lineB;
    for (int number = 1;; ++number) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA && !moreB)
            return "";
        if (!moreA || !moreB || lineA != lineB)
            return "line " + std::to_string(number) + " was \"" + (moreA ? lineA : "(end of page)") + "\", is now \"" +
                   (moreB ? lineB : "(end of page)") + "\"";
    }
}

// Every page of the book is exactly as it was when the table of digests
// was last written. A deliberate change to the page writes the new table
// beside the tests to look at the pages it names, then copy over. The text
// of each page that matched its digest is kept in the build folder, so that
// a page that changes later is shown with its first differing line.
TEST(HarmodexPage, EveryPageIsAsBefore)
{
    static const std::uint64_t expected[PitchUniverse::NumTnTypes] = {
#include "page/PageDigests.inc"
    };
    const std::string kept = "page-texts";
    std::filesystem::create_directories(kept);
    std::string changed,
        table = "// FNV-1a digests of the 351 pages, as HarmodexPage.EveryPageIsAsBefore writes them.\n";
    for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
        const ScannedPage& scan = ScannedBook()[i];
        // Named by the digest it had, so a text kept before a deliberate
        // change is never taken for the page as it should be now.
        char keptName[64];
        std::snprintf(keptName, sizeof keptName, "/%d-%016llx.eps", i + 1,
                      static_cast<unsigned long long>(expected[i]));
        const std::string keptPath = kept + keptName;
        std::ifstream keptFile(keptPath, std::ios::binary);
        if (scan.digest != expected[i]) {
            std::ostringstream before;
            before << keptFile.rdbuf();
            const std::string newPath = ::testing::TempDir() + "page-" + std::to_string(i + 1) + ".eps";
            const std::string now = DatelessPage(i + 1);
            std::ofstream(newPath, std::ios::binary) << now;
            changed += "\n  page " + std::to_string(i + 1) + ": " +
                       (keptFile ? firstDifference(before.str(), now)
                                 : "no earlier text of it in this build folder; the new text is in " + newPath);
        } else if (!keptFile) {
            std::ofstream(keptPath, std::ios::binary) << DatelessPage(i + 1);
        }
        char line[40];
        std::snprintf(line, sizeof line, "0x%016llxull,%s", static_cast<unsigned long long>(scan.digest),
                      i % 4 == 3 ? "\n" : " ");
        table += line;
    }
    if (!changed.empty()) {
        const std::string path = ::testing::TempDir() + "PageDigests.inc";
        std::ofstream(path) << table << "\n";
        ADD_FAILURE() << "pages changed:" << changed << "\nThe new table is in " << path;
    }
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
        ASSERT_NE(page.find("(- " + std::to_string(i + 1) + " -)"), std::string::npos) << catalogue.tnTypes[i];
        book += page;
    }
    if (!GhostscriptAvailable())
        GTEST_SKIP() << "gs is not on PATH";
    EXPECT_EQ(GhostscriptErrors(book), "");
}

}  // namespace

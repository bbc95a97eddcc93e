#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "CliRun.h"
#include "interchange/MusicXml.h"
#include "page/HarmodexPage.h"
#include "../postscript/Ghostscript.h"

namespace {

TEST(Cli, AnalyseGivesTheMajorTriadsAnalysisAsJson)
{
    for (const char* typed : {"7 11 2", "0 4 7", "13.12.14"}) {
        CliRun r = cli({"analyse", typed});
        ASSERT_EQ(r.status, 0) << r.err;
        nlohmann::json j = nlohmann::json::parse(r.out);
        EXPECT_EQ(j["identity"]["page"], 24);
        EXPECT_EQ(j["identity"]["forteName"], "3-11b");
        EXPECT_EQ(j["identity"]["costereCode"], "13.12.14");
        EXPECT_EQ(j["identity"]["tnType"], (std::vector<int>{0, 4, 7}));
        EXPECT_EQ(j["identity"]["tnTypeText"], "0 4 7");
        EXPECT_EQ(j["tables"]["parncuttTable"], (std::vector<int>{18, 0, 3, 3, 10, 6, 2, 10, 3, 7, 1, 0}));
        EXPECT_EQ(j["measures"]["commonality"]["Tn"],
                  (std::vector<int>{100, 12, 21, 42, 33, 44, 4, 44, 33, 42, 21, 12}));
        EXPECT_EQ(j["measures"]["tonicity"], 54.0);
    }
}

TEST(Cli, AnalyseAllGivesOneJsonLinePerPage)
{
    CliRun r = cli({"analyse", "--all"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    int page = 0;
    while (std::getline(lines, line))
        EXPECT_EQ(nlohmann::json::parse(line)["identity"]["page"], ++page);
    EXPECT_EQ(page, 351);
}

TEST(Cli, PageWritesWhatTheWindowSaves)
{
    CliRun r = cli({"page", "7 11 2"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string expected = DrawHarmodexPage(24, "0 4 7", 0, 0) + "\n";
    // The creation date may tick between the two compositions; compare the rest.
    auto withoutDate = [](std::string s) {
        size_t at = s.find("%%CreationDate:");
        if (at != std::string::npos)
            s.erase(at, s.find('\n', at) - at);
        return s;
    };
    EXPECT_EQ(withoutDate(r.out), withoutDate(expected));

    char folder[] = "/tmp/harmodex-cli-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/triad.eps";
    r = cli({"page", "13.12.14", "-o", path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(withoutDate(readFile(path)), withoutDate(expected));
    std::remove(path.c_str());
    rmdir(folder);
}

TEST(Cli, MusicXmlWritesTheRosterTheWindowSaves)
{
    char folder[] = "/tmp/harmodex-cli-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/triad.musicxml";
    CliRun r = cli({"musicxml", "13.12.14", "-o", path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readFile(path), MusicXmlForSet({0, 4, 7}));
    std::remove(path.c_str());
    rmdir(folder);
}

TEST(Cli, ErrorsAreOneLineAndLeaveNoFile)
{
    struct Case {
        std::vector<std::string> args;
        const char* mentions;
    };
    const std::vector<Case> cases = {
        {{"analyse", "   "}, "nothing was typed; write a set as pitch classes"},
        {{"page", ""}, "nothing was typed"},
        {{"page", "hello"}, "is neither a pitch class nor a note name; write a set as"},
        {{"page", "--", "--"}, "names no pitch class; write a set as"},
        {{"render", "3-13", "-o", "/tmp/x.png"}, "the classes of 3 notes run from 3-1 to 3-12"},
        {{"page", "p400", "-o", "/tmp/x.eps"}, "the pages run from 1 to 351"},
        {{"page", "--literal", "XI"}, "is not a Costère code"},
        {{"frobnicate"}, "unknown subcommand \"frobnicate\""},
        {{}, "subcommand"},
        {{"page", "0 4 7", "-o", "/nonexistent-folder/x.eps"}, "cannot write /nonexistent-folder/x.eps"},
        {{"render", "0 4 7", "--size", "9", "-o", "/tmp/x.png"}, "size"},
        {{"render", "0 4 7", "--size", "nan", "-o", "/tmp/x.png"}, "size"},  // NaN passes a plain range check
        {{"render", "0 4 7", "--size", "inf", "-o", "/tmp/x.png"}, "size"},
        {{"render", "0 4 7", "--size", "-inf", "-o", "/tmp/x.png"}, "size"},
        {{"page", "0 4 7", "--format", "eps", "-o", "/tmp/harmodex-never.pdf"}, "does not match"},
        {{"page", "0 4 7", "--format", "tiff"}, "format"},
        {{"book", "-o", "/tmp/harmodex-never.svg"}, "not as .svg"},
        {{"analyse", "0 4 7", "--all"}, "either a SET or --all"},
        {{"musicxml", " "}, "nothing was typed"},
        {{"musicxml", "0 4 7", "-o", "/nonexistent-folder/x.musicxml"}, "cannot write /nonexistent-folder/x.musicxml"},
        {{"find", "--size", "13"}, "1 to 12"},
        {{"find", "--tni"}, "inversions"},
        {{"find", "--within", "  "}, "nothing was typed"},
        {{"find", "--attribute", "integraly"}, "no page prints an attribute \"integraly\""},
        {{"find", "--count", "--json"}, "excludes"},
        {{"midi", "  ", "-o", "/tmp/x.mid"}, "nothing was typed"},
        {{"sound", "0 4 7", "-o", "/nonexistent-folder/x.wav"}, "cannot write /nonexistent-folder/x.wav"},
    };
    for (const Case& c : cases) {
        CliRun r = cli(c.args);
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_NE(access("/nonexistent-folder/x.eps", F_OK), 0);
    EXPECT_NE(access("/tmp/x.mid", F_OK), 0);
}

TEST(Cli, SetsAreReadAsMusiciansWriteThemAndTheReadingIsTold)
{
    struct Case {
        std::vector<std::string> args;
        int page;
        const char* told;
    };
    const Case cases[] = {
        {{"analyse", "3-11b"}, 24, "harmodex-cli: read 3-11b as Forte class 3-11b: 0 4 7\n"},
        {{"analyse", "Bb D F"}, 24, "harmodex-cli: read Bb D F as note names: 10 2 5\n"},
        {{"analyse", "[0,4,7]"}, 24, "harmodex-cli: read [0,4,7] as pitch-class list: 0 4 7\n"},
        {{"analyse", "--literal", "0 4 7"}, 24, ""},  // the option after the subcommand
    };
    for (const Case& c : cases) {
        CliRun r = cli(c.args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(nlohmann::json::parse(r.out)["identity"]["page"], c.page) << c.args[1];
        EXPECT_EQ(r.err, c.told);
    }
}

TEST(Cli, HelpDocumentsEverySubcommandWithAnExample)
{
    CliRun r = cli({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* word :
         {"analyse", "page", "book", "render", "musicxml", "find", "play", "sound", "midi", "example:"})
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
}

// The version printed is the one the build was given, whether --version comes
// alone or after other options, and it wins over a missing subcommand.
TEST(Cli, VersionIsTheBuildsOwn)
{
    const std::string expected = std::string("harmodex-cli ") + HARMODEX_VERSION + "\n";
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"--version"}, {"--literal", "--version"}}) {
        CliRun r = cli(args);
        EXPECT_EQ(r.status, 0) << args.back();
        EXPECT_EQ(r.out, expected);
        EXPECT_EQ(r.err, "");
    }
}

// The pages' PostScript itself is rendered by Ghostscript in the page tests
// and through the PDF test; here the book's framing.
TEST(Cli, BookHasEveryPageInOrder)
{
    const std::string book = ComposeBook();
    size_t pages = 0;
    for (size_t at = book.find("%%Page: "); at != std::string::npos; at = book.find("%%Page: ", at + 1))
        ++pages;
    EXPECT_EQ(pages, 351u);
    EXPECT_EQ(book.rfind("%!PS-Adobe-2.0", 0), 0u);
    EXPECT_EQ(book.rfind("%%EOF\n"), book.size() - 6);
}

TEST(Cli, RenderGivesThePreviewsImage)
{
    if (!GhostscriptAvailable())
        GTEST_SKIP() << "Ghostscript is not installed";
    char folder[] = "/tmp/harmodex-png-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/page.png";
    CliRun r = cli({"render", "0 4 7", "--size", "2", "-o", path});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string png = readFile(path);
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
    auto be32 = [&](size_t at) {
        return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
               (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
    };
    EXPECT_NEAR(be32(16), 2 * 481 * 155 / 72.0, 2.0);  // width at 310 dots per inch
    EXPECT_NEAR(be32(20), 2 * 680 * 155 / 72.0, 2.0);
    std::remove(path.c_str());
    rmdir(folder);
}

}  // namespace

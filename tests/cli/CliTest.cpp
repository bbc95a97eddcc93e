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

#include "cli/Commands.h"
#include "page/HarmodexPage.h"

namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun cli(std::vector<std::string> args)
{
    args.insert(args.begin(), "harmodex-cli");
    std::vector<const char*> argv;
    for (const auto& a : args)
        argv.push_back(a.c_str());
    std::ostringstream out, err;
    int status = RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
    return {status, out.str(), err.str()};
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool haveGhostscript() { return std::system("gs --version >/dev/null 2>&1") == 0; }

TEST(Cli, AnalyseGivesTheMajorTriadsAnalysisAsJson)
{
    for (const char* typed : {"7 11 2", "0 4 7", "13.12.14"}) {
        CliRun r = cli({"analyse", typed});
        ASSERT_EQ(r.status, 0) << r.err;
        nlohmann::json j = nlohmann::json::parse(r.out);
        EXPECT_EQ(j["identity"]["page"], 24);
        EXPECT_EQ(j["identity"]["forteName"], "3-11b");
        EXPECT_EQ(j["identity"]["costereCode"], "13.12.14");
        EXPECT_EQ(j["identity"]["tnType"], "0 4 7");
        EXPECT_EQ(j["tables"]["parncuttTable"], (std::vector<int>{18, 0, 3, 3, 10, 6, 2, 10, 3, 7, 1, 0}));
        EXPECT_EQ(j["measures"]["commonality"]["Tn"], (std::vector<int>{100, 12, 21, 42, 33, 44, 4, 44, 33, 42, 21, 12}));
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

TEST(Cli, ErrorsAreOneLineAndLeaveNoFile)
{
    struct Case { std::vector<std::string> args; const char* mentions; };
    const std::vector<Case> cases = {
        {{"analyse", "   "}, "names no pitch class"},
        {{"page", ""}, "names no pitch class"},
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
    };
    for (const Case& c : cases) {
        CliRun r = cli(c.args);
        EXPECT_NE(r.status, 0);
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    EXPECT_NE(access("/nonexistent-folder/x.eps", F_OK), 0);
    EXPECT_NE(access("/tmp/harmodex-never.pdf", F_OK), 0);
    EXPECT_NE(access("/tmp/harmodex-never.svg", F_OK), 0);
}

TEST(Cli, HelpDocumentsEverySubcommandWithAnExample)
{
    CliRun r = cli({"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char* word : {"analyse", "page", "book", "render", "example:"})
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
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
    if (!haveGhostscript())
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

} // namespace

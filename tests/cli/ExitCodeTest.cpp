// One exit-code rule for every subcommand: 0 success, 1 the work failed,
// 2 bad usage or an unreadable SET or file. Files are typed by their
// extension, and --literal refuses what it would misread.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "CliRun.h"

namespace {

// Every subcommand, with a SET where it takes one, and how to send its
// output where it cannot be written.
struct Command {
    std::vector<std::string> before, after;  // around SET
    std::vector<std::string> unwritable;     // empty: standard output only
};

const Command kSubcommands[] = {
    {{"analyse"}, {}, {}},
    {{"page"}, {}, {"-o", "/nonexistent-folder/x.eps"}},
    {{"render"}, {"-o", "/tmp/harmodex-never.png"}, {"-o", "/nonexistent-folder/x.png"}},
    {{"musicxml"}, {}, {"-o", "/nonexistent-folder/x.musicxml"}},
    {{"find", "--contains"}, {}, {}},
    {{"play"}, {}, {}},
    {{"sound"}, {}, {"-o", "/nonexistent-folder/x.wav"}},
    {{"midi"}, {}, {"-o", "/nonexistent-folder/x.mid"}},
};

std::vector<std::string> With(const Command& s, const std::string& set, std::vector<std::string> extra = {})
{
    std::vector<std::string> args = s.before;
    args.push_back(set);
    // An output given replaces the usual one.
    const bool output = !extra.empty() && extra[0] == "-o";
    if (!output)
        args.insert(args.end(), s.after.begin(), s.after.end());
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

}  // namespace

TEST(ExitCodes, BadSetAndBadOptionAre2AndFailedWorkIs1InEverySubcommand)
{
    for (const Command& s : kSubcommands) {
        SCOPED_TRACE(s.before[0]);
        for (const char* bad : {"hello", "3-13", " ", "p400", "0 4 13"})
            EXPECT_EQ(cli(With(s, bad)).status, 2) << bad;
        const CliRun option = cli(With(s, "0 4 7", {"--no-such-option"}));
        EXPECT_EQ(option.status, 2);
        EXPECT_NE(option.err.find("--no-such-option"), std::string::npos) << option.err;
        if (s.before[0] == "play")
            continue;  // writes nothing
        const CliRun failed = s.unwritable.empty() ? cli(With(s, "0 4 7"), true) : cli(With(s, "0 4 7", s.unwritable));
        EXPECT_EQ(failed.status, 1) << failed.err;
        EXPECT_EQ(std::count(failed.err.begin(), failed.err.end(), '\n'), 1) << failed.err;
    }
    // The subcommands without a SET, and the program itself.
    EXPECT_EQ(cli({"book", "-o", "/nonexistent-folder/x.ps"}).status, 1);
    EXPECT_EQ(cli({"book", "--no-such-option"}).status, 2);
    EXPECT_EQ(cli({"find", "--size", "0"}).status, 2);
    EXPECT_EQ(cli({"find", "--attribute", "integraly"}).status, 2);
    EXPECT_EQ(cli({"analyse"}).status, 2);
    // A score that cannot be read is bad input; so is a bad option.
    EXPECT_EQ(cli({"score", "/nonexistent-folder/x.musicxml"}).status, 2);
    EXPECT_EQ(cli({"score", "/etc/hostname"}).status, 2);
    EXPECT_EQ(cli({"score", "/etc/hostname", "--no-such-option"}).status, 2);
    EXPECT_EQ(cli({"frobnicate"}).status, 2);
    EXPECT_EQ(cli({}).status, 2);
    EXPECT_EQ(cli({"--version"}).status, 0);
    const CliRun help = cli({"--help"});
    EXPECT_NE(help.out.find("Exit status: 0 success; 1 the work failed"), std::string::npos);
    EXPECT_NE(help.out.find("count down from 12"), std::string::npos);
}

TEST(ExitCodes, AnExtensionThatDisagreesWithTheCommandIsRefused)
{
    const struct {
        std::vector<std::string> args;
        const char* path;
    } refused[] = {
        {{"sound", "0 4 7"}, "/tmp/harmodex-never.mp3"},    {{"sound", "0 4 7"}, "/tmp/harmodex-never.mid"},
        {{"midi", "0 4 7"}, "/tmp/harmodex-never.wav"},     {{"musicxml", "0 4 7"}, "/tmp/harmodex-never.mid"},
        {{"musicxml", "0 4 7"}, "/tmp/harmodex-never.zip"}, {{"page", "0 4 7"}, "/tmp/harmodex-never.doc"},
        {{"render", "0 4 7"}, "/tmp/harmodex-never.pdf"},   {{"book"}, "/tmp/harmodex-never.svg"},
    };
    for (const auto& c : refused) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"-o", c.path});
        const CliRun r = cli(args);
        EXPECT_EQ(r.status, 2) << c.path;
        EXPECT_NE(r.err.find(c.path), std::string::npos) << r.err;
        EXPECT_NE(access(c.path, F_OK), 0) << c.path;
    }

    char folder[] = "/tmp/harmodex-types-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const struct {
        const char* command;
        const char* name;
        std::string magic;
    } written[] = {
        {"sound", "a.wav", "RIFF"},     {"sound", "a.FLAC", "fLaC"},         {"sound", "a.ogg", "OggS"},
        {"midi", "a.mid", "MThd"},      {"midi", "a.midi", "MThd"},          {"musicxml", "a.musicxml", "<?xml"},
        {"musicxml", "a.xml", "<?xml"}, {"musicxml", "a.mxl", "PK\x03\x04"},
    };
    for (const auto& c : written) {
        const std::string path = std::string(folder) + "/" + c.name;
        const CliRun r = cli({c.command, "0 4 7", "-o", path});
        ASSERT_EQ(r.status, 0) << c.name << ": " << r.err;
        EXPECT_EQ(readFile(path).rfind(c.magic, 0), 0u) << c.name;
        // Written whole, with the usual permissions.
        struct stat st {};
        ASSERT_EQ(stat(path.c_str(), &st), 0);
        const mode_t mask = umask(0);
        umask(mask);
        EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask) << c.name;
        std::remove(path.c_str());
    }
    EXPECT_EQ(rmdir(folder), 0) << "a scratch file was left behind";
}

// --literal reads a list of numbers (d, u) or a Costère code as the fields
// do; a text it would read as another set than the one it plainly names is
// refused, naming the other reading. Negative numbers are reduced modulo 12
// by both readers.
TEST(ExitCodes, TheLiteralReadingRefusesWhatItWouldMisread)
{
    const struct {
        std::vector<std::string> args;
        int status;
        const char* told;  // on standard error
        int page;          // of the analysis, when it succeeds
    } cases[] = {
        {{"--literal", "analyse", "hello"}, 2, "is not a list of numbers", 0},
        {{"--literal", "analyse", "3-11b"}, 2, "Forte class 3-11b: 0 4 7", 0},
        {{"--literal", "analyse", "0,4,7"}, 2, "pitch-class list: 0 4 7", 0},
        {{"--literal", "analyse", "C E G"}, 2, "note names: 0 4 7", 0},
        {{"--literal", "analyse", "047"}, 0, "read 047 literally: 11 (as compact digits it is 0 4 7)", 1},
        {{"--literal", "analyse", "0 4 7 -1"}, 0, "", 42},
        {{"--literal", "analyse", "d u"}, 0, "", 2},
        {{"--literal", "analyse", "13.12.14"}, 0, "", 24},
        {{"analyse", "0 4 7 -1"}, 0, "", 42},
        {{"analyse", "-1 0 4 7"}, 0, "", 42},
        {{"analyse", "0-4-7"}, 0, "", 24},
        {{"analyse", "[0, 4, -5]"}, 0, "", 24},
    };
    for (const auto& c : cases) {
        const CliRun r = cli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args[2] << ": " << r.err;
        EXPECT_NE(r.err.find(c.told), std::string::npos) << r.err;
        if (c.status == 0) {
            EXPECT_NE(r.out.find("\"page\": " + std::to_string(c.page) + ","), std::string::npos) << c.args[2];
        }
    }
}

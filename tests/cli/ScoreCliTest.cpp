// harmodex-cli score as a user runs it: the table, JSON, CSV and summary of
// our test scores, and one line with exit status 2 for a bad file.
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "CliRun.h"

namespace {

const std::string Chorale = HARMODEX_TEST_DATA "/score/chorale.musicxml";

TEST(CliScore, PrintsEverySonorityAsTableJsonAndCsv)
{
    const CliRun table = cli({"score", Chorale});
    ASSERT_EQ(table.status, 0) << table.err;
    EXPECT_EQ(table.out.substr(0, table.out.find('\n')),
              "1.1        C3 C4 G4 E5               3-11b   0 4 7                      p. 24");

    const CliRun json = cli({"score", Chorale, "--by", "beat", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json j = nlohmann::json::parse(json.out);
    EXPECT_EQ(j["by"], "beat");
    EXPECT_EQ(j["file"], Chorale);
    ASSERT_EQ(j["segments"].size(), 12u);
    const nlohmann::json& first = j["segments"][0];
    EXPECT_EQ(first["pitches"], (std::vector<int>{48, 60, 67, 76}));
    EXPECT_EQ(first["pitchClasses"], (std::vector<int>{0, 4, 7}));
    EXPECT_EQ(first["measure"], 1);
    EXPECT_EQ(first["beat"], 1.0);
    EXPECT_EQ(first["end"], 1.0);
    EXPECT_EQ(first["tnType"], (std::vector<int>{0, 4, 7}));
    EXPECT_EQ(first["tniType"], (std::vector<int>{0, 3, 7}));
    EXPECT_EQ(first["tniTypeText"], "0 3 7");
    EXPECT_EQ(first["forteName"], "3-11b");
    EXPECT_EQ(first["page"], 24);
    EXPECT_EQ(j["summary"][0]["forteName"], "3-11b");
    EXPECT_GT(j["summary"][0]["segments"].get<int>(), j["summary"][1]["segments"].get<int>());

    const CliRun csv = cli({"score", Chorale, "--csv", "--merge"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    EXPECT_EQ(csv.out.substr(0, csv.out.find('\n')),
              "measure,beat,start,end,pitches,pitchClasses,tnType,tniType,forteName,page");
    // 3.1 and 3.2 are both C major and touch: merged, 11 segments become 9.
    EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 1 + 9);

    const CliRun summary = cli({"score", Chorale, "--summary", "--json"});
    ASSERT_EQ(summary.status, 0) << summary.err;
    EXPECT_FALSE(nlohmann::json::parse(summary.out).contains("segments"));
}

TEST(CliScore, ABadFileIsOneLineNamingTheFileAndThePlaceWithStatus2)
{
    char path[] = "/tmp/harmodex-score-XXXXXX.musicxml";
    const int fd = mkstemps(path, 9);
    ASSERT_GE(fd, 0);
    const std::string broken = "<score-partwise>\n<part-list/>\n<part id=\"P1\"><measure number=\"3\">\n"
                               "<backup><duration>2</duration></backup></measure></part></score-partwise>\n";
    ASSERT_EQ(write(fd, broken.data(), broken.size()), static_cast<ssize_t>(broken.size()));
    close(fd);
    const CliRun bad = cli({"score", path});
    std::remove(path);
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err, "harmodex-cli: " + std::string(path) +
                           ", line 4 (measure 3): <backup> goes back before the start of the measure\n");
    EXPECT_EQ(bad.out, "");

    const CliRun missing = cli({"score", "/nonexistent/x.mid"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "harmodex-cli: /nonexistent/x.mid: cannot be opened: No such file or directory\n");
    EXPECT_EQ(cli({"score", Chorale, "--by", "bar"}).status, 2);
}

}  // namespace

// Runs the sample sheet through Ghostscript: every primitive and chart must
// be valid PostScript for a real interpreter, including the /MyArial
// prologue.
#include "page/SampleSheet.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string TemporaryPath(const char* suffix)
{
    std::string pattern = std::string("/tmp/harmodex_sheet_XXXXXX") + suffix;
    const int fd = mkstemps(&pattern[0], static_cast<int>(std::string(suffix).size()));
    if (fd < 0) return "";
    close(fd);
    return pattern;
}

TEST(SampleSheet, GhostscriptRendersItWithoutError)
{
    if (std::system("command -v gs >/dev/null 2>&1") != 0) GTEST_SKIP() << "gs is not on PATH";

    const std::string sheet = TemporaryPath(".eps");
    const std::string log = TemporaryPath(".log");
    ASSERT_FALSE(sheet.empty());
    ASSERT_FALSE(log.empty());
    FILE* out = std::fopen(sheet.c_str(), "w");
    ASSERT_NE(out, nullptr);
    WriteSampleSheet(out);
    ASSERT_EQ(std::fclose(out), 0);

    const std::string command = "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=nullpage '" + sheet + "' >'" +
                                log + "' 2>&1 </dev/null";
    const int status = std::system(command.c_str());
    std::ifstream logFile(log);
    std::stringstream messages;
    messages << logFile.rdbuf();
    std::remove(sheet.c_str());
    std::remove(log.c_str());

    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << messages.str();
    EXPECT_EQ(messages.str().find("Error"), std::string::npos) << messages.str();
}

} // namespace

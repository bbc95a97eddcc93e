#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "ThrownError.h"
#include "postscript/FileOutput.h"

namespace {

std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(FileOutput, ReplacesWholeFilesAndKeepsTheirPermissions)
{
    char folder[] = "/tmp/harmodex-out-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/" + std::string(250, 'n');  // a name near the limit
    ASSERT_NO_THROW(WriteFileAtomically(path, "first"));
    chmod(path.c_str(), 0640);
    ASSERT_NO_THROW(WriteFileAtomically(path, std::string("second\0page", 11)));
    EXPECT_EQ(readAll(path), std::string("second\0page", 11));
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    std::remove(path.c_str());
    EXPECT_EQ(rmdir(folder), 0) << "a temporary file was left behind";
}

TEST(FileOutput, FailuresNameTheReasonAndLeaveNothing)
{
    // The message names the path and the reason.
    auto failureOf = [](const std::string& path) { return ThrownError([&] { WriteFileAtomically(path, "x"); }); };
    const std::string missing = failureOf("/nonexistent-folder/page.eps");
    EXPECT_NE(missing.find("/nonexistent-folder/page.eps: No such file"), std::string::npos) << missing;

    char folder[] = "/tmp/harmodex-out-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    // A target that is a folder cannot be replaced by a file.
    const std::string target = std::string(folder) + "/taken";
    ASSERT_EQ(mkdir(target.c_str(), 0700), 0);
    EXPECT_NE(failureOf(target).find(target + ": "), std::string::npos);
    rmdir(target.c_str());
    EXPECT_EQ(rmdir(folder), 0) << "a temporary file was left behind";
}

// /dev/stdout and its kin name a descriptor the program holds: it is written
// through, as a shell redirection means, and never replaced.
TEST(FileOutput, NamesOfOpenDescriptorsAreWrittenThrough)
{
    for (const char* prefix : {"/dev/fd/", "/proc/self/fd/"}) {
        int ends[2];
        ASSERT_EQ(pipe(ends), 0);
        EXPECT_NO_THROW(WriteFileAtomically(prefix + std::to_string(ends[1]), "page"));
        close(ends[1]);
        char got[16] = {};
        EXPECT_EQ(read(ends[0], got, sizeof got), 4);
        EXPECT_STREQ(got, "page");
        close(ends[0]);
    }
}

}  // namespace

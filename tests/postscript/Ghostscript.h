// Runs PostScript text through Ghostscript, so that tests can tell whether a
// real interpreter reads it without error and where it puts the ink.
#ifndef HARMODEX_TESTS_POSTSCRIPT_GHOSTSCRIPT_H
#define HARMODEX_TESTS_POSTSCRIPT_GHOSTSCRIPT_H

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

// Ghostscript's exit status (-1 when it cannot be started) for the text run
// with the given output device; what it says is left in *messages.
inline int RunGhostscriptOn(const std::string& postscript, const std::string& device, std::string* messages)
{
    char path[] = "/tmp/harmodex_gs_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0) {
        *messages = "cannot create a temporary file";
        return -1;
    }
    close(fd);
    std::ofstream(path) << postscript;
    const std::string log = std::string(path) + ".log";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::vector<std::string> args = {"gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=" + device, path};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid;
    int status = -1;
    if (posix_spawnp(&pid, "gs", &actions, nullptr, argv.data(), environ) == 0 && waitpid(pid, &status, 0) == pid)
        status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    else
        status = -1;
    posix_spawn_file_actions_destroy(&actions);
    std::stringstream said;
    said << std::ifstream(log).rdbuf();
    *messages = said.str();
    std::remove(path);
    std::remove(log.c_str());
    return status;
}

inline bool GhostscriptAvailable()
{
    std::string messages;
    return RunGhostscriptOn("", "nullpage", &messages) == 0;
}

// Empty when Ghostscript ends normally and reports no error; otherwise what
// it reported.
inline std::string GhostscriptErrors(const std::string& postscript)
{
    std::string messages;
    const bool clean =
        RunGhostscriptOn(postscript, "nullpage", &messages) == 0 && messages.find("Error") == std::string::npos;
    return clean ? std::string() : "gs: " + messages;
}

#endif

// Runs PostScript text through Ghostscript (no output device), so that tests
// can tell whether a real interpreter reads it without error.
#ifndef HARMODEX_TESTS_POSTSCRIPT_GHOSTSCRIPT_H
#define HARMODEX_TESTS_POSTSCRIPT_GHOSTSCRIPT_H

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

inline bool GhostscriptAvailable() { return std::system("command -v gs >/dev/null 2>&1") == 0; }

// Empty when Ghostscript ends normally and reports no error; otherwise what
// it reported.
inline std::string GhostscriptErrors(const std::string& postscript)
{
    char path[] = "/tmp/harmodex_gs_XXXXXX";
    const int fd = mkstemp(path);
    if (fd < 0)
        return "cannot create a temporary file";
    close(fd);
    std::ofstream(path) << postscript;
    const std::string log = std::string(path) + ".log";
    const std::string command =
        "gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=nullpage '" + std::string(path) + "' >'" + log + "' 2>&1 </dev/null";
    const int status = std::system(command.c_str());
    std::stringstream messages;
    messages << std::ifstream(log).rdbuf();
    std::remove(path);
    std::remove(log.c_str());
    const bool clean =
        WIFEXITED(status) && WEXITSTATUS(status) == 0 && messages.str().find("Error") == std::string::npos;
    return clean ? std::string() : "gs: " + messages.str();
}

#endif

#ifndef HARMODEX_TESTS_CLI_CLIRUN_H
#define HARMODEX_TESTS_CLI_CLIRUN_H

// harmodex-cli run in-process, its output and status kept for the checks.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"

struct CliRun {
    int status;
    std::string out, err;
};

// args without the program's name; brokenOut: standard output that cannot
// be written (as a closed pipe).
inline CliRun cli(std::vector<std::string> args, bool brokenOut = false)
{
    args.insert(args.begin(), "harmodex-cli");
    std::vector<const char*> argv;
    for (const auto& a : args)
        argv.push_back(a.c_str());
    std::ostringstream out, err;
    if (brokenOut)
        out.setstate(std::ios::badbit);
    const int status = RunCli(static_cast<int>(argv.size()), argv.data(), out, err);
    return {status, out.str(), err.str()};
}

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

#endif

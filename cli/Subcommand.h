#ifndef HARMODEX_CLI_SUBCOMMAND_H
#define HARMODEX_CLI_SUBCOMMAND_H

// One subcommand of harmodex-cli: it declares its arguments on the parser and
// does its work once they are parsed. Each lives in a file of its own; RunCli
// lists them.

#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

class Subcommand {
public:
    virtual ~Subcommand() = default;
    // The name typed on the command line.
    virtual const char* name() const = 0;
    // Adds the subcommand and its options to the parser.
    virtual void declare(CLI::App& app) = 0;
    // Runs it; a Failure thrown here becomes one line on standard error.
    virtual void run(std::ostream& out) = 0;
};

// A failure the user can act on: one line, non-zero exit (status 1 unless
// another is given).
struct Failure {
    std::string message;
    int status = 1;
};

// The set a SET argument names, read as the window reads it; a Failure when
// it names no pitch class.
// The help line of every SET argument.
inline const char* const SetArgumentHelp =
    "the set: a list, compact digits, note names, a Forte name, a page or a Costère code";

std::vector<int> ReadSetArgument(const std::string& text);
// The Tn-type text and page number of a set, as the window finds them.
std::pair<std::string, int> PageOfSet(const std::vector<int>& list);
// Writes data to path ("", "-" or /dev/stdout: to out). A regular file is
// replaced only once completely written; a device or pipe is written in
// place. Any write error is a Failure naming the path and the reason.
void WriteOutput(const std::string& path, const std::string& data, std::ostream& out);

std::unique_ptr<Subcommand> MakeAnalyseCommand();
std::unique_ptr<Subcommand> MakePageCommand();
std::unique_ptr<Subcommand> MakeBookCommand();
std::unique_ptr<Subcommand> MakeRenderCommand();
std::unique_ptr<Subcommand> MakeMusicXmlCommand();
std::unique_ptr<Subcommand> MakeFindCommand();
std::unique_ptr<Subcommand> MakePlayCommand();
std::unique_ptr<Subcommand> MakeSoundCommand();
std::unique_ptr<Subcommand> MakeMidiCommand();
std::unique_ptr<Subcommand> MakeScoreCommand();

#endif

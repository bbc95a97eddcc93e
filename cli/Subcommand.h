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

#include "base/Error.h"
#include "pcset/SetReader.h"

class Subcommand {
public:
    virtual ~Subcommand() = default;
    // The name typed on the command line.
    virtual const char* name() const = 0;
    // Adds the subcommand and its options to the parser.
    virtual void declare(CLI::App& app) = 0;
    // Runs it. A harmodex::Error thrown here becomes one line on standard
    // error and the exit status: 2 for harmodex::Error::BadInput (bad usage,
    // an unreadable SET or file), 1 for failed work.
    virtual void run(std::ostream& out) = 0;
};

// The help line of every SET argument.
inline const char* const SetArgumentHelp =
    "the set: a list, compact digits, note names, a Forte name, a page or a Costère code";

// The set a SET argument names, read as the window reads it; BadInput when
// it names no pitch class.
std::vector<int> ReadSetArgument(const std::string& text);
// The notes of a SET argument as typed (see TypedNotes), read and told
// about as ReadSetArgument reads it; under --literal the numbers rise from
// middle C.
std::vector<TypedNote> ReadTypedNotes(const std::string& text);
// The Tn-type text and page number of a set, as the window finds them.
std::pair<std::string, int> PageOfSet(const std::vector<int>& list);
// Writes data to path ("", "-" or /dev/stdout: to out). A regular file is
// replaced only once completely written; a device or pipe is written in
// place. Any write error is a harmodex::Error naming the path and the reason.
void WriteOutput(const std::string& path, const std::string& data, std::ostream& out);
// True for "", "-" and /dev/stdout: the command's standard output.
bool IsStandardOutput(const std::string& path);

// A file type a subcommand writes, named by its extensions (lower case,
// without the dot).
struct OutputType {
    std::vector<std::string> extensions;
};
// The index in types of the type path's extension names; 0 (the command's
// usual type) for standard output or a name without an extension. BadInput
// naming the types the command writes when the extension is another's: a
// file called x.mp3 holding WAV would mislead every program that opens it.
size_t ChooseOutputType(const std::string& command, const std::string& path, const std::vector<OutputType>& types);
// BadInput when path is standard output and that is a terminal: binary data
// there would only garble the screen. what names the data ("the MIDI file"),
// example a file name to suggest.
void RefuseBinaryOnTerminal(const std::string& path, const std::ostream& out, const std::string& what,
                            const std::string& example);

std::unique_ptr<Subcommand> MakeAnalyseCommand();
std::unique_ptr<Subcommand> MakeDescribeCommand();
std::unique_ptr<Subcommand> MakePageCommand();
std::unique_ptr<Subcommand> MakeBookCommand();
std::unique_ptr<Subcommand> MakeRenderCommand();
std::unique_ptr<Subcommand> MakeMusicXmlCommand();
std::unique_ptr<Subcommand> MakeFindCommand();
std::unique_ptr<Subcommand> MakePlayCommand();
std::unique_ptr<Subcommand> MakeSoundCommand();
std::unique_ptr<Subcommand> MakeMidiCommand();
std::unique_ptr<Subcommand> MakeScoreCommand();
// Its notes (the ports opened, lost and back) go to err.
std::unique_ptr<Subcommand> MakeListenCommand(std::ostream& err);

#endif

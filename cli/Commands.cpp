#include "cli/Commands.h"

#include "base/Version.h"
#include "cli/Subcommand.h"
#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"
#include "pcset/SetReader.h"
#include "postscript/FileOutput.h"

#include <cerrno>
#include <iostream>
#include <unistd.h>
#include <cstring>
#include <stdexcept>

namespace {

// How this run reads SET arguments: through the forgiving reader, telling
// where the reading was not the fields' literal one, or (--literal) exactly
// as the window's fields read it.
struct SetArgumentReading {
    bool literal = false;
    std::ostream* notes = nullptr;
} setArgumentReading;

}  // namespace

std::vector<int> ReadSetArgument(const std::string& text)
{
    const SetReading reading = UnderstandSetText(text);
    if (setArgumentReading.literal) {
        // The fields' reading, but never a set the text does not plainly
        // name: "hello" would be {0} and "3-11b" {3}. A text that is a list of
        // numbers to both readers ("047") is read literally, and the other
        // reading is told.
        if (!ReadsLiterallyAsWritten(text)) {
            const std::string other = reading.error.empty() ? "; it reads as " + reading.form + ": " +
                                                                  VectorToString(reading.pitchClasses) +
                                                                  " (leave out --literal to read it so)"
                                                            : " (" + reading.error + ")";
            throw harmodex::Error::BadInput(QuoteForMessage(text) +
                                            " is not a list of numbers or a Costère code read literally" + other);
        }
        std::vector<int> list = DistinctPitchClasses(ReadSetText(text));
        if (reading.error.empty() && !AgreesWithLiteralReading(text, reading) && setArgumentReading.notes)
            *setArgumentReading.notes << "harmodex-cli: read " << text << " literally: " << VectorToString(list)
                                      << " (as " << reading.form << " it is " << VectorToString(reading.pitchClasses)
                                      << ")\n";
        return list;
    }
    if (!reading.error.empty())
        throw harmodex::Error::BadInput(reading.error);
    const std::string how = DescribeReading(text, reading);
    if (!how.empty() && setArgumentReading.notes)
        *setArgumentReading.notes << "harmodex-cli: " << how << "\n";
    return reading.pitchClasses;
}

std::vector<TypedNote> ReadTypedNotes(const std::string& text)
{
    // The set is read (and told about) exactly as any SET; the typed order
    // and octaves then come from the text itself.
    const std::vector<int> set = ReadSetArgument(text);
    if (setArgumentReading.literal) {
        std::vector<TypedNote> notes;
        int previous = -1;
        for (int pc : set) {
            int pitch = pc;
            while (pitch <= previous)
                pitch += 12;
            previous = pitch;
            notes.push_back({pitch, 0, 0});
        }
        return notes;
    }
    return TypedNotes(text);
}

std::pair<std::string, int> PageOfSet(const std::vector<int>& list)
{
    PitchClassSet set;
    set.initializeSet(list);
    const std::string tnText = VectorToString(set.getTnType());
    return {tnText, FindSetID(tnText, SharedUniverse()) + 1};
}

bool IsStandardOutput(const std::string& path) { return path.empty() || path == "-" || path == "/dev/stdout"; }

void WriteOutput(const std::string& path, const std::string& data, std::ostream& out)
{
    // "-" and /dev/stdout are the command's own standard output, written in
    // order with anything else it prints there.
    if (IsStandardOutput(path)) {
        errno = 0;
        out << data;
        out.flush();
        if (!out)
            throw harmodex::Error(std::string("cannot write to standard output: ") +
                                  std::strerror(errno ? errno : EIO));
        return;
    }
    WriteFileAtomically(path, data);
}

namespace {

std::string LowerExtension(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash) || dot + 1 == path.size())
        return "";
    std::string extension = path.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension;
}

}  // namespace

size_t ChooseOutputType(const std::string& command, const std::string& path, const std::vector<OutputType>& types)
{
    const std::string extension = IsStandardOutput(path) ? "" : LowerExtension(path);
    if (extension.empty())
        return 0;
    std::string known;
    for (size_t i = 0; i < types.size(); ++i)
        for (size_t k = 0; k < types[i].extensions.size(); ++k) {
            if (types[i].extensions[k] == extension)
                return i;
            known += std::string(known.empty() ? "" : ", ") + "." + types[i].extensions[k];
        }
    throw harmodex::Error::BadInput(path + ": " + command + " writes " + known + " files, not ." + extension);
}

void RefuseBinaryOnTerminal(const std::string& path, const std::ostream& out, const std::string& what,
                            const std::string& example)
{
    if (IsStandardOutput(path) && &out == &std::cout && isatty(STDOUT_FILENO))
        throw harmodex::Error::BadInput(what +
                                        " is binary and standard output is a terminal: write it to a file with "
                                        "-o (for example -o " +
                                        example + ") or pipe it to a program");
}

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    CLI::App app{
        "Harmodex on the command line: the analysis of a pitch-class set's Tn-type as JSON, its page as EPS, "
        "PDF, PNG or SVG, its 24 transformations as MusicXML, the whole book of 351 pages, queries over the catalogue, "
        "and the set as sound (played, WAV or MIDI).\n"
        "SET is a pitch-class list (\"0 4 7\", \"0,4,7\", \"[0 4 7]\", \"047\"; 10 and 11 also as t e, A B or d u), "
        "note names (\"C E G\", \"Bb D F\"), a Forte name (3-11b, 4-Z15), a page (p24) or a Costère code "
        "(13.12.14); a line on standard error says how SET was read when the window's fields would read it "
        "otherwise. A minus sign makes a number negative and negative numbers count down from 12 (\"0 4 7 -1\" is "
        "0 4 7 11); a dash between two numbers separates them (\"0-4-7\"). With --literal SET is read exactly as "
        "the fields read it: a list of numbers (d, u) or a Costère code, anything else is refused.\n"
        "Exit status: 0 success; 1 the work failed (a file that cannot be written, a program or device that is "
        "missing); 2 bad usage or an unreadable SET or file.",
        "harmodex-cli"};
    app.require_subcommand(1, 1);
    app.set_version_flag("--version", std::string("harmodex-cli ") + harmodex::kVersion,
                         "print the version of Harmodex and exit");
    // Options of the program may also follow the subcommand.
    app.fallthrough();
    setArgumentReading = {};
    setArgumentReading.notes = &err;
    app.add_flag("--literal", setArgumentReading.literal,
                 "read SET exactly as the window's fields do: a list of numbers (d, u) or a Costère code");

    std::vector<std::unique_ptr<Subcommand>> commands;
    commands.push_back(MakeAnalyseCommand());
    commands.push_back(MakeDescribeCommand());
    commands.push_back(MakePageCommand());
    commands.push_back(MakeBookCommand());
    commands.push_back(MakeRenderCommand());
    commands.push_back(MakeMusicXmlCommand());
    commands.push_back(MakeFindCommand());
    commands.push_back(MakePlayCommand());
    commands.push_back(MakeSoundCommand());
    commands.push_back(MakeMidiCommand());
    commands.push_back(MakeScoreCommand());
    commands.push_back(MakeListenCommand(err));
    for (auto& command : commands)
        command->declare(app);

    if (argc > 1 && argv[1][0] != '-') {
        const std::string typed = argv[1];
        std::string names;
        bool known = false;
        for (size_t i = 0; i < commands.size(); ++i) {
            known = known || typed == commands[i]->name();
            names += (i == 0 ? "" : i + 1 == commands.size() ? " or " : ", ") + std::string(commands[i]->name());
        }
        if (!known) {
            err << "harmodex-cli: unknown subcommand \"" << typed << "\" (use " << names
                << "; see harmodex-cli --help)\n";
            return 2;
        }
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return 0;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << "\n";
        return 0;
    } catch (const CLI::ParseError& e) {
        err << "harmodex-cli: " << e.what() << " (see harmodex-cli --help)\n";
        return 2;
    }

    auto tell = [&err](std::string message) {
        for (char& c : message)
            if (c == '\n')
                c = ' ';
        err << "harmodex-cli: " << message << "\n";
    };
    try {
        for (auto& command : commands)
            if (app.got_subcommand(command->name()))
                command->run(out);
    } catch (const harmodex::Error& e) {
        tell(e.what());
        return e.badInput() ? 2 : 1;
    } catch (const std::bad_alloc&) {
        tell("out of memory");
        return 1;
    } catch (const std::exception& e) {
        tell(e.what());
        return 1;
    }
    return 0;
}

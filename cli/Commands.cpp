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
    if (setArgumentReading.literal) {
        std::vector<int> list = ReadSetText(text);
        if (list.empty())
            throw Failure{
                "\"" + text +
                    "\" names no pitch class (give a list such as \"0 4 7\" or a Costère code such as 13.12.14)",
                2};
        return list;
    }
    const SetReading reading = UnderstandSetText(text);
    if (!reading.error.empty())
        throw Failure{reading.error, 2};
    const std::string how = DescribeReading(text, reading);
    if (!how.empty() && setArgumentReading.notes)
        *setArgumentReading.notes << "harmodex-cli: " << how << "\n";
    return reading.pitchClasses;
}

std::pair<std::string, int> PageOfSet(const std::vector<int>& list)
{
    PitchClassSet set;
    set.initializeSet(list);
    const std::string tnText = VectorToString(set.getTnType());
    return {tnText, FindSetID(tnText, SharedUniverse()) + 1};
}

void WriteOutput(const std::string& path, const std::string& data, std::ostream& out)
{
    // "-" and /dev/stdout are the command's own standard output, written in
    // order with anything else it prints there.
    if (path.empty() || path == "-" || path == "/dev/stdout") {
        errno = 0;
        out << data;
        out.flush();
        if (!out)
            throw Failure{std::string("cannot write to standard output: ") + std::strerror(errno ? errno : EIO)};
        return;
    }
    try {
        WriteFileAtomically(path, data);
    } catch (const harmodex::Error& e) {
        throw Failure{e.what()};
    }
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
        "otherwise. With --literal SET is read exactly as the fields read it.",
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
    commands.push_back(MakePageCommand());
    commands.push_back(MakeBookCommand());
    commands.push_back(MakeRenderCommand());
    commands.push_back(MakeMusicXmlCommand());
    commands.push_back(MakeFindCommand());
    commands.push_back(MakePlayCommand());
    commands.push_back(MakeSoundCommand());
    commands.push_back(MakeMidiCommand());
    commands.push_back(MakeScoreCommand());
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

    try {
        for (auto& command : commands)
            if (app.got_subcommand(command->name()))
                command->run(out);
    } catch (const std::exception& e) {
        std::string message = e.what();
        for (char& c : message)
            if (c == '\n')
                c = ' ';
        err << "harmodex-cli: " << message << "\n";
        return 1;
    } catch (const Failure& f) {
        std::string message = f.message;
        for (char& c : message)
            if (c == '\n')
                c = ' ';
        err << "harmodex-cli: " << message << "\n";
        return f.status;
    }
    return 0;
}

#include "cli/Commands.h"

#include "cli/Subcommand.h"
#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"
#include "postscript/FileOutput.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

std::vector<int> ReadSetArgument(const std::string& text)
{
    std::vector<int> list = ReadSetText(text);
    if (list.empty())
        throw Failure{"\"" + text + "\" names no pitch class (give a list such as \"0 4 7\" or a Costère code such as 13.12.14)"};
    return list;
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
    std::string error;
    if (!WriteFileAtomically(path, data, &error))
        throw Failure{"cannot write " + path + ": " + error};
}

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    CLI::App app{"Harmodex on the command line: the analysis of a pitch-class set's Tn-type as JSON, its page as EPS, "
                 "PDF, PNG or SVG, and the whole book of 351 pages.\n"
                 "SET is read as the window reads it: a pitch-class list (\"0 4 7\", 10 and 11 also as d and u) or a "
                 "Costère code (13.12.14).",
                 "harmodex-cli"};
    app.require_subcommand(1, 1);

    std::vector<std::unique_ptr<Subcommand>> commands;
    commands.push_back(MakeAnalyseCommand());
    commands.push_back(MakePageCommand());
    commands.push_back(MakeBookCommand());
    commands.push_back(MakeRenderCommand());
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
            err << "harmodex-cli: unknown subcommand \"" << typed << "\" (use " << names << "; see harmodex-cli --help)\n";
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

// harmodex-cli describe: the page as plain text, one fact a line, for a
// reader who cannot see the page or wants its facts in a terminal.
#include "cli/Subcommand.h"
#include "page/PageText.h"

namespace {

class DescribeCommand : public Subcommand {
public:
    const char* name() const override { return "describe"; }
    void declare(CLI::App& app) override
    {
        CLI::App* command = app.add_subcommand(
            name(), "Print the page as plain text, one fact a line: its identity, classification, measures\n"
                    "and the number of its subsets and supersets.\n"
                    "  example: harmodex-cli describe \"0 4 7\"");
        command->add_option("SET", set_, SetArgumentHelp)->required();
    }
    void run(std::ostream& out) override { WriteOutput("", DescribePage(ReadSetArgument(set_)), out); }

private:
    std::string set_;
};

}  // namespace

std::unique_ptr<Subcommand> MakeDescribeCommand() { return std::make_unique<DescribeCommand>(); }

// harmodex-cli page: one page as EPS, the same bytes the window saves.
#include "cli/Subcommand.h"
#include "page/HarmodexPage.h"

namespace {

class PageCommand : public Subcommand {
public:
    const char* name() const override { return "page"; }
    void declare(CLI::App& app) override
    {
        CLI::App* command = app.add_subcommand(name(), "Write the EPS page, the same bytes the window saves.\n"
                                                       "  example: harmodex-cli page 13.12.14 -o triad.eps");
        command->add_option("SET", set_, SetArgumentHelp)->required();
        command->add_option("-o,--output", output_, "output file (default: standard output)");
    }
    void run(std::ostream& out) override
    {
        const auto [tnText, number] = PageOfSet(ReadSetArgument(set_));
        WriteOutput(output_, DrawHarmodexPage(number, tnText, 0, 0) + "\n", out);
    }

private:
    std::string set_, output_;
};

} // namespace

std::unique_ptr<Subcommand> MakePageCommand() { return std::make_unique<PageCommand>(); }

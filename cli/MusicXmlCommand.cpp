// harmodex-cli musicxml: the roster of the 24 transformations as a MusicXML
// score for notation programs.
#include "cli/Subcommand.h"
#include "interchange/MusicXml.h"

namespace {

class MusicXmlCommand : public Subcommand {
public:
    const char* name() const override { return "musicxml"; }
    void declare(CLI::App& app) override
    {
        CLI::App* command = app.add_subcommand(
            name(), "Write the page's 24 transformations (T0..T11, I0..I11) as a MusicXML score, spelled as the "
                    "page spells them.\n"
                    "  example: harmodex-cli musicxml \"0 4 7\" -o triad.musicxml");
        command->add_option("SET", set_, SetArgumentHelp)->required();
        command->add_option("-o,--output", output_, "output file (default: standard output)");
    }
    void run(std::ostream& out) override { WriteOutput(output_, MusicXmlForSet(ReadSetArgument(set_)), out); }

private:
    std::string set_, output_;
};

}  // namespace

std::unique_ptr<Subcommand> MakeMusicXmlCommand() { return std::make_unique<MusicXmlCommand>(); }

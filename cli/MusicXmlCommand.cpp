// harmodex-cli musicxml: the roster of the 24 transformations as a MusicXML
// score for notation programs, plain (.musicxml, .xml) or compressed (.mxl).
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
                    "page spells them; compressed MusicXML when the output ends in .mxl.\n"
                    "  example: harmodex-cli musicxml \"0 4 7\" -o triad.musicxml\n"
                    "  example: harmodex-cli musicxml --as-typed \"Bb3 D4 F4\" -o triad.mxl");
        command->add_option("SET", set_, SetArgumentHelp)->required();
        command->add_option("-o,--output", output_,
                            "output file, .musicxml, .xml or .mxl (default: MusicXML on standard output)");
        command->add_flag("--as-typed", asTyped_,
                          "a first measure, labelled \"as typed\", with the notes in the order, octaves and "
                          "letters typed (numbers rising from middle C)");
    }
    void run(std::ostream& out) override
    {
        const bool compressed = ChooseOutputType(name(), output_, {{{"musicxml", "xml"}}, {{"mxl"}}}) == 1;
        if (compressed)
            RefuseBinaryOnTerminal(output_, out, "compressed MusicXML", "triad.mxl");
        std::vector<int> set;
        std::vector<TypedNote> typed;
        if (asTyped_) {
            typed = ReadTypedNotes(set_);
            for (const TypedNote& note : typed)
                set.push_back(note.pitch);
        } else {
            set = ReadSetArgument(set_);
        }
        const std::string score = MusicXmlForSet(set, typed);
        WriteOutput(output_, compressed ? CompressedMusicXml(score) : score, out);
    }

private:
    std::string set_, output_;
    bool asTyped_ = false;
};

}  // namespace

std::unique_ptr<Subcommand> MakeMusicXmlCommand() { return std::make_unique<MusicXmlCommand>(); }

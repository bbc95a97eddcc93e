// harmodex-cli analyse: the full analysis as JSON, of one set or of every
// catalogue entry.
#include "interchange/AnalysisJson.h"
#include "cli/Subcommand.h"
#include "pcset/Conversions.h"
#include "pcset/PitchUniverse.h"

namespace {

class AnalyseCommand : public Subcommand {
public:
    const char* name() const override { return "analyse"; }
    void declare(CLI::App& app) override
    {
        command_ = app.add_subcommand(name(), "Print the full analysis as one JSON object.\n"
                                              "  example: harmodex-cli analyse \"7 11 2\"\n"
                                              "  example: harmodex-cli analyse --all > catalogue.jsonl");
        command_->add_option("SET", set_, SetArgumentHelp);
        command_->add_flag("--all", all_, "one JSON line per catalogue entry, in page order");
    }
    void run(std::ostream& out) override
    {
        const bool setGiven = command_->count("SET") > 0;
        if (all_ == setGiven)
            throw harmodex::Error::BadInput("analyse takes either a SET or --all");
        if (all_) {
            std::string lines;
            const PitchUniverse& u = SharedUniverse();
            for (int i = 0; i < PitchUniverse::NumTnTypes; ++i)
                lines += AnalyseSet(StringToVector(u.tnTypes[i]), u.tnTypes[i]).dump() + "\n";
            WriteOutput("", lines, out);
        } else {
            const std::vector<int> list = ReadSetArgument(set_);
            WriteOutput("", AnalyseSet(list, set_).dump(2) + "\n", out);
        }
    }

private:
    CLI::App* command_ = nullptr;
    std::string set_;
    bool all_ = false;
};

}  // namespace

std::unique_ptr<Subcommand> MakeAnalyseCommand() { return std::make_unique<AnalyseCommand>(); }

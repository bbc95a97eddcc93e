// harmodex-cli find: the Tn-types of the catalogue that pass every filter
// given, one line each, as JSON, or counted.
#include <cstdio>
#include <stdexcept>

#include "catalogue/CatalogueQuery.h"
#include "cli/Subcommand.h"
#include "pcset/PitchClassSet.h"

namespace {

// SET is read like every other SET of the command line (--literal and the
// line saying how it was read included); the queries work on its Tn-type.
std::vector<int> TypeOf(const std::string& text)
{
    PitchClassSet set;
    set.initializeSet(ReadSetArgument(text));
    return set.getTnType();
}

class FindCommand : public Subcommand {
public:
    const char* name() const override { return "find"; }
    void declare(CLI::App& app) override
    {
        command_ = app.add_subcommand(name(), "List the Tn-types that pass every filter given (all 351 without one):\n"
                                              "page, Forte name and Tn-type, one line each.\n"
                                              "  example: harmodex-cli find --size 6 --contains \"0 4 7\" --tni\n"
                                              "  example: harmodex-cli find --z --symmetric --count");
        command_->add_option("--size", query_.size, "number of pitch classes (1 to 12)")->type_name("N");
        command_->add_option("--contains", contains_, "Tn-types holding SET at some transposition")->type_name("SET");
        command_->add_option("--within", within_, "Tn-types that SET holds")->type_name("SET");
        command_->add_flag("--tni", query_.inversions, "--contains and --within also through SET's inversion");
        command_->add_flag("--z", query_.zPartner, "Tn-types with a Z-partner");
        command_->add_flag("--symmetric", query_.symmetric, "inversionally symmetrical Tn-types");
        command_->add_option("--attribute", query_.attribute,
                             "a classification as the page prints it, e.g. \"integrally multimodalizable\"");
        CLI::Option* json = command_->add_flag("--json", json_, "a JSON array of catalogue entries");
        command_->add_flag("--count", count_, "only the number of Tn-types found")->excludes(json);
    }
    void run(std::ostream& out) override
    {
        if (command_->count("--contains") > 0)
            query_.contains = TypeOf(contains_);
        if (command_->count("--within") > 0)
            query_.within = TypeOf(within_);
        if (command_->count("--size") > 0 && query_.size == 0)
            throw harmodex::Error::BadInput("a size counts pitch classes: 1 to 12, not 0");
        const std::vector<int> pages = FindPages(query_);

        const std::vector<CatalogueRow>& rows = CatalogueRows();
        std::string text;
        if (count_) {
            text = std::to_string(pages.size()) + "\n";
        } else if (json_) {
            nlohmann::ordered_json list = nlohmann::ordered_json::array();
            for (int page : pages)
                list.push_back(RowJson(rows[page - 1]));
            text = list.dump(2) + "\n";
        } else {
            for (int page : pages) {
                const CatalogueRow& row = rows[page - 1];
                char head[32];
                std::snprintf(head, sizeof head, "%3d  %-6s  ", row.page, row.forteName.c_str());
                text += head + row.tnType + "\n";
            }
        }
        WriteOutput("", text, out);
    }

private:
    CLI::App* command_ = nullptr;
    CatalogueQuery query_;
    std::string contains_, within_;
    bool json_ = false, count_ = false;
};

}  // namespace

std::unique_ptr<Subcommand> MakeFindCommand() { return std::make_unique<FindCommand>(); }

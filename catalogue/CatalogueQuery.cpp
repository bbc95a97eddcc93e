#include "catalogue/CatalogueQuery.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <stdexcept>

#include "base/Error.h"

#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"
#include "relations/CatalogueTables.h"
#include "relations/SubsetSearch.h"
#include "relations/ZRelations.h"

namespace {

// The words of a text in lower case. The page joins the classifications of
// one section with commas, so a comma separates words as a space does.
std::vector<std::string> LowerWords(std::string text)
{
    std::replace(text.begin(), text.end(), ',', ' ');
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        for (char& c : word)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        words.push_back(word);
    }
    return words;
}

// What the filters beyond size and containment read of a type: its full
// analysis, done once for the whole catalogue and only on demand.
struct Traits {
    bool zPartner = false;
    bool symmetric = false;
    // The classifications of the analysis, worded as the page's bulleted
    // lists word them ("asymmetrical", "integrally multimodalizable at the
    // triad" ...), each as its words in lower case.
    std::vector<std::vector<std::string>> attributes;
};

const std::vector<Traits>& CatalogueTraits()
{
    static const std::vector<Traits> traits = [] {
        std::vector<Traits> all;
        for (const CatalogueEntry& entry : CatalogueEntries()) {
            PitchClassSet p;
            p.initializeSet(entry.tnType);
            p.calculateEverything();
            Traits t;
            t.zPartner = !FindZrelations(p).empty();
            t.symmetric = p.isSymmetric();
            const std::string section = " Classification";
            for (const SetInfo& info : p.setInfos)
                if (info.label.size() > section.size() &&
                    info.label.compare(info.label.size() - section.size(), section.size(), section) == 0)
                    t.attributes.push_back(LowerWords(info.text));
            all.push_back(std::move(t));
        }
        return all;
    }();
    return traits;
}

// Marks the catalogue entries related to set: the types holding it (the
// page's supersets) or held by it (its subsets), and its own type, which
// both holds and is held by it.
void MarkRelated(const std::vector<int>& set, bool holding, std::vector<bool>& marks)
{
    std::vector<std::vector<int>> types = holding ? FindAllSupersetsSoft(set) : FindAllSubsetsSoft(set);
    types.push_back(set);
    for (const std::vector<int>& type : types) {
        const int index = CatalogueIndexOf(type);
        if (index >= 0)
            marks[index] = true;
    }
}

// The entries related to set, and with inversions also those related to the
// set's inversion; every entry when no set is given.
std::vector<bool> Related(const std::vector<int>& set, bool holding, bool inversions)
{
    std::vector<bool> marks(CatalogueEntries().size(), set.empty());
    if (set.empty())
        return marks;
    // Loading reduces every value mod 12, so any list names a catalogue type.
    PitchClassSet loaded;
    loaded.initializeSet(set);
    MarkRelated(loaded.getTnType(), holding, marks);
    if (inversions)
        MarkRelated(loaded.getInvTnType(), holding, marks);
    return marks;
}

}  // namespace

const std::vector<CatalogueRow>& CatalogueRows()
{
    static const std::vector<CatalogueRow> rows = [] {
        std::vector<CatalogueRow> all;
        const PitchUniverse& universe = SharedUniverse();
        const std::vector<CatalogueEntry>& entries = CatalogueEntries();
        for (size_t i = 0; i < entries.size(); ++i) {
            CatalogueRow row;
            row.page = static_cast<int>(i) + 1;
            row.tnType = universe.tnTypes[i];
            row.tnIType = VectorToString(entries[i].tnIType);
            row.forteName = universe.forteNames[i];
            row.costereCode = calculateAdjCostereNumber(entries[i].tnType);
            row.intervalVector.assign(entries[i].intervalVector.begin(), entries[i].intervalVector.end());
            all.push_back(std::move(row));
        }
        return all;
    }();
    return rows;
}

nlohmann::ordered_json RowJson(const CatalogueRow& row)
{
    // Sets as lists of pitch classes, each with its text as the page writes
    // it beside.
    return {{"page", row.page},
            {"tnType", StringToVector(row.tnType)},
            {"tnTypeText", row.tnType},
            {"tnIType", StringToVector(row.tnIType)},
            {"tnITypeText", row.tnIType},
            {"forteName", row.forteName},
            {"costereCode", row.costereCode},
            {"intervalVector", row.intervalVector}};
}

std::vector<int> FindPages(const CatalogueQuery& query)
{
    if (query.size < 0 || query.size > 12)
        throw harmodex::Error::BadInput("a size counts pitch classes: 1 to 12, not " + std::to_string(query.size));
    if (query.inversions && query.contains.empty() && query.within.empty())
        throw harmodex::Error::BadInput("inversions apply to the set of contains or within, and neither is given");
    const std::vector<std::string> wanted = LowerWords(query.attribute);
    if (!query.attribute.empty() && wanted.empty())
        throw harmodex::Error::BadInput("the attribute text holds no word");

    const std::vector<CatalogueEntry>& entries = CatalogueEntries();
    const std::vector<bool> holding = Related(query.contains, true, query.inversions);
    const std::vector<bool> held = Related(query.within, false, query.inversions);
    const bool needTraits = query.zPartner || query.symmetric || !query.attribute.empty();

    std::vector<int> pages;
    bool attributeKnown = false;
    for (size_t i = 0; i < entries.size(); ++i) {
        bool pass = holding[i] && held[i] && (query.size == 0 || entries[i].size == query.size);
        if (needTraits) {
            const Traits& t = CatalogueTraits()[i];
            bool attributeFound = query.attribute.empty();
            // The words asked for must stand next to each other, in order,
            // within one classification: "symmetrical" is not "asymmetrical".
            for (const std::vector<std::string>& words : t.attributes)
                attributeFound = attributeFound ||
                                 std::search(words.begin(), words.end(), wanted.begin(), wanted.end()) != words.end();
            attributeKnown = attributeKnown || attributeFound;
            pass = pass && attributeFound && (!query.zPartner || t.zPartner) && (!query.symmetric || t.symmetric);
        }
        if (pass)
            pages.push_back(static_cast<int>(i) + 1);
    }
    // A text no page prints is most likely mistyped: say so rather than
    // answer with an empty list that looks like a finding.
    if (!query.attribute.empty() && !attributeKnown)
        throw harmodex::Error::BadInput("no page prints an attribute \"" + query.attribute +
                                        "\" (for example: \"symmetrical\", \"triadic major\", "
                                        "\"integrally multimodalizable\")");
    return pages;
}

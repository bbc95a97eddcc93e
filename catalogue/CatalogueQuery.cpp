#include "catalogue/CatalogueQuery.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <stdexcept>

#include "base/Error.h"
#include "catalogue/SetText.h"

#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"
#include "pcset/SetReader.h"
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

namespace {

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool StartsWith(const std::string& text, const std::string& start) { return text.compare(0, start.size(), start) == 0; }

// A page number alone (1 to 351), or a page reference; 0 for neither.
int PageNumberIn(const std::string& text)
{
    if (!text.empty() && text.size() <= 3 && text.find_first_not_of("0123456789") == std::string::npos) {
        const int number = std::stoi(text);
        return number >= 1 && number <= PitchUniverse::NumTnTypes ? number : 0;
    }
    return std::max(PageReference(text), 0);
}

// The Forte names beginning with text ("4-", "6-Z", "3-11"), which must
// itself begin as one: a cardinal number and a dash. The Z of a Z-related
// type may be left out, as the reader allows ("4-15" is 4-Z15).
std::vector<int> FortePrefixPages(const std::string& text)
{
    const size_t dash = text.find('-');
    if (dash == 0 || dash == std::string::npos || dash > 2 || text.find_first_not_of("0123456789") != dash)
        return {};
    const std::string wanted = Lower(text);
    std::vector<int> pages;
    const PitchUniverse& universe = SharedUniverse();
    for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
        const std::string name = Lower(universe.forteNames[i]);
        std::string withoutZ = name;
        withoutZ.erase(std::remove(withoutZ.begin(), withoutZ.end(), 'z'), withoutZ.end());
        if (StartsWith(name, wanted) || StartsWith(withoutZ, wanted))
            pages.push_back(i + 1);
    }
    return pages;
}

// The pages of a classification's words, each query word the beginning of
// a word of the page's, in order and next to each other within one
// classification: "symmetric" finds "symmetrical with median axes" but
// not "asymmetrical".
std::vector<int> ClassificationPages(const std::vector<std::string>& wanted)
{
    std::vector<int> pages;
    const std::vector<Traits>& traits = CatalogueTraits();
    for (size_t i = 0; i < traits.size(); ++i) {
        bool found = false;
        for (const std::vector<std::string>& words : traits[i].attributes) {
            for (size_t at = 0; !found && at + wanted.size() <= words.size(); ++at) {
                bool all = true;
                for (size_t k = 0; all && k < wanted.size(); ++k)
                    all = StartsWith(words[at + k], wanted[k]);
                found = all;
            }
            if (found)
                break;
        }
        if (found)
            pages.push_back(static_cast<int>(i) + 1);
    }
    return pages;
}

// Every page whose type holds the type of one of pages at some
// transposition (pages themselves included).
std::vector<int> HoldingPages(const std::vector<int>& pages)
{
    const std::vector<CatalogueEntry>& entries = CatalogueEntries();
    std::vector<int> holding;
    for (size_t b = 0; b < entries.size(); ++b) {
        const uint16_t outside = static_cast<uint16_t>(~entries[b].rotations[0]);
        bool holds = false;
        for (size_t k = 0; !holds && k < pages.size(); ++k) {
            const CatalogueEntry& a = entries[pages[k] - 1];
            if (a.size > entries[b].size)
                continue;
            for (uint16_t rotation : a.rotations)
                if ((rotation & outside) == 0) {
                    holds = true;
                    break;
                }
        }
        if (holds)
            holding.push_back(static_cast<int>(b) + 1);
    }
    return holding;
}

}  // namespace

CatalogueSearch SearchCatalogue(const std::string& text, bool containing)
{
    const std::string trimmed = Trimmed(text);
    CatalogueSearch found;
    if (trimmed.empty()) {
        for (int page = 1; page <= PitchUniverse::NumTnTypes; ++page)
            found.pages.push_back(page);
        return found;
    }
    // A page, a Forte name or a set: the types found, and with containing
    // the types holding them.
    if (const int page = PageNumberIn(trimmed)) {
        found.pages = {page};
        found.reading = "page " + std::to_string(page);
    } else if (std::vector<int> pages = FortePrefixPages(trimmed); !pages.empty()) {
        found.reading = "Forte names beginning " + trimmed;
        found.pages = std::move(pages);
    } else if (const UserSet set = ReadUserSet(trimmed); set.error.empty()) {
        found.pages = {set.page};
        found.reading = set.form + ": " + set.tnText;
    }
    if (!found.pages.empty()) {
        if (containing) {
            found.pages = HoldingPages(found.pages);
            found.reading += ", and every set containing it";
        }
        return found;
    }
    // Otherwise the words of the classifications.
    const std::vector<std::string> words = LowerWords(trimmed);
    if (words == std::vector<std::string>{"z"}) {
        for (size_t i = 0; i < CatalogueTraits().size(); ++i)
            if (CatalogueTraits()[i].zPartner)
                found.pages.push_back(static_cast<int>(i) + 1);
        found.reading = "types with a Z-partner";
        return found;
    }
    found.pages = ClassificationPages(words);
    if (!found.pages.empty())
        found.reading = "classifications with \xE2\x80\x9C" + trimmed + "\xE2\x80\x9D";
    return found;
}

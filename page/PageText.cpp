#include "page/PageText.h"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "analysis/Psychoacoustics.h"
#include "base/Error.h"
#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"
#include "relations/CatalogueTables.h"
#include "relations/Reversibility.h"
#include "relations/SetInfo.h"
#include "relations/SubsetSearch.h"
#include "relations/ZRelations.h"

namespace {

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Levels are written "0,d," on the page, the comma closing the list.
std::string levels(const std::string& text)
{
    std::string out = trimmed(text);
    while (!out.empty() && out.back() == ',')
        out.pop_back();
    return out;
}

// The page writes ten and eleven as d and u, and half a step as the
// PostScript code of ½; read aloud, "10", "11" and ".5" say more.
std::string spelledOut(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (text.compare(i, 4, "\\275") == 0) {
            out += ".5";
            i += 3;
            continue;
        }
        // A letter before d or u makes it part of a word, except in the
        // names of transformations (Td, Iu).
        const bool letterBefore =
            i > 0 && std::isalpha(static_cast<unsigned char>(text[i - 1])) && text[i - 1] != 'T' && text[i - 1] != 'I';
        const char after = i + 1 < text.size() ? text[i + 1] : ' ';
        const bool wordAfter =
            std::isalpha(static_cast<unsigned char>(after)) && std::string("MmNn").find(after) == std::string::npos;
        if ((c == 'd' || c == 'u') && !letterBefore && !wordAfter)
            out += c == 'd' ? "10" : "11";
        else
            out += c;
    }
    return out;
}

std::string numbers(const std::vector<int>& list) { return VectorToString(list); }

std::string joined(const std::vector<std::string>& parts, const char* separator)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : separator) + part;
    return text;
}

std::vector<std::string> textsOf(const PitchClassSet& p, const char* label)
{
    std::vector<std::string> texts;
    for (const SetInfo& record : p.getSetInfoByLabel(label))
        if (!trimmed(record.text).empty())
            texts.push_back(trimmed(record.text));
    return texts;
}

void addList(ClassificationGroup& group, const char* label, const std::string& items)
{
    group.labels.push_back(label);
    group.lists.push_back(std::string(label) + " " + spelledOut(trimmed(items)));
}

std::string forteNameOf(const std::vector<int>& tnType)
{
    PitchClassSet set;
    set.initializeSet(tnType);
    return FindForteName(set);
}

std::string percent(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f%%", value);
    return text;
}

// How many catalogue types are subsets (or supersets) of the set: the
// search lists them, or, when they are too many, the exceptions among the
// smaller (bigger) types.
int relatedCount(const std::vector<int>& tnType, bool supersets)
{
    int flag = 0;
    const std::size_t listed =
        (supersets ? FindAllSupersetsSoft(tnType, &flag) : FindAllSubsetsSoft(tnType, &flag)).size();
    if (flag != -1)
        return static_cast<int>(listed);
    int candidates = 0;
    for (const CatalogueEntry& entry : CatalogueEntries())
        if (supersets ? entry.tnType.size() > tnType.size() : entry.tnType.size() < tnType.size())
            ++candidates;
    return candidates - static_cast<int>(listed);
}

}  // namespace

std::vector<ClassificationGroup> ClassificationGroups(const PitchClassSet& p)
{
    std::vector<ClassificationGroup> groups;

    ClassificationGroup symmetry{"classification-symmetry", "Symmetry", textsOf(p, "Symmetry Classification"), {}, {}};
    if (p.isSymmetric() && !p.symmetryIndices.empty()) {
        std::vector<std::string> relatives;
        for (int index : p.symmetryIndices)
            relatives.push_back("T" + std::to_string(index) + "I");
        addList(symmetry, p.symmetryIndices.size() == 1 ? "relative" : "relatives", joined(relatives, " "));
    }
    // Axes through pitch classes are written as the page writes them: in
    // parentheses where the set does not hold the pitch class, and all
    // twelve as "all chromas".
    for (const std::string& axes : textsOf(p, "Axes")) {
        if (p.pcAxes.empty()) {
            addList(symmetry, "axes", axes);
            continue;
        }
        const std::vector<int> through = StringToVector(axes);
        std::vector<std::string> written;
        for (int pc : through)
            written.push_back(p.isIntrinsic(pc) ? std::to_string(pc) : "(" + std::to_string(pc) + ")");
        addList(symmetry, "axes", through.size() == 12 ? "all chromas" : joined(written, " "));
    }
    groups.push_back(symmetry);

    ClassificationGroup cardinal{
        "classification-cardinal", "Cardinal polarity", textsOf(p, "Cardinal Classification"), {}, {}};
    for (const std::string& poles : textsOf(p, "Cardinal Poles"))
        addList(cardinal, "poles", poles);
    for (const std::string& poles : textsOf(p, "Cardinal Intrasubpoles"))
        addList(cardinal, "intrasubpoles", poles);
    groups.push_back(cardinal);

    ClassificationGroup tonal{"classification-tonal", "Tonal polarity", textsOf(p, "Tonal Classification"), {}, {}};
    for (const std::string& centres : textsOf(p, "Tonal Centers"))
        addList(tonal, "centers", centres);
    for (const std::string& centres : textsOf(p, "Tonal Intrasubcenters"))
        addList(tonal, "intrasubcenters", centres);
    for (const std::string& triads : textsOf(p, "Binary Components"))
        addList(tonal, "binary triads", triads);
    groups.push_back(tonal);

    groups.push_back(
        {"classification-transpositional", "Transposition", textsOf(p, "Transpositional Classification"), {}, {}});

    // Each row: the transforms, the levels of the union and the union.
    const std::vector<std::vector<std::string>> rows = AnalyseReversibility_II(p.getTnType());
    if (!rows.empty()) {
        ClassificationGroup reversibility{
            "classification-reversibility", "Autocomplementarity", {"autocomplementarity"}, {}, {}};
        for (const std::vector<std::string>& row : rows) {
            std::string line = row[0] == "+T" || row[0] == "+I" ? "with " + row[0].substr(1) + levels(row[1])
                                                                : "with " + trimmed(row[1]) + " at " + levels(row[0]);
            line += " makes " + trimmed(row[3]);
            if (!levels(row[2]).empty())
                line += " at " + levels(row[2]);
            reversibility.lists.push_back(spelledOut(line));
        }
        groups.push_back(reversibility);
    }

    const std::vector<std::string> modal = textsOf(p, "Multimodalization Classification");
    if (!modal.empty()) {
        ClassificationGroup group{"classification-multimodalization", "Multimodalization", modal, {}, {}};
        for (const std::string& points : textsOf(p, "Multimodalization Point"))
            group.lists.push_back("points " + spelledOut(points));
        groups.push_back(group);
    }
    const std::vector<std::string> imitation = textsOf(p, "Tonal Imitation Classification");
    if (!imitation.empty()) {
        ClassificationGroup group{"classification-imitation", "Tonal imitation", imitation, {}, {}};
        for (const std::string& points : textsOf(p, "Tonal Imitation Points"))
            group.lists.push_back("points " + spelledOut(points));
        groups.push_back(group);
    }
    return groups;
}

std::string DescribePage(const std::vector<int>& list)
{
    PitchClassSet entered;
    entered.initializeSet(list);
    const std::vector<int> tnType = entered.getTnType();
    const int index = CatalogueIndexOf(tnType);
    if (tnType.empty() || index < 0)
        throw harmodex::Error::BadInput("the empty set has no page");
    PitchClassSet p;
    p.initializeSet(tnType);
    p.calculateEverything();

    std::string text;
    auto line = [&text](const std::string& name, const std::string& value) { text += name + ": " + value + "\n"; };
    line("Page", std::to_string(index + 1));
    line("Forte name", FindForteName(p));
    line("Tn-type", numbers(tnType));
    line("TnI-type", numbers(p.getTnIType()));
    line("Costère code", calculateAdjCostereNumber(tnType));
    line("Interval vector", "<" +
                                joined(
                                    [&] {
                                        std::vector<std::string> counts;
                                        for (int count : p.getIntervalVector())
                                            counts.push_back(std::to_string(count));
                                        return counts;
                                    }(),
                                    ",") +
                                ">");
    std::vector<std::string> partners;
    for (const std::vector<int>& partner : FindZrelations(p))
        partners.push_back(forteNameOf(partner) + " (" + numbers(partner) + ")");
    line("Z-partner", partners.empty() ? "none" : joined(partners, ", "));
    const std::vector<int> complement = p.calculateTnType(p.getComplementary());
    line("Complement", complement.empty() ? "none (the set holds all twelve pitch classes)"
                                          : forteNameOf(complement) + " (" + numbers(complement) + ")");
    line("Cardinality", std::to_string(tnType.size()));

    for (const ClassificationGroup& group : ClassificationGroups(p)) {
        std::vector<std::string> parts;
        if (!group.words.empty() && group.id != "classification-reversibility")
            parts.push_back(joined(group.words, ", "));
        for (const std::string& items : group.lists)
            parts.push_back(items);
        if (!parts.empty())
            line(group.name, joined(parts, "; "));
    }

    line(p.getNroots() == 1 ? "Root" : "Roots", numbers(p.parncuttRoots));
    line("Tonicity", percent(CalculateTonicity(p)));
    line(p.getNvertexes() == 1 ? "Vertex" : "Vertices", numbers(p.parncuttVertexes));
    line("Phonicity", percent(CalculatePhonicity(p)));
    char number[32];
    // Signed as the dial prints it; within half a hundredth of 0 it is 0.
    const float azimuth = CalculateAzimuth(p);
    if (azimuth > 0.005f)
        std::snprintf(number, sizeof number, "+%.1f°", azimuth);
    else if (azimuth < -0.005f)
        std::snprintf(number, sizeof number, "%.1f°", azimuth);
    else
        std::snprintf(number, sizeof number, "0°");
    line("Azimuth", number);
    std::snprintf(number, sizeof number, "%.2f", CalculateFrozenHutchinsonKnopoffRoughness(tnType));
    line("Roughness", number);
    line("Subsets", std::to_string(relatedCount(tnType, false)));
    line("Supersets", std::to_string(relatedCount(tnType, true)));
    return text;
}

#include "relations/Modalization.h"

#include <algorithm>
#include <cstdint>

#include "pcset/Conversions.h"
#include "relations/CatalogueTables.h"
#include "relations/LevelMerging.h"
#include "relations/Molds.h"
#include "relations/SetAlgebra.h"
#include "relations/SubsetSearch.h"

namespace {

constexpr const char* kEquallySpacedMark = "\\267";
constexpr const char* kRetrogradeMark = "\\317";

// Occurrence code bases, relative to the subset written.
constexpr int kInversionCode = 100;
constexpr int kRetrogradeInversionCode = 200;
constexpr int kRetrogradeCode = 300;
// An imitation in retrograde is coded -level - 100 by the analysis.
constexpr int kRetrogradeOffset = -100;

int withoutMark(int code) { return IsMergeMarked(code) ? code - kMergeMark : code; }

struct CodeReading {
    int level = 0;
    int flag = 0;    // 1 transposition, -1 inversion, 0 not a code
    int upside = 0;  // 1 when the mold is imitated in retrograde
};

CodeReading readCode(int code)
{
    struct Range {
        int base, flag, upside;
    };
    static constexpr Range ranges[] = {
        {0, 1, 0},
        {kInversionCode, -1, 0},
        {kRetrogradeInversionCode, -1, 1},
        {kRetrogradeCode, 1, 1},
    };
    const int c = withoutMark(code);
    for (const Range& r : ranges)
        if (c >= r.base && c < r.base + 50)
            return {c - r.base, r.flag, r.upside};
    return {};
}

// Level of an analysis code (l, or -l - 100 for a retrograde imitation).
int levelOfAnalysisCode(int code) { return code < 0 ? kRetrogradeOffset - code : code; }

std::vector<int> transformOfCode(const std::vector<int>& s, int code)
{
    return operateVectorSet(s, interpretIndexModCode(code), findIndexModCodeFlag(code));
}

bool contains(const std::vector<int>& list, int value)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

// S's own code list in a group concerning S: S's codes (a retrograde
// imitation l becomes 300 + l), then the codes of S's inversion, each
// turned into the inversion level of S it stands for (100 + level, or
// 200 + level for a retrograde imitation).
std::vector<int> codesRelativeTo(const ModalizationInfo& group, const std::vector<int>& s)
{
    const bool sIsFormA = group.formA == s;
    const std::vector<int>& own = sIsFormA ? group.codesA : group.codesB;
    const std::vector<int>& otherForm = sIsFormA ? group.formB : group.formA;
    const std::vector<int>& other = sIsFormA ? group.codesB : group.codesA;

    std::vector<int> codes;
    codes.reserve(own.size() + other.size());
    for (int code : own)
        codes.push_back(code < 0 ? levelOfAnalysisCode(code) + kRetrogradeCode : code);
    for (int code : other) {
        const int negatedLevel = convertInvTnLevelToInvLevel(otherForm, levelOfAnalysisCode(code), s);
        // An occurrence of the partner form that is no inversion of S cannot
        // be written as one; leave it out rather than print a false level.
        if (negatedLevel == -99)
            continue;
        codes.push_back((code < 0 ? kRetrogradeInversionCode : kInversionCode) - negatedLevel);
    }
    return codes;
}

// For each catalogue index, the index of the Tn-type of its inversion.
const std::vector<int>& InversionIndexes()
{
    static const std::vector<int> table = [] {
        const PitchClassSet& tool = PcsTool();
        std::vector<int> result;
        for (const CatalogueEntry& e : CatalogueEntries())
            result.push_back(CatalogueIndexOf(tool.calculateTnType(tool.genericInvertion(e.tnType))));
        return result;
    }();
    return table;
}

}  // namespace

std::vector<ModalizationInfo> calculateModalizationAttributes(const PitchClassSet& p)
{
    std::vector<ModalizationInfo> result;
    const std::vector<int> tnType = p.getTnType();
    if (tnType.empty())
        return result;

    const std::vector<std::vector<int>> subs = FindAllSubsetsSoft(tnType);
    // Levels and molds are both taken inside the Tn-type, so that every
    // occurrence found is a placement inside the collection its mold reads.
    PitchClassSet atTnType;
    atTnType.initializeSet(tnType);
    const std::vector<std::vector<int>> lv = findIntrinsicTranspositionIndexes(subs, atTnType);

    // Subsets are catalogue Tn-types: each is its own Tn-type, and the
    // Tn-type of its inversion is looked up in the catalogue.
    const std::vector<CatalogueEntry>& entries = CatalogueEntries();
    const std::vector<int>& inversionIndex = InversionIndexes();
    std::vector<int> positionInSubs(entries.size(), -1);
    std::vector<int> catalogueIndex(subs.size());
    for (size_t i = 0; i < subs.size(); ++i) {
        catalogueIndex[i] = CatalogueIndexOf(subs[i]);
        if (catalogueIndex[i] >= 0 && positionInSubs[catalogueIndex[i]] < 0)
            positionInSubs[catalogueIndex[i]] = static_cast<int>(i);
    }

    std::vector<bool> done(subs.size(), false);
    for (size_t i = 0; i < subs.size(); ++i) {
        if (done[i] || catalogueIndex[i] < 0)
            continue;
        const std::vector<int>& a = subs[i];
        const int inversion = inversionIndex[catalogueIndex[i]];
        const std::vector<int>& b = entries[inversion].tnType;
        const int j = positionInSubs[inversion];
        const bool paired = j >= 0 && inversion != catalogueIndex[i];

        std::vector<MdlzSetInfo> occurrences;
        auto addOccurrences = [&](const std::vector<int>& form, const std::vector<int>& levels) {
            for (int level : levels)
                occurrences.push_back({form, level, findImitationMold(tnType, form, level)});
        };
        addOccurrences(a, lv[i]);
        done[i] = true;
        if (paired) {
            addOccurrences(b, lv[j]);
            done[j] = true;
        }
        if (occurrences.size() < 2)
            continue;

        std::vector<bool> taken(occurrences.size(), false);
        for (size_t k = 0; k < occurrences.size(); ++k) {
            if (taken[k])
                continue;
            taken[k] = true;
            ModalizationInfo group;
            group.formA = a;
            if (paired)
                group.formB = b;
            group.mold = occurrences[k].mold;
            for (size_t m = 0; m < occurrences.size(); ++m) {
                // Imitation is an equivalence (same mold up to rotation and
                // retrograde): an occurrence already in a group cannot
                // imitate this one, which was left out of that group.
                if (taken[m] && m != k)
                    continue;
                const MdlzSetInfo& o = occurrences[m];
                const int c = compareImitationMolds(occurrences[k].mold, o.mold);
                if (c == 0)
                    continue;
                const int code = c == 1 ? o.level : -o.level + kRetrogradeOffset;
                if (o.form == group.formA)
                    group.codesA.push_back(code);
                if (o.form == group.formB)
                    group.codesB.push_back(code);
                taken[m] = true;
            }
            if (!group.formA.empty() && group.codesA.empty())
                group.formA.clear();
            if (!group.formB.empty() && group.codesB.empty())
                group.formB.clear();
            if (group.codesA.size() + group.codesB.size() > 1)
                result.push_back(std::move(group));
        }
    }
    return result;
}

std::string AssembleSubsetIndexModNotation(const std::vector<int>& t, const std::vector<int>& s,
                                           const std::vector<int>& l, const std::vector<ModalizationInfo>& m,
                                           int* covered)
{
    // The groups concerning S, and the levels they account for.
    std::vector<const ModalizationInfo*> groups;
    std::vector<int> groupedLevels;
    for (const ModalizationInfo& group : m) {
        // A form left empty (no occurrence in the group) concerns no subset.
        const bool asA = !s.empty() && group.formA == s;
        const bool asB = !s.empty() && group.formB == s;
        if (!asA && !asB)
            continue;
        groups.push_back(&group);
        if (asA)
            for (int code : group.codesA)
                groupedLevels.push_back(levelOfAnalysisCode(code));
        if (asB)
            for (int code : group.codesB)
                groupedLevels.push_back(levelOfAnalysisCode(code));
    }

    // Levels outside every group, those giving the same set merged.
    std::vector<int> plain;
    for (int level : l)
        if (!contains(groupedLevels, level))
            plain.push_back(level);
    MergeSameTransforms(plain, [&](int value) { return operateVectorSet(s, withoutMark(value), 1); });

    std::vector<std::vector<int>> groupCodes;
    groupCodes.reserve(groups.size());
    for (const ModalizationInfo* group : groups) {
        std::vector<int> codes = codesRelativeTo(*group, s);
        MergeSameTransforms(codes, [&](int code) { return transformOfCode(s, code); });
        groupCodes.push_back(std::move(codes));
    }

    // The text; the transforms written are gathered to see whether they
    // cover the whole set.
    std::string text;
    uint16_t written = 0;

    size_t lastPlain = plain.size();
    for (size_t i = 0; i < plain.size(); ++i)
        if (plain[i] != kDroppedLevel)
            lastPlain = i;
    for (size_t i = 0; i < plain.size(); ++i) {
        if (plain[i] == kDroppedLevel)
            continue;
        const int level = withoutMark(plain[i]);
        const std::vector<int> transform = operateVectorSet(s, level, 1);
        if (IsEquallySpaced(t, transform))
            text += kEquallySpacedMark;
        written |= PcMask(transform);
        if (IsMergeMarked(plain[i]))
            text += "+";
        text += FilterPcSetNumbers(level);
        if (i != lastPlain)
            text += ",";
    }

    if (groups.empty()) {
        text += ",";
        return text;
    }

    bool anyGroupWritten = false;
    for (const std::vector<int>& codes : groupCodes) {
        // A group in which S takes part only through its inversions is
        // written under the inversion's own entry.
        if (LevelsAreAllForInvs(codes))
            continue;
        anyGroupWritten = true;
        text += "|";
        bool equallySpacedFound = false;
        for (size_t q = 0; q < codes.size(); ++q) {
            const int code = codes[q];
            if (code == kDroppedLevel)
                continue;
            const std::vector<int> transform = transformOfCode(s, code);
            if (!equallySpacedFound && IsEquallySpaced(t, transform)) {
                text += kEquallySpacedMark;
                equallySpacedFound = true;
            }
            written |= PcMask(transform);
            if (q != 0)
                text += ",";
            if (findIndexModCodeFlag(code) == -1)
                text += "-";
            text += FilterPcSetNumbers(interpretIndexModCode(code));
            if (findIndexModCodeUpsideFlag(code) == 1)
                text += kRetrogradeMark;
            if (IsMergeMarked(code))
                text += "+";
        }
    }
    if (anyGroupWritten)
        text += "|";
    text += ",";

    if (covered)
        *covered = (PcMask(t) & ~written) == 0 ? 1 : 0;
    return text;
}

std::string AssembleSupersetIndexNotation(const std::vector<int>& x, const std::vector<int>& l)
{
    std::vector<int> levels = l;
    MergeSameTransforms(levels, [&](int value) { return operateVectorSet(x, interpretIndexModCode(value), 1); });
    std::string text;
    for (int value : levels) {
        if (value == kDroppedLevel)
            continue;
        text += FilterPcSetNumbers(interpretIndexModCode(value));
        if (IsMergeMarked(value))
            text += "+";
        text += ",";
    }
    return text;
}

int interpretIndexModCode(int code) { return readCode(code).level; }

int findIndexModCodeFlag(int code) { return readCode(code).flag; }

int findIndexModCodeUpsideFlag(int code) { return readCode(code).upside; }

bool LevelsAreAllForInvs(const std::vector<int>& codes)
{
    return std::all_of(codes.begin(), codes.end(), [](int code) { return findIndexModCodeFlag(code) == -1; });
}

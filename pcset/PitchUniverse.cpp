#include "pcset/PitchUniverse.h"

#include <algorithm>
#include <vector>

#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"

namespace {

struct ForteClass {
    int cardinality;
    int number;
    int zPartner;
    const char* primeForm;
    const char* intervalVector;
};

const ForteClass forteClasses[] = {
#include "pcset/ForteTable.inc"
};

bool byCatalogueOrder(const std::vector<int>& a, const std::vector<int>& b)
{
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

}  // namespace

PitchUniverse::PitchUniverse()
{
    PitchClassSet tool;

    // Every transposition class once: the Tn-types of all 4095 non-empty
    // subsets of the twelve pitch classes, without repeats.
    std::vector<std::vector<int>> types;
    for (int mask = 1; mask < 4096; ++mask) {
        std::vector<int> set;
        for (int pc = 0; pc < 12; ++pc)
            if (mask & (1 << pc))
                set.push_back(pc);
        if (set.front() != 0)
            continue;  // every transposition class has a member holding 0
        types.push_back(tool.calculateTnType(set));
    }
    std::sort(types.begin(), types.end(), byCatalogueOrder);
    types.erase(std::unique(types.begin(), types.end()), types.end());

    std::vector<std::vector<int>> tniTypes;
    for (const auto& t : types) {
        std::vector<int> tni = tool.calculateTnIType(t);
        if (std::find(tniTypes.begin(), tniTypes.end(), tni) == tniTypes.end())
            tniTypes.push_back(tni);
    }
    std::sort(tniTypes.begin(), tniTypes.end(), byCatalogueOrder);

    for (size_t i = 0; i < types.size() && i < static_cast<size_t>(NumTnTypes); ++i)
        tnTypes[i] = VectorToString(types[i]);
    for (size_t i = 0; i < tniTypes.size() && i < static_cast<size_t>(NumTnITypes); ++i)
        tnITypes[i] = VectorToString(tniTypes[i]);

    // Forte names. Sizes 3 to 9 take the number of their set class in
    // Forte's list (matched by set class: Forte's prime forms are not always
    // our TnI-types); the other sizes are numbered in catalogue order, where
    // every type is its own inversion type.
    std::vector<std::vector<int>> forteSetClasses;
    for (const ForteClass& fc : forteClasses)
        forteSetClasses.push_back(tool.calculateTnIType(StringToVector(fc.primeForm)));
    std::vector<std::vector<int>> tniVectors;
    for (const auto& tni : tniTypes)
        tniVectors.push_back(tool.calculateIntervalVector(tni));

    int ordinalInSize[13] = {};
    for (size_t i = 0; i < types.size() && i < static_cast<size_t>(NumTnTypes); ++i) {
        const std::vector<int>& t = types[i];
        const int n = static_cast<int>(t.size());
        const std::vector<int> setClass = tool.calculateTnIType(t);
        const std::vector<int> vector = tool.calculateIntervalVector(t);
        int number = ++ordinalInSize[n];
        bool z = false;
        if (n >= 3 && n <= 9) {
            for (size_t k = 0; k < forteSetClasses.size(); ++k)
                if (forteSetClasses[k] == setClass)
                    number = forteClasses[k].number;
            // Z: another inversion class of the same size shares the interval vector.
            for (size_t k = 0; k < tniTypes.size(); ++k)
                if (tniTypes[k].size() == t.size() && tniTypes[k] != setClass && tniVectors[k] == vector)
                    z = true;
        }
        forteNames[i] =
            IntToStringPlain(n) + "-" + (z ? "Z" : "") + IntToStringPlain(number) + (t != setClass ? "b" : "");
    }
}

int FindSetID(const std::string& tnTypeText, const PitchUniverse& catalogue)
{
    for (int i = 0; i < PitchUniverse::NumTnTypes; ++i)
        if (catalogue.tnTypes[i] == tnTypeText)
            return i;
    return PitchUniverse::NumTnTypes;
}

const PitchUniverse& SharedUniverse()
{
    static const PitchUniverse universe;
    return universe;
}

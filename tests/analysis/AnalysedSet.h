#ifndef HARMODEX_TESTS_ANALYSIS_ANALYSEDSET_H
#define HARMODEX_TESTS_ANALYSIS_ANALYSEDSET_H

#include <string>
#include <vector>

#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"

using Pcs = std::vector<int>;

// A set loaded from a list, with its normal form and canonical forms only.
inline PitchClassSet Loaded(const Pcs& list)
{
    PitchClassSet s;
    s.initializeSet(list);
    return s;
}

// A set loaded from a list and run through the whole analysis.
inline PitchClassSet Analysed(const Pcs& list)
{
    PitchClassSet s;
    s.initializeSet(list);
    s.calculateEverything();
    return s;
}

inline PitchClassSet AnalysedText(const std::string& text) { return Analysed(StringToVector(text)); }

inline Pcs Table(const int32_t table[12]) { return Pcs(table, table + 12); }

// Poles as "(pc,value,type)" triples, in order.
inline std::string Describe(const std::vector<PoleInfo>& poles)
{
    std::string text;
    for (const PoleInfo& p : poles)
        text += "(" + std::to_string(p.pc) + "," + std::to_string(p.value) + "," + std::to_string(p.type) + ")";
    return text;
}

// The 4095 non-empty sets of distinct pitch classes, each in ascending order.
inline std::vector<Pcs> EveryNonEmptySet()
{
    std::vector<Pcs> sets;
    for (int mask = 1; mask < 4096; ++mask) {
        sets.emplace_back();
        for (int pc = 0; pc < 12; ++pc)
            if (mask & (1 << pc))
                sets.back().push_back(pc);
    }
    return sets;
}

#endif

#ifndef HARMODEX_TESTS_ANALYSIS_ANALYSEDSET_H
#define HARMODEX_TESTS_ANALYSIS_ANALYSEDSET_H

#include <string>
#include <vector>

#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"

using Pcs = std::vector<int>;

// A set loaded from a list and run through the whole analysis.
inline PitchClassSet Analysed(const Pcs& list)
{
    PitchClassSet s;
    s.initializeSet(list);
    s.calculateEverything();
    return s;
}

inline PitchClassSet AnalysedText(const std::string& text)
{
    return Analysed(StringToVector(text));
}

inline Pcs Table(const int32_t table[12])
{
    return Pcs(table, table + 12);
}

#endif

#ifndef HARMODEX_ANALYSIS_SYMMETRY_H
#define HARMODEX_ANALYSIS_SYMMETRY_H

// Whether a transformation carries an analysed set onto itself, read from its
// invariance (common-tone) tables.

#include "pcset/PitchClassSet.h"

// True when Tn (mode 0) or TnI (mode 1) of the set, n = level, maps every
// element onto a pitch class of the set, and so the set onto itself. The
// invariance tables count elements with their multiplicity, so the entry is
// compared with the number of elements as loaded: a set entered with a
// repeated pitch class is then judged like the same set without the repeat.
// Requires calculateInvarianceTables().
bool MapsOntoItself(const PitchClassSet& s, int mode, int level);

#endif

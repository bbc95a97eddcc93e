#ifndef HARMODEX_RELATIONS_ZRELATIONS_H
#define HARMODEX_RELATIONS_ZRELATIONS_H

// Z-relations and Forte names: a set against the catalogue by its interval
// content, and its printed name.

#include <string>
#include <vector>

#include "pcset/PitchClassSet.h"

// The Tn-types with P's interval vector but another inversion class, in
// catalogue order: both forms of every Z-partner. P's interval vector must
// have been computed (calculateIntervalVectorII or the full analysis).
std::vector<std::vector<int>> FindZrelations(const PitchClassSet& p);

// The catalogue Tn-types whose interval vector equals A's, leaving out the
// catalogue entries of A and B themselves. With B the Tn-type of A's
// inversion this is the first form's result for a set of type A.
std::vector<std::vector<int>> FindZrelations(const std::vector<int>& a, const std::vector<int>& b);

// Forte name of P's Tn-type ("4-Z15", "3-11b"); empty for the empty set,
// which the catalogue does not hold.
std::string FindForteName(const PitchClassSet& p);

#endif

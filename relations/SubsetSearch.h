#ifndef HARMODEX_RELATIONS_SUBSETSEARCH_H
#define HARMODEX_RELATIONS_SUBSETSEARCH_H

// A set against the whole Tn-type catalogue: the Tn-types that occur inside
// it (subsets) and those that contain it (supersets), up to transposition
// only. Also the compact texts in which the page prints pitch-class lists and
// levels, with 10 and 11 written "d" and "u".

#include <string>
#include <vector>

// Tn-types T with fewer members than S of which some transposition T_n(T)
// lies inside S, in catalogue order.
std::vector<std::vector<int>> FindAllSubsetsSoft(const std::vector<int>& s);
// As above; but when more than 200 Tn-types qualify, the list holds instead
// the smaller Tn-types that do not, and *flag is set to -1 (else to 1). The
// caller reads the flag before the list. A null flag is not written.
std::vector<std::vector<int>> FindAllSubsetsSoft(const std::vector<int>& s, int* flag);

// Tn-types T with more members than S such that some transposition T_n(S)
// lies inside T, in catalogue order.
std::vector<std::vector<int>> FindAllSupersetsSoft(const std::vector<int>& s);
// As above, with the same rule of 200 and the same flag.
std::vector<std::vector<int>> FindAllSupersetsSoft(const std::vector<int>& s, int* flag);

// The token of one value: "d" for 10, "u" for 11, otherwise "%d".
std::string FilterPcSetNumbers(int x);
// Tokens separated by one blank: 2 6 9 u.
std::string FilterPcSetNumbers(const std::vector<int>& list);
// Tokens separated by commas: 2,6,9,u.
std::string FilterPcSetNumbersWithCommas(const std::vector<int>& list);
// Tokens run together: 269u.
std::string FilterPcSetNumbersClose(const std::vector<int>& list);

// The levels of L that give distinct transforms of S (mode -1: inversions,
// else transpositions), comma-separated; a level that stands for later
// levels giving the same transform is followed by "+". In L a value above
// 999 is a level (value - 1000) already marked, and -99 an entry removed.
std::string SPECIAL_FilterPcSetNumbersWithCommas(const std::vector<int>& s, const std::vector<int>& levels, int mode);

#endif

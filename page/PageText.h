#ifndef HARMODEX_PAGE_PAGETEXT_H
#define HARMODEX_PAGE_PAGETEXT_H

// The analysis page as plain text: what a reader who cannot see the page
// (a screen reader, a terminal, a clipboard) needs of it, one fact a line.

#include <string>
#include <vector>

#include "pcset/PitchClassSet.h"

// One group of the classification column, as the page prints it: its
// words ("asymmetrical", "cislocative", ...) and the labelled lists under
// them ("poles", "centers", ...). The id names the group the same way in
// every page and in the guide: "classification-symmetry", ...
struct ClassificationGroup {
    std::string id;
    std::string name;                 // "Cardinal polarity"
    std::vector<std::string> words;   // the group's classes, in page order
    std::vector<std::string> labels;  // the labels of its lists ("poles", ...)
    std::vector<std::string> lists;   // "poles 0 7 (5) (11)", one per list
};

// The groups the classification column of p's page prints, in page order;
// groups the page leaves out for p are left out. p must be fully analysed
// (calculateEverything) and a Tn-type.
std::vector<ClassificationGroup> ClassificationGroups(const PitchClassSet& p);

// The page of the set a list names, as text: its identity (page, Forte
// name, Tn-type, TnI-type, Costère code, interval vector, Z-partner,
// complement), its classification, its measures and the number of its
// subsets and supersets. Each line is "name: value". An empty list has no
// page: harmodex::Error::BadInput.
std::string DescribePage(const std::vector<int>& list);

#endif

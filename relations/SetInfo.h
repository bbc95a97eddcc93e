#ifndef HARMODEX_RELATIONS_SETINFO_H
#define HARMODEX_RELATIONS_SETINFO_H

// Lists of labelled classification texts (SetInfo): appending, and cutting
// them into page lines. Selection by label is PitchClassSet::getSetInfoByLabel.

#include <string>
#include <vector>

#include "pcset/SetRecords.h"

// A copy of the list with {label, text} appended; a null text reads as empty.
std::vector<SetInfo> AddToSetInfo(std::vector<SetInfo> list, const char* label, const char* text);

// The entries' texts joined by ", " into lines: a text goes to a new line
// when the current line followed by it would exceed maxLength characters
// (the ", " after it not counted). A text is never split; every line but the
// last ends in ", ". An empty list gives no line.
std::vector<std::string> BreakUpSetInfoIntoFragments(const std::vector<SetInfo>& list, int maxLength);

#endif

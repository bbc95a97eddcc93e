#ifndef HARMODEX_INTERCHANGE_ANALYSISJSON_H
#define HARMODEX_INTERCHANGE_ANALYSISJSON_H

// The full analysis of a set's Tn-type as data, for researchers who want the
// numbers rather than the printed page.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

// The analysis of the Tn-type of the set that text names (a pitch-class list
// or a Costère code, read as the window reads it). The text must name at
// least one pitch class.
nlohmann::ordered_json AnalyseSetText(const std::string& text);

// The same for a list already read.
nlohmann::ordered_json AnalyseSet(const std::vector<int>& list, const std::string& input);

#endif

#ifndef HARMODEX_INTERCHANGE_ANALYSISJSON_H
#define HARMODEX_INTERCHANGE_ANALYSISJSON_H

// The full analysis of a set's Tn-type as data, for researchers who want the
// numbers rather than the printed page.

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

// The analysis of the Tn-type of the set a list names (input: the text it
// was read from, as the analysis records it).
nlohmann::ordered_json AnalyseSet(const std::vector<int>& list, const std::string& input);

#endif

#ifndef HARMODEX_SCORE_SCOREJSON_H
#define HARMODEX_SCORE_SCOREJSON_H

// Segments and the set-class profile as JSON, shared by harmodex-cli score
// and the Python module so that both give the same keys and values. Sets are
// lists of integers, with the text form beside the Tn- and TnI-types;
// times are quarter notes rounded to 1/10000.

#include <nlohmann/json.hpp>

#include "score/Segments.h"

nlohmann::ordered_json SegmentJson(const Segment& segment);
nlohmann::ordered_json ProfileRowJson(const ProfileRow& row);
// {"file", "by", "segments", "summary"}
nlohmann::ordered_json ScoreJson(const std::string& file, SegmentBy by, const std::vector<Segment>& segments);

// A number of quarter notes as printed: rounded to four decimals.
double RoundQuarters(double value);

#endif

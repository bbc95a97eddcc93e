#include "score/ScoreJson.h"

#include <cmath>

#include "pcset/Conversions.h"

using Json = nlohmann::ordered_json;

double RoundQuarters(double value) { return std::round(value * 10000.0) / 10000.0; }

namespace {

// A measure number as a number when the file writes one, else its text
// ("12a", "X1").
Json MeasureJson(const std::string& number)
{
    if (number.empty() || number.size() > 9)
        return number;
    for (char c : number)
        if (c < '0' || c > '9')
            return number;
    return std::stoi(number);
}

}  // namespace

Json SegmentJson(const Segment& s)
{
    return {{"start", RoundQuarters(s.startQuarters)},
            {"end", RoundQuarters(s.endQuarters)},
            {"measure", MeasureJson(s.measure)},
            {"beat", RoundQuarters(s.beatNumber)},
            {"pitches", s.pitches},
            {"pitchClasses", s.pitchClasses},
            {"tnType", StringToVector(s.tnType)},
            {"tnTypeText", s.tnType},
            {"tniType", StringToVector(s.tniType)},
            {"tniTypeText", s.tniType},
            {"forteName", s.forteName},
            {"page", s.page}};
}

Json ProfileRowJson(const ProfileRow& row)
{
    return {{"forteName", row.forteName}, {"tnType", StringToVector(row.tnType)},
            {"tnTypeText", row.tnType},   {"page", row.page},
            {"segments", row.segments},   {"duration", RoundQuarters(row.durationQuarters)}};
}

Json ScoreJson(const std::string& file, SegmentBy by, const std::vector<Segment>& segments)
{
    Json list = Json::array();
    for (const Segment& s : segments)
        list.push_back(SegmentJson(s));
    Json summary = Json::array();
    for (const ProfileRow& row : SetClassProfile(segments))
        summary.push_back(ProfileRowJson(row));
    return {{"file", file}, {"by", SegmentByName(by)}, {"segments", list}, {"summary", summary}};
}

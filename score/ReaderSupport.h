#ifndef HARMODEX_SCORE_READERSUPPORT_H
#define HARMODEX_SCORE_READERSUPPORT_H

// What the score readers share: the error that names a file and a place,
// the caps, and the last step every reading ends with.

#include <string>

#include "base/Error.h"
#include "score/Score.h"

// A score lasting longer than this many quarter notes (about fourteen hours
// at crotchet = 120) is taken for a damaged file rather than music.
constexpr int64_t MaxScoreQuarters = 100'000;
constexpr size_t MaxScoreMeasures = 1'000'000;
// The finest time a score may use: 1/2^32 of a quarter, which leaves the
// segmentation's arithmetic far from 64 bits.
constexpr int64_t MaxTimeDenominator = int64_t(1) << 32;

// harmodex::Error::BadInput: "NAME, PLACE: WHAT" (or "NAME: WHAT").
[[noreturn]] void ScoreFault(const std::string& name, const std::string& place, const std::string& what);

// Reports progress; throws harmodex::Error when the callback says stop.
void ReportProgress(const ScoreReadOptions& options, const std::string& name, double fraction);

// Orders the notes, checks the caps, and sets the score's end.
void FinishScore(Score& score);

#endif

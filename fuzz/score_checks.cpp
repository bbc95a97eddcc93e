// What every score read must satisfy, shared by the score fuzz targets.
#include "base/Error.h"
#include "score/Score.h"
#include "score/Segments.h"

void CheckSegments(const Score& score)
{
    for (const ScoreNote& n : score.notes)
        if (n.pitch < 0 || n.pitch > 127 || n.duration <= Rational(0) || n.start < Rational(0) ||
            n.start + n.duration > score.end)
            __builtin_trap();
    for (SegmentBy by : {SegmentBy::Onset, SegmentBy::Measure, SegmentBy::Beat})
        for (bool merge : {false, true}) {
            const std::vector<Segment> segments = SegmentScore(score, by, merge);
            for (size_t i = 0; i < segments.size(); ++i) {
                const Segment& s = segments[i];
                if (s.pitches.empty() || s.page < 1 || s.page > 351 || !(s.start < s.end) ||
                    (i > 0 && s.start < segments[i - 1].end))
                    __builtin_trap();
            }
            SetClassProfile(segments);
        }
}

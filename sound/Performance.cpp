#include "sound/Performance.h"

#include <algorithm>
#include <cmath>

#include "notation/NotationBox.h"
#include "pcset/CostereCode.h"
#include "pcset/PitchClassSet.h"
#include "relations/ZRelations.h"

namespace {

// Middle C, which the staff writes as pitch 0.
constexpr int kMiddleC = 60;
constexpr int kArpeggioVelocity = 84;

// A chord of many notes is played more softly, each key less hard, so that
// the aggregate is not twice as loud as a triad; a pianist does the same.
int ChordVelocity(size_t notes) { return std::max(52, 84 - 3 * static_cast<int>(notes > 3 ? notes - 3 : 0)); }

}  // namespace

SetPerformance PerformSet(const std::string& tnText)
{
    SetPerformance performance;
    const std::vector<int> classes = ReadSetText(tnText);
    const std::vector<int> pitches = StaffPitches(tnText.c_str(), 0, 0);
    if (classes.empty() || pitches.empty())
        return performance;

    PitchClassSet set;
    set.initializeSet(classes);
    return PerformPitches(FindForteName(set), pitches);
}

SetPerformance PerformTypedPitches(const std::vector<int>& pitches)
{
    if (pitches.empty())
        return {};
    PitchClassSet set;
    set.initializeSet(pitches);  // reduced mod 12
    return PerformPitches(FindForteName(set), pitches);
}

SetPerformance PerformPitches(const std::string& title, const std::vector<int>& pitches)
{
    SetPerformance performance;
    performance.title = title;
    if (pitches.empty())
        return performance;
    for (size_t i = 0; i < pitches.size(); ++i)
        performance.notes.push_back({kMiddleC + pitches[i], i * kArpeggioStep, kArpeggioStep, kArpeggioVelocity});
    const double time = pitches.size() * kArpeggioStep;
    for (int pitch : pitches)
        performance.notes.push_back({kMiddleC + pitch, time, kChordHold, ChordVelocity(pitches.size())});
    performance.length = time + kChordHold;
    return performance;
}

std::vector<SoundEvent> SwitchEvents(const std::vector<SoundNote>& notes)
{
    std::vector<SoundEvent> events;
    for (const SoundNote& note : notes) {
        events.push_back({note.onset, note.key, note.velocity});
        events.push_back({note.onset + note.duration, note.key, 0});
    }
    std::stable_sort(events.begin(), events.end(), [](const SoundEvent& a, const SoundEvent& b) {
        // Times are compared to the microsecond, far below what is heard,
        // so that sums of steps that differ in the last bit still meet.
        const long long ta = std::llround(a.time * 1e6), tb = std::llround(b.time * 1e6);
        if (ta != tb)
            return ta < tb;
        return (a.velocity == 0) > (b.velocity == 0);
    });
    return events;
}

#include "score/Segments.h"

#include <algorithm>
#include <array>
#include <map>

#include "base/Error.h"
#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"

bool SegmentByFromName(const std::string& name, SegmentBy* by)
{
    static const std::pair<const char*, SegmentBy> names[] = {
        {"onset", SegmentBy::Onset}, {"measure", SegmentBy::Measure}, {"beat", SegmentBy::Beat}};
    for (const auto& [text, value] : names)
        if (name == text) {
            *by = value;
            return true;
        }
    return false;
}

const char* SegmentByName(SegmentBy by)
{
    switch (by) {
    case SegmentBy::Measure:
        return "measure";
    case SegmentBy::Beat:
        return "beat";
    default:
        return "onset";
    }
}

const SetNames& NamesOfMask(uint16_t mask)
{
    // Identified as the analysis page identifies a typed set: the set's
    // Tn-type, found in the catalogue by its text.
    static const std::array<SetNames, 4096> table = [] {
        std::array<SetNames, 4096> all;
        const PitchUniverse& universe = SharedUniverse();
        for (int m = 1; m < 4096; ++m) {
            std::vector<int> list;
            for (int pc = 0; pc < 12; ++pc)
                if (m & (1 << pc))
                    list.push_back(pc);
            PitchClassSet set;
            set.initializeSet(list);
            SetNames& names = all[static_cast<size_t>(m)];
            names.tnType = VectorToString(set.getTnType());
            names.tniType = VectorToString(set.getTnIType());
            const int index = FindSetID(names.tnType, universe);
            names.page = index + 1;
            names.forteName = index < PitchUniverse::NumTnTypes ? universe.forteNames[index] : "";
        }
        return all;
    }();
    return table[mask & 0xfff];
}

namespace {

// The measure holding time t (the last whose start is not after t).
size_t MeasureAt(const Score& score, const Rational& t, size_t from)
{
    size_t m = from;
    while (m + 1 < score.measures.size() && score.measures[m + 1].start <= t)
        ++m;
    return m;
}

struct Window {
    Rational start, end;
};

// The windows a segmentation looks through, in time order.
std::vector<Window> Windows(const Score& score, SegmentBy by)
{
    std::vector<Window> windows;
    if (by == SegmentBy::Onset) {
        windows.reserve(score.notes.size());
        for (size_t i = 0; i < score.notes.size(); ++i)
            if (windows.empty() || windows.back().start != score.notes[i].start)
                windows.push_back({score.notes[i].start, score.end});
        for (size_t i = 0; i + 1 < windows.size(); ++i)
            windows[i].end = windows[i + 1].start;
        return windows;
    }
    for (const ScoreMeasure& m : score.measures) {
        const Rational end = m.start + m.length;
        if (by == SegmentBy::Measure) {
            windows.push_back({m.start, end});
            continue;
        }
        const Rational beat = m.BeatLength();
        for (Rational t = m.start; t < end; t += beat)
            windows.push_back({t, std::min(t + beat, end)});
    }
    return windows;
}

}  // namespace

static std::vector<Segment> CutIntoSegments(const Score& score, SegmentBy by, bool merge)
{
    const std::vector<Window> windows = Windows(score, by);
    std::vector<Segment> segments;
    std::vector<size_t> active;  // notes begun before the window's end and not yet over
    size_t next = 0, measure = 0;
    for (const Window& w : windows) {
        while (next < score.notes.size() && score.notes[next].start < w.end)
            active.push_back(next++);
        active.erase(std::remove_if(active.begin(), active.end(),
                                    [&](size_t i) {
                                        const ScoreNote& n = score.notes[i];
                                        return n.start + n.duration <= w.start;
                                    }),
                     active.end());
        if (active.empty())
            continue;
        Segment s;
        s.start = w.start;
        s.end = w.end;
        uint16_t mask = 0;
        Rational lastEnd = w.start;
        for (size_t i : active) {
            const ScoreNote& n = score.notes[i];
            s.pitches.push_back(n.pitch);
            mask = static_cast<uint16_t>(mask | (1u << (n.pitch % 12)));
            lastEnd = std::max(lastEnd, n.start + n.duration);
        }
        // An onset's sonority lasts until the next onset, or until its last
        // note ends if silence comes first.
        if (by == SegmentBy::Onset)
            s.end = std::min(s.end, lastEnd);
        std::sort(s.pitches.begin(), s.pitches.end());
        s.pitches.erase(std::unique(s.pitches.begin(), s.pitches.end()), s.pitches.end());
        for (int pc = 0; pc < 12; ++pc)
            if (mask & (1 << pc))
                s.pitchClasses.push_back(pc);

        if (merge && !segments.empty() && segments.back().pitchClasses == s.pitchClasses &&
            segments.back().end == s.start) {
            Segment& last = segments.back();
            last.end = s.end;
            std::vector<int> pitches;
            std::set_union(last.pitches.begin(), last.pitches.end(), s.pitches.begin(), s.pitches.end(),
                           std::back_inserter(pitches));
            last.pitches = std::move(pitches);
            continue;
        }
        const SetNames& names = NamesOfMask(mask);
        s.tnType = names.tnType;
        s.tniType = names.tniType;
        s.forteName = names.forteName;
        s.page = names.page;
        if (!score.measures.empty()) {
            measure = MeasureAt(score, s.start, measure);
            const ScoreMeasure& m = score.measures[measure];
            s.measure = m.number;
            s.measureIndex = static_cast<int>(measure);
            s.beat = Rational(1) + (s.start - m.start) / m.BeatLength();
        } else {
            s.beat = 1;
        }
        segments.push_back(std::move(s));
    }
    for (Segment& s : segments) {
        s.startQuarters = s.start.ToDouble();
        s.endQuarters = s.end.ToDouble();
        s.beatNumber = s.beat.ToDouble();
    }
    return segments;
}

std::vector<Segment> SegmentScore(const Score& score, SegmentBy by, bool merge)
{
    try {
        return CutIntoSegments(score, by, merge);
    } catch (const std::overflow_error& e) {
        throw harmodex::Error::BadInput(score.path + ": " + e.what());
    }
}

std::vector<ProfileRow> SetClassProfile(const std::vector<Segment>& segments)
{
    std::map<int, ProfileRow> byPage;
    for (const Segment& s : segments) {
        ProfileRow& row = byPage[s.page];
        row.forteName = s.forteName;
        row.tnType = s.tnType;
        row.page = s.page;
        ++row.segments;
        row.durationQuarters += s.endQuarters - s.startQuarters;
    }
    std::vector<ProfileRow> rows;
    rows.reserve(byPage.size());
    for (auto& [page, row] : byPage)
        rows.push_back(std::move(row));
    std::stable_sort(rows.begin(), rows.end(), [](const ProfileRow& a, const ProfileRow& b) {
        if (a.segments != b.segments)
            return a.segments > b.segments;
        return a.durationQuarters > b.durationQuarters;
    });
    return rows;
}

std::string NoteName(int midi)
{
    static const char* const names[12] = {"C", "C#", "D", "Eb", "E", "F", "F#", "G", "G#", "A", "Bb", "B"};
    return names[midi % 12] + std::to_string(midi / 12 - 1);
}

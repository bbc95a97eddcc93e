// The held-notes tracker on an invented clock: what a player does, step by
// step, and the chords that are reported.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "midi/HeldNotes.h"

namespace {

using Ms = std::chrono::milliseconds;

// One step of a performance: at a time (ms), a MIDI message, or a poll that
// expects a chord (its keys) or nothing.
struct Step {
    int at;
    std::vector<unsigned char> message;  // empty: poll
    std::vector<int> expect = {};        // the chord poll reports; empty: none
    int source = 0;
};

Step Msg(int at, std::vector<unsigned char> m, int source = 0) { return {at, std::move(m), {}, source}; }
Step On(int at, int key) { return Msg(at, {0x90, static_cast<unsigned char>(key), 100}); }
Step Off(int at, int key) { return Msg(at, {0x80, static_cast<unsigned char>(key), 64}); }
Step Pedal(int at, int value) { return Msg(at, {0xB0, 64, static_cast<unsigned char>(value)}); }
Step Poll(int at, std::vector<int> expect = {}) { return {at, {}, std::move(expect)}; }

struct Performance {
    const char* name;
    std::vector<Step> steps;
};

std::string Keys(const std::vector<int>& keys)
{
    std::string s;
    for (int k : keys)
        s += std::to_string(k) + " ";
    return s;
}

class HeldNotesPerformance : public testing::TestWithParam<Performance> {};

TEST_P(HeldNotesPerformance, ReportsTheSettledChords)
{
    HeldNotes held;
    const HeldNotes::TimePoint start{};
    for (const Step& step : GetParam().steps) {
        const HeldNotes::TimePoint t = start + Ms(step.at);
        if (!step.message.empty()) {
            held.message(step.source, step.message.data(), step.message.size(), t);
            continue;
        }
        const std::optional<HeldChord> chord = held.poll(t);
        EXPECT_EQ(chord ? Keys(chord->keys) : "nothing", step.expect.empty() ? "nothing" : Keys(step.expect))
            << "at " << step.at << " ms";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, HeldNotesPerformance,
    testing::Values(
        Performance{"StruckChordOnceSettled",
                    {On(0, 60), On(5, 64), On(9, 67), Poll(100), Poll(128), Poll(129, {60, 64, 67}), Poll(500)}},
        Performance{"QuickArpeggioNeverPartial",
                    {On(0, 60), Poll(100), On(100, 64), Poll(200), On(200, 67), Poll(300), On(300, 72), Poll(419),
                     Poll(420, {60, 64, 67, 72})}},
        Performance{
            "AddedNoteIsANewChord",
            {On(0, 60), On(0, 64), On(0, 67), Poll(120, {60, 64, 67}), On(400, 71), Poll(520, {60, 64, 67, 71})}},
        Performance{
            "VelocityZeroReleases",
            {On(0, 60), On(0, 64), On(0, 67), Poll(200, {60, 64, 67}), Msg(300, {0x90, 67, 0}), Poll(420, {60, 64})}},
        Performance{"ReleasingEverythingReportsNothing",
                    {On(0, 60), On(0, 64), Poll(200, {60, 64}), Off(300, 60), Off(305, 64), Poll(1000)}},
        Performance{"SameChordStruckAgainNotRepeated",
                    {On(0, 60), On(0, 64), Poll(200, {60, 64}), Off(300, 60), Off(300, 64), On(400, 60), On(400, 64),
                     Poll(1000)}},
        Performance{"PedalHoldsReleasedNotes",
                    {Pedal(0, 127), On(10, 60), Off(40, 60), On(50, 64), Off(80, 64), On(90, 67), Off(110, 67),
                     Poll(209), Poll(210, {60, 64, 67}), Pedal(500, 0), Poll(1000)}},
        Performance{"PedalBelowHalfIsUp", {Pedal(0, 63), On(0, 60), On(0, 64), Off(30, 64), Poll(200, {60})}},
        Performance{"PedalLiftedKeepsKeysStillDown",
                    {Pedal(0, 64), On(0, 60), On(0, 64), Off(20, 64), Poll(200, {60, 64}), Pedal(300, 0), Poll(419),
                     Poll(420, {60})}},
        Performance{"PedalAloneChangesNothingHeard",
                    {On(0, 60), On(0, 67), Pedal(100, 127), Poll(120, {60, 67}), Pedal(200, 0), Poll(1000)}},
        Performance{"AllNotesOffClears", {Pedal(0, 127), On(0, 60), On(0, 64), Msg(50, {0xB0, 123, 0}), Poll(1000)}},
        Performance{
            "TwoPortsMakeOneChord",
            {Msg(0, {0x90, 60, 90}, 0), Msg(0, {0x90, 64, 90}, 1), Msg(50, {0x80, 64, 0}, 0), Poll(200, {60, 64})}},
        Performance{"MalformedAndSystemMessagesIgnored",
                    {Msg(0, {0x90}), Msg(0, {0x90, 60}), Msg(0, {0x90, 0x80, 100}), Msg(0, {0xF8, 60, 100}),
                     Msg(0, {0xE0, 0, 64}), Poll(1000)}}),
    [](const testing::TestParamInfo<Performance>& p) { return std::string(p.param.name); });

TEST(HeldNotes, NextReportIsWhenTheHandsHaveSettled)
{
    HeldNotes held(Ms(120));
    const HeldNotes::TimePoint t0{};
    EXPECT_FALSE(held.nextReport());
    held.noteOn(0, 0, 60, t0);
    held.noteOn(0, 0, 64, t0 + Ms(30));
    ASSERT_TRUE(held.nextReport());
    EXPECT_EQ(*held.nextReport(), t0 + Ms(150));
    EXPECT_EQ(held.soundingMask(), (1u << 0) | (1u << 4));
    ASSERT_TRUE(held.poll(t0 + Ms(150)));
    EXPECT_FALSE(held.nextReport());
}

TEST(HeldNotes, LostPortReleasesOnlyItsNotes)
{
    HeldNotes held;
    const HeldNotes::TimePoint t0{};
    held.sustain(1, 0, true, t0);
    held.noteOn(0, 0, 60, t0);
    held.noteOn(1, 0, 67, t0);
    held.noteOff(1, 0, 67, t0);
    held.releaseSource(1, t0 + Ms(10));
    EXPECT_EQ(held.sounding(), std::vector<int>{60});
}

}  // namespace

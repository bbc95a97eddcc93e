#include "notation/Spelling.h"
#include "ThrownError.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr float kSize = 10.58f;  // the page's staff size

struct Clef {
    const char* name;
    int bottomStep;  // diatonic step of the bottom line (C4 = 28)
};
const Clef kTreble = {"treble_clef", 30};
const Clef kBass = {"bass_clef", 18};

int WrittenStep(const NotePlacement& placement, const Clef& clef)
{
    return static_cast<int>(std::lround(placement.y / (0.126 * kSize))) + clef.bottomStep;
}

// The written note as a musician names it, e.g. "Db4", "B#3", "Fx4", "Bbb4".
std::string Name(int pitch, int reference, const Clef& clef = kTreble)
{
    static const std::map<std::string, std::string> signs = {
        {"natural", ""}, {"sharp", "#"}, {"flat", "b"}, {"double_sharp", "x"}, {"double-flat", "bb"}};
    const NotePlacement placement = PitchToYpos(pitch, kSize, reference, clef.name);
    const int step = WrittenStep(placement, clef);
    return "CDEFGAB"[step % 7] + signs.at(placement.accidental) + std::to_string(step / 7);
}

std::string Spell(const std::vector<int>& pitches, const Clef& clef = kTreble)
{
    const int reference = ChooseSpellingReference(pitches);
    std::string names;
    for (int p : pitches)
        names += (names.empty() ? "" : " ") + Name(p, reference, clef);
    return names;
}

TEST(Spelling, PitchClassUtilities)
{
    const struct {
        int p, pc;
        bool natural;
    } cases[] = {{-1, 11, true},  {25, 1, false}, {0, 0, true},       {-12, 0, true},
                 {-2, 10, false}, {6, 6, false},  {INT_MAX, 7, true}, {INT_MIN, 4, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(Mod12equivalent(c.p), c.pc) << c.p;
        EXPECT_EQ(IsNaturalNote(c.p), c.natural) << c.p;
    }
}

// Every interval from every reference is written as the simplest diatonic
// interval: the number of letter names it spans is that of its interval class
// (the tritone above as a fourth, the tritone below as a fifth). This reads
// every cell of the interval table and every row of the spelling table.
TEST(Spelling, IntervalsFromAnyReferenceReadAsSimpleDiatonicIntervals)
{
    const int letterSteps[12] = {0, 1, 1, 2, 2, 3, 3, 4, 5, 5, 6, 6};
    for (int reference = -24; reference <= 23; ++reference) {
        const int referenceStep = WrittenStep(PitchToYpos(reference, kSize, reference, "treble_clef"), kTreble);
        for (int d = -11; d <= 11; ++d) {
            if (d == 0)
                continue;
            const int step = WrittenStep(PitchToYpos(reference + d, kSize, reference, "treble_clef"), kTreble);
            const int expected = d == -6 ? 4 : letterSteps[Mod12equivalent(d)];
            EXPECT_EQ(((step - referenceStep) % 7 + 7) % 7, expected) << "reference " << reference << " d " << d;
        }
    }
    // Beyond the octave, at the unison and without a reference: the usual spelling.
    for (int d : {0, 12, -12, 13, -13, 30})
        EXPECT_EQ(DecideSpelling(0, d), 0) << d;
    EXPECT_EQ(DecideSpelling(kNoSpellingReference, 1), 0);
    EXPECT_EQ(DecideSpelling(INT_MIN, INT_MAX), 0);
}

TEST(Spelling, PlacementOnTheStaff)
{
    const struct {
        int pitch;
        const char* clef;
        int reference;
        double steps;  // height in steps of 0.126 * size
        const char* accidental;
    } cases[] = {
        {0, "treble_clef", 0, -2, "natural"},
        {0, "treble_clef", 1, -3, "sharp"},  // C4, B#3
        {23, "treble_clef", 23, 11, "natural"},
        {23, "treble_clef", 22, 12, "flat"},  // B5, Cb6
        {9, "treble_clef", 9, 3, "natural"},
        {9, "treble_clef", 15, 4, "double-flat"},
        {0, "bass_clef", 0, 10, "natural"},
        {0, "bass_clef", -11, 9, "sharp"},
        {-23, "bass_clef", -23, -4, "sharp"},
        {-23, "bass_clef", -24, -3, "flat"},
        {7, "treble_clef", 8, 1, "double_sharp"},  // F double sharp 4
        // Beyond the clefs' usual ranges the same rule applies.
        {-12, "treble_clef", -12, -9, "natural"},
        {12, "bass_clef", 12, 17, "natural"},
    };
    for (const auto& c : cases) {
        const NotePlacement placement = PitchToYpos(c.pitch, kSize, c.reference, c.clef);
        EXPECT_EQ(placement.y, static_cast<float>(kSize * (c.steps * 126 / 1000))) << c.pitch << " " << c.clef;
        EXPECT_STREQ(placement.accidental, c.accidental) << c.pitch << " " << c.clef;
    }
    const NotePlacement far = PitchToYpos(INT_MAX, kSize, INT_MIN, "bass_clef");
    EXPECT_TRUE(std::isfinite(far.y));
}

TEST(Spelling, UnknownClefIsAnError)
{
    EXPECT_EQ(ThrownError([] { PitchToYpos(0, kSize, 0, "c_clef"); }), "no staff with the clef glyph 3");
    EXPECT_EQ(ThrownError([] { PitchToYpos(0, kSize, 0, "alto"); }), "no glyph alto");
}

TEST(Spelling, ReferenceChoiceSpellsChordsAsMusiciansWriteThem)
{
    const struct {
        std::vector<int> pitches;
        int reference;
        const char* spelled;
    } cases[] = {
        {{0, 4, 7}, 0, "C4 E4 G4"},  // white-key triad
        {{0, 1}, 0, "C4 Db4"},       // nothing found: the first pitch
        {{0, 6}, 0, "C4 F#4"},
        {{12, 6}, 12, "C5 Gb4"},
        {{0, 4, 7, 6}, 7, "C4 E4 G4 F#4"},   // tritone over the root: spelled from the fifth
        {{1, 5, 8}, 1, "C#4 E#4 G#4"},       // triad on a black key
        {{0, 7, 6}, 7, "C4 G4 F#4"},         // fifth with a tritone
        {{0, 7, 6, 1}, 0, "C4 G4 F#4 Db4"},  // any fifth
        {{0, 2, 4, 6, 8, 10}, 4, "C4 D4 E4 F#4 G#4 A#4"},
        {{0, 2, 4, 6, 8}, 4, "C4 D4 E4 F#4 G#4"},
        {{0, 4, 8}, 4, "C4 E4 G#4"},
        {{0, 3, 6, 9}, 8, "B#3 D#4 F#4 A4"},  // reference beyond the chord
        {{0, 3, 6}, 8, "B#3 D#4 F#4"},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, kNoSpellingReference, "C4 C#4 D4 Eb4 E4 F4 F#4 G4 G#4 A4 Bb4 B4"},
        {{0, 0, 0, 6}, 7, "C4 C4 C4 F#4"},  // repeated notes: absent fifth stands in
        {{}, kNoSpellingReference, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseSpellingReference(c.pitches), c.reference) << Spell(c.pitches);
        EXPECT_EQ(Spell(c.pitches), c.spelled);
    }
    // Downward staves (bass clef): thirds are tried minor first, chords read downwards.
    EXPECT_EQ(Spell({-12, -8, -5}, kBass), "C3 E3 G3");
    EXPECT_EQ(Spell({-2, -4, -6, -8}, kBass), "A#3 G#3 F#3 E3");
    EXPECT_EQ(ChooseSpellingReference({-2, -4, -6, -8}), -4);
}

}  // namespace

#include "notation/Spelling.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "notation/Glyphs.h"
#include "pcset/PitchClassSet.h"
#include "base/Error.h"

namespace {

// ---------------------------------------------------------------------------
// Spelling of each pitch class.

enum Letter { kC, kD, kE, kF, kG, kA, kB };

enum Accidental { kNatural, kSharp, kFlat, kDoubleSharp, kDoubleFlat };

// Glyph names of the accidentals, indexed by Accidental.
const char* const kAccidentalGlyph[] = {"natural", "sharp", "flat", "double_sharp", "double-flat"};
// Their alterations in semitones, indexed by Accidental.
const int kAlteration[] = {0, 1, -1, 2, -2};

struct Spelled {
    Letter letter;
    Accidental accidental;
    int octaveShift;  // octave number of the written note minus that of the pitch
};

// Row = pitch class; column = spelling flag (0 usual, 1 enharmonic
// alternative). B sharp belongs to the octave below the C it sounds as, C flat
// to the octave above the B.
const Spelled kSpelling[12][2] = {
    {{kC, kNatural, 0}, {kB, kSharp, -1}},      {{kC, kSharp, 0}, {kD, kFlat, 0}},
    {{kD, kNatural, 0}, {kC, kDoubleSharp, 0}}, {{kE, kFlat, 0}, {kD, kSharp, 0}},
    {{kE, kNatural, 0}, {kF, kFlat, 0}},        {{kF, kNatural, 0}, {kE, kSharp, 0}},
    {{kF, kSharp, 0}, {kG, kFlat, 0}},          {{kG, kNatural, 0}, {kF, kDoubleSharp, 0}},
    {{kG, kSharp, 0}, {kA, kFlat, 0}},          {{kA, kNatural, 0}, {kB, kDoubleFlat, 0}},
    {{kB, kFlat, 0}, {kA, kSharp, 0}},          {{kB, kNatural, 0}, {kC, kFlat, 1}},
};

// ---------------------------------------------------------------------------
// Spelling flag by interval from the reference. Each row serves the interval
// d above the reference and the same pitch class below it (d - 12); the
// tritone has two rows, since above the reference it reads as an augmented
// fourth and below it as a diminished fifth. Columns: the reference's pitch
// class 0..11. The flags make the written interval the simplest diatonic
// one: the number of letter names between reference and note is that of the
// interval class (second, third, fourth, fifth, sixth, seventh).

struct IntervalRow {
    int above;  // d
    int below;  // the other d the row serves (equal to `above` for the tritones)
    unsigned char flag[12];
};

const IntervalRow kIntervalFlags[] = {
    {1, -11, {1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1, 0}}, {2, -10, {0, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}},
    {3, -9, {0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0}},  {4, -8, {0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 1}},
    {5, -7, {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}},  {6, 6, {0, 1, 0, 0, 1, 0, 1, 0, 1, 1, 0, 1}},
    {-6, -6, {1, 0, 1, 1, 0, 1, 0, 1, 0, 0, 1, 0}}, {7, -5, {0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}},
    {8, -4, {1, 0, 0, 1, 0, 1, 0, 0, 0, 0, 1, 0}},  {9, -3, {0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0}},
    {10, -2, {0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1, 0}}, {11, -1, {0, 1, 0, 0, 1, 0, 1, 0, 1, 0, 0, 1}},
};

// ---------------------------------------------------------------------------
// Clefs: the diatonic step (letter index + 7 * octave number, C4 = 28) of the
// bottom staff line.

struct ClefRow {
    const char* name;
    int bottomLineStep;
};

const ClefRow kClefs[] = {
    {"treble_clef", 30},  // E4
    {"bass_clef", 18},    // G2
};

int BottomLineStep(const char* clef)
{
    if (clef != nullptr) {
        for (const ClefRow& row : kClefs) {
            if (strcmp(row.name, clef) == 0)
                return row.bottomLineStep;
        }
    }
    // Not a clef this staff knows (an unknown name is already an error in
    // the glyph lookup).
    const int id = Get_GlyphID(clef);
    throw harmodex::Error("no staff with the clef glyph " + std::to_string(id));
}

long long FloorDiv12(long long p) { return p >= 0 ? p / 12 : -((-p + 11) / 12); }

int SaturatedAdd(int a, int b)
{
    const long long sum = static_cast<long long>(a) + b;
    if (sum > INT_MAX)
        return INT_MAX;
    if (sum < INT_MIN)
        return INT_MIN;
    return static_cast<int>(sum);
}

// ---------------------------------------------------------------------------
// The notes of a staff seen by pitch class: how many notes fall on given
// pitch classes, and which pitch stands for a pitch class.

class NoteCensus {
public:
    explicit NoteCensus(const std::vector<int>& pitches)
        : size_(static_cast<int>(pitches.size())), up_(pitches.empty() || pitches[0] >= 0)
    {
        for (int p : pitches) {
            const int pc = Mod12equivalent(p);
            ++count_[pc];
            last_[pc] = p;  // the last note of the class, in input order
        }
    }

    int size() const { return size_; }
    // +1 when the first pitch is at or above middle C, else -1.
    int direction() const { return up_ ? 1 : -1; }

    // Number of notes whose pitch class is that of one of the terms; a note
    // counts once for every term it matches.
    int count(std::initializer_list<int> terms) const
    {
        int total = 0;
        for (int q : terms)
            total += count_[Mod12equivalent(q)];
        return total;
    }

    // The pitch of the last note of q's pitch class. When no note has that
    // class (possible only when notes repeat, so that a chord is counted
    // complete without all its members), the class is taken in the octave
    // the staff is written in: above middle C for an upward staff, below it
    // for a downward one.
    int pitchOf(int q) const
    {
        const int pc = Mod12equivalent(q);
        if (count_[pc] > 0)
            return last_[pc];
        return up_ ? pc : pc - 12;
    }

private:
    int size_;
    bool up_;
    int count_[12] = {};
    int last_[12] = {};
};

// A major or minor triad on root r: the root when the triad holds no tritone
// above the root, else the fifth when no semitone lies above the root. `third`
// is tried first, then `otherThird`.
bool TriadReference(const NoteCensus& notes, int r, int third, int otherThird, int tritones, int semitones,
                    int* reference)
{
    for (int t : {third, otherThird}) {
        if (notes.count({r, r + t, r + 7}) != 3)
            continue;
        if (tritones == 0) {
            *reference = notes.pitchOf(r);
            return true;
        }
        if (semitones == 0) {
            *reference = notes.pitchOf(r + 7);
            return true;
        }
    }
    return false;
}

// Searches for a complete chord of fixed shape on successive roots. The root
// starts at the first pitch's class plus `start` and moves by the staff's
// direction after every unsuccessful try; the reference is the pitch standing
// for root + `result`, plus `beyond` semitones in the staff's direction (a
// pitch just beyond the chord, for the diminished chords).
struct ChordSearch {
    const char* chord;
    int tries;
    int startUp, startDown;  // for upward / downward staves
    bool mirrored;           // members read downwards on downward staves
    int memberCount;
    int members[6];
    int resultUp, resultDown;
    int beyond;
};

const ChordSearch kChordSearches[] = {
    {"fifth", 12, 0, 0, true, 2, {0, 7}, 0, 0, 0},
    {"whole-tone hexachord", 4, 4, -6, false, 6, {0, 2, 4, 6, 8, 10}, 0, 0, 0},
    {"whole-tone pentachord", 4, 0, 0, true, 5, {0, 2, 4, 6, 8}, 4, -4, 0},
    {"whole-tone tetrachord", 4, 0, 0, true, 4, {0, 2, 4, 6}, 4, -2, 0},
    {"augmented triad", 4, 4, -4, false, 3, {0, 4, 8}, 0, 0, 0},
    {"diminished seventh", 3, 0, 0, false, 4, {0, 3, 6, 9}, 6, -6, 2},
    {"diminished triad", 12, 0, 0, true, 3, {0, 3, 6}, 6, -6, 2},
};

bool FindChord(const NoteCensus& notes, int firstPc, const ChordSearch& search, int* reference)
{
    const int s = notes.direction();
    const int sign = search.mirrored ? s : 1;
    int r = Mod12equivalent(firstPc + (s > 0 ? search.startUp : search.startDown));
    for (int attempt = 0; attempt < search.tries; ++attempt, r = Mod12equivalent(r + s)) {
        int present = 0;
        for (int i = 0; i < search.memberCount; ++i)
            present += notes.count({r + sign * search.members[i]});
        if (present == search.memberCount) {
            const int pitch = notes.pitchOf(r + (s > 0 ? search.resultUp : search.resultDown));
            *reference = SaturatedAdd(pitch, search.beyond * s);
            return true;
        }
    }
    return false;
}

const Spelled& SpellingOf(int pitch, int reference)
{
    return kSpelling[Mod12equivalent(pitch)][DecideSpelling(reference, pitch)];
}

// The octave number of the written note (middle C's octave is 4).
long long WrittenOctave(int pitch, const Spelled& spelled) { return FloorDiv12(pitch) + 4 + spelled.octaveShift; }

}  // namespace

int Mod12equivalent(int p) { return Mod_X_Add(p, 0, 12); }

bool IsNaturalNote(int p)
{
    switch (Mod_X_Add(p, 0, 12)) {
    case 1:
    case 3:
    case 6:
    case 8:
    case 10:
        return false;
    default:
        return true;
    }
}

int DecideSpelling(int reference, int pitch)
{
    if (reference == kNoSpellingReference)
        return 0;
    const long long d = static_cast<long long>(pitch) - reference;
    const int r = Mod12equivalent(reference);
    for (const IntervalRow& row : kIntervalFlags) {
        if (d == row.above || d == row.below)
            return row.flag[r];
    }
    return 0;
}

SpelledPitch SpellPitch(int pitch, int reference)
{
    const Spelled& spelled = SpellingOf(pitch, reference);
    SpelledPitch written;
    written.letter = "CDEFGAB"[spelled.letter];
    written.alter = kAlteration[spelled.accidental];
    written.octave = static_cast<int>(WrittenOctave(pitch, spelled));
    return written;
}

NotePlacement PitchToYpos(int pitch, float size, int reference, const char* clef)
{
    const int bottom = BottomLineStep(clef);
    const Spelled& spelled = SpellingOf(pitch, reference);
    const long long octave = WrittenOctave(pitch, spelled);
    const long long steps = spelled.letter + 7 * octave - bottom;
    // One diatonic step is 0.126 of the staff size: the factor is the exact
    // three-place decimal, not an accumulation of 0.126s.
    const double factor = static_cast<double>(steps * 126) / 1000.0;
    NotePlacement placement;
    placement.y = static_cast<float>(static_cast<double>(size) * factor);
    placement.accidental = kAccidentalGlyph[spelled.accidental];
    return placement;
}

int ChooseSpellingReference(const std::vector<int>& pitches)
{
    const NoteCensus notes(pitches);
    const int n = notes.size();
    // The aggregate has no centre to spell from; an empty staff has nothing
    // to spell.
    if (n == 12 || n == 0)
        return kNoSpellingReference;

    const int s = notes.direction();
    const int firstPc = Mod12equivalent(pitches[0]);
    const int third = s > 0 ? 4 : 3;
    const int otherThird = s > 0 ? 3 : 4;
    int reference = 0;

    // A note with both chromatic neighbours present makes the white-key triad
    // search unreliable.
    bool chromatic = false;
    for (int p : pitches) {
        const int r = Mod12equivalent(p);
        if (notes.count({r, r - 1, r + 1}) == 3)
            chromatic = true;
    }

    // Triads on white-key roots, in input order.
    if (!chromatic) {
        for (int p : pitches) {
            const int r = Mod12equivalent(p);
            if (!IsNaturalNote(r))
                continue;
            const int semitones = notes.count({r + 1}) + (IsNaturalNote(r + 7) ? 0 : n);
            if (TriadReference(notes, r, third, otherThird, notes.count({r + 6}), semitones, &reference))
                return reference;
        }
    }

    // Triads on any root.
    int r = s > 0 ? firstPc : Mod12equivalent(firstPc - 7);
    for (int attempt = 0; attempt < 12; ++attempt, r = Mod12equivalent(r + s)) {
        if (TriadReference(notes, r, third, otherThird, notes.count({r + 6}), notes.count({r + 1}), &reference))
            return reference;
    }

    // A fifth (or a fourth) free of a tritone and a semitone: its lower note;
    // with only the tritone present, its other note.
    struct Dyad {
        int interval;
        int neighbour;
    };
    const Dyad dyads[] = {{7, 1}, {5, 11}};
    r = firstPc;
    for (int attempt = 0; attempt < 12; ++attempt, r = Mod12equivalent(r + s)) {
        for (const Dyad& dyad : dyads) {
            if (notes.count({r, r + dyad.interval * s}) != 2)
                continue;
            const int w = 10 * notes.count({r + 6 * s}) + 100 * notes.count({r + dyad.neighbour * s});
            if (w == 0 || w == 100)
                return notes.pitchOf(r);
            if (w == 10)
                return notes.pitchOf(r + dyad.interval * s);
        }
    }

    for (const ChordSearch& search : kChordSearches) {
        if (FindChord(notes, firstPc, search, &reference))
            return reference;
    }
    return pitches[0];
}

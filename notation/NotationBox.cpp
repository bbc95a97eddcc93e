#include "notation/NotationBox.h"

#include <algorithm>
#include <string>
#include <vector>

#include "notation/Glyphs.h"
#include "notation/Spelling.h"
#include "postscript/Charts.h"
#include "postscript/PostScriptWriter.h"
#include "postscript/TextPrimitives.h"
#include "pcset/Conversions.h"

namespace {

// The piano keyboard, A0 to C8, in semitones from middle C.
constexpr long long kLowestKey = -39;
constexpr long long kHighestKey = 48;

// More ledger lines than any note on the keyboard needs in either clef; it
// only matters for a degenerate staff size (zero, negative, not a number),
// where the line positions would not advance.
constexpr int kMaxLedgerLines = 64;

// Comparisons of staff heights allow this much floating-point error, so that
// a note exactly on a ledger line's height gets its line.
constexpr double kTolerance = 0.00001;

struct StaffNote {
    int givenPc;  // the pitch class as written in the text
    int pitch;    // the sounding pitch after the transformation
};

long long OntoKeyboard(long long pitch)
{
    if (pitch > kHighestKey)
        pitch -= 12 * ((pitch - kHighestKey + 11) / 12);
    if (pitch < kLowestKey)
        pitch += 12 * ((kLowestKey - pitch + 11) / 12);
    return pitch;
}

std::vector<StaffNote> ReadNotes(const char* pitchText, int mode, int t)
{
    std::vector<StaffNote> notes;
    const std::string text = pitchText != nullptr ? pitchText : "";
    size_t pos = 0;
    while (pos < text.size()) {
        if (text[pos] == ' ') {
            ++pos;
            continue;
        }
        const size_t end = std::min(text.find(' ', pos), text.size());
        const int value = ParsePitchClassToken(text.substr(pos, end - pos));
        pos = end;
        long long pitch = value;
        if (mode == 0)
            pitch = static_cast<long long>(value) + t;
        else if (mode == 1)
            pitch = (t == 0 ? -12LL : static_cast<long long>(t) - 12) - value;
        notes.push_back({Mod12equivalent(value), static_cast<int>(OntoKeyboard(pitch))});
    }
    return notes;
}

// Horizontal placement is derived from the glyphs' box widths at the staff
// size.
float BoxWidth(const char* glyph, float size)
{
    const GlyphBox box = Get_BoundBox(glyph, 0.0f, 0.0f, size, size);
    return box.right - box.left;
}

float Advance(float cursor, double factor, float width)
{
    return static_cast<float>(static_cast<double>(cursor) + factor * width);
}

float Offset(float base, double factor, float size)
{
    return static_cast<float>(static_cast<double>(base) + factor * size);
}

// Ledger lines from `first` outwards in steps of `step` (both in points
// relative to the bottom line) while they lie between the staff and the
// note's height `noteY`.
void LedgerLines(FILE* out, float cursor, float y, float size, float first, float step, float noteY)
{
    const bool above = step > 0.0f;
    float l = first;
    for (int i = 0; i < kMaxLedgerLines; ++i) {
        const bool reached =
            above ? static_cast<double>(l) <= noteY + kTolerance : static_cast<double>(l) >= noteY - kTolerance;
        if (!reached)
            break;
        Print_Glyph(out, "ledger-line", cursor, static_cast<float>(static_cast<double>(y) + l), size, size);
        l = static_cast<float>(static_cast<double>(l) + step);
    }
}

}  // namespace

std::vector<int> StaffPitches(const char* pitchText, int mode, int t)
{
    std::vector<int> pitches;
    for (const StaffNote& note : ReadNotes(pitchText, mode, t))
        pitches.push_back(note.pitch);
    return pitches;
}

void MakeNotationBox(FILE* out, const char* pitchText, int mode, int t, float x, float y, float size)
{
    const std::vector<StaffNote> notes = ReadNotes(pitchText, mode, t);
    std::vector<int> pitches;
    bool given[12] = {};
    bool bass = false;  // one clef for the whole staff
    for (const StaffNote& note : notes) {
        pitches.push_back(note.pitch);
        given[note.givenPc] = true;
        if (note.pitch < 0)
            bass = true;
    }
    const char* clef = bass ? "bass_clef" : "treble_clef";

    const float quarter = BoxWidth("quarter_note", size);
    float cursor = Advance(x, 0.25, quarter);
    // The treble clef curls round the second line (G4), the bass clef's dots
    // embrace the fourth line (F3).
    Print_Glyph(out, clef, cursor, Offset(y, bass ? 0.756 : 0.252, size), size, size);
    cursor = Advance(cursor, 1.25, BoxWidth(clef, size));

    const int reference = pitches.empty() ? kNoSpellingReference : ChooseSpellingReference(pitches);

    const float staffStep = static_cast<float>(0.252 * size);
    for (const StaffNote& note : notes) {
        const NotePlacement placement = PitchToYpos(note.pitch, size, reference, clef);
        const float yNote = static_cast<float>(static_cast<double>(y) + placement.y);

        const float accidental = BoxWidth(placement.accidental, size);
        Print_Glyph(out, placement.accidental, cursor, yNote, size, size);
        cursor = Advance(cursor, 1.5, accidental);

        // Notes on ledger lines stand a little further from their accidental,
        // so that the line does not run into it.
        if (placement.y >= 1.26 * size - kTolerance) {
            cursor = Advance(cursor, 0.3, accidental);
            LedgerLines(out, cursor, y, size, static_cast<float>(1.26 * size), staffStep, placement.y);
        } else if (placement.y <= -0.252 * size + kTolerance) {
            cursor = Advance(cursor, 0.3, accidental);
            LedgerLines(out, cursor, y, size, -staffStep, -staffStep, placement.y);
        }

        const int pc = Mod12equivalent(note.pitch);
        Print_Glyph(out, given[pc] ? "half_note" : "quarter_note", cursor, yNote, size, size);

        // The label sits under the staff, or under the note when the note
        // hangs below the bottom line.
        const bool low = static_cast<double>(yNote) < static_cast<double>(y) + 0.1008 * size;
        const float baseline = low ? Offset(yNote, -0.6, size) : Offset(y, -0.5, size);
        const std::string label = IntToString(pc);
        Print_TextII(out, Offset(cursor, 0.14, size), baseline, static_cast<float>(0.5 * size), label.c_str(),
                     kAlignCentre);

        cursor = Advance(cursor, 1.5, quarter);
    }
    cursor = Advance(cursor, 1.0, quarter);

    Print_Pentagram(out, 5, x, y, size, cursor - x);
    const float height = static_cast<float>(1.008 * size);
    Print_Barline(out, x, y, size, height);
    Print_Barline(out, cursor, y, size, height);
}

void PrintSetRosterNotation(FILE* out, const char* pitchText, float x, float y, float scale)
{
    const double s = scale;
    const float size = static_cast<float>(20.0 * s);
    for (int k = 0; k < 12; ++k) {
        const int t = 11 - k;
        const std::string level = IntToString(t);
        const double v = 72.0 * 0.23 + InInches(static_cast<float>(0.6 * k));
        const float staffY = static_cast<float>(y + v * s);
        const float labelY = static_cast<float>(y + (72.0 * 0.33 + 72.0 * 0.6 * k) * s);
        const float labelSize = static_cast<float>(13.0 * s);

        MakeNotationBox(out, pitchText, 0, t, static_cast<float>(x + 72.0 * 0.31 * s), staffY, size);
        Print_TN(out, static_cast<float>(x + 72.0 * 0.055 * s), labelY, labelSize, "T", level.c_str());
        MakeNotationBox(out, pitchText, 1, t, static_cast<float>(x + 72.0 * 3.33 * s), staffY, size);
        Print_TN(out, static_cast<float>(x + 72.0 * 3.13 * s), labelY, labelSize, "I", level.c_str());
    }
    MakeSquare(out, x, y, static_cast<float>(30.0 * s), static_cast<float>(72.0 * 6.14 * s),
               static_cast<float>(72.0 * 7.3 * s));
}

void Print_Pentagram(FILE* out, int lines, float x, float y, float size, float length)
{
    fputs("gsave\n", out);
    fprintf(out, "%f setlinewidth\n", 0.02 * size);
    fputs("newpath\n", out);
    const float step = static_cast<float>(0.252 * size);
    auto line = [&](float height) {
        fprintf(out, "%f %f moveto\n", x, height);
        fprintf(out, "%f 0 rlineto\n", length);
        fputs("stroke\n", out);
    };
    if (lines == 1) {
        float middle = y;
        middle += step;
        middle += step;
        line(middle);
    } else {
        const long long count = lines < 0 ? -static_cast<long long>(lines) : lines;
        float height = y;
        for (long long i = 0; i < count; ++i) {
            line(height);
            height += step;
        }
    }
    fputs("grestore\n\n\n", out);
}

void Print_Barline(FILE* out, float x, float y, float size, float height)
{
    fputs("gsave\n", out);
    fputs("0 setlinewidth\n", out);
    fprintf(out, "%f %f moveto\n", x, y);
    fprintf(out, "%f setlinewidth\n", 0.02 * size);
    fprintf(out, "%f %f lineto\n", x, y + height);
    fputs("stroke\n", out);
    fputs("grestore\n", out);
}

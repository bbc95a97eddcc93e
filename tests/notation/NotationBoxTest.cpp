#include "notation/NotationBox.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "notation/Glyphs.h"
#include "postscript/MemoryStream.h"

namespace {

// Reads written staves back as a reader sees them: which symbols stand where,
// which labels, how long the staff lines are and where the barlines stand.
struct Mark {
    std::string what;  // glyph name, or the label's text
    double x, y;
};
struct Staff {
    std::vector<Mark> glyphs, labels;
    int lines = 0;
    double length = 0;
    std::vector<double> barlines;
};

// The lines between each gsave and its grestore.
std::vector<std::vector<std::string>> Blocks(const std::string& ps)
{
    std::vector<std::vector<std::string>> blocks;
    for (size_t pos = 0; (pos = ps.find("gsave\n", pos)) != std::string::npos;) {
        const size_t end = ps.find("grestore\n", pos);
        std::istringstream in(ps.substr(pos + 6, end - pos - 6));
        blocks.emplace_back();
        for (std::string line; std::getline(in, line);)
            blocks.back().push_back(line);
        pos = end;
    }
    return blocks;
}

// A glyph is recognised by its sequence of operators and placed by its first moveto.
std::string Operators(const std::vector<std::string>& lines, double* x, double* y)
{
    std::string ops;
    bool placed = false;
    for (const std::string& l : lines) {
        ops += l.substr(l.find_last_of(' ') + 1) + ";";
        if (!placed)
            placed = sscanf(l.c_str(), "%lf %lf moveto", x, y) == 2;
    }
    return ops;
}

std::vector<Staff> ReadStaves(const std::string& ps, float size)
{
    std::map<std::string, Mark> glyphs;  // operators -> name and origin
    for (const char* name : {"treble_clef", "bass_clef", "natural", "sharp", "flat", "double_sharp", "double-flat",
                             "ledger-line", "half_note", "quarter_note"}) {
        Mark m{name, 0, 0};
        glyphs[Operators(Blocks(Capture([&](FILE* f) { Print_Glyph(f, name, 0, 0, size, size); }))[0], &m.x, &m.y)] = m;
    }
    std::vector<Staff> staves(1);
    for (const auto& lines : Blocks(ps)) {
        Staff& staff = staves.back();
        double x = 0, y = 0;
        const std::string ops = Operators(lines, &x, &y);
        if (lines[0] == "/MyArial findfont") {
            staff.labels.push_back({lines.back().substr(1, lines.back().find(')') - 1), x, y});
        } else if (ops.find("rlineto") != std::string::npos) {
            for (const std::string& l : lines)
                if (l.find(" 0 rlineto") != std::string::npos)
                    ++staff.lines, staff.length = std::stod(l);
        } else if (lines[0] == "0 setlinewidth" && lines[1] != "newpath") {
            staff.barlines.push_back(x);
            if (staff.barlines.size() == 2)
                staves.emplace_back();
        } else if (glyphs.count(ops)) {
            const Mark& g = glyphs[ops];
            staff.glyphs.push_back({g.what, x - g.x, y - g.y});
        }
    }
    staves.pop_back();
    return staves;
}

std::vector<Staff> Box(const char* text, int mode, int t, float x, float y, float size)
{
    return ReadStaves(Capture([&](FILE* f) { MakeNotationBox(f, text, mode, t, x, y, size); }), size);
}

// The names of the marks, or of those whose name contains `only`.
std::string Names(const std::vector<Mark>& marks, const std::string& only = "")
{
    std::string names;
    for (const Mark& m : marks)
        if (m.what.find(only) != std::string::npos)
            names += (names.empty() ? "" : " ") + m.what;
    return names;
}

TEST(NotationBox, EmptyStaffHasClefLinesAndBarlines)
{
    for (float size : {20.0f, 10.58f}) {
        const auto staves = Box("", 0, 0, 100, 200, size);
        ASSERT_EQ(staves.size(), 1u);
        const Staff& s = staves[0];
        ASSERT_EQ(Names(s.glyphs), "treble_clef");
        EXPECT_NEAR(s.glyphs[0].x, 100 + 0.0715 * size, 1e-4);
        EXPECT_NEAR(s.glyphs[0].y, 200 + 0.252 * size, 1e-4);  // curled round the G line
        EXPECT_EQ(s.lines, 5);
        EXPECT_NEAR(s.length, 1.2825 * size, 1e-4);
        ASSERT_EQ(s.barlines.size(), 2u);
        EXPECT_NEAR(s.barlines[0], 100, 1e-6);
        EXPECT_NEAR(s.barlines[1], 100 + 1.2825 * size, 1e-4);
    }
}

// One row per staff: what a reader sees on it.
TEST(NotationBox, NotesAccidentalsHeadsLedgerLinesAndLabels)
{
    const float size = 10.58f, y = 50;
    const struct {
        const char* text;
        int mode, t;
        const char* glyphs;  // left to right, the clef first
        const char* labels;
        std::vector<double> ledgers;  // heights above the bottom line, in sizes
    } cases[] = {
        {"0 4 7",
         0,
         0,
         "treble_clef natural ledger-line half_note natural half_note natural half_note",
         "0 4 7",
         {-0.252}},
        {"0 1 3 7 8",
         0,
         1,
         "treble_clef sharp ledger-line half_note natural quarter_note natural quarter_note sharp half_note "
         "natural quarter_note",
         "1 2 4 8 9",
         {-0.252}},
        {"0 4 7", 1, 0, "bass_clef natural half_note flat quarter_note natural quarter_note", "0 8 5", {}},
        {"11", 1, 0, "bass_clef sharp ledger-line ledger-line quarter_note", "1", {-0.252, -0.504}},  // C#2
        {"21", 2, 0, "treble_clef natural ledger-line half_note", "9", {1.26}},  // A5: exactly one line
        {"u", 0, 11, "treble_clef flat ledger-line quarter_note", "d", {1.26}},  // Bb5
        {"x 0",
         0,
         0,
         "treble_clef natural ledger-line half_note natural ledger-line half_note",
         "0 0",
         {-0.252, -0.252}},  // a token that is no number reads as 0
    };
    for (const auto& c : cases) {
        const auto staves = Box(c.text, c.mode, c.t, 30, y, size);
        ASSERT_EQ(staves.size(), 1u);
        const Staff& s = staves[0];
        EXPECT_EQ(Names(s.glyphs), c.glyphs) << c.text << " mode " << c.mode << " t " << c.t;
        EXPECT_EQ(Names(s.labels), c.labels) << c.text;
        std::vector<double> ledgers;
        std::vector<Mark> heads;
        for (const Mark& m : s.glyphs) {
            if (m.what == "ledger-line")
                ledgers.push_back((m.y - y) / size);
            if (m.what.find("_note") != std::string::npos)
                heads.push_back(m);
        }
        ASSERT_EQ(ledgers.size(), c.ledgers.size()) << c.text;
        for (size_t i = 0; i < ledgers.size(); ++i)
            EXPECT_NEAR(ledgers[i], c.ledgers[i], 1e-5);
        // Each label is centred under its head: below the note when the note
        // hangs below the bottom line, else below the staff.
        ASSERT_EQ(heads.size(), s.labels.size());
        for (size_t i = 0; i < heads.size(); ++i) {
            const Mark &head = heads[i], &label = s.labels[i];
            EXPECT_NEAR(label.x, head.x + 0.14 * size, 1e-3) << c.text;
            EXPECT_NEAR(label.y, head.y < y + 0.1008 * size ? head.y - 0.6 * size : y - 0.5 * size, 1e-3) << c.text;
        }
    }
}

TEST(NotationBox, LongAndOutlandishTextsStayOnTheKeyboard)
{
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += std::to_string(i % 12) + "   ";  // 40 tokens, 150 characters
    ASSERT_GT(text.size(), 111u);
    const auto staves = Box(text.c_str(), 0, 3, 0, 0, 10);
    ASSERT_EQ(staves.size(), 1u);
    EXPECT_EQ(staves[0].labels.size(), 40u);

    // Pitches beyond the piano (A0..C8) come back by octaves; their labels
    // keep the pitch class.
    for (int t : {0, 2147483647}) {
        const auto far = Box("2147483647 -2147483648 1000", t == 0 ? 2 : 0, t, 0, 0, 10);
        EXPECT_EQ(Names(far[0].labels), t == 0 ? "7 4 4" : "2 u u");
        for (const Mark& m : far[0].glyphs)
            EXPECT_LT(std::fabs(m.y), 5.0 * 10);  // C8: 4.788 sizes over a bass staff
    }
    // The pitches the staff sounds: T5 of 0 4 7 is F4 A4 C5, I0 is C3 A-flat 2 F2.
    EXPECT_EQ(StaffPitches("0 4 7", 0, 5), (std::vector<int>{5, 9, 12}));
    EXPECT_EQ(StaffPitches("0 4 7", 1, 0), (std::vector<int>{-12, -16, -19}));
    EXPECT_EQ(StaffPitches("2147483647", 2, 0), (std::vector<int>{43}));
}

TEST(NotationBox, RosterWritesTwentyFourLabelledStaves)
{
    const std::string ps = Capture([](FILE* f) { PrintSetRosterNotation(f, "0 6", 20, 30, 0.529f); });
    const auto staves = ReadStaves(ps, 20 * 0.529f);
    ASSERT_EQ(staves.size(), 24u);
    // Output order: T11, I11, T10, I10, ... T0, I0.
    for (int i = 0; i < 24; ++i) {
        const int t = 11 - i / 2;
        const bool inversion = i % 2 == 1;
        ASSERT_FALSE(staves[i].glyphs.empty());
        EXPECT_EQ(staves[i].glyphs[0].what, inversion ? "bass_clef" : "treble_clef");
        // {0, 6} maps onto itself under T0, T6, I0 and I6: only open heads there.
        const bool invariant = t == 0 || t == 6;
        EXPECT_EQ(Names(staves[i].glyphs, "quarter").empty(), invariant) << (inversion ? "I" : "T") << t;
    }
}

}  // namespace

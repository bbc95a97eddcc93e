#include "notation/Glyphs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "postscript/MemoryStream.h"
#include "ThrownError.h"

namespace {

// The symbol table as engravers' names, painting of each subpath in order
// (f = fill, e = eofill, d = dot, s = stroke) and box in frame units.
struct Expected {
    int id;
    const char* name;
    const char* painting;
    float left, bottom, right, top;
};

const Expected kTable[] = {
    {1, "treble_clef", "f", 0, -0.65f, 0.74f, 1.108f},
    {2, "percussion_clef", "ff", 0, 0, 0.13f, 0.5f},
    {3, "c_clef", "ff", 0, -0.512f, 0.744f, 0.514f},
    {4, "bass_clef", "fdd", 0, -0.525f, 0.715f, 0.252f},
    {5, "double_whole_note", "effff", 0, -0.166f, 0.607f, 0.166f},
    {6, "whole_note", "e", 0, -0.127f, 0.405f, 0.127f},
    {7, "half_note", "e", 0, -0.131f, 0.291f, 0.134f},
    {8, "quarter_note", "f", 0, -0.12f, 0.286f, 0.124f},
    {9, "diamond", "f", 0, -0.14f, 0.28f, 0.14f},
    {10, "diamond_1", "e", 0, -0.14f, 0.28f, 0.14f},
    {11, "filled_diamond_1", "e", 0, -0.14f, 0.28f, 0.14f},
    {12, "X", "f", 0, -0.124f, 0.298f, 0.124f},
    {13, "triangle", "f", 0, -0.11f, 0.3f, 0.14f},
    {14, "square", "f", 0, -0.13f, 0.28f, 0.13f},
    {15, "8th_flag_up", "f", 0, -0.543f, 0.282f, 0.296f},
    {16, "extend_flag_up", "f", 0, -0.401f, 0.28f, 0.212f},
    {17, "8th_flag_down", "f", 0, -0.296f, 0.28f, 0.542f},
    {18, "extend_flag_down", "f", 0, -0.214f, 0.28f, 0.382f},
    {19, "whole_rest", "f", 0, 0, 0.42f, 0.256f},
    {20, "half_rest", "f", 0, -0.003f, 0.42f, 0.126f},
    {21, "quarter_rest", "f", 0, -0.343f, 0.248f, 0.358f},
    {22, "8th_rest", "f", 0, -0.256f, 0.286f, 0.202f},
    {23, "16th_rest", "f", 0, -0.508f, 0.334f, 0.202f},
    {24, "32nd_rest", "f", 0, -0.51f, 0.4f, 0.456f},
    {25, "64th_rest", "f", 0, -0.51f, 0.454f, 0.708f},
    {26, "128th_rest", "f", 0, -0.51f, 0.514f, 0.956f},
    {27, "double_whole_rest", "f", 0, 0, 0.5f, 0.75f},
    {28, "sharp", "f", 0, -0.38f, 0.21f, 0.38f},
    {29, "flat", "e", 0, -0.193f, 0.222f, 0.483f},
    {30, "double_sharp", "f", 0, -0.13f, 0.26f, 0.13f},
    {31, "natural", "f", 0, -0.348f, 0.17f, 0.348f},
    {32, "sharp-up", "f", -0.06f, -0.376f, 0.208f, 0.694f},
    {33, "sharp-down", "f", 0, -0.694f, 0.268f, 0.378f},
    {34, "flat-up", "e", -0.0982f, -0.194f, 0.22f, 0.694f},
    {35, "flat-down", "e", -0.1f, -0.442f, 0.22f, 0.482f},
    {36, "natural-up", "f", -0.1f, -0.346f, 0.17f, 0.582f},
    {37, "natural-down", "f", 0, -0.582f, 0.27f, 0.346f},
    {38, "quarter-flat", "e", 0, -0.193f, 0.222f, 0.483f},
    {39, "three-quarter-sharp", "eee", 0, -0.38f, 0.315f, 0.406f},
    {40, "quarter-sharp", "eee", 0, -0.38f, 0.21f, 0.38f},
    {41, "zero", "e", -0.018f, -0.233f, 0.333f, 0.233f},
    {42, "one", "f", 0, -0.233f, 0.212f, 0.233f},
    {43, "two", "f", 0, -0.234f, 0.336f, 0.233f},
    {44, "three", "f", -0.007f, -0.234f, 0.292f, 0.234f},
    {45, "four", "f", -0.004f, -0.233f, 0.308f, 0.233f},
    {46, "five", "f", 0, -0.233f, 0.296f, 0.233f},
    {47, "six", "e", 0, -0.238f, 0.305f, 0.242f},
    {48, "seven", "f", 0, -0.233f, 0.338f, 0.233f},
    {49, "eight", "f", -0.002f, -0.238f, 0.29f, 0.233f},
    {50, "nine", "e", -0.024f, -0.234f, 0.307f, 0.234f},
    {51, "common_time", "f", 0, -0.247f, 0.417f, 0.252f},
    {52, "cut_time", "ff", 0, -0.414f, 0.418f, 0.374f},
    {53, "plus", "f", 0, -0.14f, 0.24f, 0.14f},
    {54, "double-flat", "ee", 0, -0.193f, 0.47f, 0.483f},
    {55, "three-quarter-flat", "ee", 0, -0.193f, 0.47f, 0.483f},
    {56, "ledger-line", "s", -0.095f, -0.12f, 0.375f, 0.124f},
    {57, "ledger-lineWhole", "s", -0.095f, -0.127f, 0.505f, 0.127f},
    {58, "ledger-lineDoubleWhole", "s", -0.095f, -0.166f, 0.7f, 0.166f},
    {59, "stem-up", "s", 0, -0.12f, 0.286f, 0.762f},
    {60, "stem-down", "s", 0, -0.718f, 0.286f, 0.124f},
    {61, "forte", "f", 0, -0.176f, 0.514f, 0.418f},
    {62, "piano", "f", 0, -0.148f, 0.404f, 0.292f},
    {63, "pianoXfp", "f", 0, -0.147f, 0.404f, 0.299f},
    {64, "mezzo", "f", 0, -0.012f, 0.472f, 0.292f},
    {65, "niente", "f", 0, -0.034f, 0.367f, 0.292f},
    {66, "niente2", "fdd", 0, -0.2f, 0.6f, 0.7f},
    {67, "z", "f", -0.003f, -0.009f, 0.299f, 0.287f},
    {68, "s", "f", 0, -0.009f, 0.236f, 0.293f},
    {69, "r", "f", 0, 0, 0.396f, 0.297f},
    {70, "turn", "f", -0.15f, 0, 0.454f, 0.256f},
    {71, "mordent", "f", 0, 0, 0.606f, 0.257f},
    {72, "double_mordent", "f", 0, 0, 0.87f, 0.257f},
    {73, "trill", "f", -0.045f, 0, 0.383f, 0.159f},
    {74, "arpeggio", "f", 0, 0, 0.141f, 0.574f},
    {75, "tr", "f", -0.02f, -0.026f, 0.434f, 0.38f},
    {76, "accent", "f", 0, 0, 0.4f, 0.248f},
    {77, "accent_reversed", "f", 0, 0, 0.4f, 0.248f},
    {78, "breath_mark", "f", 0, -0.217f, 0.185f, 0.057f},
    {79, "caesura", "ff", 0, 0, 0.5f, 0.5f},
    {80, "fermata", "fd", -0.002f, 0, 0.676f, 0.38f},
    {81, "fermata_reversed", "fd", -0.002f, -0.382f, 0.676f, 0},
    {82, "repeat", "fdd", 0, 0, 0.6f, 0.5f},
    {83, "upper_bracket", "f", 0, 0, 0.31f, 0.433f},
    {84, "lower_bracket", "f", 0, -0.433f, 0.31f, 0},
    {85, "segno", "fdd", 0, 0, 0.532f, 0.696f},
    {86, "coda", "f", 0, -0.056f, 0.431f, 0.429f},
    {87, "pedal_off", "e", 0, 0, 0.37f, 0.37f},
    {88, "ped", "ed", -0.006f, -0.003f, 0.731f, 0.507f},
    {89, "left_paren", "f", -0.012f, -0.005f, 0.162f, 0.58f},
    {90, "right_paren", "f", 0, -0.005f, 0.173f, 0.58f},
    {91, "wedge", "f", -0.075f, 0, 0.075f, 0.25f},
    {92, "down_bow", "f", 0, 0, 0.3f, 0.15f},
    {93, "up_bow", "f", 0, 0, 0.15f, 0.25f},
    {94, "bass_clef_OCTdown", "fddf", 0, -0.855f, 0.715f, 0.252f},
    {95, "treble_clef_OCTup", "ff", 0, -0.65f, 0.74f, 1.448f},
    {96, "bass_clef_OCTup", "fddf", 0, -0.525f, 0.715f, 0.592f},
    {97, "treble_clef_OCTdown", "ff", 0, -0.98f, 0.74f, 1.108f},
};

std::string Emit(int id, float x, float y, float w, float h)
{
    return Capture([&](FILE* out) { Print_GlyphII(out, id, x, y, w, h); });
}

const char kOpen[] = "gsave\n0 setlinewidth\nnewpath\n";
const char kClose[] = "grestore\n\n";

std::string Body(const std::string& text)
{
    const std::string open = kOpen, close = kClose;
    return text.substr(open.size(), text.size() - open.size() - close.size());
}

// A small reader of the emitted PostScript: painting sequence, all points
// (sampled along curves), and the path structure.
struct Reading {
    std::string painting;
    int subpathsWithoutOneMoveto = 0;
    std::vector<std::pair<double, double>> ink;     // on-curve and sampled points
    std::vector<std::pair<double, double>> points;  // every printed coordinate pair
    double lineWidth = 0;
};

Reading Read(const std::string& text)
{
    Reading r;
    std::istringstream lines(text);
    std::string line;
    int movetos = 0;
    double cx = 0, cy = 0;
    while (std::getline(lines, line)) {
        std::istringstream in(line);
        std::vector<double> nums;
        std::string word, op;
        while (in >> word) {
            char* end = nullptr;
            const double v = strtod(word.c_str(), &end);
            if (*end == '\0')
                nums.push_back(v);
            else
                op = word;
        }
        if (op == "moveto" || op == "lineto") {
            movetos += op == "moveto";
            cx = nums[0];
            cy = nums[1];
            r.ink.push_back({cx, cy});
            r.points.push_back({cx, cy});
        } else if (op == "curveto") {
            for (int k = 1; k <= 32; ++k) {
                const double t = k / 32.0, u = 1 - t;
                r.ink.push_back(
                    {u * u * u * cx + 3 * u * u * t * nums[0] + 3 * u * t * t * nums[2] + t * t * t * nums[4],
                     u * u * u * cy + 3 * u * u * t * nums[1] + 3 * u * t * t * nums[3] + t * t * t * nums[5]});
            }
            for (int k = 0; k < 6; k += 2)
                r.points.push_back({nums[k], nums[k + 1]});
            cx = nums[4];
            cy = nums[5];
        } else if (op == "arc") {
            r.painting += 'd';
            r.points.push_back({nums[0], nums[1]});
            for (int k = 0; k < 4; ++k) {
                const double a = k * M_PI / 2;
                r.ink.push_back({nums[0] + nums[2] * cos(a), nums[1] + nums[2] * sin(a)});
            }
            movetos = -1;  // the dot's own fill follows
        } else if (op == "fill" || op == "eofill") {
            if (movetos == -1) {
                movetos = 0;
                continue;
            }
            r.painting += op == "fill" ? 'f' : 'e';
            if (movetos != 1)
                ++r.subpathsWithoutOneMoveto;
            movetos = 0;
        } else if (op == "stroke") {
            r.painting += 's';
            if (movetos != 1)
                ++r.subpathsWithoutOneMoveto;
            movetos = 0;
        } else if (op == "setlinewidth") {
            r.lineWidth = nums[0];
        }
    }
    return r;
}

// Every symbol of the table: its name and id lead to each other, its box is
// the listed one scaled by the width and height, and it is framed and painted as listed,
// also at size zero, where every point falls on the reference point.
TEST(Glyphs, EverySymbolAsListed)
{
    ASSERT_EQ(sizeof kTable / sizeof kTable[0], static_cast<size_t>(GlyphCount));
    for (const Expected& e : kTable) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(Get_GlyphID(e.name), e.id);
        EXPECT_STREQ(Get_GlyphName(e.id), e.name);
        const GlyphBox box = Get_BoundBoxII(e.id, 1, 2, 20, 10);
        EXPECT_FLOAT_EQ(box.left, 1 + 20 * e.left);
        EXPECT_FLOAT_EQ(box.bottom, 2 + 10 * e.bottom);
        EXPECT_FLOAT_EQ(box.right, 1 + 20 * e.right);
        EXPECT_FLOAT_EQ(box.top, 2 + 10 * e.top);

        const std::string text = Emit(e.id, 7.25f, -3.5f, 0, 0);
        ASSERT_EQ(text.rfind(kOpen, 0), 0u);
        EXPECT_EQ(text.substr(text.size() - (sizeof kClose - 1)), kClose);
        const Reading r = Read(Body(text));
        EXPECT_EQ(r.painting, e.painting);
        EXPECT_EQ(r.subpathsWithoutOneMoveto, 0);
        for (const auto& p : r.points) {
            EXPECT_EQ(p.first, 7.25);
            EXPECT_EQ(p.second, -3.5);
        }
    }
    EXPECT_EQ(Get_GlyphName(0), nullptr);
    EXPECT_EQ(Get_GlyphName(98), nullptr);
}

// Names are whole-string, case-sensitive matches; ids outside the table
// are errors however they are asked for.
TEST(GlyphNames, UnknownNamesAndIdsAreErrors)
{
    for (const char* name : {"Treble_clef", "x", "ledger", "sharp "})
        EXPECT_EQ(ThrownError([&] { Get_GlyphID(name); }), "no glyph " + std::string(name));
    FILE* out = tmpfile();
    EXPECT_EQ(ThrownError([&] { Print_Glyph(out, "Flat", 0, 0, 10, 10); }), "no glyph Flat");
    EXPECT_EQ(ThrownError([] { Get_BoundBox("sharp-sideways", 0, 0, 10, 10); }), "no glyph sharp-sideways");
    EXPECT_EQ(ThrownError([] { Get_GlyphID(nullptr); }), "no glyph (null)");
    for (int id : {0, 98, -1}) {
        const std::string message = "no glyph ID " + std::to_string(id);
        EXPECT_EQ(ThrownError([&] { Get_BoundBoxII(id, 0, 0, 1, 1); }), message);
        EXPECT_EQ(ThrownError([&] { Print_GlyphII(out, id, 0, 0, 1, 1); }), message);
    }
    fclose(out);
}

// The ink of every symbol stays inside its box (outlines sampled along their
// curves; dots by their radius; stroked lines by half their width across).
// The downward stem is the one symbol drawn longer than its box: its box is
// the head's, while the stem reaches 0.778 below the note.
TEST(GlyphOutput, InkStaysInsideTheBox)
{
    const double size = 100.0, tolerance = 0.3;  // 0.003 frame units
    for (const Expected& e : kTable) {
        const Reading r = Read(Body(Emit(e.id, 0, 0, 100, 100)));
        // A stroked line (all of them are level or upright) spreads by half
        // its width across its direction; its butt ends add nothing.
        double acrossX = 0, acrossY = 0;
        if (r.painting == "s") {
            const bool level = r.ink[0].second == r.ink[1].second;
            (level ? acrossY : acrossX) = r.lineWidth / 2;
        }
        double bottom = e.bottom * size;
        if (e.id == 60)
            bottom = -0.778 * size;
        for (const auto& p : r.ink) {
            EXPECT_GE(p.first - acrossX, e.left * size - tolerance) << e.name;
            EXPECT_LE(p.first + acrossX, e.right * size + tolerance) << e.name;
            EXPECT_GE(p.second - acrossY, bottom - tolerance) << e.name;
            EXPECT_LE(p.second + acrossY, e.top * size + tolerance) << e.name;
        }
    }
}

TEST(GlyphOutput, OctaveClefsAddASmallEightToThePlainClef)
{
    const struct {
        int id, clef;
        double dx, dy;
    } cases[] = {{94, 4, 0.12, -0.71}, {95, 1, 0.39, 1.3}, {96, 4, 0.17, 0.45}, {97, 1, 0.3, -0.83}};
    const float x = 13.3f, y = 71.9f, w = 10.58f, h = 10.58f;
    for (const auto& c : cases) {
        const std::string eight = Body(Emit(49, static_cast<float>(x + c.dx * h), static_cast<float>(y + c.dy * h),
                                            static_cast<float>(0.6 * w), static_cast<float>(0.6 * h)));
        EXPECT_EQ(Emit(c.id, x, y, w, h), kOpen + Body(Emit(c.clef, x, y, w, h)) + eight + kClose) << c.id;
    }
}

}  // namespace

#include "postscript/Charts.h"

#include "postscript/MemoryStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The three rectangles of a bar gauge: gray bar, its outline, full outline.
std::string Gauge(float x, float y, float barW, float barH, float fullW, float fullH)
{
    return Capture([&](FILE* out) {
        MakeGraySquare(out, x, y, 30, barW, barH);
        MakeSquare(out, x, y, 30, barW, barH);
        MakeSquare(out, x, y, 30, fullW, fullH);
    });
}

TEST(Charts, BarGaugesScaleTheValueToTheFullLength)
{
    const float full = 56.692802f;  // 2 cm
    const float tall = 42.519600f;  // 1.5 cm
    const float thick = 3.685032f;  // 0.13 cm
    struct Case {
        bool vertical;
        float value, scale;
        float bar;
    };
    const Case cases[] = {
        {false, 0, 100, 0},       // empty bar: an outline of width 0
        {false, 100, 100, full},  // full bar exactly over the outline
        {false, 50, 100, full / 2},
        {false, 150, 100, 1.5f * full},  // not clamped
        {false, -20, 100, -0.2f * full},
        {false, 10, 0, 0},  // no full scale: no bar rather than "inf"
        {false, std::nanf(""), 100, 0},
        {true, 7.5f, 15, tall / 2},
        {true, 15, 15, tall},
    };
    for (const Case& c : cases) {
        std::string text;
        if (c.vertical)
            text = Capture([&](FILE* out) { DrawVerticalRectangleChart(out, 5, 6, 1, c.value, c.scale); });
        else
            text = Capture([&](FILE* out) { DrawRectangleChart(out, 5, 6, 1, c.value, c.scale); });
        const std::string expected =
            c.vertical ? Gauge(5, 6, thick, c.bar, thick, tall) : Gauge(5, 6, c.bar, thick, full, thick);
        EXPECT_EQ(text, expected) << c.value << "/" << c.scale;
        EXPECT_FALSE(Contains(text, "inf") || Contains(text, "nan")) << c.value << "/" << c.scale;
    }
}

TEST(Charts, AzimuthSectorPointerAndLabels)
{
    struct Case {
        float azimuth;
        const char* sector;   // arc line of the gray sector, or nullptr for none
        const char* pointer;  // lineto of the pointer end
        const char* value;
        const char* character;
    };
    const Case cases[] = {
        // Too small to show a value, but the side is already tonic.
        {0.004f, "100.000000 200.000000 20.000000 89.996002 90 arc\n", nullptr, "(azimuth: 0\\260)", "(tonic)"},
        {-0.004f, "100.000000 200.000000 20.000000 90 90.003998 arc\n", nullptr, "(azimuth: 0\\260)", "(phonic)"},
        {-30, "100.000000 200.000000 20.000000 90 120.000000 arc\n", "88.000000 220.784607 lineto\n",
         "(azimuth: -30.0\\260)", "(phonic)"},
        {45.25f, "100.000000 200.000000 20.000000 44.750000 90 arc\n", nullptr, "(azimuth: +45.2\\260)", "(tonic)"},
        {90, "100.000000 200.000000 20.000000 0.000000 90 arc\n", "124.000000 200.000000 lineto\n",
         "(azimuth: +90.0\\260)", "(tonic)"},
        {std::numeric_limits<float>::quiet_NaN(), nullptr, "100.000000 224.000000 lineto\n", "(azimuth: 0\\260)",
         "(amphibolic)"},
    };
    for (const Case& c : cases) {
        const std::string text = Capture([&](FILE* out) { DrawAzimuthChart(out, 100, 200, 1, c.azimuth); });
        if (c.sector) {
            EXPECT_TRUE(Contains(text, std::string("newpath\n[1.000000 0.000000] 0 setdash\n0.900000 setlinewidth\n"
                                                   ".5 setgray\n100.000000 200.000000 moveto\n") +
                                           c.sector + "closepath\nfill\n"))
                << c.azimuth << "\n"
                << text;
        } else {
            EXPECT_FALSE(Contains(text, ".5 setgray")) << c.azimuth;
        }
        if (c.pointer) {
            EXPECT_TRUE(Contains(text, c.pointer)) << c.azimuth << "\n" << text;
        }
        EXPECT_TRUE(Contains(text, c.value)) << c.azimuth << "\n" << text;
        EXPECT_TRUE(Contains(text, std::string(c.character) + " dup stringwidth")) << c.azimuth;
        EXPECT_FALSE(Contains(text, "nan")) << c.azimuth;
    }
}

}  // namespace

#include "postscript/Charts.h"

#include "postscript/PostScriptWriter.h"
#include "postscript/TextPrimitives.h"

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

// Line weight units to points.
double lineWidth(float weight) { return weight * 0.02; }

void rectangle(FILE* stream, float x, float y, float weight, float width, float height, bool gray)
{
    std::fputs("gsave\n", stream);
    std::fprintf(stream, "%f setlinewidth\n", lineWidth(weight));
    if (gray)
        std::fputs(".5 setgray\n", stream);
    std::fputs("newpath\n", stream);
    std::fprintf(stream, "%f %f moveto\n", x, y);
    std::fprintf(stream, "%f %f lineto\n", x + width, y);
    std::fprintf(stream, "%f %f lineto\n", x + width, y + height);
    std::fprintf(stream, "%f %f lineto\n", x, y + height);
    std::fputs("closepath\n", stream);
    std::fputs(gray ? "fill\n" : "stroke\n", stream);
    std::fputs("grestore\n\n\n", stream);
}

// Length of the gray bar. A full scale of zero or a value that is not a
// number would give "inf" or "nan", which PostScript cannot read; such a
// gauge shows an empty bar instead.
float filledLength(float value, float fullScale, float fullLength)
{
    const float length = value / fullScale * fullLength;
    return std::isfinite(length) ? length : 0.0f;
}

void solidDash(FILE* stream) { std::fprintf(stream, "[%f %f] 0 setdash\n", 1.0, 0.0); }

}  // namespace

void MakeSquare(FILE* stream, float x, float y, float weight, float width, float height)
{
    rectangle(stream, x, y, weight, width, height, false);
}

void MakeGraySquare(FILE* stream, float x, float y, float weight, float width, float height)
{
    rectangle(stream, x, y, weight, width, height, true);
}

void DrawRectangleChart(FILE* stream, float x, float y, float k, float value, float fullScale)
{
    const float full = InCentimeters(2.0f) * k;
    const float filled = filledLength(value, fullScale, full);
    const float thickness = InCentimeters(0.13f) * k;
    const float weight = 30 * k;
    MakeGraySquare(stream, x, y, weight, filled, thickness);
    MakeSquare(stream, x, y, weight, filled, thickness);
    MakeSquare(stream, x, y, weight, full, thickness);
}

void DrawVerticalRectangleChart(FILE* stream, float x, float y, float k, float value, float fullScale)
{
    const float full = InCentimeters(1.5f) * k;
    const float filled = filledLength(value, fullScale, full);
    const float thickness = InCentimeters(0.13f) * k;
    const float weight = 30 * k;
    MakeGraySquare(stream, x, y, weight, thickness, filled);
    MakeSquare(stream, x, y, weight, thickness, filled);
    MakeSquare(stream, x, y, weight, thickness, full);
}

void DrawAzimuthChart(FILE* stream, float x, float y, float k, float azimuth)
{
    // An azimuth that is not a number has no direction: draw it as 0
    // (amphibolic) rather than write "nan" into the page.
    const float a = std::isfinite(azimuth) ? azimuth : 0.0f;
    const double r = 20 * static_cast<double>(k);
    const double thin = 3 * (0.3 * k);   // pointer, sector and half circle
    const double medium = 0.6 * k;       // vertical reference
    const double thick = 3 * (0.6 * k);  // base line
    // Angle of the pointer from the positive x axis: the dial's 0 is straight up.
    const float angle = 90 - a;

    std::fputs("gsave\n", stream);

    // Gray sector swept between the vertical and the pointer.
    if (a != 0) {
        std::fputs("newpath\n", stream);
        solidDash(stream);
        std::fprintf(stream, "%f setlinewidth\n", thin);
        std::fputs(".5 setgray\n", stream);
        std::fprintf(stream, "%f %f moveto\n", x, y);
        if (a < 0)
            std::fprintf(stream, "%f %f %f 90 %f arc\n", x, y, r, angle);
        else
            std::fprintf(stream, "%f %f %f %f 90 arc\n", x, y, r, angle);
        std::fputs("closepath\nfill\n", stream);
    }

    // Vertical reference.
    std::fputs("0. setgray\n", stream);
    std::fputs("newpath\n", stream);
    solidDash(stream);
    std::fprintf(stream, "%f setlinewidth\n", medium);
    std::fprintf(stream, "%f %f moveto\n", x, y);
    std::fprintf(stream, "%f %f lineto\n", x, y + r * 1.1);
    std::fputs("closepath\nstroke\n", stream);

    // Pointer, reaching a little beyond the half circle.
    const double radians = angle * kPi / 180;
    const float px = x + static_cast<float>(1.2 * r * std::cos(radians));
    const float py = y + static_cast<float>(1.2 * r * std::sin(radians));
    std::fputs("0. setgray\n", stream);
    std::fputs("newpath\n", stream);
    solidDash(stream);
    std::fprintf(stream, "%f setlinewidth\n", thin);
    std::fprintf(stream, "%f %f moveto\n", x, y);
    std::fprintf(stream, "%f %f lineto\n", px, py);
    std::fputs("closepath\nstroke\n", stream);

    // Base line.
    std::fputs("0. setgray\n", stream);
    std::fputs("newpath\n", stream);
    std::fprintf(stream, "%f setlinewidth\n", thick);
    std::fprintf(stream, "%f %f moveto\n", x, y);
    std::fprintf(stream, "%f %f lineto\n", x + r, y);
    std::fprintf(stream, "%f %f lineto\n", x - r, y);
    std::fputs("stroke\n", stream);

    // Dashed half circle.
    std::fputs("newpath\n", stream);
    std::fprintf(stream, "[%f %f] 0 setdash\n", 2.5 * k, 1.5 * k);
    std::fprintf(stream, "%f setlinewidth\n", thin);
    std::fprintf(stream, "%f %f moveto\n", x + r, y);
    std::fprintf(stream, "%f %f %f 0 180 arc\n", x, y, r);
    std::fputs("closepath\nstroke\n", stream);

    // Hub.
    std::fputs("newpath\n", stream);
    std::fprintf(stream, "%f %f moveto\n", x, y);
    std::fprintf(stream, "%f %f %f 0 360 arc\n", x, y, 3.5 * k);
    std::fputs("closepath\nfill\n", stream);

    std::fputs("grestore\n\n", stream);

    // Labels. Values within half a hundredth of a degree of 0 read as 0.
    char value[96];
    if (a > 0.005)
        std::snprintf(value, sizeof value, "azimuth: +%.1f\\260", a);
    else if (a < -0.005)
        std::snprintf(value, sizeof value, "azimuth: %.1f\\260", a);
    else
        std::snprintf(value, sizeof value, "azimuth: 0\\260");
    const float labelSize = 8 * k;
    Print_TextII(stream, x, y - 11 * k, labelSize, value, kAlignCentre);
    Print_TextII(stream, x, static_cast<float>(y + 1.25 * r), labelSize, "nature", kAlignCentre);
    const char* character = a > 0 ? "tonic" : (a == 0 ? "amphibolic" : "phonic");
    Print_TextII(stream, x, static_cast<float>(y + 1.7 * r), labelSize, character, kAlignCentre);
}

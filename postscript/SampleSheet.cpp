#include "postscript/SampleSheet.h"

#include "postscript/Charts.h"
#include "postscript/PostScriptWriter.h"
#include "postscript/TextPrimitives.h"

namespace {

float cm(float centimetres) { return InCentimeters(centimetres); }

// A hairline marking an anchor x, so that alignment can be judged by eye.
void anchor(FILE* out, float x, float y) { MakeSquare(out, x, y - cm(0.1f), 5, 0, cm(0.45f)); }

void heading(FILE* out, float x, float y, const char* text) { Print_TextII(out, x, y, 7.5f, text, kAlignLeft); }

}  // namespace

void WriteSampleSheet(FILE* out)
{
    const float width = cm(17), height = cm(24);
    Print_EPS_Header(out, width, height, "Harmodex sample sheet");
    MakeSquare(out, cm(1), cm(1), 30, cm(15), cm(22));
    Print_Text(out, cm(8.5f), cm(22.2f), 10, "HARMODEX", kAlignCentre);
    Print_Text(out, cm(11.8f), cm(22.2f), 11, "- 42 -", kAlignCentre);

    // Single texts: left from, centred on and ending at the marked anchor.
    float y = cm(21.2f);
    heading(out, cm(1.3f), y, "single texts (left / centred / right of the mark)");
    struct Family {
        void (*print)(FILE*, float, float, float, const char*, int);
        const char* name;
    };
    const Family families[] = {
        {Print_Text, "Times-Roman"},
        {Print_TextII, "MyArial 45\\260"},
        {Print_TextIIb, "Arial 9.5\\045"},
        {Print_TextIII, "Helvetica 12"},
        {Print_TextIV, "\\306 \\255 \\257 \\267 \\256"},
        {Print_TextBoldIII, "Bold-Italic 67"},
    };
    for (const Family& family : families) {
        y -= cm(0.45f);
        for (int align = 0; align < 3; ++align) {
            const float x = cm(3.0f + 5.0f * align);
            anchor(out, x, y);
            family.print(out, x, y, 8, family.name, align);
        }
    }
    PrintRotatedText(out, cm(15.6f), cm(16.8f), 7.15f, 90, "roughness", kAlignLeft);
    anchor(out, cm(15.6f), cm(16.8f));

    // Plain and italic pairs; modes 2 and 7 end at the mark.
    y -= cm(0.7f);
    heading(out, cm(1.3f), y, "italic pairs: modes 0, 5 (from the mark), 2, 7 (to the mark)");
    y -= cm(0.45f);
    const int modes[] = {0, 5, 2, 7};
    for (int i = 0; i < 4; ++i) {
        const float x = cm(i < 2 ? 2.0f + 3.5f * i : 2.5f + 3.5f * i);
        anchor(out, x, y);
        Print_TextIIIitallic(out, x, y, 8, "\\(0 4 7\\)", "3+,", modes[i]);
    }

    // Operators with subscripts.
    y -= cm(0.7f);
    heading(out, cm(1.3f), y, "operators");
    y -= cm(0.5f);
    Print_TN(out, cm(2.0f), y, 8.8f, "T", "n");
    Print_TN(out, cm(3.0f), y, 8.8f, "I", "n");
    Print_TN(out, cm(4.0f), y, 7.15f, "I", "6+");
    Print_TextII(out, cm(5.2f), y, 6.5f, "with limited", kAlignLeft);
    Print_TN(out, cm(6.42f), y, 7.15f, "T", "n");
    Print_TextII(out, cm(6.76f), y, 6.5f, "&", kAlignLeft);
    Print_TN(out, cm(6.97f), y, 7.15f, "I", "n");

    // Bulleted and arrowed lines, with blank-width continuation lines.
    y -= cm(0.7f);
    heading(out, cm(1.3f), y, "bullets and arrows");
    const float lineStep = cm(0.28f);
    float yl = y - cm(0.4f);
    Print_Bulleted(out, cm(1.5f), yl, 6.5f, "symmetric (inversionally)");
    yl -= lineStep;
    Print_Bulleted(out, cm(1.5f), yl, 6.5f, "tonal: major triad, minor triad,", 1);
    yl -= lineStep;
    Print_Bulleted(out, cm(1.5f), yl, 6.5f, "dominant seventh, half-diminished", 0);
    yl = y - cm(0.4f);
    Print_Arrowed(out, cm(8.5f), yl, 6.5f, "axes: 0 (6) 3 (9)");
    yl -= lineStep;
    Print_Arrowed(out, cm(8.5f), yl, 6.5f, "centers: 0 4 7 d u ", 1);
    yl -= lineStep;
    Print_Arrowed(out, cm(8.5f), yl, 6.5f, "    2 5 ", 0);

    // Subset configurations from the mark and to the mark.
    y -= cm(1.5f);
    heading(out, cm(1.3f), y, "subset configurations (joins 0, 1, 2; empty set; lone (0))");
    struct Config {
        const char* text1;
        const char* italic1;
        const char* text2;
        const char* italic2;
        int join;
    };
    const Config configs[] = {
        {"(04)", "3", "(037)", "1,", 0}, {"(047)", "2+", "(01)", "3,4,", 1}, {"(0158)", "6", "(0)", "2,", 2},
        {"(0237)", "1", "()", "", 0},    {"(0)", "", "()", "", 0},
    };
    for (const Config& c : configs) {
        y -= cm(0.33f);
        anchor(out, cm(1.5f), y);
        Print_SubsetConfiguration(out, cm(1.5f), y, 5.6f, c.text1, c.italic1, c.text2, c.italic2, 0, c.join);
        anchor(out, cm(8.0f), y);
        Print_SubsetConfiguration(out, cm(8.0f), y, 5.6f, c.text1, c.italic1, c.text2, c.italic2, 2, c.join);
    }

    // Reversibility formulas.
    y -= cm(0.6f);
    heading(out, cm(1.3f), y, "reversibility");
    y -= cm(0.35f);
    Print_ReversibilityThreeStage(out, cm(1.5f), y, 6.5f, 0, "6", "2", "(0 4 7)");
    Print_ReversibilityThreeStage(out, cm(5.5f), y, 6.5f, 1, "11", "3+", "(0 3 7)");
    Print_ReversibilityFourStage(out, cm(9.5f), y, 6.5f, "1", "(0 1)", "5", "(0 2)");

    // Rectangles and gauges.
    y -= cm(0.9f);
    heading(out, cm(1.3f), y, "boxes and gauges (0 %, 37.5 %, 100 %, 120 %; roughness 4.1 / 15)");
    y -= cm(1.0f);
    MakeSquare(out, cm(1.5f), y, 30, cm(1.2f), cm(0.6f));
    MakeSquare(out, cm(3.0f), y, 15.2f, cm(1.2f), cm(0.6f));
    MakeGraySquare(out, cm(4.5f), y, 15.2f, cm(1.2f), cm(0.6f));
    const float values[] = {0, 37.5f, 100, 120};
    for (int i = 0; i < 4; ++i) {
        DrawRectangleChart(out, cm(6.2f + 2.4f * (i % 2)), y + cm(0.45f) - cm(0.45f) * (i / 2), 1, values[i], 100);
    }
    DrawVerticalRectangleChart(out, cm(11.8f), y - cm(0.3f), 1, 4.1f, 15);
    Print_TextII(out, cm(11.92f), y - cm(0.65f), 6.5f, "4.10", kAlignCentre);

    // Azimuth dials at the page's scale and larger.
    y -= cm(3.0f);
    heading(out, cm(1.3f), y + cm(1.9f), "azimuth dials: -30, 0, 0.004, 45, 90, -90 (k = 0.8), -62.5 (k = 1.5)");
    const float azimuths[] = {-30, 0, 0.004f, 45, 90, -90};
    for (int i = 0; i < 6; ++i)
        DrawAzimuthChart(out, cm(2.2f + 1.9f * i), y, 0.8f, azimuths[i]);
    DrawAzimuthChart(out, cm(14.0f), y - cm(0.3f), 1.5f, -62.5f);

    WrapUp_EPS(out);
}

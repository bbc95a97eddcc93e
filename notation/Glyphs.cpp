#include "notation/Glyphs.h"

#include "postscript/PostScriptWriter.h"

#include <cstdlib>
#include <cstring>

#include "notation/GlyphOutlines.h"
#include "base/Error.h"

namespace {

struct GlyphMetrics {
    const char* name;
    float left, bottom, right, top;  // box in frame units
};

// Index = id - 1. The boxes are layout metrics used by the notation code to
// place symbols side by side; they are fixed per symbol.
const GlyphMetrics kGlyphs[GlyphCount] = {
    {"treble_clef", 0.0f, -0.65f, 0.74f, 1.108f},
    {"percussion_clef", 0.0f, 0.0f, 0.13f, 0.5f},
    {"c_clef", 0.0f, -0.512f, 0.744f, 0.514f},
    {"bass_clef", 0.0f, -0.525f, 0.715f, 0.252f},
    {"double_whole_note", 0.0f, -0.166f, 0.607f, 0.166f},
    {"whole_note", 0.0f, -0.127f, 0.405f, 0.127f},
    {"half_note", 0.0f, -0.131f, 0.291f, 0.134f},
    {"quarter_note", 0.0f, -0.12f, 0.286f, 0.124f},
    {"diamond", 0.0f, -0.14f, 0.28f, 0.14f},
    {"diamond_1", 0.0f, -0.14f, 0.28f, 0.14f},
    {"filled_diamond_1", 0.0f, -0.14f, 0.28f, 0.14f},
    {"X", 0.0f, -0.124f, 0.298f, 0.124f},
    {"triangle", 0.0f, -0.11f, 0.3f, 0.14f},
    {"square", 0.0f, -0.13f, 0.28f, 0.13f},
    {"8th_flag_up", 0.0f, -0.543f, 0.282f, 0.296f},
    {"extend_flag_up", 0.0f, -0.401f, 0.28f, 0.212f},
    {"8th_flag_down", 0.0f, -0.296f, 0.28f, 0.542f},
    {"extend_flag_down", 0.0f, -0.214f, 0.28f, 0.382f},
    {"whole_rest", 0.0f, 0.0f, 0.42f, 0.256f},
    {"half_rest", 0.0f, -0.003f, 0.42f, 0.126f},
    {"quarter_rest", 0.0f, -0.343f, 0.248f, 0.358f},
    {"8th_rest", 0.0f, -0.256f, 0.286f, 0.202f},
    {"16th_rest", 0.0f, -0.508f, 0.334f, 0.202f},
    {"32nd_rest", 0.0f, -0.51f, 0.4f, 0.456f},
    {"64th_rest", 0.0f, -0.51f, 0.454f, 0.708f},
    {"128th_rest", 0.0f, -0.51f, 0.514f, 0.956f},
    {"double_whole_rest", 0.0f, 0.0f, 0.5f, 0.75f},
    {"sharp", 0.0f, -0.38f, 0.21f, 0.38f},
    {"flat", 0.0f, -0.193f, 0.222f, 0.483f},
    {"double_sharp", 0.0f, -0.13f, 0.26f, 0.13f},
    {"natural", 0.0f, -0.348f, 0.17f, 0.348f},
    {"sharp-up", -0.06f, -0.376f, 0.208f, 0.694f},
    {"sharp-down", 0.0f, -0.694f, 0.268f, 0.378f},
    {"flat-up", -0.0982f, -0.194f, 0.22f, 0.694f},
    {"flat-down", -0.1f, -0.442f, 0.22f, 0.482f},
    {"natural-up", -0.1f, -0.346f, 0.17f, 0.582f},
    {"natural-down", 0.0f, -0.582f, 0.27f, 0.346f},
    {"quarter-flat", 0.0f, -0.193f, 0.222f, 0.483f},
    {"three-quarter-sharp", 0.0f, -0.38f, 0.315f, 0.406f},
    {"quarter-sharp", 0.0f, -0.38f, 0.21f, 0.38f},
    {"zero", -0.018f, -0.233f, 0.333f, 0.233f},
    {"one", 0.0f, -0.233f, 0.212f, 0.233f},
    {"two", 0.0f, -0.234f, 0.336f, 0.233f},
    {"three", -0.007f, -0.234f, 0.292f, 0.234f},
    {"four", -0.004f, -0.233f, 0.308f, 0.233f},
    {"five", 0.0f, -0.233f, 0.296f, 0.233f},
    {"six", 0.0f, -0.238f, 0.305f, 0.242f},
    {"seven", 0.0f, -0.233f, 0.338f, 0.233f},
    {"eight", -0.002f, -0.238f, 0.29f, 0.233f},
    {"nine", -0.024f, -0.234f, 0.307f, 0.234f},
    {"common_time", 0.0f, -0.247f, 0.417f, 0.252f},
    {"cut_time", 0.0f, -0.414f, 0.418f, 0.374f},
    {"plus", 0.0f, -0.14f, 0.24f, 0.14f},
    {"double-flat", 0.0f, -0.193f, 0.47f, 0.483f},
    {"three-quarter-flat", 0.0f, -0.193f, 0.47f, 0.483f},
    {"ledger-line", -0.095f, -0.12f, 0.375f, 0.124f},
    {"ledger-lineWhole", -0.095f, -0.127f, 0.505f, 0.127f},
    {"ledger-lineDoubleWhole", -0.095f, -0.166f, 0.7f, 0.166f},
    {"stem-up", 0.0f, -0.12f, 0.286f, 0.762f},
    {"stem-down", 0.0f, -0.718f, 0.286f, 0.124f},
    {"forte", 0.0f, -0.176f, 0.514f, 0.418f},
    {"piano", 0.0f, -0.148f, 0.404f, 0.292f},
    {"pianoXfp", 0.0f, -0.147f, 0.404f, 0.299f},
    {"mezzo", 0.0f, -0.012f, 0.472f, 0.292f},
    {"niente", 0.0f, -0.034f, 0.367f, 0.292f},
    {"niente2", 0.0f, -0.2f, 0.6f, 0.7f},
    {"z", -0.003f, -0.009f, 0.299f, 0.287f},
    {"s", 0.0f, -0.009f, 0.236f, 0.293f},
    {"r", 0.0f, 0.0f, 0.396f, 0.297f},
    {"turn", -0.15f, 0.0f, 0.454f, 0.256f},
    {"mordent", 0.0f, 0.0f, 0.606f, 0.257f},
    {"double_mordent", 0.0f, 0.0f, 0.87f, 0.257f},
    {"trill", -0.045f, 0.0f, 0.383f, 0.159f},
    {"arpeggio", 0.0f, 0.0f, 0.141f, 0.574f},
    {"tr", -0.02f, -0.026f, 0.434f, 0.38f},
    {"accent", 0.0f, 0.0f, 0.4f, 0.248f},
    {"accent_reversed", 0.0f, 0.0f, 0.4f, 0.248f},
    {"breath_mark", 0.0f, -0.217f, 0.185f, 0.057f},
    {"caesura", 0.0f, 0.0f, 0.5f, 0.5f},
    {"fermata", -0.002f, 0.0f, 0.676f, 0.38f},
    {"fermata_reversed", -0.002f, -0.382f, 0.676f, 0.0f},
    {"repeat", 0.0f, 0.0f, 0.6f, 0.5f},
    {"upper_bracket", 0.0f, 0.0f, 0.31f, 0.433f},
    {"lower_bracket", 0.0f, -0.433f, 0.31f, 0.0f},
    {"segno", 0.0f, 0.0f, 0.532f, 0.696f},
    {"coda", 0.0f, -0.056f, 0.431f, 0.429f},
    {"pedal_off", 0.0f, 0.0f, 0.37f, 0.37f},
    {"ped", -0.006f, -0.003f, 0.731f, 0.507f},
    {"left_paren", -0.012f, -0.005f, 0.162f, 0.58f},
    {"right_paren", 0.0f, -0.005f, 0.173f, 0.58f},
    {"wedge", -0.075f, 0.0f, 0.075f, 0.25f},
    {"down_bow", 0.0f, 0.0f, 0.3f, 0.15f},
    {"up_bow", 0.0f, 0.0f, 0.15f, 0.25f},
    {"bass_clef_OCTdown", 0.0f, -0.855f, 0.715f, 0.252f},
    {"treble_clef_OCTup", 0.0f, -0.65f, 0.74f, 1.448f},
    {"bass_clef_OCTup", 0.0f, -0.525f, 0.715f, 0.592f},
    {"treble_clef_OCTdown", 0.0f, -0.98f, 0.74f, 1.108f},
};

// The digit an octave clef carries.
constexpr int kEightId = 49;

[[noreturn]] void NoSuchGlyphId(int id) { throw harmodex::Error("no glyph ID " + std::to_string(id)); }

bool IsValidId(int id) { return id >= 1 && id <= GlyphCount; }

// Writes one outline table; every coordinate is placed in double precision.
void EmitOutline(FILE* out, const GlyphOutline& outline, float x, float y, float w, float h)
{
    const double X = x, Y = y, W = w, H = h;
    for (int i = 0; i < outline.count; ++i) {
        const GlyphRow& r = outline.rows[i];
        const double* v = r.v;
        switch (r.op) {
        case GlyphOp::MoveTo: {
            const double p[2] = {X + v[0] * W, Y + v[1] * H};
            WriteOperands(out, p, 2, "moveto");
            break;
        }
        case GlyphOp::LineTo: {
            const double p[2] = {X + v[0] * W, Y + v[1] * H};
            WriteOperands(out, p, 2, "lineto");
            break;
        }
        case GlyphOp::CurveTo: {
            const double p[6] = {X + v[0] * W, Y + v[1] * H, X + v[2] * W, Y + v[3] * H, X + v[4] * W, Y + v[5] * H};
            WriteOperands(out, p, 6, "curveto");
            break;
        }
        case GlyphOp::Fill:
            fputs("fill\n", out);
            break;
        case GlyphOp::EoFill:
            fputs("eofill\n", out);
            break;
        case GlyphOp::Dot:
            fputs("newpath\n", out);
            fprintf(out, "%f %f %f 0 360 arc\n", X + v[0] * W, Y + v[1] * H, v[2] * W);
            fputs("closepath\nfill\n", out);
            break;
        case GlyphOp::LineWidth:
            fprintf(out, "%f setlinewidth\n", v[0] * W);
            break;
        case GlyphOp::Stroke:
            fputs("stroke\n", out);
            break;
        }
    }
}

}  // namespace

int Get_GlyphID(const char* name)
{
    if (name != nullptr) {
        for (int i = 0; i < GlyphCount; ++i) {
            if (strcmp(kGlyphs[i].name, name) == 0)
                return i + 1;
        }
    }
    throw harmodex::Error(std::string("no glyph ") + (name != nullptr ? name : "(null)"));
}

const char* Get_GlyphName(int id) { return IsValidId(id) ? kGlyphs[id - 1].name : nullptr; }

void Print_GlyphII(FILE* out, int id, float x, float y, float w, float h)
{
    fputs("gsave\n0 setlinewidth\nnewpath\n", out);
    if (!IsValidId(id))
        NoSuchGlyphId(id);
    OctaveClef octave;
    if (Get_OctaveClef(id, &octave)) {
        // The clef, then a small eight above or below it, inside the same
        // graphics state. The digit's placement is rounded to single precision
        // like any reference point.
        const double X = x, Y = y, W = w, H = h;
        EmitOutline(out, Get_GlyphOutline(octave.clefId), x, y, w, h);
        EmitOutline(out, Get_GlyphOutline(kEightId), static_cast<float>(X + octave.digitDx * H),
                    static_cast<float>(Y + octave.digitDy * H), static_cast<float>(octave.digitScale * W),
                    static_cast<float>(octave.digitScale * H));
    } else {
        EmitOutline(out, Get_GlyphOutline(id), x, y, w, h);
    }
    fputs("grestore\n\n", out);
}

void Print_Glyph(FILE* out, const char* name, float x, float y, float w, float h)
{
    Print_GlyphII(out, Get_GlyphID(name), x, y, w, h);
}

GlyphBox Get_BoundBoxII(int id, float x, float y, float w, float h)
{
    if (!IsValidId(id))
        NoSuchGlyphId(id);
    const GlyphMetrics& m = kGlyphs[id - 1];
    GlyphBox box;
    box.left = m.left * w + x;
    box.bottom = m.bottom * h + y;
    box.right = m.right * w + x;
    box.top = m.top * h + y;
    return box;
}

GlyphBox Get_BoundBox(const char* name, float x, float y, float w, float h)
{
    return Get_BoundBoxII(Get_GlyphID(name), x, y, w, h);
}

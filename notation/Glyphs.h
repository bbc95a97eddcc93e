// Music symbols drawn as PostScript outlines: clefs, note heads, stems,
// ledger lines, accidentals, digits, rests, dynamics and ornaments.
//
// Every symbol is defined in a unit frame; a frame point (cx, cy) is drawn at
// page point (x + cx*w, y + cy*h). For note heads, accidentals, stems and
// ledger lines the frame origin is the left edge of the note at the height of
// the line or space it sits on; one staff space is 0.252 frame units.
#pragma once

#include <cstdio>

// Number of symbols the library knows; ids run from 1 to GlyphCount.
constexpr int GlyphCount = 97;

// A placed bounding box, in page points.
struct GlyphBox {
    float left;
    float bottom;
    float right;
    float top;
};

// The id of the named symbol (exact, case-sensitive match). An unknown name
// is a programming error: it is reported on standard error and the process
// ends with exit status -1.
int Get_GlyphID(const char* name);

// The name of a symbol, or nullptr for an id outside 1..GlyphCount.
const char* Get_GlyphName(int id);

// Writes the symbol's drawing, bracketed by gsave/grestore, at reference
// point (x, y) with width unit w and height unit h. An id outside
// 1..GlyphCount is reported and ends the process with exit status -1.
void Print_GlyphII(FILE* out, int id, float x, float y, float w, float h);
void Print_Glyph(FILE* out, const char* name, float x, float y, float w, float h);

// The symbol's fixed box placed at (x, y) with units w and h. The box is a
// layout metric, not the extent of the ink.
GlyphBox Get_BoundBoxII(int id, float x, float y, float w, float h);
GlyphBox Get_BoundBox(const char* name, float x, float y, float w, float h);

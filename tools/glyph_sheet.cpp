// Writes an EPS sheet of every music symbol, for looking at the outlines.
//
//   glyph_sheet [size [first last]]
//                          the symbols (all, or ids first..last) in a grid,
//                          each drawn with width and height `size` points
//                          (default 40), with its box, its reference point
//                          (blue cross), id and name
//   glyph_sheet staff [size]
//                          the symbols the analysis page uses, set on staves
//                          at the page's staff size (default 10.58 points)
//
// The sheet goes to standard output.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "notation/Glyphs.h"

namespace {

void Header(float width, float height)
{
    printf("%%!PS-Adobe-3.0 EPSF-3.0\n");
    printf("%%%%Creator: glyph_sheet\n");
    printf("%%%%BoundingBox: 0 0 %d %d\n", static_cast<int>(width), static_cast<int>(height));
    printf("%%%%EndComments\n");
    printf("1 setgray 0 0 %f %f rectfill 0 setgray\n", width, height);
}

void Label(float x, float y, float size, const char* text)
{
    printf("gsave /Helvetica findfont %f scalefont setfont %f %f moveto (%s) show grestore\n", size, x, y, text);
}

void Grid(float size, int first, int last)
{
    const int count = last - first + 1;
    const int columns = count < 8 ? count : 8;
    const float cellW = 1.45f * size + 20.0f;
    const float cellH = 2.75f * size + 24.0f;
    const int rows = (count + columns - 1) / columns;
    const float width = columns * cellW + 20.0f;
    const float height = rows * cellH + 20.0f;
    Header(width, height);
    for (int id = first; id <= last; ++id) {
        const int col = (id - first) % columns;
        const int row = (id - first) / columns;
        const float cellX = 10.0f + col * cellW;
        const float cellY = height - 10.0f - (row + 1) * cellH;
        // Reference point: leaves room for the deepest and widest boxes.
        const float x = cellX + 0.2f * size + 6.0f;
        const float y = cellY + 1.05f * size + 16.0f;
        const GlyphBox box = Get_BoundBoxII(id, x, y, size, size);
        printf("gsave 0.8 0 0 setrgbcolor 0.3 setlinewidth %f %f %f %f rectstroke\n", box.left, box.bottom,
               box.right - box.left, box.top - box.bottom);
        printf("0 0 0.8 setrgbcolor %f %f moveto 4 0 rlineto -2 -2 rmoveto 0 4 rlineto stroke grestore\n", x - 2.0f, y);
        Print_GlyphII(stdout, id, x, y, size, size);
        char text[64];
        snprintf(text, sizeof text, "%d %s", id, Get_GlyphName(id));
        Label(cellX + 2.0f, cellY + 4.0f, 7.0f, text);
    }
}

void StaffLines(float x, float y, float size, float length)
{
    printf("gsave %f setlinewidth\n", 0.02f * size);
    for (int i = 0; i < 5; ++i)
        printf("%f %f moveto %f 0 rlineto stroke\n", x, y + 0.252f * size * i, length);
    printf("grestore\n");
}

// One note: accidental, ledger lines as needed, head. `step` counts diatonic
// steps from the bottom line; returns the new cursor.
float Note(float cursor, float y, float size, int step, const char* accidental, const char* head)
{
    const float yNote = y + 0.126f * size * step;
    Print_Glyph(stdout, accidental, cursor, yNote, size, size);
    cursor += 1.5f * (Get_BoundBox(accidental, 0, 0, size, size).right);
    for (int s = 10; s <= step; s += 2)
        Print_Glyph(stdout, "ledger-line", cursor, y + 0.126f * size * s, size, size);
    for (int s = -2; s >= step; s -= 2)
        Print_Glyph(stdout, "ledger-line", cursor, y + 0.126f * size * s, size, size);
    Print_Glyph(stdout, head, cursor, yNote, size, size);
    return cursor + 1.5f * 0.286f * size;
}

void StaffSample(float size)
{
    const float width = 25.0f * size;
    const float height = 12.0f * size;
    Header(width, height);
    struct N {
        int step;
        const char* acc;
        const char* head;
    };
    const N treble[] = {{-2, "natural", "half_note"},    {-1, "sharp", "quarter_note"},
                        {0, "flat", "half_note"},        {3, "double_sharp", "quarter_note"},
                        {4, "double-flat", "half_note"}, {5, "natural", "quarter_note"},
                        {8, "sharp", "half_note"},       {10, "flat", "quarter_note"},
                        {11, "natural", "half_note"},    {12, "double-flat", "quarter_note"}};
    const N bass[] = {{-4, "sharp", "half_note"},       {-3, "flat", "quarter_note"},       {1, "natural", "half_note"},
                      {2, "double_sharp", "half_note"}, {6, "double-flat", "quarter_note"}, {7, "sharp", "half_note"},
                      {9, "natural", "quarter_note"},   {10, "flat", "half_note"}};
    for (int staff = 0; staff < 2; ++staff) {
        const float x = 2.0f * size;
        const float y = (staff == 0 ? 7.5f : 2.5f) * size;
        float cursor = x + 0.25f * 0.286f * size;
        const char* clef = staff == 0 ? "treble_clef" : "bass_clef";
        Print_Glyph(stdout, clef, cursor, y + (staff == 0 ? 0.252f : 0.756f) * size, size, size);
        cursor += 1.25f * Get_BoundBox(clef, 0, 0, size, size).right;
        const N* notes = staff == 0 ? treble : bass;
        const int count = staff == 0 ? 10 : 8;
        for (int i = 0; i < count; ++i)
            cursor = Note(cursor, y, size, notes[i].step, notes[i].acc, notes[i].head);
        cursor += 0.286f * size;
        StaffLines(x, y, size, cursor - x);
        Print_Glyph(stdout, "forte", cursor + size, y + 0.3f * size, 10.0f, 10.0f);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && strcmp(argv[1], "staff") == 0) {
        StaffSample(argc > 2 ? static_cast<float>(atof(argv[2])) : 10.58f);
    } else {
        int first = argc > 3 ? atoi(argv[2]) : 1;
        int last = argc > 3 ? atoi(argv[3]) : GlyphCount;
        if (first < 1)
            first = 1;
        if (last > GlyphCount)
            last = GlyphCount;
        if (last < first)
            last = first;
        Grid(argc > 1 ? static_cast<float>(atof(argv[1])) : 40.0f, first, last);
    }
    printf("%%%%EOF\n");
    return 0;
}

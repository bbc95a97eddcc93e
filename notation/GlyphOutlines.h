// The outline data behind the music symbols: for every id one table of rows,
// read in order by a single emitter (Print_GlyphII). A row is a path segment
// or a painting operation; coordinates are frame fractions.
#pragma once

enum class GlyphOp : unsigned char {
    MoveTo,     // x y: starts a subpath
    LineTo,     // x y
    CurveTo,    // x1 y1 x2 y2 x3 y3: cubic Bezier segment
    Fill,       // paints the subpath by the nonzero winding rule
    EoFill,     // paints the subpath by the even-odd rule (symbols with holes)
    Dot,        // cx cy r: a filled full circle, radius in width units
    LineWidth,  // lw: line width in width units, for the stroked symbols
    Stroke,     // strokes the subpath
};

struct GlyphRow {
    GlyphOp op;
    double v[6];
};

struct GlyphOutline {
    const GlyphRow* rows;
    int count;
};

// Outline rows of a plain symbol. The octave clefs (ids 94 to 97) have no rows
// of their own: they are the plain clef followed by the digit eight, see
// Get_OctaveClef. Returns {nullptr, 0} for such ids and for invalid ids.
GlyphOutline Get_GlyphOutline(int id);

// For an octave clef: the plain clef it extends and where its small eight
// goes, as offsets in height units from the reference point, drawn at the
// given fraction of the size. Returns false for any other id.
struct OctaveClef {
    int clefId;
    double digitDx;
    double digitDy;
    double digitScale;
};
bool Get_OctaveClef(int id, OctaveClef* clef);

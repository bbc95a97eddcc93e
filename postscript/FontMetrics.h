// How wide the page's texts are and where their ink lies, from the metrics
// of the fonts Ghostscript draws them with, so that the layout can tell at
// compose time whether two texts run into each other.
#ifndef HARMODEX_POSTSCRIPT_FONTMETRICS_H
#define HARMODEX_POSTSCRIPT_FONTMETRICS_H

#include <string>
#include <string_view>
#include <vector>

// One character code of a font: advance width and ink box, in thousandths
// of the type size. A glyph without ink (the space) has an empty box.
struct GlyphMetrics {
    short width, llx, lly, urx, ury;
};

struct FontMetrics {
    const char* name;  // as the page selects it: "Helvetica", "MyArial", ...
    GlyphMetrics glyphs[256];
};

// The metrics of a font the page selects by name, or nullptr for any other.
const FontMetrics* FindFontMetrics(std::string_view name);

// An axis-aligned box, in points.
struct InkBox {
    double left, bottom, right, top;
};

// Where each word of the texts a piece of page PostScript shows puts its
// ink: one box per run of inked glyphs between spaces. The page's own
// operators are followed (fonts, moves, the width arithmetic of aligned and
// composed texts, rotation); paths are skipped. Words shown within one
// gsave ... grestore fragment share its number, counted from 0 in order.
struct ShownWord {
    InkBox box;
    int fragment;
};
std::vector<ShownWord> ShownWords(const std::string& postscript);

// Whether two boxes come closer than the clearance (negative: overlap by
// more than its size).
bool Collide(const InkBox& a, const InkBox& b, double clearance);

// The first pair of words of different fragments that collide, as indexes
// into words, or {-1, -1}.
std::pair<int, int> FirstCollision(const std::vector<ShownWord>& words, double clearance);

#endif

#ifndef HARMODEX_PAGE_PAGELAYOUT_H
#define HARMODEX_PAGE_PAGELAYOUT_H

// Where the blocks of an analysis page lie and what they hold, recorded by
// the composer as it draws, so that a viewer can say what stands under the
// pointer.
//
// Coordinates are PostScript points of the page: the origin is the lower
// left corner of the sheet (the corner of the EPS bounding box) and y grows
// upwards. Odd and even pages are mirror images of each other, so the same
// block lies elsewhere on each; the record is that of the page composed.

#include <string>
#include <vector>

struct PageRect {
    float left = 0, bottom = 0, right = 0, top = 0;
    bool contains(double x, double y) const { return x >= left && x <= right && y >= bottom && y <= top; }
    double area() const { return static_cast<double>(right - left) * static_cast<double>(top - bottom); }
};

// One region of the page. A block is named by its id ("identity", "roster",
// "root-salience", "attraction", "poles", "classification-...", "measures",
// "commonality", "strips"); a detail inside it is a table cell (its row and
// column as the page labels them, and the value printed there) or a line of
// text (its term, and the line as printed).
struct PageRegion {
    std::string block;
    PageRect rect;
    std::string row;     // a cell's row label, e.g. "root"
    std::string column;  // a cell's column label, e.g. "4" or "T4"
    std::string value;   // a cell's value, or a line's text as printed
    std::string term;    // a line's term, e.g. "cardinally bipolar" or "poles"
    std::string what;    // what a cell or a line means, in words: "Root salience of 4 (E)"
    std::string note;    // a remark on how it is printed, e.g. why a cell is in parentheses
};

struct PageLayout {
    int page = 0;
    float width = 0, height = 0;  // the bounding box, in points
    std::vector<PageRegion> blocks;
    std::vector<PageRegion> details;

    // The smallest block (and detail) holding the point, or nullptr: a
    // block may lie inside another (the measures inside the identity
    // column), and the inner one is the more telling.
    const PageRegion* blockAt(double x, double y) const;
    const PageRegion* detailAt(double x, double y) const;

    void addBlock(const std::string& id, PageRect rect);
    void addDetail(PageRegion region);
};

// A rectangle from a lower left corner and a size, as MakeSquare takes them.
PageRect RectOf(float x, float y, float width, float height);

// A text as the page's PostScript writes it ("(0\\275)", escapes and
// Latin-1 octal codes) as a reader sees it, in UTF-8 ("(0½)").
std::string PlainText(const std::string& shown);

// The name of a pitch class as a note, C = 0: "4 (E)", "10 (B\u266d)".
std::string PitchClassWithName(int pc);

#endif

#ifndef HARMODEX_APP_PAGEPOINTER_H
#define HARMODEX_APP_PAGEPOINTER_H

// What the pointer rests on in the preview: a position on the screen taken
// to a point of the page, the block and detail there, and the words of the
// tooltip explaining it. No GTK here; PageHover.cpp connects it to the page.

#include <functional>
#include <string>
#include <vector>

#include "page/PageLayout.h"

// Where and how large the page image is shown. Pointer positions are in
// logical pixels of the widget they come from; the image is rasterised at
// kDotsPerInchAtSize1 x size x scale dots per inch and drawn with a device
// scale of `scale`, so one logical pixel is 72 / (kDotsPerInchAtSize1 x
// size) points whatever the screen's scale.
struct PreviewPlacement {
    double size = 1.0;  // the size factor
    int scale = 1;      // the screen's scale: image pixels per logical pixel
    // The image's upper left corner, in the widget's coordinates.
    double imageLeft = 0, imageTop = 0;
    // The scroll, for positions given in the visible area's coordinates;
    // zero for a widget that scrolls with the page (the page surface).
    double scrollX = 0, scrollY = 0;
};

struct PagePoint {
    double x = 0, y = 0;  // points, from the page's lower left corner, y upwards
};

// The point of a page `pageHeight` points high under the pointer at (x, y).
PagePoint PointerToPage(double x, double y, const PreviewPlacement& placement, double pageHeight);

// A rectangle of the page where it shows, in the widget's coordinates
// (the inverse of PointerToPage), rounded outwards to whole pixels.
struct PointerRect {
    int x = 0, y = 0, width = 0, height = 0;
};
PointerRect PageRectOnScreen(const PageRect& rect, const PreviewPlacement& placement, double pageHeight);

// What lies at a point of the page: the block (a table, a column) and the
// detail inside it (a cell, a line), either possibly nullptr.
struct PageSpot {
    const PageRegion* block = nullptr;
    const PageRegion* detail = nullptr;
    bool empty() const { return !block && !detail; }
    // The block the spot belongs to: the detail's own, else the block's.
    std::string blockId() const;
};
PageSpot SpotAt(const PageLayout& layout, PagePoint point);

// The heading the tooltip gives a block ("Root salience", "Commonality").
std::string BlockTitle(const std::string& blockId);

// Looks a term of the page up: its explanation, or its section of the
// guide; empty when unknown.
using TermLookup = std::function<std::string(const std::string& term)>;

// The tooltip's lines: the block's heading, the detail (a cell as "Root
// salience of 4 (E): 10", a line as printed), any remark on how it is
// printed, the term's explanation where one is known, and last a hint that
// a double-click opens the guide. Empty for an empty spot.
std::vector<std::string> TooltipLines(const PageSpot& spot, const TermLookup& explain);

// The same as Pango markup: the heading in bold, the hint in small type.
std::string TooltipMarkup(const PageSpot& spot, const TermLookup& explain);

// The guide's section for a spot: the section of its term when the guide
// knows the term, else the block's. Empty for an empty spot.
std::string HelpSectionOf(const PageSpot& spot, const TermLookup& sectionOfTerm);

// The hint that ends every tooltip.
extern const char* const kDoubleClickHint;

#endif

#ifndef HARMODEX_PAGE_HARMODEXPAGELOWER_H
#define HARMODEX_PAGE_HARMODEXPAGELOWER_H

// The second half of the analysis page: the classification column (the
// set's attributes in two columns), the commonality table, and the strip of
// subsets and supersets along the page's side.

#include <cstddef>
#include <cstdio>

#include "page/HarmodexPage.h"
#include "pcset/PitchClassSet.h"

// Where a two-column text block ended up, in points, for checking that the
// text stays inside its box and that no two of its texts run into each
// other. A block that would overflow its box, or whose texts would collide,
// at full size is laid out again with its line spacing and type reduced in
// steps of 5 % until it fits.
struct TextBlockExtent {
    // Lowest baseline written in the first and second column, and in any
    // position beyond the second; +infinity where nothing was written.
    float lowestBaseline[3];
    float boxBottom;
    int columns;   // 1 + the column breaks (or wraps) the layout asked for
    float scale;   // 1 at full size
    bool crowded;  // two texts of different lines come closer than kTextClearance
};

// The least space, in points, kept sideways between two texts of a block
// that stand at the same height, measured between their inked outlines.
constexpr float kTextClearance = 1.0f;

// The classification column of the analysed set p (its Tn-type, fully
// analysed): symmetry, axes, cardinal and tonal classification with poles
// and centres, transpositional classification, the reversibility formulas,
// multimodalization and tonal imitation. The extent, when given, is filled.
void DrawClassificationColumn(FILE* stream, const HarmodexPageGeometry& geometry, const PitchClassSet& p,
                              TextBlockExtent* extent = nullptr);

// The commonality of p's vertex table with every transposition of p itself,
// of its inversion, of the major and of the minor triad.
// The layout, when given, receives the block and its cells.
void DrawCommonalityBlock(FILE* stream, const HarmodexPageGeometry& geometry, const PitchClassSet& p,
                          PageLayout* layout = nullptr);

// The subsets of p with their transposition levels and remainders, then its
// supersets, in a strip that wraps into a second, right-aligned column.
void DrawSubsetStrip(FILE* stream, const HarmodexPageGeometry& geometry, const PitchClassSet& p,
                     TextBlockExtent* extent = nullptr);

// How a subset line is set when its four texts (the subset, its levels,
// the remainder, the remainder's levels) total n characters: up to 35 at
// full size, joined by " + "; longer lines ever smaller (about nine tenths
// at 47 characters) and joined more tightly, by " +" up to 46 characters
// and by "+" beyond.
struct SubsetLineFit {
    float factor;  // applied to the type size
    int join;      // join code of Print_SubsetConfiguration
};
SubsetLineFit FitSubsetLine(std::size_t n);

// The whole second half, in page order.
// The layout, when given, receives its blocks, cells and classification
// lines.
void DrawLowerPage(FILE* stream, const HarmodexPageGeometry& geometry, const PitchClassSet& p,
                   PageLayout* layout = nullptr);

#endif

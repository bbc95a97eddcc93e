#ifndef HARMODEX_PAGE_HARMODEXPAGE_H
#define HARMODEX_PAGE_HARMODEXPAGE_H

#include <cstdio>
#include <string>

#include "page/PageLayout.h"
#include "pcset/PitchClassSet.h"

// Composes the analysis page of one Tn-type and returns its PostScript text.
//   page   the page number (catalogue index + 1), 1 to 351; odd pages are
//          right-hand pages, even pages their mirror image
//   tnText the set as pitch-class numbers, or a Costère code (text with '.')
//   mode   >= 0: one EPS page; -1: first page of a multi-page document of
//          `pages` pages; -k (k > 1): its k-th page. A multi-page document is
//          the calls with mode -1, -2, ..., -pages joined in order.
//   layout when given, filled with where each block and cell lies; the
//          text is the same with or without it.
std::string DrawHarmodexPage(int page, std::string tnText, int mode, int pages, PageLayout* layout = nullptr);

// The geometry of a book page, in points. The page is 17 × 24 cm with
// margins of 1.27 cm at top and bottom; the binding side (left on odd pages,
// right on even ones) has the wider margin, and every block is shifted so
// that even pages mirror odd ones.
struct HarmodexPageGeometry {
    bool even;
    float width, height, top, bottom;
    float left, right;
    double leftCm;  // the left margin in centimetres, for anchors computed in cm
    float titleShift;
    float rosterShift;
    float tableShift;
    float cardinalityShift;
    float identityShift;
    float classificationShift;
    float commonalityShift;
    float subsetShift;
};

HarmodexPageGeometry GetHarmodexPageGeometry(int page);

// The identity column of the analysed set p (Tn-type, fully analysed):
// interval vector, inverted twin, isomers, complement, limitations, roots and
// vertices with tonicity, phonicity, azimuth and roughness, generatrices.
// The layout, when given, receives the column's block and its lines.
void DrawIdentityColumn(FILE* stream, const HarmodexPageGeometry& geometry, const PitchClassSet& p,
                        PageLayout* layout = nullptr);

#endif

#ifndef HARMODEX_PAGE_HARMODEXPAGE_H
#define HARMODEX_PAGE_HARMODEXPAGE_H

#include <string>

// Composes the analysis page of one Tn-type and returns its PostScript text.
//   page   the page number (catalogue index + 1), 1 to 351
//   tnText the set as pitch-class numbers, or a Costère code (text with '.')
//   mode   >= 0: one EPS page; -1: first page of a multi-page document of
//          `pages` pages; -k (k > 1): its k-th page
std::string DrawHarmodexPage(int page, std::string tnText, int mode, int pages);

#endif

#ifndef HARMODEX_FORMATS_BOOKPDF_H
#define HARMODEX_FORMATS_BOOKPDF_H

// The whole catalogue as one PDF book: 351 pages of 17 x 24 cm, a title and
// subject, and one bookmark per page.

#include <functional>
#include <string>

// The bookmark of a page: "24 · 3-11b · 0 4 7".
std::string BookBookmark(int page);

// The book's PDF bytes. The pages are shared out among `parts` Ghostscript
// processes (0: as many as the machine has cores, two to four) that run side
// by side, and their PDFs are joined, not re-rendered. progress, when given,
// is called with the number of pages Ghostscript has taken in so far, from
// any thread but never two calls at once. Throws std::runtime_error with a
// plain message on failure.
std::string BookAsPdf(const std::function<void(int pagesDone)>& progress = nullptr, int parts = 0);

#endif

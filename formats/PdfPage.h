#ifndef HARMODEX_FORMATS_PDFPAGE_H
#define HARMODEX_FORMATS_PDFPAGE_H

// The first page of a PDF drawn as vectors onto any cairo context: an SVG
// surface, a printer's page, a PDF being written. poppler reads the PDF that
// Ghostscript made of the page, so the outlines and text shapes are the ones
// Ghostscript laid out.

#include <string>

#include <cairo.h>

typedef struct _PopplerDocument PopplerDocument;
typedef struct _PopplerPage PopplerPage;

class PdfPage {
public:
    // Throws std::runtime_error, naming the reason, when the bytes are no
    // PDF or hold no page.
    explicit PdfPage(const std::string& pdf);
    ~PdfPage();
    PdfPage(const PdfPage&) = delete;
    PdfPage& operator=(const PdfPage&) = delete;

    // The page's size in points.
    double width() const { return width_; }
    double height() const { return height_; }

    // Draws the page at one point per unit of the context's user space, its
    // top left corner at the origin, as it would print (no annotations'
    // on-screen forms).
    void draw(cairo_t* cr) const;

    // Draws it as large as fits in a width x height area of the context,
    // centred, its proportions kept.
    void drawFitted(cairo_t* cr, double width, double height) const;

private:
    PopplerDocument* document_ = nullptr;
    PopplerPage* page_ = nullptr;
    double width_ = 0, height_ = 0;
};

#endif

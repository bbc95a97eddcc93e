#ifndef HARMODEX_FORMATS_PAGEFORMATS_H
#define HARMODEX_FORMATS_PAGEFORMATS_H

// One page in the formats documents take: EPS as composed, a one-page PDF
// the size of the page's bounding box, a 300 dpi PNG that records its
// resolution, and a vector SVG that renders as the EPS does.

#include <string>

enum class PageFormat { Eps, Pdf, Png, Svg };

// The page in that format, as bytes (EPS: the composed page text and one
// newline, the bytes the window has always saved). Throws
// std::runtime_error with a plain message on failure.
std::string PageInFormat(int page, const std::string& tnText, PageFormat format);

// The same for a page already composed (the text DrawHarmodexPage gave), so
// that what is saved is exactly the page shown.
std::string PageInFormat(int page, const std::string& tnText, PageFormat format, const std::string& eps);

// "eps"/"pdf"/"png"/"svg" (any case), or a file name whose extension is one
// of them; false when it names none.
bool PageFormatFromName(const std::string& nameOrPath, PageFormat* format);

// The lower-case extension of a format, without the dot ("pdf").
const char* PageFormatExtension(PageFormat format);

// The title a page's PDF carries: "Harmodex page 24: 3-11b (0 4 7)".
std::string PageTitle(int page, const std::string& tnText);

// A 300 dpi raster resolution, recorded in the PNG.
constexpr double kPagePngResolution = 300.0;

#endif

#ifndef HARMODEX_RASTER_PREVIEW_H
#define HARMODEX_RASTER_PREVIEW_H

// Turns the EPS text of a page into the pixels the window shows.

#include <string>

#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <wand/MagickWand.h>

#include "base/Error.h"

// Size factor 1.0 shows the page at 155 dots per inch, the size at which it
// reads comfortably on an ordinary screen; the factor goes from a quarter
// of that to four times as much.
constexpr double kDotsPerInchAtSize1 = 155.0;
constexpr double kSmallestSize = 0.25;
constexpr double kLargestSize = 4.0;

// Starts the image library, once per process: later calls do nothing.
// Every program calls it before any thread of its own may rasterise. The
// page's pixels come from Ghostscript, run as a program with an argument
// vector, and the image library reads them.
void PreviewLibraryStart();
// Stops it, at the end of the process, once no thread uses it any more.
void PreviewLibraryStop();

// The page rasterised at the given resolution (dots per inch) as an RGBA
// pixbuf on a white sheet; the caller owns it. Throws harmodex::Error,
// saying why in plain words, when the text cannot be rasterised.
GdkPixbuf* getPixbufFromEPSpage(const std::string& eps, double resolution);

// The same, as an opaque cairo image surface whose device scale is set to
// deviceScale, so that a page rasterised at deviceScale times the resolution
// is drawn at its logical size, one image pixel per screen pixel. The caller
// owns it (cairo_surface_destroy). Touches no GTK state: any thread may call
// it once the library is started.
cairo_surface_t* getSurfaceFromEPSpage(const std::string& eps, double resolution, int deviceScale);

// The page as a PNG file's bytes at the given resolution, which the file
// records (its pHYs chunk) so that a document places it at its true size.
std::string PageAsPng(const std::string& eps, double resolution);

// The first image of a wand that has read one, as a new pixbuf, transparent
// areas laid on white; nullptr when it is empty or absurdly large. Throws
// harmodex::Error when the library cannot give its pixels.
GdkPixbuf* getPixbufFromWand(MagickWand* wand);

#endif

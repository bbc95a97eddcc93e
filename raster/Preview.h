#ifndef HARMODEX_RASTER_PREVIEW_H
#define HARMODEX_RASTER_PREVIEW_H

// Turns the EPS text of a page into the pixels the window shows.

#include <string>

#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <wand/MagickWand.h>

// Start and stop the image library; once per process, around all use.
// Starting also tells the library to have Ghostscript hand over raw,
// uncompressed pixels on a white sheet instead of a compressed transparent
// PNG (through a private configuration folder, gone again once read).
void PreviewLibraryStart();
void PreviewLibraryStop();

// The page rasterised at the given resolution (dots per inch) as an RGBA
// pixbuf on a white sheet; the caller owns it. Returns nullptr when the text
// cannot be rasterised; PreviewLastError() then says why in plain words.
GdkPixbuf* getPixbufFromEPSpage(const std::string& eps, double resolution);

// The same, as an opaque cairo image surface whose device scale is set to
// deviceScale, so that a page rasterised at deviceScale times the resolution
// is drawn at its logical size, one image pixel per screen pixel. The caller
// owns it (cairo_surface_destroy). On failure nullptr, *error says why.
// Safe to call from any one thread at a time besides the GUI thread: it
// touches no GTK state.
cairo_surface_t* getSurfaceFromEPSpage(const std::string& eps, double resolution, int deviceScale, std::string* error);

// The first image of a wand that has read one, as a new pixbuf, transparent
// areas laid on white.
GdkPixbuf* getPixbufFromWand(MagickWand* wand);

// What went wrong in the last failed rasterisation ("" after a success).
const std::string& PreviewLastError();

#endif

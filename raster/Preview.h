#ifndef HARMODEX_RASTER_PREVIEW_H
#define HARMODEX_RASTER_PREVIEW_H

// Turns the EPS text of a page into the pixels the window shows.

#include <string>

#include <gdk-pixbuf/gdk-pixbuf.h>
#include <wand/MagickWand.h>

// Start and stop the image library; once per process, around all use.
void PreviewLibraryStart();
void PreviewLibraryStop();

// The page rasterised at the given resolution (dots per inch) as an RGBA
// pixbuf on a white sheet; the caller owns it. Returns nullptr when the text
// cannot be rasterised; PreviewLastError() then says why in plain words.
GdkPixbuf* getPixbufFromEPSpage(const std::string& eps, double resolution);

// The first image of a wand that has read one, as a new pixbuf, transparent
// areas laid on white.
GdkPixbuf* getPixbufFromWand(MagickWand* wand);

// What went wrong in the last failed rasterisation ("" after a success).
const std::string& PreviewLastError();

#endif

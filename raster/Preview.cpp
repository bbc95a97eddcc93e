#include "raster/Preview.h"

namespace {

std::string lastError;

// Debian's ImageMagick forbids its PostScript coders by default, for files
// of unknown origin. Harmodex only rasterises PostScript it composed itself,
// so it lifts that rule for its own wands; Ghostscript still runs in its
// safe mode. Builds that do not let a program lift a system rule answer
// false here; the read then fails and the preview says so.
const char* const readOwnPostScript =
    "<policymap><policy domain=\"coder\" rights=\"read\" pattern=\"{PS,EPS}\" /></policymap>";

std::string wandException(MagickWand* wand)
{
    ExceptionType severity = UndefinedException;
    char* description = MagickGetException(wand, &severity);
    std::string text = description ? description : "";
    if (description)
        MagickRelinquishMemory(description);
    return text;
}

} // namespace

void PreviewLibraryStart() { MagickWandGenesis(); }
void PreviewLibraryStop() { MagickWandTerminus(); }

const std::string& PreviewLastError() { return lastError; }

GdkPixbuf* getPixbufFromWand(MagickWand* wand)
{
    const size_t width = MagickGetImageWidth(wand);
    const size_t height = MagickGetImageHeight(wand);
    if (width == 0 || height == 0 || width > 100000 || height > 100000)
        return nullptr;
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, static_cast<int>(width), static_cast<int>(height));
    if (!pixbuf)
        return nullptr;
    guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    MagickSetImageDepth(wand, 8);
    // Row by row, so that the spare bytes at the end of each pixbuf row stay
    // out of the image.
    for (size_t y = 0; y < height; ++y) {
        guchar* row = pixels + y * stride;
        MagickExportImagePixels(wand, 0, static_cast<ssize_t>(y), width, 1, "RGBA", CharPixel, row);
        // Ghostscript leaves unpainted paper transparent; lay it on white so
        // the page reads as a sheet of paper whatever the desktop theme.
        for (size_t x = 0; x < width; ++x) {
            guchar* p = row + 4 * x;
            const unsigned alpha = p[3];
            for (int c = 0; c < 3; ++c)
                p[c] = static_cast<guchar>((p[c] * alpha + 255u * (255u - alpha) + 127u) / 255u);
            p[3] = 255;
        }
    }
    return pixbuf;
}

GdkPixbuf* getPixbufFromEPSpage(const std::string& eps, double resolution)
{
    lastError.clear();
    if (eps.empty()) {
        lastError = "There is no page to show yet.";
        return nullptr;
    }
    MagickWand* wand = NewMagickWand();
    const bool policyLifted = MagickSetSecurityPolicy(wand, readOwnPostScript) == MagickTrue;
    MagickSetResolution(wand, resolution, resolution);
    GdkPixbuf* pixbuf = nullptr;
    if (MagickReadImageBlob(wand, eps.data(), eps.size()) == MagickTrue) {
        pixbuf = getPixbufFromWand(wand);
        if (!pixbuf)
            lastError = "The page could not be turned into an image of that size.";
    } else {
        std::string reason = wandException(wand);
        lastError = "The page could not be shown: " + (reason.empty() ? std::string("the image library read nothing") : reason) + ".\n";
        if (!policyLifted)
            lastError += "This ImageMagick build does not let Harmodex allow its PostScript reader; "
                         "allow the PS and EPS coders in ImageMagick's policy.xml to see the preview.\n";
        lastError += "Make sure Ghostscript and the URW base-35 fonts are installed "
                     "(Debian packages ghostscript and fonts-urw-base35).\n"
                     "The page can still be saved with \"Save EPS\".";
    }
    DestroyMagickWand(wand);
    return pixbuf;
}

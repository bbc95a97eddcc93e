#include "raster/Preview.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include <glib.h>
#include <glib/gstdio.h>

#include "postscript/FileOutput.h"
#include "raster/Ghostscript.h"

namespace {

// How Ghostscript is asked for the page's pixels: raw PPM, antialiased, on a
// white sheet the size of the page's bounding box (what the window lays the
// page on anyway), with the options ImageMagick's own PostScript reader
// uses, so that the page looks as it always has. Ghostscript is started by
// this program rather than through the image library, which would fork the
// whole program to start it: every page of the program's memory written
// next, the pixels read back above all, would then fault once, a third of
// each render.
std::vector<std::string> rasterOptions(double resolution, const std::string& fontMap, const std::string& eps,
                                       const std::string& ppm)
{
    char dpi[32];
    std::snprintf(dpi, sizeof dpi, "-r%g", resolution);
    std::vector<std::string> options = {"-dMaxBitmap=500000000",
                                        "-dAlignToPixels=0",
                                        "-dGridFitTT=2",
                                        "-sDEVICE=ppmraw",
                                        "-dTextAlphaBits=4",
                                        "-dGraphicsAlphaBits=4",
                                        dpi,
                                        "-dEPSCrop"};
    if (!fontMap.empty())  // "Fontmap" first: Ghostscript's own map stays in force
        options.push_back("-sFONTMAP=Fontmap" G_SEARCHPATH_SEPARATOR_S + fontMap);
    options.push_back("-sOutputFile=" + GhostscriptOutputFile(ppm));
    options.push_back("-f");
    options.push_back(eps);
    return options;
}

// The page names Arial and two Helvetica variants by names Ghostscript's
// font map lacks; it then searches its font folders before substituting
// the same URW fonts these lines name, on every page.
const char* const fontAliases = "% Fonts of the Harmodex page, named as Ghostscript would substitute them.\n"
                                "/ArialMT /Helvetica ;\n"
                                "/Helvetica-Italic /Helvetica-Oblique ;\n"
                                "/Helvetica-Bold-Italic /Helvetica-BoldOblique ;\n";

// The file adding those aliases to Ghostscript's own font map, or "" when
// it cannot be kept. It lives in the user's cache folder and is written
// only when missing or different; a path holding the search path's
// separator could not be named to Ghostscript.
std::string fontMapFile()
{
    const std::string folder = std::string(g_get_user_cache_dir()) + "/harmodex";
    const std::string path = folder + "/Fontmap";
    if (path.find(G_SEARCHPATH_SEPARATOR) != std::string::npos)
        return "";
    gchar* present = nullptr;
    const bool same =
        g_file_get_contents(path.c_str(), &present, nullptr, nullptr) && std::strcmp(present, fontAliases) == 0;
    g_free(present);
    if (!same) {
        try {
            if (g_mkdir_with_parents(folder.c_str(), 0755) != 0)
                return "";
            WriteFileAtomically(path, fontAliases);
        } catch (const harmodex::Error&) {
            return "";  // Ghostscript still finds the fonts, by searching
        }
    }
    return path;
}

// Written once, when the library starts.
std::string& fontMap()
{
    static std::string path;
    return path;
}

std::string wandException(MagickWand* wand)
{
    ExceptionType severity = UndefinedException;
    char* description = MagickGetException(wand, &severity);
    std::string text = description ? description : "";
    if (description)
        MagickRelinquishMemory(description);
    return text;
}

// The largest side accepted, in pixels: far beyond size 4.0 at scale 3.
constexpr size_t kLargestSide = 100000;

// Where red, green, blue and alpha go in each 4-byte pixel written.
struct ChannelOrder {
    int red, green, blue, alpha;
};
constexpr ChannelOrder kRgba{0, 1, 2, 3};

// Rows the library hands over at a time: large enough that a page kept on
// disk is read in long runs, small enough to stay in the processor's cache.
constexpr size_t kRowsAtOnce = 32;

// Writes rows [first, first + count) of the image, 8 bits a channel, into
// rows of the given stride, transparent areas laid on white so that the page
// reads as a sheet of paper whatever the desktop theme. Each call reads
// through a cache view of its own: the image's own view shares one buffer
// among all threads outside OpenMP, which is harmless while the library
// keeps the pixels in memory (it hands out pointers into them) but not once
// a large page exceeds its memory limit and lives in a mapped or disk cache
// (each read then copies into that buffer, and two threads overwrite each
// other's rows). Returns false when the library cannot give the pixels.
bool exportRows(const Image* image, size_t first, size_t count, size_t width, ChannelOrder order, bool transparent,
                unsigned char* pixels, size_t stride)
{
    ExceptionInfo* exception = AcquireExceptionInfo();
    CacheView* view = AcquireVirtualCacheView(image, exception);
    bool complete = view != nullptr;
    for (size_t y = first; complete && y < first + count; y += kRowsAtOnce) {
        const size_t rows = std::min(kRowsAtOnce, first + count - y);
        const PixelPacket* p = GetCacheViewVirtualPixels(view, 0, static_cast<ssize_t>(y), width, rows, exception);
        if (!p) {
            complete = false;
            break;
        }
        for (size_t r = 0; r < rows; ++r) {
            unsigned char* q = pixels + (y + r) * stride;
            for (size_t x = 0; x < width; ++x, ++p, q += 4) {
                q[order.red] = ScaleQuantumToChar(GetPixelRed(p));
                q[order.green] = ScaleQuantumToChar(GetPixelGreen(p));
                q[order.blue] = ScaleQuantumToChar(GetPixelBlue(p));
                if (!transparent) {
                    q[order.alpha] = 255;
                    continue;
                }
                const unsigned alpha = ScaleQuantumToChar(static_cast<Quantum>(GetPixelAlpha(p)));
                q[order.alpha] = 255;
                if (alpha == 255)
                    continue;
                for (int c : {order.red, order.green, order.blue})
                    q[c] = static_cast<unsigned char>((q[c] * alpha + 255u * (255u - alpha) + 127u) / 255u);
            }
        }
    }
    if (view)
        DestroyCacheView(view);
    DestroyExceptionInfo(exception);
    return complete;
}

// Exports the wand's pixels in the given channel order into rows of the
// given stride: the page in two halves, the lower one on a second thread (at
// size 4.0 each half is 12 million pixels). Throws harmodex::Error when the
// library cannot give them.
void exportOnWhite(MagickWand* wand, size_t width, size_t height, ChannelOrder order, unsigned char* pixels,
                   size_t stride)
{
    MagickSetImageDepth(wand, 8);
    const Image* image = GetImageFromMagickWand(wand);
    // Ghostscript's raw pixels come opaque, on white; only a page read the
    // library's stock way (transparent paper) needs laying on white.
    const bool transparent = MagickGetImageAlphaChannel(wand) == MagickTrue;
    const size_t top = height / 2;
    bool lowerComplete = false;
    std::thread lower(
        [&] { lowerComplete = exportRows(image, top, height - top, width, order, transparent, pixels, stride); });
    const bool upperComplete = exportRows(image, 0, top, width, order, transparent, pixels, stride);
    lower.join();
    if (!upperComplete || !lowerComplete)
        throw harmodex::Error("The page's pixels could not be read back from the image library (" +
                              std::to_string(width) + " x " + std::to_string(height) + " pixels).");
}

// Reads the page into a new wand; throws harmodex::Error on failure.
MagickWand* readPage(const std::string& eps, double resolution)
{
    if (eps.empty())
        throw harmodex::Error::BadInput("There is no page to show yet.");
    std::string pixels;
    try {
        ScratchFolder scratch;
        const std::string page = scratch.file("page.eps"), image = scratch.file("page.ppm");
        WriteFileAtomically(page, eps);
        RunGhostscript(rasterOptions(resolution, fontMap(), page, image));
        gchar* bytes = nullptr;
        gsize length = 0;
        if (!g_file_get_contents(image.c_str(), &bytes, &length, nullptr))
            throw std::runtime_error("Ghostscript wrote no image");
        pixels.assign(bytes, length);
        g_free(bytes);
    } catch (const std::exception& e) {
        throw harmodex::Error(std::string("The page could not be rasterised: ") + e.what() +
                              ".\nMake sure the URW base-35 fonts are installed (Debian package fonts-urw-base35).");
    }
    MagickWand* wand = NewMagickWand();
    MagickSetResolution(wand, resolution, resolution);
    MagickSetFormat(wand, "PPM");
    if (MagickReadImageBlob(wand, pixels.data(), pixels.size()) == MagickTrue)
        return wand;
    const std::string reason = wandException(wand);
    DestroyMagickWand(wand);
    throw harmodex::Error("The page's pixels could not be read by the image library" +
                          (reason.empty() ? std::string(".") : ": " + reason + "."));
}

// Destroys a wand when leaving a scope, thrown out of or not.
struct WandOwner {
    MagickWand* wand;
    ~WandOwner() { DestroyMagickWand(wand); }
};

const char* const kTooLarge = "The page could not be turned into an image of that size.";

}  // namespace

void PreviewLibraryStart()
{
    static std::once_flag started;
    std::call_once(started, [] {
        MagickWandGenesis();
        fontMap() = fontMapFile();
    });
}

void PreviewLibraryStop() { MagickWandTerminus(); }

GdkPixbuf* getPixbufFromWand(MagickWand* wand)
{
    const size_t width = MagickGetImageWidth(wand);
    const size_t height = MagickGetImageHeight(wand);
    if (width == 0 || height == 0 || width > kLargestSide || height > kLargestSide)
        return nullptr;
    GdkPixbuf* pixbuf = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, static_cast<int>(width), static_cast<int>(height));
    if (!pixbuf)
        return nullptr;
    guchar* pixels = gdk_pixbuf_get_pixels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    try {
        exportOnWhite(wand, width, height, kRgba, pixels, static_cast<size_t>(stride));
    } catch (const harmodex::Error&) {
        g_object_unref(pixbuf);
        throw;
    }
    return pixbuf;
}

GdkPixbuf* getPixbufFromEPSpage(const std::string& eps, double resolution)
{
    const WandOwner page{readPage(eps, resolution)};
    GdkPixbuf* pixbuf = getPixbufFromWand(page.wand);
    if (!pixbuf)
        throw harmodex::Error(kTooLarge);
    return pixbuf;
}

std::string PageAsPng(const std::string& eps, double resolution)
{
    GdkPixbuf* image = getPixbufFromEPSpage(eps, resolution);
    gchar* png = nullptr;
    gsize length = 0;
    GError* error = nullptr;
    const std::string dpi = std::to_string(static_cast<int>(resolution + 0.5));
    const bool encoded = gdk_pixbuf_save_to_buffer(image, &png, &length, "png", &error, "x-dpi", dpi.c_str(), "y-dpi",
                                                   dpi.c_str(), "compression", "9", nullptr);
    g_object_unref(image);
    if (!encoded) {
        const std::string reason = error ? error->message : "unknown error";
        g_clear_error(&error);
        throw harmodex::Error("cannot encode the PNG: " + reason);
    }
    std::string bytes(png, length);
    g_free(png);
    return bytes;
}

cairo_surface_t* getSurfaceFromEPSpage(const std::string& eps, double resolution, int deviceScale)
{
    const WandOwner page{readPage(eps, resolution)};
    MagickWand* wand = page.wand;
    const size_t width = MagickGetImageWidth(wand);
    const size_t height = MagickGetImageHeight(wand);
    cairo_surface_t* surface = nullptr;
    if (width > 0 && height > 0 && width <= kLargestSide && height <= kLargestSide) {
        surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(width), static_cast<int>(height));
        if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(surface);
            surface = nullptr;
        }
    }
    if (!surface)
        throw harmodex::Error(kTooLarge);
    cairo_surface_flush(surface);
    unsigned char* pixels = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    // Cairo keeps a pixel as one native-endian 32-bit word 0xAARRGGBB.
    const bool littleEndian = G_BYTE_ORDER == G_LITTLE_ENDIAN;
    const ChannelOrder order = littleEndian ? ChannelOrder{2, 1, 0, 3} : ChannelOrder{1, 2, 3, 0};
    try {
        exportOnWhite(wand, width, height, order, pixels, static_cast<size_t>(stride));
    } catch (const harmodex::Error&) {
        cairo_surface_destroy(surface);
        throw;
    }
    cairo_surface_mark_dirty(surface);
    const double scale = deviceScale > 0 ? deviceScale : 1;
    cairo_surface_set_device_scale(surface, scale, scale);
    return surface;
}

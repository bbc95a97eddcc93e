#include "raster/Preview.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include <glib.h>
#include <glib/gstdio.h>
#include <unistd.h>

#include "postscript/FileOutput.h"

namespace {

// Debian's ImageMagick forbids its PostScript coders by default, for files
// of unknown origin. Harmodex only rasterises PostScript it composed itself,
// so it lifts that rule for its own wands; Ghostscript still runs in its
// safe mode. Builds that do not let a program lift a system rule answer
// false here; the read then fails and the preview says so.
const char* const readOwnPostScript =
    "<policymap><policy domain=\"coder\" rights=\"read\" pattern=\"{PS,EPS}\" /></policymap>";

// How ImageMagick asks Ghostscript for the pixels of a PostScript page. Its
// stock command has Ghostscript write a transparent, compressed PNG that
// ImageMagick then decodes again: at the window's sizes that encoding and
// decoding cost more than the rasterising itself. Raw PPM carries the same
// antialiased pixels uncompressed, already on a white sheet (what the window
// lays the page on anyway). Every option but the device (and the font map
// below) is the stock one, so the page looks the same to within rounding.
//
// How the library starts Ghostscript matters as much. Given a plain command
// it forks the whole program, which write-protects every page of the
// program's memory until it is next written; the image then read back and
// the surface it is copied into land in such pages, one fault per page,
// about a third of a page's rendering time. A command carrying a redirection
// is handed to system() instead, which starts the shell without copying the
// program (posix_spawn). The redirection gives Ghostscript an empty
// standard input, which it never reads anyway. The shell sees only the
// options above and file names; shellSafe says whether every one of those
// names is made of plain path characters, and only then is the redirection
// added.
std::string rawPixelDelegates(const std::string& fontMapOption, bool shellSafe)
{
    std::string command =
        "&quot;gs&quot; -sstdout=%%stderr -dQUIET -dSAFER -dBATCH -dNOPAUSE -dNOPROMPT -dMaxBitmap=500000000 "
        "-dAlignToPixels=0 -dGridFitTT=2 &quot;-sDEVICE=ppmraw&quot; " +
        fontMapOption +
        "-dTextAlphaBits=%u -dGraphicsAlphaBits=%u &quot;-r%s&quot; %s &quot;-sOutputFile=%s&quot; "
        "&quot;-f%s&quot; &quot;-f%s&quot;";
    if (shellSafe)
        command += " &lt;/dev/null";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<delegatemap>\n"
           "  <delegate decode=\"ps:alpha\" stealth=\"True\" command=\"" +
           command +
           "\"/>\n"
           "  <delegate decode=\"ps:color\" stealth=\"True\" command=\"" +
           command +
           "\"/>\n"
           "</delegatemap>\n";
}

// Whether a path is made only of characters no shell treats specially.
bool isPlainPath(const std::string& path)
{
    return !path.empty() &&
           path.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789/._-+") ==
               std::string::npos;
}

// The folder where the image library puts the files it hands to
// Ghostscript, as the library itself reports it (by making a file there and
// removing it again), or "" when it can make none.
std::string imageLibraryTemporaryFolder()
{
    char path[MaxTextExtent] = "";
    const int file = AcquireUniqueFileResource(path);
    if (file == -1)
        return "";
    close(file);
    RelinquishUniqueFileResource(path);
    gchar* folder = g_path_get_dirname(path);
    std::string result = folder;
    g_free(folder);
    return result;
}

// Whether the names of the library's temporary files may reach a shell.
// A folder with a blank, a quote, a dollar sign or a percent sign in its
// name (from TMPDIR, say) would become part of the command, or be read as a
// file name pattern: the library's short-lived files then go to /tmp.
bool temporaryFilesHavePlainNames()
{
    if (isPlainPath(imageLibraryTemporaryFolder()))
        return true;
    ExceptionInfo* exception = AcquireExceptionInfo();
    SetImageRegistry(StringRegistryType, "temporary-path", "/tmp", exception);
    DestroyExceptionInfo(exception);
    return isPlainPath(imageLibraryTemporaryFolder());
}

// The page names Arial and two Helvetica variants by names Ghostscript's
// font map lacks; it then searches its font folders before substituting
// the same URW fonts these lines name, on every page.
const char* const fontAliases = "% Fonts of the Harmodex page, named as Ghostscript would substitute them.\n"
                                "/ArialMT /Helvetica ;\n"
                                "/Helvetica-Italic /Helvetica-Oblique ;\n"
                                "/Helvetica-Bold-Italic /Helvetica-BoldOblique ;\n";

// The Ghostscript option adding those aliases to its own font map, or ""
// when they cannot be kept. They live in the user's cache folder (they must
// outlast the start, while Ghostscript runs) and are written only when
// missing or different. The path goes into a command line ImageMagick hands
// to a shell, so only plain path characters are accepted.
std::string fontMapOption()
{
    const std::string folder = std::string(g_get_user_cache_dir()) + "/harmodex";
    const std::string path = folder + "/Fontmap";
    if (!isPlainPath(path))
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
    // "Fontmap" first: Ghostscript's own map stays in force.
    return "&quot;-sFONTMAP=Fontmap" G_SEARCHPATH_SEPARATOR_S + path + "&quot; ";
}

// The private folder holding that configuration while the library runs,
// and the search path it was put in front of. Held in a function so that
// the library can be started from other files' static initialisers.
struct ConfigurationState {
    std::string folder;
    std::string previousPath;
    bool hadPreviousPath = false;
};
ConfigurationState& configuration()
{
    static ConfigurationState state;
    return state;
}

void writeDelegateConfiguration()
{
    ConfigurationState& c = configuration();
    GError* error = nullptr;
    gchar* folder = g_dir_make_tmp("harmodex-XXXXXX", &error);
    if (!folder) {
        // Not fatal: ImageMagick's own configuration still rasterises, only
        // more slowly.
        g_warning("Harmodex: no private folder for the image library's configuration (%s); "
                  "previews are rendered the slower way.",
                  error ? error->message : "unknown reason");
        g_clear_error(&error);
        return;
    }
    c.folder = folder;
    g_free(folder);
    try {
        WriteFileAtomically(c.folder + "/delegates.xml",
                            rawPixelDelegates(fontMapOption(), temporaryFilesHavePlainNames()));
    } catch (const harmodex::Error& e) {
        g_warning("Harmodex: %s; previews are rendered the slower way.", e.what());
        g_rmdir(c.folder.c_str());
        c.folder.clear();
        return;
    }
    // Searched before ImageMagick's own folders, whose other settings stay.
    const char* previous = std::getenv("MAGICK_CONFIGURE_PATH");
    c.hadPreviousPath = previous != nullptr;
    c.previousPath = previous ? previous : "";
    std::string path = c.folder;
    if (previous && *previous)
        path += G_SEARCHPATH_SEPARATOR_S + c.previousPath;
    g_setenv("MAGICK_CONFIGURE_PATH", path.c_str(), TRUE);
}

void removeDelegateConfiguration()
{
    ConfigurationState& c = configuration();
    if (c.folder.empty())
        return;
    g_remove((c.folder + "/delegates.xml").c_str());
    g_rmdir(c.folder.c_str());
    c.folder.clear();
    if (c.hadPreviousPath)
        g_setenv("MAGICK_CONFIGURE_PATH", c.previousPath.c_str(), TRUE);
    else
        g_unsetenv("MAGICK_CONFIGURE_PATH");
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
    MagickWand* wand = NewMagickWand();
    const bool policyLifted = MagickSetSecurityPolicy(wand, readOwnPostScript) == MagickTrue;
    MagickSetResolution(wand, resolution, resolution);
    if (MagickReadImageBlob(wand, eps.data(), eps.size()) == MagickTrue)
        return wand;
    const std::string reason = wandException(wand);
    DestroyMagickWand(wand);
    std::string message = "The page could not be rasterised: " +
                          (reason.empty() ? std::string("the image library read nothing") : reason) + ".\n";
    if (!policyLifted)
        message += "This ImageMagick build does not let Harmodex allow its PostScript reader; "
                   "allow the PS and EPS coders in ImageMagick's policy.xml.\n";
    message += "Make sure Ghostscript and the URW base-35 fonts are installed "
               "(Debian packages ghostscript and fonts-urw-base35).";
    throw harmodex::Error(message);
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
        // Started first, so that its policy can be asked where its temporary
        // files go; it reads no delegate configuration until asked below.
        MagickWandGenesis();
        writeDelegateConfiguration();
        // ImageMagick reads its delegate configuration on first use; using it
        // now lets the private folder go at once, so that nothing is left behind
        // even by a process that never stops the library (or is killed).
        ExceptionInfo* exception = AcquireExceptionInfo();
        GetDelegateInfo("ps:alpha", nullptr, exception);
        DestroyExceptionInfo(exception);
        removeDelegateConfiguration();
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

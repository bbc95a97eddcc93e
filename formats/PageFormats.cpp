#include "formats/PageFormats.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include <cairo-svg.h>
#include <gio/gio.h>

#include "base/Version.h"
#include "raster/Ghostscript.h"
#include "formats/PdfPage.h"
#include "page/HarmodexPage.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"
#include "raster/Preview.h"

namespace {

std::string readWhole(const std::string& path)
{
    gchar* data = nullptr;
    gsize length = 0;
    GError* error = nullptr;
    if (!g_file_get_contents(path.c_str(), &data, &length, &error)) {
        const std::string reason = error ? error->message : "unknown error";
        g_clear_error(&error);
        throw std::runtime_error("Ghostscript wrote no PDF: " + reason);
    }
    std::string bytes(data, length);
    g_free(data);
    return bytes;
}

// Ghostscript's pdfwrite makes the PDF; -dEPSCrop gives the page the EPS
// bounding box as its size, and the pdfmark sets the document's title and
// names Harmodex and its version as its creator.
std::string pageAsPdf(int page, const std::string& tnText, const std::string& eps)
{
    ScratchFolder scratch;
    const std::string in = scratch.file("page.eps"), out = scratch.file("page.pdf");
    if (!g_file_set_contents(in.c_str(), eps.data(), static_cast<gssize>(eps.size()), nullptr))
        throw std::runtime_error("cannot write a temporary copy of the page in " + scratch.path());
    // The Creator is Harmodex and its version; the Producer, the program that
    // turned the page into PDF, stays Ghostscript's own (pdfwrite sets it).
    const std::string maker = std::string("Harmodex ") + harmodex::kVersion;
    // The pdfmark comes after the page: pdfwrite takes the page's own %%Title
    // comment as the title while reading it, and the last word wins.
    RunGhostscript({"-sDEVICE=pdfwrite", "-dEPSCrop", "-sOutputFile=" + GhostscriptOutputFile(out), "-f", in, "-c",
                    "[ /Title " + PdfTextString(PageTitle(page, tnText)) + " /Creator " + PdfTextString(maker) +
                        " /DOCINFO pdfmark"});
    return readWhole(out);
}

cairo_status_t appendTo(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// The SVG is the PDF page drawn by poppler onto cairo's SVG surface: the
// same outlines and text shapes Ghostscript laid out, as vectors.
std::string pdfAsSvg(const std::string& pdf)
{
    const PdfPage page(pdf);
    std::string svg;
    cairo_surface_t* surface = cairo_svg_surface_create_for_stream(appendTo, &svg, page.width(), page.height());
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PT);
    cairo_t* cr = cairo_create(surface);
    page.draw(cr);
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS)
        status = cairo_surface_status(surface);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error(std::string("cannot draw the page as SVG: ") + cairo_status_to_string(status));
    return svg;
}

// The preview's own rasteriser at 300 dpi, the resolution recorded in the
// file.
std::string pageAsPng(const std::string& eps)
{
    PreviewLibraryStart();  // once per process; the window and the CLI start it first
    return PageAsPng(eps, kPagePngResolution);
}

}  // namespace

std::string PageTitle(int page, const std::string& tnText)
{
    // The catalogue's own spelling of the set, whatever form tnText has.
    const PitchUniverse& u = SharedUniverse();
    if (page < 1 || page > PitchUniverse::NumTnTypes)
        return "Harmodex page " + std::to_string(page) + " (" + tnText + ")";
    return "Harmodex page " + std::to_string(page) + ": " + u.forteNames[page - 1] + " (" + u.tnTypes[page - 1] + ")";
}

std::string PageInFormat(int page, const std::string& tnText, PageFormat format)
{
    if (page < 1 || page > PitchUniverse::NumTnTypes)
        throw std::runtime_error("there is no page " + std::to_string(page));
    return PageInFormat(page, tnText, format, DrawHarmodexPage(page, tnText, 0, 0));
}

std::string PageInFormat(int page, const std::string& tnText, PageFormat format, const std::string& composed)
{
    if (composed.empty())
        throw std::runtime_error("there is no page yet");
    const std::string eps = composed + "\n";
    switch (format) {
    case PageFormat::Eps:
        return eps;
    case PageFormat::Pdf:
        return pageAsPdf(page, tnText, eps);
    case PageFormat::Png:
        return pageAsPng(eps);
    case PageFormat::Svg:
        return pdfAsSvg(pageAsPdf(page, tnText, eps));
    }
    throw std::runtime_error("unknown page format");
}

bool PageFormatFromName(const std::string& nameOrPath, PageFormat* format)
{
    const size_t slash = nameOrPath.rfind('/');
    const size_t dot = nameOrPath.rfind('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    if (!hasExtension && slash != std::string::npos)
        return false;  // a path without an extension names no format
    std::string word = hasExtension ? nameOrPath.substr(dot + 1) : nameOrPath;
    std::transform(word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::tolower(c); });
    for (PageFormat f : {PageFormat::Eps, PageFormat::Pdf, PageFormat::Png, PageFormat::Svg})
        if (word == PageFormatExtension(f)) {
            *format = f;
            return true;
        }
    return false;
}

const char* PageFormatExtension(PageFormat format)
{
    switch (format) {
    case PageFormat::Eps:
        return "eps";
    case PageFormat::Pdf:
        return "pdf";
    case PageFormat::Png:
        return "png";
    case PageFormat::Svg:
        return "svg";
    }
    return "eps";
}

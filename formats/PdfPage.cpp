#include "formats/PdfPage.h"

#include <algorithm>
#include <stdexcept>

#include <poppler.h>

PdfPage::PdfPage(const std::string& pdf)
{
    GBytes* bytes = g_bytes_new(pdf.data(), pdf.size());
    GError* error = nullptr;
    document_ = poppler_document_new_from_bytes(bytes, nullptr, &error);
    g_bytes_unref(bytes);
    if (!document_) {
        const std::string reason = error ? error->message : "unknown error";
        g_clear_error(&error);
        throw std::runtime_error("cannot read the page's PDF: " + reason);
    }
    page_ = poppler_document_get_page(document_, 0);
    if (!page_) {
        g_object_unref(document_);
        throw std::runtime_error("the page's PDF has no page to draw");
    }
    poppler_page_get_size(page_, &width_, &height_);
}

PdfPage::~PdfPage()
{
    g_object_unref(page_);
    g_object_unref(document_);
}

void PdfPage::draw(cairo_t* cr) const { poppler_page_render_for_printing(page_, cr); }

void PdfPage::drawFitted(cairo_t* cr, double width, double height) const
{
    if (width_ <= 0 || height_ <= 0 || width <= 0 || height <= 0)
        return;
    const double scale = std::min(width / width_, height / height_);
    cairo_save(cr);
    cairo_translate(cr, (width - width_ * scale) / 2, (height - height_ * scale) / 2);
    cairo_scale(cr, scale, scale);
    draw(cr);
    cairo_restore(cr);
}

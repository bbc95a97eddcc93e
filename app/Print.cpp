#include "app/Print.h"

#include <memory>
#include <stdexcept>

#include <cairo-pdf.h>

#include "app/Export.h"
#include "base/Error.h"
#include "formats/PageFormats.h"
#include "formats/PdfPage.h"
#include "pcset/Conversions.h"

namespace {

// The page settings chosen last, kept for the next print while the window
// lives (the printer, the paper, the copies).
GtkPrintSettings* lastSettings = nullptr;

// What the pages of one print operation need.
struct PrintJob {
    std::unique_ptr<PdfPage> page;
    std::string title;
};

void drawPage(GtkPrintOperation*, GtkPrintContext* context, gint, gpointer data)
{
    const PrintJob& job = *static_cast<const PrintJob*>(data);
    cairo_t* cr = gtk_print_context_get_cairo_context(context);
    // Printed to a PDF file, the document carries the page's title.
    cairo_surface_t* target = cairo_get_target(cr);
    if (cairo_surface_get_type(target) == CAIRO_SURFACE_TYPE_PDF)
        cairo_pdf_surface_set_metadata(target, CAIRO_PDF_METADATA_TITLE, job.title.c_str());
    job.page->drawFitted(cr, gtk_print_context_get_width(context), gtk_print_context_get_height(context));
}

// The shown page as a PDF, read for drawing; throws harmodex::Error.
std::unique_ptr<PdfPage> shownPageAsPdf(AppWindow& w)
{
    const std::string tnText = VectorToString(w.typedSet.getTnType());
    const int page = FindSetID(tnText, w.universe) + 1;
    try {
        return std::make_unique<PdfPage>(PageInFormat(page, tnText, PageFormat::Pdf, w.shownPage));
    } catch (const std::exception& e) {
        throw harmodex::Error(std::string("The page could not be prepared for printing: ") + e.what());
    }
}

// Runs a print operation of one page over the shown page; returns the result
// and, on an error, its message.
GtkPrintOperationResult runPrint(AppWindow& w, GtkPrintOperationAction action, const std::string& exportPath,
                                 std::string* failure)
{
    PrintJob job{shownPageAsPdf(w), PageTitle(w.preview.shownKey.page, VectorToString(w.typedSet.getTnType()))};
    const PdfPage* page = job.page.get();
    GtkPrintOperation* operation = gtk_print_operation_new();
    gtk_print_operation_set_n_pages(operation, 1);
    gtk_print_operation_set_current_page(operation, 0);
    gtk_print_operation_set_unit(operation, GTK_UNIT_POINTS);
    gtk_print_operation_set_embed_page_setup(operation, TRUE);
    gtk_print_operation_set_job_name(operation, job.title.c_str());
    if (lastSettings)
        gtk_print_operation_set_print_settings(operation, lastSettings);
    // A page taller than wide prints upright, a wider one across the paper.
    GtkPageSetup* setup = gtk_page_setup_new();
    gtk_page_setup_set_orientation(setup, page->width() > page->height() ? GTK_PAGE_ORIENTATION_LANDSCAPE
                                                                         : GTK_PAGE_ORIENTATION_PORTRAIT);
    gtk_print_operation_set_default_page_setup(operation, setup);
    g_object_unref(setup);
    if (!exportPath.empty())
        gtk_print_operation_set_export_filename(operation, exportPath.c_str());
    g_signal_connect(operation, "draw-page", G_CALLBACK(drawPage), &job);
    GError* error = nullptr;
    const GtkPrintOperationResult result =
        gtk_print_operation_run(operation, action, w.window ? GTK_WINDOW(w.window) : nullptr, &error);
    if (result == GTK_PRINT_OPERATION_RESULT_APPLY) {
        if (lastSettings)
            g_object_unref(lastSettings);
        lastSettings = GTK_PRINT_SETTINGS(g_object_ref(gtk_print_operation_get_print_settings(operation)));
    }
    if (result == GTK_PRINT_OPERATION_RESULT_ERROR && failure)
        *failure = error ? error->message : "the printing system gave no reason";
    g_clear_error(&error);
    g_object_unref(operation);
    return result;
}

}  // namespace

void PrintShownPage(AppWindow& w)
{
    if (w.shownPage.empty()) {
        gtk_widget_error_bell(w.window);  // no page yet: there is nothing to print
        return;
    }
    std::string failure;
    try {
        if (runPrint(w, GTK_PRINT_OPERATION_ACTION_PRINT_DIALOG, "", &failure) != GTK_PRINT_OPERATION_RESULT_ERROR)
            return;
    } catch (const harmodex::Error& e) {
        failure = e.what();
    }
    ShowPageFailure(w.window, "Print page", "The page could not be printed.", failure);
}

void ExportShownPageAsPrinted(AppWindow& w, const std::string& path)
{
    if (w.shownPage.empty())
        throw harmodex::Error("cannot print to " + path + ": there is no page yet");
    std::string failure;
    if (runPrint(w, GTK_PRINT_OPERATION_ACTION_EXPORT, path, &failure) == GTK_PRINT_OPERATION_RESULT_ERROR)
        throw harmodex::Error("cannot print to " + path + ": " + failure);
}

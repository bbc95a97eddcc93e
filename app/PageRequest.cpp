#include "app/PageRequest.h"

#include "raster/Preview.h"
#include "app/Export.h"
#include "app/ReadingBar.h"
#include "app/Sound.h"
#include "app/Window.h"
#include "page/HarmodexPage.h"
#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"

namespace {

// The preview at 155 dots per inch per unit of the size factor.
double currentResolution() { return static_cast<double>(PSsize) * 155.0; }

void showPixbuf(GdkPixbuf* fresh)
{
    if (fresh) {
        // The image widget keeps its own reference; ours to the old page is
        // released here so memory stays flat over any number of requests.
        if (pixbuf)
            g_object_unref(pixbuf);
        pixbuf = fresh;
        gtk_image_set_from_pixbuf(GTK_IMAGE(gtkcairo), pixbuf);
        gtk_widget_hide(previewMessage);
        gtk_widget_queue_draw(gtkcairo);
        gtk_widget_show(gtkcairo);
    } else {
        gtk_label_set_text(GTK_LABEL(previewMessage), PreviewLastError().c_str());
        gtk_widget_show(previewMessage);
    }
}

void rasterise() { showPixbuf(getPixbufFromEPSpage(myVirtualPaper, currentResolution())); }

} // namespace

void get_entry_value(GtkWidget*, void* data)
{
    const long which = reinterpret_cast<long>(data);
    GtkWidget* field = which == 1 ? entryST : which == 2 ? entryCO : nullptr;
    if (!field)
        return;
    const std::string text = gtk_entry_get_text(GTK_ENTRY(field));
    UpdateReadingBar(text, which == 2);

    std::vector<int> list = ReadSetText(text);
    if (list.empty()) {
        // Nothing to analyse: the page shown stays shown and saveable, and
        // the fields keep what the user typed.
        gtk_widget_error_bell(field);
        return;
    }
    StopSound();
    MyPCset.initializeSet(list);

    const std::string tnText = VectorToString(MyPCset.getTnType());
    const int page = FindSetID(tnText, aPu) + 1;
    if (page >= 1 && page <= PitchUniverse::NumTnTypes) {
        myVirtualPaper.clear();
        myVirtualPaper = DrawHarmodexPage(page, tnText, 0, 0);
        PageIsSaveable();
        rasterise();
    }

    gtk_entry_set_text(GTK_ENTRY(entryST), VectorToStringPC(MyPCset.getTnType()).c_str());
    gtk_entry_set_text(GTK_ENTRY(entryCO), calculateAdjCostereNumber(MyPCset.getTnType()).c_str());
}

void get_spinner1_value(GtkWidget*, void*)
{
    PSsize = static_cast<float>(gtk_spin_button_get_value(GTK_SPIN_BUTTON(spinner1)));
    if (!myVirtualPaper.empty())
        rasterise();
}


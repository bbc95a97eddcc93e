#include "app/PageRequest.h"

#include <cmath>
#include <memory>

#include "app/PreviewWorker.h"

#include "app/Export.h"
#include "app/ReadingBar.h"
#include "app/Sound.h"
#include "app/Window.h"
#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"

namespace {

// Rendered previews kept for going back: 192 MiB of pixels, some thirty
// pages at size 1.0 (6 MB each) or one at size 4.0 (97 MB). Beside the cache
// live only the image shown (when it has left the cache) and the one being
// made, so the window stays below its old peak at size 4.0.
constexpr std::size_t kCacheBound = std::size_t{192} << 20;
// Neighbours are prepared only while each is at most a quarter of the cache
// (up to about size 2.8 at scale 1, 1.4 at scale 2).
constexpr std::size_t kLargestPrepared = kCacheBound / 4;

PreviewCache cache(kCacheBound);
std::unique_ptr<PreviewWorker> worker;

int currentPage = 0;
PreviewKey wantedKey;
PreviewKey shownKey;
cairo_surface_t* shown = nullptr;
bool pending = false;
bool preparingNeighbours = true;

void deliver(PreviewResult& result);

PreviewWorker& theWorker()
{
    if (!worker)
        worker = std::make_unique<PreviewWorker>(RenderPreview, deliver);
    return *worker;
}

int screenScale() { return window ? std::max(1, gtk_widget_get_scale_factor(window)) : 1; }

PreviewKey keyFor(int page)
{
    return {page, static_cast<int>(std::lround(static_cast<double>(PSsize) * 100.0)), screenScale()};
}

void setBusy(bool busy)
{
    pending = busy;
    if (!busyIndicator)
        return;
    if (busy) {
        gtk_widget_show(busyIndicator);
        gtk_spinner_start(GTK_SPINNER(busyIndicator));
    } else {
        gtk_spinner_stop(GTK_SPINNER(busyIndicator));
        gtk_widget_hide(busyIndicator);
    }
}

// The pages on either side of the shown one, at its size, made while the
// user reads it so that flipping shows them at once.
void prepareNeighbours()
{
    if (!preparingNeighbours)
        return;
    if (EstimatedPreviewBytes(PSsize, wantedKey.scale) > kLargestPrepared)
        return;
    std::vector<PreviewJob> jobs;
    for (int page : {wantedKey.page + 1, wantedKey.page - 1}) {
        if (page < 1 || page > PitchUniverse::NumTnTypes)
            continue;
        PreviewKey key = wantedKey;
        key.page = page;
        if (cache.find(key))
            continue;
        jobs.push_back({key, PSsize, aPu.tnTypes[page - 1], cache.pageText(page)});
    }
    // find() above made the neighbours the most recently used; the shown
    // image goes back in front.
    cache.find(wantedKey);
    theWorker().prepare(std::move(jobs));
}

void show(const PreviewKey& key, const std::shared_ptr<const std::string>& eps, cairo_surface_t* surface)
{
    const bool newPage = key.page != shownKey.page || myVirtualPaper != *eps;
    shownKey = key;
    if (surface) {
        cairo_surface_reference(surface);
        if (shown)
            cairo_surface_destroy(shown);
        shown = surface;
        gtk_image_set_from_surface(GTK_IMAGE(gtkcairo), shown);
        gtk_widget_hide(previewMessage);
    }
    if (newPage) {
        myVirtualPaper = *eps;
        OnPageShown();
    }
}

void deliver(PreviewResult& result)
{
    if (result.surface)
        cache.insert(result.key, result.eps, result.surface);
    if (result.key != wantedKey || !pending)
        return;  // no longer wanted: kept for going back, not shown
    setBusy(false);
    show(result.key, result.eps, result.surface);
    if (!result.surface) {
        // The page exists and can be saved; only its image is missing.
        gtk_label_set_text(GTK_LABEL(previewMessage), result.error.c_str());
        gtk_widget_show(previewMessage);
        return;
    }
    prepareNeighbours();
}

// Asks for the preview of the current page at the current size and scale.
void requestPreview()
{
    if (currentPage < 1)
        return;
    wantedKey = keyFor(currentPage);
    std::shared_ptr<const std::string> eps;
    if (cairo_surface_t* ready = cache.find(wantedKey, &eps)) {
        setBusy(false);
        show(wantedKey, eps, ready);
        prepareNeighbours();
        return;
    }
    // A new size of the page shown keeps its text (and the time in it).
    if (shownKey.page == currentPage && !myVirtualPaper.empty())
        eps = std::make_shared<const std::string>(myVirtualPaper);
    else
        eps = cache.pageText(currentPage);
    setBusy(true);
    theWorker().request({wantedKey, PSsize, aPu.tnTypes[currentPage - 1], eps});
}

}  // namespace

std::string PageTitle(int page)
{
    if (page < 1 || page > PitchUniverse::NumTnTypes)
        return "Tn-type Harmodex";
    return "Tn-type Harmodex \xE2\x80\x94 page " + std::to_string(page) + " \xC2\xB7 " + aPu.forteNames[page - 1] +
           " (" + aPu.tnTypes[page - 1] + ")";
}

void OnPageShown()
{
    gtk_window_set_title(GTK_WINDOW(window), PageTitle(shownKey.page).c_str());
    PageIsSaveable();
}

void RequestPage(int page)
{
    if (page < 1 || page > PitchUniverse::NumTnTypes)
        return;
    currentPage = page;
    StopSound();  // the sound of the page before ends with it
    const std::vector<int> tnType = StringToVector(aPu.tnTypes[page - 1]);
    // The record of the set asked for: a typed set keeps its transposition
    // as typed; a flipped page is its Tn-type.
    if (FindSetID(VectorToString(MyPCset.getTnType()), aPu) + 1 != page)
        MyPCset.initializeSet(tnType);
    gtk_entry_set_text(GTK_ENTRY(entryST), VectorToStringPC(tnType).c_str());
    gtk_entry_set_text(GTK_ENTRY(entryCO), calculateAdjCostereNumber(tnType).c_str());
    requestPreview();
}

int CurrentPage() { return currentPage; }
cairo_surface_t* ShownPreview() { return shown; }
bool PreviewPending() { return pending; }
std::size_t PreviewCacheBytes() { return cache.bytes(); }
std::size_t PreviewCacheBound() { return cache.bound(); }
bool PreviewReady(int page) { return cache.find(keyFor(page)) != nullptr; }
void SetPreparingNeighbours(bool on)
{
    preparingNeighbours = on;
    if (!on && worker)
        worker->dropPreparations();
}
int PreviewRendersStarted() { return worker ? worker->rendersStarted() : 0; }

void StopPreviews()
{
    worker.reset();
    cache.clear();
    if (shown)
        cairo_surface_destroy(shown);
    shown = nullptr;
}

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
    MyPCset.initializeSet(list);
    const int page = FindSetID(VectorToString(MyPCset.getTnType()), aPu) + 1;
    RequestPage(page);
}

void get_spinner1_value(GtkWidget*, void*)
{
    PSsize = static_cast<float>(gtk_spin_button_get_value(GTK_SPIN_BUTTON(spinner1)));
    requestPreview();
}

void RefreshPreviewForScale() { requestPreview(); }

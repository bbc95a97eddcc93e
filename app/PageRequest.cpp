#include "app/PageRequest.h"

#include <cmath>
#include <memory>

#include "app/Accessibility.h"
#include "app/Export.h"
#include "app/PitchInput.h"
#include "app/IndexPanel.h"
#include "app/Navigation.h"
#include "app/ReadingBar.h"
#include "app/ScorePanel.h"
#include "app/Sound.h"
#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"

namespace {

// Neighbours are prepared only while each is at most a quarter of the cache
// (up to about size 2.8 at scale 1, 1.4 at scale 2).
std::size_t largestPrepared(const AppWindow& w) { return w.preview.cache.bound() / 4; }

void deliver(AppWindow& w, PreviewResult& result);

PreviewWorker& theWorker(AppWindow& w)
{
    if (!w.preview.worker) {
        AppWindow* target = &w;
        w.preview.worker =
            std::make_unique<PreviewWorker>(RenderPreview, [target](PreviewResult& r) { deliver(*target, r); });
    }
    return *w.preview.worker;
}

int screenScale(const AppWindow& w) { return w.window ? std::max(1, gtk_widget_get_scale_factor(w.window)) : 1; }

PreviewKey keyFor(const AppWindow& w, int page)
{
    return {page, static_cast<int>(std::lround(static_cast<double>(w.sizeFactor) * 100.0)), screenScale(w)};
}

void setBusy(AppWindow& w, bool busy)
{
    w.preview.pending = busy;
    if (!w.busyIndicator)
        return;
    if (busy) {
        gtk_widget_show(w.busyIndicator);
        gtk_spinner_start(GTK_SPINNER(w.busyIndicator));
    } else {
        gtk_spinner_stop(GTK_SPINNER(w.busyIndicator));
        gtk_widget_hide(w.busyIndicator);
    }
}

// The pages on either side of the shown one, at its size, made while the
// user reads it so that flipping shows them at once.
void prepareNeighbours(AppWindow& w)
{
    PreviewState& p = w.preview;
    if (!p.preparingNeighbours)
        return;
    if (EstimatedPreviewBytes(w.sizeFactor, p.wantedKey.scale) > largestPrepared(w))
        return;
    std::vector<PreviewJob> jobs;
    for (int page : {p.wantedKey.page + 1, p.wantedKey.page - 1}) {
        if (page < 1 || page > PitchUniverse::NumTnTypes)
            continue;
        PreviewKey key = p.wantedKey;
        key.page = page;
        if (p.cache.find(key))
            continue;
        jobs.push_back(
            {key, w.sizeFactor, w.universe.tnTypes[page - 1], p.cache.pageText(page), p.cache.pageLayout(page)});
    }
    // find() above made the neighbours the most recently used; the shown
    // image goes back in front.
    p.cache.find(p.wantedKey);
    theWorker(w).prepare(std::move(jobs));
}

// Called once each time a new page becomes the shown one: the title names
// it and it can be saved.
void pageShown(AppWindow& w)
{
    gtk_window_set_title(GTK_WINDOW(w.window), PageTitle(w.universe, w.preview.shownKey.page).c_str());
    PageIsSaveable(w);
    DescribeShownPage(w);
}

void show(AppWindow& w, const PreviewKey& key, const std::shared_ptr<const std::string>& eps, cairo_surface_t* surface,
          const std::shared_ptr<const PageLayout>& layout)
{
    PreviewState& p = w.preview;
    if (layout)
        p.shownLayout = layout;
    const bool newPage = key.page != p.shownKey.page || w.shownPage != *eps;
    p.shownKey = key;
    if (surface) {
        cairo_surface_reference(surface);
        if (p.shownImage)
            cairo_surface_destroy(p.shownImage);
        p.shownImage = surface;
        gtk_image_set_from_surface(GTK_IMAGE(w.previewImage), p.shownImage);
        gtk_widget_hide(w.previewMessage);
    }
    if (newPage) {
        w.shownPage = *eps;
        pageShown(w);
    }
}

void deliver(AppWindow& w, PreviewResult& result)
{
    PreviewState& p = w.preview;
    if (result.surface)
        p.cache.insert(result.key, result.eps, result.surface, result.layout);
    if (!w.window || result.key != p.wantedKey || !p.pending)
        return;  // no longer wanted: kept for going back, not shown
    setBusy(w, false);
    show(w, result.key, result.eps, result.surface, result.layout);
    if (!result.surface) {
        // The page exists and can be saved; only its image is missing.
        const std::string message = result.error + "\nThe page itself can still be saved.";
        gtk_label_set_text(GTK_LABEL(w.previewMessage), message.c_str());
        gtk_widget_show(w.previewMessage);
        return;
    }
    prepareNeighbours(w);
}

// Asks for the preview of the requested page at the current size and scale.
void requestPreview(AppWindow& w)
{
    PreviewState& p = w.preview;
    if (p.requestedPage < 1)
        return;
    p.wantedKey = keyFor(w, p.requestedPage);
    std::shared_ptr<const std::string> eps;
    std::shared_ptr<const PageLayout> layout;
    if (cairo_surface_t* ready = p.cache.find(p.wantedKey, &eps, &layout)) {
        setBusy(w, false);
        show(w, p.wantedKey, eps, ready, layout);
        prepareNeighbours(w);
        return;
    }
    // A new size of the page shown keeps its text (and the time in it).
    if (p.shownKey.page == p.requestedPage && !w.shownPage.empty()) {
        eps = std::make_shared<const std::string>(w.shownPage);
        layout = p.shownLayout;
    } else {
        eps = p.cache.pageText(p.requestedPage);
        layout = p.cache.pageLayout(p.requestedPage);
    }
    setBusy(w, true);
    theWorker(w).request({p.wantedKey, w.sizeFactor, w.universe.tnTypes[p.requestedPage - 1], eps, layout});
}

void onFieldActivated(GtkEntry* field, gpointer data)
{
    AppWindow& w = *static_cast<AppWindow*>(data);
    RequestTypedSet(w, GTK_WIDGET(field) == w.costereField);
}

void onSizeChanged(GtkSpinButton* spinner, gpointer data)
{
    AppWindow& w = *static_cast<AppWindow*>(data);
    w.sizeFactor = static_cast<float>(gtk_spin_button_get_value(spinner));
    requestPreview(w);
}

}  // namespace

void ConnectPageRequests(AppWindow& w)
{
    g_signal_connect(w.tnTypeField, "activate", G_CALLBACK(onFieldActivated), &w);
    g_signal_connect(w.costereField, "activate", G_CALLBACK(onFieldActivated), &w);
    g_signal_connect(w.sizeSpinner, "value-changed", G_CALLBACK(onSizeChanged), &w);
}

std::string PageTitle(const PitchUniverse& universe, int page)
{
    if (page < 1 || page > PitchUniverse::NumTnTypes)
        return "Tn-type Harmodex";
    return "Tn-type Harmodex \xE2\x80\x94 page " + std::to_string(page) + " \xC2\xB7 " + universe.forteNames[page - 1] +
           " (" + universe.tnTypes[page - 1] + ")";
}

void RequestPage(AppWindow& w, int page)
{
    if (page < 1 || page > PitchUniverse::NumTnTypes)
        return;
    w.preview.requestedPage = page;
    // Every page asked for is one the user chose (the neighbours prepared
    // in the background never come here): history and index follow it.
    VisitInHistory(w, page);
    ShowPageInIndex(w, page);
    StopSound(w);  // the sound of the page before ends with it
    const std::vector<int> tnType = StringToVector(w.universe.tnTypes[page - 1]);
    // The record of the set asked for: a typed set keeps its transposition
    // as typed; a flipped page is its Tn-type.
    if (FindSetID(VectorToString(w.typedSet.getTnType()), w.universe) + 1 != page)
        w.typedSet.initializeSet(tnType);
    gtk_entry_set_text(GTK_ENTRY(w.tnTypeField), VectorToStringPC(tnType).c_str());
    gtk_entry_set_text(GTK_ENTRY(w.costereField), calculateAdjCostereNumber(tnType).c_str());
    ShowRequestedPitchClasses(w);
    requestPreview(w);
}

void RequestTypedSet(AppWindow& w, bool costereField)
{
    GtkWidget* field = costereField ? w.costereField : w.tnTypeField;
    const std::string text = gtk_entry_get_text(GTK_ENTRY(field));
    const TypedTextReading reading = ReadTypedText(text, costereField);
    ShowTypedTextReading(w, reading);
    if (reading.set.empty()) {
        // Nothing to analyse: the page shown stays shown and saveable, and
        // the fields keep what the user typed.
        gtk_widget_error_bell(field);
        return;
    }
    ForgetScoreSelection(w);
    w.typedSet.initializeSet(reading.set);
    const int page = FindSetID(VectorToString(w.typedSet.getTnType()), w.universe) + 1;
    RequestPage(w, page);
}

void RefreshPreview(AppWindow& w) { requestPreview(w); }

bool PreviewReady(AppWindow& w, int page) { return w.preview.cache.find(keyFor(w, page)) != nullptr; }

void AnticipatePage(AppWindow& w, int page)
{
    PreviewState& p = w.preview;
    if (page < 1 || page > PitchUniverse::NumTnTypes || p.pending || !w.window)
        return;
    const PreviewKey key = keyFor(w, page);
    if (key == p.shownKey || p.cache.find(key))
        return;
    theWorker(w).prepare(
        {{key, w.sizeFactor, w.universe.tnTypes[page - 1], p.cache.pageText(page), p.cache.pageLayout(page)}});
}

void SetPreparingNeighbours(AppWindow& w, bool on)
{
    w.preview.preparingNeighbours = on;
    if (!on && w.preview.worker)
        w.preview.worker->dropPreparations();
}

int PreviewRendersStarted(const AppWindow& w) { return w.preview.worker ? w.preview.worker->rendersStarted() : 0; }

void StopPreviews(AppWindow& w)
{
    PreviewState& p = w.preview;
    p.worker.reset();
    p.cache.clear();
    if (p.shownImage)
        cairo_surface_destroy(p.shownImage);
    p.shownImage = nullptr;
    p.pending = false;
}

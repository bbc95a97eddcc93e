#ifndef HARMODEX_APP_PREVIEWWORKER_H
#define HARMODEX_APP_PREVIEWWORKER_H

// Previews made away from the GUI thread, and kept for going back.
//
// A page at size 4.0 takes seconds to rasterise; the window must answer the
// keyboard and the mouse meanwhile. One worker thread composes and
// rasterises; only the newest request counts (requests arriving while one
// runs replace the pending one), and results are handed back on the GUI
// main loop, where the window decides whether they are still wanted.
// Rendered previews are kept in a cache bounded in bytes, so that going back
// to a page or a size just seen is instant.

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <cairo.h>

#include "page/PageLayout.h"

// Which image: page of the catalogue (1 to 351), size factor in hundredths
// (the spinner has two decimals), and the screen's scale factor.
struct PreviewKey {
    int page = 0;
    int hundredths = 0;
    int scale = 1;
    bool operator==(const PreviewKey& o) const
    {
        return page == o.page && hundredths == o.hundredths && scale == o.scale;
    }
    bool operator!=(const PreviewKey& o) const { return !(*this == o); }
};

// What is asked of the worker. The page text is passed when it is already
// known (a new size of the shown page must not recompose it: the page
// carries the time it was composed); otherwise the worker composes it. The
// page's layout (where its blocks lie) goes with its text; when the text is
// given without it, the worker composes the page once more for the layout.
struct PreviewJob {
    PreviewKey key;
    float size = 1.0f;   // the size factor as the spinner holds it
    std::string tnText;  // the Tn-type, plain form ("0 4 7")
    std::shared_ptr<const std::string> eps;
    std::shared_ptr<const PageLayout> layout = nullptr;
};

// What comes back: the page text, its layout and its image (an owned
// reference), or the reason there is no image.
struct PreviewResult {
    PreviewKey key;
    std::shared_ptr<const std::string> eps;
    cairo_surface_t* surface = nullptr;
    std::string error;
    std::shared_ptr<const PageLayout> layout = nullptr;
};

// Rendered previews, least recently used dropped first once their pixels
// exceed the bound. GUI thread only.
class PreviewCache {
public:
    explicit PreviewCache(std::size_t byteBound) : bound_(byteBound) {}
    ~PreviewCache() { clear(); }
    PreviewCache(const PreviewCache&) = delete;
    PreviewCache& operator=(const PreviewCache&) = delete;

    // The image for key (a borrowed reference) or nullptr; a hit becomes the
    // most recently used. Its page's text and layout are given when asked.
    cairo_surface_t* find(const PreviewKey& key, std::shared_ptr<const std::string>* eps = nullptr,
                          std::shared_ptr<const PageLayout>* layout = nullptr);
    // Keeps an image, taking a reference of its own, with its page's text
    // and layout. An image larger than the whole bound is not kept.
    void insert(const PreviewKey& key, std::shared_ptr<const std::string> eps, cairo_surface_t* surface,
                std::shared_ptr<const PageLayout> layout = nullptr);
    // The text and the layout of a page if any of its images is kept.
    std::shared_ptr<const std::string> pageText(int page) const;
    std::shared_ptr<const PageLayout> pageLayout(int page) const;
    void clear();

    std::size_t bytes() const { return bytes_; }
    std::size_t count() const { return entries_.size(); }
    std::size_t bound() const { return bound_; }

    static std::size_t SurfaceBytes(cairo_surface_t* surface);

private:
    struct Entry {
        PreviewKey key;
        std::shared_ptr<const std::string> eps;
        cairo_surface_t* surface;
        std::shared_ptr<const PageLayout> layout;
    };
    std::list<Entry> entries_;  // most recently used first
    std::size_t bytes_ = 0;
    std::size_t bound_;
};

// Bytes of the image of a page at a size factor and scale, before making it
// (the page is 481 x 680 points, rasterised at kDotsPerInchAtSize1 per unit).
std::size_t EstimatedPreviewBytes(double size, int scale);

using PreviewRenderer = std::function<PreviewResult(const PreviewJob&)>;
using PreviewDelivery = std::function<void(PreviewResult&)>;

class PreviewWorker {
public:
    // render runs on the worker thread; deliver runs on the GUI main loop
    // (through PostToMainLoop) with every result, which it may take the
    // surface from (else it is released).
    PreviewWorker(PreviewRenderer render, PreviewDelivery deliver);
    // Finishes the render under way, drops the rest, and joins the thread.
    ~PreviewWorker();
    PreviewWorker(const PreviewWorker&) = delete;
    PreviewWorker& operator=(const PreviewWorker&) = delete;

    // The image the user wants now: replaces any request not yet started
    // and drops the preparations not yet started. When that very image is
    // being rendered already (prepared before it was asked for), nothing is
    // queued: its result is on its way.
    void request(PreviewJob job);
    // Images the user is likely to want next, once the image wanted now is
    // there: drops any request not yet started (it is no longer the newest
    // wish) and replaces earlier preparations not yet started.
    void prepare(std::vector<PreviewJob> jobs);

    // Drops the preparations not yet started.
    void dropPreparations();

    // Renders started so far (for tests and measurements).
    int rendersStarted() const;

private:
    void run();

    PreviewRenderer render_;
    // Shared with the results waiting on the main loop; emptied by the
    // destructor, after which they are released instead of delivered.
    std::shared_ptr<PreviewDelivery> deliver_;

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<PreviewJob> wanted_;
    std::vector<PreviewJob> preparations_;
    std::optional<PreviewKey> rendering_;  // the image under way, if any
    bool stopping_ = false;
    int started_ = 0;
    std::thread thread_;
};

// The window's renderer: composes the page (and its layout) when its text
// (or layout) is not given, then
// rasterises it at size x kDotsPerInchAtSize1 x scale; a page that cannot
// be rasterised comes back without an image and with the reason.
PreviewResult RenderPreview(const PreviewJob& job);

#endif

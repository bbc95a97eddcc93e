#include "app/PreviewWorker.h"

#include <glib.h>

#include "app/MainLoop.h"

#include "page/HarmodexPage.h"
#include "raster/Preview.h"

std::size_t PreviewCache::SurfaceBytes(cairo_surface_t* surface)
{
    return static_cast<std::size_t>(cairo_image_surface_get_stride(surface)) *
           static_cast<std::size_t>(cairo_image_surface_get_height(surface));
}

cairo_surface_t* PreviewCache::find(const PreviewKey& key, std::shared_ptr<const std::string>* eps,
                                    std::shared_ptr<const PageLayout>* layout)
{
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->key != key)
            continue;
        entries_.splice(entries_.begin(), entries_, it);
        if (eps)
            *eps = entries_.front().eps;
        if (layout)
            *layout = entries_.front().layout;
        return entries_.front().surface;
    }
    return nullptr;
}

void PreviewCache::insert(const PreviewKey& key, std::shared_ptr<const std::string> eps, cairo_surface_t* surface,
                          std::shared_ptr<const PageLayout> layout)
{
    const std::size_t size = SurfaceBytes(surface);
    if (size > bound_)
        return;
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->key == key) {
            bytes_ -= SurfaceBytes(it->surface);
            cairo_surface_destroy(it->surface);
            entries_.erase(it);
            break;
        }
    }
    entries_.push_front({key, std::move(eps), cairo_surface_reference(surface), std::move(layout)});
    bytes_ += size;
    while (bytes_ > bound_) {
        bytes_ -= SurfaceBytes(entries_.back().surface);
        cairo_surface_destroy(entries_.back().surface);
        entries_.pop_back();
    }
}

std::shared_ptr<const std::string> PreviewCache::pageText(int page) const
{
    for (const Entry& e : entries_)
        if (e.key.page == page)
            return e.eps;
    return nullptr;
}

std::shared_ptr<const PageLayout> PreviewCache::pageLayout(int page) const
{
    for (const Entry& e : entries_)
        if (e.key.page == page && e.layout)
            return e.layout;
    return nullptr;
}

void PreviewCache::clear()
{
    for (Entry& e : entries_)
        cairo_surface_destroy(e.surface);
    entries_.clear();
    bytes_ = 0;
}

std::size_t EstimatedPreviewBytes(double size, int scale)
{
    const double dotsPerPoint = size * kDotsPerInchAtSize1 * scale / 72.0;
    const double width = 481.0 * dotsPerPoint + 1.0;
    const double height = 680.0 * dotsPerPoint + 1.0;
    return static_cast<std::size_t>(width * height * 4.0);
}

PreviewWorker::PreviewWorker(PreviewRenderer render, PreviewDelivery deliver)
    : render_(std::move(render)), deliver_(std::make_shared<PreviewDelivery>(std::move(deliver)))
{
    thread_ = std::thread(&PreviewWorker::run, this);
}

PreviewWorker::~PreviewWorker()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        wanted_.reset();
        preparations_.clear();
    }
    wake_.notify_all();
    thread_.join();
    *deliver_ = nullptr;
}

void PreviewWorker::request(PreviewJob job)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        preparations_.clear();
        if (rendering_ && *rendering_ == job.key) {
            wanted_.reset();
            return;
        }
        wanted_ = std::move(job);
    }
    wake_.notify_all();
}

void PreviewWorker::prepare(std::vector<PreviewJob> jobs)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        wanted_.reset();
        preparations_ = std::move(jobs);
    }
    wake_.notify_all();
}

void PreviewWorker::dropPreparations()
{
    std::lock_guard<std::mutex> lock(mutex_);
    preparations_.clear();
}

int PreviewWorker::rendersStarted() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return started_;
}

void PreviewWorker::run()
{
    for (;;) {
        PreviewJob job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || wanted_ || !preparations_.empty(); });
            if (stopping_)
                return;
            if (wanted_) {
                job = std::move(*wanted_);
                wanted_.reset();
            } else {
                job = std::move(preparations_.front());
                preparations_.erase(preparations_.begin());
            }
            ++started_;
            rendering_ = job.key;
        }
        // The result, its image an owned reference, goes whole to the GUI
        // thread; once this worker is gone it is released there unseen.
        PostToMainLoop([deliver = deliver_, result = render_(job)]() mutable {
            if (*deliver)
                (*deliver)(result);
            if (result.surface)
                cairo_surface_destroy(result.surface);
        });
        // Posted first: a request for this image from now on queues a new
        // render, which the delivery above already answers.
        std::lock_guard<std::mutex> lock(mutex_);
        rendering_.reset();
    }
}

PreviewResult RenderPreview(const PreviewJob& job)
{
    PreviewResult result;
    result.key = job.key;
    result.eps = job.eps;
    result.layout = job.layout;
    if (!result.eps || !result.layout) {
        auto layout = std::make_shared<PageLayout>();
        std::string text = DrawHarmodexPage(job.key.page, job.tnText, 0, 0, layout.get());
        if (!result.eps)
            result.eps = std::make_shared<const std::string>(std::move(text));
        result.layout = std::move(layout);
    }
    const double resolution = static_cast<double>(job.size) * kDotsPerInchAtSize1 * job.key.scale;
    try {
        result.surface = getSurfaceFromEPSpage(*result.eps, resolution, job.key.scale);
    } catch (const harmodex::Error& e) {
        result.error = e.what();
    }
    return result;
}

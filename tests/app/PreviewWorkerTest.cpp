// The preview's worker and cache, the rasteriser's errors and the go-to
// reading: the parts of the window that need no display.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <glib.h>
#include <gtest/gtest.h>

#include "ThrownError.h"
#include "app/Navigation.h"
#include "app/PreviewWorker.h"
#include "raster/Preview.h"

namespace {

// One turn of the main loop, or a millisecond's rest when nothing is due.
void iterate()
{
    if (!g_main_context_iteration(nullptr, FALSE))
        g_usleep(1000);
}

TEST(Preview, EmptyOrBrokenTextsSayWhyNothingIsShown)
{
    PreviewLibraryStart();
    for (const char* text : {"", "%!PS-Adobe-3.0 EPSF-3.0\nthis is no PostScript\n"}) {
        const std::string message = ThrownError([&] { g_object_unref(getPixbufFromEPSpage(text, 155.0)); });
        EXPECT_FALSE(message.empty()) << text;
        EXPECT_EQ(message.find("Save"), std::string::npos) << "no button is named: " << message;
    }
    // The worker hands the reason back with the page text and no image.
    const PreviewResult broken =
        RenderPreview({{24, 100, 1}, 1.0f, "0 4 7", std::make_shared<const std::string>("not PostScript at all")});
    EXPECT_EQ(broken.surface, nullptr);
    EXPECT_FALSE(broken.error.empty());
}

// On a scale-2 screen the image has twice the pixels each way and draws at
// the logical size of the scale-1 image.
TEST(Preview, ScaleTwoDoublesThePixelsNotTheLogicalSize)
{
    PreviewLibraryStart();
    PreviewJob job{{24, 100, 1}, 1.0f, "0 4 7", nullptr};
    PreviewResult one = RenderPreview(job);
    ASSERT_NE(one.surface, nullptr) << one.error;
    job.key.scale = 2;
    job.eps = one.eps;
    PreviewResult two = RenderPreview(job);
    ASSERT_NE(two.surface, nullptr) << two.error;
    EXPECT_NEAR(cairo_image_surface_get_width(two.surface), 2 * cairo_image_surface_get_width(one.surface), 1);
    EXPECT_NEAR(cairo_image_surface_get_height(two.surface), 2 * cairo_image_surface_get_height(one.surface), 1);
    double sx = 0, sy = 0;
    cairo_surface_get_device_scale(two.surface, &sx, &sy);
    EXPECT_EQ(sx, 2.0);
    EXPECT_EQ(sy, 2.0);
    cairo_surface_destroy(one.surface);
    cairo_surface_destroy(two.surface);
}

TEST(GoTo, PageNumbersAndSets)
{
    struct Case {
        const char* text;
        int page;
    };
    const Case cases[] = {
        {"24", 24},       {" p24 ", 24},  {"#24", 24},   {"Page 351", 351}, {"1", 1},       {"0 4 7", 24},
        {"13.12.14", 24}, {"7 11 2", 24}, {"3-11b", 24}, {"C E G", 24},     {"(0134)", 32}, {"p400", 0},
        {"#0", 0},        {"", 0},        {"   ", 0},    {"XI", 0},         {"hello", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadGoToText(SharedUniverse(), c.text), c.page) << '"' << c.text << '"';
}

cairo_surface_t* surfaceOfBytes(int kib)
{
    return cairo_image_surface_create(CAIRO_FORMAT_RGB24, 256, kib);  // 1 KiB a row
}

TEST(PreviewCacheBound, LeastRecentlyUsedGoFirstAndNothingExceedsTheBound)
{
    PreviewCache cache(3 * 1024 * 100);
    for (int page = 1; page <= 5; ++page) {
        cairo_surface_t* s = surfaceOfBytes(100);
        cache.insert({page, 100, 1}, std::make_shared<const std::string>("page"), s);
        cairo_surface_destroy(s);
        if (page == 3) {
            ASSERT_NE(cache.find({1, 100, 1}), nullptr);  // page 1 used again: page 2 goes first
        }
        EXPECT_LE(cache.bytes(), cache.bound());
    }
    EXPECT_EQ(cache.count(), 3u);
    EXPECT_EQ(cache.find({2, 100, 1}), nullptr);
    EXPECT_EQ(cache.find({3, 100, 1}), nullptr);
    EXPECT_NE(cache.find({1, 100, 1}), nullptr);
    EXPECT_NE(cache.find({5, 100, 1}), nullptr);
    EXPECT_EQ(cache.find({5, 110, 1}), nullptr);  // another size is another image

    cairo_surface_t* huge = surfaceOfBytes(400);
    cache.insert({9, 100, 1}, nullptr, huge);
    cairo_surface_destroy(huge);
    EXPECT_EQ(cache.find({9, 100, 1}), nullptr);
    EXPECT_EQ(cache.count(), 3u);
}

// The worker with a renderer that waits for the test's word: requests made
// while one render runs leave only the last to be made, and none at all when
// the last asks for the image under way (prepared before it was wanted).
TEST(PreviewWorkerQueue, OnlyTheNewestRequestIsRendered)
{
    struct Case {
        std::vector<int> asked;  // sizes requested while size 3.00 renders
        std::vector<int> rendered;
    };
    const Case cases[] = {{{310, 320, 330}, {300, 330}}, {{310, 320, 300}, {300}}};
    for (const Case& c : cases) {
        std::mutex gate;
        gate.lock();
        std::vector<int> rendered, delivered;
        std::mutex renderedLock;
        {
            PreviewWorker worker(
                [&](const PreviewJob& job) {
                    std::lock_guard<std::mutex> pass(gate);
                    std::lock_guard<std::mutex> l(renderedLock);
                    rendered.push_back(job.key.hundredths);
                    return PreviewResult{job.key, nullptr, nullptr, ""};
                },
                [&](PreviewResult& r) { delivered.push_back(r.key.hundredths); });
            worker.prepare({{{24, 300, 1}, 3.0f, "0 4 7", nullptr}});
            while (worker.rendersStarted() < 1)
                g_usleep(1000);
            for (int size : c.asked)
                worker.request({{24, size, 1}, size / 100.0f, "0 4 7", nullptr});
            gate.unlock();
            const gint64 deadline = g_get_monotonic_time() + 30 * G_USEC_PER_SEC;
            while (delivered.size() < c.rendered.size() && g_get_monotonic_time() < deadline)
                iterate();
            g_usleep(50000);  // time enough for a render that should not come
            iterate();
            EXPECT_EQ(worker.rendersStarted(), static_cast<int>(c.rendered.size()));
        }
        EXPECT_EQ(rendered, c.rendered);
        EXPECT_EQ(delivered, c.rendered);
    }
}

}  // namespace

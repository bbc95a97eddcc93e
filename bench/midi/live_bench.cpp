// From a chord's last note-on to its page's image at size 1.0: the chord
// settling (120 ms, by design) while the window's worker already makes the
// page of the keys held, then the settled chord asked for. Played into a
// JACK server of the benchmark's own when jackd starts (the whole road: the
// port, the listener's thread, the tracker); the tracker alone on the real
// clock otherwise. Must stay under 300 ms.
#include <benchmark/benchmark.h>
#include <glib.h>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "app/MainLoop.h"
#include "app/PreviewWorker.h"
#include "midi/LiveInput.h"
#include "raster/Preview.h"
#include "score/Segments.h"
#include "tests/midi/JackServer.h"
#include "tests/midi/LiveKeyboard.h"

namespace {

struct MagickLibrary {
    MagickLibrary() { PreviewLibraryStart(); }
    ~MagickLibrary() { PreviewLibraryStop(); }
};
MagickLibrary magick;

// What the window asks its worker for a chord: its page at size 1.0.
PreviewJob JobOf(uint16_t mask)
{
    const SetNames& names = NamesOfMask(mask);
    PreviewJob job;
    job.key = {names.page, 100, 1};
    job.size = 1.0f;
    job.tnText = names.tnType;
    return job;
}

// The image the window would show for a chord: false when it cannot be made.
bool ImageOf(uint16_t mask, std::string* error)
{
    PreviewResult result = RenderPreview(JobOf(mask));
    if (!result.surface) {
        *error = result.error;
        return false;
    }
    cairo_surface_destroy(result.surface);
    return true;
}

// The JACK server both benchmarks play into, started once, with a
// musician's period rather than the tests' longer one.
JackServer& Server()
{
    static JackServer server(256);
    return server;
}

// Chords that are each a new page, struck in turn.
const std::vector<std::vector<int>> kChords = {{60, 64, 67}, {62, 65, 69, 72}, {59, 62, 65, 68}, {60, 63, 66, 70}};

// False, the benchmark told why, when there is no JACK server to play into.
bool HaveServer(benchmark::State& state)
{
    if (Server().running())
        return true;
    state.SkipWithError(("no JACK server: " + Server().reason()).c_str());
    return false;
}

// Every key let go and a moment's rest, as between two chords.
void ReleaseAll(LiveKeyboard& keys)
{
    for (int key = 0; key < 128; ++key)
        keys.off(key);
    LiveKeyboard::pause(30);
}

// The next chord struck but for its last note, which is returned.
int StrikeAllButTheLast(LiveKeyboard& keys, size_t& turn)
{
    const std::vector<int>& notes = kChords[turn++ % kChords.size()];
    for (size_t i = 0; i + 1 < notes.size(); ++i)
        keys.on(notes[i]);
    return notes.back();
}

void BM_ChordToImageThroughJack(benchmark::State& state)
{
    if (!HaveServer(state))
        return;
    LiveKeyboard keys(RtMidi::UNIX_JACK, "Bench keyboard");
    std::mutex mutex;
    std::condition_variable came;
    std::optional<HeldChord> chord;
    LiveListener listener("Bench keyboard", [&](const LiveEvent& e) {
        if (e.kind != LiveEvent::Kind::Chord)
            return;
        std::lock_guard<std::mutex> lock(mutex);
        chord = e.chord;
        came.notify_all();
    });
    size_t turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ReleaseAll(keys);
        {
            std::lock_guard<std::mutex> lock(mutex);
            chord.reset();
        }
        const int last = StrikeAllButTheLast(keys, turn);
        state.ResumeTiming();
        keys.on(last);
        std::unique_lock<std::mutex> lock(mutex);
        if (!came.wait_for(lock, std::chrono::seconds(5), [&] { return chord.has_value(); })) {
            state.SkipWithError("no chord came within 5 seconds");
            break;
        }
        const uint16_t mask = chord->mask;
        lock.unlock();
        std::string error;
        if (!ImageOf(mask, &error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
}
BENCHMARK(BM_ChordToImageThroughJack)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(12);

// The window's road: the listener's events cross to the main loop, where the
// keys held are prepared by the preview worker and the settled chord is
// requested from it; timed until the chord's image is delivered.
void BM_ChordToImageAsTheWindowDoes(benchmark::State& state)
{
    if (!HaveServer(state))
        return;
    LiveKeyboard keys(RtMidi::UNIX_JACK, "Window keyboard");
    PreviewKey wanted;
    bool shown = false;
    PreviewWorker worker(RenderPreview, [&](PreviewResult& r) { shown = shown || r.key == wanted; });
    struct Anticipation {
        PreviewWorker* worker;
        PreviewKey* wanted;
        bool* shown;
        std::function<PreviewJob(uint16_t)> jobOf;
        uint16_t held = 0;
        guint timer = 0;
    } anticipation{&worker, &wanted, &shown, JobOf};
    uint16_t& held = anticipation.held;
    guint& timer = anticipation.timer;
    auto listener = std::make_unique<LiveListener>("Window keyboard", [&](const LiveEvent& e) {
        if (e.kind != LiveEvent::Kind::Chord && e.kind != LiveEvent::Kind::Held)
            return;
        const bool settled = e.kind == LiveEvent::Kind::Chord;
        const uint16_t mask = static_cast<uint16_t>(e.chord.mask);
        PostToMainLoop([&, settled, mask] {
            if (settled) {
                PreviewJob job = JobOf(mask);
                wanted = job.key;
                worker.request(std::move(job));
                return;
            }
            // As the window does: the keys held, once they rest a moment.
            held = mask;
            if (timer)
                g_source_remove(timer);
            timer = 0;
            if (!mask)
                return;
            timer = g_timeout_add(
                static_cast<guint>(HeldNotes::kRestBeforePreparing.count()),
                [](gpointer data) -> gboolean {
                    auto& self = *static_cast<Anticipation*>(data);
                    self.timer = 0;
                    if (!(self.wanted->page > 0 && !*self.shown))
                        self.worker->prepare({self.jobOf(self.held)});
                    return G_SOURCE_REMOVE;
                },
                &anticipation);
        });
    });
    size_t turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ReleaseAll(keys);
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
        const int last = StrikeAllButTheLast(keys, turn);
        wanted = PreviewKey();
        shown = false;
        state.ResumeTiming();
        keys.on(last);
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!(wanted.page > 0 && shown) && std::chrono::steady_clock::now() < limit)
            g_main_context_iteration(nullptr, TRUE);
        if (!shown) {
            state.SkipWithError("no image came within 5 seconds");
            break;
        }
    }
    // Nothing posted may outlive what it points to.
    listener.reset();
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    if (timer)
        g_source_remove(timer);
}
BENCHMARK(BM_ChordToImageAsTheWindowDoes)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(12);

void BM_ChordToImageTrackerAlone(benchmark::State& state)
{
    size_t turn = 0;
    for (auto _ : state) {
        HeldNotes held;
        const std::vector<int>& notes = kChords[turn++ % kChords.size()];
        for (int key : notes)
            held.noteOn(0, 0, key, std::chrono::steady_clock::now());
        std::optional<HeldChord> chord;
        while (!(chord = held.poll(std::chrono::steady_clock::now())))
            std::this_thread::sleep_until(*held.nextReport());
        std::string error;
        if (!ImageOf(chord->mask, &error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
}
BENCHMARK(BM_ChordToImageTrackerAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(12);

}  // namespace

namespace {

// The page's part alone, for comparison: what remains is the settling and
// the road from the port.
void BM_ImageAlone(benchmark::State& state)
{
    size_t turn = 0;
    for (auto _ : state) {
        uint16_t mask = 0;
        for (int key : kChords[turn++ % kChords.size()])
            mask |= static_cast<uint16_t>(1u << (key % 12));
        std::string error;
        if (!ImageOf(mask, &error)) {
            state.SkipWithError(error.c_str());
            break;
        }
    }
}
BENCHMARK(BM_ImageAlone)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(12);

}  // namespace

// From a chord's last note-on to its page's image at size 1.0: the chord
// settling (120 ms, by design), then the page composed and rasterised as the
// window's worker does it. Played into a JACK server of the benchmark's own
// when jackd starts (the whole road: the port, the listener's thread, the
// tracker); the tracker alone on the real clock otherwise. Must stay under
// 300 ms.
#include <benchmark/benchmark.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

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

// The image the window would show for a chord: false when it cannot be made.
bool ImageOf(uint16_t mask, std::string* error)
{
    const SetNames& names = NamesOfMask(mask);
    PreviewJob job;
    job.key.page = names.page;
    job.key.hundredths = 100;
    job.size = 1.0f;
    job.tnText = names.tnType;
    PreviewResult result = RenderPreview(job);
    if (!result.surface) {
        *error = result.error;
        return false;
    }
    cairo_surface_destroy(result.surface);
    return true;
}

// Chords that are each a new page, struck in turn.
const std::vector<std::vector<int>> kChords = {{60, 64, 67}, {62, 65, 69, 72}, {59, 62, 65, 68}, {60, 63, 66, 70}};

void BM_ChordToImageThroughJack(benchmark::State& state)
{
    static JackServer server;
    if (!server.running()) {
        state.SkipWithError(("no JACK server: " + server.reason()).c_str());
        return;
    }
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
        for (int key = 0; key < 128; ++key)
            keys.off(key);
        LiveKeyboard::pause(30);
        {
            std::lock_guard<std::mutex> lock(mutex);
            chord.reset();
        }
        const std::vector<int>& notes = kChords[turn++ % kChords.size()];
        for (size_t i = 0; i + 1 < notes.size(); ++i)
            keys.on(notes[i]);
        state.ResumeTiming();
        keys.on(notes.back());
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

// From the press of Play to the first note switched on. The audio output is
// FluidSynth's file driver writing to /dev/null, which paces itself like a
// sound card; a real device adds its buffer (audio.periods x
// audio.period-size frames, about 23 ms by default) on top.
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include <benchmark/benchmark.h>

#include "sound/Player.h"
#include "sound/WavRender.h"

namespace {

using Clock = std::chrono::steady_clock;

const std::vector<AudioOutput> kNullOutput = {{"file", {{"audio.file.name", "/dev/null"}, {"audio.file.type", "raw"}}}};

struct Waiter {
    std::mutex mutex;
    std::condition_variable changed;
    int play = 0;
    SoundPlayer::Event event{};
    Clock::time_point when;
    bool seen = false;

    SoundPlayer::Listener listener()
    {
        return [this](const SoundPlayer::Report& r) {
            std::lock_guard<std::mutex> lock(mutex);
            if (r.play == play && !seen &&
                (r.event == SoundPlayer::Event::Started || r.event == SoundPlayer::Event::Failed)) {
                event = r.event;
                when = r.when;
                seen = true;
                changed.notify_all();
            }
        };
    }
    // Presses Play and returns the seconds until the first note-on.
    double press(SoundPlayer& player, const SetPerformance& performance, benchmark::State& state)
    {
        std::unique_lock<std::mutex> lock(mutex);
        seen = false;
        const Clock::time_point pressed = Clock::now();
        play = player.play(performance);
        changed.wait(lock, [this] { return seen; });
        if (event == SoundPlayer::Event::Failed)
            state.SkipWithError("the output did not open");
        return std::chrono::duration<double>(when - pressed).count();
    }
};

// The usual case: the window loaded the SoundFont at start, the output is
// open from an earlier press.
void BM_PressToFirstNoteOn(benchmark::State& state)
{
    Waiter waiter;
    SoundPlayer player(kNullOutput, waiter.listener());
    const SetPerformance triad = PerformSet("0 4 7");
    waiter.press(player, triad, state);
    for (auto _ : state) {
        state.SetIterationTime(waiter.press(player, triad, state));
        player.stop();
    }
}
BENCHMARK(BM_PressToFirstNoteOn)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

// The first press after the window opened: the SoundFont is loaded, the
// output is opened by the press.
void BM_FirstPressToFirstNoteOn(benchmark::State& state)
{
    const SetPerformance triad = PerformSet("0 4 7");
    for (auto _ : state) {
        Waiter waiter;
        SoundPlayer player(kNullOutput, waiter.listener());
        player.prepare();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        state.SetIterationTime(waiter.press(player, triad, state));
    }
}
BENCHMARK(BM_FirstPressToFirstNoteOn)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// A press at the very moment the window opens: SoundFont and output both
// wait for it.
void BM_ColdPressToFirstNoteOn(benchmark::State& state)
{
    const SetPerformance triad = PerformSet("0 4 7");
    for (auto _ : state) {
        Waiter waiter;
        SoundPlayer player(kNullOutput, waiter.listener());
        state.SetIterationTime(waiter.press(player, triad, state));
    }
}
BENCHMARK(BM_ColdPressToFirstNoteOn)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

// harmodex-cli sound: the whole-tone set (6.0 s of sound) to WAV bytes.
void BM_RenderWav(benchmark::State& state)
{
    const SetPerformance wholeTone = PerformSet("0 2 4 6 8 10");
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(RenderWav(wholeTone));
        } catch (const std::exception& e) {
            state.SkipWithError(e.what());
            break;
        }
    }
}
BENCHMARK(BM_RenderWav)->Unit(benchmark::kMillisecond);

}  // namespace

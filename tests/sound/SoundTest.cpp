// The set as heard: the rendered sound's spectrum and onsets, the MIDI file
// read back, and a player with no audio output.
#include <chrono>
#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include <fftw3.h>
#include <gtest/gtest.h>
#include <smf.h>
#include <sndfile.h>

#include "../ThrownError.h"
#include "base/Error.h"
#include "sound/MidiFile.h"
#include "sound/Player.h"
#include "sound/SoundFont.h"
#include "sound/WavRender.h"

namespace {

struct Wav {
    int rate = 0, channels = 0, format = 0;
    std::vector<double> mono;  // channels averaged, full scale 1
};

Wav ReadWav(const std::string& bytes)
{
    const std::string path = ::testing::TempDir() + "harmodex-sound-test.wav";
    std::ofstream(path, std::ios::binary) << bytes;
    Wav wav;
    SF_INFO info{};
    if (SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info)) {
        wav.rate = info.samplerate;
        wav.channels = info.channels;
        wav.format = info.format;
        std::vector<double> frames(static_cast<size_t>(info.frames * info.channels));
        sf_readf_double(file, frames.data(), info.frames);
        sf_close(file);
        for (sf_count_t f = 0; f < info.frames; ++f) {
            double sum = 0;
            for (int c = 0; c < info.channels; ++c)
                sum += frames[f * info.channels + c];
            wav.mono.push_back(sum / info.channels);
        }
    }
    std::remove(path.c_str());
    return wav;
}

// Power spectrum of samples [from, from + n) under a Hann window.
std::vector<double> Spectrum(const std::vector<double>& x, size_t from, size_t n)
{
    std::vector<double> in(n);
    for (size_t i = 0; i < n; ++i)
        in[i] = (from + i < x.size() ? x[from + i] : 0.0) * (0.5 - 0.5 * std::cos(2 * M_PI * i / n));
    std::vector<fftw_complex> out(n / 2 + 1);
    fftw_plan plan = fftw_plan_dft_r2c_1d(static_cast<int>(n), in.data(), out.data(), FFTW_ESTIMATE);
    fftw_execute(plan);
    fftw_destroy_plan(plan);
    std::vector<double> power(n / 2 + 1);
    for (size_t k = 0; k < power.size(); ++k)
        power[k] = out[k][0] * out[k][0] + out[k][1] * out[k][1];
    return power;
}

double MidiOfFrequency(double hz) { return 69 + 12 * std::log2(hz / 440.0); }

SetPerformance Performed(const char* tn)
{
    SetPerformance p = PerformSet(tn);
    EXPECT_FALSE(p.notes.empty()) << tn;
    return p;
}

}  // namespace

// The energy of the whole sound, folded into twelve pitch classes, lies at
// the set's classes; each note of the arpeggio begins an eighth note (0.25 s) after the one
// before, in the order the staff writes them.
TEST(Sound, RenderedEnergyLiesAtTheSetsPitchClassesAndTheArpeggioRisesInOrder)
{
    const struct {
        const char* tn;
        std::vector<int> classes;
    } cases[] = {{"0 4 7", {0, 4, 7}}, {"0 1 6", {0, 1, 6}}, {"0 2 4 6 8 10", {0, 2, 4, 6, 8, 10}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tn);
        const SetPerformance performance = Performed(c.tn);
        const std::string bytes = RenderWav(performance);
        const Wav wav = ReadWav(bytes);
        ASSERT_EQ(wav.rate, 44100);
        ASSERT_EQ(wav.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
        ASSERT_NEAR(wav.mono.size() / 44100.0, performance.length + kReleaseTail, 0.05);

        const size_t n = 1 << 18;  // the whole sound, 0.17 Hz a bin
        const std::vector<double> power = Spectrum(wav.mono, 0, std::max(n, wav.mono.size()));
        const double binHz = 44100.0 / (2 * (power.size() - 1));
        double chroma[12] = {}, total = 0;
        for (size_t k = 1; k < power.size(); ++k) {
            const double hz = k * binHz;
            if (hz < 60 || hz > 5000)
                continue;
            const int pc = (static_cast<int>(std::lround(MidiOfFrequency(hz))) % 12 + 12) % 12;
            chroma[pc] += power[k];
            total += power[k];
        }
        double inSet = 0, weakestInSet = 1;
        for (int pc : c.classes) {
            inSet += chroma[pc] / total;
            weakestInSet = std::min(weakestInSet, chroma[pc] / total);
        }
        EXPECT_GT(inSet, 0.75);
        EXPECT_GT(weakestInSet, 0.25 / c.classes.size()) << "a class of the set is barely heard";

        // Onset of each arpeggio note: the first moment the band round its
        // own fundamental (a 0.19 s window, 10 ms steps, ±5 Hz) reaches half
        // the level it has before the chord. They rise in the staff's order,
        // 0.3 s apart.
        const size_t hop = 441, frame = 8192;
        const size_t arpeggio = performance.notes.size() / 2;
        const double chordAt = performance.notes[arpeggio].onset;
        // A window's worth of silence in front, so the first note's onset is
        // found as the others are.
        std::vector<double> padded(frame, 0.0);
        padded.insert(padded.end(), wav.mono.begin(), wav.mono.end());
        std::vector<double> onsets;
        for (size_t i = 0; i < arpeggio; ++i) {
            const double hz = 440 * std::pow(2.0, (performance.notes[i].key - 69) / 12.0);
            const size_t bin = static_cast<size_t>(std::lround(hz * frame / 44100.0));
            std::vector<double> level;
            for (size_t at = 0; at / 44100.0 < chordAt; at += hop) {
                const std::vector<double> p = Spectrum(padded, at, frame);
                level.push_back(p[bin - 1] + p[bin] + p[bin + 1]);
            }
            const double peak = *std::max_element(level.begin(), level.end());
            size_t h = 0;
            while (level[h] < peak / 2)
                ++h;
            onsets.push_back(h * hop / 44100.0);
        }
        for (size_t i = 1; i < arpeggio; ++i)
            EXPECT_NEAR(onsets[i] - onsets[0], performance.notes[i].onset, 0.03) << "note " << i;
    }
}

// The MIDI file read back: its name, no sharps or flats, 120 beats a
// minute; then each note of the staff rising an eighth (240 ticks) apart in
// a bar of its own, then all of them together for a whole note (1920 ticks)
// in 4/4.
TEST(Sound, MidiFileHoldsTheArpeggioThenTheChordNamedByForte)
{
    const struct {
        const char* tn;
        const char* name;
        std::vector<int> keys;
    } cases[] = {{"0 4 7", "3-11b", {60, 64, 67}},
                 {"0 1 6", "3-5", {60, 61, 66}},
                 {"0 2 4 6 8 10", "6-35", {60, 62, 64, 66, 68, 70}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tn);
        const std::string bytes = MakeMidiFile(Performed(c.tn));
        smf_t* smf = smf_load_from_memory(bytes.data(), static_cast<int>(bytes.size()));
        ASSERT_NE(smf, nullptr);
        EXPECT_EQ(smf->number_of_tracks, 1);
        EXPECT_EQ(smf->ppqn, 480);

        struct Heard {
            int key, start, length;
        };
        std::vector<Heard> heard;
        std::vector<int> sounding(128, -1);
        std::string name;
        int program = -1;
        std::vector<std::vector<unsigned char>> times;
        std::vector<int> timeAt;
        std::vector<unsigned char> keySignature, tempo;
        while (smf_event_t* e = smf_get_next_event(smf)) {
            const int status = e->midi_buffer[0];
            if (status == 0xFF && e->midi_buffer[1] == 0x03) {
                char* text = smf_event_extract_text(e);
                name = text ? text : "";
                free(text);
            } else if (status == 0xFF && e->midi_buffer[1] == 0x58) {
                times.emplace_back(e->midi_buffer + 3, e->midi_buffer + e->midi_buffer_length);
                timeAt.push_back(e->time_pulses);
            } else if (status == 0xFF && e->midi_buffer[1] == 0x59) {
                keySignature.assign(e->midi_buffer + 3, e->midi_buffer + e->midi_buffer_length);
            } else if (status == 0xFF && e->midi_buffer[1] == 0x51) {
                tempo.assign(e->midi_buffer + 3, e->midi_buffer + e->midi_buffer_length);
            } else if ((status & 0xF0) == 0xC0) {
                program = e->midi_buffer[1];
            } else if ((status & 0xF0) == 0x90 && e->midi_buffer[2] > 0) {
                EXPECT_EQ(sounding[e->midi_buffer[1]], -1) << "key struck while still down";
                sounding[e->midi_buffer[1]] = e->time_pulses;
            } else if ((status & 0xF0) == 0x80 || (status & 0xF0) == 0x90) {
                const int key = e->midi_buffer[1];
                ASSERT_GE(sounding[key], 0) << "key released before it was struck";
                heard.push_back({key, sounding[key], e->time_pulses - sounding[key]});
                sounding[key] = -1;
            }
        }
        smf_delete(smf);
        EXPECT_EQ(name, c.name);
        EXPECT_EQ(program, 0);  // acoustic grand piano
        const int n = static_cast<int>(c.keys.size());
        // A bar of n eighths, then 4/4 where the chord begins.
        ASSERT_EQ(times.size(), 2u);
        EXPECT_EQ(times[0], (std::vector<unsigned char>{static_cast<unsigned char>(n), 3, 12, 8}));
        EXPECT_EQ(times[1], (std::vector<unsigned char>{4, 2, 24, 8}));
        EXPECT_EQ(timeAt, (std::vector<int>{0, 240 * n}));
        EXPECT_EQ(keySignature, (std::vector<unsigned char>{0, 0}));
        EXPECT_EQ(tempo, (std::vector<unsigned char>{0x07, 0xA1, 0x20}));  // 500000 us a quarter

        ASSERT_EQ(heard.size(), 2 * c.keys.size());
        std::sort(heard.begin(), heard.end(), [](const Heard& a, const Heard& b) {
            return a.start != b.start ? a.start < b.start : a.key < b.key;
        });
        for (int i = 0; i < n; ++i) {
            EXPECT_EQ(heard[i].key, c.keys[i]);
            EXPECT_EQ(heard[i].start, 240 * i);
            EXPECT_EQ(heard[i].length, 240);
            EXPECT_EQ(heard[n + i].key, c.keys[i]);
            EXPECT_EQ(heard[n + i].start, 240 * n);
            EXPECT_EQ(heard[n + i].length, 1920);
        }
    }
}

namespace {

// A player whose reports are kept, for waiting on them.
struct Recorder {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<SoundPlayer::Report> reports;

    SoundPlayer::Listener listener()
    {
        return [this](const SoundPlayer::Report& r) {
            std::lock_guard<std::mutex> lock(mutex);
            reports.push_back(r);
            changed.notify_all();
        };
    }
    // The first report of the given play that is not Started.
    SoundPlayer::Report outcome(int play)
    {
        std::unique_lock<std::mutex> lock(mutex);
        const SoundPlayer::Report* found = nullptr;
        changed.wait_for(lock, std::chrono::seconds(20), [&] {
            for (const auto& r : reports)
                if (r.play == play && r.event != SoundPlayer::Event::Started)
                    return (found = &r) != nullptr;
            return false;
        });
        return found ? *found : SoundPlayer::Report{play, SoundPlayer::Event::Started, "no outcome", "", {}};
    }
};

}  // namespace

// No audio device, no sound server, no SoundFont: each is told in a sentence
// and the player goes on to answer the next request.
TEST(Sound, PlayingWithoutAudioOutputOrSoundFontSaysSo)
{
    const std::vector<AudioOutput> missing = {
        {"alsa", {{"audio.alsa.device", "hw:99"}}},
        {"pulseaudio", {{"audio.pulseaudio.server", "unix:/nonexistent/harmodex"}}}};
    const struct {
        std::vector<AudioOutput> outputs;
        std::string soundFont;
        const char* said;
    } cases[] = {{missing, "", "no audio output is available"},
                 {{}, "", "no audio output is available"},
                 {missing, "/nonexistent/harmodex.sf2", "timgm6mb-soundfont"}};
    for (const auto& c : cases) {
        Recorder recorder;
        SoundPlayer player(c.outputs, recorder.listener(), c.soundFont);
        player.stop();  // nothing to stop
        for (int attempt = 0; attempt < 2; ++attempt) {
            const SoundPlayer::Report r = recorder.outcome(player.play(PerformSet("0 4 7")));
            EXPECT_EQ(r.event, SoundPlayer::Event::Failed);
            EXPECT_NE(r.message.find(c.said), std::string::npos) << r.message;
        }
    }

    const std::string said = ThrownError([] { FindSoundFont({"/nonexistent/a.sf2"}); });
    EXPECT_NE(said.find("/nonexistent/a.sf2"), std::string::npos) << said;
    EXPECT_NE(said.find(kSoundFontPackage), std::string::npos) << said;
}

// With an output that opens (FluidSynth's file driver), a play starts and
// ends; a newer play or stop() cuts the one under way short, and every play
// has one outcome.
TEST(Sound, PlayerStartsFinishesAndStops)
{
    Recorder recorder;
    SoundPlayer player({{"file", {{"audio.file.name", "/dev/null"}, {"audio.file.type", "raw"}}}}, recorder.listener());
    SetPerformance brief;
    brief.notes = {{60, 0.0, 0.05, 80}};
    brief.length = 0.05;
    const int first = player.play(brief);
    EXPECT_EQ(recorder.outcome(first).event, SoundPlayer::Event::Finished);

    // Presses in quick succession: each play ends exactly once, stopped.
    std::vector<int> plays;
    for (int i = 0; i < 40; ++i)
        plays.push_back(player.play(PerformSet(i % 2 ? "0 4 7" : "0 2 4 6 8 10")));
    player.stop();
    for (int play : plays)
        EXPECT_EQ(recorder.outcome(play).event, SoundPlayer::Event::Stopped) << play;
    std::lock_guard<std::mutex> lock(recorder.mutex);
    for (int play : plays)
        EXPECT_EQ(std::count_if(recorder.reports.begin(), recorder.reports.end(),
                                [&](const SoundPlayer::Report& r) {
                                    return r.play == play && r.event != SoundPlayer::Event::Started;
                                }),
                  1)
            << play;
}

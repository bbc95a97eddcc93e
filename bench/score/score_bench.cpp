// Reading a score, cutting it into sonorities and naming each: a generated
// four-voice piece of about 1,000 notes (target: under 20 ms) and one of
// 100,000 notes (target: under 1 s), as MusicXML and as MIDI. The counter
// bytes_per_note (the score and its segments held in memory, divided by the
// notes) stays flat from the small piece to the large one: memory is linear
// in the notes.
#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "score/Score.h"
#include "score/Segments.h"

namespace {

// A four-voice texture: each voice walks by step or skip within its range,
// in quarters and pairs of eighths, four beats to the measure.
struct Voice {
    int low, high, pitch;
};

struct GeneratedNote {
    int pitch, eighths;  // length in eighth notes
};

std::vector<std::vector<GeneratedNote>> Generate(int notes)
{
    std::vector<Voice> voices = {{60, 79, 67}, {55, 72, 64}, {48, 67, 60}, {36, 60, 48}};
    std::vector<std::vector<GeneratedNote>> parts(voices.size());
    uint32_t seed = 12345;
    const int perVoice = notes / 4;
    for (size_t v = 0; v < voices.size(); ++v) {
        int eighths = 0;
        for (int i = 0; i < perVoice; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const int steps[] = {-4, -2, -1, 1, 2, 3, -3, 5};
            Voice& voice = voices[v];
            voice.pitch += steps[(seed >> 24) & 7];
            if (voice.pitch < voice.low || voice.pitch > voice.high)
                voice.pitch = (voice.low + voice.high) / 2;
            // Eighths come in pairs so that a voice stays on the beat; the
            // last note fills the measure.
            int length = (v == 1 && (seed >> 16) % 3 == 0) || eighths % 2 ? 1 : 2;
            if (i == perVoice - 1)
                length = 8 - eighths % 8;
            parts[v].push_back({voice.pitch, length});
            eighths += length;
        }
    }
    return parts;
}

std::string MusicXml(int notes)
{
    static const char* const steps[12] = {"C", "C", "D", "D", "E", "F", "F", "G", "G", "A", "A", "B"};
    static const int alters[12] = {0, 1, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0};
    const auto parts = Generate(notes);
    std::string x = "<?xml version=\"1.0\"?>\n<score-partwise version=\"3.1\"><part-list>";
    for (size_t p = 0; p < parts.size(); ++p)
        x += "<score-part id=\"P" + std::to_string(p) + "\"><part-name>V</part-name></score-part>";
    x += "</part-list>\n";
    for (size_t p = 0; p < parts.size(); ++p) {
        x += "<part id=\"P" + std::to_string(p) + "\">\n";
        int eighths = 0, measure = 0;
        for (const GeneratedNote& n : parts[p]) {
            if (eighths % 8 == 0) {
                if (measure > 0)
                    x += "</measure>\n";
                ++measure;
                x += "<measure number=\"" + std::to_string(measure) + "\">";
                if (measure == 1)
                    x += "<attributes><divisions>2</divisions><time><beats>4</beats><beat-type>4</beat-type></time>"
                         "</attributes>";
            }
            x += "<note><pitch><step>" + std::string(steps[n.pitch % 12]) + "</step>" +
                 (alters[n.pitch % 12] ? "<alter>1</alter>" : "") + "<octave>" + std::to_string(n.pitch / 12 - 1) +
                 "</octave></pitch><duration>" + std::to_string(n.eighths) + "</duration><voice>1</voice>" + "<type>" +
                 (n.eighths == 1 ? "eighth" : "quarter") + "</type></note>\n";
            eighths += n.eighths;
        }
        x += "</measure>\n</part>\n";
    }
    return x + "</score-partwise>\n";
}

void PutVlq(std::string& s, uint32_t v)
{
    char bytes[5];
    int n = 0;
    bytes[n++] = static_cast<char>(v & 0x7f);
    while (v >>= 7)
        bytes[n++] = static_cast<char>(0x80 | (v & 0x7f));
    while (n)
        s += bytes[--n];
}

std::string Midi(int notes)
{
    const auto parts = Generate(notes);
    std::string s = std::string("MThd\0\0\0\6\0\1", 10);
    s += static_cast<char>(0);
    s += static_cast<char>(parts.size());
    s += std::string("\x01\xe0", 2);  // 480 ticks per quarter
    for (size_t p = 0; p < parts.size(); ++p) {
        std::string t;
        for (const GeneratedNote& n : parts[p]) {
            t += std::string("\0", 1) + static_cast<char>(0x90 | p) + static_cast<char>(n.pitch) + '\x50';
            PutVlq(t, static_cast<uint32_t>(240 * n.eighths));
            t += static_cast<char>(n.pitch);
            t += '\0';  // running status: a silent note-on ends the note
        }
        t += std::string("\0\xff\x2f\0", 4);
        s += "MTrk";
        for (int shift = 24; shift >= 0; shift -= 8)
            s += static_cast<char>((t.size() >> shift) & 0xff);
        s += t;
    }
    return s;
}

void Measure(benchmark::State& state, const std::string& bytes, const char* name)
{
    size_t bytesHeld = 0, notes = 0, segments = 0;
    for (auto _ : state) {
        const Score score = ReadScoreBytes(bytes, name);
        const std::vector<Segment> cut = SegmentScore(score, SegmentBy::Onset, false);
        benchmark::DoNotOptimize(SetClassProfile(cut));
        notes = score.notes.size();
        segments = cut.size();
        bytesHeld = score.notes.capacity() * sizeof(ScoreNote) + score.measures.capacity() * sizeof(ScoreMeasure) +
                    cut.capacity() * sizeof(Segment);
        for (const Segment& s : cut)
            bytesHeld += (s.pitches.capacity() + s.pitchClasses.capacity()) * sizeof(int);
    }
    state.counters["notes"] = static_cast<double>(notes);
    state.counters["segments"] = static_cast<double>(segments);
    state.counters["bytes_per_note"] = static_cast<double>(bytesHeld) / static_cast<double>(notes);
}

void BM_ScoreMusicXml(benchmark::State& state)
{
    const std::string xml = MusicXml(static_cast<int>(state.range(0)));
    Measure(state, xml, "generated.musicxml");
}
BENCHMARK(BM_ScoreMusicXml)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ScoreMidi(benchmark::State& state)
{
    const std::string midi = Midi(static_cast<int>(state.range(0)));
    Measure(state, midi, "generated.mid");
}
BENCHMARK(BM_ScoreMidi)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

// Standard MIDI Files, formats 0 and 1, read into sounding notes.
//
// The file is read here rather than through libsmf: libsmf reports a damaged
// file only through GLib warnings, without the byte at fault, and a reader
// that has to survive any input is small enough to own. Running status is
// honoured; a note-on of velocity 0 is a note-off. Channel 10 is the General
// MIDI percussion channel, whose keys are drums, not pitches: it is left out.

#include <algorithm>
#include <deque>
#include <map>

#include "score/ReaderSupport.h"

namespace {

// A note still sounding: when it began.
struct Held {
    std::deque<uint64_t> starts;
};

struct TimeSignature {
    uint64_t tick = 0;
    int beats = 4;
    int beatType = 4;
};

class MidiReader {
public:
    MidiReader(const std::string& bytes, const std::string& name, const ScoreReadOptions& options)
        : data_(reinterpret_cast<const unsigned char*>(bytes.data())), size_(bytes.size()), name_(name),
          options_(options)
    {
    }

    Score Read()
    {
        if (size_ < 14 || std::string(reinterpret_cast<const char*>(data_), 4) != "MThd")
            Fault(0, "not a Standard MIDI File (it does not begin with MThd)");
        const uint32_t headerLength = Be32(4);
        if (headerLength < 6 || headerLength > size_ - 8)
            Fault(4, "a header of " + std::to_string(headerLength) + " bytes");
        const int format = Be16(8);
        const int tracks = Be16(10);
        const int division = Be16(12);
        if (format > 1)
            Fault(8, "format " + std::to_string(format) + " (independent sequences) is not read; formats 0 and 1 are");
        if (division & 0x8000)
            Fault(12, "its time is counted in SMPTE frames, not in ticks per quarter note");
        if (division == 0)
            Fault(12, "zero ticks per quarter note");
        ticksPerQuarter_ = division;
        maxTicks_ = static_cast<uint64_t>(MaxScoreQuarters) * static_cast<uint64_t>(division);

        size_t at = 8 + headerLength;
        int track = 0;
        while (at + 8 <= size_ && track < tracks) {
            const uint32_t length = Be32(at + 4);
            if (length > size_ - at - 8)
                Fault(at + 4, "a chunk of " + std::to_string(length) + " bytes runs past the end of the file");
            if (std::string(reinterpret_cast<const char*>(data_ + at), 4) == "MTrk") {
                ReadTrack(at + 8, at + 8 + length, track++);
                ReportProgress(options_, name_, 0.9 * (at + 8 + length) / size_);
            }
            at += 8 + length;  // chunks of other kinds are skipped, as the standard asks
        }
        if (track == 0)
            Fault(at, "no track chunk (MTrk)");
        return Assemble();
    }

private:
    [[noreturn]] void Fault(size_t byte, const std::string& what) const
    {
        ScoreFault(name_, "byte " + std::to_string(byte), what);
    }
    uint32_t Be32(size_t at) const
    {
        return (uint32_t(data_[at]) << 24) | (uint32_t(data_[at + 1]) << 16) | (uint32_t(data_[at + 2]) << 8) |
               data_[at + 3];
    }
    int Be16(size_t at) const { return (data_[at] << 8) | data_[at + 1]; }

    // A variable-length quantity: at most four bytes of seven bits.
    uint32_t Vlq(size_t& at, size_t end) const
    {
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            if (at >= end)
                Fault(at, "the track ends inside a number");
            const unsigned char b = data_[at++];
            value = (value << 7) | (b & 0x7f);
            if (!(b & 0x80))
                return value;
        }
        Fault(at - 1, "a number longer than four bytes");
    }

    void ReadTrack(size_t at, size_t end, int track)
    {
        uint64_t tick = 0;
        int status = 0;
        std::map<int, Held> held;  // channel * 128 + key
        while (at < end) {
            tick += Vlq(at, end);
            if (tick > maxTicks_)
                Fault(at, "an event more than " + std::to_string(MaxScoreQuarters) + " quarter notes in");
            if (at >= end)
                Fault(at, "the track ends after a delta time");
            const size_t eventAt = at;
            int byte = data_[at];
            if (byte & 0x80) {
                ++at;
                if (byte < 0xf0)
                    status = byte;
            } else if (status == 0) {
                Fault(eventAt, "running status with no status before it");
            } else {
                byte = status;  // running status: the data byte is read below
            }
            if (byte == 0xff) {
                if (at >= end)
                    Fault(at, "the track ends inside a meta event");
                const int type = data_[at++];
                const uint32_t length = Vlq(at, end);
                if (length > end - at)
                    Fault(eventAt, "a meta event runs past the end of its track");
                if (type == 0x58 && length >= 2) {
                    const int beats = data_[at];
                    const int power = data_[at + 1];
                    if (beats < 1 || power > 6)
                        Fault(eventAt, "a time signature of " + std::to_string(beats) + "/2^" + std::to_string(power));
                    signatures_.push_back({tick, beats, 1 << power});
                }
                at += length;
                if (type == 0x2f)
                    break;  // end of track
                continue;
            }
            if (byte == 0xf0 || byte == 0xf7) {
                const uint32_t length = Vlq(at, end);
                if (length > end - at)
                    Fault(eventAt, "a system-exclusive message runs past the end of its track");
                at += length;
                status = 0;  // system messages cancel running status
                continue;
            }
            if (byte > 0xf0)
                Fault(eventAt, "a system message (0x" + Hex(byte) + ") inside a file");
            const int kind = byte & 0xf0;
            const int channel = byte & 0x0f;
            const int dataBytes = (kind == 0xc0 || kind == 0xd0) ? 1 : 2;
            if (end - at < static_cast<size_t>(dataBytes))
                Fault(eventAt, "the track ends inside a message");
            const int key = data_[at];
            const int velocity = dataBytes == 2 ? data_[at + 1] : 0;
            if ((key & 0x80) || (velocity & 0x80))
                Fault(at, "a data byte with its top bit set");
            at += static_cast<size_t>(dataBytes);
            if (channel == 9 || (kind != 0x80 && kind != 0x90))
                continue;
            Held& h = held[channel * 128 + key];
            if (kind == 0x90 && velocity > 0) {
                h.starts.push_back(tick);
                if (++noteCount_ > static_cast<uint64_t>(MaxScoreNotes))
                    Fault(eventAt, "more than " + std::to_string(MaxScoreNotes) + " notes");
            } else if (!h.starts.empty()) {
                AddNote(h.starts.front(), tick, key, track, channel);
                h.starts.pop_front();
            }
        }
        // Notes never released end with their track.
        for (auto& [k, h] : held)
            for (uint64_t start : h.starts)
                AddNote(start, tick, k % 128, track, k / 128);
        lastTick_ = std::max(lastTick_, tick);
    }

    static std::string Hex(int byte)
    {
        const char* digits = "0123456789abcdef";
        return {digits[(byte >> 4) & 15], digits[byte & 15]};
    }

    void AddNote(uint64_t start, uint64_t stop, int key, int track, int channel)
    {
        if (stop <= start)
            return;  // struck and released at once: nothing sounds
        ScoreNote n;
        n.start = Rational(static_cast<int64_t>(start), ticksPerQuarter_);
        n.duration = Rational(static_cast<int64_t>(stop - start), ticksPerQuarter_);
        n.pitch = key;
        n.part = track;
        n.voice = channel;
        notes_.push_back(n);
    }

    Score Assemble()
    {
        Score score;
        score.path = name_;
        score.format = "MIDI";
        score.notes = std::move(notes_);
        // Measures follow the time signatures from the beginning (4/4 until
        // the first); a signature met inside a measure ends it there.
        std::stable_sort(signatures_.begin(), signatures_.end(),
                         [](const TimeSignature& a, const TimeSignature& b) { return a.tick < b.tick; });
        Rational end(static_cast<int64_t>(lastTick_), ticksPerQuarter_);
        for (const ScoreNote& n : score.notes)
            end = std::max(end, n.start + n.duration);
        TimeSignature current;
        size_t next = 0;
        Rational position;
        while (position < end || score.measures.empty()) {
            while (next < signatures_.size() &&
                   Rational(static_cast<int64_t>(signatures_[next].tick), ticksPerQuarter_) <= position)
                current = signatures_[next++];
            Rational length(4 * current.beats, current.beatType);
            if (next < signatures_.size())
                length = std::min(length,
                                  Rational(static_cast<int64_t>(signatures_[next].tick), ticksPerQuarter_) - position);
            if (score.measures.size() >= MaxScoreMeasures)
                Fault(0, "more than " + std::to_string(MaxScoreMeasures) + " measures");
            ScoreMeasure m;
            m.number = std::to_string(score.measures.size() + 1);
            m.start = position;
            m.length = length;
            m.beats = current.beats;
            m.beatType = current.beatType;
            score.measures.push_back(m);
            position += length;
        }
        CloseGaps(score);
        FinishScore(score);
        ReportProgress(options_, name_, 1.0);
        return score;
    }

    // Sequencers and notation programs release a note a little before the
    // next one begins (MuseScore one tick early). A note released within a
    // 32nd of a quarter before an onset or a bar line, and within half its
    // own length, is heard as held up to it, so that a sonority lasts until
    // the next one and a MIDI file reads as the score it was written from.
    static void CloseGaps(Score& score)
    {
        std::vector<Rational> points;
        points.reserve(score.notes.size() + score.measures.size() + 1);
        for (const ScoreNote& n : score.notes)
            points.push_back(n.start);
        for (const ScoreMeasure& m : score.measures)
            points.push_back(m.start + m.length);
        std::sort(points.begin(), points.end());
        points.erase(std::unique(points.begin(), points.end()), points.end());
        const Rational tolerance(1, 32);
        for (ScoreNote& n : score.notes) {
            const Rational end = n.start + n.duration;
            const auto p = std::lower_bound(points.begin(), points.end(), end);
            if (p == points.end() || *p == end)
                continue;
            const Rational gap = *p - end;
            if (gap <= tolerance && gap + gap <= n.duration)
                n.duration += gap;
        }
    }

    const unsigned char* data_;
    size_t size_;
    const std::string& name_;
    const ScoreReadOptions& options_;
    int64_t ticksPerQuarter_ = 480;
    uint64_t maxTicks_ = 0;
    uint64_t lastTick_ = 0;
    uint64_t noteCount_ = 0;
    std::vector<TimeSignature> signatures_;
    std::vector<ScoreNote> notes_;
};

}  // namespace

Score ReadMidi(const std::string& bytes, const std::string& name, const ScoreReadOptions& options)
{
    MidiReader reader(bytes, name, options);
    return reader.Read();
}

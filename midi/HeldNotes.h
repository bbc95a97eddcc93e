#ifndef HARMODEX_MIDI_HELDNOTES_H
#define HARMODEX_MIDI_HELDNOTES_H

// The notes a player holds on a MIDI keyboard, and the chord they make once
// the hands have settled.
//
// A chord is rarely struck with every finger at the same instant, and an
// arpeggiated chord reaches its last note a good fraction of a second after
// its first. Reporting every change would flicker through the partial sets
// (C, then C E, then C E G); instead the held notes are reported once they
// have stayed the same for a settling time (120 ms by default), and only
// when they differ from the chord last reported. Releasing every key
// reports nothing: the last chord stays the one shown.
//
// The tracker never reads a clock: every call is given the time, so that it
// is tested without time passing and driven by whichever thread owns it. It
// is not thread-safe; one thread feeds it.

#include <bitset>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// A chord as played: the keys sounding (MIDI numbers, lowest first, each
// once) and their pitch classes as a 12-bit mask (bit p: pitch class p).
struct HeldChord {
    std::vector<int> keys;
    uint16_t mask = 0;
    bool operator==(const HeldChord& other) const { return keys == other.keys; }
};

class HeldNotes {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    static constexpr std::chrono::milliseconds kSettlingTime{120};
    // How long the held keys rest before a listener may start on their
    // page: a chord struck at once is whole by then, well before it
    // settles, so its page is nearly made when the chord is reported.
    static constexpr std::chrono::milliseconds kRestBeforePreparing{20};
    // Sources (input ports) told apart; messages of a higher source are
    // counted as the last one's.
    static constexpr int kSources = 64;

    explicit HeldNotes(std::chrono::milliseconds settlingTime = kSettlingTime);

    // One MIDI channel message from a source (an input port's index) at time
    // t. Note-on (a velocity of 0 is a note-off), note-off, the sustain
    // pedal (controller 64: 64 and above is down), and "all notes off" and
    // "all sound off" (controllers 123 and 120) are heeded; everything else,
    // system messages included, is ignored. A short or malformed message is
    // ignored, never read past its end.
    void message(int source, const unsigned char* bytes, size_t size, TimePoint t);

    void noteOn(int source, int channel, int key, TimePoint t);
    void noteOff(int source, int channel, int key, TimePoint t);
    void sustain(int source, int channel, bool down, TimePoint t);
    // Forgets every note of a source, as when its port disappears.
    void releaseSource(int source, TimePoint t);

    // The chord to report at time now: the sounding keys once they have
    // been unchanged for the settling time, when they are not empty and
    // differ from the chord last reported. Each chord is returned once.
    std::optional<HeldChord> poll(TimePoint now);
    // When poll will next have a chord to report, if nothing changes
    // meanwhile; empty when it has none coming.
    std::optional<TimePoint> nextReport() const;

    // The keys sounding now (held, or released under the pedal), lowest first.
    std::vector<int> sounding() const;
    // Their pitch classes as a mask.
    uint16_t soundingMask() const;

private:
    struct Channel {
        std::bitset<128> held;       // keys down
        std::bitset<128> sustained;  // released while the pedal was down
        bool pedal = false;
    };
    Channel& channel(int source, int channel);
    void changed(TimePoint t);
    std::bitset<128> soundingKeys() const;

    std::chrono::milliseconds settlingTime_;
    std::vector<Channel> channels_;  // source * 16 + channel, grown as met
    std::bitset<128> lastSounding_;
    TimePoint lastChange_{};
    std::optional<std::bitset<128>> lastReported_;
};

#endif

#ifndef HARMODEX_MIDI_LIVEINPUT_H
#define HARMODEX_MIDI_LIVEINPUT_H

// Chords played on a MIDI keyboard, as they come: the input ports of the
// ALSA sequencer and of a running JACK server, and a listener that follows
// the keys held on one port or on all of them and reports each chord once
// the hands have settled (see HeldNotes).
//
// Threads. The MIDI systems deliver messages on threads of their own (the
// ALSA sequencer's reading thread, JACK's process thread); those threads
// only stamp each message with the time and append it to the listener's
// mutex-guarded queue. One thread of the listener's own takes them from the
// queue, keeps the held notes, watches the ports (every half second: a port
// that disappears is closed and reported, and opened again when it
// returns), and calls the sink with each event, always on that thread and
// never two at once. The sink gets its events by value; it must hand them
// to its own thread (the window posts them to its main loop) and never
// destroy the listener from inside the sink. Destroying the listener stops
// that thread and closes every port before it returns; no event comes after.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "midi/HeldNotes.h"

struct MidiInputPort {
    std::string system;  // "ALSA" or "JACK"
    std::string name;    // what the user sees and chooses: the client and port
};

struct MidiInputs {
    std::vector<MidiInputPort> ports;
    // The MIDI systems reached ("ALSA", "JACK"); empty when neither is.
    std::vector<std::string> systems;
};

// The input ports there are now. Never throws: without a MIDI system the
// lists are empty.
MidiInputs ListMidiInputs();

// The port a user's text names: the port of that exact name, else the one
// port whose name holds the text (in any case). BadInput naming the ports
// there are when none or several match.
MidiInputPort FindMidiInput(const MidiInputs& inputs, const std::string& text);

// What the listener reports.
struct LiveEvent {
    enum class Kind {
        Chord,       // a settled chord: chord
        Held,        // the keys sounding changed: chord holds them (possibly none)
        PortOpened,  // port is being listened to (at the start, or when it returns)
        PortLost,    // port disappeared; message says so
    };
    Kind kind = Kind::Chord;
    HeldChord chord;
    std::string port;
    std::string message;
};

class LiveListener {
public:
    using Sink = std::function<void(const LiveEvent&)>;

    // Listens to the port named portName, or to every input port when it is
    // empty (ports that appear later are opened too). Throws
    // harmodex::Error when no MIDI system is running, or when there is no
    // input port to listen to and waitForPorts is false; BadInput when
    // portName names no port (or several). With waitForPorts, a named port
    // that is not there yet is opened when it appears.
    LiveListener(const std::string& portName, Sink sink, bool waitForPorts = false,
                 std::chrono::milliseconds settlingTime = HeldNotes::kSettlingTime);
    ~LiveListener();
    LiveListener(const LiveListener&) = delete;
    LiveListener& operator=(const LiveListener&) = delete;

    // The ports open at the start.
    const std::vector<std::string>& openedAtStart() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

#endif

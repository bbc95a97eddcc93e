#ifndef HARMODEX_TESTS_MIDI_LIVEKEYBOARD_H
#define HARMODEX_TESTS_MIDI_LIVEKEYBOARD_H

// A keyboard played by a test: a MIDI output port of its own on a real MIDI
// system (a JACK server the test starts, or the ALSA sequencer), which the
// listener finds among the input ports like any other.

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include <rtmidi/RtMidi.h>

class LiveKeyboard {
public:
    LiveKeyboard(RtMidi::Api api, const std::string& client) : out_(std::make_unique<RtMidiOut>(api, client))
    {
        out_->openVirtualPort("keys");
    }
    void on(int key, int velocity = 90) { send(0x90, key, velocity); }
    void off(int key) { send(0x80, key, 0); }
    void pedal(bool down) { send(0xB0, 64, down ? 127 : 0); }
    void send(int status, int a, int b)
    {
        std::vector<unsigned char> m = {static_cast<unsigned char>(status), static_cast<unsigned char>(a),
                                        static_cast<unsigned char>(b)};
        out_->sendMessage(&m);
    }
    static void pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
    // The port goes, as when a keyboard is unplugged.
    void unplug() { out_.reset(); }

private:
    std::unique_ptr<RtMidiOut> out_;
};

#endif

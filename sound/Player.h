// Plays a set's performance on the computer's audio output, in the
// background: every call returns at once, and what happens is reported to a
// listener from the player's own thread.
#ifndef HARMODEX_SOUND_PLAYER_H
#define HARMODEX_SOUND_PLAYER_H

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "sound/Performance.h"

class Synth;
struct _fluid_audio_driver_t;

// An audio output: a FluidSynth audio driver and the settings it needs.
struct AudioOutput {
    std::string driver;
    std::vector<std::pair<std::string, std::string>> settings;
};

// The outputs of a desktop, tried in turn: the sound server (PulseAudio, or
// PipeWire speaking its protocol), then ALSA's default device. JACK is left
// out: asking for it may start a JACK server behind the user's back.
std::vector<AudioOutput> SystemAudioOutputs();

class SoundPlayer {
public:
    enum class Event {
        Started,   // the first note was switched on
        Finished,  // the performance has been played to its end
        Stopped,   // stop() or a newer play() cut it short (or came first)
        Failed,    // nothing can sound; the message says why
    };
    struct Report {
        int play;  // the number play() returned
        Event event;
        std::string message;  // for Failed: why, in a sentence
        std::string detail;   // for Failed: what each output answered, if any
        std::chrono::steady_clock::time_point when;
    };
    using Listener = std::function<void(const Report&)>;

    // soundFont: a SoundFont path, "" for the installed one.
    SoundPlayer(std::vector<AudioOutput> outputs, Listener listener, std::string soundFont = "");
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Loads the SoundFont ahead of the first play, so that it sounds at once.
    void prepare();
    // Plays the performance from its start, cutting short any other; returns
    // the number its reports carry.
    int play(SetPerformance performance);
    // Silences what is playing (a no-op when nothing is).
    void stop();

private:
    enum class Request { None, Prepare, Play, Stop, Quit };
    void run();
    bool ready(bool openOutput, std::string* error, std::string* detail);
    void silence();
    void report(int play, Event event, const std::string& message = "", const std::string& detail = "");

    const std::vector<AudioOutput> outputs_;
    const Listener listener_;
    const std::string soundFont_;

    std::mutex mutex_;
    std::condition_variable wake_;
    Request request_ = Request::None;
    bool quit_ = false;
    SetPerformance pending_;
    int lastPlay_ = 0;
    // Plays asked for and overtaken by a newer request before they began:
    // each still gets its report, so that every play() has an outcome.
    std::vector<int> overtaken_;

    // Owned by the player's thread.
    std::unique_ptr<Synth> synth_;
    std::string synthError_;
    _fluid_audio_driver_t* output_ = nullptr;

    std::thread thread_;
};

#endif

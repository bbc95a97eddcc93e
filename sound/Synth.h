// A FluidSynth synthesiser with the General MIDI SoundFont loaded and a
// piano on channel 1, shared by the file renderer and the player.
#ifndef HARMODEX_SOUND_SYNTH_H
#define HARMODEX_SOUND_SYNTH_H

#include <string>
#include <utility>
#include <vector>

#include <fluidsynth.h>

constexpr int kSampleRate = 44100;

class Synth {
public:
    // sampleRate in Hz; threadSafe when notes are sent from another thread
    // than the one that renders.
    Synth(double sampleRate, bool threadSafe);
    ~Synth();
    Synth(const Synth&) = delete;
    Synth& operator=(const Synth&) = delete;

    // Loads the SoundFont (found among the installed ones when path is "")
    // and sets the piano; harmodex::Error when it cannot (naming the package
    // to install when none is found).
    void load(const std::string& path);

    // Opens the audio output named by driver with the given settings and
    // starts sounding through it; harmodex::Error with FluidSynth's reason
    // when it cannot. The caller deletes the driver.
    fluid_audio_driver_t* openAudioDriver(const std::string& driver,
                                          const std::vector<std::pair<std::string, std::string>>& settings);

    fluid_settings_t* settings() const { return settings_; }
    fluid_synth_t* synth() const { return synth_; }

private:
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
};

// A harmodex::Error saying what failed, with the last reason FluidSynth
// gave on this thread. FluidSynth's own messages are kept from the terminal
// and from the window's standard error and reach the user once, in our own
// words with this as the reason.
[[noreturn]] void ThrowSynthError(const std::string& what);

#endif

// A FluidSynth synthesiser with the General MIDI SoundFont loaded and a
// piano on channel 1, shared by the file renderer and the player.
#ifndef HARMODEX_SOUND_SYNTH_H
#define HARMODEX_SOUND_SYNTH_H

#include <string>

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
    // and sets the piano; false with *error set (naming the package to
    // install when none is found).
    bool load(const std::string& path, std::string* error);

    fluid_settings_t* settings() const { return settings_; }
    fluid_synth_t* synth() const { return synth_; }

private:
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
};

// The last error FluidSynth reported on this thread ("" if none), cleared by
// reading. FluidSynth's messages are kept from the terminal and from the
// window's standard error and given to the user once, in our own words
// with this as the reason.
std::string TakeSynthError();

#endif

#include "sound/Synth.h"

#include <mutex>

#include <alsa/asoundlib.h>

#include "base/Error.h"

#include "sound/Performance.h"
#include "sound/SoundFont.h"

namespace {

// FluidSynth tells why a call failed only through its log: the last message
// it logged on this thread, kept for the harmodex::Error thrown.
thread_local std::string lastLoggedFailure;

void KeepError(int, const char* message, void*) { lastLoggedFailure = message ? message : ""; }
void Ignore(int, const char*, void*) {}
// ALSA writes its own diagnostics to standard error when a machine has no
// sound card; the user is told once, by us, that there is no audio output.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

void RouteLog()
{
    static std::once_flag once;
    std::call_once(once, [] {
        fluid_set_log_function(FLUID_PANIC, KeepError, nullptr);
        fluid_set_log_function(FLUID_ERR, KeepError, nullptr);
        fluid_set_log_function(FLUID_WARN, Ignore, nullptr);
        fluid_set_log_function(FLUID_INFO, Ignore, nullptr);
        fluid_set_log_function(FLUID_DBG, Ignore, nullptr);
        snd_lib_error_set_handler(QuietAlsa);
    });
}

std::string TakeSynthError()
{
    std::string e;
    e.swap(lastLoggedFailure);
    return e;
}

}  // namespace

void ThrowSynthError(const std::string& what)
{
    const std::string reason = TakeSynthError();
    throw harmodex::Error(what + (reason.empty() ? "" : ": " + reason));
}

Synth::Synth(double sampleRate, bool threadSafe)
{
    RouteLog();
    settings_ = new_fluid_settings();
    if (!settings_)
        return;
    fluid_settings_setnum(settings_, "synth.sample-rate", sampleRate);
    fluid_settings_setint(settings_, "synth.threadsafe-api", threadSafe ? 1 : 0);
    // A comfortable listening level: a single note peaks near -14 dBFS and
    // the loudest sets (arpeggio, then the chord played more softly) near
    // -8 dBFS, so that even the twelve-note aggregate never clips.
    fluid_settings_setnum(settings_, "synth.gain", 2.0);
}

Synth::~Synth()
{
    if (synth_)
        delete_fluid_synth(synth_);
    if (settings_)
        delete_fluid_settings(settings_);
}

void Synth::load(const std::string& path)
{
    if (!settings_)
        throw harmodex::Error("cannot start the synthesiser");
    const std::string font = path.empty() ? FindSoundFont() : path;
    if (!synth_)
        synth_ = new_fluid_synth(settings_);
    if (!synth_)
        ThrowSynthError("cannot start the synthesiser");
    if (fluid_synth_sfload(synth_, font.c_str(), 1) == FLUID_FAILED) {
        const std::string reason = TakeSynthError();
        throw harmodex::Error("cannot load the SoundFont " + font + (reason.empty() ? "" : ": " + reason) +
                              " (reinstall the Debian package " + kSoundFontPackage + ")");
    }
    fluid_synth_program_change(synth_, 0, kPianoProgram);
}

fluid_audio_driver_t* Synth::openAudioDriver(const std::string& driver,
                                             const std::vector<std::pair<std::string, std::string>>& settings)
{
    fluid_settings_setstr(settings_, "audio.driver", driver.c_str());
    for (const auto& [name, value] : settings)
        fluid_settings_setstr(settings_, name.c_str(), value.c_str());
    fluid_audio_driver_t* output = new_fluid_audio_driver(settings_, synth_);
    if (!output)
        ThrowSynthError(driver);
    return output;
}

#include "sound/Synth.h"

#include <mutex>

#include <alsa/asoundlib.h>

#include "sound/Performance.h"
#include "sound/SoundFont.h"

namespace {

thread_local std::string lastError;

void KeepError(int, const char* message, void*) { lastError = message ? message : ""; }
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

}  // namespace

std::string TakeSynthError()
{
    std::string e;
    e.swap(lastError);
    return e;
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

bool Synth::load(const std::string& path, std::string* error)
{
    if (!settings_) {
        *error = "cannot start the synthesiser";
        return false;
    }
    const std::string font = path.empty() ? FindSoundFont(error) : path;
    if (font.empty())
        return false;
    if (!synth_)
        synth_ = new_fluid_synth(settings_);
    if (!synth_) {
        *error = "cannot start the synthesiser: " + TakeSynthError();
        return false;
    }
    if (fluid_synth_sfload(synth_, font.c_str(), 1) == FLUID_FAILED) {
        const std::string reason = TakeSynthError();
        *error = "cannot load the SoundFont " + font + (reason.empty() ? "" : ": " + reason) +
                 " (reinstall the Debian package " + kSoundFontPackage + ")";
        return false;
    }
    fluid_synth_program_change(synth_, 0, kPianoProgram);
    return true;
}

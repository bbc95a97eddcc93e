#include "sound/WavRender.h"

#include <cmath>

#include "sound/Synth.h"
#include "sound/TemporaryFile.h"

bool RenderWav(const SetPerformance& performance, const std::string& soundFont, std::string* bytes, std::string* error)
{
    TemporaryFile scratch(".wav");
    if (scratch.path().empty()) {
        *error = scratch.error();
        return false;
    }
    Synth synth(kSampleRate, false);
    fluid_settings_t* settings = synth.settings();
    if (settings) {
        fluid_settings_setstr(settings, "audio.file.name", scratch.path().c_str());
        fluid_settings_setstr(settings, "audio.file.type", "wav");
        fluid_settings_setstr(settings, "audio.file.format", "s16");
        fluid_settings_setstr(settings, "audio.file.endian", "little");
    }
    if (!synth.load(soundFont, error))
        return false;

    int period = 64;
    fluid_settings_getint(settings, "audio.period-size", &period);
    {
        // The renderer writes a block of period frames at each call; note
        // switches fall on the block boundary nearest their time (1.5 ms
        // apart at most).
        fluid_file_renderer_t* renderer = new_fluid_file_renderer(synth.synth());
        if (!renderer) {
            *error = "cannot start FluidSynth's file renderer: " + TakeSynthError();
            return false;
        }
        const std::vector<SoundEvent> events = SwitchEvents(performance.notes);
        const long long frames = std::llround((performance.length + kReleaseTail) * kSampleRate);
        size_t next = 0;
        bool ok = true;
        for (long long frame = 0; frame < frames && ok; frame += period) {
            for (; next < events.size() && std::llround(events[next].time * kSampleRate) < frame + period / 2; ++next) {
                const SoundEvent& e = events[next];
                if (e.velocity)
                    fluid_synth_noteon(synth.synth(), 0, e.key, e.velocity);
                else
                    fluid_synth_noteoff(synth.synth(), 0, e.key);
            }
            ok = fluid_file_renderer_process_block(renderer) == FLUID_OK;
        }
        // Closing the renderer completes the WAV header.
        delete_fluid_file_renderer(renderer);
        if (!ok) {
            *error = "cannot write the rendered sound to " + scratch.path() + ": " + TakeSynthError();
            return false;
        }
    }
    return scratch.read(bytes, error);
}

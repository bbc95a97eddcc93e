#include "sound/WavRender.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

#include <sndfile.h>

#include "base/Error.h"

#include "sound/Synth.h"
#include "sound/TemporaryFile.h"

std::string RenderWav(const SetPerformance& performance, const std::string& soundFont)
{
    TemporaryFile scratch(".wav");
    Synth synth(kSampleRate, false);
    fluid_settings_t* settings = synth.settings();
    if (settings) {
        fluid_settings_setstr(settings, "audio.file.name", scratch.path().c_str());
        fluid_settings_setstr(settings, "audio.file.type", "wav");
        fluid_settings_setstr(settings, "audio.file.format", "s16");
        fluid_settings_setstr(settings, "audio.file.endian", "little");
    }
    synth.load(soundFont);

    int period = 64;
    fluid_settings_getint(settings, "audio.period-size", &period);
    {
        // The renderer writes a block of period frames at each call; note
        // switches fall on the block boundary nearest their time (1.5 ms
        // apart at most).
        fluid_file_renderer_t* renderer = new_fluid_file_renderer(synth.synth());
        if (!renderer)
            ThrowSynthError("cannot start FluidSynth's file renderer");
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
        if (!ok)
            ThrowSynthError("cannot write the rendered sound to " + scratch.path());
    }
    return scratch.read();
}

namespace {

// libsndfile's virtual I/O over a string: the WAV read from memory, the
// encoded file written to memory.
struct Memory {
    std::string bytes;
    sf_count_t at = 0;
};

sf_count_t MemoryLength(void* user) { return static_cast<sf_count_t>(static_cast<Memory*>(user)->bytes.size()); }

sf_count_t MemorySeek(sf_count_t offset, int whence, void* user)
{
    Memory* m = static_cast<Memory*>(user);
    const sf_count_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? m->at : MemoryLength(user);
    if (base + offset < 0)
        return -1;
    m->at = base + offset;
    return m->at;
}

sf_count_t MemoryRead(void* data, sf_count_t count, void* user)
{
    Memory* m = static_cast<Memory*>(user);
    const sf_count_t left = std::max<sf_count_t>(0, MemoryLength(user) - m->at);
    const sf_count_t n = std::min(count, left);
    if (n > 0)
        std::memcpy(data, m->bytes.data() + m->at, static_cast<size_t>(n));
    m->at += n;
    return n;
}

sf_count_t MemoryWrite(const void* data, sf_count_t count, void* user)
{
    Memory* m = static_cast<Memory*>(user);
    const size_t end = static_cast<size_t>(m->at + count);
    if (m->bytes.size() < end)
        m->bytes.resize(end);
    std::memcpy(&m->bytes[static_cast<size_t>(m->at)], data, static_cast<size_t>(count));
    m->at += count;
    return count;
}

sf_count_t MemoryTell(void* user) { return static_cast<Memory*>(user)->at; }

struct SndfileCloser {
    void operator()(SNDFILE* f) const { sf_close(f); }
};

}  // namespace

SoundFormat SoundFormatNamed(const std::string& name)
{
    std::string lower;
    for (char c : name)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "wav")
        return SoundFormat::Wav;
    if (lower == "flac")
        return SoundFormat::Flac;
    if (lower == "ogg")
        return SoundFormat::Ogg;
    throw harmodex::Error::BadInput("the sound is not written as \"" + name + "\" (formats: wav, flac, ogg)");
}

std::string RenderSound(const SetPerformance& performance, SoundFormat format, const std::string& soundFont)
{
    Memory wav{RenderWav(performance, soundFont), 0};
    if (format == SoundFormat::Wav)
        return std::move(wav.bytes);

    SF_VIRTUAL_IO io{MemoryLength, MemorySeek, MemoryRead, MemoryWrite, MemoryTell};
    SF_INFO in{};
    std::unique_ptr<SNDFILE, SndfileCloser> source(sf_open_virtual(&io, SFM_READ, &in, &wav));
    if (!source)
        throw harmodex::Error(std::string("cannot read back the rendered sound: ") + sf_strerror(nullptr));
    SF_INFO out{};
    out.samplerate = in.samplerate;
    out.channels = in.channels;
    out.format = format == SoundFormat::Flac ? SF_FORMAT_FLAC | SF_FORMAT_PCM_16 : SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    Memory encoded;
    std::unique_ptr<SNDFILE, SndfileCloser> target(sf_open_virtual(&io, SFM_WRITE, &out, &encoded));
    if (!target)
        throw harmodex::Error(std::string("cannot encode the sound: ") + sf_strerror(nullptr));
    std::vector<float> block(4096 * static_cast<size_t>(in.channels));
    for (;;) {
        const sf_count_t frames = sf_readf_float(source.get(), block.data(), 4096);
        if (frames <= 0)
            break;
        if (sf_writef_float(target.get(), block.data(), frames) != frames)
            throw harmodex::Error(std::string("cannot encode the sound: ") + sf_strerror(target.get()));
    }
    // Closing writes the encoder's last pages and the stream's headers.
    target.reset();
    return std::move(encoded.bytes);
}

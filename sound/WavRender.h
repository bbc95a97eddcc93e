// A set's performance rendered to a WAV file, as the player would sound.
#ifndef HARMODEX_SOUND_WAVRENDER_H
#define HARMODEX_SOUND_WAVRENDER_H

#include <string>

#include "sound/Performance.h"

// Seconds rendered after the chord is released, so that the piano's decay
// and the room's reverberation end naturally rather than being cut.
constexpr double kReleaseTail = 1.0;

// The bytes of a WAV file (44.1 kHz, 16-bit stereo) of the performance,
// rendered offline (faster than real time, no audio device needed) with the
// SoundFont at soundFont ("" for the installed one). harmodex::Error when it
// cannot be made.
std::string RenderWav(const SetPerformance& performance, const std::string& soundFont = "");

// The file types the sound is written in.
enum class SoundFormat { Wav, Flac, Ogg };

// The sound in the format asked for: WAV as rendered, FLAC (lossless,
// 16-bit) or Ogg Vorbis (lossy, at libsndfile's default quality), encoded by
// libsndfile. harmodex::Error when it cannot be made.
std::string RenderSound(const SetPerformance& performance, SoundFormat format, const std::string& soundFont = "");

// The format named ("wav", "flac", "ogg"; any case); BadInput otherwise.
SoundFormat SoundFormatNamed(const std::string& name);

#endif

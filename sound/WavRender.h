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
// SoundFont at soundFont ("" for the installed one). False with *error set.
bool RenderWav(const SetPerformance& performance, const std::string& soundFont, std::string* bytes, std::string* error);

#endif

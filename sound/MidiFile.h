// A set's performance as a Standard MIDI File, for sequencers and notation
// programs.
#ifndef HARMODEX_SOUND_MIDIFILE_H
#define HARMODEX_SOUND_MIDIFILE_H

#include <string>

#include "sound/Performance.h"

// The bytes of a one-track Standard MIDI File (format 0, 480 ticks per
// quarter note at 120 beats per minute, so that 0.3 s is exactly 288 ticks)
// whose track is named by the performance's title and plays its notes on a
// piano on channel 1. False with *error set when the file cannot be made.
bool MakeMidiFile(const SetPerformance& performance, std::string* bytes, std::string* error);

#endif

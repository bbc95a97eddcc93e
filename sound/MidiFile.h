// A set's performance as a Standard MIDI File, for sequencers and notation
// programs.
#ifndef HARMODEX_SOUND_MIDIFILE_H
#define HARMODEX_SOUND_MIDIFILE_H

#include <string>

#include "sound/Performance.h"

// The bytes of a one-track Standard MIDI File (format 0, 480 ticks per
// quarter note) whose track is named by the performance's title and plays
// its notes on a piano on channel 1. It states what a notation program needs
// to write the performance as plain music: the tempo (kBeatsPerMinute), a
// key signature of no sharps or flats (a set has no key of its own), and the
// time: a bar of as many eighths as the arpeggio has notes (3/8 for a
// triad), then 4/4 for the chord's whole note. harmodex::Error when the file
// cannot be made.
std::string MakeMidiFile(const SetPerformance& performance);

#endif

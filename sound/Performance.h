// How a set is heard: the notes of the page's first staff (T0 of the
// Tn-type, in the octaves written there) played one after another as a
// rising arpeggio, then together as a held chord, on a piano.
#ifndef HARMODEX_SOUND_PERFORMANCE_H
#define HARMODEX_SOUND_PERFORMANCE_H

#include <string>
#include <vector>

// One MIDI note: key (60 = middle C) sounding from onset for duration
// seconds at the given velocity.
struct SoundNote {
    int key;
    double onset;
    double duration;
    int velocity;
};

// A note switched on or off at a moment.
struct SoundEvent {
    double time;
    int key;
    int velocity;  // 0 switches the note off
};

struct SetPerformance {
    std::string title;  // the Forte name of the Tn-type
    std::vector<SoundNote> notes;
    double length = 0.0;  // seconds until the last note is released
};

// The performance keeps a beat, so that a notation program reads its MIDI
// file as plain music: 120 quarter notes a minute, the arpeggio in eighth
// notes filling a bar of its own (3/8 for a triad), and the chord a whole
// note in a bar of 4/4 right after it, with no rest between.
constexpr int kBeatsPerMinute = 120;
constexpr double kQuarterNote = 60.0 / kBeatsPerMinute;
// Seconds between the onsets of the arpeggio, and how long the chord is held.
constexpr double kArpeggioStep = kQuarterNote / 2;
constexpr double kChordHold = 4 * kQuarterNote;
// General MIDI program 0: Acoustic Grand Piano.
constexpr int kPianoProgram = 0;

// The performance of the Tn-type whose normal-form text is tnText (as
// "0 4 7"): its notes are the T0 staff's. Empty when the text names no
// pitch class.
SetPerformance PerformSet(const std::string& tnText);

// The performance of the given pitches (semitones from middle C), in the
// order given, titled title.
SetPerformance PerformPitches(const std::string& title, const std::vector<int>& pitches);

// The same titled by the Forte name of the pitches' set: a set as typed
// (see TypedNotes) heard in the typed order and octaves.
SetPerformance PerformTypedPitches(const std::vector<int>& pitches);

// The notes as on and off switches in time order; where one note ends as
// another of the same key begins (the last arpeggio note and the chord),
// the off comes first so that the new note is not cut short.
std::vector<SoundEvent> SwitchEvents(const std::vector<SoundNote>& notes);

#endif

#ifndef HARMODEX_SCORE_SCORE_H
#define HARMODEX_SCORE_SCORE_H

// A score as Harmodex reads it: the notes that sound, at sounding pitch, with
// exact onsets and durations in quarter notes, and the measures they fall in.
// Read from MusicXML (partwise or timewise, plain or compressed .mxl) and
// from Standard MIDI Files (formats 0 and 1).
//
// What is read: pitched notes, chords, voices, <backup>/<forward>, ties
// (a tied continuation extends its note and is not an onset), transposing
// instruments (<transpose>), changes of divisions and time signature.
// What is left out: rests, grace and cue notes, unpitched and percussion
// notes (MIDI channel 10). Repeats are not expanded: the score is read once
// from beginning to end, as written.
//
// A file that cannot be read throws harmodex::Error::BadInput naming the file
// and the place of the fault (line, measure or byte).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "score/Rational.h"

struct ScoreNote {
    Rational start;     // quarter notes from the beginning
    Rational duration;  // positive
    int pitch = 60;     // MIDI number as it sounds, 0 to 127
    int part = 0;       // part (MusicXML) or track (MIDI), from 0
    int voice = 0;      // as the file numbers it (MIDI: the channel)
};

struct ScoreMeasure {
    std::string number;  // as the file numbers it ("1", "0" for a pickup, "12a")
    Rational start;
    Rational length;
    int beats = 4;  // the time signature in force: beats / beatType
    int beatType = 4;
    // One beat in quarter notes: the dotted beat in compound metres (6/8,
    // 9/8, 12/16 ...), else one beatType note.
    Rational BeatLength() const;
};

struct Score {
    std::string path;
    std::string format;                  // "MusicXML", "compressed MusicXML" or "MIDI"
    std::vector<ScoreNote> notes;        // ordered by start, then pitch
    std::vector<ScoreMeasure> measures;  // in order, contiguous from 0
    Rational end;                        // when the last note or measure ends
};

// Reports how far reading has come (0 to 1); returning false stops it.
using ScoreProgress = std::function<bool(double fraction)>;

struct ScoreReadOptions {
    ScoreProgress progress;  // may be empty
};

// Caps on what a file may ask of the reader.
constexpr int64_t MaxScoreFileBytes = 64ll << 20;  // a file, or an entry of an .mxl
constexpr int64_t MaxScoreNotes = 10'000'000;
constexpr int MaxXmlDepth = 64;

// The file's type from its content (a zip, MThd, XML), the extension
// deciding nothing the content contradicts. Throws harmodex::Error::BadInput
// naming the file and the place; harmodex::Error ("... stopped") when the
// progress callback asked to stop.
Score ReadScore(const std::string& path, const ScoreReadOptions& options = {});

// The same from bytes already in memory; name is used in messages.
Score ReadScoreBytes(const std::string& bytes, const std::string& name, const ScoreReadOptions& options = {});
Score ReadMusicXml(const std::string& bytes, const std::string& name, const ScoreReadOptions& options = {});
Score ReadCompressedMusicXml(const std::string& bytes, const std::string& name, const ScoreReadOptions& options = {});
Score ReadMidi(const std::string& bytes, const std::string& name, const ScoreReadOptions& options = {});

#endif

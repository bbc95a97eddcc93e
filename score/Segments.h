#ifndef HARMODEX_SCORE_SEGMENTS_H
#define HARMODEX_SCORE_SEGMENTS_H

// A score cut into sonorities, each named by its Tn-type, TnI-type, Forte
// name and page, and the piece's set-class profile.

#include <cstdint>
#include <string>
#include <vector>

#include "score/Score.h"

enum class SegmentBy {
    Onset,    // a segment wherever any note begins: what sounds at that moment
    Measure,  // what sounds anywhere in each measure
    Beat,     // what sounds anywhere in each beat (dotted beats in compound metres)
};

// "onset", "measure", "beat"; false for any other name.
bool SegmentByFromName(const std::string& name, SegmentBy* by);
const char* SegmentByName(SegmentBy by);

struct Segment {
    Rational start, end;  // quarter notes from the beginning
    double startQuarters = 0, endQuarters = 0;
    std::string measure;   // as the file numbers it
    int measureIndex = 0;  // 0-based position in Score::measures
    Rational beat;         // 1-based, fractional within the beat
    double beatNumber = 1;
    std::vector<int> pitches;       // MIDI numbers as they sound, lowest first, each once
    std::vector<int> pitchClasses;  // ascending, each once
    std::string tnType;             // "0 4 7"
    std::string tniType;            // "0 3 7"
    std::string forteName;          // "3-11b"
    int page = 0;                   // 1 to 351
};

// The segments of the score, silent stretches left out. With merge,
// consecutive segments with the same pitch-class set that touch (one ends
// where the next begins) become one, holding the pitches of both.
// Throws harmodex::Error::BadInput for times too fine to be counted exactly.
std::vector<Segment> SegmentScore(const Score& score, SegmentBy by, bool merge);

// A sounding pitch as musicians name it in a list of notes, middle C (MIDI
// 60) being C4: "C4", "Eb4", "G#2".
std::string NoteName(int midi);

struct ProfileRow {
    std::string forteName;
    std::string tnType;
    int page = 0;
    int segments = 0;
    double durationQuarters = 0;  // summed over the segments
};

// Each Tn-type met, with how many segments have it and for how long; most
// segments first, then longest, then in page order.
std::vector<ProfileRow> SetClassProfile(const std::vector<Segment>& segments);

// The names of a pitch-class set given as a 12-bit mask (bit p: pitch
// class p), from a table made once from the catalogue.
struct SetNames {
    std::string tnType, tniType, forteName;
    int page = 0;
};
const SetNames& NamesOfMask(uint16_t mask);

#endif

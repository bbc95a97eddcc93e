#ifndef HARMODEX_ANALYSIS_PSYCHOACOUSTICS_H
#define HARMODEX_ANALYSIS_PSYCHOACOUSTICS_H

// Psychoacoustic measures of a pitch-class set: roughness after Hutchinson
// and Knopoff, commonality of vertex tables, and the salience measures
// tonicity, phonicity and azimuth built on the Parncutt tables.
//
// The sets passed in must have been analysed (calculateEverything). The
// arithmetic is double precision except for the steps that are single
// precision on purpose; the page prints these numbers and they must come out
// the same to the last printed digit.

#include <vector>

#include "pcset/PitchClassSet.h"

// Equal-tempered frequency of a note number (69 = A 440 Hz, 60 = middle C).
float find_hertz(float note);

// Roughness of two complex tones (ten harmonics each) i semitones apart, the
// lower on middle C; for i = 0 the roughness of one complex tone alone.
double HutchinsonKnopoffIntervalRoughness(int i);

// Roughness of a chord of the given pitch classes sounding in one octave
// above middle C, scaled so that the major triad comes out near 1.
float CalculateFrozenHutchinsonKnopoffRoughness(const std::vector<int>& pcs);

// Commonality (percent) of the vertex tables of a and b.
float CalculateCommonality(const PitchClassSet& a, const PitchClassSet& b);

// Entry k: the commonality of a with b transposed by k, rounded to an integer.
std::vector<int> CalculateCommonalityForAllTns(const PitchClassSet& a, const PitchClassSet& b);

// How clearly one root (tonicity) or one vertex (phonicity) stands out; 100
// for a single tone.
float CalculateTonicity(const PitchClassSet& s);
float CalculatePhonicity(const PitchClassSet& s);

// The balance of tonicity against phonicity as an angle: +90 degrees for the
// major triad, -90 for the minor triad, 0 for an inversionally balanced set.
float CalculateAzimuth(const PitchClassSet& s);

#endif

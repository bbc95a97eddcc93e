#ifndef HARMODEX_ANALYSIS_TONALCLASSIFICATION_H
#define HARMODEX_ANALYSIS_TONALCLASSIFICATION_H

// The sections of the attribute classification that judge a set by its
// tonal structures (triads, or fifths when it has no triad): where its
// strongest tonal centres lie, whether its triads or fifths share one
// imitation mold (multimodalization), and whether the set's notes fall
// alike between the notes of each triad or fifth (tonal imitation).
// PitchClassSet::calculateAttributes calls them in its order.

#include <string>
#include <vector>

#include "pcset/PitchClassSet.h"

// Where the classification goes: the words found, in order, and the
// labelled texts (SetInfo) that the page reads by label.
class ClassificationWriter {
public:
    ClassificationWriter(std::vector<std::string>& words, std::vector<SetInfo>& infos) : words_(words), infos_(infos) {}
    // Appends a labelled text.
    void add(const char* label, const std::string& text);
    // Appends a classification word.
    void record(const std::string& word) { words_.push_back(word); }
    // The usual pair: the word under its section label, and the word itself.
    void addAndRecord(const char* label, const std::string& word)
    {
        add(label, word);
        record(word);
    }

private:
    std::vector<std::string>& words_;
    std::vector<SetInfo>& infos_;
};

// A pitch class or level inside a text: 0 to 9, then d and u for 10 and 11
// (as IntToString writes them, without going through formatted output).
std::string PitchClassToken(int p);

// Tonal type, tonal centres inside and outside the set, binary components.
// Requires the poles and the symmetry axes.
void ClassifyTonalCentres(const PitchClassSet& s, ClassificationWriter& out);

// The groups of triads (or fifths) whose molds inside the set imitate one
// another; the groups found are returned, each with marker 1. Requires the
// imitation patterns.
std::vector<RobustImitationInfo> ClassifyMultimodalization(const PitchClassSet& s, ClassificationWriter& out);

// Triads (or fifths) between whose notes the set's other notes fall in a
// repeating pattern.
void ClassifyTonalImitation(const PitchClassSet& s, ClassificationWriter& out);

#endif

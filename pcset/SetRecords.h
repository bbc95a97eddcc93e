#ifndef HARMODEX_PCSET_SETRECORDS_H
#define HARMODEX_PCSET_SETRECORDS_H

// Plain records that the analysis of a pitch-class set produces and that
// PitchClassSet stores. They carry integers, integer lists and texts only.

#include <string>
#include <vector>

// A point of strongest attraction: a cardinal pole (a pitch class) or a tonal
// centre (a triad or fifth named by its root).
struct PoleInfo {
    int pc = 0;     // pitch class of the pole, or root of the triad / lower note of the fifth
    int value = 0;  // the table value that made it a pole (an imitation-pattern code for imitation poles)
    int type = 0;   // 0 cardinal, 1 major triad, 2 minor triad, -1 fifth (major weight), -2 fifth (minor weight)
};

// A tonal structure of the set together with its imitation mold.
struct RobustPoleInfo {
    int pc = 0;
    std::vector<int> mold;
    int type = 0;
};

// Kept for completeness of the record; no analysis step fills it.
struct ImitationInfo {
    std::vector<PoleInfo> poles;
    int value = 0;
    int marker = 0;
};

// A group of tonal structures that share one imitation mold (multimodalization).
struct RobustImitationInfo {
    std::vector<PoleInfo> poles;
    std::vector<int> mold;
    int marker = 0;
};

// One labelled classification text, e.g. {"Cardinal Classification", "cislocative"}.
struct SetInfo {
    std::string label;
    std::string text;
};

#endif

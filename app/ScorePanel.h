#ifndef HARMODEX_APP_SCOREPANEL_H
#define HARMODEX_APP_SCOREPANEL_H

// The score panel: a score opened from a notation program's MusicXML or a
// MIDI file, cut into sonorities, each with its Forte name, Tn-type and
// page. It lives in the side panel beside the page. Selecting a sonority
// shows its page; Play then plays it as it sounds in the score. Above the
// list, the piece's set-class profile: the most frequent Forte names, bars
// by the time they sound.
//
// Reading and cutting run on a thread of the panel's own, one job at a
// time; progress and results come back through PostToMainLoop.

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtk/gtk.h>

#include "score/Score.h"
#include "score/Segments.h"

struct AppWindow;

struct ScorePanel {
    ~ScorePanel();

    GtkWidget* page = nullptr;  // the panel's page in the side panel's stack
    GtkWidget* fileLabel = nullptr;
    GtkWidget* segmentation = nullptr;  // a combo box: onset, measure, beat
    GtkWidget* merge = nullptr;
    GtkWidget* progress = nullptr;
    GtkWidget* message = nullptr;
    GtkWidget* profileChart = nullptr;
    GtkWidget* list = nullptr;  // a tree view over store
    GtkListStore* store = nullptr;

    std::string path;                    // the score shown (or being read)
    std::shared_ptr<const Score> score;  // once read
    std::vector<Segment> segments;       // as the list shows them
    std::vector<ProfileRow> profile;
    int selected = -1;  // the segment whose page was asked for, -1 for none

    // The job under way: its number (older results are dropped), its stop
    // flag, and its thread.
    int job = 0;
    std::shared_ptr<std::atomic<bool>> stop;
    std::thread worker;
};

// Builds the panel's page and adds it to the side panel's stack.
void AttachScorePanel(AppWindow& w);

// Asks for a score file in a dialog and opens it.
void ShowOpenScoreDialog(AppWindow& w);
// Opens a score: the side panel shows the Score page, the file is read on
// the panel's thread and its sonorities listed.
void OpenScore(AppWindow& w, const std::string& path);

// The pitches of the sonority whose page is shown, as they sound (empty
// when the page shown was not asked for from the score).
std::vector<int> SelectedScorePitches(const AppWindow& w);
// A page asked for otherwise (typed, flipped) is no longer the sonority's.
void ForgetScoreSelection(AppWindow& w);

// Waits for the job under way, if any, having asked it to stop.
void StopScoreWork(AppWindow& w);

#endif

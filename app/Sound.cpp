#include "app/Sound.h"

#include <memory>

#include "app/MainLoop.h"
#include "app/ScorePanel.h"
#include "pcset/Conversions.h"
#include "sound/Performance.h"

namespace {

// The pitches together, held as long as the arpeggio and chord of a typed
// set take, struck softer when there are many.
SetPerformance PerformChord(const std::vector<int>& pitches, const std::vector<int>& tnType)
{
    SetPerformance performance = PerformSet(VectorToString(tnType));  // its title
    performance.notes.clear();
    const double hold = 2.0;
    const int velocity = pitches.size() > 3 ? 72 : 90;
    for (int pitch : pitches)
        performance.notes.push_back({pitch, 0.0, hold, velocity});
    performance.length = hold;
    return performance;
}

void showSilent(AppWindow& w)
{
    w.sound.currentPlay = 0;
    if (w.playButton)
        gtk_button_set_label(GTK_BUTTON(w.playButton), "  Play  ");
}

void say(AppWindow& w, const std::string& text, const std::string& detail = "")
{
    if (!w.soundStatus)
        return;
    gtk_label_set_text(GTK_LABEL(w.soundStatus), text.c_str());
    gtk_widget_set_tooltip_text(w.soundStatus, detail.empty() ? nullptr : detail.c_str());
}

// Reports arrive on the player's thread and are handled on the window's.
void handle(AppWindow& w, const SoundPlayer::Report& report)
{
    if (!w.window || report.play != w.sound.currentPlay)
        return;  // an earlier play, already stopped, or a window gone
    switch (report.event) {
    case SoundPlayer::Event::Started:
        break;
    case SoundPlayer::Event::Finished:
    case SoundPlayer::Event::Stopped:
        showSilent(w);
        break;
    case SoundPlayer::Event::Failed:
        showSilent(w);
        say(w, "No sound: " + report.message + ".", report.detail);
        break;
    }
}

std::unique_ptr<SoundPlayer> newPlayer(AppWindow& w, std::vector<AudioOutput> outputs)
{
    AppWindow* target = &w;
    return std::make_unique<SoundPlayer>(std::move(outputs), [target](const SoundPlayer::Report& report) {
        PostToMainLoop([target, report] { handle(*target, report); });
    });
}

SoundPlayer& soundPlayer(AppWindow& w)
{
    if (!w.sound.player)
        w.sound.player = newPlayer(w, SystemAudioOutputs());
    return *w.sound.player;
}

}  // namespace

void AddPlayButton(AppWindow& w)
{
    w.playButton = gtk_button_new_with_label("  Play  ");
    gtk_actionable_set_action_name(GTK_ACTIONABLE(w.playButton), "win.play");
    gtk_widget_set_tooltip_text(w.playButton, "Hear the set: its notes one by one, then together (F5). "
                                              "Press again to stop.");
    gtk_box_pack_start(GTK_BOX(w.controlRow), w.playButton, FALSE, FALSE, 12);
    // Two short lines beside the button, so that the row keeps the window's
    // width.
    w.soundStatus = gtk_label_new("");
    gtk_label_set_xalign(GTK_LABEL(w.soundStatus), 0.0f);
    gtk_label_set_line_wrap(GTK_LABEL(w.soundStatus), TRUE);
    gtk_label_set_lines(GTK_LABEL(w.soundStatus), 2);
    gtk_label_set_ellipsize(GTK_LABEL(w.soundStatus), PANGO_ELLIPSIZE_END);
    gtk_label_set_width_chars(GTK_LABEL(w.soundStatus), 22);
    gtk_label_set_max_width_chars(GTK_LABEL(w.soundStatus), 22);
    gtk_box_pack_start(GTK_BOX(w.controlRow), w.soundStatus, FALSE, FALSE, 0);

    soundPlayer(w).prepare();
}

void PlayOrStopSound(AppWindow& w)
{
    if (w.sound.currentPlay) {
        StopSound(w);
        return;
    }
    const std::vector<int> tnType = w.typedSet.getTnType();
    if (tnType.empty()) {
        say(w, "Type a set first: Play plays the page shown.");
        return;
    }
    say(w, "");
    // A sonority chosen in a score is heard as it sounds there; a typed set
    // as its page's first staff writes it.
    const std::vector<int> sounding = SelectedScorePitches(w);
    const SetPerformance performance =
        sounding.empty() ? PerformSet(VectorToString(tnType)) : PerformChord(sounding, tnType);
    w.sound.currentPlay = soundPlayer(w).play(performance);
    gtk_button_set_label(GTK_BUTTON(w.playButton), "  Stop  ");
}

void StopSound(AppWindow& w)
{
    if (!w.sound.currentPlay)
        return;
    if (w.sound.player)
        w.sound.player->stop();
    showSilent(w);
}

void UseAudioOutputs(AppWindow& w, std::vector<AudioOutput> outputs)
{
    StopSound(w);
    w.sound.player = newPlayer(w, std::move(outputs));
    w.sound.player->prepare();
}

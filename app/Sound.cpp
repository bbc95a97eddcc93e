#include "app/Sound.h"

#include <memory>

#include "app/Window.h"
#include "pcset/Conversions.h"
#include "sound/Performance.h"

namespace {

GtkWidget* playButton = nullptr;
GtkWidget* soundStatus = nullptr;
// The number of the play under way, 0 when silent.
int current = 0;
std::unique_ptr<SoundPlayer> player;

void showSilent()
{
    current = 0;
    if (playButton)
        gtk_button_set_label(GTK_BUTTON(playButton), "  Play  ");
}

void say(const std::string& text, const std::string& detail = "")
{
    if (!soundStatus)
        return;
    gtk_label_set_text(GTK_LABEL(soundStatus), text.c_str());
    gtk_widget_set_tooltip_text(soundStatus, detail.empty() ? nullptr : detail.c_str());
}

// Reports arrive on the player's thread and are handled on the window's.
gboolean deliver(gpointer data)
{
    std::unique_ptr<SoundPlayer::Report> report(static_cast<SoundPlayer::Report*>(data));
    if (report->play != current)
        return G_SOURCE_REMOVE;  // an earlier play, already stopped
    switch (report->event) {
    case SoundPlayer::Event::Started:
        break;
    case SoundPlayer::Event::Finished:
    case SoundPlayer::Event::Stopped:
        showSilent();
        break;
    case SoundPlayer::Event::Failed:
        showSilent();
        say("No sound: " + report->message + ".", report->detail);
        break;
    }
    return G_SOURCE_REMOVE;
}

void post(const SoundPlayer::Report& report) { g_idle_add(deliver, new SoundPlayer::Report(report)); }

SoundPlayer& soundPlayer()
{
    if (!player)
        player = std::make_unique<SoundPlayer>(SystemAudioOutputs(), post);
    return *player;
}

void onPlay(GtkWidget*, gpointer)
{
    if (current) {
        StopSound();
        return;
    }
    const std::vector<int> tnType = MyPCset.getTnType();
    if (tnType.empty()) {
        say("Type a set first: Play plays the page shown.");
        return;
    }
    say("");
    current = soundPlayer().play(PerformSet(VectorToString(tnType)));
    gtk_button_set_label(GTK_BUTTON(playButton), "  Stop  ");
}

}  // namespace

void AddPlayButton(GtkWidget* controlRow)
{
    playButton = gtk_button_new_with_label("  Play  ");
    gtk_widget_set_tooltip_text(playButton, "Hear the set: its notes one by one, then together (Ctrl+P). "
                                            "Press again to stop.");
    g_signal_connect(playButton, "clicked", G_CALLBACK(onPlay), nullptr);
    gtk_box_pack_start(GTK_BOX(controlRow), playButton, FALSE, FALSE, 12);
    // Two short lines beside the button, so that the row keeps the window's
    // width.
    soundStatus = gtk_label_new("");
    gtk_label_set_xalign(GTK_LABEL(soundStatus), 0.0f);
    gtk_label_set_line_wrap(GTK_LABEL(soundStatus), TRUE);
    gtk_label_set_lines(GTK_LABEL(soundStatus), 2);
    gtk_label_set_ellipsize(GTK_LABEL(soundStatus), PANGO_ELLIPSIZE_END);
    gtk_label_set_width_chars(GTK_LABEL(soundStatus), 22);
    gtk_label_set_max_width_chars(GTK_LABEL(soundStatus), 22);
    gtk_box_pack_start(GTK_BOX(controlRow), soundStatus, FALSE, FALSE, 0);

    soundPlayer().prepare();
}

void PlayOrStopSound()
{
    if (playButton)
        onPlay(playButton, nullptr);
}

void StopSound()
{
    if (!current)
        return;
    if (player)
        player->stop();
    showSilent();
}

void UseAudioOutputs(std::vector<AudioOutput> outputs)
{
    StopSound();
    player = std::make_unique<SoundPlayer>(std::move(outputs), post);
    player->prepare();
}

GtkWidget* PlayButton() { return playButton; }
GtkWidget* SoundStatus() { return soundStatus; }

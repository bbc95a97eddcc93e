#ifndef HARMODEX_APP_SOUND_H
#define HARMODEX_APP_SOUND_H

// The Play button: the set of the page shown, heard as its first staff
// writes it (a rising arpeggio, then the chord). Pressing it again, or
// asking for another page, stops the sound. Playing happens on the sound
// engine's own thread; the window never waits for it, and a machine without
// audio output gets a plain line beside the button instead of sound.

#include <vector>

#include <gtk/gtk.h>

#include "sound/Player.h"

// Adds the Play button and its status line to the control row, with the
// Ctrl+P accelerator on the row's window, and starts loading the SoundFont
// in the background.
void AddPlayButton(GtkWidget* controlRow);
// Silences the set being played, if any.
void StopSound();
// What the Play button and its shortcut (Ctrl+P) do: play the set shown, or
// stop it when it sounds.
void PlayOrStopSound();

// The audio outputs Play tries (the system's by default); tests give
// outputs that cannot open.
void UseAudioOutputs(std::vector<AudioOutput> outputs);

// The widgets, for tests.
GtkWidget* PlayButton();
GtkWidget* SoundStatus();

#endif

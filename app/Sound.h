#ifndef HARMODEX_APP_SOUND_H
#define HARMODEX_APP_SOUND_H

// The Play button: the set of the page shown, heard as its first staff
// writes it (a rising arpeggio, then the chord). Pressing it again, or
// asking for another page, stops the sound. Playing happens on the sound
// engine's own thread; the window never waits for it, and a machine without
// audio output gets a plain line beside the button instead of sound.

#include <vector>

#include "app/AppWindow.h"
#include "sound/Player.h"

// Adds the Play button (bound to win.play) and its status line to the
// control row, and starts loading the SoundFont in the background.
void AddPlayButton(AppWindow& w);
// Silences the set being played, if any.
void StopSound(AppWindow& w);
// What the Play button and its shortcut do: play the set shown, or stop it
// when it sounds.
void PlayOrStopSound(AppWindow& w);

// The audio outputs Play tries (the system's by default); tests give
// outputs that cannot open.
void UseAudioOutputs(AppWindow& w, std::vector<AudioOutput> outputs);

#endif

#ifndef HARMODEX_APP_LIVEINPUT_H
#define HARMODEX_APP_LIVEINPUT_H

// A MIDI keyboard played into the window: a menu button beside the fields
// lists "All inputs" (the default) and each input port there is, or says
// "No MIDI input" when there is none or no MIDI system runs; a chord held
// on the chosen input shows its page. The listening happens on the
// listener's own thread (midi/LiveInput.h); its events come to the window
// through PostToMainLoop. A port that disappears is told on the button
// ("MIDI (disconnected)", the whole message as its tooltip), and listened
// to again when it returns.

#include <memory>
#include <string>

#include "app/AppWindow.h"
#include "midi/LiveInput.h"

struct LiveInputState {
    std::unique_ptr<LiveListener> listener;
    int generation = 0;     // which listener's events are current
    std::string listening;  // what the status says while no key is held
    bool lost = false;      // the input chosen was disconnected
    std::string status;     // the status now: the menu button's tooltip
    GMenu* menu = nullptr;
    unsigned heldMask = 0;        // the keys held now
    guint anticipationTimer = 0;  // the held keys' page made once they rest
};

// Adds the menu button to the row of fields, and starts
// listening to the remembered choice once the window is idle.
void AttachLiveInput(AppWindow& w);
// Listens to the input named port ("" for all inputs) and remembers the
// choice.
void ChooseLiveInput(AppWindow& w, const std::string& port);
// Stops listening (the listener's thread joined); done when the window goes.
void StopLiveInput(AppWindow& w);

// The input chosen last ("" for all inputs); the window's state file keeps
// it between runs.
std::string RememberedLiveInput();
void RememberLiveInput(const std::string& port);

#endif

#ifndef HARMODEX_APP_ACTIONS_H
#define HARMODEX_APP_ACTIONS_H

// Every command of the window is a named action: app.quit, app.shortcuts
// and app.about on the application, win.save, win.play, win.next-page and
// the others on the window. One table gives each its keys and its line in
// the shortcuts window, so the two cannot disagree.

#include "app/AppWindow.h"

// Adds the actions to the window and its application, sets their
// accelerators from the table, and wires Ctrl + scroll over the preview.
void InstallActions(AppWindow& w);

// The primary menu of the header bar: Keyboard Shortcuts, About Harmodex,
// Quit.
GMenuModel* NewPrimaryMenu();

// The size one step up or down (never wrapping past the largest or the
// smallest size, unlike the spinner's own arrows), and back to 1.0.
void SizeStepUp(AppWindow& w);
void SizeStepDown(AppWindow& w);
void SizeReset(AppWindow& w);

// Shows the shortcuts window (built once, from the table).
void ShowShortcutsWindow(AppWindow& w);
// Shows the About dialog: name, purpose, version and licence.
void ShowAboutDialog(AppWindow& w);

// Runs the action the application binds to an accelerator (as
// gtk_accelerator_parse reads it, e.g. "<Primary>End"), as a key press
// would; false when none is bound.
bool ActivateAccelerator(AppWindow& w, const char* accelerator);

#endif

#ifndef HARMODEX_APP_REMEMBEREDSTATE_H
#define HARMODEX_APP_REMEMBEREDSTATE_H

// The window as it was left: its size and whether it was maximised, the
// page's size or fit mode, the page shown and the side panel (WindowState.h
// keeps them in a file). A file that cannot be used is reported in one line
// on standard error and the window opens as on first use.

#include <string>

#include "app/AppWindow.h"

// Opens the window as the state at path left it (before it is shown), then
// keeps the state current and writes it a second after each change.
void RestoreWindowState(AppWindow& w, const std::string& path);

// Writes the state at once when it changed; done when the window closes.
void SaveWindowStateNow(AppWindow& w);

#endif

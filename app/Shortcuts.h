#ifndef HARMODEX_APP_SHORTCUTS_H
#define HARMODEX_APP_SHORTCUTS_H

// The keyboard: one table of shortcuts, from which both the window's
// accelerators and the shortcuts window (F1) are made.

#include <gtk/gtk.h>

// Connects every shortcut of the table to the window.
void InstallShortcuts(GtkWindow* window);
// Ctrl + scroll wheel over the preview changes the size.
void ConnectPreviewZoom(GtkWidget* preview);

// The size one step up or down (never wrapping past 4.0 or 0.25, unlike the
// spinner's own arrows), and back to 1.0.
void SizeStepUp();
void SizeStepDown();
void SizeReset();

// Shows the shortcuts window (built once, from the table).
void ShowShortcutsWindow();
// The shortcuts window once shown, else nullptr.
GtkWidget* ShortcutsWindow();

// Runs the action bound to an accelerator (as gtk_accelerator_parse reads
// it, e.g. "<Primary>End"); false when none is bound. For tests.
bool ActivateShortcut(const char* accelerator);

#endif

#ifndef HARMODEX_APP_APPLICATION_H
#define HARMODEX_APP_APPLICATION_H

// Harmodex as a GtkApplication, known to the desktop by the id its desktop
// entry is named after. A second launch while one runs hands over to the
// first, which presents its window; `harmodex --version` prints the version,
// and `harmodex SCORE` opens a score (MusicXML or MIDI) in the side panel.

// The application's id, and the name of its desktop entry without ".desktop".
inline constexpr const char* kApplicationId = "org.harmodex.Harmodex";

// Runs the application to its end; the process's exit status.
int RunApplication(int argc, char* argv[]);

#endif

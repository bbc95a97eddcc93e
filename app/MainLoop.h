#ifndef HARMODEX_APP_MAINLOOP_H
#define HARMODEX_APP_MAINLOOP_H

// The one way a result crosses from a background thread to the window:
// PostToMainLoop runs a task on the GUI thread's main loop (the default
// GMainContext), never on the calling thread, whoever owns the context. The
// task carries its result by value (immutable data, or an owned reference
// handed over whole); it must not touch anything the GUI thread changes.
// A task still waiting when the main loop ends is never run.

#include <functional>

void PostToMainLoop(std::function<void()> task);

#endif

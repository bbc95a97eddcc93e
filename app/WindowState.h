#ifndef HARMODEX_APP_WINDOWSTATE_H
#define HARMODEX_APP_WINDOWSTATE_H

// What the window remembers between runs, and the file it keeps it in: a
// GLib key file, window.ini, in the user's state folder
// ($XDG_STATE_HOME/harmodex, else ~/.local/state/harmodex).
//
// No GTK here: the file is read and written as text, so that its reader can
// be tested and fuzzed without a display. To remember something new, add a
// field to WindowState, a line that reads it in ParseWindowState and one
// that writes it in FormatWindowState; a file without the key gives the
// field its default, so older files stay good.

#include <cstddef>
#include <string>

// How the page's size follows the preview: not at all (the size typed or
// stepped to), or fitted to its width or to the whole page.
enum class FitMode { None, Width, Page };

struct WindowState {
    int width = 0;  // the window's size when not maximised; 0: never known
    int height = 0;
    bool maximised = false;
    FitMode fit = FitMode::Width;  // a first use fits the page to the preview's width
    double sizeFactor = 1.0;       // the size when fit is None
    int page = 0;                  // the page shown last, 1 to 351; 0: none yet
    bool sidePanel = false;
    std::string midiInput;  // the MIDI input listened to: a port's name, or "" for all inputs

    bool operator==(const WindowState& o) const
    {
        return width == o.width && height == o.height && maximised == o.maximised && fit == o.fit &&
               sizeFactor == o.sizeFactor && page == o.page && sidePanel == o.sidePanel && midiInput == o.midiInput;
    }
    bool operator!=(const WindowState& o) const { return !(*this == o); }
};

// The range a remembered window side must lie in (logical pixels); the
// window clamps it further to the screen it opens on.
constexpr int kRememberedLeastSide = 200;
constexpr int kRememberedLargestSide = 16384;
// The sizes a remembered size factor may have (the size spinner's range).
constexpr double kRememberedSmallestSize = 0.25;
constexpr double kRememberedLargestSize = 4.0;
// A MIDI port's name is a line of text, never longer than this.
constexpr std::size_t kRememberedPortNameCap = 256;
// A state file is a few hundred bytes; anything beyond this is not ours.
constexpr std::size_t kWindowStateFileCap = 64 * 1024;

// Reads the key file's text. Throws harmodex::Error::BadInput naming the
// key and the fault (not a key file, a value that is not a number, a page
// outside 1 to 351, a size outside its range).
WindowState ParseWindowState(const std::string& text);

// The key file's text for a state.
std::string FormatWindowState(const WindowState& state);

// $XDG_STATE_HOME/harmodex/window.ini (GLib's user state folder).
std::string DefaultWindowStatePath();

// The state kept at path. A missing file gives the first-use state and
// leaves problem empty; a file that cannot be read, is too large, is not a
// regular file or holds a fault gives the first-use state and sets problem
// to one line naming the path and the reason.
WindowState LoadWindowState(const std::string& path, std::string& problem);

// Writes the state to path atomically, making its folder when missing.
// Throws harmodex::Error naming the path and the reason.
void SaveWindowState(const std::string& path, const WindowState& state);

#endif

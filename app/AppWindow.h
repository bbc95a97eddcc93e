#ifndef HARMODEX_APP_APPWINDOW_H
#define HARMODEX_APP_APPWINDOW_H

// The Harmodex window as one object: its widgets and everything it knows.
//
// One AppWindow exists per window. It is made by NewAppWindow (Window.cpp),
// handed to every signal handler and action as its data, and destroyed
// after the main loop has ended. Each concern of the window lives in a file
// of its own and works on this object: PageRequest (a typed set or a flipped
// page becomes the shown page), PreviewWorker (rendering away from the GUI
// thread), Navigation (flipping pages), Actions (commands, keys, menu),
// Export (saving), Print (printing), Clipboard (copying the page), PageMenu
// (the page's context menu), ReadingBar (how a typed text was read), Sound
// (Play) and PitchInput (the pitch-class clock and the piano strip).
// Everything here is touched on the GUI thread only; see app/README.md for
// what crosses between threads.

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtk/gtk.h>

#include "app/History.h"
#include "app/PreviewWorker.h"
#include "app/WindowState.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"
#include "raster/Preview.h"

class SoundPlayer;
struct ScorePanel;
struct PitchInput;
struct IndexPanel;
struct LiveInputState;

// The preview: which page is wanted and which shown, the image on screen,
// the worker making images and the images kept for going back.
struct PreviewState {
    explicit PreviewState(std::size_t cacheBound) : cache(cacheBound) {}
    PreviewCache cache;
    std::unique_ptr<PreviewWorker> worker;
    int requestedPage = 0;  // the page asked for last (0 before the first request)
    PreviewKey wantedKey;
    PreviewKey shownKey;
    cairo_surface_t* shownImage = nullptr;          // an owned reference
    std::shared_ptr<const PageLayout> shownLayout;  // where the shown page's blocks lie
    bool pending = false;                           // the wanted image is still being made
    bool preparingNeighbours = true;
};

// The Play button's side: the player (made on first use) and the number of
// the play under way, 0 when silent.
struct SoundState {
    std::unique_ptr<SoundPlayer> player;
    int currentPlay = 0;
};

// Saving: the name chosen last and the dialog's filter then, and the two
// dialogs, which tests replace (choosing a name returns false when
// cancelled; a failure is reported in a message naming the path and the
// reason).
struct SaveState {
    std::string chosenPath;
    std::size_t filterRow = 0;
    std::function<bool()> chooseFileName;
    std::function<void(const std::string& message)> reportFailure;
};

// How the page is looked at: the fit mode and its debounced refitting, the
// point kept under the pointer while zooming, a drag that pans, and the
// padding of the control row on a small screen.
struct ViewState {
    FitMode fit = FitMode::Width;
    guint refitTimer = 0;
    int fittedWidth = -1;  // the preview's room the size was last fitted to
    int fittedHeight = -1;
    bool fitting = false;  // the spinner is being set by fitting, not by the user
    int pageToOpen = 0;    // a remembered page, opened once the first fit is done
    // Zooming about the pointer: the point under it as fractions of the
    // page's extent, and the pointer's place in the preview.
    bool anchorH = false, anchorV = false;
    double anchorFractionX = 0.0, anchorFractionY = 0.0;
    double anchorPointerX = 0.0, anchorPointerY = 0.0;
    double anchorUpperX = 0.0, anchorUpperY = 0.0;
    // Panning with the primary button.
    bool dragging = false;
    double dragRootX = 0.0, dragRootY = 0.0, dragStartH = 0.0, dragStartV = 0.0;
    int controlPadding = 100;  // around Save and QUIT
    guint paddingIdle = 0;
};

// What is remembered between runs (WindowState.h), kept current as the
// window changes and written a second after the last change and on quit.
struct RememberedState {
    std::string path;  // empty: nothing is remembered (tests, benchmarks)
    WindowState current;
    bool changed = false;  // current differs from the file
    bool failedOnce = false;
    guint saveTimer = 0;
};

struct AppWindow {
    AppWindow();
    ~AppWindow();
    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;

    // The widgets (owned by GTK through the window).
    GtkWidget* window = nullptr;  // a GtkApplicationWindow; nullptr once destroyed
    GtkWidget* headerBar = nullptr;
    GtkWidget* primaryMenuButton = nullptr;
    GtkWidget* tnTypeField = nullptr;
    GtkWidget* costereField = nullptr;
    GtkWidget* sizeSpinner = nullptr;
    GtkWidget* previewImage = nullptr;    // the GtkImage showing the page
    GtkWidget* previewMessage = nullptr;  // a hint before the first page, later why no image can be shown
    GtkWidget* previewScroll = nullptr;
    GtkWidget* pageSurface = nullptr;  // the GtkEventBox holding the page in previewScroll: focus, pointer, keys
    GtkWidget* pageMenu = nullptr;     // the page's context menu, attached to pageSurface
    GtkWidget* busyIndicator = nullptr;
    GtkWidget* inputRow = nullptr;
    GtkWidget* controlRow = nullptr;
    GtkWidget* saveButton = nullptr;
    GtkWidget* quitButton = nullptr;
    GtkWidget* playButton = nullptr;
    GtkWidget* soundStatus = nullptr;
    GtkWidget* readingBar = nullptr;
    GtkWidget* readingBarMessage = nullptr;
    GtkWidget* readingBarButton = nullptr;  // "_Show 0 4 7": types the offered set into the Tn-type field
    GtkWidget* shortcutsWindow = nullptr;   // built on first use
    GtkWidget* sidePanel = nullptr;         // left of the page, hidden until asked for
    GtkWidget* sideStack = nullptr;         // its pages (the score)
    GtkWidget* sidePanelToggle = nullptr;   // in the header bar, bound to win.side-panel
    GtkWidget* sideSwitcher = nullptr;      // above sideStack: Index, Score
    GtkWidget* backButton = nullptr;        // at the start of the header bar, bound to win.back
    GtkWidget* forwardButton = nullptr;     // beside it, bound to win.forward
    GtkWidget* fieldMessage = nullptr;      // beside the fields: what they accept, after a text that names no set
    GtkWidget* liveInputButton = nullptr;   // beside the fields: the MIDI input to listen to (win.live-input)
    GtkWidget* liveInputStatus = nullptr;   // its face: "MIDI", or that the input chosen was disconnected
    GtkWidget* fitWidthButton = nullptr;    // in the header bar, bound to win.fit::width
    GtkWidget* fitPageButton = nullptr;     // bound to win.fit::page

    // What the window knows.
    float sizeFactor = 1.0f;            // as the size spinner holds it
    PitchClassSet typedSet;             // the set asked for, keeping the transposition typed
    std::string shownPage;              // the EPS text of the page shown: what Save writes
    std::vector<int> offeredSet;        // the other reading the reading bar offers
    double pendingScrollNotches = 0.0;  // Ctrl + smooth scrolling, in fractions of a notch
    PreviewState preview;
    SoundState sound;
    SaveState save;
    ViewState view;
    RememberedState remembered;
    std::unique_ptr<ScorePanel> scorePanel;
    std::unique_ptr<PitchInput> pitchInput;  // the pitch-class clock and the piano strip
    std::unique_ptr<IndexPanel> indexPanel;
    PageHistory history;                        // the pages shown by the user's doing, for Back and Forward
    std::unique_ptr<LiveInputState> liveInput;  // the MIDI keyboard (app/LiveInput.h)
    const PitchUniverse& universe;
};

// The side panel's width, in logical pixels.
constexpr int kSidePanelWidth = 361;

// What the empty preview says.
extern const char* const kEmptyPreviewHint;

// Builds a window of the application with its widget tree, actions and
// menu, and shows it with the focus in the Tn-type field. The caller owns
// the object and deletes it after the main loop has ended. With a state
// path, the window opens as it was left (size, zoom, page, side panel) and
// remembers itself there; without one it opens as on first use.
AppWindow* NewAppWindow(GtkApplication* application, const std::string& statePath = std::string());

// Ends the window's background work (the preview worker, the sound, the
// score being read) and forgets its widgets; done when the window is
// destroyed.
void ShutDownAppWindow(AppWindow& w);

#endif

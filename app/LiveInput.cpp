#include "app/LiveInput.h"

#include <vector>

#include "app/MainLoop.h"
#include "app/PageRequest.h"
#include "app/PitchInput.h"
#include "base/Error.h"
#include "midi/LiveInput.h"
#include "score/Segments.h"

namespace {

constexpr const char* kAllInputs = "All inputs";

std::string& rememberedChoice()
{
    static std::string choice;
    return choice;
}

std::string Quoted(const std::string& name) { return "\xE2\x80\x9C" + name + "\xE2\x80\x9D"; }

// The status, as the menu button's tooltip; the button's own face says
// "MIDI", or that the keyboard chosen was disconnected. (The field row keeps
// its width for the clock and the strip, which light the keys held.)
void say(AppWindow& w, const std::string& text, bool lost = false)
{
    w.liveInput->status = text;
    if (!w.liveInputButton)
        return;
    gtk_widget_set_tooltip_text(w.liveInputButton, text.c_str());
    gtk_label_set_text(GTK_LABEL(w.liveInputStatus), lost ? "MIDI (disconnected)" : "MIDI");
}

// What is listened to, said again once the keys are released.
void sayListening(AppWindow& w, const std::string& text, bool lost = false)
{
    w.liveInput->listening = text;
    w.liveInput->lost = lost;
    say(w, text, lost);
}

// The page of the keys held is made while they settle, once they have
// rested a moment (not for every key of a chord struck or released).
void anticipate(AppWindow& w, unsigned mask)
{
    LiveInputState& s = *w.liveInput;
    s.heldMask = mask;
    if (s.anticipationTimer)
        g_source_remove(s.anticipationTimer);
    s.anticipationTimer = 0;
    if (!mask)
        return;
    s.anticipationTimer = g_timeout_add(
        static_cast<guint>(HeldNotes::kRestBeforePreparing.count()),
        [](gpointer data) -> gboolean {
            AppWindow& window = *static_cast<AppWindow*>(data);
            window.liveInput->anticipationTimer = 0;
            AnticipatePage(window, NamesOfMask(static_cast<uint16_t>(window.liveInput->heldMask)).page);
            return G_SOURCE_REMOVE;
        },
        &w);
}

// An event of the listener, now on the GUI thread.
void handle(AppWindow& w, int generation, const LiveEvent& e)
{
    if (!w.window || !w.liveInput || w.liveInput->generation != generation)
        return;  // the window is going, or another input was chosen since
    switch (e.kind) {
    case LiveEvent::Kind::Chord:
        RequestPitchClasses(w, e.chord.mask);
        break;
    case LiveEvent::Kind::Held: {
        ShowHeldPitchClasses(w, e.chord.mask);
        anticipate(w, e.chord.mask);
        std::string notes;
        for (int key : e.chord.keys)
            notes += (notes.empty() ? "" : " ") + NoteName(key);
        say(w, notes.empty() ? w.liveInput->listening : "Held: " + notes, w.liveInput->lost);
        break;
    }
    case LiveEvent::Kind::PortOpened:
        sayListening(w, "Listening to " + Quoted(e.port) + ".");
        break;
    case LiveEvent::Kind::PortLost:
        sayListening(w, Quoted(e.port) + " was disconnected; waiting for it to return.", true);
        break;
    }
}

void listen(AppWindow& w, const std::string& port)
{
    LiveInputState& s = *w.liveInput;
    s.listener.reset();  // its thread joined: no event of it is posted after this
    const int generation = ++s.generation;
    AppWindow* window = &w;
    try {
        s.listener = std::make_unique<LiveListener>(
            port,
            [window, generation](const LiveEvent& e) {
                // The event is copied into the task: nothing of the
                // listener's is touched on the GUI thread.
                PostToMainLoop([window, generation, e] { handle(*window, generation, e); });
            },
            true);
        const std::vector<std::string>& opened = s.listener->openedAtStart();
        if (port.empty())
            sayListening(w, opened.empty()       ? std::string("No MIDI input yet.")
                            : opened.size() == 1 ? "Listening to " + Quoted(opened.front()) + "."
                                                 : "Listening to " + std::to_string(opened.size()) + " MIDI inputs.");
        else
            sayListening(w,
                         opened.empty() ? "Waiting for " + Quoted(port) + "." : "Listening to " + Quoted(port) + ".");
    } catch (const harmodex::Error&) {
        sayListening(w, "No MIDI input.");
    }
}

// The menu as the ports are now: rebuilt each time it opens.
void rebuildMenu(AppWindow& w)
{
    GMenu* menu = w.liveInput->menu;
    g_menu_remove_all(menu);
    const MidiInputs inputs = ListMidiInputs();
    if (inputs.systems.empty()) {
        GMenuItem* item = g_menu_item_new("No MIDI input", "win.live-input-none");
        g_menu_append_item(menu, item);
        g_object_unref(item);
        return;
    }
    GMenuItem* all = g_menu_item_new(kAllInputs, nullptr);
    g_menu_item_set_action_and_target_value(all, "win.live-input", g_variant_new_string(""));
    g_menu_append_item(menu, all);
    g_object_unref(all);
    GMenu* ports = g_menu_new();
    bool rememberedThere = false;
    for (const MidiInputPort& p : inputs.ports) {
        GMenuItem* item = g_menu_item_new(p.name.c_str(), nullptr);
        g_menu_item_set_action_and_target_value(item, "win.live-input", g_variant_new_string(p.name.c_str()));
        g_menu_append_item(ports, item);
        g_object_unref(item);
        rememberedThere = rememberedThere || p.name == RememberedLiveInput();
    }
    // The remembered keyboard stays offered while it is unplugged.
    if (!rememberedThere && !RememberedLiveInput().empty()) {
        const std::string label = RememberedLiveInput() + " (not connected)";
        GMenuItem* item = g_menu_item_new(label.c_str(), nullptr);
        g_menu_item_set_action_and_target_value(item, "win.live-input",
                                                g_variant_new_string(RememberedLiveInput().c_str()));
        g_menu_append_item(ports, item);
        g_object_unref(item);
    }
    if (inputs.ports.empty() && RememberedLiveInput().empty()) {
        GMenuItem* item = g_menu_item_new("No MIDI input", "win.live-input-none");
        g_menu_append_item(ports, item);
        g_object_unref(item);
    }
    g_menu_append_section(menu, nullptr, G_MENU_MODEL(ports));
    g_object_unref(ports);
}

void onMenuToggled(GtkToggleButton* button, gpointer data)
{
    if (gtk_toggle_button_get_active(button))
        rebuildMenu(*static_cast<AppWindow*>(data));
}

void onChosen(GSimpleAction* action, GVariant* value, gpointer data)
{
    g_simple_action_set_state(action, value);
    ChooseLiveInput(*static_cast<AppWindow*>(data), g_variant_get_string(value, nullptr));
}

gboolean startListening(gpointer data)
{
    AppWindow& w = *static_cast<AppWindow*>(data);
    // Unless an input was chosen meanwhile.
    if (w.window && w.liveInput && w.liveInput->generation == 0)
        listen(w, RememberedLiveInput());
    return G_SOURCE_REMOVE;
}

}  // namespace

std::string RememberedLiveInput() { return rememberedChoice(); }
void RememberLiveInput(const std::string& port) { rememberedChoice() = port; }

void AttachLiveInput(AppWindow& w)
{
    w.liveInput = std::make_unique<LiveInputState>();
    w.liveInput->menu = g_menu_new();

    // The choice, a radio group in the menu; "No MIDI input" is an action
    // that is never enabled, so it shows greyed.
    GSimpleAction* choice = g_simple_action_new_stateful("live-input", G_VARIANT_TYPE_STRING,
                                                         g_variant_new_string(RememberedLiveInput().c_str()));
    g_signal_connect(choice, "change-state", G_CALLBACK(onChosen), &w);
    g_action_map_add_action(G_ACTION_MAP(w.window), G_ACTION(choice));
    g_object_unref(choice);
    GSimpleAction* none = g_simple_action_new("live-input-none", nullptr);
    g_simple_action_set_enabled(none, FALSE);
    g_action_map_add_action(G_ACTION_MAP(w.window), G_ACTION(none));
    g_object_unref(none);

    w.liveInputButton = gtk_menu_button_new();
    GtkWidget* face = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 4);
    w.liveInputStatus = gtk_label_new("MIDI");
    gtk_box_pack_start(GTK_BOX(face), w.liveInputStatus, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(face), gtk_image_new_from_icon_name("pan-down-symbolic", GTK_ICON_SIZE_BUTTON), FALSE,
                       FALSE, 0);
    gtk_container_add(GTK_CONTAINER(w.liveInputButton), face);
    gtk_widget_set_tooltip_text(w.liveInputButton, "The MIDI keyboard to listen to: a chord held on it shows its page");
    gtk_menu_button_set_menu_model(GTK_MENU_BUTTON(w.liveInputButton), G_MENU_MODEL(w.liveInput->menu));
    g_signal_connect(w.liveInputButton, "toggled", G_CALLBACK(onMenuToggled), &w);
    // Right after the fields (and the spacer behind them), before the clock
    // and the strip at the end of their row.
    gtk_widget_set_valign(w.liveInputButton, GTK_ALIGN_CENTER);
    gtk_box_pack_start(GTK_BOX(w.inputRow), w.liveInputButton, FALSE, FALSE, 3);
    gtk_box_reorder_child(GTK_BOX(w.inputRow), w.liveInputButton, 2);

    rebuildMenu(w);
    g_idle_add(startListening, &w);
}

void ChooseLiveInput(AppWindow& w, const std::string& port)
{
    RememberLiveInput(port);
    if (w.liveInput)
        listen(w, port);
}

void StopLiveInput(AppWindow& w)
{
    if (!w.liveInput)
        return;
    w.liveInput->listener.reset();
    if (w.liveInput->anticipationTimer)
        g_source_remove(w.liveInput->anticipationTimer);
    if (w.liveInput->menu)
        g_object_unref(w.liveInput->menu);
    w.liveInput.reset();
}

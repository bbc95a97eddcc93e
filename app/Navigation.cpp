#include "app/Navigation.h"

#include <algorithm>

#include <gtk/gtk.h>

#include "app/PageRequest.h"
#include "app/ReadingBar.h"
#include "app/ScorePanel.h"
#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"
#include "pcset/SetReader.h"

namespace {

void goTo(AppWindow& w, int page)
{
    if (page == w.preview.requestedPage) {
        gtk_widget_error_bell(w.window);  // already there: at either end of the book
        return;
    }
    HideReadingBar(w);  // it spoke of the text typed before
    ForgetScoreSelection(w);
    RequestPage(w, page);
}

}  // namespace

void NextPage(AppWindow& w)
{
    const int at = w.preview.requestedPage;
    goTo(w, at < 1 ? 1 : std::min(at + 1, PitchUniverse::NumTnTypes));
}
void PreviousPage(AppWindow& w)
{
    const int at = w.preview.requestedPage;
    goTo(w, at < 1 ? 1 : std::max(at - 1, 1));
}
void FirstPage(AppWindow& w) { goTo(w, 1); }
void LastPage(AppWindow& w) { goTo(w, PitchUniverse::NumTnTypes); }

int ReadGoToText(const PitchUniverse& universe, const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    const std::string trimmed =
        first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t") - first + 1);
    // A bare number 1 to 351 is a page; a larger one may still be a set
    // written in compact digits.
    if (!trimmed.empty() && trimmed.size() <= 3 && trimmed.find_first_not_of("0123456789") == std::string::npos) {
        const int number = std::stoi(trimmed);
        if (number >= 1 && number <= PitchUniverse::NumTnTypes)
            return number;
    }
    const int page = PageReference(trimmed);
    if (page != 0)
        return std::max(page, 0);
    // Anything else is read as a set, in any form the set reader
    // understands (a Forte name, note names, a list, a Costère code...).
    const std::vector<int> set = UnderstandSetText(trimmed).pitchClasses;
    if (set.empty())
        return 0;
    PitchClassSet pcs;
    pcs.initializeSet(set);
    const int index = FindSetID(VectorToString(pcs.getTnType()), universe);
    return index < PitchUniverse::NumTnTypes ? index + 1 : 0;
}

void VisitInHistory(AppWindow& w, int page)
{
    w.history.visit(page);
    UpdateHistoryActions(w);
}

void UpdateHistoryActions(AppWindow& w)
{
    if (!w.window)
        return;
    const std::pair<const char*, bool> states[] = {{"back", w.history.canGoBack()},
                                                   {"forward", w.history.canGoForward()}};
    for (const auto& [name, enabled] : states)
        if (GAction* action = g_action_map_lookup_action(G_ACTION_MAP(w.window), name))
            g_simple_action_set_enabled(G_SIMPLE_ACTION(action), enabled);
}

namespace {

void showFromHistory(AppWindow& w, int page)
{
    if (page == 0) {
        gtk_widget_error_bell(w.window);
        return;
    }
    HideReadingBar(w);
    ForgetScoreSelection(w);
    RequestPage(w, page);  // the history's current page already: nothing added
    UpdateHistoryActions(w);
}

GtkWidget* newArrowButton(const char* icon, const char* action, const char* tooltip, const char* name)
{
    GtkWidget* button = gtk_button_new_from_icon_name(icon, GTK_ICON_SIZE_BUTTON);
    gtk_actionable_set_action_name(GTK_ACTIONABLE(button), action);
    gtk_widget_set_tooltip_text(button, tooltip);
    atk_object_set_name(gtk_widget_get_accessible(button), name);
    return button;
}

// The mouse's side buttons: 8 is back, 9 forward. Taken before the widget
// under the pointer sees the press, so they work over the page and the lists.
void onMouseButton(GtkGestureMultiPress* gesture, int, double, double, gpointer data)
{
    AppWindow& w = *static_cast<AppWindow*>(data);
    const guint button = gtk_gesture_single_get_current_button(GTK_GESTURE_SINGLE(gesture));
    if (button == 8)
        GoBack(w);
    else if (button == 9)
        GoForward(w);
    else
        return;
    gtk_gesture_set_state(GTK_GESTURE(gesture), GTK_EVENT_SEQUENCE_CLAIMED);
}

}  // namespace

void GoBack(AppWindow& w) { showFromHistory(w, w.history.back()); }
void GoForward(AppWindow& w) { showFromHistory(w, w.history.forward()); }

void AttachHistoryControls(AppWindow& w)
{
    GtkWidget* arrows = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 0);
    gtk_style_context_add_class(gtk_widget_get_style_context(arrows), "linked");
    w.backButton = newArrowButton("go-previous-symbolic", "win.back", "Back (Alt+Left)", "Back");
    w.forwardButton = newArrowButton("go-next-symbolic", "win.forward", "Forward (Alt+Right)", "Forward");
    gtk_container_add(GTK_CONTAINER(arrows), w.backButton);
    gtk_container_add(GTK_CONTAINER(arrows), w.forwardButton);
    gtk_header_bar_pack_start(GTK_HEADER_BAR(w.headerBar), arrows);

    // One gesture per side button, so that the other buttons' presses
    // reach the widgets under the pointer untouched.
    for (guint button : {8u, 9u}) {
        GtkGesture* side = gtk_gesture_multi_press_new(w.window);
        gtk_gesture_single_set_button(GTK_GESTURE_SINGLE(side), button);
        gtk_event_controller_set_propagation_phase(GTK_EVENT_CONTROLLER(side), GTK_PHASE_CAPTURE);
        g_signal_connect(side, "pressed", G_CALLBACK(onMouseButton), &w);
        const std::string key = "harmodex-history-button-" + std::to_string(button);
        g_object_set_data_full(G_OBJECT(w.window), key.c_str(), side, g_object_unref);
    }
}

void ShowGoToPrompt(AppWindow& w)
{
    GtkWidget* dialog =
        gtk_dialog_new_with_buttons("Go to page", GTK_WINDOW(w.window),
                                    static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
                                    "_Cancel", GTK_RESPONSE_CANCEL, "_Go", GTK_RESPONSE_ACCEPT, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    GtkWidget* area = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    gtk_container_set_border_width(GTK_CONTAINER(area), 12);
    gtk_box_set_spacing(GTK_BOX(area), 6);
    GtkWidget* label = gtk_label_new("A page number (1 to 351) or a set, such as 0 4 7 or 13.12.14:");
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    gtk_container_add(GTK_CONTAINER(area), label);
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_max_length(GTK_ENTRY(entry), 200);
    gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
    if (w.preview.requestedPage > 0)
        gtk_entry_set_text(GTK_ENTRY(entry), std::to_string(w.preview.requestedPage).c_str());
    gtk_container_add(GTK_CONTAINER(area), entry);
    GtkWidget* problem = gtk_label_new("");
    gtk_label_set_xalign(GTK_LABEL(problem), 0.0f);
    gtk_container_add(GTK_CONTAINER(area), problem);
    gtk_widget_show_all(dialog);
    gtk_widget_hide(problem);

    // Stays open on a text that names no page, saying so.
    while (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        const int page = ReadGoToText(w.universe, gtk_entry_get_text(GTK_ENTRY(entry)));
        if (page > 0) {
            HideReadingBar(w);
            ForgetScoreSelection(w);
            RequestPage(w, page);
            break;
        }
        gtk_label_set_text(GTK_LABEL(problem), "That is neither a page number from 1 to 351 nor a set.");
        gtk_widget_show(problem);
        gtk_widget_error_bell(entry);
    }
    gtk_widget_destroy(dialog);
}

#include "app/PitchInput.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/PageRequest.h"
#include "pcset/Conversions.h"

namespace {

PitchInput& stateOf(AppWindow& w) { return *w.pitchInput; }

unsigned maskOf(const std::vector<int>& pcs)
{
    unsigned mask = 0;
    for (int pc : pcs)
        mask |= 1u << Mod_X_Add(pc, 0, 12);
    return mask;
}

std::vector<int> pitchClassesOf(unsigned mask)
{
    std::vector<int> pcs;
    for (int pc = 0; pc < 12; ++pc)
        if (mask & (1u << pc))
            pcs.push_back(pc);
    return pcs;
}

int intData(GtkWidget* widget, const char* key) { return GPOINTER_TO_INT(g_object_get_data(G_OBJECT(widget), key)); }

// Sets every toggle to the state the window holds, without asking for a page.
void updateToggles(AppWindow& w)
{
    PitchInput& p = stateOf(w);
    p.updating = true;
    for (GtkWidget* toggle : p.clockToggles)
        if (toggle) {
            gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(toggle), (p.lit >> intData(toggle, "pc")) & 1u);
            NamePitchToggle(toggle);
        }
    for (GtkWidget* key : p.keys)
        if (key) {
            gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(key), (p.lit >> intData(key, "pc")) & 1u);
            NamePitchToggle(key);
        }
    p.updating = false;
    // The marks and the held notes are drawn, not states of the toggles.
    gtk_widget_queue_draw(p.clock);
    gtk_widget_queue_draw(p.strip);
}

// Only one toggle of a group is in the Tab order: the one last used.
void makeCurrent(GtkWidget* toggle)
{
    auto group = static_cast<GtkWidget* const*>(g_object_get_data(G_OBJECT(toggle), "group"));
    const int size = intData(toggle, "group-size");
    for (int i = 0; i < size; ++i)
        gtk_widget_set_can_focus(group[i], group[i] == toggle);
}

void onToggled(GtkToggleButton* toggle, gpointer data)
{
    AppWindow& w = *static_cast<AppWindow*>(data);
    PitchInput& p = stateOf(w);
    if (p.updating)
        return;
    makeCurrent(GTK_WIDGET(toggle));
    RequestPitchClasses(w, p.lit ^ (1u << intData(GTK_WIDGET(toggle), "pc")));
}

// The arrows move along the group (clockwise on the clock, upward on the
// strip), Home and End to its ends; Space and Enter toggle, as for any
// button.
gboolean onKey(GtkWidget* toggle, GdkEventKey* event, gpointer)
{
    auto group = static_cast<GtkWidget* const*>(g_object_get_data(G_OBJECT(toggle), "group"));
    const int size = intData(toggle, "group-size");
    const int index = intData(toggle, "index");
    int next = index;
    switch (event->keyval) {
    case GDK_KEY_Right:
    case GDK_KEY_Down:
    case GDK_KEY_KP_Right:
    case GDK_KEY_KP_Down:
        next = (index + 1) % size;
        break;
    case GDK_KEY_Left:
    case GDK_KEY_Up:
    case GDK_KEY_KP_Left:
    case GDK_KEY_KP_Up:
        next = (index + size - 1) % size;
        break;
    case GDK_KEY_Home:
    case GDK_KEY_KP_Home:
        next = 0;
        break;
    case GDK_KEY_End:
    case GDK_KEY_KP_End:
        next = size - 1;
        break;
    default:
        return FALSE;
    }
    if (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK))
        return FALSE;
    makeCurrent(group[next]);
    gtk_widget_grab_focus(group[next]);
    return TRUE;
}

// The room the window gives the content (the scrolled window's own width,
// not the content's) decides whether the strip fits beside the clock: the
// field row's other widgets, its borders and the pair side by side.
void fitPair(GtkWidget*, GdkRectangle* allocation, gpointer data)
{
    AppWindow& w = *static_cast<AppWindow*>(data);
    PitchInput& p = stateOf(w);
    int row = 0, pair = 0;
    gtk_widget_get_preferred_width(w.inputRow, nullptr, &row);
    gtk_widget_get_preferred_width(p.revealer, nullptr, &pair);
    const int others = row - pair;
    constexpr int kBorders = 40;  // the content's and the column's, on either side
    const int sideBySide = kPitchClockSide + 10 + 14 * kPianoWhiteKeyWidth + 1;
    const GtkOrientation wanted =
        allocation->width >= others + sideBySide + kBorders ? GTK_ORIENTATION_HORIZONTAL : GTK_ORIENTATION_VERTICAL;
    g_object_set_data(G_OBJECT(p.pair), "wanted", GINT_TO_POINTER(wanted));
    if (gtk_orientable_get_orientation(GTK_ORIENTABLE(p.pair)) == wanted)
        return;
    // Changed after this allocation, not inside it.
    g_idle_add_full(
        G_PRIORITY_HIGH_IDLE,
        [](gpointer box) -> gboolean {
            const auto orientation =
                static_cast<GtkOrientation>(GPOINTER_TO_INT(g_object_get_data(G_OBJECT(box), "wanted")));
            if (gtk_orientable_get_orientation(GTK_ORIENTABLE(box)) != orientation) {
                gtk_orientable_set_orientation(GTK_ORIENTABLE(box), orientation);
                gtk_box_set_spacing(GTK_BOX(box), orientation == GTK_ORIENTATION_HORIZONTAL ? 10 : 6);
                gtk_widget_queue_resize(GTK_WIDGET(box));
            }
            return G_SOURCE_REMOVE;
        },
        g_object_ref(p.pair), g_object_unref);
}

void changePitchInput(GSimpleAction* action, GVariant* state, gpointer data)
{
    AppWindow& w = *static_cast<AppWindow*>(data);
    g_simple_action_set_state(action, state);
    GtkWidget* revealer = stateOf(w).revealer;
    const bool show = g_variant_get_boolean(state);
    if (show)
        gtk_widget_show(revealer);
    gtk_revealer_set_reveal_child(GTK_REVEALER(revealer), show);
}

// A revealer sliding sideways keeps its height when closed: hidden once
// closed, it gives the row back its own height and the page the room.
void hideWhenClosed(GObject* revealer, GParamSpec*, gpointer)
{
    if (!gtk_revealer_get_child_revealed(GTK_REVEALER(revealer)) &&
        !gtk_revealer_get_reveal_child(GTK_REVEALER(revealer)))
        gtk_widget_hide(GTK_WIDGET(revealer));
}

// The toggle button's icon: a small clock with a triad lit.
gboolean drawIcon(GtkWidget* icon, cairo_t* cr, gpointer)
{
    const double side = std::min(gtk_widget_get_allocated_width(icon), gtk_widget_get_allocated_height(icon));
    const double cx = gtk_widget_get_allocated_width(icon) / 2.0, cy = gtk_widget_get_allocated_height(icon) / 2.0;
    const double radius = side / 2.0 - 2.0;
    GdkRGBA fg;
    gtk_style_context_get_color(gtk_widget_get_style_context(icon), gtk_widget_get_state_flags(icon), &fg);
    gdk_cairo_set_source_rgba(cr, &fg);
    for (int pc = 0; pc < 12; ++pc) {
        const double angle = pc * G_PI / 6.0;
        const bool on = pc == 0 || pc == 4 || pc == 7;
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx + radius * std::sin(angle), cy - radius * std::cos(angle), on ? 1.9 : 0.9, 0, 2 * G_PI);
    }
    cairo_fill(cr);
    cairo_set_line_width(cr, 1.0);
    for (int pc : {0, 4, 7, 0}) {
        const double angle = pc * G_PI / 6.0;
        cairo_line_to(cr, cx + radius * std::sin(angle), cy - radius * std::cos(angle));
    }
    cairo_stroke(cr);
    return TRUE;
}

}  // namespace

const char* PitchClassName(int pc)
{
    static const char* const names[12] = {
        "C", "C\xE2\x99\xAF/D\xE2\x99\xAD", "D", "D\xE2\x99\xAF/E\xE2\x99\xAD", "E", "F", "F\xE2\x99\xAF/G\xE2\x99\xAD",
        "G", "G\xE2\x99\xAF/A\xE2\x99\xAD", "A", "A\xE2\x99\xAF/B\xE2\x99\xAD", "B"};
    return names[Mod_X_Add(pc, 0, 12)];
}

PitchColours ColoursOf(GtkWidget* widget)
{
    GtkStyleContext* style = gtk_widget_get_style_context(widget);
    PitchColours c;
    if (!gtk_style_context_lookup_color(style, "theme_selected_bg_color", &c.lit))
        gdk_rgba_parse(&c.lit, "#3584e4");
    if (!gtk_style_context_lookup_color(style, "theme_selected_fg_color", &c.litText))
        gdk_rgba_parse(&c.litText, "#ffffff");
    c.mark = c.lit;
    // The held notes in a warm colour, apart from any theme's selection.
    gdk_rgba_parse(&c.held, "#e66100");
    if (!gtk_style_context_lookup_color(style, "theme_base_color", &c.face))
        gdk_rgba_parse(&c.face, "#ffffff");
    if (!gtk_style_context_lookup_color(style, "theme_fg_color", &c.line))
        gdk_rgba_parse(&c.line, "#2e3436");
    return c;
}

void NamePitchToggle(GtkWidget* toggle)
{
    const char* name = static_cast<const char*>(g_object_get_data(G_OBJECT(toggle), "name"));
    const bool on = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(toggle));
    const std::string full = std::string(name) + (on ? ", on" : ", off");
    atk_object_set_name(gtk_widget_get_accessible(toggle), full.c_str());
}

GtkWidget* NewPitchToggle(AppWindow& w, int pc, const std::string& name, GtkWidget* const* group, int groupSize,
                          int index)
{
    GtkWidget* toggle = gtk_toggle_button_new();
    g_object_set_data(G_OBJECT(toggle), "pc", GINT_TO_POINTER(pc));
    g_object_set_data(G_OBJECT(toggle), "index", GINT_TO_POINTER(index));
    g_object_set_data(G_OBJECT(toggle), "group-size", GINT_TO_POINTER(groupSize));
    g_object_set_data(G_OBJECT(toggle), "group", const_cast<GtkWidget**>(group));
    g_object_set_data_full(G_OBJECT(toggle), "name", g_strdup(name.c_str()), g_free);
    // Drawn whole by its owner: no theme padding or least size around it.
    static GtkCssProvider* bare = [] {
        GtkCssProvider* css = gtk_css_provider_new();
        gtk_css_provider_load_from_data(
            css, "* { min-width: 0; min-height: 0; padding: 0; margin: 0; border-width: 0; }", -1, nullptr);
        return css;
    }();
    gtk_style_context_add_provider(gtk_widget_get_style_context(toggle), GTK_STYLE_PROVIDER(bare),
                                   GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    gtk_widget_set_can_focus(toggle, index == 0);
    // A click leaves the keyboard focus where it was (usually the field).
    gtk_widget_set_focus_on_click(toggle, FALSE);
    g_signal_connect(toggle, "toggled", G_CALLBACK(onToggled), &w);
    g_signal_connect(toggle, "key-press-event", G_CALLBACK(onKey), nullptr);
    NamePitchToggle(toggle);
    return toggle;
}

void AttachPitchInput(AppWindow& w)
{
    w.pitchInput = std::make_unique<PitchInput>();
    PitchInput& p = *w.pitchInput;

    // The fields stay at the middle of the row when the clock makes it tall.
    GList* children = gtk_container_get_children(GTK_CONTAINER(w.inputRow));
    for (GList* c = children; c; c = c->next)
        gtk_widget_set_valign(GTK_WIDGET(c->data), GTK_ALIGN_CENTER);
    g_list_free(children);

    p.toggle = gtk_toggle_button_new();
    GtkWidget* icon = gtk_drawing_area_new();
    gtk_widget_set_size_request(icon, 16, 16);
    g_signal_connect(icon, "draw", G_CALLBACK(drawIcon), nullptr);
    gtk_container_add(GTK_CONTAINER(p.toggle), icon);
    gtk_actionable_set_action_name(GTK_ACTIONABLE(p.toggle), "win.pitch-input");
    gtk_widget_set_tooltip_text(p.toggle, "Pitch-class clock and piano (F8)");
    atk_object_set_name(gtk_widget_get_accessible(p.toggle), "Pitch-class clock and piano");
    gtk_widget_set_valign(p.toggle, GTK_ALIGN_CENTER);
    gtk_box_pack_start(GTK_BOX(w.inputRow), p.toggle, FALSE, FALSE, 3);

    p.revealer = gtk_revealer_new();
    gtk_revealer_set_transition_type(GTK_REVEALER(p.revealer), GTK_REVEALER_TRANSITION_TYPE_SLIDE_LEFT);
    gtk_revealer_set_transition_duration(GTK_REVEALER(p.revealer), 150);
    // The strip beside the clock where the row has room, below it where
    // the window is narrow.
    p.pair = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 10);
    GtkWidget* box = p.pair;
    p.clock = NewPitchClock(w);
    p.strip = NewPianoStrip(w);
    gtk_widget_set_halign(p.strip, GTK_ALIGN_CENTER);
    gtk_widget_set_valign(p.strip, GTK_ALIGN_CENTER);
    gtk_box_pack_start(GTK_BOX(box), p.clock, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(box), p.strip, FALSE, FALSE, 0);
    if (GtkWidget* scroll = gtk_widget_get_ancestor(w.inputRow, GTK_TYPE_SCROLLED_WINDOW))
        g_signal_connect(scroll, "size-allocate", G_CALLBACK(fitPair), &w);
    gtk_container_add(GTK_CONTAINER(p.revealer), box);
    gtk_box_pack_end(GTK_BOX(w.inputRow), p.revealer, FALSE, FALSE, 0);
    gtk_widget_show_all(box);
    gtk_widget_set_no_show_all(p.revealer, TRUE);
    g_signal_connect(p.revealer, "notify::child-revealed", G_CALLBACK(hideWhenClosed), nullptr);

    GSimpleAction* action = g_simple_action_new_stateful("pitch-input", nullptr, g_variant_new_boolean(FALSE));
    g_signal_connect(action, "change-state", G_CALLBACK(changePitchInput), &w);
    g_action_map_add_action(G_ACTION_MAP(w.window), G_ACTION(action));
    g_object_unref(action);
    updateToggles(w);
}

void ShowRequestedPitchClasses(AppWindow& w)
{
    if (!w.pitchInput)
        return;
    PitchInput& p = stateOf(w);
    const int page = w.preview.requestedPage;
    if (page < 1 || page > PitchUniverse::NumTnTypes) {
        p.lit = p.marked = 0;
    } else {
        const unsigned tnType = maskOf(StringToVector(w.universe.tnTypes[page - 1]));
        p.lit = maskOf(w.typedSet.get_PitchClassSet(0, 0));
        p.marked = p.lit != tnType ? tnType : 0;
    }
    updateToggles(w);
}

void ShowHeldPitchClasses(AppWindow& w, unsigned mask)
{
    if (!w.pitchInput || !w.window)
        return;
    stateOf(w).held = mask & 0xFFFu;
    updateToggles(w);
}

void RequestPitchClasses(AppWindow& w, unsigned mask)
{
    if (!w.pitchInput || !w.window)
        return;
    PitchInput& p = stateOf(w);
    mask &= 0xFFFu;
    if (mask == 0) {
        // Nothing to analyse: the page shown stays, and the fields with it;
        // the clock is blank, ready for a new set.
        p.lit = p.marked = 0;
        updateToggles(w);
        return;
    }
    gtk_entry_set_text(GTK_ENTRY(w.tnTypeField), VectorToStringPC(pitchClassesOf(mask)).c_str());
    RequestTypedSet(w, false);
    updateToggles(w);
}

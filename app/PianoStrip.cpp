// The piano strip: two octaves of keys, C4 to B5. A key toggles its pitch
// class, so both keys of a pitch class light together; a mark under a key
// shows the Tn-type when the set asked for is another transposition, and a
// band at its foot a note held on a MIDI keyboard.

#include <string>

#include "app/PitchInput.h"

namespace {

constexpr int kBlackKeyWidth = 6;
constexpr int kBlackKeyHeight = 34;

bool isBlack(int pc) { return pc == 1 || pc == 3 || pc == 6 || pc == 8 || pc == 10; }

// The white keys before pitch class pc in its octave (C 0, D 1, E 2, ...);
// a black key sits on the line after the white key below it.
int whiteKeysBelow(int pc)
{
    static const int below[12] = {0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 6};
    return below[pc];
}

// "E4", "C♯4/D♭4".
std::string keyName(int pc, int octave)
{
    static const char* const names[12] = {"C", "C\xE2\x99\xAF", "D", "D\xE2\x99\xAF", "E", "F", "F\xE2\x99\xAF",
                                          "G", "G\xE2\x99\xAF", "A", "A\xE2\x99\xAF", "B"};
    static const char* const flats[12] = {"", "D\xE2\x99\xAD", "", "E\xE2\x99\xAD", "", "", "G\xE2\x99\xAD",
                                          "", "A\xE2\x99\xAD", "", "B\xE2\x99\xAD", ""};
    const std::string number = std::to_string(octave);
    std::string name = names[pc] + number;
    if (isBlack(pc))
        name += "/" + std::string(flats[pc]) + number;
    return name;
}

gboolean drawKey(GtkWidget* key, cairo_t* cr, gpointer data)
{
    const PitchInput& p = *static_cast<AppWindow*>(data)->pitchInput;
    const PitchColours c = ColoursOf(key);
    const int pc = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(key), "pc"));
    const bool black = isBlack(pc);
    const bool on = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(key));
    const bool hover = gtk_widget_get_state_flags(key) & GTK_STATE_FLAG_PRELIGHT;
    const double width = gtk_widget_get_allocated_width(key);
    const double height = gtk_widget_get_allocated_height(key);

    cairo_rectangle(cr, 0.5, 0.5, width - 1.0, height - 1.0);
    if (on)
        gdk_cairo_set_source_rgba(cr, &c.lit);
    else if (black)
        cairo_set_source_rgb(cr, 0.18, 0.2, 0.21);
    else
        cairo_set_source_rgb(cr, 1.0, 1.0, 1.0);
    cairo_fill_preserve(cr);
    if (hover && !on) {
        cairo_set_source_rgba(cr, c.lit.red, c.lit.green, c.lit.blue, black ? 0.45 : 0.25);
        cairo_fill_preserve(cr);
    }
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, 0.18, 0.2, 0.21, 0.8);
    cairo_stroke(cr);
    if (p.held & (1u << pc)) {
        gdk_cairo_set_source_rgba(cr, &c.held);
        cairo_rectangle(cr, 1.0, height - 6.0, width - 2.0, 5.0);
        cairo_fill(cr);
    }
    if (p.marked & (1u << pc)) {
        // A ring on a light key, a filled dot on a dark one, above any held band.
        cairo_arc(cr, width / 2.0, height - 10.5, black ? 2.0 : 2.5, 0, 2 * G_PI);
        if (on)
            gdk_cairo_set_source_rgba(cr, &c.litText);
        else
            gdk_cairo_set_source_rgba(cr, black ? &c.litText : &c.mark);
        cairo_fill(cr);
    }
    if (gtk_widget_has_visible_focus(key)) {
        const double dash[] = {2.0, 2.0};
        cairo_set_dash(cr, dash, 2, 0);
        cairo_rectangle(cr, 2.5, 2.5, width - 5.0, height - 5.0);
        cairo_set_source_rgb(cr, black || on ? 1.0 : 0.0, black || on ? 1.0 : 0.0, black || on ? 1.0 : 0.0);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
    }
    return TRUE;  // drawn whole: no theme frame
}

}  // namespace

GtkWidget* NewPianoStrip(AppWindow& w)
{
    PitchInput& p = *w.pitchInput;
    GtkWidget* strip = gtk_fixed_new();
    gtk_widget_set_size_request(strip, 14 * kPianoWhiteKeyWidth + 1, kPianoWhiteKeyHeight);
    // White keys first: the black ones are put later, so that they lie
    // above them, drawn and clicked.
    for (bool black : {false, true})
        for (int index = 0; index < 24; ++index) {
            const int pc = index % 12, octave = 4 + index / 12;
            if (isBlack(pc) != black)
                continue;
            const std::string name = keyName(pc, octave) + ", pitch class " + std::to_string(pc);
            GtkWidget* key = NewPitchToggle(w, pc, name, p.keys, 24, index);
            p.keys[index] = key;
            gtk_widget_set_tooltip_text(key, keyName(pc, octave).c_str());
            g_signal_connect(key, "draw", G_CALLBACK(drawKey), &w);
            const int whiteBefore = 7 * (index / 12) + whiteKeysBelow(pc);
            if (black) {
                gtk_widget_set_size_request(key, kBlackKeyWidth, kBlackKeyHeight);
                gtk_fixed_put(GTK_FIXED(strip), key, whiteBefore * kPianoWhiteKeyWidth - kBlackKeyWidth / 2, 0);
            } else {
                gtk_widget_set_size_request(key, kPianoWhiteKeyWidth + 1, kPianoWhiteKeyHeight);
                gtk_fixed_put(GTK_FIXED(strip), key, whiteBefore * kPianoWhiteKeyWidth, 0);
            }
        }
    return strip;
}

// The pitch-class clock: the twelve pitch classes on a circle, 0 at the top
// and going clockwise, each a toggle. Behind the toggles the set lit is
// drawn as the polygon it makes on the circle, and the Tn-type, when marked,
// as a dashed one: a transposition is the same shape turned.

#include <cmath>
#include <string>

#include "app/PitchInput.h"

namespace {

constexpr int kToggleSide = 28;
// The radius of the circle through the toggles' centres.
constexpr double kRadius = kPitchClockSide / 2.0 - kToggleSide / 2.0;

void centreOf(int pc, double* x, double* y)
{
    const double angle = pc * G_PI / 6.0;
    *x = kPitchClockSide / 2.0 + kRadius * std::sin(angle);
    *y = kPitchClockSide / 2.0 - kRadius * std::cos(angle);
}

// The path through the pitch classes of mask, closed; false when it holds
// fewer than two.
bool polygon(cairo_t* cr, unsigned mask)
{
    int count = 0;
    for (int pc = 0; pc < 12; ++pc)
        if (mask & (1u << pc)) {
            double x, y;
            centreOf(pc, &x, &y);
            cairo_line_to(cr, x, y);
            ++count;
        }
    cairo_close_path(cr);
    if (count < 2)
        cairo_new_path(cr);
    return count >= 2;
}

gboolean drawFace(GtkWidget* clock, cairo_t* cr, gpointer data)
{
    const PitchInput& p = *static_cast<AppWindow*>(data)->pitchInput;
    const PitchColours c = ColoursOf(clock);
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, c.line.red, c.line.green, c.line.blue, 0.35);
    cairo_arc(cr, kPitchClockSide / 2.0, kPitchClockSide / 2.0, kRadius, 0, 2 * G_PI);
    cairo_stroke(cr);
    if (polygon(cr, p.marked)) {
        const double dash[] = {4.0, 3.0};
        cairo_set_dash(cr, dash, 2, 0);
        gdk_cairo_set_source_rgba(cr, &c.mark);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
    }
    if (polygon(cr, p.lit)) {
        cairo_set_source_rgba(cr, c.lit.red, c.lit.green, c.lit.blue, 0.18);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 1.5);
        gdk_cairo_set_source_rgba(cr, &c.lit);
        cairo_stroke(cr);
    }
    return FALSE;  // the toggles are drawn over the face
}

gboolean drawToggle(GtkWidget* toggle, cairo_t* cr, gpointer data)
{
    const PitchInput& p = *static_cast<AppWindow*>(data)->pitchInput;
    const PitchColours c = ColoursOf(toggle);
    const int pc = GPOINTER_TO_INT(g_object_get_data(G_OBJECT(toggle), "pc"));
    const bool on = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(toggle));
    const bool hover = gtk_widget_get_state_flags(toggle) & GTK_STATE_FLAG_PRELIGHT;
    const double x = gtk_widget_get_allocated_width(toggle) / 2.0;
    const double y = gtk_widget_get_allocated_height(toggle) / 2.0;
    constexpr double r = 10.0;

    cairo_arc(cr, x, y, r, 0, 2 * G_PI);
    gdk_cairo_set_source_rgba(cr, on ? &c.lit : &c.face);
    cairo_fill_preserve(cr);
    if (hover && !on) {
        cairo_set_source_rgba(cr, c.lit.red, c.lit.green, c.lit.blue, 0.25);
        cairo_fill_preserve(cr);
    }
    cairo_set_line_width(cr, 1.0);
    cairo_set_source_rgba(cr, c.line.red, c.line.green, c.line.blue, 0.6);
    cairo_stroke(cr);
    if (p.held & (1u << pc)) {
        cairo_set_line_width(cr, 3.0);
        gdk_cairo_set_source_rgba(cr, &c.held);
        cairo_arc(cr, x, y, r - 1.5, 0, 2 * G_PI);
        cairo_stroke(cr);
    }
    if (p.marked & (1u << pc)) {
        cairo_set_line_width(cr, 1.5);
        gdk_cairo_set_source_rgba(cr, &c.mark);
        cairo_arc(cr, x, y, r + 2.5, 0, 2 * G_PI);
        cairo_stroke(cr);
    }
    if (gtk_widget_has_visible_focus(toggle)) {
        const double dash[] = {2.0, 2.0};
        cairo_set_dash(cr, dash, 2, 0);
        cairo_set_line_width(cr, 1.0);
        gdk_cairo_set_source_rgba(cr, &c.line);
        cairo_arc(cr, x, y, r + 3.5, 0, 2 * G_PI);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
    }

    PangoLayout* number = gtk_widget_create_pango_layout(toggle, std::to_string(pc).c_str());
    PangoFontDescription* font =
        pango_font_description_copy(pango_context_get_font_description(pango_layout_get_context(number)));
    pango_font_description_set_size(font, pango_font_description_get_size(font) * 9 / 10);
    pango_layout_set_font_description(number, font);
    pango_font_description_free(font);
    int width = 0, height = 0;
    pango_layout_get_pixel_size(number, &width, &height);
    gdk_cairo_set_source_rgba(cr, on ? &c.litText : &c.line);
    cairo_move_to(cr, x - width / 2.0, y - height / 2.0);
    pango_cairo_show_layout(cr, number);
    g_object_unref(number);
    return TRUE;  // drawn whole: no theme frame
}

}  // namespace

GtkWidget* NewPitchClock(AppWindow& w)
{
    PitchInput& p = *w.pitchInput;
    GtkWidget* clock = gtk_fixed_new();
    gtk_widget_set_size_request(clock, kPitchClockSide, kPitchClockSide);
    g_signal_connect(clock, "draw", G_CALLBACK(drawFace), &w);
    for (int pc = 0; pc < 12; ++pc) {
        const std::string name = "Pitch class " + std::to_string(pc) + ", " + PitchClassName(pc);
        GtkWidget* toggle = NewPitchToggle(w, pc, name, p.clockToggles, 12, pc);
        p.clockToggles[pc] = toggle;
        gtk_widget_set_size_request(toggle, kToggleSide, kToggleSide);
        gtk_widget_set_tooltip_text(toggle, PitchClassName(pc));
        g_signal_connect(toggle, "draw", G_CALLBACK(drawToggle), &w);
        double x, y;
        centreOf(pc, &x, &y);
        gtk_fixed_put(GTK_FIXED(clock), toggle, static_cast<int>(std::lround(x - kToggleSide / 2.0)),
                      static_cast<int>(std::lround(y - kToggleSide / 2.0)));
    }
    return clock;
}

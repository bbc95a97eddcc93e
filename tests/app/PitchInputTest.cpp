// The pitch-class clock and the piano strip driven in-process, in a real GTK
// window (run under Xvfb by CTest): clicks, keys, and what they light.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "app/Actions.h"
#include "app/AppWindow.h"
#include "app/Navigation.h"
#include "app/PageRequest.h"
#include "app/PitchInput.h"
#include "pcset/Conversions.h"
#include "pcset/PitchUniverse.h"
#include "raster/Preview.h"
#include "tests/app/MainLoopTurns.h"

namespace {

AppWindow* w = nullptr;

void waitForPreview() { ASSERT_TRUE(PreviewArrived(*w)) << "the preview did not arrive"; }

PitchInput& input() { return *w->pitchInput; }
std::string title() { return gtk_window_get_title(GTK_WINDOW(w->window)); }
std::string tnTypeText() { return gtk_entry_get_text(GTK_ENTRY(w->tnTypeField)); }

unsigned maskOf(std::initializer_list<int> pcs)
{
    unsigned mask = 0;
    for (int pc : pcs)
        mask |= 1u << pc;
    return mask;
}

// What the toggles themselves say is on.
unsigned activeOn(GtkWidget* const* toggles, int count)
{
    unsigned mask = 0;
    for (int i = 0; i < count; ++i)
        if (gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(toggles[i])))
            mask |= 1u << (i % 12);
    return mask;
}

int pageOf(const char* tnType) { return FindSetID(tnType, w->universe) + 1; }

std::string accessibleName(GtkWidget* widget) { return atk_object_get_name(gtk_widget_get_accessible(widget)); }

void pressKey(guint keyval) { PressKey(w->window, keyval); }

// A click, as the pointer's would be: the button is clicked and toggles.
void click(GtkWidget* toggle) { gtk_button_clicked(GTK_BUTTON(toggle)); }

class PitchInputTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        int argc = 0;
        ASSERT_TRUE(gtk_init_check(&argc, nullptr)) << "no display: run under Xvfb";
        PreviewLibraryStart();
        GtkApplication* application =
            gtk_application_new("org.harmodex.Harmodex.PitchInputTests", G_APPLICATION_NON_UNIQUE);
        ASSERT_TRUE(g_application_register(G_APPLICATION(application), nullptr, nullptr));
        w = NewAppWindow(application);
        SetPreparingNeighbours(*w, false);
        ASSERT_TRUE(ActivateAccelerator(*w, "F8"));
        settle(400);  // the revealer's slide
    }
    static void TearDownTestSuite()
    {
        gtk_widget_destroy(w->window);
        delete w;
        w = nullptr;
    }
};

TEST_F(PitchInputTest, F8ShowsAndHidesTheClockBesideTheFields)
{
    EXPECT_TRUE(gtk_revealer_get_reveal_child(GTK_REVEALER(input().revealer)));
    EXPECT_TRUE(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(input().toggle)));
    EXPECT_EQ(gtk_widget_get_parent(input().revealer), w->inputRow);
    ASSERT_TRUE(ActivateAccelerator(*w, "F8"));
    EXPECT_FALSE(gtk_revealer_get_reveal_child(GTK_REVEALER(input().revealer)));
    EXPECT_FALSE(gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(input().toggle)));
    ASSERT_TRUE(ActivateAccelerator(*w, "F8"));
    settle(400);
    // Modest beside the fields: the clock sets the row's height.
    int natural = 0;
    gtk_widget_get_preferred_height(input().revealer, nullptr, &natural);
    EXPECT_LE(natural, kPitchClockSide + 10);
}

TEST_F(PitchInputTest, ClicksAskForThePageAsTypingDoes)
{
    struct Case {
        const char* what;
        std::vector<GtkWidget*> clicks;
        int page;
        unsigned lit, marked;
        const char* field;
    };
    PitchInput& p = input();
    const Case cases[] = {
        {"clock 0 4 7", {p.clockToggles[0], p.clockToggles[4], p.clockToggles[7]}, 24, maskOf({0, 4, 7}), 0, "0 4 7"},
        // A transposition is lit as clicked, its Tn-type marked beside it.
        {"clock 7 11 2",
         {p.clockToggles[7], p.clockToggles[11], p.clockToggles[2]},
         24,
         maskOf({2, 7, 11}),
         maskOf({0, 4, 7}),
         "0 4 7"},
        {"strip C E G, both octaves", {p.keys[0], p.keys[16], p.keys[7]}, 24, maskOf({0, 4, 7}), 0, "0 4 7"},
        {"strip D F A", {p.keys[2], p.keys[5], p.keys[21]}, 21, maskOf({2, 5, 9}), maskOf({0, 3, 7}), "0 3 7"},
        {"strip E4 then E5: the same pitch class, off again", {p.keys[4], p.keys[16]}, pageOf("0"), 0, 0, "0"},
    };
    for (const Case& c : cases) {
        RequestPitchClasses(*w, 0);
        for (GtkWidget* toggle : c.clicks)
            click(toggle);
        waitForPreview();
        EXPECT_EQ(w->preview.requestedPage, c.page) << c.what;
        EXPECT_NE(title().find("page " + std::to_string(c.page) + " "), std::string::npos) << c.what << ": " << title();
        EXPECT_EQ(tnTypeText(), c.field) << c.what;
        EXPECT_EQ(p.lit, c.lit) << c.what;
        EXPECT_EQ(p.marked, c.marked) << c.what;
        EXPECT_EQ(activeOn(p.clockToggles, 12), c.lit) << c.what;
        EXPECT_EQ(activeOn(p.keys, 12), c.lit) << c.what << ": lower octave";
        EXPECT_EQ(activeOn(p.keys + 12, 12), c.lit) << c.what << ": upper octave";
    }
}

TEST_F(PitchInputTest, TypedFlippedAndEmptiedSetsAreShown)
{
    PitchInput& p = input();
    gtk_entry_set_text(GTK_ENTRY(w->tnTypeField), "7 11 2");
    g_signal_emit_by_name(w->tnTypeField, "activate");
    waitForPreview();
    EXPECT_EQ(p.lit, maskOf({2, 7, 11}));
    EXPECT_EQ(p.marked, maskOf({0, 4, 7}));
    EXPECT_EQ(accessibleName(p.clockToggles[7]), "Pitch class 7, G, on");
    EXPECT_EQ(accessibleName(p.clockToggles[4]), "Pitch class 4, E, off");
    EXPECT_EQ(accessibleName(p.keys[13]), "C\xE2\x99\xAF"
                                          "5/D\xE2\x99\xAD"
                                          "5, pitch class 1, off");

    NextPage(*w);
    waitForPreview();
    ASSERT_EQ(w->preview.requestedPage, 25);
    EXPECT_EQ(tnTypeText(), VectorToStringPC(StringToVector(w->universe.tnTypes[24])));
    EXPECT_EQ(p.lit, maskOf({0, 4, 8}));
    EXPECT_EQ(activeOn(p.clockToggles, 12), p.lit);
    EXPECT_EQ(p.marked, 0u) << "a flipped page is its own Tn-type";

    // Emptying the clock keeps the page of the last set and the fields.
    click(p.clockToggles[0]);
    waitForPreview();
    ASSERT_EQ(p.lit, maskOf({4, 8}));
    click(p.clockToggles[8]);
    waitForPreview();
    const int page = w->preview.requestedPage;
    const std::string field = tnTypeText();
    EXPECT_EQ(field, "0");
    click(p.clockToggles[4]);
    waitForPreview();
    EXPECT_EQ(w->preview.requestedPage, page);
    EXPECT_EQ(tnTypeText(), field);
    EXPECT_EQ(p.lit, 0u);
    EXPECT_EQ(p.marked, 0u);
    EXPECT_EQ(activeOn(p.keys, 24), 0u);
    // An empty set asked for at once (all keys let go) keeps a larger page too.
    RequestPitchClasses(*w, maskOf({0, 4, 7}));
    waitForPreview();
    RequestPitchClasses(*w, 0);
    EXPECT_EQ(w->preview.requestedPage, 24);
    EXPECT_EQ(tnTypeText(), "0 4 7");
}

TEST_F(PitchInputTest, ArrowsMoveAroundTheClockAndSpaceToggles)
{
    PitchInput& p = input();
    RequestPitchClasses(*w, 0);
    struct Step {
        guint key;
        int focused;  // the toggle with the focus after the key
    };
    const Step steps[] = {
        {GDK_KEY_Home, 0}, {GDK_KEY_Left, 11}, {GDK_KEY_Right, 0}, {GDK_KEY_Right, 1},
        {GDK_KEY_Down, 2}, {GDK_KEY_Up, 1},    {GDK_KEY_Right, 2}, {GDK_KEY_Right, 3},
        {GDK_KEY_End, 11}, {GDK_KEY_Home, 0},  {GDK_KEY_Right, 1},
    };
    gtk_widget_set_can_focus(p.clockToggles[0], TRUE);
    gtk_widget_grab_focus(p.clockToggles[0]);
    for (const Step& s : steps) {
        pressKey(s.key);
        EXPECT_EQ(gtk_window_get_focus(GTK_WINDOW(w->window)), p.clockToggles[s.focused]) << gdk_keyval_name(s.key);
        int focusable = 0;
        for (GtkWidget* toggle : p.clockToggles)
            focusable += gtk_widget_get_can_focus(toggle);
        EXPECT_EQ(focusable, 1) << "one toggle of the clock in the Tab order";
    }
    // From 1: back to 0, Space; on to 4, Space; on to 7, Space.
    pressKey(GDK_KEY_Left);
    pressKey(GDK_KEY_space);
    for (int i = 0; i < 4; ++i)
        pressKey(GDK_KEY_Right);
    pressKey(GDK_KEY_space);
    for (int i = 0; i < 3; ++i)
        pressKey(GDK_KEY_Right);
    pressKey(GDK_KEY_space);
    waitForPreview();
    EXPECT_EQ(w->preview.requestedPage, 24);
    EXPECT_NE(title().find("page 24 "), std::string::npos) << title();
    EXPECT_EQ(p.lit, maskOf({0, 4, 7}));
    EXPECT_EQ(gtk_window_get_focus(GTK_WINDOW(w->window)), p.clockToggles[7]) << "the focus stays on the clock";
    // Space again takes 7 out, leaving the dyad 0 4.
    pressKey(GDK_KEY_space);
    waitForPreview();
    EXPECT_EQ(p.lit, maskOf({0, 4}));
    EXPECT_EQ(tnTypeText(), "0 4");
}

TEST_F(PitchInputTest, HeldNotesAreShownApartAndAskForNothing)
{
    PitchInput& p = input();
    RequestPitchClasses(*w, maskOf({0, 4, 7}));
    waitForPreview();
    const int page = w->preview.requestedPage;
    ShowHeldPitchClasses(*w, maskOf({2, 5, 11}) | 0xF000u);
    EXPECT_EQ(p.held, maskOf({2, 5, 11})) << "only twelve pitch classes";
    EXPECT_EQ(p.lit, maskOf({0, 4, 7}));
    EXPECT_EQ(w->preview.requestedPage, page);
    ShowHeldPitchClasses(*w, 0);
    EXPECT_EQ(p.held, 0u);
}

}  // namespace

// A keyboard played into the window: a JACK server of the test's own, a test
// keyboard on it, and the window listening (run under Xvfb by CTest; exit 77
// when jackd cannot start).
#include <cstdio>
#include <string>

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "app/AppWindow.h"
#include "app/LiveInput.h"
#include "raster/Preview.h"
#include "tests/midi/JackServer.h"
#include "tests/midi/LiveKeyboard.h"

namespace {

AppWindow* w = nullptr;

// Runs the main loop until done() holds or five seconds have passed.
template <typename Condition>
bool runUntil(Condition done)
{
    const gint64 deadline = g_get_monotonic_time() + 5 * G_USEC_PER_SEC;
    while (!done() && g_get_monotonic_time() < deadline)
        if (!g_main_context_iteration(nullptr, FALSE))
            g_usleep(1000);
    return done();
}

std::string status() { return w->liveInput->status; }
std::string face() { return gtk_label_get_text(GTK_LABEL(w->liveInputStatus)); }

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The listener hears the keyboard once the server has the new connection in
// its graph: the lowest key is touched until it is heard.
bool heard(LiveKeyboard& keys)
{
    bool held = false;
    for (int i = 0; i < 50 && !held; ++i) {
        keys.on(0);
        held = runUntil([] { return contains(status(), "Held: C-1"); });
    }
    keys.off(0);
    return held && runUntil([] { return !contains(status(), "Held"); });
}

std::vector<std::string> menuLabels()
{
    g_signal_emit_by_name(w->liveInputButton, "toggled");  // as opening it does
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(w->liveInputButton), TRUE);
    std::vector<std::string> labels;
    GMenuModel* menu = G_MENU_MODEL(w->liveInput->menu);
    for (int i = 0; i < g_menu_model_get_n_items(menu); ++i) {
        GMenuModel* section = g_menu_model_get_item_link(menu, i, G_MENU_LINK_SECTION);
        GMenuModel* items = section ? section : menu;
        for (int j = section ? 0 : i; j < (section ? g_menu_model_get_n_items(items) : i + 1); ++j) {
            gchar* label = nullptr;
            if (g_menu_model_get_item_attribute(items, j, G_MENU_ATTRIBUTE_LABEL, "s", &label))
                labels.push_back(label);
            g_free(label);
        }
        if (section)
            g_object_unref(section);
    }
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(w->liveInputButton), FALSE);
    return labels;
}

void choose(const std::string& port)
{
    g_action_group_activate_action(G_ACTION_GROUP(w->window), "live-input", g_variant_new_string(port.c_str()));
}

TEST(LiveInputWindow, ChordHeldShowsItsPage)
{
    LiveKeyboard keys(RtMidi::UNIX_JACK, "Window keyboard");
    const std::vector<std::string> labels = menuLabels();
    ASSERT_GE(labels.size(), 2u);
    EXPECT_EQ(labels[0], "All inputs");
    EXPECT_NE(std::find(labels.begin(), labels.end(), "Window keyboard:keys"), labels.end());
    choose("");  // all inputs, the keyboard among them
    ASSERT_TRUE(heard(keys)) << status();
    keys.on(67);
    keys.on(71);
    keys.on(74);  // G B D: T7 of the major triad
    ASSERT_TRUE(runUntil([] { return w->preview.requestedPage == 24; })) << w->preview.requestedPage;
    EXPECT_EQ(std::string(gtk_entry_get_text(GTK_ENTRY(w->tnTypeField))), "0 4 7");
    EXPECT_EQ(status(), "Held: G4 B4 D5");
    for (int key : {67, 71, 74}) {
        keys.off(key);
        LiveKeyboard::pause(10);
    }
    ASSERT_TRUE(runUntil([] { return !contains(status(), "Held"); }));
    EXPECT_EQ(w->preview.requestedPage, 24);  // releasing keeps the page
}

TEST(LiveInputWindow, ChosenPortThatDisappearsIsToldAndUsedAgain)
{
    auto keys = std::make_unique<LiveKeyboard>(RtMidi::UNIX_JACK, "Unplugged keyboard");
    choose("Unplugged keyboard:keys");
    EXPECT_EQ(RememberedLiveInput(), "Unplugged keyboard:keys");
    EXPECT_EQ(status(), "Listening to \xE2\x80\x9CUnplugged keyboard:keys\xE2\x80\x9D.");
    keys.reset();
    ASSERT_TRUE(runUntil([] { return contains(status(), "was disconnected; waiting for it to return."); })) << status();
    EXPECT_EQ(face(), "MIDI (disconnected)");
    const std::vector<std::string> labels = menuLabels();
    EXPECT_NE(std::find(labels.begin(), labels.end(), "Unplugged keyboard:keys (not connected)"), labels.end());
    keys = std::make_unique<LiveKeyboard>(RtMidi::UNIX_JACK, "Unplugged keyboard");
    ASSERT_TRUE(runUntil([] { return contains(status(), "Listening to"); })) << status();
    EXPECT_EQ(face(), "MIDI");
    ASSERT_TRUE(heard(*keys));
    keys->on(62);
    keys->on(65);
    keys->on(69);
    ASSERT_TRUE(runUntil([] { return w->preview.requestedPage == 21; })) << w->preview.requestedPage;
    choose("");
}

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    if (!gtk_init_check(&argc, &argv)) {
        std::printf("SKIP: no display\n");
        return 77;
    }
    JackServer server;
    if (!server.running()) {
        std::printf("SKIP: no JACK server: %s\n", server.reason().c_str());
        return 77;
    }
    PreviewLibraryStart();
    GtkApplication* application = gtk_application_new("org.harmodex.Harmodex.LiveTests", G_APPLICATION_NON_UNIQUE);
    if (!g_application_register(G_APPLICATION(application), nullptr, nullptr))
        return 1;
    w = NewAppWindow(application);
    const int status = RUN_ALL_TESTS();
    gtk_widget_destroy(w->window);
    delete w;
    g_object_unref(application);
    PreviewLibraryStop();
    return status;
}

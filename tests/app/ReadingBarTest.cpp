// The reading bar: what it says for a typed text, and the bar itself driven
// in-process in the real window (run under Xvfb by CTest).
#include <string>

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "app/ReadingBar.h"
#include "app/Window.h"
#include "raster/Preview.h"

namespace {

const std::string open = "\xE2\x80\x9C", close = "\xE2\x80\x9D";

TEST(ReadingNotice, SaysWhatWasReadAndOffersTheOtherReading)
{
    struct Case { const char* typed; bool costereField; std::string message; const char* offered; GtkMessageType kind; };
    const Case cases[] = {
        {"0 4 7", false, "", "", GTK_MESSAGE_INFO},
        {"13.12.14", true, "", "", GTK_MESSAGE_INFO},
        {"0,4,7", false, open + "0,4,7" + close + " was read as 0 (page 1). Did you mean 0 4 7: 3-11b, page 24?", "0 4 7", GTK_MESSAGE_QUESTION},
        {"7 t 2 6 9 0", false, open + "7 t 2 6 9 0" + close + " was read as 7 0 2 6 9 = T6 of 0 1 3 6 8 (page 91). Did you mean 7 10 2 6 9 0: 6-Z24, page 166?",
         "7 10 2 6 9 0", GTK_MESSAGE_QUESTION},
        {"39", true, open + "39" + close + " was read as 3 = T3 of 0 (page 1). " + open + "39" + close + " as a Costère code is 0 1 2: 3-1, page 8.",
         "0 1 2", GTK_MESSAGE_QUESTION},
        {"hello", false, open + "hello" + close + " was read as 0 (page 1). " + open + "hello" + close + " is neither a pitch class nor a note name; write a set as",
         "", GTK_MESSAGE_WARNING},
        {"", false, open + close + " names no set. Nothing was typed; write a set as", "", GTK_MESSAGE_WARNING},
        {"3-13", false, "was read as 3 = T3 of 0 (page 1). There is no Forte class 3-13", "", GTK_MESSAGE_WARNING},
    };
    for (const Case& c : cases) {
        const ReadingNotice notice = NoticeForTypedText(c.typed, c.costereField);
        if (c.message.empty())
            EXPECT_EQ(notice.message, "") << c.typed;
        else
            EXPECT_NE(notice.message.find(c.message), std::string::npos) << c.typed << ": " << notice.message;
        std::string offered;
        for (int pc : notice.offered)
            offered += (offered.empty() ? "" : " ") + std::to_string(pc);
        EXPECT_EQ(offered, c.offered) << c.typed;
        EXPECT_EQ(notice.kind, c.kind) << c.typed;
    }
}

void typeAndActivate(GtkWidget* field, const char* text)
{
    gtk_entry_set_text(GTK_ENTRY(field), text);
    g_signal_emit_by_name(field, "activate");
    while (gtk_events_pending())
        gtk_main_iteration();
}

std::string text(GtkWidget* entry) { return gtk_entry_get_text(GTK_ENTRY(entry)); }
std::string barText() { return gtk_label_get_text(GTK_LABEL(readingBarMessage)); }

class ReadingBarInWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (window)
            return;  // the window tests of this program built it already
        CreateInitialPixbuf();
        int argc = 0;
        ASSERT_TRUE(gtk_init_check(&argc, nullptr)) << "no display: run under Xvfb";
        PreviewLibraryStart();
        BuildMainWindow();
    }
};

TEST_F(ReadingBarInWindow, OffersTheOtherReadingAndShowsItAsIfTyped)
{
    GtkWidget* inputRow = gtk_widget_get_parent(gtk_widget_get_parent(entryST));
    GtkWidget* box = gtk_widget_get_parent(inputRow);
    ASSERT_EQ(gtk_widget_get_parent(readingBar), box);
    int barAt = -1, rowAt = -1;
    gtk_container_child_get(GTK_CONTAINER(box), readingBar, "position", &barAt, nullptr);
    gtk_container_child_get(GTK_CONTAINER(box), inputRow, "position", &rowAt, nullptr);
    EXPECT_EQ(barAt + 1, rowAt);

    // The field's literal reading still decides the page: "0,4,7" is 0.
    typeAndActivate(entryST, "0,4,7");
    EXPECT_EQ(text(entryST), "0");
    ASSERT_TRUE(gtk_widget_get_visible(readingBar));
    ASSERT_TRUE(gtk_widget_get_visible(readingBarButton));
    EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(readingBarButton)), "_Show 0 4 7");
    gtk_button_clicked(GTK_BUTTON(readingBarButton));
    while (gtk_events_pending())
        gtk_main_iteration();
    EXPECT_EQ(text(entryST), "0 4 7");
    EXPECT_EQ(text(entryCO), "13.12.14");
    EXPECT_FALSE(gtk_widget_get_visible(readingBar));

    // Alt+S from the keyboard; the set shown is then named as a transposition.
    typeAndActivate(entryST, "Bb D F");
    ASSERT_TRUE(gtk_widget_get_visible(readingBar));
    EXPECT_TRUE(gtk_window_mnemonic_activate(GTK_WINDOW(window), GDK_KEY_s, GDK_MOD1_MASK));
    // A button activated from the keyboard shows itself pressed for a moment
    // before it clicks.
    const gint64 deadline = g_get_monotonic_time() + 5 * G_USEC_PER_SEC;
    while (text(entryST) == "0" && g_get_monotonic_time() < deadline)
        g_main_context_iteration(nullptr, FALSE);
    EXPECT_EQ(text(entryST), "0 4 7");
    EXPECT_EQ(barText(), "10 2 5 = T10 of 0 4 7");

    // A bare code in the Costère field: the page stays the literal one until asked.
    typeAndActivate(entryCO, "39");
    EXPECT_EQ(text(entryCO), "1XI");
    gtk_button_clicked(GTK_BUTTON(readingBarButton));
    while (gtk_events_pending())
        gtk_main_iteration();
    EXPECT_EQ(text(entryCO), "39");
    EXPECT_EQ(text(entryST), "0 1 2");

    // The next request with nothing to say takes the bar away.
    typeAndActivate(entryST, "0 4 7");
    EXPECT_FALSE(gtk_widget_get_visible(readingBar));
}

} // namespace

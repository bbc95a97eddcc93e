// The window's callbacks driven in-process, in a real GTK window (run under
// Xvfb by CTest).
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <malloc.h>

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "raster/Preview.h"
#include "app/Export.h"
#include "app/PageRequest.h"
#include "app/Sound.h"
#include "app/Window.h"

namespace {

std::string chosenPath;
std::string reportedFailure;
void recordFailure(const std::string& path, const std::string& reason) { reportedFailure = path + ": " + reason; }
bool chooseTestPath()
{
    if (chosenPath.empty())
        return false;  // as if "_Cancel" were pressed
    FileNameXX = chosenPath;
    return true;
}

void typeAndActivate(GtkWidget* field, const char* text)
{
    gtk_entry_set_text(GTK_ENTRY(field), text);
    g_signal_emit_by_name(field, "activate");
    while (gtk_events_pending())
        gtk_main_iteration();
}

std::string entryText(GtkWidget* field) { return gtk_entry_get_text(GTK_ENTRY(field)); }

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Size of the page as the image library itself renders it.
void libraryImageSize(const std::string& eps, double resolution, size_t* w, size_t* h)
{
    GdkPixbuf* p = getPixbufFromEPSpage(eps, resolution);
    ASSERT_NE(p, nullptr) << PreviewLastError();
    *w = gdk_pixbuf_get_width(p);
    *h = gdk_pixbuf_get_height(p);
    g_object_unref(p);
}

class Window : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CreateInitialPixbuf();
        int argc = 0;
        ASSERT_TRUE(gtk_init_check(&argc, nullptr)) << "no display: run under Xvfb";
        PreviewLibraryStart();
        BuildMainWindow();
        ChooseSaveFileName = chooseTestPath;
        ReportSaveFailure = recordFailure;
    }
    void SetUp() override { gtk_spin_button_set_value(GTK_SPIN_BUTTON(spinner1), 1.0); }
};

TEST_F(Window, ListTypedInEitherFieldWritesTheTnTypeAndCodeBack)
{
    struct Case { GtkWidget** field; const char* typed; const char* tn; const char* code; };
    const Case cases[] = {
        {&entryST, "7 11 2", "0 4 7", "13.12.14"},
        {&entryCO, "0 4 7", "0 4 7", "13.12.14"},          // a list typed into the code field
        {&entryST, "12.13.14", "0 3 7", "12.13.14"},     // a code typed into the list field
        {&entryCO, "2X", "0 1", "2X"},
        {&entryST, "39", "0", "1XI"},                    // no '.' and no X: the list {39}
        {&entryST, "x", "0", "1XI"},                     // lower-case x is a list token
        {&entryST, "0,4,7", "0", "1XI"},
        {&entryST, "0 2 4 6 8 10", "0 2 4 6 8 d", "11.11.11.11.11.11"},
    };
    for (const Case& c : cases) {
        typeAndActivate(*c.field, c.typed);
        EXPECT_EQ(entryText(entryST), c.tn) << c.typed;
        EXPECT_EQ(entryText(entryCO), c.code) << c.typed;
        EXPECT_FALSE(myVirtualPaper.empty());
    }
}

TEST_F(Window, PreviewHasTheSizeTheResolutionGives)
{
    typeAndActivate(entryST, "7 11 2");
    size_t w = 0, h = 0;
    libraryImageSize(myVirtualPaper, 155.0, &w, &h);
    EXPECT_EQ(static_cast<size_t>(gdk_pixbuf_get_width(pixbuf)), w);
    EXPECT_EQ(static_cast<size_t>(gdk_pixbuf_get_height(pixbuf)), h);
    // 481 x 680 points at 155 dots per inch.
    EXPECT_NEAR(static_cast<double>(w), 481 * 155 / 72.0, 1.5);

    // A white sheet: the corner pixel is opaque white.
    const guchar* corner = gdk_pixbuf_get_pixels(pixbuf);
    EXPECT_EQ(corner[0], 255);
    EXPECT_EQ(corner[3], 255);

    const std::string page = myVirtualPaper;
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(spinner1), 2.0);
    EXPECT_EQ(myVirtualPaper, page);  // re-rasterised, not recomposed
    EXPECT_NEAR(gdk_pixbuf_get_width(pixbuf), 2.0 * w, 1.0);
    EXPECT_NEAR(gdk_pixbuf_get_height(pixbuf), 2.0 * h, 1.0);
}

TEST_F(Window, SpinnerWrapsAroundItsBounds)
{
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(spinner1), 4.0);
    gtk_spin_button_spin(GTK_SPIN_BUTTON(spinner1), GTK_SPIN_STEP_FORWARD, 0.1);
    EXPECT_DOUBLE_EQ(gtk_spin_button_get_value(GTK_SPIN_BUTTON(spinner1)), 0.25);
    EXPECT_FLOAT_EQ(PSsize, 0.25f);
    gtk_spin_button_spin(GTK_SPIN_BUTTON(spinner1), GTK_SPIN_STEP_BACKWARD, 0.1);
    EXPECT_DOUBLE_EQ(gtk_spin_button_get_value(GTK_SPIN_BUTTON(spinner1)), 4.0);
}

TEST_F(Window, ATextWithoutPitchClassesKeepsThePageAndTheFields)
{
    typeAndActivate(entryST, "0 4 7");
    const std::string page = myVirtualPaper;
    GdkPixbuf* shown = pixbuf;
    for (const char* empty : {"", "     ", "XI", "..."}) {
        typeAndActivate(entryCO, empty);
        EXPECT_EQ(myVirtualPaper, page) << '"' << empty << '"';
        EXPECT_EQ(pixbuf, shown);
        EXPECT_EQ(entryText(entryST), "0 4 7");
        EXPECT_EQ(entryText(entryCO), empty);
    }
}

TEST_F(Window, AnyTypedTextIsHandledWithoutHarm)
{
    std::string noise;
    for (int i = 0; i < 200; ++i)
        noise += static_cast<char>(32 + (i * 37) % 95);
    for (const std::string& text : {noise, std::string(200, '9'), std::string(200, '.'), std::string("99999999999 -5"),
                                    std::string("12.3."), std::string(199, 'X')}) {
        typeAndActivate(entryST, text.c_str());
        typeAndActivate(entryCO, text.c_str());
    }
    SUCCEED();
}

TEST_F(Window, OldPreviewsAreReleased)
{
    typeAndActivate(entryST, "0 3 7");
    GdkPixbuf* old = pixbuf;
    bool released = false;
    g_object_weak_ref(G_OBJECT(old), [](gpointer flag, GObject*) { *static_cast<bool*>(flag) = true; }, &released);
    typeAndActivate(entryST, "0 4 7");
    EXPECT_TRUE(released);
}

// Heap in use after many requests and size changes stays where it was after
// the first few: nothing of an old page or image is kept.
TEST_F(Window, MemoryStaysFlatOverManyRequests)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator keeps freed memory in quarantine";
#endif
    const char* sets[] = {"0 4 7", "0 1 3 7 8", "0 2 4 6 8 10", "13.12.14", "0 1 2 3 4 5 6 7 8"};
    auto requests = [&](int n) {
        for (int i = 0; i < n; ++i) {
            typeAndActivate(entryST, sets[i % 5]);
            gtk_spin_button_set_value(GTK_SPIN_BUTTON(spinner1), i % 2 ? 0.5 : 0.25);
        }
    };
    requests(5);
    malloc_trim(0);
    const size_t before = mallinfo2().uordblks;
    requests(30);
    malloc_trim(0);
    const size_t after = mallinfo2().uordblks;
    EXPECT_LT(after, before + 2 * 1024 * 1024) << "heap grew from " << before << " to " << after;
}

TEST_F(Window, SavingWritesThePageAndOneNewline)
{
    typeAndActivate(entryST, "0 4 7");
    char folder[] = "/tmp/harmodex-save-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    // A path far beyond 200 bytes is used whole.
    std::string deep = folder;
    std::vector<std::string> made;
    for (int i = 0; i < 6; ++i) {
        deep += "/" + std::string(60, static_cast<char>('a' + i));
        ASSERT_EQ(mkdir(deep.c_str(), 0700), 0);
        made.push_back(deep);
    }
    chosenPath = deep + "/page.eps";
    reportedFailure.clear();
    SaveEPSfile(nullptr, nullptr);
    EXPECT_EQ(readFile(chosenPath), myVirtualPaper + "\n");
    EXPECT_TRUE(reportedFailure.empty()) << reportedFailure;
    std::remove(chosenPath.c_str());

    // A file that cannot be written is reported with its path; nothing is left.
    chosenPath = std::string(folder) + "/missing-folder/page.eps";
    SaveEPSfile(nullptr, nullptr);
    EXPECT_NE(reportedFailure.find(chosenPath), std::string::npos);
    EXPECT_NE(access(chosenPath.c_str(), F_OK), 0);

    // Cancelling writes nothing.
    const std::string cancelledTarget = std::string(folder) + "/xxx00001.eps";
    chosenPath.clear();
    SaveEPSfile(nullptr, nullptr);
    EXPECT_NE(access(cancelledTarget.c_str(), F_OK), 0);

    for (auto it = made.rbegin(); it != made.rend(); ++it)
        rmdir(it->c_str());
    rmdir(folder);
}

TEST(Preview, EmptyOrBrokenTextsSayWhyNothingIsShown)
{
    EXPECT_EQ(getPixbufFromEPSpage("", 155.0), nullptr);
    EXPECT_FALSE(PreviewLastError().empty());
}

} // namespace

namespace {

std::string label(GtkWidget* w)
{
    const char* text = GTK_IS_BUTTON(w) ? gtk_button_get_label(GTK_BUTTON(w)) : gtk_label_get_text(GTK_LABEL(w));
    std::string t = text ? text : "";
    t.erase(0, t.find_first_not_of(' '));
    t.erase(t.find_last_not_of(' ') + 1);
    return t;
}

// Runs the main loop until done() or the given time has passed.
template <typename Done> bool pumpUntil(Done done, double seconds = 10)
{
    const gint64 deadline = g_get_monotonic_time() + static_cast<gint64>(seconds * G_USEC_PER_SEC);
    while (!done() && g_get_monotonic_time() < deadline)
        if (!g_main_context_iteration(nullptr, FALSE))
            g_usleep(1000);
    return done();
}

} // namespace

// Without an audio output the press returns at once, the line beside the
// button says so, and the window goes on; with one, a second press or a new
// page stops the sound.
TEST_F(Window, PlayStopsOnSecondPressOrNewPageAndSaysWhenThereIsNoOutput)
{
    UseAudioOutputs({{"alsa", {{"audio.alsa.device", "hw:99"}}}});
    typeAndActivate(entryST, "0 1 6");
    gtk_button_clicked(GTK_BUTTON(PlayButton()));
    EXPECT_EQ(label(PlayButton()), "Stop");
    ASSERT_TRUE(pumpUntil([] { return !label(SoundStatus()).empty(); }));
    EXPECT_EQ(label(SoundStatus()), "No sound: no audio output is available.");
    EXPECT_EQ(label(PlayButton()), "Play");
    typeAndActivate(entryST, "0 4 7");
    EXPECT_EQ(entryText(entryCO), "13.12.14");

    UseAudioOutputs({{"file", {{"audio.file.name", "/dev/null"}, {"audio.file.type", "raw"}}}});
    gtk_button_clicked(GTK_BUTTON(PlayButton()));
    EXPECT_EQ(label(SoundStatus()), "");
    EXPECT_EQ(label(PlayButton()), "Stop");
    gtk_button_clicked(GTK_BUTTON(PlayButton()));
    EXPECT_EQ(label(PlayButton()), "Play");
    gtk_button_clicked(GTK_BUTTON(PlayButton()));
    typeAndActivate(entryST, "0 1 6");
    EXPECT_EQ(label(PlayButton()), "Play");
    // Reports of the plays cut short arrive later and change nothing.
    pumpUntil([] { return false; }, 0.5);
    EXPECT_EQ(label(PlayButton()), "Play");
    EXPECT_EQ(label(SoundStatus()), "");
}

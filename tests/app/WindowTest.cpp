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

GtkWidget* findButton(GtkWidget* widget, const std::string& labelStart)
{
    if (GTK_IS_BUTTON(widget) && gtk_button_get_label(GTK_BUTTON(widget)) &&
        std::string(gtk_button_get_label(GTK_BUTTON(widget))).find(labelStart) != std::string::npos)
        return widget;
    if (!GTK_IS_CONTAINER(widget))
        return nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    GtkWidget* found = nullptr;
    for (GList* c = children; c && !found; c = c->next)
        found = findButton(GTK_WIDGET(c->data), labelStart);
    g_list_free(children);
    return found;
}

bool saveSensitiveAtStart = true;

class Window : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        CreateInitialPixbuf();
        int argc = 0;
        ASSERT_TRUE(gtk_init_check(&argc, nullptr)) << "no display: run under Xvfb";
        PreviewLibraryStart();
        BuildMainWindow();
        GtkWidget* save = findButton(window, "Save");
        ASSERT_NE(save, nullptr);
        saveSensitiveAtStart = gtk_widget_get_sensitive(save);
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

// The real save dialog, answered from inside its own loop: a filter is
// chosen and a name typed, then Save is pressed.
struct DialogAnswer {
    const char* filter;  // the filter's name starts so
    const char* typed;   // nullptr: keep the name the dialog proposes
};
gboolean answerSaveDialog(void* data)
{
    const DialogAnswer* answer = static_cast<const DialogAnswer*>(data);
    GList* windows = gtk_window_list_toplevels();
    GtkWidget* dialog = nullptr;
    for (GList* w = windows; w; w = w->next)
        if (GTK_IS_FILE_CHOOSER_DIALOG(w->data) && gtk_widget_get_mapped(GTK_WIDGET(w->data)))
            dialog = GTK_WIDGET(w->data);
    g_list_free(windows);
    if (!dialog)
        return G_SOURCE_CONTINUE;
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    GSList* filters = gtk_file_chooser_list_filters(chooser);
    for (GSList* f = filters; f; f = f->next)
        if (std::string(gtk_file_filter_get_name(GTK_FILE_FILTER(f->data))).rfind(answer->filter, 0) == 0)
            gtk_file_chooser_set_filter(chooser, GTK_FILE_FILTER(f->data));
    g_slist_free(filters);
    if (answer->typed)
        gtk_file_chooser_set_current_name(chooser, answer->typed);
    // The chooser may hold the answer back while it still reads the folder;
    // the answer is then given again on the next tick.
    gtk_dialog_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    return G_SOURCE_CONTINUE;
}

TEST_F(Window, SaveDialogWritesTheTypeOfTheFilterOrOfTheTypedExtension)
{
    EXPECT_FALSE(saveSensitiveAtStart) << "Save must wait for a page";
    typeAndActivate(entryST, "0 4 7");
    EXPECT_TRUE(gtk_widget_get_sensitive(findButton(window, "Save")));

    char folder[] = "/tmp/harmodex-dialog-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    gchar* before = g_get_current_dir();
    ASSERT_EQ(chdir(folder), 0);  // the dialog opens in the current folder
    struct Case { DialogAnswer answer; const char* file; const char* starts; };
    const Case cases[] = {
        {{"EPS", nullptr}, "xxx00001.eps", "%!PS-Adobe-3.0 EPSF-3.0"},
        {{"PDF", nullptr}, "xxx00001.pdf", "%PDF-"},  // the proposed name follows the filter
        {{"PNG", nullptr}, "xxx00001.png", "\x89PNG"},
        {{"SVG", nullptr}, "xxx00001.svg", "<?xml"},
        {{"EPS", "typed.pdf"}, "typed.pdf", "%PDF-"},  // a typed extension wins over the filter
        {{"PDF", "typed.SVG"}, "typed.SVG", "<?xml"},
        {{"PNG", "no-extension"}, "no-extension", "\x89PNG"},
    };
    ChooseSaveFileName = CreateFileSelectionGUI;
    reportedFailure.clear();
    for (const Case& c : cases) {
        const guint answering = g_timeout_add(100, answerSaveDialog, const_cast<DialogAnswer*>(&c.answer));
        SaveEPSfile(nullptr, nullptr);
        g_source_remove(answering);
        EXPECT_EQ(readFile(c.file).rfind(c.starts, 0), 0u) << c.file;
        std::remove(c.file);
    }
    ChooseSaveFileName = chooseTestPath;
    EXPECT_TRUE(reportedFailure.empty()) << reportedFailure;
    EXPECT_EQ(chdir(before), 0);
    g_free(before);
    EXPECT_EQ(rmdir(folder), 0) << "something else was written";
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

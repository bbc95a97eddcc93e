// The window's callbacks driven in-process, in a real GTK window (run under
// Xvfb by CTest).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <poppler.h>

#include "app/Actions.h"
#include "app/Clipboard.h"
#include "app/PageMenu.h"
#include "app/Print.h"
#include "app/AppWindow.h"
#include "app/Accessibility.h"
#include "app/Export.h"
#include "app/IndexPanel.h"
#include "app/HelpWindow.h"
#include "app/Navigation.h"
#include "tests/app/MainLoopTurns.h"
#include "app/PageHover.h"
#include "app/PageRequest.h"
#include "app/ReadingBar.h"
#include "app/ScorePanel.h"
#include "app/Sound.h"
#include "raster/Preview.h"
#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"
#include "formats/PageFormats.h"

namespace {

// The window under test, made once for the whole suite.
AppWindow* w = nullptr;

std::string chosenPath;
std::string reportedFailure;
void recordFailure(const std::string& message) { reportedFailure = message; }
bool chooseTestPath()
{
    if (chosenPath.empty())
        return false;  // as if "_Cancel" were pressed
    w->save.chosenPath = chosenPath;
    return true;
}

void waitForPreview() { ASSERT_TRUE(PreviewArrived(*w)) << "the preview did not arrive"; }

void typeAndActivate(GtkWidget* field, const char* text)
{
    gtk_entry_set_text(GTK_ENTRY(field), text);
    g_signal_emit_by_name(field, "activate");
    waitForPreview();
}

cairo_surface_t* shownImage() { return w->preview.shownImage; }
int shownWidth() { return shownImage() ? cairo_image_surface_get_width(shownImage()) : 0; }
int shownHeight() { return shownImage() ? cairo_image_surface_get_height(shownImage()) : 0; }

std::string entryText(GtkWidget* field) { return gtk_entry_get_text(GTK_ENTRY(field)); }

std::string label(GtkWidget* widget);

std::string title() { return gtk_window_get_title(GTK_WINDOW(w->window)); }
// The title a page's window must carry: its number, Forte name and Tn-type.
std::string titleOf(int page)
{
    return "Tn-type Harmodex \xE2\x80\x94 page " + std::to_string(page) + " \xC2\xB7 " +
           w->universe.forteNames[page - 1] + " (" + w->universe.tnTypes[page - 1] + ")";
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// Size of the page as the image library itself renders it.
void libraryImageSize(const std::string& eps, double resolution, size_t* width, size_t* height)
{
    GdkPixbuf* p = getPixbufFromEPSpage(eps, resolution);
    *width = gdk_pixbuf_get_width(p);
    *height = gdk_pixbuf_get_height(p);
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
GtkWidget* focusAtStart = nullptr;
std::string hintAtStart;

class Window : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        int argc = 0;
        ASSERT_TRUE(gtk_init_check(&argc, nullptr)) << "no display: run under Xvfb";
        PreviewLibraryStart();
        GtkApplication* application = gtk_application_new("org.harmodex.Harmodex.Tests", G_APPLICATION_NON_UNIQUE);
        ASSERT_TRUE(g_application_register(G_APPLICATION(application), nullptr, nullptr));
        w = NewAppWindow(application);
        GtkWidget* save = findButton(w->window, "Save");
        ASSERT_NE(save, nullptr);
        saveSensitiveAtStart = gtk_widget_get_sensitive(save);
        focusAtStart = gtk_window_get_focus(GTK_WINDOW(w->window));
        hintAtStart = gtk_widget_get_visible(w->previewMessage) ? gtk_label_get_text(GTK_LABEL(w->previewMessage)) : "";
        w->save.chooseFileName = chooseTestPath;
        w->save.reportFailure = recordFailure;
    }
    // The window ends its worker and its player before the process ends
    // (a render still under way at exit would outlive the image library).
    static void TearDownTestSuite()
    {
        gtk_widget_destroy(w->window);
        delete w;
        w = nullptr;
    }
    void SetUp() override
    {
        gtk_spin_button_set_value(GTK_SPIN_BUTTON(w->sizeSpinner), 1.0);
        waitForPreview();
    }
};

TEST_F(Window, StartsWithFocusInTheTnTypeFieldAndAHint)
{
    EXPECT_EQ(focusAtStart, w->tnTypeField);
    EXPECT_EQ(hintAtStart, kEmptyPreviewHint);
    EXPECT_STREQ(gtk_window_get_title(GTK_WINDOW(w->window)), "Tn-type Harmodex");
}

TEST_F(Window, ListTypedInEitherFieldWritesTheTnTypeAndCodeBack)
{
    struct Case {
        GtkWidget* AppWindow::*field;
        const char* typed;
        const char* tn;
        const char* code;
    };
    const Case cases[] = {
        {&AppWindow::tnTypeField, "7 11 2", "0 4 7", "13.12.14"},
        {&AppWindow::costereField, "0 4 7", "0 4 7", "13.12.14"},    // a list typed into the code field
        {&AppWindow::tnTypeField, "12.13.14", "0 3 7", "12.13.14"},  // a code typed into the list field
        {&AppWindow::costereField, "2X", "0 1", "2X"},
        {&AppWindow::tnTypeField, "39", "0", "1XI"},   // no '.' and no X: the list {39}
        {&AppWindow::tnTypeField, "047", "0", "1XI"},  // the number 47, though also compact digits
        // Other notations show the page the set reader reads.
        {&AppWindow::tnTypeField, "0,4,7", "0 4 7", "13.12.14"},
        {&AppWindow::tnTypeField, "[0,4,7]", "0 4 7", "13.12.14"},
        {&AppWindow::tnTypeField, "C E G", "0 4 7", "13.12.14"},
        {&AppWindow::tnTypeField, "Bb D F", "0 4 7", "13.12.14"},
        {&AppWindow::tnTypeField, "c# e g#", "0 3 7", "12.13.14"},
        {&AppWindow::costereField, "3-11", "0 3 7", "12.13.14"},
        {&AppWindow::tnTypeField, "4-Z15", "0 1 4 6", "22.11.15"},
        {&AppWindow::tnTypeField, "p24", "0 4 7", "13.12.14"},
        {&AppWindow::tnTypeField, "0 2 4 6 8 10", "0 2 4 6 8 d", "11.11.11.11.11.11"},
    };
    for (const Case& c : cases) {
        typeAndActivate(w->*c.field, c.typed);
        EXPECT_EQ(entryText(w->tnTypeField), c.tn) << c.typed;
        EXPECT_EQ(entryText(w->costereField), c.code) << c.typed;
        EXPECT_FALSE(w->shownPage.empty());
    }
}

TEST_F(Window, PreviewHasTheSizeTheResolutionGives)
{
    typeAndActivate(w->tnTypeField, "7 11 2");
    size_t width = 0, height = 0;
    libraryImageSize(w->shownPage, 155.0, &width, &height);
    EXPECT_EQ(static_cast<size_t>(shownWidth()), width);
    EXPECT_EQ(static_cast<size_t>(shownHeight()), height);
    // 481 x 680 points at 155 dots per inch.
    EXPECT_NEAR(static_cast<double>(width), 481 * 155 / 72.0, 1.5);

    // A white sheet: the corner pixel is white.
    cairo_surface_flush(shownImage());
    const unsigned char* corner = cairo_image_surface_get_data(shownImage());
    EXPECT_EQ(corner[0], 255);
    EXPECT_EQ(corner[1], 255);
    EXPECT_EQ(corner[2], 255);

    const std::string page = w->shownPage;
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(w->sizeSpinner), 2.0);
    waitForPreview();
    EXPECT_EQ(w->shownPage, page);  // re-rasterised, not recomposed
    EXPECT_NEAR(shownWidth(), 2.0 * width, 1.0);
    EXPECT_NEAR(shownHeight(), 2.0 * height, 1.0);
}

// Size changes queued while a render runs give one more render, at the last
// size; the images of the sizes passed over are never shown.
TEST_F(Window, QueuedSizeChangesEndAtTheLastSize)
{
    SetPreparingNeighbours(*w, false);  // count only the renders asked for
    typeAndActivate(w->tnTypeField, "0 4 7");
    const int startedBefore = PreviewRendersStarted(*w);
    for (double size : {1.5, 1.6, 1.7, 1.8})
        gtk_spin_button_set_value(GTK_SPIN_BUTTON(w->sizeSpinner), size);
    waitForPreview();
    EXPECT_LE(PreviewRendersStarted(*w) - startedBefore, 2);
    size_t width = 0, height = 0;
    libraryImageSize(w->shownPage, 1.8f * 155.0, &width, &height);
    EXPECT_EQ(static_cast<size_t>(shownWidth()), width);
    // Going back to a size just seen is instant: no render, nothing pending.
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(w->sizeSpinner), 1.0);
    EXPECT_FALSE(w->preview.pending);
    SetPreparingNeighbours(*w, true);
}

TEST_F(Window, FlippingRewritesBothFieldsAndTheTitle)
{
    typeAndActivate(w->tnTypeField, "0 4 7");
    ASSERT_EQ(w->preview.requestedPage, 24);
    // The next page is prepared in the background and then shown at once.
    const gint64 deadline = g_get_monotonic_time() + 120 * G_USEC_PER_SEC;
    while (!PreviewReady(*w, 25) && g_get_monotonic_time() < deadline)
        iterate();
    ASSERT_TRUE(ActivateAccelerator(*w, "Page_Down"));
    EXPECT_FALSE(w->preview.pending);
    EXPECT_EQ(title(), titleOf(25));
    ASSERT_TRUE(ActivateAccelerator(*w, "Page_Up"));
    struct Case {
        const char* key;
        int page;
    };
    const Case cases[] = {
        {"Page_Down", 25},    {"Page_Up", 24}, {"<Primary>End", 351}, {"Page_Down", 351},
        {"<Primary>Home", 1}, {"Page_Up", 1},  {"Page_Down", 2},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(ActivateAccelerator(*w, c.key)) << c.key;
        waitForPreview();
        EXPECT_EQ(w->preview.requestedPage, c.page) << c.key;
        const std::vector<int> tn = StringToVector(w->universe.tnTypes[c.page - 1]);
        EXPECT_EQ(entryText(w->tnTypeField), VectorToStringPC(tn)) << c.key;
        EXPECT_EQ(entryText(w->costereField), calculateAdjCostereNumber(tn)) << c.key;
        EXPECT_EQ(title(), titleOf(c.page)) << c.key;
        EXPECT_NE(w->shownPage.find("(- " + std::to_string(c.page) + " -)"), std::string::npos) << c.key;
    }
    ASSERT_TRUE(ActivateAccelerator(*w, "<Primary>Home"));
    typeAndActivate(w->tnTypeField, "7 11 2");
    EXPECT_EQ(title(), "Tn-type Harmodex \xE2\x80\x94 page 24 \xC2\xB7 3-11b (0 4 7)");
}

TEST_F(Window, SizeShortcutsStepWithoutWrapping)
{
    typeAndActivate(w->tnTypeField, "0 4 7");
    struct Case {
        double from;
        const char* key;
        double to;
    };
    const Case cases[] = {
        {1.0, "<Primary>plus", 1.1}, {1.0, "<Primary>minus", 0.9},   {3.3, "<Primary>0", 1.0},
        {4.0, "<Primary>plus", 4.0}, {0.25, "<Primary>minus", 0.25}, {0.25, "<Primary>plus", 0.35},
    };
    for (const Case& c : cases) {
        gtk_spin_button_set_value(GTK_SPIN_BUTTON(w->sizeSpinner), c.from);
        ASSERT_TRUE(ActivateAccelerator(*w, c.key));
        EXPECT_NEAR(gtk_spin_button_get_value(GTK_SPIN_BUTTON(w->sizeSpinner)), c.to, 1e-9) << c.from << " " << c.key;
    }
    // Leave no render of size 4.0 behind for the next test.
    gtk_spin_button_set_value(GTK_SPIN_BUTTON(w->sizeSpinner), 1.0);
    waitForPreview();
}

TEST_F(Window, ShortcutsWindowListsEveryGroup)
{
    ASSERT_TRUE(ActivateAccelerator(*w, "<Primary>question"));
    GtkWidget* help = w->shortcutsWindow;
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(gtk_widget_get_visible(help));
    gtk_widget_hide(help);
}

// The guide opens on F1; its search keeps the sections that mention a word,
// and a section asked for by id is shown even when the search hid it.
TEST_F(Window, F1OpensTheGuideWhoseSearchFindsTheMeasures)
{
    ASSERT_TRUE(ActivateAccelerator(*w, "F1"));
    GtkWindow* guide = ShownHelpWindow();
    ASSERT_NE(guide, nullptr);
    EXPECT_TRUE(gtk_widget_get_visible(GTK_WIDGET(guide)));
    EXPECT_EQ(ListedHelpSections(), HelpSectionIds());

    GtkWidget* search = nullptr;
    std::vector<GtkWidget*> pending{GTK_WIDGET(guide)};
    while (!pending.empty() && !search) {
        GtkWidget* widget = pending.back();
        pending.pop_back();
        if (std::string(gtk_widget_get_name(widget)) == "help-search")
            search = widget;
        else if (GTK_IS_CONTAINER(widget)) {
            GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
            for (GList* c = children; c; c = c->next)
                pending.push_back(GTK_WIDGET(c->data));
            g_list_free(children);
        }
    }
    ASSERT_NE(search, nullptr);
    gtk_entry_set_text(GTK_ENTRY(search), "phonicity");
    const gint64 deadline = g_get_monotonic_time() + 5 * G_USEC_PER_SEC;
    while (ListedHelpSections().size() == HelpSectionIds().size() && g_get_monotonic_time() < deadline)
        iterate();
    const std::vector<std::string> listed = ListedHelpSections();
    EXPECT_NE(std::find(listed.begin(), listed.end(), "measures"), listed.end());
    EXPECT_EQ(std::find(listed.begin(), listed.end(), "typing"), listed.end());

    ShowHelp(GTK_WINDOW(w->window), "typing");
    const std::vector<std::string> again = ListedHelpSections();
    EXPECT_NE(std::find(again.begin(), again.end(), "typing"), again.end());
    gtk_widget_destroy(GTK_WIDGET(guide));
    EXPECT_EQ(ShownHelpWindow(), nullptr);
}

// The page's text reaches the clipboard, and a screen reader through the
// page's accessible description.
TEST_F(Window, CopySetAsTextPutsThePageOnTheClipboard)
{
    typeAndActivate(w->tnTypeField, "7 11 2");
    waitForPreview();
    const std::string text = ShownPageText(*w);
    EXPECT_NE(text.find("Forte name: 3-11b\n"), std::string::npos) << text;
    EXPECT_EQ(atk_object_get_description(gtk_widget_get_accessible(w->pageSurface)), text);
    g_action_group_activate_action(G_ACTION_GROUP(w->window), "copy-text", nullptr);
    gchar* copied = gtk_clipboard_wait_for_text(gtk_widget_get_clipboard(w->window, GDK_SELECTION_CLIPBOARD));
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(std::string(copied), text);
    g_free(copied);
}

TEST_F(Window, ATextNothingReadsKeepsThePageAndTheFieldsAndSaysWhatIsAccepted)
{
    typeAndActivate(w->tnTypeField, "0 4 7");
    const std::string page = w->shownPage;
    cairo_surface_t* shown = shownImage();
    struct Case {
        GtkWidget* AppWindow::*field;
        const char* typed;
    };
    const Case cases[] = {
        {&AppWindow::costereField, ""},    {&AppWindow::costereField, "     "}, {&AppWindow::costereField, "XI"},
        {&AppWindow::costereField, "..."}, {&AppWindow::tnTypeField, "hello"},  {&AppWindow::tnTypeField, "3-13"},
        {&AppWindow::tnTypeField, "x"},
    };
    for (const Case& c : cases) {
        typeAndActivate(w->*c.field, c.typed);
        EXPECT_EQ(w->shownPage, page) << '"' << c.typed << '"';
        EXPECT_EQ(shownImage(), shown);
        EXPECT_EQ(w->preview.requestedPage, 24);
        EXPECT_EQ(entryText(w->*c.field), c.typed);
        EXPECT_EQ(entryText(c.field == &AppWindow::costereField ? w->tnTypeField : w->costereField),
                  c.field == &AppWindow::costereField ? "0 4 7" : "13.12.14");
        EXPECT_TRUE(gtk_widget_get_visible(w->fieldMessage)) << c.typed;
        EXPECT_FALSE(gtk_widget_get_visible(w->readingBar)) << c.typed;
        // Restore the other field for the next case.
        gtk_entry_set_text(GTK_ENTRY(w->tnTypeField), "0 4 7");
        gtk_entry_set_text(GTK_ENTRY(w->costereField), "13.12.14");
    }
    EXPECT_NE(label(w->fieldMessage).find("names no set, such as 0 4 7"), std::string::npos) << label(w->fieldMessage);
    // The next page asked for takes the message away.
    typeAndActivate(w->tnTypeField, "0 1 6");
    EXPECT_FALSE(gtk_widget_get_visible(w->fieldMessage));
}

TEST_F(Window, AnyTypedTextIsHandledWithoutHarm)
{
    std::string noise;
    for (int i = 0; i < 200; ++i)
        noise += static_cast<char>(32 + (i * 37) % 95);
    for (const std::string& text : {noise, std::string(200, '9'), std::string(200, '.'), std::string("99999999999 -5"),
                                    std::string("12.3."), std::string(199, 'X')}) {
        typeAndActivate(w->tnTypeField, text.c_str());
        typeAndActivate(w->costereField, text.c_str());
    }
    // The window still answers: a plain set shows its page.
    typeAndActivate(w->tnTypeField, "0 4 7");
    EXPECT_EQ(w->preview.requestedPage, 24);
    EXPECT_EQ(entryText(w->costereField), "13.12.14");
}

TEST_F(Window, SavingWritesThePageAndOneNewline)
{
    typeAndActivate(w->tnTypeField, "0 4 7");
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
    SaveShownPage(*w);
    EXPECT_EQ(readFile(chosenPath), w->shownPage + "\n");
    EXPECT_TRUE(reportedFailure.empty()) << reportedFailure;
    std::remove(chosenPath.c_str());

    // A file that cannot be written is reported with its path; nothing is left.
    chosenPath = std::string(folder) + "/missing-folder/page.eps";
    SaveShownPage(*w);
    EXPECT_NE(reportedFailure.find(chosenPath), std::string::npos);
    EXPECT_NE(access(chosenPath.c_str(), F_OK), 0);

    // Cancelling writes nothing.
    const std::string cancelledTarget = std::string(folder) + "/xxx00001.eps";
    chosenPath.clear();
    SaveShownPage(*w);
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
    for (GList* t = windows; t; t = t->next)
        if (GTK_IS_FILE_CHOOSER_DIALOG(t->data) && gtk_widget_get_mapped(GTK_WIDGET(t->data)))
            dialog = GTK_WIDGET(t->data);
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
    typeAndActivate(w->tnTypeField, "0 4 7");
    EXPECT_TRUE(gtk_widget_get_sensitive(findButton(w->window, "Save")));

    char folder[] = "/tmp/harmodex-dialog-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    gchar* before = g_get_current_dir();
    ASSERT_EQ(chdir(folder), 0);  // the dialog opens in the current folder
    struct Case {
        DialogAnswer answer;
        const char* file;
        const char* starts;
    };
    const Case cases[] = {
        {{"EPS", nullptr}, "xxx00001.eps", "%!PS-Adobe-3.0 EPSF-3.0"},
        {{"PDF", nullptr}, "xxx00001.pdf", "%PDF-"},  // the proposed name follows the filter
        {{"PNG", nullptr}, "xxx00001.png", "\x89PNG"},
        {{"SVG", nullptr}, "xxx00001.svg", "<?xml"},
        {{"EPS", "typed.pdf"}, "typed.pdf", "%PDF-"},  // a typed extension wins over the filter
        {{"PDF", "typed.SVG"}, "typed.SVG", "<?xml"},
        {{"PNG", "no-extension"}, "no-extension.png", "\x89PNG"},  // a name without one takes the filter's
        {{"SVG", "dotted."}, "dotted.svg", "<?xml"},
        {{"PDF", "other.type"}, "other.type.pdf", "%PDF-"},
        {{"MusicXML", "roster.xml"}, "roster.xml", "<?xml"},
        {{"MusicXML", "roster"}, "roster.musicxml", "<?xml"},
    };
    w->save.chooseFileName = nullptr;  // the real dialog
    reportedFailure.clear();
    for (const Case& c : cases) {
        const guint answering = g_timeout_add(100, answerSaveDialog, const_cast<DialogAnswer*>(&c.answer));
        SaveShownPage(*w);
        g_source_remove(answering);
        EXPECT_EQ(readFile(c.file).rfind(c.starts, 0), 0u) << c.file;
        std::remove(c.file);
    }
    w->save.chooseFileName = chooseTestPath;
    EXPECT_TRUE(reportedFailure.empty()) << reportedFailure;
    EXPECT_EQ(chdir(before), 0);
    g_free(before);
    EXPECT_EQ(rmdir(folder), 0) << "something else was written";
}

}  // namespace

namespace {

std::string label(GtkWidget* widget)
{
    const char* text =
        GTK_IS_BUTTON(widget) ? gtk_button_get_label(GTK_BUTTON(widget)) : gtk_label_get_text(GTK_LABEL(widget));
    std::string t = text ? text : "";
    t.erase(0, t.find_first_not_of(' '));
    t.erase(t.find_last_not_of(' ') + 1);
    return t;
}

// Runs the main loop until done() or the given time has passed.
template <typename Done>
bool pumpUntil(Done done, double seconds = 10)
{
    const gint64 deadline = g_get_monotonic_time() + static_cast<gint64>(seconds * G_USEC_PER_SEC);
    while (!done() && g_get_monotonic_time() < deadline)
        if (!g_main_context_iteration(nullptr, FALSE))
            g_usleep(1000);
    return done();
}

}  // namespace

// Without an audio output the press returns at once, the line beside the
// button says so, and the window goes on; with one, a second press or a new
// page stops the sound.
TEST_F(Window, PlayStopsOnSecondPressOrNewPageAndSaysWhenThereIsNoOutput)
{
    UseAudioOutputs(*w, {{"alsa", {{"audio.alsa.device", "hw:99"}}}});
    typeAndActivate(w->tnTypeField, "0 1 6");
    gtk_button_clicked(GTK_BUTTON(w->playButton));
    EXPECT_EQ(label(w->playButton), "Stop");
    ASSERT_TRUE(pumpUntil([] { return !label(w->soundStatus).empty(); }));
    EXPECT_EQ(label(w->soundStatus), "No sound: no audio output is available.");
    EXPECT_EQ(label(w->playButton), "Play");
    typeAndActivate(w->tnTypeField, "0 4 7");
    EXPECT_EQ(entryText(w->costereField), "13.12.14");

    UseAudioOutputs(*w, {{"file", {{"audio.file.name", "/dev/null"}, {"audio.file.type", "raw"}}}});
    gtk_button_clicked(GTK_BUTTON(w->playButton));
    EXPECT_EQ(label(w->soundStatus), "");
    EXPECT_EQ(label(w->playButton), "Stop");
    gtk_button_clicked(GTK_BUTTON(w->playButton));
    EXPECT_EQ(label(w->playButton), "Play");
    gtk_button_clicked(GTK_BUTTON(w->playButton));
    typeAndActivate(w->tnTypeField, "0 1 6");
    EXPECT_EQ(label(w->playButton), "Play");
    // Reports of the plays cut short arrive later and change nothing.
    pumpUntil([] { return false; }, 0.5);
    EXPECT_EQ(label(w->playButton), "Play");
    EXPECT_EQ(label(w->soundStatus), "");
}

TEST_F(Window, ReadingBarOffersTheOtherReadingAndShowsItAsIfTyped)
{
    GtkWidget* inputRow = gtk_widget_get_parent(gtk_widget_get_parent(w->tnTypeField));
    GtkWidget* box = gtk_widget_get_parent(inputRow);
    ASSERT_EQ(gtk_widget_get_parent(w->readingBar), box);
    int barAt = -1, rowAt = -1;
    gtk_container_child_get(GTK_CONTAINER(box), w->readingBar, "position", &barAt, nullptr);
    gtk_container_child_get(GTK_CONTAINER(box), inputRow, "position", &rowAt, nullptr);
    EXPECT_EQ(barAt + 1, rowAt);

    // Where both readings take the text, the literal one decides the page:
    // "047" is the number 47.
    typeAndActivate(w->tnTypeField, "047");
    EXPECT_EQ(entryText(w->tnTypeField), "0");
    ASSERT_TRUE(gtk_widget_get_visible(w->readingBar));
    ASSERT_TRUE(gtk_widget_get_visible(w->readingBarButton));
    EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(w->readingBarButton)), "_Show 0 4 7");
    gtk_button_clicked(GTK_BUTTON(w->readingBarButton));
    while (gtk_events_pending())
        gtk_main_iteration();
    EXPECT_EQ(entryText(w->tnTypeField), "0 4 7");
    EXPECT_EQ(entryText(w->costereField), "13.12.14");
    EXPECT_FALSE(gtk_widget_get_visible(w->readingBar));

    // Alt+S from the keyboard.
    typeAndActivate(w->tnTypeField, "047");
    ASSERT_TRUE(gtk_widget_get_visible(w->readingBar));
    EXPECT_TRUE(gtk_window_mnemonic_activate(GTK_WINDOW(w->window), GDK_KEY_s, GDK_MOD1_MASK));
    // A button activated from the keyboard shows itself pressed for a moment
    // before it clicks.
    const gint64 deadline = g_get_monotonic_time() + 5 * G_USEC_PER_SEC;
    while (entryText(w->tnTypeField) == "0" && g_get_monotonic_time() < deadline)
        g_main_context_iteration(nullptr, FALSE);
    EXPECT_EQ(entryText(w->tnTypeField), "0 4 7");

    // Another notation goes straight to its page; the bar says how it was
    // read, with the transposition typed, and offers the literal reading.
    typeAndActivate(w->tnTypeField, "Bb D F");
    EXPECT_EQ(entryText(w->tnTypeField), "0 4 7");
    EXPECT_EQ(w->preview.requestedPage, 24);
    ASSERT_TRUE(gtk_widget_get_visible(w->readingBar));
    EXPECT_EQ(label(w->readingBarMessage), "\xE2\x80\x9C"
                                           "Bb D F\xE2\x80\x9D read as note names: 10 2 5 = T10 of 0 4 7.");
    typeAndActivate(w->tnTypeField, "C E G");
    EXPECT_EQ(w->preview.requestedPage, 24);
    EXPECT_EQ(label(w->readingBarMessage), "\xE2\x80\x9C"
                                           "C E G\xE2\x80\x9D read as note names: 0 4 7.");
    EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(w->readingBarButton)), "_Show 0");
    typeAndActivate(w->tnTypeField, "0,4,7");
    EXPECT_EQ(w->preview.requestedPage, 24);
    ASSERT_TRUE(gtk_widget_get_visible(w->readingBarButton));
    EXPECT_STREQ(gtk_button_get_label(GTK_BUTTON(w->readingBarButton)), "_Show 0");
    gtk_button_clicked(GTK_BUTTON(w->readingBarButton));
    waitForPreview();
    EXPECT_EQ(w->preview.requestedPage, 1);

    // A bare code in the Costère field: the page stays the literal one until asked.
    typeAndActivate(w->costereField, "39");
    EXPECT_EQ(entryText(w->costereField), "1XI");
    gtk_button_clicked(GTK_BUTTON(w->readingBarButton));
    while (gtk_events_pending())
        gtk_main_iteration();
    EXPECT_EQ(entryText(w->costereField), "39");
    EXPECT_EQ(entryText(w->tnTypeField), "0 1 2");

    // The next request with nothing to say takes the bar away.
    typeAndActivate(w->tnTypeField, "0 4 7");
    EXPECT_FALSE(gtk_widget_get_visible(w->readingBar));
}

// A score opened in the side panel: its sonorities listed with their pages
// and the profile, a row showing its page, Play sounding the row's pitches,
// a text typed afterwards no longer the row's; a broken file said plainly.
TEST_F(Window, ScorePanelShowsTheSonoritiesOfAScore)
{
    ScorePanel& panel = *w->scorePanel;
    auto waitForScore = [&] { return pumpUntil([&] { return !gtk_widget_get_visible(panel.progress); }, 60); };
    OpenScore(*w, HARMODEX_TEST_DATA "/score/chorale.musicxml");
    EXPECT_TRUE(gtk_widget_get_visible(w->sidePanel));
    ASSERT_TRUE(waitForScore());
    ASSERT_GE(panel.segments.size(), 10u);
    EXPECT_EQ(gtk_tree_model_iter_n_children(GTK_TREE_MODEL(panel.store), nullptr),
              static_cast<int>(panel.segments.size()));
    ASSERT_FALSE(panel.profile.empty());
    EXPECT_EQ(panel.profile[0].forteName, "3-11b");
    EXPECT_GT(gtk_widget_get_allocated_height(panel.profileChart), 0);

    // The fifth sonority, C3 E4 A4 B4 at 2.1, is 4-14 on page 47.
    GtkTreePath* fifth = gtk_tree_path_new_from_indices(4, -1);
    gtk_tree_selection_select_path(gtk_tree_view_get_selection(GTK_TREE_VIEW(panel.list)), fifth);
    gtk_tree_path_free(fifth);
    waitForPreview();
    EXPECT_EQ(w->preview.requestedPage, 47);
    EXPECT_EQ(title(), titleOf(47));
    EXPECT_EQ(SelectedScorePitches(*w), (std::vector<int>{48, 64, 69, 71}));
    typeAndActivate(w->tnTypeField, "0 4 7");
    EXPECT_TRUE(SelectedScorePitches(*w).empty());

    // Another cut of the same score, without reading it again.
    gtk_combo_box_set_active_id(GTK_COMBO_BOX(panel.segmentation), "measure");
    ASSERT_TRUE(waitForScore());
    EXPECT_LT(panel.segments.size(), 10u);

    OpenScore(*w, HARMODEX_TEST_DATA "/score/no-such-score.musicxml");
    ASSERT_TRUE(waitForScore());
    EXPECT_TRUE(panel.segments.empty());
    const std::string said = gtk_label_get_text(GTK_LABEL(panel.message));
    EXPECT_NE(said.find("no-such-score.musicxml"), std::string::npos) << said;
    gtk_combo_box_set_active_id(GTK_COMBO_BOX(panel.segmentation), "onset");
    g_action_group_change_action_state(G_ACTION_GROUP(w->window), "side-panel", g_variant_new_boolean(FALSE));
    EXPECT_FALSE(gtk_widget_get_visible(w->sidePanel));
}

namespace {

// The text of every label inside a widget, run together.
std::string labelText(GtkWidget* widget)
{
    if (GTK_IS_LABEL(widget))
        return gtk_label_get_text(GTK_LABEL(widget));
    std::string text;
    if (GTK_IS_CONTAINER(widget)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
        for (GList* c = children; c; c = c->next)
            text += labelText(GTK_WIDGET(c->data));
        g_list_free(children);
    }
    return text;
}

// Asks the page surface for its tooltip at (x, y), as GTK does when the
// pointer rests there, and reads what the tooltip would show ("" for none).
std::string tooltipAt(double x, double y)
{
    GtkTooltip* tooltip = GTK_TOOLTIP(g_object_new(GTK_TYPE_TOOLTIP, nullptr));
    gboolean shown = FALSE;
    g_signal_emit_by_name(w->pageSurface, "query-tooltip", static_cast<gint>(x), static_cast<gint>(y), FALSE, tooltip,
                          &shown);
    std::string text;
    GList* windows = gtk_window_list_toplevels();
    for (GList* l = windows; l; l = l->next)
        if (std::string(G_OBJECT_TYPE_NAME(l->data)) == "GtkTooltipWindow")
            text += labelText(GTK_WIDGET(l->data));
    g_list_free(windows);
    g_object_unref(tooltip);
    return shown ? text : std::string();
}

}  // namespace

TEST_F(Window, TooltipNamesTheCellUnderThePointer)
{
    typeAndActivate(w->tnTypeField, "0 4 7");
    while (gtk_events_pending())
        gtk_main_iteration();
    ASSERT_TRUE(gtk_widget_get_has_tooltip(w->pageSurface));
    // The image stands centred at the top of the page surface, one point
    // being 155 / 72 logical pixels at size 1.
    const double left = (gtk_widget_get_allocated_width(w->pageSurface) - shownWidth()) / 2;
    const double perPoint = 155.0 / 72.0;
    struct Case {
        double x, y;  // page points, from the lower left corner
        const char* expected;
    };
    const Case cases[] = {
        // Page 24 is an even page: its tables stand on the left.
        {171, 593, "Root salience of 4 (E): 10"},
        {136, 439.5, "Commonality with the major triad on 4 (E): 33%"},
        {3, 3, ""},  // the margin
    };
    for (const Case& c : cases) {
        const std::string text = tooltipAt(std::floor(left) + c.x * perPoint, (680 - c.y) * perPoint);
        if (*c.expected == '\0') {
            EXPECT_EQ(text, "");
            continue;
        }
        EXPECT_NE(text.find(c.expected), std::string::npos) << text;
        EXPECT_NE(text.find("Double-click to read more."), std::string::npos) << text;
    }

    // A double-click on a block is taken (it opens the guide); a single
    // click is left to the page's focus and dragging.
    auto press = [&](GdkEventType type) {
        GdkEvent* event = gdk_event_new(type);
        event->button.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(w->pageSurface)));
        event->button.button = GDK_BUTTON_PRIMARY;
        event->button.x = std::floor(left) + 171 * perPoint;
        event->button.y = (680 - 593) * perPoint;
        gboolean handled = FALSE;
        g_signal_emit_by_name(w->pageSurface, "button-press-event", event, &handled);
        gdk_event_free(event);
        return handled;
    };
    EXPECT_FALSE(press(GDK_BUTTON_PRESS));
    EXPECT_TRUE(press(GDK_2BUTTON_PRESS));
}

// The index in the side panel: every page a row, the search narrowing them,
// a row showing its page, and Back and Forward through what was shown.
TEST_F(Window, IndexSearchesShowsAndGoesBack)
{
    ASSERT_TRUE(ActivateAccelerator(*w, "<Primary>f"));
    EXPECT_TRUE(gtk_widget_get_visible(w->sidePanel));
    EXPECT_STREQ(gtk_stack_get_visible_child_name(GTK_STACK(w->sideStack)), "index");
    IndexPanel& index = *w->indexPanel;
    EXPECT_EQ(gtk_window_get_focus(GTK_WINDOW(w->window)), index.search);
    EXPECT_EQ(IndexRowsShown(*w).size(), 351u);

    typeAndActivate(w->tnTypeField, "0 4 7");
    // The row of the page shown is selected.
    GtkTreeModel* model = nullptr;
    GtkTreeIter selected;
    ASSERT_TRUE(
        gtk_tree_selection_get_selected(gtk_tree_view_get_selection(GTK_TREE_VIEW(index.list)), &model, &selected));
    int selectedPage = 0;
    gtk_tree_model_get(model, &selected, 0, &selectedPage, -1);
    EXPECT_EQ(selectedPage, 24);

    // 4-Z15 keeps the rows of 4-Z15 and of its inversion, 4-Z15b.
    gtk_entry_set_text(GTK_ENTRY(index.search), "4-Z15");
    const std::vector<int> rows = IndexRowsShown(*w);
    ASSERT_EQ(rows, (std::vector<int>{37, 52}));
    EXPECT_EQ(w->universe.forteNames[36], "4-Z15");
    EXPECT_EQ(w->universe.forteNames[51], "4-Z15b");

    // Activating a row shows its page as typing would; Alt+Left returns.
    ActivateIndexRow(*w, 1);
    waitForPreview();
    EXPECT_EQ(w->preview.requestedPage, 52);
    EXPECT_EQ(title(), titleOf(52));
    EXPECT_EQ(entryText(w->tnTypeField), VectorToStringPC(StringToVector(w->universe.tnTypes[51])));
    ASSERT_TRUE(ActivateAccelerator(*w, "<Alt>Left"));
    EXPECT_FALSE(w->preview.pending) << "the page before is cached: shown at once";
    EXPECT_EQ(w->preview.requestedPage, 24);
    EXPECT_EQ(title(), titleOf(24));
    ASSERT_TRUE(ActivateAccelerator(*w, "<Alt>Right"));
    waitForPreview();
    EXPECT_EQ(w->preview.requestedPage, 52);
    EXPECT_FALSE(ActivateAccelerator(*w, "<Alt>Right")) << "nothing ahead: win.forward is disabled";

    // The search takes sets, pages and classification words; the popover
    // asks the catalogue's query.
    struct Case {
        const char* text;
        size_t rows;
    };
    const Case cases[] = {{"C E G", 1}, {"p24", 1}, {"6-Z", 46}, {"Z", 72}, {"hello", 0}, {"", 351}};
    for (const Case& c : cases) {
        gtk_entry_set_text(GTK_ENTRY(index.search), c.text);
        EXPECT_EQ(IndexRowsShown(*w).size(), c.rows) << c.text;
    }
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(index.zOnly), TRUE);
    gtk_combo_box_set_active_id(GTK_COMBO_BOX(index.size), "4");
    EXPECT_EQ(IndexRowsShown(*w).size(), 4u);  // 4-Z15, 4-Z29 and their inversions
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(index.zOnly), FALSE);
    gtk_combo_box_set_active_id(GTK_COMBO_BOX(index.size), "0");
    EXPECT_EQ(IndexRowsShown(*w).size(), 351u);
    g_action_group_change_action_state(G_ACTION_GROUP(w->window), "side-panel", g_variant_new_boolean(FALSE));
}

// The mouse's back and forward buttons (8 and 9) anywhere over the window.
TEST_F(Window, MouseSideButtonsGoBackAndForward)
{
    typeAndActivate(w->tnTypeField, "0 4 7");
    typeAndActivate(w->tnTypeField, "0 1 6");
    const int there = w->preview.requestedPage;
    auto press = [](guint button) {
        GdkWindow* surface = gtk_widget_get_window(w->pageSurface);
        GdkEvent* event = gdk_event_new(GDK_BUTTON_PRESS);
        event->button.window = GDK_WINDOW(g_object_ref(surface));
        event->button.button = button;
        event->button.x = event->button.y = 20;
        event->button.time = GDK_CURRENT_TIME;
        gdk_event_set_device(event,
                             gdk_seat_get_pointer(gdk_display_get_default_seat(gtk_widget_get_display(w->window))));
        gtk_main_do_event(event);
        gdk_event_free(event);
        GdkEvent* release = gdk_event_new(GDK_BUTTON_RELEASE);
        release->button.window = GDK_WINDOW(g_object_ref(surface));
        release->button.button = button;
        release->button.time = GDK_CURRENT_TIME;
        gdk_event_set_device(release,
                             gdk_seat_get_pointer(gdk_display_get_default_seat(gtk_widget_get_display(w->window))));
        gtk_main_do_event(release);
        gdk_event_free(release);
        waitForPreview();
    };
    press(8);
    EXPECT_EQ(w->preview.requestedPage, 24);
    press(9);
    EXPECT_EQ(w->preview.requestedPage, there);
}

namespace {

// The smallest rectangle holding every pixel darker than near-white, of an
// image surface in cairo's ARGB32 or RGB24 layout: x, y, width, height.
std::vector<int> inkBox(cairo_surface_t* image)
{
    cairo_surface_flush(image);
    const int width = cairo_image_surface_get_width(image), height = cairo_image_surface_get_height(image);
    const int stride = cairo_image_surface_get_stride(image);
    const unsigned char* data = cairo_image_surface_get_data(image);
    int left = width, right = -1, top = height, bottom = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint32_t pixel;
            std::memcpy(&pixel, data + y * stride + 4 * x, 4);
            if ((pixel >> 8 & 0xff) < 200) {  // green below 200: ink on white
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    return {left, top, right - left + 1, bottom - top + 1};
}

// The first page of a PDF drawn on white at the given points-to-pixels scale.
cairo_surface_t* drawnPage(PopplerPage* page, double scale)
{
    double width = 0, height = 0;
    poppler_page_get_size(page, &width, &height);
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(width * scale),
                                                        static_cast<int>(height * scale));
    cairo_t* cr = cairo_create(image);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_scale(cr, scale, scale);
    poppler_page_render_for_printing(page, cr);
    cairo_destroy(cr);
    return image;
}

PopplerDocument* readPdf(const std::string& bytes)
{
    GBytes* data = g_bytes_new(bytes.data(), bytes.size());
    PopplerDocument* document = poppler_document_new_from_bytes(data, nullptr, nullptr);
    g_bytes_unref(data);
    return document;
}

}  // namespace

// Print to File: one page, the paper's size, the page as large as the
// printable area allows with its proportions kept.
TEST_F(Window, PrintingToAFileGivesOnePageFittedToThePaper)
{
    typeAndActivate(w->tnTypeField, "0 4 7");
    char folder[] = "/tmp/harmodex-print-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/printed.pdf";
    ExportShownPageAsPrinted(*w, path);
    PopplerDocument* printed = readPdf(readFile(path));
    ASSERT_NE(printed, nullptr) << "no PDF at " << path;
    EXPECT_EQ(poppler_document_get_n_pages(printed), 1);
    gchar* documentTitle = poppler_document_get_title(printed);
    EXPECT_STREQ(documentTitle, "Harmodex page 24: 3-11b (0 4 7)");
    g_free(documentTitle);
    PopplerPage* paper = poppler_document_get_page(printed, 0);
    double paperWidth = 0, paperHeight = 0;
    poppler_page_get_size(paper, &paperWidth, &paperHeight);
    GtkPaperSize* standard = gtk_paper_size_new(nullptr);  // the locale's paper, as the printing used
    EXPECT_NEAR(paperWidth, gtk_paper_size_get_width(standard, GTK_UNIT_POINTS), 1.0);
    EXPECT_NEAR(paperHeight, gtk_paper_size_get_height(standard, GTK_UNIT_POINTS), 1.0);
    gtk_paper_size_free(standard);

    // The page's own PDF, as Save writes it, against what was printed.
    PopplerDocument* own = readPdf(PageInFormat(24, "0 4 7", PageFormat::Pdf, w->shownPage));
    ASSERT_NE(own, nullptr);
    PopplerPage* page = poppler_document_get_page(own, 0);
    double pageWidth = 0, pageHeight = 0;
    poppler_page_get_size(page, &pageWidth, &pageHeight);
    const double scale = 2.0;  // pixels a point
    cairo_surface_t* printedImage = drawnPage(paper, scale);
    cairo_surface_t* ownImage = drawnPage(page, scale);
    const std::vector<int> printedInk = inkBox(printedImage), ownInk = inkBox(ownImage);
    ASSERT_GT(printedInk[2], 0) << "the printed page is blank";
    // Enlarged alike in both directions...
    const double across = double(printedInk[2]) / ownInk[2], down = double(printedInk[3]) / ownInk[3];
    EXPECT_NEAR(across, down, 0.02 * across);
    // ...by as much as the paper's printable area (its margins off) allows.
    GtkPageSetup* setup = gtk_page_setup_new();
    const double fit = std::min(gtk_page_setup_get_page_width(setup, GTK_UNIT_POINTS) / pageWidth,
                                gtk_page_setup_get_page_height(setup, GTK_UNIT_POINTS) / pageHeight);
    g_object_unref(setup);
    EXPECT_NEAR(across, fit, 0.02 * fit);
    // Vectors, not a picture of the page: the text can be read out of it.
    gchar* text = poppler_page_get_text(paper);
    EXPECT_NE(std::string(text ? text : "").find("13.12.14"), std::string::npos) << (text ? text : "");
    g_free(text);
    cairo_surface_destroy(printedImage);
    cairo_surface_destroy(ownImage);
    g_object_unref(page);
    g_object_unref(own);
    g_object_unref(paper);
    g_object_unref(printed);
    std::remove(path.c_str());
    rmdir(folder);
}

namespace {

// A key pressed in the window as the keyboard would deliver it.
void pressKey(guint keyval, GdkModifierType state)
{
    GdkDisplay* display = gtk_widget_get_display(w->window);
    GdkEvent* event = gdk_event_new(GDK_KEY_PRESS);
    event->key.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(w->window)));
    event->key.send_event = TRUE;
    event->key.time = GDK_CURRENT_TIME;
    event->key.state = state;
    event->key.keyval = keyval;
    GdkKeymapKey* keys = nullptr;
    gint count = 0;
    if (gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(display), keyval, &keys, &count) && count > 0)
        event->key.hardware_keycode = static_cast<guint16>(keys[0].keycode);
    g_free(keys);
    gdk_event_set_device(event, gdk_seat_get_keyboard(gdk_display_get_default_seat(display)));
    gtk_main_do_event(event);
    gdk_event_free(event);
}

GtkClipboard* clipboard() { return gtk_widget_get_clipboard(w->window, GDK_SELECTION_CLIPBOARD); }

std::string clipboardText()
{
    gchar* text = gtk_clipboard_wait_for_text(clipboard());
    std::string t = text ? text : "";
    g_free(text);
    return t;
}

}  // namespace

TEST_F(Window, IdentityLineNamesPageForteNameTnTypeAndCode)
{
    struct Case {
        int page;
        const char* line;
    };
    const Case cases[] = {
        {24, "24 \xC2\xB7 3-11b \xC2\xB7 0 4 7 \xC2\xB7 13.12.14"},
        {0, ""},
        {352, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PageIdentityLine(c.page), c.line) << c.page;
    const std::string last = PageIdentityLine(351);
    EXPECT_EQ(last.rfind("351 \xC2\xB7 12-1 \xC2\xB7 0 1 2 3 4 5 6 7 8 9 10 11 \xC2\xB7 ", 0), 0u) << last;
}

// Ctrl+C on the page puts the image and the identity line on the one
// clipboard; in a field it still copies the field's text.
TEST_F(Window, CtrlCCopiesThePageOnlyWhenThePageHasTheFocus)
{
    typeAndActivate(w->tnTypeField, "0 4 7");
    gtk_widget_grab_focus(w->pageSurface);
    gtk_clipboard_set_text(clipboard(), "before", -1);
    pressKey(GDK_KEY_c, GDK_CONTROL_MASK);
    EXPECT_EQ(clipboardText(), "24 \xC2\xB7 3-11b \xC2\xB7 0 4 7 \xC2\xB7 13.12.14");
    ASSERT_TRUE(gtk_clipboard_wait_is_image_available(clipboard()));
    GdkPixbuf* image = gtk_clipboard_wait_for_image(clipboard());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(gdk_pixbuf_get_width(image), shownWidth());
    EXPECT_EQ(gdk_pixbuf_get_height(image), shownHeight());
    g_object_unref(image);

    gtk_widget_grab_focus(w->costereField);
    gtk_editable_select_region(GTK_EDITABLE(w->costereField), 0, -1);
    pressKey(GDK_KEY_c, GDK_CONTROL_MASK);
    EXPECT_EQ(clipboardText(), "13.12.14");
    EXPECT_FALSE(gtk_clipboard_wait_is_image_available(clipboard()));

    // Copy Set: the line alone.
    g_action_group_activate_action(G_ACTION_GROUP(w->window), "copy-set", nullptr);
    EXPECT_EQ(clipboardText(), "24 \xC2\xB7 3-11b \xC2\xB7 0 4 7 \xC2\xB7 13.12.14");
    EXPECT_FALSE(gtk_clipboard_wait_is_image_available(clipboard()));
    gtk_widget_grab_focus(w->tnTypeField);
}

TEST_F(Window, PrintAndPlayHaveKeysOfTheirOwn)
{
    struct Case {
        const char* accelerator;
        const char* action;
    };
    const Case cases[] = {
        {"<Primary>p", "win.print"},
        {"F5", "win.play"},
        {"<Primary><Shift>p", "win.play"},
        {"<Primary>c", "win.copy"},
    };
    GtkApplication* application = gtk_window_get_application(GTK_WINDOW(w->window));
    for (const Case& c : cases) {
        gchar** actions = gtk_application_get_actions_for_accel(application, c.accelerator);
        ASSERT_NE(actions, nullptr);
        ASSERT_NE(actions[0], nullptr) << c.accelerator;
        EXPECT_STREQ(actions[0], c.action) << c.accelerator;
        EXPECT_EQ(actions[1], nullptr) << c.accelerator << " is bound twice";
        g_strfreev(actions);
    }
}

namespace {

std::vector<std::string> menuLabels(GtkWidget* menu)
{
    std::vector<std::string> labels;
    GList* children = gtk_container_get_children(GTK_CONTAINER(menu));
    for (GList* c = children; c; c = c->next)
        if (GTK_IS_MENU_ITEM(c->data) && !GTK_IS_SEPARATOR_MENU_ITEM(c->data))
            labels.push_back(gtk_menu_item_get_label(GTK_MENU_ITEM(c->data)));
    g_list_free(children);
    return labels;
}

bool clickOnPage(guint button)
{
    GdkEvent* event = gdk_event_new(GDK_BUTTON_PRESS);
    event->button.window = GDK_WINDOW(g_object_ref(gtk_widget_get_window(w->pageSurface)));
    event->button.send_event = TRUE;
    event->button.time = GDK_CURRENT_TIME;
    event->button.button = button;
    event->button.x = event->button.y = 20;
    GdkDisplay* display = gtk_widget_get_display(w->window);
    gdk_event_set_device(event, gdk_seat_get_pointer(gdk_display_get_default_seat(display)));
    gboolean handled = FALSE;
    g_signal_emit_by_name(w->pageSurface, "button-press-event", event, &handled);
    gdk_event_free(event);
    return handled;
}

}  // namespace

// The page's menu: from a right click or the Menu key, every line bound to
// an enabled action of the window; the primary button is left alone.
TEST_F(Window, PageMenuOffersCopyingSavingPrintingAndPlaying)
{
    typeAndActivate(w->tnTypeField, "0 4 7");
    const std::vector<std::string> expected = {"Copy _Image",       "Copy _Set",          "Copy Set as _Text",
                                               "_Save\xE2\x80\xA6", "_Print\xE2\x80\xA6", "P_lay"};
    EXPECT_EQ(menuLabels(w->pageMenu), expected);
    GMenuModel* model = NewPageMenuModel();
    std::vector<std::string> actions;
    for (int s = 0; s < g_menu_model_get_n_items(model); ++s) {
        GMenuModel* section = g_menu_model_get_item_link(model, s, G_MENU_LINK_SECTION);
        for (int i = 0; section && i < g_menu_model_get_n_items(section); ++i) {
            gchar* action = nullptr;
            g_menu_model_get_item_attribute(section, i, G_MENU_ATTRIBUTE_ACTION, "s", &action);
            actions.push_back(action ? action : "");
            g_free(action);
        }
        if (section)
            g_object_unref(section);
    }
    g_object_unref(model);
    EXPECT_EQ(actions, (std::vector<std::string>{"win.copy-image", "win.copy-set", "win.copy-text", "win.save",
                                                 "win.print", "win.play"}));
    for (const std::string& a : actions)
        EXPECT_TRUE(g_action_group_get_action_enabled(G_ACTION_GROUP(w->window), a.c_str() + 4)) << a;

    EXPECT_FALSE(clickOnPage(1)) << "the primary button is not the menu's";
    EXPECT_FALSE(gtk_widget_get_visible(w->pageMenu));
    EXPECT_TRUE(clickOnPage(3));
    EXPECT_TRUE(pumpUntil([] { return gtk_widget_get_visible(w->pageMenu); }, 5));
    gtk_menu_popdown(GTK_MENU(w->pageMenu));
    gtk_widget_grab_focus(w->pageSurface);
    pressKey(GDK_KEY_F10, GDK_SHIFT_MASK);
    EXPECT_TRUE(pumpUntil([] { return gtk_widget_get_visible(w->pageMenu); }, 5));
    gtk_menu_popdown(GTK_MENU(w->pageMenu));
    gtk_widget_grab_focus(w->tnTypeField);
}

#include "app/Export.h"

#include <cstring>
#include <stdexcept>

#include "app/Clipboard.h"
#include "formats/PageFormats.h"
#include "interchange/MusicXml.h"
#include "pcset/Conversions.h"
#include "postscript/FileOutput.h"

namespace {

template <PageFormat format>
std::string pageBytes(int page, const std::string& tnText, const std::string& composed)
{
    return PageInFormat(page, tnText, format, composed);
}

// The roster of the page's 24 transformations as a MusicXML score, for the
// notation program the user writes in.
std::string musicXmlBytes(int, const std::string& tnText, const std::string&)
{
    return MusicXmlForSet(StringToVector(tnText));
}

// When the user picks another filter, the name typed so far takes that
// type's extension, so the name and the bytes never disagree.
void followFilter(GObject* chooserObject, GParamSpec*, void*)
{
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(chooserObject);
    GtkFileFilter* filter = gtk_file_chooser_get_filter(chooser);
    gchar* typed = gtk_file_chooser_get_current_name(chooser);
    if (!filter || !typed)
        return g_free(typed);
    const size_t row = GPOINTER_TO_SIZE(g_object_get_data(G_OBJECT(filter), "harmodex-row"));
    std::string name = typed;
    g_free(typed);
    size_t current = 0;
    if (!SaveFormatForName(name, &current) || current == row)
        return;
    name = name.substr(0, name.rfind('.') + 1) + kSaveFormats[row].extension;
    gtk_file_chooser_set_current_name(chooser, name.c_str());
}

// The question the file chooser asks before replacing a file, for a name
// it did not see (the typed one plus the filter's extension).
bool confirmReplacing(GtkWidget* parent, const std::string& path)
{
    gchar* name = g_filename_display_basename(path.c_str());
    GtkWidget* dialog =
        gtk_message_dialog_new(GTK_WINDOW(parent), GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION, GTK_BUTTONS_NONE,
                               "A file named \xE2\x80\x9C%s\xE2\x80\x9D already exists. Do you want "
                               "to replace it?",
                               name);
    g_free(name);
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(dialog), "Replacing it will overwrite its contents.");
    gtk_dialog_add_buttons(GTK_DIALOG(dialog), "_Cancel", GTK_RESPONSE_CANCEL, "_Replace", GTK_RESPONSE_ACCEPT,
                           nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    const bool replace = gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT;
    gtk_widget_destroy(dialog);
    return replace;
}

}  // namespace

const SaveFormat kSaveFormats[] = {
    {"EPS (Encapsulated PostScript)", "eps", pageBytes<PageFormat::Eps>},
    {"PDF (one page)", "pdf", pageBytes<PageFormat::Pdf>},
    {"PNG image (300 dpi)", "png", pageBytes<PageFormat::Png>},
    {"SVG drawing", "svg", pageBytes<PageFormat::Svg>},
    {"MusicXML (the 24 transformations)", "musicxml", musicXmlBytes},
};
const size_t kSaveFormatCount = sizeof kSaveFormats / sizeof kSaveFormats[0];
std::string WithSaveExtension(const std::string& path, size_t row)
{
    size_t typed = 0;
    if (row >= kSaveFormatCount || SaveFormatForName(path, &typed))
        return path;
    // MusicXML's other usual extension is kept as typed.
    const std::string xml = ".xml";
    if (std::strcmp(kSaveFormats[row].extension, "musicxml") == 0 && path.size() > xml.size() &&
        g_ascii_strcasecmp(path.c_str() + path.size() - xml.size(), xml.c_str()) == 0)
        return path;
    // "page." is taken as "page" with its dot already typed.
    const bool dotted = !path.empty() && path.back() == '.';
    return path + (dotted ? "" : ".") + kSaveFormats[row].extension;
}

bool SaveFormatForName(const std::string& path, size_t* row)
{
    const size_t slash = path.rfind('/');
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return false;
    const std::string extension = path.substr(dot + 1);
    for (size_t i = 0; i < kSaveFormatCount; ++i)
        if (g_ascii_strcasecmp(extension.c_str(), kSaveFormats[i].extension) == 0) {
            *row = i;
            return true;
        }
    return false;
}

void PageIsSaveable(AppWindow& w)
{
    if (!w.window)
        return;
    GAction* save = g_action_map_lookup_action(G_ACTION_MAP(w.window), "save");
    if (save)
        g_simple_action_set_enabled(G_SIMPLE_ACTION(save), !w.shownPage.empty());
    GAction* print = g_action_map_lookup_action(G_ACTION_MAP(w.window), "print");
    if (print)
        g_simple_action_set_enabled(G_SIMPLE_ACTION(print), !w.shownPage.empty());
    UpdateCopyActions(w);
}

bool RunSaveDialog(AppWindow& w)
{
    w.save.chosenPath = std::string("xxx0") + "0001" + ".eps";
    GtkWidget* dialog =
        gtk_file_chooser_dialog_new("Save page as:", GTK_WINDOW(w.window), GTK_FILE_CHOOSER_ACTION_SAVE, "_Cancel",
                                    GTK_RESPONSE_CANCEL, "_Save", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
    gtk_file_chooser_set_do_overwrite_confirmation(chooser, TRUE);
    gchar* folder = g_get_current_dir();
    gtk_file_chooser_set_current_folder(chooser, folder);
    g_free(folder);
    for (size_t i = 0; i < kSaveFormatCount; ++i) {
        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_set_name(filter, kSaveFormats[i].filterName);
        // Both cases: a filter's pattern is case sensitive.
        const std::string lower = std::string("*.") + kSaveFormats[i].extension;
        gchar* upper = g_ascii_strup(lower.c_str(), -1);
        gtk_file_filter_add_pattern(filter, lower.c_str());
        gtk_file_filter_add_pattern(filter, upper);
        g_free(upper);
        g_object_set_data(G_OBJECT(filter), "harmodex-row", GSIZE_TO_POINTER(i));
        gtk_file_chooser_add_filter(chooser, filter);
        if (i == 0)
            gtk_file_chooser_set_filter(chooser, filter);
    }
    gtk_file_chooser_set_current_name(chooser, w.save.chosenPath.c_str());
    g_signal_connect(chooser, "notify::filter", G_CALLBACK(followFilter), nullptr);
    bool accepted = false;
    while (!accepted && gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        gchar* chosen = gtk_file_chooser_get_filename(chooser);
        GtkFileFilter* filter = gtk_file_chooser_get_filter(chooser);
        if (!chosen)
            continue;
        const size_t row = filter ? GPOINTER_TO_SIZE(g_object_get_data(G_OBJECT(filter), "harmodex-row")) : 0;
        // The dialog asked before replacing the name typed; a name that
        // takes the filter's extension is asked about here.
        const std::string path = WithSaveExtension(chosen, row);
        const bool asked = path == chosen;
        g_free(chosen);
        if (asked || !g_file_test(path.c_str(), G_FILE_TEST_EXISTS) || confirmReplacing(dialog, path)) {
            w.save.chosenPath = path;  // the whole path, whatever its length
            w.save.filterRow = row;
            accepted = true;
        }
    }
    gtk_widget_destroy(dialog);
    return accepted;
}

void SaveShownPage(AppWindow& w)
{
    if (w.shownPage.empty()) {
        gtk_widget_error_bell(w.window);  // no page yet: there is nothing to save
        return;
    }
    w.save.filterRow = 0;
    const bool chosen = w.save.chooseFileName ? w.save.chooseFileName() : RunSaveDialog(w);
    if (!chosen)
        return;  // cancelled: nothing is written
    // A typed extension that names a type wins over the filter: EPS bytes
    // never go into a file called .pdf, .png or .svg.
    size_t row = w.save.filterRow < kSaveFormatCount ? w.save.filterRow : 0;
    // A name typed without one of the types' extensions takes the filter's,
    // so that the file says what it holds.
    w.save.chosenPath = WithSaveExtension(w.save.chosenPath, row);
    SaveFormatForName(w.save.chosenPath, &row);

    const std::string tnText = VectorToString(w.typedSet.getTnType());
    const int page = FindSetID(tnText, w.universe) + 1;
    const std::string path = w.save.chosenPath;
    auto report = [&w](const std::string& message) {
        if (w.save.reportFailure)
            w.save.reportFailure(message);
        else
            ShowPageFailure(w.window, "Save page", "The page could not be saved.", message);
    };
    std::string bytes;
    try {
        bytes = kSaveFormats[row].bytes(page, tnText, w.shownPage);
    } catch (const std::exception& e) {
        report("cannot make " + path + ": " + e.what());
        return;
    }
    try {
        WriteFileAtomically(path, bytes);
    } catch (const std::exception& e) {
        report(e.what());  // the writer's message names the path and the reason
    }
}

void ShowPageFailure(GtkWidget* window, const char* title, const char* what, const std::string& why)
{
    GtkWidget* dialog =
        gtk_message_dialog_new(GTK_WINDOW(window), GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_CLOSE, "%s", what);
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(dialog), "%s", why.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), title);
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

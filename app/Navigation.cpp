#include "app/Navigation.h"

#include <cctype>

#include <gtk/gtk.h>

#include "app/PageRequest.h"
#include "app/ReadingBar.h"
#include "app/Window.h"
#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"
#include "pcset/SetReader.h"

namespace {

void goTo(int page)
{
    if (page == CurrentPage()) {
        gtk_widget_error_bell(window);  // already there: at either end of the book
        return;
    }
    HideReadingBar();  // it spoke of the text typed before
    RequestPage(page);
}

// A page number with an optional "p", "page" or "#" before it: the number,
// -1 for a marked number outside the book ("p400"), 0 if the text is no
// page number at all (a bare "400" may still be read as a set).
int pageNumber(const std::string& text)
{
    auto trim = [](std::string s) {
        const size_t first = s.find_first_not_of(" \t");
        const size_t last = s.find_last_not_of(" \t");
        return first == std::string::npos ? std::string() : s.substr(first, last - first + 1);
    };
    std::string t = trim(text);
    for (char& c : t)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    bool marked = true;
    if (t.rfind("page", 0) == 0)
        t = trim(t.substr(4));
    else if (!t.empty() && (t[0] == 'p' || t[0] == '#'))
        t = trim(t.substr(1));
    else
        marked = false;
    if (t.empty() || t.size() > 4 || t.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const int value = std::stoi(t);
    if (value < 1 || value > PitchUniverse::NumTnTypes)
        return marked ? -1 : 0;
    return value;
}

}  // namespace

void NextPage() { goTo(CurrentPage() < 1 ? 1 : std::min(CurrentPage() + 1, PitchUniverse::NumTnTypes)); }
void PreviousPage() { goTo(CurrentPage() < 1 ? 1 : std::max(CurrentPage() - 1, 1)); }
void FirstPage() { goTo(1); }
void LastPage() { goTo(PitchUniverse::NumTnTypes); }

int ReadGoToText(const std::string& text)
{
    const int number = pageNumber(text);
    if (number != 0)
        return number > 0 ? number : 0;
    // Anything else is read as a set, in any form the set reader
    // understands (a Forte name, note names, a list, a Costère code...).
    const std::vector<int> set = UnderstandSetText(text).pitchClasses;
    if (set.empty())
        return 0;
    PitchClassSet pcs;
    pcs.initializeSet(set);
    const int index = FindSetID(VectorToString(pcs.getTnType()), aPu);
    return index < PitchUniverse::NumTnTypes ? index + 1 : 0;
}

void ShowGoToPrompt()
{
    GtkWidget* dialog =
        gtk_dialog_new_with_buttons("Go to page", GTK_WINDOW(window),
                                    static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL | GTK_DIALOG_DESTROY_WITH_PARENT),
                                    "_Cancel", GTK_RESPONSE_CANCEL, "_Go", GTK_RESPONSE_ACCEPT, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
    GtkWidget* area = gtk_dialog_get_content_area(GTK_DIALOG(dialog));
    gtk_container_set_border_width(GTK_CONTAINER(area), 12);
    gtk_box_set_spacing(GTK_BOX(area), 6);
    GtkWidget* label = gtk_label_new("A page number (1 to 351) or a set, such as 0 4 7 or 13.12.14:");
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    gtk_container_add(GTK_CONTAINER(area), label);
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_max_length(GTK_ENTRY(entry), 200);
    gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
    if (CurrentPage() > 0)
        gtk_entry_set_text(GTK_ENTRY(entry), std::to_string(CurrentPage()).c_str());
    gtk_container_add(GTK_CONTAINER(area), entry);
    GtkWidget* problem = gtk_label_new("");
    gtk_label_set_xalign(GTK_LABEL(problem), 0.0f);
    gtk_container_add(GTK_CONTAINER(area), problem);
    gtk_widget_show_all(dialog);
    gtk_widget_hide(problem);

    // Stays open on a text that names no page, saying so.
    while (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        const int page = ReadGoToText(gtk_entry_get_text(GTK_ENTRY(entry)));
        if (page > 0) {
            HideReadingBar();
            RequestPage(page);
            break;
        }
        gtk_label_set_text(GTK_LABEL(problem), "That is neither a page number from 1 to 351 nor a set.");
        gtk_widget_show(problem);
        gtk_widget_error_bell(entry);
    }
    gtk_widget_destroy(dialog);
}

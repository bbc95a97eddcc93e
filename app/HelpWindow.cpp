#include "app/HelpWindow.h"

#include <algorithm>
#include <sstream>

extern "C" GResource* harmodex_help_get_resource(void);

namespace {

constexpr const char* kResourcePath = "/org/harmodex/Harmodex/help/";

struct Paragraph {
    bool heading;
    std::string text;
};

struct Section {
    std::string id;
    std::string title;
    std::string keywords;
    std::vector<Paragraph> paragraphs;
    std::string folded;   // everything searchable, case-folded
    std::string defines;  // the title, keywords and terms the section explains, case-folded
};

struct Term {
    std::string term;
    std::string section;
    std::string explanation;
};

struct Guide {
    std::vector<Section> sections;
    std::vector<Term> terms;
};

std::string resourceText(const std::string& name)
{
    GBytes* bytes = g_resource_lookup_data(harmodex_help_get_resource(), (kResourcePath + name).c_str(),
                                           G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
    if (!bytes)
        return std::string();
    gsize size = 0;
    const char* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
    std::string text(data ? data : "", size);
    g_bytes_unref(bytes);
    return text;
}

std::string folded(const std::string& text)
{
    gchar* f = g_utf8_casefold(text.c_str(), -1);
    std::string out(f);
    g_free(f);
    return out;
}

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A section file: "key: value" lines up to the first blank line, then
// paragraphs separated by blank lines; a paragraph starting "## " is a
// heading, and lines within a paragraph are kept as lines.
Section readSection(const std::string& text)
{
    Section section;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line) && !trimmed(line).empty()) {
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        const std::string key = line.substr(0, colon), value = trimmed(line.substr(colon + 1));
        if (key == "id")
            section.id = value;
        else if (key == "title")
            section.title = value;
        else if (key == "keywords")
            section.keywords = value;
    }
    std::string paragraph;
    auto close = [&]() {
        if (paragraph.empty())
            return;
        if (paragraph.rfind("## ", 0) == 0)
            section.paragraphs.push_back({true, paragraph.substr(3)});
        else
            section.paragraphs.push_back({false, paragraph});
        paragraph.clear();
    };
    while (std::getline(in, line)) {
        if (trimmed(line).empty()) {
            close();
            continue;
        }
        if (paragraph.rfind("## ", 0) == 0)
            close();
        paragraph += (paragraph.empty() ? "" : "\n") + line;
    }
    close();
    return section;
}

const Guide& guide()
{
    static const Guide loaded = [] {
        Guide g;
        std::istringstream index(resourceText("index.txt"));
        for (std::string id; std::getline(index, id);) {
            id = trimmed(id);
            if (id.empty() || id[0] == '#')
                continue;
            Section section = readSection(resourceText(id + ".txt"));
            if (section.id.empty())
                section.id = id;
            g.sections.push_back(section);
        }
        std::istringstream terms(resourceText("terms.txt"));
        for (std::string line; std::getline(terms, line);) {
            if (trimmed(line).empty() || line[0] == '#')
                continue;
            const auto a = line.find(" | "), b = a == std::string::npos ? a : line.find(" | ", a + 3);
            if (b == std::string::npos)
                continue;
            g.terms.push_back(
                {trimmed(line.substr(0, a)), trimmed(line.substr(a + 3, b - a - 3)), trimmed(line.substr(b + 3))});
        }
        for (Section& section : g.sections) {
            std::string defines = section.title + "\n" + section.keywords + "\n";
            for (const Term& t : g.terms)
                if (t.section == section.id)
                    defines += t.term + "\n";
            std::string all = defines;
            for (const Paragraph& p : section.paragraphs)
                all += p.text + "\n";
            for (const Term& t : g.terms)
                if (t.section == section.id)
                    all += t.explanation + "\n";
            section.folded = folded(all);
            section.defines = folded(defines);
        }
        return g;
    }();
    return loaded;
}

const Term* findTerm(const std::string& term)
{
    const std::string wanted = folded(trimmed(term));
    for (const Term& t : guide().terms)
        if (folded(t.term) == wanted)
            return &t;
    return nullptr;
}

// The one guide window, and what its sidebar lists.
struct HelpView {
    GtkWidget* window = nullptr;
    GtkWidget* list = nullptr;
    GtkWidget* text = nullptr;
    GtkWidget* search = nullptr;
    std::vector<std::string> listed;
    std::string query;
};

HelpView& view()
{
    static HelpView v;
    return v;
}

void showSection(const Section& section)
{
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(view().text));
    gtk_text_buffer_set_text(buffer, "", 0);
    GtkTextIter end;
    gtk_text_buffer_get_end_iter(buffer, &end);
    gtk_text_buffer_insert_with_tags_by_name(buffer, &end, (section.title + "\n").c_str(), -1, "title", nullptr);
    for (const Paragraph& p : section.paragraphs)
        gtk_text_buffer_insert_with_tags_by_name(buffer, &end, (p.text + "\n").c_str(), -1,
                                                 p.heading ? "heading" : "body", nullptr);
    gtk_text_buffer_get_start_iter(buffer, &end);
    gtk_text_buffer_place_cursor(buffer, &end);
    gtk_text_view_scroll_to_iter(GTK_TEXT_VIEW(view().text), &end, 0.0, FALSE, 0.0, 0.0);
    atk_object_set_name(gtk_widget_get_accessible(view().text), section.title.c_str());
}

void rowSelected(GtkListBox*, GtkListBoxRow* row, gpointer)
{
    if (!row)
        return;
    const int index = gtk_list_box_row_get_index(row);
    if (index >= 0 && index < static_cast<int>(guide().sections.size()))
        showSection(guide().sections[index]);
}

gboolean rowMatches(GtkListBoxRow* row, gpointer)
{
    const std::string& id = guide().sections[gtk_list_box_row_get_index(row)].id;
    return std::find(view().listed.begin(), view().listed.end(), id) != view().listed.end();
}

void searchChanged(GtkSearchEntry* entry, gpointer)
{
    HelpView& v = view();
    v.query = gtk_entry_get_text(GTK_ENTRY(entry));
    v.listed = FindHelpSections(v.query);
    gtk_list_box_invalidate_filter(GTK_LIST_BOX(v.list));
    // The section that explains the word is shown at once, or else the
    // first that mentions it.
    if (!v.listed.empty()) {
        const std::vector<std::string> all = HelpSectionIds();
        std::string best = v.listed.front();
        const std::string wanted = folded(trimmed(v.query));
        for (const Section& section : guide().sections)
            if (!wanted.empty() && section.defines.find(wanted) != std::string::npos) {
                best = section.id;
                break;
            }
        const auto at = std::find(all.begin(), all.end(), best) - all.begin();
        GtkListBoxRow* selected = gtk_list_box_get_selected_row(GTK_LIST_BOX(v.list));
        const bool stillListed = selected && rowMatches(selected, nullptr);
        if (!stillListed || !v.query.empty())
            gtk_list_box_select_row(GTK_LIST_BOX(v.list),
                                    gtk_list_box_get_row_at_index(GTK_LIST_BOX(v.list), static_cast<int>(at)));
    }
}

void helpDestroyed(GtkWidget*, gpointer) { view() = HelpView(); }

void buildWindow()
{
    HelpView& v = view();
    v.window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_default_size(GTK_WINDOW(v.window), 900, 640);
    GtkWidget* header = gtk_header_bar_new();
    gtk_header_bar_set_show_close_button(GTK_HEADER_BAR(header), TRUE);
    gtk_header_bar_set_title(GTK_HEADER_BAR(header), "Reading the Page");
    gtk_window_set_titlebar(GTK_WINDOW(v.window), header);
    gtk_widget_show(header);
    gtk_window_set_position(GTK_WINDOW(v.window), GTK_WIN_POS_CENTER_ON_PARENT);
    gtk_window_set_title(GTK_WINDOW(v.window), "Reading the Page");
    g_signal_connect(v.window, "destroy", G_CALLBACK(helpDestroyed), nullptr);

    GtkWidget* paned = gtk_paned_new(GTK_ORIENTATION_HORIZONTAL);
    gtk_container_add(GTK_CONTAINER(v.window), paned);
    GtkWidget* side = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
    gtk_container_set_border_width(GTK_CONTAINER(side), 6);
    v.search = gtk_search_entry_new();
    gtk_widget_set_name(v.search, "help-search");
    gtk_entry_set_placeholder_text(GTK_ENTRY(v.search), "Search the guide");
    gtk_widget_set_tooltip_text(v.search, "Show only the sections that mention a word, such as phonicity");
    atk_object_set_name(gtk_widget_get_accessible(v.search), "Search the guide");
    gtk_box_pack_start(GTK_BOX(side), v.search, FALSE, FALSE, 0);
    GtkWidget* listScroll = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(listScroll), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
    gtk_box_pack_start(GTK_BOX(side), listScroll, TRUE, TRUE, 0);
    v.list = gtk_list_box_new();
    atk_object_set_name(gtk_widget_get_accessible(v.list), "Sections");
    for (const Section& section : guide().sections) {
        GtkWidget* label = gtk_label_new(section.title.c_str());
        gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
        gtk_widget_set_margin_start(label, 6);
        gtk_widget_set_margin_end(label, 6);
        gtk_widget_set_margin_top(label, 4);
        gtk_widget_set_margin_bottom(label, 4);
        gtk_container_add(GTK_CONTAINER(v.list), label);
    }
    gtk_container_add(GTK_CONTAINER(listScroll), v.list);
    gtk_widget_set_size_request(side, 260, -1);
    gtk_paned_pack1(GTK_PANED(paned), side, FALSE, FALSE);

    GtkWidget* textScroll = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(textScroll), GTK_POLICY_NEVER, GTK_POLICY_AUTOMATIC);
    v.text = gtk_text_view_new();
    gtk_text_view_set_editable(GTK_TEXT_VIEW(v.text), FALSE);
    gtk_text_view_set_wrap_mode(GTK_TEXT_VIEW(v.text), GTK_WRAP_WORD_CHAR);
    gtk_text_view_set_left_margin(GTK_TEXT_VIEW(v.text), 24);
    gtk_text_view_set_right_margin(GTK_TEXT_VIEW(v.text), 24);
    gtk_text_view_set_top_margin(GTK_TEXT_VIEW(v.text), 18);
    gtk_text_view_set_bottom_margin(GTK_TEXT_VIEW(v.text), 18);
    GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(v.text));
    gtk_text_buffer_create_tag(buffer, "title", "weight", PANGO_WEIGHT_BOLD, "scale", 1.5, "pixels-below-lines", 12,
                               nullptr);
    gtk_text_buffer_create_tag(buffer, "heading", "weight", PANGO_WEIGHT_BOLD, "scale", 1.15, "pixels-above-lines", 12,
                               "pixels-below-lines", 4, nullptr);
    gtk_text_buffer_create_tag(buffer, "body", "pixels-below-lines", 8, nullptr);
    gtk_container_add(GTK_CONTAINER(textScroll), v.text);
    gtk_paned_pack2(GTK_PANED(paned), textScroll, TRUE, FALSE);

    v.listed = HelpSectionIds();
    gtk_list_box_set_filter_func(GTK_LIST_BOX(v.list), rowMatches, nullptr, nullptr);
    g_signal_connect(v.list, "row-selected", G_CALLBACK(rowSelected), nullptr);
    g_signal_connect(v.search, "search-changed", G_CALLBACK(searchChanged), nullptr);
    gtk_widget_show_all(paned);
}

}  // namespace

std::vector<std::string> HelpSectionIds()
{
    std::vector<std::string> ids;
    for (const Section& section : guide().sections)
        ids.push_back(section.id);
    return ids;
}

std::vector<std::string> FindHelpSections(const std::string& query)
{
    const std::string wanted = folded(trimmed(query));
    std::vector<std::string> ids;
    for (const Section& section : guide().sections)
        if (wanted.empty() || section.folded.find(wanted) != std::string::npos)
            ids.push_back(section.id);
    return ids;
}

void ShowHelp(GtkWindow* parent, const char* sectionId)
{
    HelpView& v = view();
    if (!v.window)
        buildWindow();
    if (parent) {
        gtk_window_set_transient_for(GTK_WINDOW(v.window), parent);
        gtk_window_set_destroy_with_parent(GTK_WINDOW(v.window), TRUE);
    }
    const std::vector<std::string> ids = HelpSectionIds();
    auto at = std::find(ids.begin(), ids.end(), sectionId ? sectionId : "");
    if (at == ids.end())
        at = ids.begin();
    if (at != ids.end()) {
        // A section asked for is shown even when the search has hidden it.
        if (std::find(v.listed.begin(), v.listed.end(), *at) == v.listed.end()) {
            gtk_entry_set_text(GTK_ENTRY(v.search), "");
            v.query.clear();
            v.listed = ids;
        }
        gtk_list_box_invalidate_filter(GTK_LIST_BOX(v.list));
        gtk_list_box_select_row(GTK_LIST_BOX(v.list), gtk_list_box_get_row_at_index(
                                                          GTK_LIST_BOX(v.list), static_cast<int>(at - ids.begin())));
    }
    gtk_widget_show(v.window);
    gtk_window_present(GTK_WINDOW(v.window));
}

std::string HelpSectionOfTerm(const std::string& term)
{
    const Term* t = findTerm(term);
    return t ? t->section : std::string();
}

std::string ShortExplanationOfTerm(const std::string& term)
{
    const Term* t = findTerm(term);
    return t ? t->explanation : std::string();
}

GtkWindow* ShownHelpWindow() { return view().window ? GTK_WINDOW(view().window) : nullptr; }

std::vector<std::string> ListedHelpSections() { return view().window ? view().listed : std::vector<std::string>(); }

#include "app/IndexPanel.h"

#include <cstdlib>

#include "app/AppWindow.h"
#include "app/PageRequest.h"
#include "app/ReadingBar.h"
#include "app/ScorePanel.h"
#include "base/Error.h"
#include "catalogue/CatalogueQuery.h"
#include "catalogue/SetText.h"
#include "pcset/Conversions.h"
#include "pcset/PitchUniverse.h"

namespace {

enum Column { kPage, kForte, kTnType, kCostere, kVector, kSize, kForteOrder, kColumns };

IndexPanel& panelOf(AppWindow& w) { return *w.indexPanel; }

constexpr size_t kRowsWorthDetaching = 150;

// Forte names in their own order: by size, then number, the prime form (a)
// before its inversion (b). "4-Z15b" is 4 * 10000 + 15 * 10 + 2.
int forteOrder(const std::string& name)
{
    const size_t dash = name.find('-');
    if (dash == std::string::npos)
        return 0;
    size_t at = dash + 1;
    if (at < name.size() && name[at] == 'Z')
        ++at;
    const int size = std::atoi(name.substr(0, dash).c_str());
    const int number = std::atoi(name.c_str() + at);
    const char last = name.back();
    return size * 10000 + number * 10 + (last == 'a' ? 1 : last == 'b' ? 2 : 0);
}

// The interval vector as the page prints it: <0,0,1,1,1,0>.
std::string vectorText(const std::vector<int>& counts)
{
    std::string text = "<";
    for (size_t i = 0; i < counts.size(); ++i)
        text += (i > 0 ? "," : "") + std::to_string(counts[i]);
    return text + ">";
}

void fillStore(GtkListStore* store)
{
    for (const CatalogueRow& row : CatalogueRows()) {
        GtkTreeIter iter;
        gtk_list_store_append(store, &iter);
        const int size = static_cast<int>(StringToVector(row.tnType).size());
        gtk_list_store_set(store, &iter, kPage, row.page, kForte, row.forteName.c_str(), kTnType, row.tnType.c_str(),
                           kCostere, row.costereCode.c_str(), kVector, vectorText(row.intervalVector).c_str(), kSize,
                           size, kForteOrder, forteOrder(row.forteName), -1);
    }
}

gboolean rowVisible(GtkTreeModel* model, GtkTreeIter* iter, gpointer data)
{
    const IndexPanel& p = *static_cast<const IndexPanel*>(data);
    int page = 0;
    gtk_tree_model_get(model, iter, kPage, &page, -1);
    if (page < 1 || static_cast<size_t>(page) > p.shown.size())
        return FALSE;
    return p.shown[page - 1];
}

int countOf(const std::vector<bool>& marks, const std::vector<bool>& also)
{
    int n = 0;
    for (size_t i = 0; i < marks.size(); ++i)
        n += marks[i] && also[i];
    return n;
}

// The search box and the popover have changed: the rows shown follow.
void refilter(AppWindow& w, const std::string& reading)
{
    IndexPanel& p = panelOf(w);
    std::vector<bool> shownNow(p.found.size());
    for (size_t i = 0; i < shownNow.size(); ++i)
        shownNow[i] = p.found[i] && p.passesQuery[i];
    // A keystroke that keeps the rows (symmetri, symmetric) leaves the list alone.
    if (shownNow != p.shown) {
        size_t changed = 0;
        for (size_t i = 0; i < shownNow.size(); ++i)
            changed += shownNow[i] != p.shown[i];
        p.shown = std::move(shownNow);
        // Where most rows come or go, the list is detached and told of the
        // new rows once rather than row by row (the selection is made again
        // below); for a few rows, telling it row by row is cheaper.
        const bool detach = changed > kRowsWorthDetaching;
        if (detach)
            gtk_tree_view_set_model(GTK_TREE_VIEW(p.list), nullptr);
        gtk_tree_model_filter_refilter(GTK_TREE_MODEL_FILTER(p.filter));
        if (detach)
            gtk_tree_view_set_model(GTK_TREE_VIEW(p.list), p.sorted);
    }
    const int shown = countOf(p.found, p.passesQuery);
    const std::string text = gtk_entry_get_text(GTK_ENTRY(p.search));
    std::string status;
    if (shown == 0)
        status = "No page matches.";
    else if (shown == PitchUniverse::NumTnTypes)
        status = "All 351 pages";
    else
        status = std::to_string(shown) + (shown == 1 ? " page" : " pages") + " of 351";
    if (!reading.empty())
        status += " \xE2\x80\x94 " + reading;
    gtk_label_set_text(GTK_LABEL(p.status), status.c_str());
    ShowPageInIndex(w, w.preview.requestedPage);
}

void search(AppWindow& w)
{
    IndexPanel& p = panelOf(w);
    const std::string text = gtk_entry_get_text(GTK_ENTRY(p.search));
    const CatalogueSearch found = SearchCatalogue(text, gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(p.containing)));
    p.found.assign(PitchUniverse::NumTnTypes, false);
    for (int page : found.pages)
        p.found[page - 1] = true;
    std::string reading = found.reading;
    if (found.pages.empty() && !text.empty())
        reading = "nothing is known by \xE2\x80\x9C" + text + "\xE2\x80\x9D";
    refilter(w, reading);
}

void onSearchChanged(GtkEditable*, gpointer data) { search(*static_cast<AppWindow*>(data)); }
void onContainingToggled(GtkToggleButton*, gpointer data) { search(*static_cast<AppWindow*>(data)); }

// The set of a popover field; an empty list for an empty field, and a
// message (the field is then not applied) for a text naming no set.
std::vector<int> setOfField(GtkWidget* field, const char* name, std::string& problems)
{
    const std::string text = gtk_entry_get_text(GTK_ENTRY(field));
    if (text.find_first_not_of(" \t") == std::string::npos)
        return {};
    const UserSet set = ReadUserSet(text);
    if (!set.error.empty()) {
        problems += std::string(problems.empty() ? "" : "\n") + name + ": " + set.error + ".";
        return {};
    }
    return set.tnType;
}

// The popover's query, asked of the catalogue as harmodex-cli find asks it.
void query(AppWindow& w)
{
    IndexPanel& p = panelOf(w);
    CatalogueQuery q;
    const char* size = gtk_combo_box_get_active_id(GTK_COMBO_BOX(p.size));
    q.size = size ? std::atoi(size) : 0;
    std::string problems;
    q.contains = setOfField(p.contains, "Contains", problems);
    q.within = setOfField(p.within, "Within", problems);
    q.inversions =
        gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(p.inversions)) && !(q.contains.empty() && q.within.empty());
    q.zPartner = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(p.zOnly));
    q.symmetric = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(p.symmetricOnly));
    const bool any = q.size != 0 || !q.contains.empty() || !q.within.empty() || q.zPartner || q.symmetric;
    p.passesQuery.assign(PitchUniverse::NumTnTypes, !any);
    if (any) {
        try {
            for (int page : FindPages(q))
                p.passesQuery[page - 1] = true;
        } catch (const harmodex::Error& e) {
            p.passesQuery.assign(PitchUniverse::NumTnTypes, true);
            problems += std::string(problems.empty() ? "" : "\n") + e.what();
        }
    }
    gtk_label_set_text(GTK_LABEL(p.queryMessage), problems.c_str());
    gtk_widget_set_visible(p.queryMessage, !problems.empty());
    GtkStyleContext* style = gtk_widget_get_style_context(p.filterButton);
    if (any)
        gtk_style_context_add_class(style, "suggested-action");
    else
        gtk_style_context_remove_class(style, "suggested-action");
    search(w);
}

void onQueryChanged(GtkWidget*, gpointer data) { query(*static_cast<AppWindow*>(data)); }

void onClearQuery(GtkButton*, gpointer data)
{
    AppWindow& w = *static_cast<AppWindow*>(data);
    IndexPanel& p = panelOf(w);
    // Each change below asks again; the last answers for all.
    gtk_combo_box_set_active_id(GTK_COMBO_BOX(p.size), "0");
    gtk_entry_set_text(GTK_ENTRY(p.contains), "");
    gtk_entry_set_text(GTK_ENTRY(p.within), "");
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(p.inversions), FALSE);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(p.zOnly), FALSE);
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(p.symmetricOnly), FALSE);
}

void showPageOf(AppWindow& w, GtkTreePath* path)
{
    IndexPanel& p = panelOf(w);
    GtkTreeIter iter;
    if (!gtk_tree_model_get_iter(p.sorted, &iter, path))
        return;
    int page = 0;
    gtk_tree_model_get(p.sorted, &iter, kPage, &page, -1);
    // As a page typed: the bar's word on an earlier text goes, both fields
    // are rewritten, the page enters the history.
    HideReadingBar(w);
    ForgetScoreSelection(w);
    RequestPage(w, page);
}

// A list scrolled while hidden has no rows placed yet: shown again, it
// brings the row of the page shown into view.
void onListMapped(GtkWidget*, gpointer data)
{
    AppWindow& w = *static_cast<AppWindow*>(data);
    ShowPageInIndex(w, w.preview.requestedPage);
}

void onRowActivated(GtkTreeView*, GtkTreePath* path, GtkTreeViewColumn*, gpointer data)
{
    showPageOf(*static_cast<AppWindow*>(data), path);
}

// Columns of fixed widths (in characters of the list's font), so that the
// list never measures its rows: a keystroke in the search box then costs
// the rows on screen only.
GtkTreeViewColumn* textColumn(GtkWidget* list, const char* title, int column, int sortColumn, int characters,
                              float xalign = 0.0f)
{
    GtkCellRenderer* cell = gtk_cell_renderer_text_new();
    g_object_set(cell, "xalign", xalign, nullptr);
    GtkTreeViewColumn* c = gtk_tree_view_column_new_with_attributes(title, cell, "text", column, nullptr);
    gtk_tree_view_column_set_sort_column_id(c, sortColumn);
    gtk_tree_view_column_set_resizable(c, TRUE);
    gtk_tree_view_column_set_sizing(c, GTK_TREE_VIEW_COLUMN_FIXED);
    PangoLayout* layout = gtk_widget_create_pango_layout(list, std::string(characters, '0').c_str());
    int width = 0;
    pango_layout_get_pixel_size(layout, &width, nullptr);
    g_object_unref(layout);
    gtk_tree_view_column_set_fixed_width(c, width + 12);
    return c;
}

GtkWidget* newLabel(const char* text)
{
    GtkWidget* label = gtk_label_new_with_mnemonic(text);
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    return label;
}

// One row of the filter's grid: its mnemonic label, then the control with
// its tooltip.
void attachRow(GtkWidget* grid, int row, const char* label, GtkWidget* control, const char* tooltip)
{
    GtkWidget* name = newLabel(label);
    gtk_label_set_mnemonic_widget(GTK_LABEL(name), control);
    gtk_widget_set_tooltip_text(control, tooltip);
    gtk_grid_attach(GTK_GRID(grid), name, 0, row, 1, 1);
    gtk_grid_attach(GTK_GRID(grid), control, 1, row, 1, 1);
}

// A text entry of the filter, with an example of what it takes.
GtkWidget* newSetEntry(const char* example)
{
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_placeholder_text(GTK_ENTRY(entry), example);
    return entry;
}

GtkWidget* buildPopover(AppWindow& w)
{
    IndexPanel& p = panelOf(w);
    GtkWidget* grid = gtk_grid_new();
    gtk_container_set_border_width(GTK_CONTAINER(grid), 12);
    gtk_grid_set_row_spacing(GTK_GRID(grid), 6);
    gtk_grid_set_column_spacing(GTK_GRID(grid), 8);

    p.size = gtk_combo_box_text_new();
    gtk_combo_box_text_append(GTK_COMBO_BOX_TEXT(p.size), "0", "Any");
    for (int n = 1; n <= 12; ++n)
        gtk_combo_box_text_append(GTK_COMBO_BOX_TEXT(p.size), std::to_string(n).c_str(), std::to_string(n).c_str());
    gtk_combo_box_set_active_id(GTK_COMBO_BOX(p.size), "0");
    attachRow(grid, 0, "_Size:", p.size, "The number of pitch classes");
    p.contains = newSetEntry("a set, such as 0 4 7");
    attachRow(grid, 1, "_Contains:", p.contains, "Pages whose set contains this set at some transposition");
    p.within = newSetEntry("a set, such as 0 2 4 5 7 9 11");
    attachRow(grid, 2, "_Within:", p.within, "Pages whose set this set contains");

    p.inversions = gtk_check_button_new_with_mnemonic("Also through the _inversion (TnI)");
    gtk_widget_set_tooltip_text(p.inversions, "Contains and within also count the inversion of the set");
    gtk_grid_attach(GTK_GRID(grid), p.inversions, 1, 3, 1, 1);
    p.zOnly = gtk_check_button_new_with_mnemonic("Only sets with a _Z-partner");
    gtk_grid_attach(GTK_GRID(grid), p.zOnly, 1, 4, 1, 1);
    p.symmetricOnly = gtk_check_button_new_with_mnemonic("Only inversionally s_ymmetrical sets");
    gtk_grid_attach(GTK_GRID(grid), p.symmetricOnly, 1, 5, 1, 1);

    p.queryMessage = gtk_label_new("");
    gtk_label_set_line_wrap(GTK_LABEL(p.queryMessage), TRUE);
    gtk_label_set_max_width_chars(GTK_LABEL(p.queryMessage), 40);
    gtk_label_set_xalign(GTK_LABEL(p.queryMessage), 0.0f);
    gtk_grid_attach(GTK_GRID(grid), p.queryMessage, 0, 6, 2, 1);
    GtkWidget* clear = gtk_button_new_with_mnemonic("C_lear");
    gtk_widget_set_halign(clear, GTK_ALIGN_END);
    gtk_grid_attach(GTK_GRID(grid), clear, 1, 7, 1, 1);

    g_signal_connect(p.size, "changed", G_CALLBACK(onQueryChanged), &w);
    g_signal_connect(p.contains, "changed", G_CALLBACK(onQueryChanged), &w);
    g_signal_connect(p.within, "changed", G_CALLBACK(onQueryChanged), &w);
    for (GtkWidget* check : {p.inversions, p.zOnly, p.symmetricOnly})
        g_signal_connect(check, "toggled", G_CALLBACK(onQueryChanged), &w);
    g_signal_connect(clear, "clicked", G_CALLBACK(onClearQuery), &w);

    gtk_widget_show_all(grid);
    gtk_widget_hide(p.queryMessage);
    gtk_widget_set_no_show_all(p.queryMessage, TRUE);
    GtkWidget* popover = gtk_popover_new(p.filterButton);
    gtk_container_add(GTK_CONTAINER(popover), grid);
    return popover;
}

}  // namespace

IndexPanel::~IndexPanel()
{
    if (sorted)
        g_object_unref(sorted);
    if (filter)
        g_object_unref(filter);
}

void AttachIndexPanel(AppWindow& w)
{
    w.indexPanel = std::make_unique<IndexPanel>();
    IndexPanel& p = *w.indexPanel;
    p.found.assign(PitchUniverse::NumTnTypes, true);
    p.passesQuery.assign(PitchUniverse::NumTnTypes, true);
    p.shown.assign(PitchUniverse::NumTnTypes, true);
    p.page = gtk_box_new(GTK_ORIENTATION_VERTICAL, 4);
    gtk_container_set_border_width(GTK_CONTAINER(p.page), 6);

    GtkWidget* row = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 4);
    p.search = gtk_search_entry_new();
    gtk_entry_set_max_length(GTK_ENTRY(p.search), 200);
    gtk_entry_set_placeholder_text(GTK_ENTRY(p.search), "4-Z15, C E G, 24, symmetric\xE2\x80\xA6");
    gtk_widget_set_tooltip_text(p.search, "A Forte name or its beginning, a set in any notation, a page number, "
                                          "or words of a classification (Ctrl+F)");
    atk_object_set_name(gtk_widget_get_accessible(p.search), "Search the index");
    gtk_box_pack_start(GTK_BOX(row), p.search, TRUE, TRUE, 0);
    p.containing = gtk_toggle_button_new_with_label("Containing");
    gtk_widget_set_tooltip_text(p.containing, "Also every page whose set contains the set searched for");
    gtk_box_pack_start(GTK_BOX(row), p.containing, FALSE, FALSE, 0);
    p.filterButton = gtk_menu_button_new();
    gtk_button_set_label(GTK_BUTTON(p.filterButton), "Filter");
    gtk_widget_set_tooltip_text(p.filterButton, "Size, contains, within, Z-related, symmetrical");
    gtk_menu_button_set_popover(GTK_MENU_BUTTON(p.filterButton), buildPopover(w));
    gtk_box_pack_start(GTK_BOX(row), p.filterButton, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(p.page), row, FALSE, FALSE, 0);

    p.status = gtk_label_new("All 351 pages");
    gtk_label_set_xalign(GTK_LABEL(p.status), 0.0f);
    gtk_label_set_ellipsize(GTK_LABEL(p.status), PANGO_ELLIPSIZE_END);
    gtk_box_pack_start(GTK_BOX(p.page), p.status, FALSE, FALSE, 0);

    p.store = gtk_list_store_new(kColumns, G_TYPE_INT, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING,
                                 G_TYPE_INT, G_TYPE_INT);
    fillStore(p.store);
    p.filter = gtk_tree_model_filter_new(GTK_TREE_MODEL(p.store), nullptr);
    g_object_unref(p.store);  // the filter holds it
    gtk_tree_model_filter_set_visible_func(GTK_TREE_MODEL_FILTER(p.filter), rowVisible, &p, nullptr);
    p.sorted = gtk_tree_model_sort_new_with_model(p.filter);
    p.list = gtk_tree_view_new_with_model(p.sorted);
    gtk_tree_view_set_enable_search(GTK_TREE_VIEW(p.list), FALSE);  // the search box above does that
    GtkTreeView* view = GTK_TREE_VIEW(p.list);
    gtk_tree_view_append_column(view, textColumn(p.list, "Page", kPage, kPage, 4, 1.0f));
    gtk_tree_view_append_column(view, textColumn(p.list, "Forte", kForte, kForteOrder, 6));
    gtk_tree_view_append_column(view, textColumn(p.list, "Tn-type", kTnType, kPage, 14));
    gtk_tree_view_append_column(view, textColumn(p.list, "Cost\xC3\xA8re", kCostere, kCostere, 11));
    gtk_tree_view_append_column(view, textColumn(p.list, "Interval vector", kVector, kVector, 13));
    gtk_tree_view_append_column(view, textColumn(p.list, "Size", kSize, kSize, 4, 1.0f));
    gtk_tree_view_set_fixed_height_mode(view, TRUE);
    gtk_tree_selection_set_mode(gtk_tree_view_get_selection(GTK_TREE_VIEW(p.list)), GTK_SELECTION_SINGLE);
    gtk_widget_set_tooltip_text(p.list, "Double-click a row, or press Enter, to show its page");
    g_signal_connect(p.list, "row-activated", G_CALLBACK(onRowActivated), &w);
    g_signal_connect_after(p.list, "map", G_CALLBACK(onListMapped), &w);
    GtkWidget* scroll = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroll), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
    gtk_container_add(GTK_CONTAINER(scroll), p.list);
    gtk_box_pack_start(GTK_BOX(p.page), scroll, TRUE, TRUE, 0);

    g_signal_connect(p.search, "changed", G_CALLBACK(onSearchChanged), &w);
    g_signal_connect(p.containing, "toggled", G_CALLBACK(onContainingToggled), &w);
    gtk_stack_add_titled(GTK_STACK(w.sideStack), p.page, "index", "Index");
}

void ShowPageInIndex(AppWindow& w, int page)
{
    if (!w.indexPanel || page < 1 || page > PitchUniverse::NumTnTypes)
        return;
    IndexPanel& p = *w.indexPanel;
    GtkTreeSelection* selection = gtk_tree_view_get_selection(GTK_TREE_VIEW(p.list));
    GtkTreeIter row, filtered, sortedRow;
    if (!gtk_tree_model_iter_nth_child(GTK_TREE_MODEL(p.store), &row, nullptr, page - 1) ||
        !gtk_tree_model_filter_convert_child_iter_to_iter(GTK_TREE_MODEL_FILTER(p.filter), &filtered, &row) ||
        !gtk_tree_model_sort_convert_child_iter_to_iter(GTK_TREE_MODEL_SORT(p.sorted), &sortedRow, &filtered)) {
        gtk_tree_selection_unselect_all(selection);  // searched away
        return;
    }
    GtkTreePath* path = gtk_tree_model_get_path(p.sorted, &sortedRow);
    gtk_tree_selection_select_path(selection, path);
    gtk_tree_view_scroll_to_cell(GTK_TREE_VIEW(p.list), path, nullptr, FALSE, 0.0f, 0.0f);
    gtk_tree_path_free(path);
}

void FocusIndexSearch(AppWindow& w)
{
    if (!w.indexPanel)
        return;
    g_action_group_change_action_state(G_ACTION_GROUP(w.window), "side-panel", g_variant_new_boolean(TRUE));
    gtk_stack_set_visible_child_name(GTK_STACK(w.sideStack), "index");
    gtk_widget_grab_focus(w.indexPanel->search);
}

std::vector<int> IndexRowsShown(const AppWindow& w)
{
    std::vector<int> pages;
    if (!w.indexPanel)
        return pages;
    GtkTreeModel* model = w.indexPanel->sorted;
    GtkTreeIter iter;
    for (gboolean more = gtk_tree_model_get_iter_first(model, &iter); more;
         more = gtk_tree_model_iter_next(model, &iter)) {
        int page = 0;
        gtk_tree_model_get(model, &iter, kPage, &page, -1);
        pages.push_back(page);
    }
    return pages;
}

void ActivateIndexRow(AppWindow& w, int row)
{
    if (!w.indexPanel)
        return;
    GtkTreePath* path = gtk_tree_path_new_from_indices(row, -1);
    gtk_tree_view_row_activated(GTK_TREE_VIEW(w.indexPanel->list), path, nullptr);
    gtk_tree_path_free(path);
}

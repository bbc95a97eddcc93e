#ifndef HARMODEX_APP_INDEXPANEL_H
#define HARMODEX_APP_INDEXPANEL_H

// The index: the 351 pages as a list in the side panel, one row each with
// its page, Forte name, Tn-type, Costère code, interval vector and size,
// sorted by any column. A search box above it narrows the rows as one
// types (the catalogue's text search: a Forte name or its beginning, a set
// in any notation, a page, words of a classification), optionally to every
// page whose set contains the set typed; a filter popover beside it asks
// the catalogue's queries (size, contains, within, Z-related, symmetrical).
// The row of the page shown is selected; activating a row shows its page.

#include <string>
#include <vector>

#include <gtk/gtk.h>

struct AppWindow;

struct IndexPanel {
    ~IndexPanel();

    GtkWidget* page = nullptr;          // the panel's page in the side panel's stack
    GtkWidget* search = nullptr;        // a GtkSearchEntry
    GtkWidget* containing = nullptr;    // a toggle: also the pages whose set contains the set typed
    GtkWidget* filterButton = nullptr;  // opens the filter popover
    GtkWidget* status = nullptr;        // "2 of 351 pages: ..."
    GtkWidget* list = nullptr;          // a tree view over sorted
    GtkListStore* store = nullptr;      // the 351 rows in page order
    GtkTreeModel* filter = nullptr;     // store less the rows searched away
    GtkTreeModel* sorted = nullptr;     // filter in the order the columns choose

    // The popover's fields.
    GtkWidget* size = nullptr;  // a combo box: any size, 1 to 12
    GtkWidget* contains = nullptr;
    GtkWidget* inversions = nullptr;
    GtkWidget* within = nullptr;
    GtkWidget* zOnly = nullptr;
    GtkWidget* symmetricOnly = nullptr;
    GtkWidget* queryMessage = nullptr;

    std::vector<bool> found;        // by page - 1: the search box's answer
    std::vector<bool> passesQuery;  // by page - 1: the popover's answer
    std::vector<bool> shown;        // by page - 1: both, as the list shows them
};

// Builds the panel's page and adds it to the side panel's stack as "index".
void AttachIndexPanel(AppWindow& w);

// Selects the row of page (when the search shows it) and scrolls it into view.
void ShowPageInIndex(AppWindow& w, int page);

// Shows the side panel at the index and puts the focus in its search box.
void FocusIndexSearch(AppWindow& w);

// The rows the list shows, in its order: their page numbers.
std::vector<int> IndexRowsShown(const AppWindow& w);

// Shows the page of a row of the list (as activating it does); row counts
// in the list's order.
void ActivateIndexRow(AppWindow& w, int row);

#endif

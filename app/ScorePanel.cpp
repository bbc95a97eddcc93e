#include "app/ScorePanel.h"

#include <algorithm>
#include <cstdio>

#include "app/AppWindow.h"
#include "app/MainLoop.h"
#include "app/PageRequest.h"
#include "app/ReadingBar.h"

namespace {

enum Column { kWhere, kNotes, kForte, kTnType, kPage, kColumns };

std::string decimal(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
}

ScorePanel& panelOf(AppWindow& w) { return *w.scorePanel; }

void say(ScorePanel& p, const std::string& text)
{
    gtk_label_set_text(GTK_LABEL(p.message), text.c_str());
    gtk_widget_set_visible(p.message, !text.empty());
}

void fillList(ScorePanel& p)
{
    gtk_list_store_clear(p.store);
    for (const Segment& s : p.segments) {
        std::string notes;
        for (int pitch : s.pitches)
            notes += (notes.empty() ? "" : " ") + NoteName(pitch);
        const std::string where = s.measure + " \xC2\xB7 " + decimal(s.beatNumber);
        GtkTreeIter row;
        gtk_list_store_append(p.store, &row);
        gtk_list_store_set(p.store, &row, kWhere, where.c_str(), kNotes, notes.c_str(), kForte, s.forteName.c_str(),
                           kTnType, s.tnType.c_str(), kPage, s.page, -1);
    }
}

void finished(AppWindow& w, int job, std::shared_ptr<const Score> score, std::vector<Segment> segments,
              std::vector<ProfileRow> profile)
{
    if (!w.window || !w.scorePanel || job != w.scorePanel->job)
        return;  // a job since replaced, or a window gone
    ScorePanel& p = panelOf(w);
    gtk_widget_hide(p.progress);
    p.score = std::move(score);
    p.segments = std::move(segments);
    p.profile = std::move(profile);
    p.selected = -1;
    fillList(p);
    gtk_widget_queue_resize(p.profileChart);
    gtk_widget_queue_draw(p.profileChart);
    const std::size_t count = p.segments.size();
    say(p, count == 0 ? "Nothing sounds in this score."
                      : std::to_string(count) + (count == 1 ? " sonority, " : " sonorities, ") +
                            std::to_string(p.profile.size()) + (p.profile.size() == 1 ? " set class" : " set classes") +
                            " (" + p.score->format + ")");
}

void failed(AppWindow& w, int job, const std::string& reason)
{
    if (!w.window || !w.scorePanel || job != w.scorePanel->job)
        return;
    ScorePanel& p = panelOf(w);
    gtk_widget_hide(p.progress);
    say(p, reason);
}

void advanced(AppWindow& w, int job, double fraction)
{
    if (!w.window || !w.scorePanel || job != w.scorePanel->job)
        return;
    gtk_progress_bar_set_fraction(GTK_PROGRESS_BAR(w.scorePanel->progress), fraction);
}

SegmentBy chosenSegmentation(const ScorePanel& p)
{
    SegmentBy by = SegmentBy::Onset;
    const gchar* id = gtk_combo_box_get_active_id(GTK_COMBO_BOX(p.segmentation));
    if (id)
        SegmentByFromName(id, &by);
    return by;
}

// Reads the score (unless it is read already) and cuts it, on the panel's
// thread.
void startJob(AppWindow& w, std::shared_ptr<const Score> known)
{
    ScorePanel& p = panelOf(w);
    StopScoreWork(w);
    const int job = ++p.job;
    p.stop = std::make_shared<std::atomic<bool>>(false);
    gtk_progress_bar_set_fraction(GTK_PROGRESS_BAR(p.progress), 0.0);
    gtk_widget_show(p.progress);
    say(p, known ? "" : "Reading the score\xE2\x80\xA6");
    AppWindow* target = &w;
    std::shared_ptr<std::atomic<bool>> stop = p.stop;
    const SegmentBy by = chosenSegmentation(p);
    const bool merge = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(p.merge));
    p.worker = std::thread([target, job, stop, by, merge, known, path = p.path] {
        try {
            std::shared_ptr<const Score> score = known;
            if (!score) {
                ScoreReadOptions options;
                double posted = -1.0;
                options.progress = [&](double fraction) {
                    if (fraction - posted >= 0.02) {  // a few dozen updates, not one a note
                        posted = fraction;
                        PostToMainLoop([target, job, fraction] { advanced(*target, job, fraction); });
                    }
                    return !*stop;
                };
                score = std::make_shared<const Score>(ReadScore(path, options));
            }
            if (*stop)
                return;
            std::vector<Segment> segments = SegmentScore(*score, by, merge);
            std::vector<ProfileRow> profile = SetClassProfile(segments);
            PostToMainLoop([target, job, score, segments = std::move(segments), profile = std::move(profile)] {
                finished(*target, job, score, segments, profile);
            });
        } catch (const std::exception& e) {
            if (*stop)
                return;
            const std::string reason = e.what();
            PostToMainLoop([target, job, reason] { failed(*target, job, reason); });
        }
    });
}

void onSegmentationChanged(GtkWidget*, gpointer data)
{
    AppWindow& w = *static_cast<AppWindow*>(data);
    if (w.scorePanel->score)
        startJob(w, w.scorePanel->score);
}

void onRowSelected(GtkTreeSelection* selection, gpointer data)
{
    AppWindow& w = *static_cast<AppWindow*>(data);
    ScorePanel& p = panelOf(w);
    GtkTreeModel* model = nullptr;
    GtkTreeIter row;
    if (!gtk_tree_selection_get_selected(selection, &model, &row))
        return;
    GtkTreePath* where = gtk_tree_model_get_path(model, &row);
    const int index = gtk_tree_path_get_indices(where)[0];
    gtk_tree_path_free(where);
    if (index < 0 || index >= static_cast<int>(p.segments.size()))
        return;
    const Segment& s = p.segments[static_cast<std::size_t>(index)];
    HideReadingBar(w);
    w.typedSet.initializeSet(s.pitchClasses);
    RequestPage(w, s.page);
    p.selected = index;  // after the request, which forgets any earlier choice
}

// The profile: the most frequent Forte names, a bar each as long as the
// time it sounds, the longest filling the width.
constexpr int kProfileRows = 8;
constexpr int kRowHeight = 18;

gboolean drawProfile(GtkWidget* area, cairo_t* cr, gpointer data)
{
    const ScorePanel& p = *static_cast<AppWindow*>(data)->scorePanel;
    const int rows = std::min<int>(kProfileRows, static_cast<int>(p.profile.size()));
    if (rows == 0)
        return FALSE;
    const int width = gtk_widget_get_allocated_width(area);
    double longest = 0.0;
    for (int i = 0; i < rows; ++i)
        longest = std::max(longest, p.profile[static_cast<std::size_t>(i)].durationQuarters);
    GtkStyleContext* style = gtk_widget_get_style_context(area);
    GdkRGBA ink;
    gtk_style_context_get_color(style, gtk_style_context_get_state(style), &ink);
    const int labelWidth = 56, valueWidth = 64;
    const double barRoom = std::max(10, width - labelWidth - valueWidth - 8);
    for (int i = 0; i < rows; ++i) {
        const ProfileRow& row = p.profile[static_cast<std::size_t>(i)];
        const double y = 4 + i * kRowHeight;
        PangoLayout* label = gtk_widget_create_pango_layout(area, row.forteName.c_str());
        gdk_cairo_set_source_rgba(cr, &ink);
        cairo_move_to(cr, 0, y);
        pango_cairo_show_layout(cr, label);
        g_object_unref(label);
        const double length = longest > 0 ? barRoom * row.durationQuarters / longest : 0;
        cairo_set_source_rgba(cr, 0.21, 0.52, 0.89, 0.85);
        cairo_rectangle(cr, labelWidth, y + 3, std::max(1.0, length), kRowHeight - 6);
        cairo_fill(cr);
        const std::string value = decimal(row.durationQuarters) + " q \xC2\xB7 " + std::to_string(row.segments);
        PangoLayout* figure = gtk_widget_create_pango_layout(area, value.c_str());
        gdk_cairo_set_source_rgba(cr, &ink);
        cairo_move_to(cr, labelWidth + length + 4, y);
        pango_cairo_show_layout(cr, figure);
        g_object_unref(figure);
    }
    return FALSE;
}

void onProfileSize(GtkWidget* area, GtkAllocation*, gpointer data)
{
    const ScorePanel& p = *static_cast<AppWindow*>(data)->scorePanel;
    const int rows = std::min<int>(kProfileRows, static_cast<int>(p.profile.size()));
    gtk_widget_set_size_request(area, -1, rows * kRowHeight + (rows ? 8 : 0));
}

void onDropped(GtkWidget*, GdkDragContext* context, int, int, GtkSelectionData* data, guint, guint time,
               gpointer window)
{
    gchar** uris = gtk_selection_data_get_uris(data);
    gchar* path = uris && uris[0] ? g_filename_from_uri(uris[0], nullptr, nullptr) : nullptr;
    if (path)
        OpenScore(*static_cast<AppWindow*>(window), path);
    gtk_drag_finish(context, path != nullptr, FALSE, time);
    g_free(path);
    g_strfreev(uris);
}

GtkTreeViewColumn* textColumn(const char* title, int column)
{
    GtkCellRenderer* cell = gtk_cell_renderer_text_new();
    GtkTreeViewColumn* c = gtk_tree_view_column_new_with_attributes(title, cell, "text", column, nullptr);
    gtk_tree_view_column_set_resizable(c, TRUE);
    return c;
}

}  // namespace

ScorePanel::~ScorePanel()
{
    if (stop)
        *stop = true;
    if (worker.joinable())
        worker.join();
}

void AttachScorePanel(AppWindow& w)
{
    w.scorePanel = std::make_unique<ScorePanel>();
    ScorePanel& p = *w.scorePanel;
    p.page = gtk_box_new(GTK_ORIENTATION_VERTICAL, 6);
    gtk_container_set_border_width(GTK_CONTAINER(p.page), 6);

    GtkWidget* top = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
    p.fileLabel = gtk_label_new("No score open");
    gtk_label_set_ellipsize(GTK_LABEL(p.fileLabel), PANGO_ELLIPSIZE_MIDDLE);
    gtk_label_set_max_width_chars(GTK_LABEL(p.fileLabel), 30);
    gtk_label_set_xalign(GTK_LABEL(p.fileLabel), 0.0f);
    gtk_box_pack_start(GTK_BOX(top), p.fileLabel, TRUE, TRUE, 0);
    GtkWidget* open = gtk_button_new_with_mnemonic("_Open\xE2\x80\xA6");
    gtk_actionable_set_action_name(GTK_ACTIONABLE(open), "win.open-score");
    gtk_widget_set_tooltip_text(open, "Open a score: MusicXML (.musicxml, .xml, .mxl) or MIDI (.mid) (Ctrl+O)");
    gtk_box_pack_end(GTK_BOX(top), open, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(p.page), top, FALSE, FALSE, 0);

    GtkWidget* options = gtk_box_new(GTK_ORIENTATION_HORIZONTAL, 6);
    gtk_box_pack_start(GTK_BOX(options), gtk_label_new("Sonorities:"), FALSE, FALSE, 0);
    p.segmentation = gtk_combo_box_text_new();
    gtk_combo_box_text_append(GTK_COMBO_BOX_TEXT(p.segmentation), "onset", "at every onset");
    gtk_combo_box_text_append(GTK_COMBO_BOX_TEXT(p.segmentation), "measure", "in every measure");
    gtk_combo_box_text_append(GTK_COMBO_BOX_TEXT(p.segmentation), "beat", "in every beat");
    gtk_combo_box_set_active_id(GTK_COMBO_BOX(p.segmentation), "onset");
    gtk_widget_set_tooltip_text(p.segmentation, "Where the score is cut into sonorities");
    gtk_box_pack_start(GTK_BOX(options), p.segmentation, FALSE, FALSE, 0);
    p.merge = gtk_check_button_new_with_mnemonic("_Join repeats");
    gtk_widget_set_tooltip_text(p.merge, "Join consecutive sonorities of the same pitch-class set");
    gtk_box_pack_start(GTK_BOX(options), p.merge, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(p.page), options, FALSE, FALSE, 0);
    g_signal_connect(p.segmentation, "changed", G_CALLBACK(onSegmentationChanged), &w);
    g_signal_connect(p.merge, "toggled", G_CALLBACK(onSegmentationChanged), &w);

    p.progress = gtk_progress_bar_new();
    gtk_widget_set_no_show_all(p.progress, TRUE);
    gtk_box_pack_start(GTK_BOX(p.page), p.progress, FALSE, FALSE, 0);
    p.message = gtk_label_new("");
    gtk_label_set_line_wrap(GTK_LABEL(p.message), TRUE);
    gtk_label_set_line_wrap_mode(GTK_LABEL(p.message), PANGO_WRAP_WORD_CHAR);  // long paths too
    gtk_label_set_max_width_chars(GTK_LABEL(p.message), 40);
    gtk_label_set_xalign(GTK_LABEL(p.message), 0.0f);
    gtk_label_set_selectable(GTK_LABEL(p.message), TRUE);
    gtk_widget_set_no_show_all(p.message, TRUE);
    gtk_box_pack_start(GTK_BOX(p.page), p.message, FALSE, FALSE, 0);

    p.profileChart = gtk_drawing_area_new();
    gtk_widget_set_tooltip_text(p.profileChart,
                                "The most frequent set classes, each bar as long as the time they sound "
                                "(in quarter notes), with their number of sonorities");
    g_signal_connect(p.profileChart, "draw", G_CALLBACK(drawProfile), &w);
    g_signal_connect(p.profileChart, "size-allocate", G_CALLBACK(onProfileSize), &w);
    gtk_box_pack_start(GTK_BOX(p.page), p.profileChart, FALSE, FALSE, 0);

    p.store = gtk_list_store_new(kColumns, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_STRING, G_TYPE_INT);
    p.list = gtk_tree_view_new_with_model(GTK_TREE_MODEL(p.store));
    g_object_unref(p.store);  // the view holds it
    gtk_tree_view_append_column(GTK_TREE_VIEW(p.list), textColumn("Bar \xC2\xB7 beat", kWhere));
    gtk_tree_view_append_column(GTK_TREE_VIEW(p.list), textColumn("Notes", kNotes));
    gtk_tree_view_append_column(GTK_TREE_VIEW(p.list), textColumn("Forte", kForte));
    gtk_tree_view_append_column(GTK_TREE_VIEW(p.list), textColumn("Tn-type", kTnType));
    gtk_tree_view_append_column(GTK_TREE_VIEW(p.list), textColumn("Page", kPage));
    gtk_widget_set_tooltip_text(p.list,
                                "Measure and beat, the notes sounding, and their set: select one to show its page");
    g_signal_connect(gtk_tree_view_get_selection(GTK_TREE_VIEW(p.list)), "changed", G_CALLBACK(onRowSelected), &w);
    GtkWidget* scroll = gtk_scrolled_window_new(nullptr, nullptr);
    gtk_scrolled_window_set_policy(GTK_SCROLLED_WINDOW(scroll), GTK_POLICY_AUTOMATIC, GTK_POLICY_AUTOMATIC);
    gtk_container_add(GTK_CONTAINER(scroll), p.list);
    gtk_box_pack_start(GTK_BOX(p.page), scroll, TRUE, TRUE, 0);

    gtk_stack_add_titled(GTK_STACK(w.sideStack), p.page, "score", "Score");

    // A score file dropped anywhere on the window is opened.
    gtk_drag_dest_set(w.window, GTK_DEST_DEFAULT_ALL, nullptr, 0, GDK_ACTION_COPY);
    gtk_drag_dest_add_uri_targets(w.window);
    g_signal_connect(w.window, "drag-data-received", G_CALLBACK(onDropped), &w);
}

void ShowOpenScoreDialog(AppWindow& w)
{
    GtkWidget* dialog =
        gtk_file_chooser_dialog_new("Open score", GTK_WINDOW(w.window), GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel",
                                    GTK_RESPONSE_CANCEL, "_Open", GTK_RESPONSE_ACCEPT, nullptr);
    GtkFileFilter* scores = gtk_file_filter_new();
    gtk_file_filter_set_name(scores, "Scores (MusicXML, MIDI)");
    for (const char* pattern :
         {"*.musicxml", "*.xml", "*.mxl", "*.mid", "*.midi", "*.MUSICXML", "*.XML", "*.MXL", "*.MID", "*.MIDI"})
        gtk_file_filter_add_pattern(scores, pattern);
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(dialog), scores);
    GtkFileFilter* all = gtk_file_filter_new();
    gtk_file_filter_set_name(all, "All files");
    gtk_file_filter_add_pattern(all, "*");
    gtk_file_chooser_add_filter(GTK_FILE_CHOOSER(dialog), all);
    std::string chosen;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog));
        if (name)
            chosen = name;
        g_free(name);
    }
    gtk_widget_destroy(dialog);
    if (!chosen.empty())
        OpenScore(w, chosen);
}

void OpenScore(AppWindow& w, const std::string& path)
{
    ScorePanel& p = panelOf(w);
    g_action_group_change_action_state(G_ACTION_GROUP(w.window), "side-panel", g_variant_new_boolean(TRUE));
    gtk_stack_set_visible_child_name(GTK_STACK(w.sideStack), "score");
    p.path = path;
    p.score.reset();
    p.segments.clear();
    p.profile.clear();
    p.selected = -1;
    gtk_list_store_clear(p.store);
    gtk_widget_queue_resize(p.profileChart);
    gchar* base = g_path_get_basename(path.c_str());
    gtk_label_set_text(GTK_LABEL(p.fileLabel), base);
    gtk_widget_set_tooltip_text(p.fileLabel, path.c_str());
    g_free(base);
    startJob(w, nullptr);
}

std::vector<int> SelectedScorePitches(const AppWindow& w)
{
    if (!w.scorePanel || w.scorePanel->selected < 0)
        return {};
    return w.scorePanel->segments[static_cast<std::size_t>(w.scorePanel->selected)].pitches;
}

void ForgetScoreSelection(AppWindow& w)
{
    if (w.scorePanel)
        w.scorePanel->selected = -1;
}

void StopScoreWork(AppWindow& w)
{
    if (!w.scorePanel)
        return;
    ScorePanel& p = *w.scorePanel;
    if (p.stop)
        *p.stop = true;
    if (p.worker.joinable())
        p.worker.join();
}

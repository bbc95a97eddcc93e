#include "app/ReadingBar.h"

#include <algorithm>
#include <cctype>

#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"
#include "pcset/SetReader.h"

namespace {

constexpr int ShowOfferedSet = 1;

// The catalogue entry of a set's Tn-type: its text, Forte name and page.
struct Entry {
    std::vector<int> tnType;
    std::string forteName;
    int page;
};

Entry entryOf(const std::vector<int>& set)
{
    PitchClassSet scratch;
    scratch.initializeSet(set);
    const std::vector<int> tn = scratch.getTnType();
    const int index = FindSetID(VectorToString(tn), SharedUniverse());
    return {tn, SharedUniverse().forteNames[index], index + 1};
}

// "7 11 2 = T7 of 0 4 7" when the set is not its Tn-type itself, else "7 11 2".
std::string withTransposition(const std::vector<int>& set, const Entry& entry)
{
    std::vector<int> sorted = set;
    std::sort(sorted.begin(), sorted.end());
    std::string text = VectorToString(set);
    if (sorted == entry.tnType)
        return text;
    for (int level = 1; level < 12; ++level) {
        std::vector<int> moved;
        for (int pc : entry.tnType)
            moved.push_back(Mod_X_Add(pc, level, 12));
        std::sort(moved.begin(), moved.end());
        if (moved == sorted)
            return text + " = T" + IntToStringPlain(level) + " of " + VectorToString(entry.tnType);
    }
    return text;
}

std::string capitalised(std::string sentence)
{
    if (!sentence.empty() && sentence[0] >= 'a' && sentence[0] <= 'z')
        sentence[0] = static_cast<char>(sentence[0] - 'a' + 'A');
    return sentence;
}

void onResponse(GtkInfoBar*, int response, void* data)
{
    AppWindow& w = *static_cast<AppWindow*>(data);
    gtk_widget_hide(w.readingBar);
    if (response != ShowOfferedSet || w.offeredSet.empty())
        return;
    // As if the user had typed the set into the Tn-type field.
    const std::string typed = VectorToString(w.offeredSet);
    gtk_entry_set_text(GTK_ENTRY(w.tnTypeField), typed.c_str());
    g_signal_emit_by_name(w.tnTypeField, "activate");
}

}  // namespace

namespace {

// The literal reading takes the text whole: as before, the reader's other
// reading (if any) is offered.
ReadingNotice literalNotice(const std::string& text, const std::vector<int>& literal, const SetReading& reading,
                            bool costereField)
{
    const bool agrees = reading.error.empty() && AgreesWithLiteralReading(text, reading);
    const Entry entry = entryOf(literal);
    const std::string shown = withTransposition(literal, entry);
    if (agrees) {
        if (shown.find(" = T") == std::string::npos)
            return {};
        return {shown, {}, GTK_MESSAGE_INFO};
    }
    std::string message =
        QuoteForMessage(text) + " was read as " + shown + " (page " + IntToStringPlain(entry.page) + ").";
    if (!reading.error.empty())
        return {message + " " + capitalised(reading.error) + ".", {}, GTK_MESSAGE_WARNING};

    const Entry other = entryOf(reading.pitchClasses);
    const std::string otherText =
        VectorToString(reading.pitchClasses) + ": " + other.forteName + ", page " + IntToStringPlain(other.page);
    if (costereField && reading.form == "Costère code" && !IsCostereCodeText(text))
        message += " " + QuoteForMessage(text) + " as a Costère code is " + otherText + ".";
    else
        message += " Did you mean " + otherText + "?";
    return {message, reading.pitchClasses, GTK_MESSAGE_QUESTION};
}

std::vector<int> sorted(std::vector<int> set)
{
    std::sort(set.begin(), set.end());
    return set;
}

}  // namespace

TypedTextReading ReadTypedText(const std::string& text, bool costereField)
{
    const std::vector<int> literal = DistinctPitchClasses(ReadSetText(text));
    const SetReading reading = costereField ? UnderstandCostereFieldText(text) : UnderstandSetText(text);
    TypedTextReading read;
    if (!literal.empty() && ReadsLiterallyAsWritten(text)) {
        read.set = literal;
        read.notice = literalNotice(text, literal, reading, costereField);
        return read;
    }
    if (reading.error.empty() && !reading.pitchClasses.empty()) {
        // Another notation: the page it names, and the literal reading
        // (which takes only the beginning of the text) offered.
        read.set = reading.pitchClasses;
        const std::string shown = withTransposition(read.set, entryOf(read.set));
        read.notice = {QuoteForMessage(text) + " read as " + reading.form + ": " + shown + ".", {}, GTK_MESSAGE_INFO};
        // The fields' own reading stays one click away, as the bar's
        // button, wherever it gives another set.
        if (!literal.empty() && sorted(literal) != sorted(read.set))
            read.notice.offered = literal;
        return read;
    }
    // One line beside the fields; the reader's full explanation (the forms
    // it knows, the valid range of a Forte name or a page) in its tooltip.
    const bool blank = text.find_first_not_of(" \t") == std::string::npos;
    read.fieldMessage = (blank ? std::string("Type a set") : QuoteForMessage(text) + " names no set") +
                        ", such as 0 4 7, C E G, 3-11b, p24 or 13.12.14.";
    read.fieldDetail = reading.error.empty() ? "" : capitalised(reading.error) + ".";
    return read;
}

ReadingNotice NoticeForTypedText(const std::string& text, bool costereField)
{
    return ReadTypedText(text, costereField).notice;
}

void AttachReadingBar(AppWindow& w)
{
    w.readingBar = gtk_info_bar_new();
    gtk_info_bar_set_show_close_button(GTK_INFO_BAR(w.readingBar), TRUE);
    w.readingBarMessage = gtk_label_new("");
    gtk_label_set_line_wrap(GTK_LABEL(w.readingBarMessage), TRUE);
    gtk_label_set_xalign(GTK_LABEL(w.readingBarMessage), 0.0f);
    gtk_label_set_selectable(GTK_LABEL(w.readingBarMessage), TRUE);
    gtk_container_add(GTK_CONTAINER(gtk_info_bar_get_content_area(GTK_INFO_BAR(w.readingBar))), w.readingBarMessage);
    gtk_widget_show(w.readingBarMessage);
    w.readingBarButton = gtk_info_bar_add_button(GTK_INFO_BAR(w.readingBar), "_Show", ShowOfferedSet);
    g_signal_connect(w.readingBar, "response", G_CALLBACK(onResponse), &w);
    // Shown only when there is something to say, whatever shows the window.
    gtk_widget_set_no_show_all(w.readingBar, TRUE);

    // What the fields accept, said beside them when a text named no set.
    w.fieldMessage = gtk_label_new("");
    gtk_label_set_ellipsize(GTK_LABEL(w.fieldMessage), PANGO_ELLIPSIZE_END);
    gtk_label_set_max_width_chars(GTK_LABEL(w.fieldMessage), 64);
    gtk_label_set_xalign(GTK_LABEL(w.fieldMessage), 0.0f);
    gtk_widget_set_no_show_all(w.fieldMessage, TRUE);
    GtkWidget* fieldBox = gtk_widget_get_parent(w.costereField);
    gtk_box_pack_start(GTK_BOX(fieldBox), w.fieldMessage, FALSE, TRUE, 6);

    GtkWidget* box = gtk_widget_get_parent(w.inputRow);
    int position = 0;
    gtk_container_child_get(GTK_CONTAINER(box), w.inputRow, "position", &position, nullptr);
    gtk_box_pack_start(GTK_BOX(box), w.readingBar, FALSE, TRUE, 0);
    gtk_box_reorder_child(GTK_BOX(box), w.readingBar, position);
}

void ShowTypedTextReading(AppWindow& w, const TypedTextReading& reading)
{
    if (!w.readingBar)
        return;
    gtk_label_set_text(GTK_LABEL(w.fieldMessage), reading.fieldMessage.c_str());
    gtk_widget_set_tooltip_text(w.fieldMessage, reading.fieldDetail.empty() ? nullptr : reading.fieldDetail.c_str());
    gtk_widget_set_visible(w.fieldMessage, !reading.fieldMessage.empty());
    const ReadingNotice& notice = reading.notice;
    w.offeredSet = notice.offered;
    if (notice.message.empty()) {
        gtk_widget_hide(w.readingBar);
        return;
    }
    gtk_label_set_text(GTK_LABEL(w.readingBarMessage), notice.message.c_str());
    gtk_info_bar_set_message_type(GTK_INFO_BAR(w.readingBar), notice.kind);
    if (notice.offered.empty()) {
        gtk_widget_hide(w.readingBarButton);
    } else {
        gtk_button_set_label(GTK_BUTTON(w.readingBarButton), ("_Show " + VectorToString(notice.offered)).c_str());
        gtk_widget_show(w.readingBarButton);
    }
    gtk_widget_show(w.readingBar);
}

void HideReadingBar(AppWindow& w)
{
    if (w.readingBar)
        gtk_widget_hide(w.readingBar);
    if (w.fieldMessage)
        gtk_widget_hide(w.fieldMessage);
}

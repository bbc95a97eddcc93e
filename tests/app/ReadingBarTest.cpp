// The reading bar: what it says for a typed text, and the bar itself driven
// in-process in the real window (run under Xvfb by CTest).
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include "app/ReadingBar.h"

namespace {

const std::string open = "\xE2\x80\x9C", close = "\xE2\x80\x9D";

TEST(ReadingNotice, SaysWhatWasReadAndOffersTheOtherReading)
{
    struct Case {
        const char* typed;
        bool costereField;
        std::string message;
        const char* offered;
        GtkMessageType kind;
    };
    const Case cases[] = {
        {"0 4 7", false, "", "", GTK_MESSAGE_INFO},
        {"13.12.14", true, "", "", GTK_MESSAGE_INFO},
        // Both readings take the text: the literal one stands, the other is offered.
        {"047", false,
         open + "047" + close + " was read as 11 = T11 of 0 (page 1). Did you mean 0 4 7: 3-11b, page 24?", "0 4 7",
         GTK_MESSAGE_QUESTION},
        {"39", true,
         open + "39" + close + " was read as 3 = T3 of 0 (page 1). " + open + "39" + close +
             " as a Costère code is 0 1 2: 3-1, page 8.",
         "0 1 2", GTK_MESSAGE_QUESTION},
        // Another notation: read as the reader reads it, the literal reading offered.
        {"0,4,7", false, open + "0,4,7" + close + " read as pitch-class list: 0 4 7.", "0", GTK_MESSAGE_INFO},
        {"7 t 2 6 9 0", false, open + "7 t 2 6 9 0" + close + " read as pitch-class list: 7 10 2 6 9 0 = T",
         "7 0 2 6 9", GTK_MESSAGE_INFO},
        {"Bb D F", false, open + "Bb D F" + close + " read as note names: 10 2 5 = T10 of 0 4 7.", "0",
         GTK_MESSAGE_INFO},
        {"3-11", false, open + "3-11" + close + " read as Forte class 3-11: 0 3 7.", "3", GTK_MESSAGE_INFO},
        // Nothing reads it: nothing to say in the bar.
        {"hello", false, "", "", GTK_MESSAGE_INFO},
        {"", false, "", "", GTK_MESSAGE_INFO},
        {"3-13", false, "", "", GTK_MESSAGE_INFO},
    };
    for (const Case& c : cases) {
        const ReadingNotice notice = NoticeForTypedText(c.typed, c.costereField);
        if (c.message.empty())
            EXPECT_EQ(notice.message, "") << c.typed;
        else
            EXPECT_NE(notice.message.find(c.message), std::string::npos) << c.typed << ": " << notice.message;
        std::string offered;
        for (int pc : notice.offered)
            offered += (offered.empty() ? "" : " ") + std::to_string(pc);
        EXPECT_EQ(offered, c.offered) << c.typed;
        EXPECT_EQ(notice.kind, c.kind) << c.typed;
    }
}

// The set asked for, or what the label beside the fields says instead.
TEST(ReadingNotice, ATextNothingReadsAsksForNoPage)
{
    struct Case {
        const char* typed;
        bool costereField;
        std::vector<int> set;
        const char* fieldMessage;  // its beginning
    };
    const Case cases[] = {
        {"7 11 2", false, {7, 11, 2}, ""},
        {"13.12.14", true, {0, 4, 7}, ""},
        {"047", false, {11}, ""},
        {"C E G", false, {0, 4, 7}, ""},
        {"p24", false, {0, 4, 7}, ""},
        {"4-Z15", true, {0, 1, 4, 6}, ""},
        {"hello", false, {}, "\xE2\x80\x9Chello\xE2\x80\x9D names no set, such as 0 4 7, C E G"},
        {"", true, {}, "Type a set, such as 0 4 7"},
        {"...", true, {}, "\xE2\x80\x9C...\xE2\x80\x9D names no set"},
        {"3-13",
         false,
         {},
         "\xE2\x80\x9C"
         "3-13\xE2\x80\x9D names no set"},
    };
    for (const Case& c : cases) {
        const TypedTextReading read = ReadTypedText(c.typed, c.costereField);
        EXPECT_EQ(read.set, c.set) << c.typed;
        EXPECT_NE(read.fieldMessage.empty(), c.set.empty()) << c.typed;
        EXPECT_EQ(read.fieldMessage.rfind(c.fieldMessage, 0), 0u) << c.typed << ": " << read.fieldMessage;
    }
    // The reader's explanation goes with it.
    EXPECT_EQ(ReadTypedText("3-13", false).fieldDetail.rfind("There is no Forte class 3-13", 0), 0u);
}

}  // namespace

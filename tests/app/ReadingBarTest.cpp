// The reading bar: what it says for a typed text, and the bar itself driven
// in-process in the real window (run under Xvfb by CTest).
#include <string>

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
        {"0,4,7", false, open + "0,4,7" + close + " was read as 0 (page 1). Did you mean 0 4 7: 3-11b, page 24?",
         "0 4 7", GTK_MESSAGE_QUESTION},
        {"7 t 2 6 9 0", false,
         open + "7 t 2 6 9 0" + close +
             " was read as 7 0 2 6 9 = T6 of 0 1 3 6 8 (page 91). Did you mean 7 10 2 6 9 0: 6-Z24, page 166?",
         "7 10 2 6 9 0", GTK_MESSAGE_QUESTION},
        {"39", true,
         open + "39" + close + " was read as 3 = T3 of 0 (page 1). " + open + "39" + close +
             " as a Costère code is 0 1 2: 3-1, page 8.",
         "0 1 2", GTK_MESSAGE_QUESTION},
        {"hello", false,
         open + "hello" + close + " was read as 0 (page 1). " + open + "hello" + close +
             " is neither a pitch class nor a note name; write a set as",
         "", GTK_MESSAGE_WARNING},
        {"", false, open + close + " names no set. Nothing was typed; write a set as", "", GTK_MESSAGE_WARNING},
        {"3-13", false, "was read as 3 = T3 of 0 (page 1). There is no Forte class 3-13", "", GTK_MESSAGE_WARNING},
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

}  // namespace

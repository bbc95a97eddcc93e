#include "postscript/PostScriptWriter.h"

#include "postscript/MemoryStream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The creation date changes with every run; tests compare the rest exactly
// (so a date line must end with exactly one newline).
std::string WithFixedDate(std::string text)
{
    const std::string key = "%%CreationDate: ";
    const std::size_t start = text.find(key);
    if (start == std::string::npos)
        return text;
    const std::size_t end = text.find('\n', start);
    return text.replace(start + key.size(), end - start - key.size(), "DATE");
}

const char* const kPrologue = "/Arial findfont\n"
                              "0 dict copy begin\n"
                              "/Encoding ISOLatin1Encoding def\n"
                              "/MyArial /FontName def\n"
                              "currentdict end\n"
                              "dup /FID undef\n"
                              "/MyArial exch definefont pop\n";

TEST(PostScriptWriter, BoundingBoxTruncatesTowardZero)
{
    struct Case {
        float w, h;
        const char* line;
    };
    const Case cases[] = {
        {481.9f, 680.99f, "%%BoundingBox: 0 0 481 680\n"},
        {0.5f, 1.0f, "%%BoundingBox: 0 0 0 1\n"},
        {-3.7f, 2.2f, "%%BoundingBox: 0 0 -3 2\n"},
        {1e12f, -1e12f, "%%BoundingBox: 0 0 2147483647 -2147483648\n"},
    };
    for (const Case& c : cases) {
        const std::string text = Capture([&](FILE* out) { Print_EPS_Header(out, c.w, c.h, "t"); });
        EXPECT_NE(text.find(c.line), std::string::npos) << c.line;
    }
}

TEST(PostScriptWriter, MultiPageDocumentFrame)
{
    // Three pages as the page composer frames them: header, two separators,
    // trailer.
    const std::string text = Capture([](FILE* out) {
        Print_PS_Header(out, "book", 3);
        std::fputs("P1\n", out);
        Print_PS_PageStart(out, 2);
        std::fputs("P2\n", out);
        Print_PS_PageStart(out, 3);
        std::fputs("P3\n", out);
        WrapUp_PS(out);
    });
    const std::string expected = std::string("%!PS-Adobe-2.0\n\n"
                                             "%%Creator: Folioscribe\n"
                                             "%%Title: book\n"
                                             "%%CreationDate: DATE\n"
                                             "%%DocumentData: Clean7Bit\n"
                                             "%%Origin: 0 0\n"
                                             "%%LanguageLevel: 1\n"
                                             "%%Pages: 3\n"
                                             "%%Page: 1 1\n\n\n") +
                                 kPrologue +
                                 "P1\n\n\nshowpage\n\n%%Page: 2 2\n\n\n"
                                 "P2\n\n\nshowpage\n\n%%Page: 3 3\n\n\n"
                                 "P3\n\n\nshowpage\n\n\n\n%%EOF\n";
    EXPECT_EQ(WithFixedDate(text), expected);
}

TEST(PostScriptWriter, OnePageMultiPageDocumentShowsItsPage)
{
    const std::string text = Capture([](FILE* out) {
        Print_PS_Header(out, "one", 1);
        WrapUp_PS(out);
    });
    EXPECT_NE(text.find("%%Pages: 1\n%%Page: 1 1\n\n\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 20), "\n\nshowpage\n\n\n\n%%EOF\n");
    EXPECT_EQ(text.find("BoundingBox"), std::string::npos);
}

TEST(PostScriptWriter, DateTextHasTheAsctimeFormForAnyDate)
{
    struct Case {
        int year, mon, mday, hour, min, sec, wday;
        const char* text;
    };
    const Case cases[] = {
        {93, 5, 30, 21, 49, 8, 3, "Wed Jun 30 21:49:08 1993\n"},
        {125, 0, 5, 7, 3, 0, 0, "Sun Jan  5 07:03:00 2025\n"},
        {100, 11, 31, 23, 59, 60, 0, "Sun Dec 31 23:59:60 2000\n"},
        // Out-of-range fields are brought into range, never read past a table.
        {10100, 0, 1, 0, 0, 0, 6, "Sat Jan  1 00:00:00 9999\n"},  // 5-digit year
        {-1901, -1, -4, -1, -30, -2, -1, "Sun Jan  1 00:00:00 0000\n"},
        {-1000, 12, 0, 24, 60, 61, 7, "Sat Dec  1 23:59:60 0900\n"},
        {2147483647, 99, 99, 99, 99, 99, 99, "Sat Dec 31 23:59:60 9999\n"},
        {-2147483647 - 1, 0, 1, 0, 0, 0, 0, "Sun Jan  1 00:00:00 0000\n"},
    };
    for (const Case& c : cases) {
        std::tm when{};
        when.tm_year = c.year;
        when.tm_mon = c.mon;
        when.tm_mday = c.mday;
        when.tm_hour = c.hour;
        when.tm_min = c.min;
        when.tm_sec = c.sec;
        when.tm_wday = c.wday;
        const std::string text = FormatDateAndTime(when);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(text.size(), 25u);
    }
    EXPECT_EQ(std::strlen(GetDateAndTime()), 25u);
}

// The fast operand writer must print every number exactly as "%f" does,
// including ties, negative zero, huge and tiny values.
TEST(WriteOperands, MatchesPrintfForEveryKindOfValue)
{
    std::vector<double> values = {0.0,
                                  -0.0,
                                  0.5,
                                  1.0000005,
                                  2.5e-7,
                                  -2.5e-7,
                                  123456.0000005,
                                  1e300,
                                  -1e300,
                                  28.346401,
                                  481.888824,
                                  0.0000005,
                                  0.0000015,
                                  0.0000025,
                                  0.0000005000000001,
                                  -0.0000004,
                                  4503599627370495.5,
                                  9007199254740991.0,
                                  9007199254740992.0,
                                  1e-320,
                                  0.1234565,
                                  0.1234575,
                                  2.0000005,
                                  1e15 + 0.5};
    unsigned seed = 12345;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 1103515245u + 12345u;
        const float f = static_cast<float>(static_cast<int>(seed % 2000001) - 1000000) / 997.0f;
        values.push_back(f);
        values.push_back(static_cast<double>(f) * 28.346401);
        values.push_back(static_cast<double>(f) * 1e-6);
        values.push_back(static_cast<double>(seed) * 1e3 + 0.0000005);
    }
    for (double v : values) {
        char expected[400];
        std::snprintf(expected, sizeof expected, "%f moveto\n", v);
        EXPECT_EQ(Capture([&](FILE* out) { WriteOperands(out, &v, 1, "moveto"); }), expected);
    }
}

}  // namespace

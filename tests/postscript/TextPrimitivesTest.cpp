#include "postscript/TextPrimitives.h"

#include "postscript/MemoryStream.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using SingleText = void (*)(FILE*, float, float, float, const char*, int);

// The lines that select a font.
std::string Font(const std::string& font, const char* size)
{
    return "/" + font + " findfont\n" + size + " scalefont\nsetfont\n";
}
// Moving left by the width of a text (ending it at the current point).
std::string Left(const std::string& text) { return "(" + text + ") dup stringwidth pop 1.0 div neg 0 rmoveto"; }
// A piece shown left to right; the point then steps back a thousandth of its width.
std::string Piece(const char* font, const char* size, const std::string& text)
{
    return Font(font, size) + "(" + text + ") show\n(" + text + ") dup stringwidth pop 1000.0 div neg 0 rmoveto\n";
}
// A piece that ends at the current point, which then moves to its start.
std::string EndingHere(const char* font, const char* size, const std::string& text)
{
    return Font(font, size) + Left(text) + " show\n" + Left(text) + "\n";
}
// A composite label at (10, 20).
const char* const kMoveTo = "newpath\n10.000000 20.000000 moveto\n";
std::string Fragment(const std::string& body) { return "gsave\n" + (kMoveTo + body) + "grestore\n\n"; }
const char* const k9 = "9.000000";
const char* const k10 = "10.000000";

TEST(TextPrimitives, PrintTextCentredExample)
{
    const std::string text = Capture([](FILE* out) { Print_Text(out, 100, 200, 10, "abc", 1); });
    EXPECT_EQ(text, "gsave\n"
                    "/Times-Roman findfont\n"
                    "10.000000 scalefont\n"
                    "setfont\n"
                    "newpath\n"
                    "100.000000 200.000000 moveto\n"
                    "(abc) dup stringwidth pop 2. div neg 0 rmoveto show\n"
                    "grestore\n\n");
}

TEST(TextPrimitives, SingleTextFamilyFontsAndAlignments)
{
    const std::pair<SingleText, const char*> fonts[] = {
        {Print_Text, "Times-Roman"},  {Print_TextII, "MyArial"}, {Print_TextIIb, "Arial"},
        {Print_TextIII, "Helvetica"}, {Print_TextIV, "Symbol"},  {Print_TextBoldIII, "Helvetica-Bold-Italic"},
    };
    const std::pair<int, const char*> aligns[] = {
        {1, " dup stringwidth pop 2. div neg 0 rmoveto"},
        {2, " dup stringwidth pop 1. div neg 0 rmoveto"},
        {0, ""},
        {3, ""},
        {-1, ""},
    };
    for (const auto& font : fonts) {
        for (const auto& align : aligns) {
            const std::string text =
                Capture([&](FILE* out) { font.first(out, 1.5f, -2.25f, 6.5f, "x\\260", align.first); });
            EXPECT_EQ(text, "gsave\n" + Font(font.second, "6.500000") + "newpath\n1.500000 -2.250000 moveto\n(x\\260)" +
                                align.second + " show\ngrestore\n\n")
                << font.second << " align " << align.first;
        }
    }
    EXPECT_EQ(Capture([](FILE* out) { PrintRotatedText(out, 10, 20, 7.15f, 90, "roughness", 0); }),
              "gsave\n" + Font("MyArial", "7.150000") + kMoveTo + "90.000000 rotate\n(roughness) show\ngrestore\n\n");
}

TEST(TextPrimitives, ItalicPairInEveryMode)
{
    const std::string text = "\\(047\\)", italic = "3+,", moved = kMoveTo;
    const std::pair<int, std::string> cases[] = {
        {0, Piece("Helvetica-Italic", k9, italic) + Font("MyArial", k10) + "(" + text + ") show\n"},
        {5, Piece("MyArial", k10, text) + "/Helvetica-Italic findfont\n9.000000 scalefont\nsetfont(3+,) show\n"},
        {2, Font("MyArial", k10) + Left(text) + " show\n" + moved + Left(text) + "\n" + Font("Helvetica-Italic", k9) +
                Left(italic) + " show\n"},
        {7, Font("Helvetica-Italic", k9) + Left(italic) + " show\n" + moved + Left(italic) + "\n" +
                Font("Helvetica", k10) + Left(text) + " show\n"},
        {1, ""},
        {-1, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Capture([&](FILE* out) { Print_TextIIIitallic(out, 10, 20, 10, text.c_str(), "3+,", c.first); }),
                  Fragment(c.second))
            << "mode " << c.first;
    }
}

TEST(TextPrimitives, OperatorWithLoweredSubscript)
{
    EXPECT_EQ(Capture([](FILE* out) { Print_TN(out, 10, 20, 10, "T", "n"); }),
              Fragment(Piece("Times-Roman", "11.000000", "T") + "0 -1.417320 rmoveto\n" + Font("Helvetica", k9) +
                       "(n) show\n"));
}

TEST(TextPrimitives, BulletedAndArrowedLines)
{
    struct Case {
        std::function<void(FILE*)> write;
        const char *sign, *font, *text;
    };
    const Case cases[] = {
        {[](FILE* out) { Print_Bulleted(out, 10, 20, 10, "symmetric"); },
         "(\\267 ) show\n(\\345 ) dup stringwidth pop 1000.0 div neg 0 rmoveto\n", "Helvetica", "symmetric"},
        {[](FILE* out) { Print_Bulleted(out, 10, 20, 10, "first", 1); }, "(\\267 )show\n", "Helvetica", "first"},
        {[](FILE* out) { Print_Bulleted(out, 10, 20, 10, "next", 0); }, "(\\267 ) stringwidth rmoveto\n", "Helvetica",
         "next"},
        {[](FILE* out) { Print_Arrowed(out, 10, 20, 10, "axes: 0 6"); }, "(\\256 )show\n", "MyArial", "axes: 0 6"},
        {[](FILE* out) { Print_Arrowed(out, 10, 20, 10, "a", 7); }, "(\\256 )show\n", "MyArial", "a"},
        {[](FILE* out) { Print_Arrowed(out, 10, 20, 10, "    b", 0); }, "(\\256 ) stringwidth rmoveto\n", "MyArial",
         "    b"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Capture(c.write),
                  Fragment(Font("Symbol", k10) + c.sign + Font(c.font, k10) + "(" + c.text + ") show\n"))
            << c.text;
    }
}

TEST(TextPrimitives, SubsetConfigurationLeftToRight)
{
    const std::string subset = Piece("Helvetica-Italic", k9, "3") + Piece("Helvetica", k10, "(04)");
    const std::string remainder = Piece("Helvetica-Italic", k9, "1,") + Piece("Helvetica", k10, "(0)");
    const std::string alone = Piece("Helvetica-Italic", k9, "3") + Piece("Helvetica", k10, "(0)");
    struct Case {
        const char* text1;
        const char* text2;
        int join;
        std::string body;
    };
    const Case cases[] = {
        {"(04)", "(0)", 0, subset + Piece("Helvetica", k10, " + ") + remainder},
        {"(04)", "(0)", 1, subset + Piece("Helvetica", k10, " +") + remainder},
        {"(04)", "(0)", 2, subset + Piece("Helvetica", k10, "+") + remainder},
        {"(04)", "()", 0, subset + Piece("Helvetica", k10, " + ") + Font("Symbol", k10) + "(\\306) show\n"},
        // A lone "(0)" has neither join nor empty-set sign.
        {"(0)", "()", 0, alone},
        {"(0)", "(0)", 1, alone + remainder},
    };
    for (const Case& c : cases) {
        for (int direction : {0, 1, -5}) {
            const std::string text = Capture([&](FILE* out) {
                Print_SubsetConfiguration(out, 10, 20, 10, c.text1, "3", c.text2, "1,", direction, c.join);
            });
            EXPECT_EQ(text, Fragment(c.body))
                << c.text1 << " " << c.text2 << " join " << c.join << " direction " << direction;
        }
    }
}

TEST(TextPrimitives, SubsetConfigurationEndingAtX)
{
    // Pieces before the join are shown from their start, then stepped over.
    auto before = [](const char* font, const char* size, const std::string& text) {
        return Font(font, size) + Left(text) + "\n(" + text + ") show\n";
    };
    const std::string subset =
        before("Helvetica", k10, "\\(04\\)") + Left("\\(04\\)") + "\n" + before("Helvetica-Italic", k9, "3");
    const std::string remainder = EndingHere("Helvetica", k10, "(0)") + EndingHere("Helvetica-Italic", k9, "1,");
    struct Case {
        const char* text2;
        int join;
        std::string body;
    };
    const Case cases[] = {
        {"(0)", 0, remainder + EndingHere("Helvetica", k10, " + ") + subset},
        {"(0)", 1, remainder + EndingHere("Helvetica", k10, " +") + subset},
        {"(0)", 2, remainder + EndingHere("Helvetica", k10, "+") + subset},
        {"()", 1, EndingHere("Symbol", k10, "\\306") + EndingHere("Helvetica", k10, " +") + subset},
    };
    for (const Case& c : cases) {
        const std::string text = Capture(
            [&](FILE* out) { Print_SubsetConfiguration(out, 10, 20, 10, "\\(04\\)", "3", c.text2, "1,", 2, c.join); });
        EXPECT_EQ(text, Fragment(c.body)) << c.text2 << " join " << c.join;
    }
    EXPECT_EQ(Capture([](FILE* out) { Print_SubsetConfiguration(out, 10, 20, 10, "(0)", "", "()", "", 2, 1); }),
              Fragment(before("Helvetica", k10, "(0)") + Left("(0)") + "\n" + before("Helvetica-Italic", k9, "")));
}

TEST(TextPrimitives, ReversibilityFormulas)
{
    const std::string plus = Piece("Helvetica", k10, "+ "), equals = Piece("Helvetica", k10, " = ");
    for (int kind : {0, 1, 2}) {
        const std::string text =
            Capture([&](FILE* out) { Print_ReversibilityThreeStage(out, 10, 20, 10, kind, "6", "2", "(0 4 7)"); });
        EXPECT_EQ(text,
                  Fragment(plus + Piece("Times-Roman", "11.000000", kind == 1 ? "I" : "T") + "0 -1.417320 rmoveto\n" +
                           Piece("Helvetica", k9, "6") + "0 1.417320 rmoveto\n" + equals +
                           Piece("Helvetica-Italic", k9, "2 ") + Font("Helvetica", k10) + "((0 4 7)) show\n"))
            << "kind " << kind;
    }
    const std::string text =
        Capture([](FILE* out) { Print_ReversibilityFourStage(out, 10, 20, 10, "1", "(01)", "2", "(02)"); });
    EXPECT_EQ(text, Fragment(plus + Piece("Helvetica-Italic", k9, "1 ") + Piece("Helvetica", k10, "(01)") + equals +
                             Piece("Helvetica-Italic", k9, "2 ") + Font("Helvetica", k10) + "((02)) show\n"));
}

TEST(TextPrimitives, CountsItemsBetweenSpaces)
{
    struct Case {
        const char* text;
        int items;
    };
    const Case cases[] = {
        {"  0  4 7 ", 3}, {"", 0}, {"    ", 0}, {"0 4 7", 3}, {"x", 1}, {"a\tb c", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NumberOfItemsInString(c.text), c.items) << '"' << c.text << '"';
}

TEST(TextPrimitives, BreaksTextIntoPiecesOfNPlusOneItems)
{
    using Pieces = std::vector<std::string>;
    struct Case {
        const char* text;
        int n;
        Pieces pieces;
    };
    const Case cases[] = {
        {"a b c d", 1, {"a b ", "c d ", ""}},
        {"a b c", 1, {"a b ", "c "}},
        {"", 4, {""}},
        {"   ", 4, {""}},
        {" 0  4 7 ", 4, {"0 4 7 "}},
        {"0 1 2 3 4 5", 4, {"0 1 2 3 4 ", "5 "}},
        {"a b c", 0, {"a ", "b ", "c ", ""}},
        {"a b", -3, {"a ", "b ", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BreakUpStringInPieces(c.text, c.n), c.pieces) << c.text;
}

TEST(TextPrimitives, StringUtilitiesHandleLongTextsWhole)
{
    // Texts and items well beyond a 112-byte line are kept whole.
    const std::string longItem(300, 'x');
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += longItem + "  ";
    EXPECT_EQ(NumberOfItemsInString(text), 100);
    const std::vector<std::string> pieces = BreakUpStringInPieces(text, 7);
    ASSERT_EQ(pieces.size(), 13u);
    EXPECT_EQ(pieces[0].size(), 8 * 301u);
    EXPECT_EQ(pieces[12], longItem + " " + longItem + " " + longItem + " " + longItem + " ");
}

}  // namespace

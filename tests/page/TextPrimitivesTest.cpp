#include "page/TextPrimitives.h"

#include "page/MemoryStream.h"

#include <gtest/gtest.h>

namespace {

using SingleText = void (*)(FILE*, float, float, float, const char*, int);

TEST(TextPrimitives, PrintTextCentredExample)
{
    const std::string text = Capture([](FILE* out) { Print_Text(out, 100, 200, 10, "abc", 1); });
    EXPECT_EQ(text,
              "gsave\n"
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
    struct Font { SingleText print; const char* fontLine; };
    const Font fonts[] = {
        {Print_Text, "/Times-Roman findfont\n"},
        {Print_TextII, "/MyArial findfont\n"},
        {Print_TextIIb, "/Arial findfont\n"},
        {Print_TextIII, "/Helvetica findfont\n"},
        {Print_TextIV, "/Symbol findfont\n"},
        {Print_TextBoldIII, "/Helvetica-Bold-Italic findfont\n"},
    };
    struct Align { int code; const char* line; };
    const Align aligns[] = {
        {1, "(x\\260) dup stringwidth pop 2. div neg 0 rmoveto show\n"},
        {2, "(x\\260) dup stringwidth pop 1. div neg 0 rmoveto show\n"},
        {0, "(x\\260) show\n"},
        {3, "(x\\260) show\n"},
        {-1, "(x\\260) show\n"},
    };
    for (const Font& font : fonts) {
        for (const Align& align : aligns) {
            const std::string text =
                Capture([&](FILE* out) { font.print(out, 1.5f, -2.25f, 6.5f, "x\\260", align.code); });
            EXPECT_EQ(text, std::string("gsave\n") + font.fontLine +
                                "6.500000 scalefont\nsetfont\nnewpath\n"
                                "1.500000 -2.250000 moveto\n" +
                                align.line + "grestore\n\n")
                << font.fontLine << " align " << align.code;
        }
    }
}

TEST(TextPrimitives, RotatedTextTurnsAfterMoving)
{
    const std::string text =
        Capture([](FILE* out) { PrintRotatedText(out, 10, 20, 7.15f, 90, "roughness", 0); });
    EXPECT_EQ(text,
              "gsave\n/MyArial findfont\n7.150000 scalefont\nsetfont\nnewpath\n"
              "10.000000 20.000000 moveto\n"
              "90.000000 rotate\n"
              "(roughness) show\n"
              "grestore\n\n");
}

const char* const kOpening = "gsave\nnewpath\n10.000000 20.000000 moveto\n";

TEST(TextPrimitives, ItalicPairInEveryMode)
{
    struct Case { int mode; const char* body; };
    const Case cases[] = {
        {0,
         "/Helvetica-Italic findfont\n9.000000 scalefont\nsetfont\n"
         "(3+,) show\n"
         "(3+,) dup stringwidth pop 1000.0 div neg 0 rmoveto\n"
         "/MyArial findfont\n10.000000 scalefont\nsetfont\n"
         "(\\(047\\)) show\n"},
        {5,
         "/MyArial findfont\n10.000000 scalefont\nsetfont\n"
         "(\\(047\\)) show\n"
         "(\\(047\\)) dup stringwidth pop 1000.0 div neg 0 rmoveto\n"
         "/Helvetica-Italic findfont\n9.000000 scalefont\nsetfont(3+,) show\n"},
        {2,
         "/MyArial findfont\n10.000000 scalefont\nsetfont\n"
         "(\\(047\\)) dup stringwidth pop 1.0 div neg 0 rmoveto show\n"
         "newpath\n10.000000 20.000000 moveto\n"
         "(\\(047\\)) dup stringwidth pop 1.0 div neg 0 rmoveto\n"
         "/Helvetica-Italic findfont\n9.000000 scalefont\nsetfont\n"
         "(3+,) dup stringwidth pop 1.0 div neg 0 rmoveto show\n"},
        {7,
         "/Helvetica-Italic findfont\n9.000000 scalefont\nsetfont\n"
         "(3+,) dup stringwidth pop 1.0 div neg 0 rmoveto show\n"
         "newpath\n10.000000 20.000000 moveto\n"
         "(3+,) dup stringwidth pop 1.0 div neg 0 rmoveto\n"
         "/Helvetica findfont\n10.000000 scalefont\nsetfont\n"
         "(\\(047\\)) dup stringwidth pop 1.0 div neg 0 rmoveto show\n"},
        {1, ""},
        {-1, ""},
    };
    for (const Case& c : cases) {
        const std::string text = Capture(
            [&](FILE* out) { Print_TextIIIitallic(out, 10, 20, 10, "\\(047\\)", "3+,", c.mode); });
        EXPECT_EQ(text, std::string(kOpening) + c.body + "grestore\n\n") << "mode " << c.mode;
    }
}

TEST(TextPrimitives, OperatorWithLoweredSubscript)
{
    const std::string text = Capture([](FILE* out) { Print_TN(out, 10, 20, 10, "T", "n"); });
    EXPECT_EQ(text, std::string(kOpening) +
                        "/Times-Roman findfont\n11.000000 scalefont\nsetfont\n"
                        "(T) show\n"
                        "(T) dup stringwidth pop 1000.0 div neg 0 rmoveto\n"
                        "0 -1.417320 rmoveto\n"
                        "/Helvetica findfont\n9.000000 scalefont\nsetfont\n"
                        "(n) show\n"
                        "grestore\n\n");
}

TEST(TextPrimitives, BulletedAndArrowedLines)
{
    struct Case { std::string (*write)(); const char* body; };
    const Case cases[] = {
        {[] { return Capture([](FILE* out) { Print_Bulleted(out, 10, 20, 10, "symmetric"); }); },
         "/Symbol findfont\n10.000000 scalefont\nsetfont\n"
         "(\\267 ) show\n"
         "(\\345 ) dup stringwidth pop 1000.0 div neg 0 rmoveto\n"
         "/Helvetica findfont\n10.000000 scalefont\nsetfont\n(symmetric) show\n"},
        {[] { return Capture([](FILE* out) { Print_Bulleted(out, 10, 20, 10, "first", 1); }); },
         "/Symbol findfont\n10.000000 scalefont\nsetfont\n"
         "(\\267 )show\n"
         "/Helvetica findfont\n10.000000 scalefont\nsetfont\n(first) show\n"},
        {[] { return Capture([](FILE* out) { Print_Bulleted(out, 10, 20, 10, "next", 0); }); },
         "/Symbol findfont\n10.000000 scalefont\nsetfont\n"
         "(\\267 ) stringwidth rmoveto\n"
         "/Helvetica findfont\n10.000000 scalefont\nsetfont\n(next) show\n"},
        {[] { return Capture([](FILE* out) { Print_Arrowed(out, 10, 20, 10, "axes: 0 6"); }); },
         "/Symbol findfont\n10.000000 scalefont\nsetfont\n"
         "(\\256 )show\n"
         "/MyArial findfont\n10.000000 scalefont\nsetfont\n(axes: 0 6) show\n"},
        {[] { return Capture([](FILE* out) { Print_Arrowed(out, 10, 20, 10, "a", 7); }); },
         "/Symbol findfont\n10.000000 scalefont\nsetfont\n"
         "(\\256 )show\n"
         "/MyArial findfont\n10.000000 scalefont\nsetfont\n(a) show\n"},
        {[] { return Capture([](FILE* out) { Print_Arrowed(out, 10, 20, 10, "    b", 0); }); },
         "/Symbol findfont\n10.000000 scalefont\nsetfont\n"
         "(\\256 ) stringwidth rmoveto\n"
         "/MyArial findfont\n10.000000 scalefont\nsetfont\n(    b) show\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(c.write(), std::string(kOpening) + c.body + "grestore\n\n");
}

// Lines of the left-to-right subset configuration.
std::string Piece(const char* font, const char* size, const std::string& text)
{
    return std::string("/") + font + " findfont\n" + size + " scalefont\nsetfont\n(" + text +
           ") show\n(" + text + ") dup stringwidth pop 1000.0 div neg 0 rmoveto\n";
}

TEST(TextPrimitives, SubsetConfigurationLeftToRight)
{
    const std::string subset =
        Piece("Helvetica-Italic", "9.000000", "3") + Piece("Helvetica", "10.000000", "(04)");
    const std::string emptySign = "/Symbol findfont\n10.000000 scalefont\nsetfont\n(\\306) show\n";
    const std::string remainder =
        Piece("Helvetica-Italic", "9.000000", "1,") + Piece("Helvetica", "10.000000", "(0)");
    struct Case { const char* text1; const char* text2; int join; std::string body; };
    const Case cases[] = {
        {"(04)", "(0)", 0, subset + Piece("Helvetica", "10.000000", " + ") + remainder},
        {"(04)", "(0)", 1, subset + Piece("Helvetica", "10.000000", " +") + remainder},
        {"(04)", "(0)", 2, subset + Piece("Helvetica", "10.000000", "+") + remainder},
        {"(04)", "()", 0, subset + Piece("Helvetica", "10.000000", " + ") + emptySign},
        // A lone "(0)" has neither join nor empty-set sign.
        {"(0)", "()", 0,
         Piece("Helvetica-Italic", "9.000000", "3") + Piece("Helvetica", "10.000000", "(0)")},
        {"(0)", "(0)", 1,
         Piece("Helvetica-Italic", "9.000000", "3") + Piece("Helvetica", "10.000000", "(0)") + remainder},
    };
    for (const Case& c : cases) {
        for (int direction : {0, 1, -5}) {
            const std::string text = Capture([&](FILE* out) {
                Print_SubsetConfiguration(out, 10, 20, 10, c.text1, "3", c.text2, "1,", direction, c.join);
            });
            EXPECT_EQ(text, std::string(kOpening) + c.body + "grestore\n\n")
                << c.text1 << " " << c.text2 << " join " << c.join << " direction " << direction;
        }
    }
}

std::string EndingHere(const char* font, const char* size, const std::string& text)
{
    return std::string("/") + font + " findfont\n" + size + " scalefont\nsetfont\n(" + text +
           ") dup stringwidth pop 1.0 div neg 0 rmoveto show\n(" + text +
           ") dup stringwidth pop 1.0 div neg 0 rmoveto\n";
}

TEST(TextPrimitives, SubsetConfigurationEndingAtX)
{
    const std::string step = ") dup stringwidth pop 1.0 div neg 0 rmoveto\n";
    const std::string subset = "/Helvetica findfont\n10.000000 scalefont\nsetfont\n"
                               "(\\(04\\)" + step + "(\\(04\\)) show\n(\\(04\\)" + step +
                               "/Helvetica-Italic findfont\n9.000000 scalefont\nsetfont\n"
                               "(3" + step + "(3) show\n";
    const std::string remainder =
        EndingHere("Helvetica", "10.000000", "(0)") + EndingHere("Helvetica-Italic", "9.000000", "1,");
    struct Case { const char* text2; int join; std::string body; };
    const Case cases[] = {
        {"(0)", 0, remainder + EndingHere("Helvetica", "10.000000", " + ") + subset},
        {"(0)", 1, remainder + EndingHere("Helvetica", "10.000000", " +") + subset},
        {"(0)", 2, remainder + EndingHere("Helvetica", "10.000000", "+") + subset},
        {"()", 1,
         EndingHere("Symbol", "10.000000", "\\306") + EndingHere("Helvetica", "10.000000", " +") + subset},
    };
    for (const Case& c : cases) {
        const std::string text = Capture([&](FILE* out) {
            Print_SubsetConfiguration(out, 10, 20, 10, "\\(04\\)", "3", c.text2, "1,", 2, c.join);
        });
        EXPECT_EQ(text, std::string(kOpening) + c.body + "grestore\n\n") << c.text2 << " join " << c.join;
    }

    const std::string alone =
        Capture([](FILE* out) { Print_SubsetConfiguration(out, 10, 20, 10, "(0)", "", "()", "", 2, 1); });
    EXPECT_EQ(alone, std::string(kOpening) +
                         "/Helvetica findfont\n10.000000 scalefont\nsetfont\n"
                         "((0)" + step + "((0)) show\n((0)" + step +
                         "/Helvetica-Italic findfont\n9.000000 scalefont\nsetfont\n"
                         "(" + step + "() show\ngrestore\n\n");
}

TEST(TextPrimitives, ReversibilityFormulas)
{
    const std::string plus = Piece("Helvetica", "10.000000", "+ ");
    const std::string equals = Piece("Helvetica", "10.000000", " = ");
    for (int kind : {0, 1, 2}) {
        const std::string letter = kind == 1 ? "I" : "T";
        const std::string text = Capture(
            [&](FILE* out) { Print_ReversibilityThreeStage(out, 10, 20, 10, kind, "6", "2", "(0 4 7)"); });
        EXPECT_EQ(text, std::string(kOpening) + plus + Piece("Times-Roman", "11.000000", letter) +
                            "0 -1.417320 rmoveto\n" + Piece("Helvetica", "9.000000", "6") +
                            "0 1.417320 rmoveto\n" + equals + Piece("Helvetica-Italic", "9.000000", "2 ") +
                            "/Helvetica findfont\n10.000000 scalefont\nsetfont\n((0 4 7)) show\n"
                            "grestore\n\n")
            << "kind " << kind;
    }
    const std::string text = Capture(
        [](FILE* out) { Print_ReversibilityFourStage(out, 10, 20, 10, "1", "(01)", "2", "(02)"); });
    EXPECT_EQ(text, std::string(kOpening) + plus + Piece("Helvetica-Italic", "9.000000", "1 ") +
                        Piece("Helvetica", "10.000000", "(01)") + equals +
                        Piece("Helvetica-Italic", "9.000000", "2 ") +
                        "/Helvetica findfont\n10.000000 scalefont\nsetfont\n((02)) show\n"
                        "grestore\n\n");
}

TEST(TextPrimitives, CountsItemsBetweenSpaces)
{
    struct Case { const char* text; int items; };
    const Case cases[] = {
        {"  0  4 7 ", 3}, {"", 0}, {"    ", 0}, {"0 4 7", 3}, {"x", 1}, {"a\tb c", 2},
    };
    for (const Case& c : cases) EXPECT_EQ(NumberOfItemsInString(c.text), c.items) << '"' << c.text << '"';
}

TEST(TextPrimitives, BreaksTextIntoPiecesOfNPlusOneItems)
{
    using Pieces = std::vector<std::string>;
    struct Case { const char* text; int n; Pieces pieces; };
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
    for (const Case& c : cases) EXPECT_EQ(BreakUpStringInPieces(c.text, c.n), c.pieces) << c.text;
}

TEST(TextPrimitives, StringUtilitiesHandleLongTextsWhole)
{
    // Texts and items well beyond a 112-byte line are kept whole.
    const std::string longItem(300, 'x');
    std::string text;
    for (int i = 0; i < 100; ++i) text += longItem + "  ";
    EXPECT_EQ(NumberOfItemsInString(text), 100);
    const std::vector<std::string> pieces = BreakUpStringInPieces(text, 7);
    ASSERT_EQ(pieces.size(), 13u);
    EXPECT_EQ(pieces[0].size(), 8 * 301u);
    EXPECT_EQ(pieces[12], longItem + " " + longItem + " " + longItem + " " + longItem + " ");
}

} // namespace

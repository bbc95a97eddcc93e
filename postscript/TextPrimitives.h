// Text and label primitives of the analysis page. Every call appends one
// self-contained PostScript fragment, bracketed by gsave and grestore, that
// selects its font anew, moves to (x, y) in points and shows a text or a small
// composite label. Texts are written inside "(...)" as they are: callers pass
// balanced or backslash-escaped parentheses and may embed PostScript octal
// escapes (\260 degree sign in /MyArial; \267 bullet, \256 right arrow and
// \306 empty-set sign in Symbol).
#ifndef HARMODEX_POSTSCRIPT_TEXTPRIMITIVES_H
#define HARMODEX_POSTSCRIPT_TEXTPRIMITIVES_H

#include <cstdio>
#include <string>
#include <vector>

// Alignment codes of the single-text primitives; any other value aligns left.
constexpr int kAlignLeft = 0;
constexpr int kAlignCentre = 1;
constexpr int kAlignRight = 2;

// Single-text family: one text at (x, y), size in points, in one font.
void Print_Text(FILE* stream, float x, float y, float size, const char* text, int align);     // Times-Roman
void Print_TextII(FILE* stream, float x, float y, float size, const char* text, int align);   // /MyArial
void Print_TextIIb(FILE* stream, float x, float y, float size, const char* text, int align);  // Arial
void Print_TextIII(FILE* stream, float x, float y, float size, const char* text, int align);  // Helvetica
void Print_TextIV(FILE* stream, float x, float y, float size, const char* text, int align);   // Symbol
void Print_TextBoldIII(FILE* stream, float x, float y, float size, const char* text,
                       int align);  // Helvetica-Bold-Italic

// As Print_TextII, turned by angle degrees about (x, y).
void PrintRotatedText(FILE* stream, float x, float y, float size, float angle, const char* text, int align);

// A plain text and an italic text side by side. mode 0: italic then text from
// x rightwards; 5: text then italic from x; 2: italic then text ending at x;
// 7: text then italic ending at x (text in Helvetica); other modes draw
// nothing.
void Print_TextIIIitallic(FILE* stream, float x, float y, float size, const char* text, const char* italic, int mode);

// An operator letter ("T", "I") with a lowered subscript ("n", a level).
void Print_TN(FILE* stream, float x, float y, float size, const char* letter, const char* subscript);

// A bullet and a text. With the draw flag 0 the bullet's width is left blank,
// so that continuation lines align with the text of the first line.
void Print_Bulleted(FILE* stream, float x, float y, float size, const char* text);
void Print_Bulleted(FILE* stream, float x, float y, float size, const char* text, int draw);

// A right arrow and a text, with the same draw flag as the bullet.
void Print_Arrowed(FILE* stream, float x, float y, float size, const char* text);
void Print_Arrowed(FILE* stream, float x, float y, float size, const char* text, int draw);

// A decomposition of a set into a subset and its remainder:
// italic1 text1, a join (" +", "+" or " + " for join 1, 2, other), italic2
// text2. text1 "(0)" has no join; text2 "()" is replaced by the empty-set
// sign unless text1 is "(0)". direction 2 ends the line at x, any other value
// starts it there.
void Print_SubsetConfiguration(FILE* stream, float x, float y, float size, const char* text1, const char* italic1,
                               const char* text2, const char* italic2, int direction, int join);

// "+ T_index = italic text" (kind 1 writes I instead of T).
void Print_ReversibilityThreeStage(FILE* stream, float x, float y, float size, int kind, const char* index,
                                   const char* italic, const char* text);
// "+ a b = c d" with a and c in italics.
void Print_ReversibilityFourStage(FILE* stream, float x, float y, float size, const char* a, const char* b,
                                  const char* c, const char* d);

// Number of items of a text: the maximal runs of characters other than the
// space; leading, trailing and repeated spaces give no empty items.
int NumberOfItemsInString(const std::string& text);

// Regroups the items into pieces of n + 1 items, each item followed by one
// space. The last piece is always appended, so it is empty when the number of
// items is a multiple of n + 1 (or zero). Texts of any length are handled.
std::vector<std::string> BreakUpStringInPieces(const std::string& text, int n);

#endif

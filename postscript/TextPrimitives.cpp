#include "postscript/TextPrimitives.h"

#include "postscript/PostScriptWriter.h"

#include <cstring>

namespace {

// Italic pieces and subscripts are set a little smaller than the running
// text, operator letters a little larger.
constexpr double kSmallFactor = 0.9;
constexpr double kLargeFactor = 1.1;

const char* orEmpty(const char* text) { return text ? text : ""; }

bool same(const char* text, const char* literal) { return std::strcmp(orEmpty(text), literal) == 0; }

// Depth by which a subscript is lowered: 0.05 cm.
float subscriptDrop() { return InCentimeters(-0.05f); }

void selectFont(FILE* stream, const char* font, double size)
{
    std::fprintf(stream, "/%s findfont\n", font);
    std::fprintf(stream, "%f scalefont\nsetfont\n", size);
}

void show(FILE* stream, const char* text) { std::fprintf(stream, "(%s) show\n", orEmpty(text)); }

// Moves back by a thousandth of the piece's width so that the next piece
// follows almost seamlessly.
void nudge(FILE* stream, const char* text)
{
    std::fprintf(stream, "(%s) dup stringwidth pop 1000.0 div neg 0 rmoveto\n", orEmpty(text));
}

// Right-to-left composition: shows a piece so that it ends at the current
// point, and steps left over a piece.
void showEndingHere(FILE* stream, const char* text)
{
    std::fprintf(stream, "(%s) dup stringwidth pop 1.0 div neg 0 rmoveto show\n", orEmpty(text));
}

void stepLeft(FILE* stream, const char* text)
{
    std::fprintf(stream, "(%s) dup stringwidth pop 1.0 div neg 0 rmoveto\n", orEmpty(text));
}

void openComposite(FILE* stream, float x, float y)
{
    std::fputs("gsave\nnewpath\n", stream);
    std::fprintf(stream, "%f %f moveto\n", x, y);
}

void closeFragment(FILE* stream) { std::fputs("grestore\n\n", stream); }

void printAligned(FILE* stream, const char* text, int align)
{
    if (align == kAlignCentre)
        std::fprintf(stream, "(%s) dup stringwidth pop 2. div neg 0 rmoveto show\n", orEmpty(text));
    else if (align == kAlignRight)
        std::fprintf(stream, "(%s) dup stringwidth pop 1. div neg 0 rmoveto show\n", orEmpty(text));
    else
        std::fprintf(stream, "(%s) show\n", orEmpty(text));
}

void printSingleText(FILE* stream, const char* font, float x, float y, float size, const char* text, int align)
{
    std::fputs("gsave\n", stream);
    std::fprintf(stream, "/%s findfont\n", font);
    std::fprintf(stream, "%f scalefont\n", size);
    std::fputs("setfont\nnewpath\n", stream);
    std::fprintf(stream, "%f %f moveto\n", x, y);
    printAligned(stream, text, align);
    closeFragment(stream);
}

// The sign that opens a bulleted or arrowed line: drawn, or only its width
// (with the following space) skipped.
void leadingSign(FILE* stream, const char* sign, int draw)
{
    if (draw != 0)
        std::fprintf(stream, "(%s )show\n", sign);
    else
        std::fprintf(stream, "(%s ) stringwidth rmoveto\n", sign);
}

// The join between a subset and its remainder.
const char* joinText(int join)
{
    if (join == 1)
        return " +";
    if (join == 2)
        return "+";
    return " + ";
}

}  // namespace

void Print_Text(FILE* stream, float x, float y, float size, const char* text, int align)
{
    printSingleText(stream, "Times-Roman", x, y, size, text, align);
}

void Print_TextII(FILE* stream, float x, float y, float size, const char* text, int align)
{
    printSingleText(stream, "MyArial", x, y, size, text, align);
}

void Print_TextIIb(FILE* stream, float x, float y, float size, const char* text, int align)
{
    printSingleText(stream, "Arial", x, y, size, text, align);
}

void Print_TextIII(FILE* stream, float x, float y, float size, const char* text, int align)
{
    printSingleText(stream, "Helvetica", x, y, size, text, align);
}

void Print_TextIV(FILE* stream, float x, float y, float size, const char* text, int align)
{
    printSingleText(stream, "Symbol", x, y, size, text, align);
}

void Print_TextBoldIII(FILE* stream, float x, float y, float size, const char* text, int align)
{
    printSingleText(stream, "Helvetica-Bold-Italic", x, y, size, text, align);
}

void PrintRotatedText(FILE* stream, float x, float y, float size, float angle, const char* text, int align)
{
    std::fputs("gsave\n", stream);
    std::fputs("/MyArial findfont\n", stream);
    std::fprintf(stream, "%f scalefont\n", size);
    std::fputs("setfont\nnewpath\n", stream);
    std::fprintf(stream, "%f %f moveto\n", x, y);
    std::fprintf(stream, "%f rotate\n", angle);
    printAligned(stream, text, align);
    closeFragment(stream);
}

void Print_TextIIIitallic(FILE* stream, float x, float y, float size, const char* text, const char* italic, int mode)
{
    const double small = kSmallFactor * size;
    openComposite(stream, x, y);
    switch (mode) {
    case 0:  // italic, then text, from x rightwards
        selectFont(stream, "Helvetica-Italic", small);
        show(stream, italic);
        nudge(stream, italic);
        selectFont(stream, "MyArial", size);
        show(stream, text);
        break;
    case 5:  // text, then italic, from x rightwards
        selectFont(stream, "MyArial", size);
        show(stream, text);
        nudge(stream, text);
        // The size line runs straight into the show line here; PostScript
        // needs no separator before a string.
        std::fputs("/Helvetica-Italic findfont\n", stream);
        std::fprintf(stream, "%f scalefont\nsetfont", small);
        show(stream, italic);
        break;
    case 2:  // italic, then text, the pair ending at x
        selectFont(stream, "MyArial", size);
        showEndingHere(stream, text);
        std::fputs("newpath\n", stream);
        std::fprintf(stream, "%f %f moveto\n", x, y);
        stepLeft(stream, text);
        selectFont(stream, "Helvetica-Italic", small);
        showEndingHere(stream, italic);
        break;
    case 7:  // text, then italic, the pair ending at x
        selectFont(stream, "Helvetica-Italic", small);
        showEndingHere(stream, italic);
        std::fputs("newpath\n", stream);
        std::fprintf(stream, "%f %f moveto\n", x, y);
        stepLeft(stream, italic);
        selectFont(stream, "Helvetica", size);
        showEndingHere(stream, text);
        break;
    default:
        break;
    }
    closeFragment(stream);
}

void Print_TN(FILE* stream, float x, float y, float size, const char* letter, const char* subscript)
{
    openComposite(stream, x, y);
    selectFont(stream, "Times-Roman", kLargeFactor * size);
    show(stream, letter);
    nudge(stream, letter);
    std::fprintf(stream, "0 %f rmoveto\n", subscriptDrop());
    selectFont(stream, "Helvetica", kSmallFactor * size);
    show(stream, subscript);
    closeFragment(stream);
}

void Print_Bulleted(FILE* stream, float x, float y, float size, const char* text)
{
    openComposite(stream, x, y);
    selectFont(stream, "Symbol", size);
    std::fputs("(\\267 ) show\n", stream);
    std::fputs("(\\345 ) dup stringwidth pop 1000.0 div neg 0 rmoveto\n", stream);
    selectFont(stream, "Helvetica", size);
    show(stream, text);
    closeFragment(stream);
}

void Print_Bulleted(FILE* stream, float x, float y, float size, const char* text, int draw)
{
    openComposite(stream, x, y);
    selectFont(stream, "Symbol", size);
    leadingSign(stream, "\\267", draw);
    selectFont(stream, "Helvetica", size);
    show(stream, text);
    closeFragment(stream);
}

void Print_Arrowed(FILE* stream, float x, float y, float size, const char* text)
{
    Print_Arrowed(stream, x, y, size, text, 1);
}

void Print_Arrowed(FILE* stream, float x, float y, float size, const char* text, int draw)
{
    openComposite(stream, x, y);
    selectFont(stream, "Symbol", size);
    leadingSign(stream, "\\256", draw);
    selectFont(stream, "MyArial", size);
    show(stream, text);
    closeFragment(stream);
}

void Print_SubsetConfiguration(FILE* stream, float x, float y, float size, const char* text1, const char* italic1,
                               const char* text2, const char* italic2, int direction, int join)
{
    // A subset written "(0)" stands alone: no join and no remainder sign.
    const bool joined = !same(text1, "(0)");
    const bool emptyRemainder = same(text2, "()");
    const double small = kSmallFactor * size;
    const char* const joinPiece = joinText(join);

    openComposite(stream, x, y);
    if (direction != 2) {
        selectFont(stream, "Helvetica-Italic", small);
        show(stream, italic1);
        nudge(stream, italic1);
        selectFont(stream, "Helvetica", size);
        show(stream, text1);
        nudge(stream, text1);
        if (joined) {
            selectFont(stream, "Helvetica", size);
            show(stream, joinPiece);
            nudge(stream, joinPiece);
        }
        if (!emptyRemainder) {
            selectFont(stream, "Helvetica-Italic", small);
            show(stream, italic2);
            nudge(stream, italic2);
            selectFont(stream, "Helvetica", size);
            show(stream, text2);
            nudge(stream, text2);
        } else if (joined) {
            selectFont(stream, "Symbol", size);
            show(stream, "\\306");
        }
    } else {
        // The same line built from its last piece to its first, ending at x.
        if (!emptyRemainder) {
            selectFont(stream, "Helvetica", size);
            showEndingHere(stream, text2);
            stepLeft(stream, text2);
            selectFont(stream, "Helvetica-Italic", small);
            showEndingHere(stream, italic2);
            stepLeft(stream, italic2);
        } else if (joined) {
            selectFont(stream, "Symbol", size);
            showEndingHere(stream, "\\306");
            stepLeft(stream, "\\306");
        }
        if (joined) {
            selectFont(stream, "Helvetica", size);
            showEndingHere(stream, joinPiece);
            stepLeft(stream, joinPiece);
        }
        selectFont(stream, "Helvetica", size);
        stepLeft(stream, text1);
        show(stream, text1);
        stepLeft(stream, text1);
        selectFont(stream, "Helvetica-Italic", small);
        stepLeft(stream, italic1);
        show(stream, italic1);
    }
    closeFragment(stream);
}

void Print_ReversibilityThreeStage(FILE* stream, float x, float y, float size, int kind, const char* index,
                                   const char* italic, const char* text)
{
    const char* const letter = kind == 1 ? "I" : "T";
    openComposite(stream, x, y);
    selectFont(stream, "Helvetica", size);
    show(stream, "+ ");
    nudge(stream, "+ ");
    selectFont(stream, "Times-Roman", kLargeFactor * size);
    show(stream, letter);
    nudge(stream, letter);
    std::fprintf(stream, "0 %f rmoveto\n", subscriptDrop());
    selectFont(stream, "Helvetica", kSmallFactor * size);
    show(stream, index);
    nudge(stream, index);
    std::fprintf(stream, "0 %f rmoveto\n", InCentimeters(0.05f));
    selectFont(stream, "Helvetica", size);
    show(stream, " = ");
    nudge(stream, " = ");
    selectFont(stream, "Helvetica-Italic", kSmallFactor * size);
    std::fprintf(stream, "(%s ) show\n", orEmpty(italic));
    std::fprintf(stream, "(%s ) dup stringwidth pop 1000.0 div neg 0 rmoveto\n", orEmpty(italic));
    selectFont(stream, "Helvetica", size);
    show(stream, text);
    closeFragment(stream);
}

void Print_ReversibilityFourStage(FILE* stream, float x, float y, float size, const char* a, const char* b,
                                  const char* c, const char* d)
{
    const double small = kSmallFactor * size;
    openComposite(stream, x, y);
    selectFont(stream, "Helvetica", size);
    show(stream, "+ ");
    nudge(stream, "+ ");
    selectFont(stream, "Helvetica-Italic", small);
    std::fprintf(stream, "(%s ) show\n", orEmpty(a));
    std::fprintf(stream, "(%s ) dup stringwidth pop 1000.0 div neg 0 rmoveto\n", orEmpty(a));
    selectFont(stream, "Helvetica", size);
    show(stream, b);
    nudge(stream, b);
    selectFont(stream, "Helvetica", size);
    show(stream, " = ");
    nudge(stream, " = ");
    selectFont(stream, "Helvetica-Italic", small);
    std::fprintf(stream, "(%s ) show\n", orEmpty(c));
    std::fprintf(stream, "(%s ) dup stringwidth pop 1000.0 div neg 0 rmoveto\n", orEmpty(c));
    selectFont(stream, "Helvetica", size);
    show(stream, d);
    closeFragment(stream);
}

namespace {

// Calls visit(item) for each maximal run of non-space characters.
template <typename Visit>
void forEachItem(const std::string& text, Visit visit)
{
    std::string::size_type start = text.find_first_not_of(' ');
    while (start != std::string::npos) {
        const std::string::size_type end = text.find(' ', start);
        visit(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            break;
        start = text.find_first_not_of(' ', end);
    }
}

}  // namespace

int NumberOfItemsInString(const std::string& text)
{
    int count = 0;
    forEachItem(text, [&count](const std::string&) { ++count; });
    return count;
}

std::vector<std::string> BreakUpStringInPieces(const std::string& text, int n)
{
    std::vector<std::string> pieces;
    std::string piece;
    int count = 0;
    forEachItem(text, [&](const std::string& item) {
        piece += item;
        piece += ' ';
        if (++count > n) {
            pieces.push_back(piece);
            piece.clear();
            count = 0;
        }
    });
    pieces.push_back(piece);
    return pieces;
}

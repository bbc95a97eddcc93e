// Writes the roster of a set (its twelve transpositions and twelve
// inversions on staves) as an EPS document, for looking at the notation.
//
//   roster_sheet SET [scale] > roster.eps
//
// SET is a pitch-class text such as "0 1 3 7 8" (d and u stand for 10 and
// 11), written on the staves as given. scale defaults to 0.529, the page's
// scale; the sheet is the roster's frame with a margin of 10 points.
#include <cstdio>
#include <cstdlib>

#include "notation/NotationBox.h"
#include "postscript/PostScriptWriter.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: roster_sheet SET [scale] > roster.eps\n");
        return 1;
    }
    const char* set = argv[1];
    float scale = argc > 2 ? static_cast<float>(atof(argv[2])) : 0.529f;
    if (!(scale > 0.0f && scale <= 10.0f))
        scale = 0.529f;

    const float margin = 10.0f;
    const float width = 72.0f * 6.14f * scale + 2.0f * margin;
    const float height = 72.0f * 7.3f * scale + 2.0f * margin;
    Print_EPS_Header(stdout, width, height, set);
    PrintSetRosterNotation(stdout, set, margin, margin, scale);
    WrapUp_EPS(stdout);
    return 0;
}

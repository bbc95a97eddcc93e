#include "page/HarmodexPage.h"

#include <cstdio>

// The page so far: its frame and running head. The blocks of the analysis
// are composed into the same stream as they are written.
std::string DrawHarmodexPage(int page, std::string tnText, int mode, int pages)
{
    (void)mode;
    (void)pages;
    std::string eps = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 481 680\n%%Pages: 1\n%%Page: 1 1\n\n\n";
    char line[64];
    std::snprintf(line, sizeof line, "%d", page);
    eps += "/Helvetica findfont 12 scalefont setfont 56.69 640 moveto (" + std::string(line) + ") show\n";
    std::string safe;
    for (char c : tnText)
        if (c != '(' && c != ')' && c != '\\')
            safe += c;
    eps += "/Helvetica findfont 18 scalefont setfont 56.69 600 moveto (" + safe + ") show\n";
    eps += "\n\n%%EOF\n";
    return eps;
}

// A one-page EPS sheet that shows every text primitive and chart of the page
// writer, for checking by eye and for running through a PostScript
// interpreter.
#ifndef HARMODEX_POSTSCRIPT_SAMPLESHEET_H
#define HARMODEX_POSTSCRIPT_SAMPLESHEET_H

#include <cstdio>

void WriteSampleSheet(FILE* stream);

#endif

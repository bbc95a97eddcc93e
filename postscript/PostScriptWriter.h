// Framing of the PostScript text of the analysis page: the header with its
// document-structuring comments, the font prologue, the page separator of a
// multi-page document, the trailers, and the two length conversions used by
// every drawing routine. The writer keeps no state and never closes the
// stream it is given.
#ifndef HARMODEX_POSTSCRIPT_POSTSCRIPTWRITER_H
#define HARMODEX_POSTSCRIPT_POSTSCRIPTWRITER_H

#include <cstdio>
#include <ctime>
#include <string>

// Header of a one-page Encapsulated PostScript document of width x height
// points; the bounding box holds both sizes truncated toward zero.
void Print_EPS_Header(FILE* stream, float width, float height, const char* title);

// Header of a multi-page PostScript document of the given number of pages,
// opening page 1.
void Print_PS_Header(FILE* stream, const char* title, int pages);

// Ends the previous page of a multi-page document and opens page n.
void Print_PS_PageStart(FILE* stream, int page);

// Trailer of an EPS document (no showpage: the embedding program shows it).
void WrapUp_EPS(FILE* stream);

// Trailer of a multi-page document: shows the last page, then ends the file.
void WrapUp_PS(FILE* stream);

// The local time of the call in the 25-character asctime form
// "Www Mmm dd hh:mm:ss yyyy\n". The text lives in a static buffer that the
// next call overwrites.
const char* GetDateAndTime();

// The asctime form of any broken-down time, always exactly 25 characters:
// fields outside their ranges are brought to the nearest valid value and the
// year is kept within four digits (0 to 9999).
std::string FormatDateAndTime(const std::tm& when);

// Writes "v1 v2 ... operator\n": each value exactly as "%f" prints it,
// separated by single blanks. Much faster than fprintf for the thousands of
// path coordinates a page holds.
void WriteOperands(FILE* stream, const double* values, int count, const char* op);

// Lengths in points (1/72 inch).
float InInches(float inches);
// One centimetre is 0.3937 inch, i.e. 28.346401 points; the page geometry is
// built on this factor.
float InCentimeters(float centimetres);

#endif

// Rows of twelve numbers, one per pitch class 0 to 11 (or per transposition
// level), as the analysis page prints its tables. Cells are centred on
// whole-point columns: the first column is x truncated to an integer, each
// next one (previous + dx) truncated, so a step of 0.5 cm (14.1732 pt) gives
// columns exactly 14 pt apart.
#ifndef HARMODEX_POSTSCRIPT_NUMERICTABLES_H
#define HARMODEX_POSTSCRIPT_NUMERICTABLES_H

#include <cstdio>
#include <vector>

#include "pcset/PitchClassSet.h"

// Header row of pitch-class names: the numbers, with 10 and 11 as d and u.
void PrintNumericTablesSimpleII(FILE* stream, const std::vector<int>& list, float x, float y, float dx, float size);

// A row of numbers; every entry equal to the largest is emphasised.
void PrintNumericTablesSimple(FILE* stream, const std::vector<int>& list, float x, float y, float dx, float size);

// A row of percentages: the largest entry other than 100 is emphasised, a
// full 100 never is (a row of 100s has no emphasis at all).
void PrintNumericTablesSimpleHundred(FILE* stream, const std::vector<int>& list, float x, float y, float dx,
                                     float size);

// One of the named analysis tables of the analysed set P, with its largest
// value (taken from list) emphasised. Runs of pitch classes that do not
// qualify for the table are enclosed in parentheses (a run wrapping from 11
// to 0 opens at its first cell and closes at its last); in the tonal tables
// the root of a bare fifth (a fifth with neither triad on it) is underlined.
// Names and what qualifies:
//   "Parncutt", "ParncuttInv", "CostereCardinal": the pitch class is in P;
//   "CostereTonalMajor" / "CostereTonalMinor": the major / minor triad on it
//       lies in P;
//   "CostereTranspositional" / "CostereInversional": P transposed / inverted
//       at that level lies in P.
// Any other name prints list itself as a plain row, with its largest value
// emphasised and no marks.
void PrintNumericTables(FILE* stream, const PitchClassSet& p, const char* name, const std::vector<int>& list, float x,
                        float y, float dx, float size);

// The centres of the twelve cells of a row that starts at x with step dx,
// where the functions above print them.
std::vector<float> NumericTableColumns(float x, float dx);

// Whether a cell of a named table qualifies (is printed outside the
// parentheses); true for a name the tables do not know.
bool NumericTableCellQualifies(const PitchClassSet& p, const char* name, int pc);

#endif

#ifndef HARMODEX_PCSET_CONVERSIONS_H
#define HARMODEX_PCSET_CONVERSIONS_H

// Pitch-class lists as text and back, and small list utilities.
//
// Two text forms: the plain form ("0 2 4 6 8 10") used by the catalogue, and
// the pitch-class form ("0 2 4 6 8 d") where 10 and 11 are written d and u.
// Both put exactly one space between values and none around them.

#include <string>
#include <vector>

// Parse a list: tokens are separated by runs of spaces (only spaces); "d" is
// 10, "u" is 11, any other token is read like atoi (leading white space,
// sign, digits up to the first non-digit; no digits gives 0), saturating at
// the int range. No reduction mod 12, duplicates kept. The whole text is
// read, whatever its length; a null pointer reads as the empty text.
std::vector<int> cStringToVector(const char* text);
std::vector<int> StringToVector(const std::string& text);

// One token read the way the parser reads it ("d" 10, "u" 11, else atoi with
// saturation instead of overflow).
int ParsePitchClassToken(const std::string& token);

std::string VectorToString(const std::vector<int>& list);
std::string VectorToStringPC(const std::vector<int>& list);
// Symmetry axes between pitch classes, as PostScript string literals with
// the Latin-1 one-half sign: 0.5 6.5 -> "(0\275) (6\275)".
std::string VectorToStringPC(const std::vector<float>& axes);
// The text forms that were C strings are returned as std::string: the text
// then belongs to the caller and stays valid as long as it is kept.
std::string VectorTocString(const std::vector<int>& list);
std::string VectorTocStringCommas(const std::vector<int>& list);
std::string IntToString(int value);
std::string IntToStringPlain(int value);
std::string IntTocString(int value);

bool VectorsAreEqual(const std::vector<int>& a, const std::vector<int>& b);
// Largest entry, starting from -999 (so an empty list gives -999).
int getBiggest(const std::vector<int>& list);
std::vector<int> AddVectors(std::vector<int> a, const std::vector<int>& b);
std::vector<int> ReverseVector(std::vector<int> a);

#endif

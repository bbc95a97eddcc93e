#include "pcset/Conversions.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>

namespace {

std::string joinInts(const std::vector<int>& list, const char* separator, std::string (*format)(int))
{
    std::string text;
    for (size_t i = 0; i < list.size(); ++i) {
        if (i > 0)
            text += separator;
        text += format(list[i]);
    }
    return text;
}

}  // namespace

int ParsePitchClassToken(const std::string& token)
{
    if (token == "d")
        return 10;
    if (token == "u")
        return 11;
    // atoi's reading, but the digits saturate at INT_MIN / INT_MAX instead of
    // overflowing, so every token that fits gives atoi's own value.
    size_t i = 0;
    while (i < token.size() && std::isspace(static_cast<unsigned char>(token[i])))
        ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        negative = token[i] == '-';
        ++i;
    }
    long long magnitude = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; i < token.size() && std::isdigit(static_cast<unsigned char>(token[i])); ++i) {
        magnitude = magnitude * 10 + (token[i] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

std::vector<int> StringToVector(const std::string& text)
{
    std::vector<int> values;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ')
            ++i;
        size_t start = i;
        while (i < text.size() && text[i] != ' ')
            ++i;
        if (i > start)
            values.push_back(ParsePitchClassToken(text.substr(start, i - start)));
    }
    return values;
}

std::vector<int> cStringToVector(const char* text) { return StringToVector(text ? std::string(text) : std::string()); }

std::string IntToStringPlain(int value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d", value);
    return buffer;
}

std::string IntTocString(int value) { return IntToStringPlain(value); }

std::string IntToString(int value)
{
    if (value == 10)
        return "d";
    if (value == 11)
        return "u";
    return IntToStringPlain(value);
}

std::string VectorToString(const std::vector<int>& list) { return joinInts(list, " ", IntToStringPlain); }
std::string VectorToStringPC(const std::vector<int>& list) { return joinInts(list, " ", IntToString); }
std::string VectorTocString(const std::vector<int>& list) { return VectorToString(list); }
std::string VectorTocStringCommas(const std::vector<int>& list) { return joinInts(list, ",", IntToStringPlain); }

std::string VectorToStringPC(const std::vector<float>& axes)
{
    std::string text;
    for (size_t i = 0; i < axes.size(); ++i) {
        if (i > 0)
            text += ' ';
        float v = axes[i];
        // An axis between two pitch classes: its integer part and a half.
        if (v >= 10.0f && v < 12.0f) {
            text += static_cast<int>(v) == 10 ? "(d\\275)" : "(u\\275)";
        } else {
            // Truncation toward zero of values far outside any axis would
            // not fit an int; clamp them (no real axis comes near).
            float clamped = std::max(-1.0e9f, std::min(1.0e9f, v));
            text += "(" + IntToStringPlain(static_cast<int>(clamped)) + "\\275)";
        }
    }
    return text;
}

bool VectorsAreEqual(const std::vector<int>& a, const std::vector<int>& b) { return a == b; }

int getBiggest(const std::vector<int>& list)
{
    int biggest = -999;
    for (int x : list)
        if (x > biggest)
            biggest = x;
    return biggest;
}

std::vector<int> AddVectors(std::vector<int> a, const std::vector<int>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<int> ReverseVector(std::vector<int> a)
{
    std::reverse(a.begin(), a.end());
    return a;
}

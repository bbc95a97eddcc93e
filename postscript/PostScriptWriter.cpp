#include "postscript/PostScriptWriter.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include <cmath>

namespace {

// Re-encodes Arial as /MyArial with the Latin-1 encoding, so that octal
// escapes such as \260 (degree sign) print their Latin-1 glyphs. Copying into
// a zero-size dictionary relies on the interpreter growing dictionaries.
const char* const kFontPrologue = "/Arial findfont\n"
                                  "0 dict copy begin\n"
                                  "/Encoding ISOLatin1Encoding def\n"
                                  "/MyArial /FontName def\n"
                                  "currentdict end\n"
                                  "dup /FID undef\n"
                                  "/MyArial exch definefont pop\n";

const char* orEmpty(const char* text) { return text ? text : ""; }

// Truncation toward zero as a cast does, but defined for every float: the
// bounding box of an absurd size is clamped rather than undefined.
int truncateToInt(float value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0f)
        return 2147483647;
    if (value <= -2147483648.0f)
        return -2147483647 - 1;
    return static_cast<int>(value);
}

int clampInt(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

// Title and creation-date comments, shared by both headers.
void printTitleAndDate(FILE* stream, const char* title)
{
    std::fprintf(stream, "%%%%Creator: Folioscribe\n");
    std::fprintf(stream, "%%%%Title: %s\n", orEmpty(title));
    // The date text brings its own newline.
    std::fprintf(stream, "%%%%CreationDate: %s", GetDateAndTime());
    std::fprintf(stream, "%%%%DocumentData: Clean7Bit\n");
    std::fprintf(stream, "%%%%Origin: 0 0\n");
}

}  // namespace

void Print_EPS_Header(FILE* stream, float width, float height, const char* title)
{
    std::fputs("%!PS-Adobe-3.0 EPSF-3.0\n", stream);
    printTitleAndDate(stream, title);
    std::fprintf(stream, "%%%%BoundingBox: 0 0 %d %d\n", truncateToInt(width), truncateToInt(height));
    std::fprintf(stream, "%%%%LanguageLevel: 1\n");
    std::fprintf(stream, "%%%%Pages: 1\n");
    std::fprintf(stream, "%%%%Page: 1 1\n\n\n");
    std::fputs(kFontPrologue, stream);
}

void Print_PS_Header(FILE* stream, const char* title, int pages)
{
    std::fputs("%!PS-Adobe-2.0\n\n", stream);
    printTitleAndDate(stream, title);
    std::fprintf(stream, "%%%%LanguageLevel: 1\n");
    std::fprintf(stream, "%%%%Pages: %d\n", pages);
    std::fprintf(stream, "%%%%Page: 1 1\n\n\n");
    std::fputs(kFontPrologue, stream);
}

void Print_PS_PageStart(FILE* stream, int page)
{
    std::fputs("\n\nshowpage\n\n", stream);
    std::fprintf(stream, "%%%%Page: %d %d\n\n\n", page, page);
}

void WrapUp_EPS(FILE* stream) { std::fputs("\n\n%%EOF\n", stream); }

void WrapUp_PS(FILE* stream)
{
    std::fputs("\n\nshowpage\n\n", stream);
    WrapUp_EPS(stream);
}

std::string FormatDateAndTime(const std::tm& when)
{
    static const char* const kDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    // tm_year counts from 1900; widen before adding so that no field overflows.
    long long year = static_cast<long long>(when.tm_year) + 1900;
    if (year < 0)
        year = 0;
    if (year > 9999)
        year = 9999;
    char text[32];
    std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d:%.2d:%.2d %04d\n", kDays[clampInt(when.tm_wday, 0, 6)],
                  kMonths[clampInt(when.tm_mon, 0, 11)], clampInt(when.tm_mday, 1, 31), clampInt(when.tm_hour, 0, 23),
                  clampInt(when.tm_min, 0, 59), clampInt(when.tm_sec, 0, 60), static_cast<int>(year));
    return text;
}

const char* GetDateAndTime()
{
    thread_local char text[26];  // pages may be composed on several threads at once
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) {
        local = std::tm{};
        local.tm_mday = 1;
        local.tm_year = 70;
        local.tm_wday = 4;
    }
    const std::string formatted = FormatDateAndTime(local);
    std::snprintf(text, sizeof text, "%s", formatted.c_str());
    return text;
}

float InInches(float inches) { return static_cast<float>(72.0 * inches); }

float InCentimeters(float centimetres)
{
    const float inches = static_cast<float>(centimetres * 0.3937);
    return InInches(inches);
}

namespace {

// One value as "%f" prints it: fixed notation, six decimals, correctly
// rounded (ties to even) from the exact binary value, "-" for every value
// with the sign bit (so -0.0 gives -0.000000, as printf writes it). Values
// below 10^12 in magnitude, all a page holds, are done in integer
// arithmetic: x = m * 2^e exactly, so x * 10^6 = m * 10^6 * 2^e fits 128
// bits and the rounded millionths fit 64.
char* formatFixed6(char* at, char* end, double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 1e12)
        return std::to_chars(at, end, value, std::chars_format::fixed, 6).ptr;
    if (std::signbit(value))
        *at++ = '-';
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);  // value = fraction * 2^exponent
    const unsigned long long mantissa = static_cast<unsigned long long>(std::ldexp(fraction, 53));
    exponent -= 53;  // value = mantissa * 2^exponent
    unsigned __int128 scaled = static_cast<unsigned __int128>(mantissa) * 1000000u;
    if (exponent >= 0) {
        scaled <<= exponent;  // the value is below 10^12: no overflow
    } else if (exponent > -120) {
        const int shift = -exponent;
        const unsigned __int128 remainder = scaled & ((static_cast<unsigned __int128>(1) << shift) - 1);
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        scaled >>= shift;
        if (remainder > half || (remainder == half && (scaled & 1)))
            ++scaled;
    } else {
        scaled = 0;  // far below half a millionth
    }
    const unsigned long long micros = static_cast<unsigned long long>(scaled);
    at = std::to_chars(at, end, micros / 1000000u).ptr;
    unsigned long long decimals = micros % 1000000u;
    *at++ = '.';
    for (int k = 5; k >= 0; --k) {
        at[k] = static_cast<char>('0' + decimals % 10);
        decimals /= 10;
    }
    return at + 6;
}

}  // namespace

void WriteOperands(FILE* stream, const double* values, int count, const char* op)
{
    // The same text as printf's "%f" in the C locale, much faster.
    char line[512];
    char* at = line;
    char* const end = line + sizeof line;
    for (int i = 0; i < count; ++i) {
        if (end - at < 340) {  // room for the widest double in fixed notation
            std::fwrite(line, 1, at - line, stream);
            at = line;
        }
        at = formatFixed6(at, end, values[i]);
        *at++ = ' ';
    }
    const size_t opLength = std::strlen(op);
    if (static_cast<size_t>(end - at) < opLength + 1) {
        std::fwrite(line, 1, at - line, stream);
        at = line;
    }
    if (opLength + 1 <= sizeof line) {
        std::memcpy(at, op, opLength);
        at += opLength;
        *at++ = '\n';
        std::fwrite(line, 1, at - line, stream);
    } else {
        std::fwrite(line, 1, at - line, stream);
        std::fputs(op, stream);
        std::fputc('\n', stream);
    }
}

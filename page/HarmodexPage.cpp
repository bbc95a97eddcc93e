#include "page/HarmodexPage.h"

#include <cstdio>
#include <cstdlib>

#include "page/PostScriptWriter.h"
#include "page/TextPrimitives.h"
#include "pcset/Conversions.h"

// The page so far: its document frame and running head. The blocks of the
// analysis are composed into the same stream as they are written.
std::string DrawHarmodexPage(int page, std::string tnText, int mode, int pages)
{
    char* buffer = nullptr;
    size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    if (!stream)
        return std::string();

    const float width = InCentimeters(17.0f), height = InCentimeters(24.0f);
    const std::string title = tnText;
    if (mode >= 0)
        Print_EPS_Header(stream, width, height, title.c_str());
    else if (mode == -1)
        Print_PS_Header(stream, title.c_str(), pages);
    else
        Print_PS_PageStart(stream, -mode);

    const bool odd = page % 2 != 0;
    const float left = InCentimeters(odd ? 2.0f : 1.5f);
    const float right = width - InCentimeters(odd ? 1.5f : 2.0f);
    const std::string number = IntToStringPlain(page);
    Print_TextII(stream, odd ? right : left, height - InCentimeters(1.0f), 9.0f, number.c_str(), odd ? 2 : 1);
    Print_TextII(stream, left, height - InCentimeters(3.0f), 18.0f, tnText.c_str(), 1);

    if (mode >= 0)
        WrapUp_EPS(stream);
    else if ((mode == -1 && pages == 1) || -pages == mode)
        WrapUp_PS(stream);
    std::fclose(stream);
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

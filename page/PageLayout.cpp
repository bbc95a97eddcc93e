#include "page/PageLayout.h"

#include <utility>

namespace {

const PageRegion* smallestAt(const std::vector<PageRegion>& regions, double x, double y)
{
    const PageRegion* best = nullptr;
    for (const PageRegion& region : regions)
        if (region.rect.contains(x, y) && (!best || region.rect.area() < best->rect.area()))
            best = &region;
    return best;
}

}  // namespace

const PageRegion* PageLayout::blockAt(double x, double y) const { return smallestAt(blocks, x, y); }

const PageRegion* PageLayout::detailAt(double x, double y) const { return smallestAt(details, x, y); }

void PageLayout::addBlock(const std::string& id, PageRect rect)
{
    PageRegion region;
    region.block = id;
    region.rect = rect;
    blocks.push_back(std::move(region));
}

void PageLayout::addDetail(PageRegion region) { details.push_back(std::move(region)); }

PageRect RectOf(float x, float y, float width, float height) { return {x, y, x + width, y + height}; }

std::string PlainText(const std::string& shown)
{
    std::string text;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] != '\\' || i + 1 == shown.size()) {
            text += shown[i];
            continue;
        }
        int code = 0, digits = 0;
        while (digits < 3 && i + 1 + digits < shown.size() && shown[i + 1 + digits] >= '0' &&
               shown[i + 1 + digits] <= '7')
            code = code * 8 + (shown[i + 1 + digits++] - '0');
        if (digits == 0) {
            text += shown[++i];  // an escaped parenthesis or backslash
            continue;
        }
        i += digits;
        if (code < 0x80) {
            text += static_cast<char>(code);
        } else {
            // Latin-1 as UTF-8.
            text += static_cast<char>(0xC0 | (code >> 6));
            text += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return text;
}

std::string PitchClassWithName(int pc)
{
    // Spelled as the most common keys spell them: sharps for C# and F#,
    // flats for Eb, Ab and Bb.
    static const char* const names[12] = {"C",       "C\u266f", "D",       "E\u266d", "E",       "F",
                                          "F\u266f", "G",       "A\u266d", "A",       "B\u266d", "B"};
    const int k = ((pc % 12) + 12) % 12;
    return std::to_string(k) + " (" + names[k] + ")";
}

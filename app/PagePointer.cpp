#include "app/PagePointer.h"

#include <cmath>

#include <glib.h>

#include "raster/Preview.h"

const char* const kDoubleClickHint = "Double-click to read more.";

namespace {

// The pieces of a classification line ("cislocative, ambimultipolar"), each
// a term of its own.
std::vector<std::string> termsOf(const std::string& term)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start <= term.size()) {
        std::size_t end = term.find(',', start);
        if (end == std::string::npos)
            end = term.size();
        std::string piece = term.substr(start, end - start);
        const std::size_t first = piece.find_first_not_of(' ');
        const std::size_t last = piece.find_last_not_of(' ');
        if (first != std::string::npos)
            pieces.push_back(piece.substr(first, last - first + 1));
        start = end + 1;
    }
    return pieces;
}

std::string escaped(const std::string& text)
{
    gchar* e = g_markup_escape_text(text.c_str(), -1);
    std::string result(e);
    g_free(e);
    return result;
}

}  // namespace

PagePoint PointerToPage(double x, double y, const PreviewPlacement& placement, double pageHeight)
{
    // Logical pixels to image pixels, image pixels to points.
    const double dotsPerPoint = kDotsPerInchAtSize1 * placement.size * placement.scale / 72.0;
    const double imageX = (x + placement.scrollX - placement.imageLeft) * placement.scale;
    const double imageY = (y + placement.scrollY - placement.imageTop) * placement.scale;
    return {imageX / dotsPerPoint, pageHeight - imageY / dotsPerPoint};
}

PointerRect PageRectOnScreen(const PageRect& rect, const PreviewPlacement& placement, double pageHeight)
{
    const double perPoint = kDotsPerInchAtSize1 * placement.size / 72.0;  // logical pixels
    const double left = placement.imageLeft - placement.scrollX + rect.left * perPoint;
    const double right = placement.imageLeft - placement.scrollX + rect.right * perPoint;
    const double top = placement.imageTop - placement.scrollY + (pageHeight - rect.top) * perPoint;
    const double bottom = placement.imageTop - placement.scrollY + (pageHeight - rect.bottom) * perPoint;
    PointerRect r;
    r.x = static_cast<int>(std::floor(left));
    r.y = static_cast<int>(std::floor(top));
    r.width = static_cast<int>(std::ceil(right)) - r.x;
    r.height = static_cast<int>(std::ceil(bottom)) - r.y;
    return r;
}

std::string PageSpot::blockId() const
{
    if (detail)
        return detail->block;
    return block ? block->block : std::string();
}

PageSpot SpotAt(const PageLayout& layout, PagePoint point)
{
    return {layout.blockAt(point.x, point.y), layout.detailAt(point.x, point.y)};
}

std::string BlockTitle(const std::string& blockId)
{
    static const struct {
        const char* id;
        const char* title;
    } titles[] = {
        {"identity", "Identity"},
        {"roster", "The 24 transformations"},
        {"root-salience", "Root salience"},
        {"attraction", "Attraction tables"},
        {"poles", "Poles and centres"},
        {"classification-symmetry", "Classification: symmetry"},
        {"classification-cardinal", "Classification: cardinal polarity"},
        {"classification-tonal", "Classification: tonal polarity"},
        {"classification-transpositional", "Classification: transpositions"},
        {"classification-reversibility", "Classification: autocomplementarity"},
        {"classification-multimodalization", "Classification: multimodalization"},
        {"classification-imitation", "Classification: tonal imitation"},
        {"measures", "Psychoacoustic measures"},
        {"commonality", "Commonality"},
        {"strips", "Subsets and supersets"},
    };
    for (const auto& t : titles)
        if (blockId == t.id)
            return t.title;
    return blockId.compare(0, 14, "classification") == 0 ? "Classification" : blockId;
}

std::vector<std::string> TooltipLines(const PageSpot& spot, const TermLookup& explain)
{
    std::vector<std::string> lines;
    if (spot.empty())
        return lines;
    lines.push_back(BlockTitle(spot.blockId()));
    if (const PageRegion* d = spot.detail) {
        if (!d->what.empty())
            lines.push_back(d->value.empty() ? d->what : d->what + ": " + d->value);
        else if (!d->value.empty())
            lines.push_back(d->value);
        if (!d->note.empty())
            lines.push_back(d->note);
        if (!d->term.empty() && explain) {
            // The whole term first; a line of several terms, each known one.
            const std::string whole = explain(d->term);
            if (!whole.empty()) {
                lines.push_back(whole);
            } else {
                const std::vector<std::string> pieces = termsOf(d->term);
                for (const std::string& piece : pieces) {
                    const std::string e = piece == d->term ? std::string() : explain(piece);
                    if (!e.empty())
                        lines.push_back(pieces.size() > 1 ? piece + ": " + e : e);
                }
            }
        }
    }
    lines.push_back(kDoubleClickHint);
    return lines;
}

std::string TooltipMarkup(const PageSpot& spot, const TermLookup& explain)
{
    const std::vector<std::string> lines = TooltipLines(spot, explain);
    std::string markup;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            markup += "\n";
        if (i == 0)
            markup += "<b>" + escaped(lines[i]) + "</b>";
        else if (i + 1 == lines.size())
            markup += "<small>" + escaped(lines[i]) + "</small>";
        else
            markup += escaped(lines[i]);
    }
    return markup;
}

std::string HelpSectionOf(const PageSpot& spot, const TermLookup& sectionOfTerm)
{
    if (spot.empty())
        return std::string();
    if (spot.detail && !spot.detail->term.empty() && sectionOfTerm) {
        std::string section = sectionOfTerm(spot.detail->term);
        if (!section.empty())
            return section;
        for (const std::string& piece : termsOf(spot.detail->term)) {
            section = sectionOfTerm(piece);
            if (!section.empty())
                return section;
        }
    }
    return spot.blockId();
}

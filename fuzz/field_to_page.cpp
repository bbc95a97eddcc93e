// Fuzz target: the whole road from a field's text to a composed page, as the
// window takes it: read, load, Tn-type, page number, page.
#include <cstddef>
#include <cstdint>
#include <string>

#include "page/HarmodexPage.h"
#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 200)
        return 0;  // the fields hold at most 200 characters
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<int> list = ReadSetText(text);
    if (list.empty())
        return 0;
    PitchClassSet set;
    set.initializeSet(list);
    const std::string tnText = VectorToString(set.getTnType());
    const int page = FindSetID(tnText, SharedUniverse()) + 1;
    if (page < 1 || page > PitchUniverse::NumTnTypes)
        __builtin_trap();  // every non-empty set has a page
    PageLayout layout;
    const std::string eps = DrawHarmodexPage(page, tnText, 0, 0, &layout);
    if (eps.compare(0, 23, "%!PS-Adobe-3.0 EPSF-3.0") != 0)
        __builtin_trap();
    // What the window's tooltips point at lies on the page.
    for (const std::vector<PageRegion>* regions : {&layout.blocks, &layout.details})
        for (const PageRegion& r : *regions)
            if (!(r.rect.left >= 0 && r.rect.right <= layout.width && r.rect.bottom >= 0 &&
                  r.rect.top <= layout.height && r.rect.left <= r.rect.right && r.rect.bottom <= r.rect.top))
                __builtin_trap();
    return 0;
}

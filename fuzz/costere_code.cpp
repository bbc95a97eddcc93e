// Fuzz target: any text read as a Costère code; the set it gives must write
// a code that reads back to its Tn-type.
#include <cstddef>
#include <cstdint>
#include <string>

#include "pcset/CostereCode.h"
#include "pcset/PitchClassSet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<int> list = ConvertFromAdjCostereCode(text);
    if (list.empty())
        return 0;
    PitchClassSet set;
    set.initializeSet(list);
    const std::string code = calculateAdjCostereNumber(list);
    if (ConvertFromAdjCostereCode(code) != set.getTnType())
        __builtin_trap();
    return 0;
}

// Fuzz target: any text typed into a field, read as a pitch-class list and
// loaded into the set record.
#include <cstddef>
#include <cstdint>
#include <string>

#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<int> list = StringToVector(text);
    PitchClassSet set;
    set.initializeSet(list);
    const std::vector<int> tn = set.getTnType();
    if (!tn.empty() && tn.front() != 0)
        __builtin_trap();
    // The pitch-class form reads back to the same list.
    if (StringToVector(VectorToStringPC(tn)) != tn)
        __builtin_trap();
    return 0;
}

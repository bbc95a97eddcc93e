// Fuzz target: any text given to the forgiving reader, in either field. A
// reading is either an error that explains itself or distinct pitch classes
// 0 to 11 with the form named, and the notes the command line and window
// build from it are safe to make.
#include <cstddef>
#include <cstdint>
#include <string>

#include "pcset/SetReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const SetReading& r : {UnderstandSetText(text), UnderstandCostereFieldText(text)}) {
        if (r.error.empty() == r.pitchClasses.empty() || (r.error.empty() && r.form.empty()))
            __builtin_trap();
        bool seen[12] = {};
        for (int pc : r.pitchClasses) {
            if (pc < 0 || pc > 11 || seen[pc])
                __builtin_trap();
            seen[pc] = true;
        }
        DescribeReading(text, r);
    }
    QuoteForMessage(text);
    return 0;
}

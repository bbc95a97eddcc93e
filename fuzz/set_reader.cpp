// Fuzz target: any text given to the forgiving reader, in either field. A
// reading is either an error that explains itself or distinct pitch classes
// 0 to 11 with the form named, and the notes the command line and window
// build from it (also as typed) are safe to make.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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
    ReadsLiterallyAsWritten(text);
    // The notes as typed are the reading's pitch classes, each once, in
    // octaves a piano has (a digit of octave at most).
    const SetReading reading = UnderstandSetText(text);
    const std::vector<TypedNote> typed = TypedNotes(text);
    if (typed.size() != reading.pitchClasses.size())
        __builtin_trap();
    for (size_t i = 0; i < typed.size(); ++i)
        if (typed[i].pitch < -60 || typed[i].pitch > 80 || ((typed[i].pitch % 12) + 12) % 12 != reading.pitchClasses[i])
            __builtin_trap();
    return 0;
}

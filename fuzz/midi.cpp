// Fuzz target: any bytes read as a Standard MIDI File, then segmented every
// way. Reading either gives a score or throws harmodex::Error; the segments
// are well formed.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Error.h"
#include "score/Score.h"
#include "score/Segments.h"

void CheckSegments(const Score& score);

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        CheckSegments(ReadMidi(std::string(reinterpret_cast<const char*>(data), size), "fuzz.mid"));
    } catch (const harmodex::Error&) {
    }
    return 0;
}

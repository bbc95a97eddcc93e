// A keyboard's stream of messages as it might arrive from any device:
// whatever the bytes, the held-notes tracker neither crashes nor reports an
// empty chord, a chord whose mask disagrees with its keys, or the same chord
// twice in a row.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "midi/HeldNotes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    HeldNotes held;
    HeldNotes::TimePoint t{};
    std::optional<HeldChord> last;
    // Each step: a byte of source and time (the low 6 bits: milliseconds
    // since the step before, the top 2: the source), a length of 0 to 3,
    // then the message.
    size_t i = 0;
    while (i + 2 <= size) {
        const uint8_t head = data[i], length = data[i + 1] & 3;
        i += 2;
        t += std::chrono::milliseconds(head & 0x3F) * 4;
        const size_t n = i + length <= size ? length : size - i;
        held.message(head >> 6, data + i, n, t);
        i += n;
        if (std::optional<HeldChord> chord = held.poll(t)) {
            if (chord->keys.empty() || (last && *last == *chord))
                std::abort();
            uint16_t mask = 0;
            for (int key : chord->keys)
                mask |= static_cast<uint16_t>(1u << (key % 12));
            if (mask != chord->mask)
                std::abort();
            last = chord;
        }
    }
    return 0;
}

// Fuzz target: any text read as the window's state file. A text is refused
// with harmodex::Error or gives a state within its ranges that writes a file
// reading back to the same state.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/WindowState.h"
#include "base/Error.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    WindowState state;
    try {
        state = ParseWindowState(text);
    } catch (const harmodex::Error&) {
        return 0;
    }
    if (state.page < 0 || state.page > 351)
        __builtin_trap();
    if (state.width != 0 && (state.width < kRememberedLeastSide || state.width > kRememberedLargestSide))
        __builtin_trap();
    if (state.height != 0 && (state.height < kRememberedLeastSide || state.height > kRememberedLargestSide))
        __builtin_trap();
    if (!(state.sizeFactor >= kRememberedSmallestSize && state.sizeFactor <= kRememberedLargestSize))
        __builtin_trap();
    if (ParseWindowState(FormatWindowState(state)) != state)
        __builtin_trap();
    return 0;
}

#ifndef HARMODEX_TESTS_THROWNERROR_H
#define HARMODEX_TESTS_THROWNERROR_H

#include <string>

#include "base/Error.h"

// The message of the harmodex::Error a call throws ("" when it throws none);
// *badInput tells whether it was one of unreadable input.
template <typename Call>
std::string ThrownError(Call call, bool* badInput = nullptr)
{
    try {
        call();
    } catch (const harmodex::Error& e) {
        if (badInput)
            *badInput = e.badInput();
        return e.what();
    }
    return "";
}

#endif

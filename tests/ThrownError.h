#ifndef HARMODEX_TESTS_THROWNERROR_H
#define HARMODEX_TESTS_THROWNERROR_H

#include <string>

#include "base/Error.h"

// The message of the harmodex::Error a call throws ("" when it throws none).
template <typename Call>
std::string ThrownError(Call call)
{
    try {
        call();
    } catch (const harmodex::Error& e) {
        return e.what();
    }
    return "";
}

#endif

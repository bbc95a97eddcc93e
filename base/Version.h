#ifndef HARMODEX_BASE_VERSION_H
#define HARMODEX_BASE_VERSION_H

// The version of Harmodex, set once in the project's CMakeLists.txt and
// given to every program, the About dialog and the metadata of the files
// written.
#ifndef HARMODEX_VERSION
#error "HARMODEX_VERSION is defined by the build"
#endif

namespace harmodex {
inline constexpr const char* kVersion = HARMODEX_VERSION;
}

#endif

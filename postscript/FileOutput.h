#ifndef HARMODEX_POSTSCRIPT_FILEOUTPUT_H
#define HARMODEX_POSTSCRIPT_FILEOUTPUT_H

#include <string>

// Writes data to path through a temporary file in the same folder that
// replaces path only once completely written and flushed, so that a failure
// (no permission, missing folder, full disk) never leaves a partial file
// looking complete. A replaced file keeps its permissions. Returns false
// with the reason in *error.
bool WriteFileAtomically(const std::string& path, const std::string& data, std::string* error);

#endif

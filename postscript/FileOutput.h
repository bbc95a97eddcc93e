#ifndef HARMODEX_POSTSCRIPT_FILEOUTPUT_H
#define HARMODEX_POSTSCRIPT_FILEOUTPUT_H

#include <string>

#include "base/Error.h"

// Writes data to path the way a careful Unix tool does, or throws
// harmodex::Error ("cannot write PATH: reason in plain words").
//
// A regular file, or a name not yet taken, is written through GIO's file
// replacement: the data goes to a temporary file in the same folder that
// takes the name only once completely written and flushed, so a failure
// never leaves a partial file looking complete. A symbolic link has its
// target written; a replaced file keeps its permissions; a hard-linked file,
// or one in a folder where no temporary can be made, is written in place.
// A new file gets the usual permissions (0666 less the umask).
//
// Anything else (a device such as /dev/null, a named pipe, a terminal, or a
// name for an open descriptor such as /dev/stdout) is written in place and
// never replaced. Every write error is an error, "No space left on device"
// from /dev/full included.
void WriteFileAtomically(const std::string& path, const std::string& data);

// Writes all of data to an open descriptor, through interrupted and short
// writes. The first failure throws harmodex::Error with the reason (a
// closed pipe gives "Broken pipe"; the caller is expected not to die of
// SIGPIPE).
void WriteAllToDescriptor(int fd, const std::string& data);

#endif

#ifndef HARMODEX_CLI_COMMANDS_H
#define HARMODEX_CLI_COMMANDS_H

// harmodex-cli: the analysis as data, pages without a display, and the
// whole catalogue as a book. Returns the process exit status; errors are
// one line on err.

#include <ostream>
#include <string>

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

// The whole catalogue as one multi-page PostScript document, page by page
// through the composer's multi-page framing. progress, when given, is called
// after each page with its number.
std::string ComposeBook(void (*progress)(int page) = nullptr);

#endif

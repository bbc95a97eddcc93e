#ifndef HARMODEX_APP_PRINT_H
#define HARMODEX_APP_PRINT_H

// Printing the shown page through the desktop's print dialog: the page as
// vectors (its PDF drawn by poppler), as large as the paper's printable area
// allows, its proportions kept. The dialog's "Print to File" makes a PDF.

#include <string>

#include "app/AppWindow.h"

// Opens the print dialog for the shown page (win.print); a bell when there
// is no page yet. A failure is told in a message naming the reason.
void PrintShownPage(AppWindow& w);

// Prints the shown page without a dialog into a PDF file at path, with the
// default page set-up, as "Print to File" does. Throws harmodex::Error
// naming the path and the reason on failure.
void ExportShownPageAsPrinted(AppWindow& w, const std::string& path);

#endif

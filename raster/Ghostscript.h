#ifndef HARMODEX_RASTER_GHOSTSCRIPT_H
#define HARMODEX_RASTER_GHOSTSCRIPT_H

// Running Ghostscript as a program: always with an argument vector, never
// through a shell, so no file name is ever read as a command.

#include <functional>
#include <string>
#include <vector>

// A private folder for the files one conversion needs, removed with all it
// holds when the object goes, whatever happened in between.
class ScratchFolder {
public:
    ScratchFolder();  // throws std::runtime_error when none can be made
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    // A path for the file called name inside the folder.
    std::string file(const std::string& name) const;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Ghostscript reads its -sOutputFile value as a pattern in which %d stands
// for the page number; a literal '%' is written "%%".
std::string GhostscriptOutputFile(const std::string& path);

// A PDF text string for pdfmark: UTF-16BE in hexadecimal behind a byte-order
// mark, which carries any character and needs no escaping in PostScript.
std::string PdfTextString(const std::string& utf8);

// Runs gs with these arguments (after "gs -q -dSAFER -dBATCH -dNOPAUSE").
// When feed is given, Ghostscript reads standard input ("-_" among the
// arguments) and feed is called with a function that writes the next bytes
// to it; it returns false when Ghostscript no longer reads. Throws
// std::runtime_error with Ghostscript's own complaint when the run fails.
// Ghostscript's messages go to the file diagnostics when given.
void RunGhostscript(const std::vector<std::string>& arguments,
                    const std::function<void(const std::function<bool(const std::string&)>& write)>& feed = nullptr);

#endif

// harmodex-cli book: the 351 pages as one PostScript document, or as a PDF
// through Ghostscript.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <unistd.h>

#include "cli/Commands.h"
#include "cli/Subcommand.h"
#include "page/HarmodexPage.h"
#include "pcset/PitchUniverse.h"
#include "postscript/PostScriptWriter.h"

namespace {

void showProgress(int page)
{
    std::fprintf(stderr, "\rharmodex-cli: page %d of %d", page, PitchUniverse::NumTnTypes);
    if (page == PitchUniverse::NumTnTypes)
        std::fputc('\n', stderr);
}

// The book as a PDF through Ghostscript, page by page: each page is composed
// and handed to Ghostscript in turn, so the progress shown follows
// Ghostscript's own work. The PDF goes to a temporary file beside the target
// that replaces it only when Ghostscript succeeded. Pages are 17 x 24 cm,
// the size of the book's page.
void writePdf(const std::string& path, void (*progress)(int page))
{
    const size_t slash = path.rfind('/');
    std::string temporary = (slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1)) + ".harmodex-pdf-XXXXXX";
    const int fd = mkstemp(&temporary[0]);
    if (fd < 0)
        throw Failure{"cannot write " + path + ": " + std::strerror(errno)};
    close(fd);
    char size[96];
    std::snprintf(size, sizeof size, "-dDEVICEWIDTHPOINTS=%f -dDEVICEHEIGHTPOINTS=%f -dFIXEDMEDIA",
                  InCentimeters(17.0f), InCentimeters(24.0f));
    const std::string command = std::string("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pdfwrite ") + size +
                                " -sOutputFile='" + temporary + "' - >/dev/null 2>&1";
    FILE* gs = popen(command.c_str(), "w");
    bool ok = gs != nullptr;
    if (ok) {
        const PitchUniverse& u = SharedUniverse();
        for (int i = 0; i < PitchUniverse::NumTnTypes && ok; ++i) {
            const std::string page = DrawHarmodexPage(i + 1, u.tnTypes[i], -(i + 1), PitchUniverse::NumTnTypes);
            ok = std::fwrite(page.data(), 1, page.size(), gs) == page.size();
            if (progress)
                progress(i + 1);
        }
        ok = pclose(gs) == 0 && ok;
    }
    if (!ok || std::rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        throw Failure{"cannot write " + path + ": Ghostscript could not make the PDF (is the ghostscript package installed?)"};
    }
}

} // namespace

std::string ComposeBook(void (*progress)(int page))
{
    const PitchUniverse& u = SharedUniverse();
    std::string book;
    for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
        book += DrawHarmodexPage(i + 1, u.tnTypes[i], -(i + 1), PitchUniverse::NumTnTypes);
        if (progress)
            progress(i + 1);
    }
    return book;
}

namespace {

class BookCommand : public Subcommand {
public:
    const char* name() const override { return "book"; }
    void declare(CLI::App& app) override
    {
        CLI::App* command = app.add_subcommand(name(), "Write all 351 pages as one PostScript document, or a PDF when the name ends in .pdf.\n"
                                                       "  example: harmodex-cli book -o harmodex.pdf");
        command->add_option("-o,--output", output_, "output file (.ps, or .pdf through Ghostscript; default: PostScript on standard output)");
    }
    void run(std::ostream& out) override
    {
        const bool terminal = isatty(STDERR_FILENO);
        if (EndsWith(output_, ".pdf"))
            writePdf(output_, terminal ? showProgress : nullptr);
        else
            WriteOutput(output_, ComposeBook(terminal ? showProgress : nullptr), out);
    }

private:
    std::string output_;
};

} // namespace

std::unique_ptr<Subcommand> MakeBookCommand() { return std::make_unique<BookCommand>(); }

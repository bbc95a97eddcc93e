// harmodex-cli book: the 351 pages as one PostScript document, or as a PDF
// book with a title and one bookmark per page.
#include <cstdio>
#include <unistd.h>

#include "cli/Commands.h"
#include "cli/Subcommand.h"
#include "formats/BookPdf.h"
#include "formats/PageFormats.h"
#include "page/HarmodexPage.h"
#include "pcset/PitchUniverse.h"

namespace {

void showProgress(int page)
{
    std::fprintf(stderr, "\rharmodex-cli: page %d of %d", page, PitchUniverse::NumTnTypes);
    if (page == PitchUniverse::NumTnTypes)
        std::fputc('\n', stderr);
}

}  // namespace

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
        CLI::App* command = app.add_subcommand(
            name(), "Write all 351 pages as one PostScript document, or as a PDF book with a title and one bookmark\n"
                    "per page when the name ends in .pdf.\n"
                    "  example: harmodex-cli book -o harmodex.pdf");
        command->add_option("-o,--output", output_,
                            "output file (.ps, or .pdf; default or -: PostScript on standard output)");
    }
    void run(std::ostream& out) override
    {
        ChooseOutputType("book", output_, {{{"ps"}}, {{"pdf"}}, {{"eps", "png", "svg"}}});
        const bool terminal = isatty(STDERR_FILENO);
        PageFormat format = PageFormat::Eps;
        const bool named = output_ != "-" && PageFormatFromName(output_, &format);
        if (named && format == PageFormat::Pdf) {
            RefuseBinaryOnTerminal(output_, out, "the PDF book", "harmodex.pdf");
            WriteOutput(output_, BookAsPdf(terminal ? showProgress : nullptr), out);
        } else if (named)
            // A multi-page PostScript book is neither an EPS nor an image.
            throw harmodex::Error::BadInput(
                output_ + ": the book is written as PDF (a name ending in .pdf) or as PostScript (.ps), not as ." +
                std::string(PageFormatExtension(format)));
        else
            WriteOutput(output_, ComposeBook(terminal ? showProgress : nullptr), out);
    }

private:
    std::string output_;
};

}  // namespace

std::unique_ptr<Subcommand> MakeBookCommand() { return std::make_unique<BookCommand>(); }

// harmodex-cli page: one page as EPS (the bytes the window saves), PDF, PNG
// or SVG, chosen by --format or by the output file's extension.
#include "cli/Subcommand.h"
#include "formats/PageFormats.h"

namespace {

class PageCommand : public Subcommand {
public:
    const char* name() const override { return "page"; }
    void declare(CLI::App& app) override
    {
        CLI::App* command = app.add_subcommand(
            name(), "Write the page as EPS (the bytes the window saves), PDF, PNG (300 dpi) or SVG.\n"
                    "  example: harmodex-cli page 13.12.14 -o triad.pdf");
        command->add_option("SET", set_, SetArgumentHelp)->required();
        command->add_option("-o,--output", output_,
                            "output file, its format from the extension (default: EPS on standard output)");
        command
            ->add_option("--format", format_,
                         "eps, pdf, png or svg (default: from the output file's extension, else eps)")
            ->check(CLI::IsMember({"eps", "pdf", "png", "svg"}, CLI::ignore_case));
    }
    void run(std::ostream& out) override
    {
        ChooseOutputType("page", output_, {{{"eps"}}, {{"pdf"}}, {{"png"}}, {{"svg"}}});
        PageFormat format = PageFormat::Eps;
        PageFormat named = PageFormat::Eps;
        const bool extensionNames = output_ != "-" && PageFormatFromName(output_, &named);
        if (!format_.empty()) {
            PageFormatFromName(format_, &format);
            // A file called triad.pdf holding EPS would mislead every program
            // that opens it.
            if (extensionNames && named != format)
                throw harmodex::Error::BadInput("--format " + format_ + " does not match the name " + output_ +
                                                " (use a name ending in ." + PageFormatExtension(format) + ")");
        } else if (extensionNames) {
            format = named;
        }
        if (format == PageFormat::Pdf || format == PageFormat::Png)
            RefuseBinaryOnTerminal(output_, out, std::string("the ") + PageFormatExtension(format) + " page",
                                   std::string("page.") + PageFormatExtension(format));
        const auto [tnText, number] = PageOfSet(ReadSetArgument(set_));
        WriteOutput(output_, PageInFormat(number, tnText, format), out);
    }

private:
    std::string set_, output_, format_;
};

}  // namespace

std::unique_ptr<Subcommand> MakePageCommand() { return std::make_unique<PageCommand>(); }

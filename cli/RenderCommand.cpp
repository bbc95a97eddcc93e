// harmodex-cli render: the page rasterised to PNG by the preview's own
// rasteriser.
#include <cmath>
#include <cstdlib>

#include "raster/Preview.h"
#include "cli/Subcommand.h"
#include "page/HarmodexPage.h"

namespace {

// NaN compares false with both bounds, so a range check alone lets it in.
const CLI::Validator finiteNumber(
    [](std::string& text) {
        char* end = nullptr;
        const double value = std::strtod(text.c_str(), &end);
        return end != text.c_str() && std::isfinite(value) ? std::string()
                                                           : "Value " + text + " is not a finite number";
    },
    "FINITE");

class RenderCommand : public Subcommand {
public:
    const char* name() const override { return "render"; }
    void declare(CLI::App& app) override
    {
        CLI::App* command =
            app.add_subcommand(name(), "Rasterise the page to PNG exactly as the window's preview does.\n"
                                       "  example: harmodex-cli render \"0 3 7\" --size 2 -o minor.png");
        command->add_option("SET", set_, SetArgumentHelp)->required();
        command->add_option("--size", size_, "size factor, 0.25 to 4.0 (155 dots per inch at 1.0)")
            ->check(finiteNumber)
            ->check(CLI::Range(kSmallestSize, kLargestSize));
        command->add_option("-o,--output", output_, "output PNG file")->required();
    }
    void run(std::ostream& out) override
    {
        ChooseOutputType("render", output_, {{{"png"}}});
        const auto [tnText, number] = PageOfSet(ReadSetArgument(set_));
        PreviewLibraryStart();
        const float factor = static_cast<float>(size_);  // the window keeps its size as a float
        std::string data;
        try {
            data = PageAsPng(DrawHarmodexPage(number, tnText, 0, 0), static_cast<double>(factor) * kDotsPerInchAtSize1);
        } catch (const harmodex::Error& e) {
            throw harmodex::Error(std::string("cannot rasterise the page: ") + e.what(), e.kind());
        }
        WriteOutput(output_, data, out);
    }

private:
    std::string set_, output_;
    double size_ = 1.0;
};

}  // namespace

std::unique_ptr<Subcommand> MakeRenderCommand() { return std::make_unique<RenderCommand>(); }

#include "cli/Commands.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <unistd.h>

#include <CLI/CLI.hpp>

#include "app/Preview.h"
#include "cli/Analysis.h"
#include "page/FileOutput.h"
#include "page/HarmodexPage.h"
#include "page/PostScriptWriter.h"
#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"

namespace {

// A failure the user can act on: one line, non-zero exit.
struct Failure {
    std::string message;
};

std::vector<int> readSet(const std::string& text)
{
    std::vector<int> list = ReadSetText(text);
    if (list.empty())
        throw Failure{"\"" + text + "\" names no pitch class (give a list such as \"0 4 7\" or a Costère code such as 13.12.14)"};
    return list;
}

// The Tn-type text and page number of a set, as the window finds them.
std::pair<std::string, int> pageOf(const std::vector<int>& list)
{
    PitchClassSet set;
    set.initializeSet(list);
    const std::string tnText = VectorToString(set.getTnType());
    return {tnText, FindSetID(tnText, SharedUniverse()) + 1};
}

void writeOutput(const std::string& path, const std::string& data, std::ostream& out)
{
    if (path.empty() || path == "-") {
        out << data;
        out.flush();
        return;
    }
    std::string error;
    if (!WriteFileAtomically(path, data, &error))
        throw Failure{"cannot write " + path + ": " + error};
}

bool endsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

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

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    CLI::App app{"Harmodex on the command line: the analysis of a pitch-class set's Tn-type as JSON, its page as EPS "
                 "or PNG, and the whole book of 351 pages.\n"
                 "SET is read as the window reads it: a pitch-class list (\"0 4 7\", 10 and 11 also as d and u) or a "
                 "Costère code (13.12.14).",
                 "harmodex-cli"};
    app.require_subcommand(1, 1);

    std::string set, output;
    bool all = false;
    double size = 1.0;

    CLI::App* analyse = app.add_subcommand("analyse", "Print the full analysis as one JSON object.\n"
                                                      "  example: harmodex-cli analyse \"7 11 2\"\n"
                                                      "  example: harmodex-cli analyse --all > catalogue.jsonl");
    analyse->add_option("SET", set, "the set (list or Costère code)");
    analyse->add_flag("--all", all, "one JSON line per catalogue entry, in page order");

    CLI::App* page = app.add_subcommand("page", "Write the EPS page, the same bytes the window saves.\n"
                                                "  example: harmodex-cli page 13.12.14 -o triad.eps");
    page->add_option("SET", set, "the set (list or Costère code)")->required();
    page->add_option("-o,--output", output, "output file (default: standard output)");

    CLI::App* book = app.add_subcommand("book", "Write all 351 pages as one PostScript document, or a PDF when the name ends in .pdf.\n"
                                                "  example: harmodex-cli book -o harmodex.pdf");
    book->add_option("-o,--output", output, "output file (.ps, or .pdf through Ghostscript; default: PostScript on standard output)");

    CLI::App* render = app.add_subcommand("render", "Rasterise the page to PNG exactly as the window's preview does.\n"
                                                    "  example: harmodex-cli render \"0 3 7\" --size 2 -o minor.png");
    render->add_option("SET", set, "the set (list or Costère code)")->required();
    render->add_option("--size", size, "size factor, 0.25 to 4.0 (155 dots per inch at 1.0)")->check(CLI::Range(0.25, 4.0));
    render->add_option("-o,--output", output, "output PNG file")->required();

    if (argc > 1 && argv[1][0] != '-') {
        const std::string command = argv[1];
        if (command != "analyse" && command != "page" && command != "book" && command != "render") {
            err << "harmodex-cli: unknown subcommand \"" << command << "\" (use analyse, page, book or render; see harmodex-cli --help)\n";
            return 2;
        }
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return 0;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return 0;
    } catch (const CLI::ParseError& e) {
        err << "harmodex-cli: " << e.what() << " (see harmodex-cli --help)\n";
        return 2;
    }

    try {
        if (analyse->parsed()) {
            const bool setGiven = analyse->count("SET") > 0;
            if (all == setGiven)
                throw Failure{"analyse takes either a SET or --all"};
            if (all) {
                std::string lines;
                const PitchUniverse& u = SharedUniverse();
                for (int i = 0; i < PitchUniverse::NumTnTypes; ++i)
                    lines += AnalyseSet(StringToVector(u.tnTypes[i]), u.tnTypes[i]).dump() + "\n";
                writeOutput("", lines, out);
            } else {
                const std::vector<int> list = readSet(set);
                writeOutput("", AnalyseSet(list, set).dump(2) + "\n", out);
            }
        } else if (page->parsed()) {
            const auto [tnText, number] = pageOf(readSet(set));
            writeOutput(output, DrawHarmodexPage(number, tnText, 0, 0) + "\n", out);
        } else if (book->parsed()) {
            const bool terminal = isatty(STDERR_FILENO);
            if (endsWith(output, ".pdf"))
                writePdf(output, terminal ? showProgress : nullptr);
            else
                writeOutput(output, ComposeBook(terminal ? showProgress : nullptr), out);
        } else if (render->parsed()) {
            const auto [tnText, number] = pageOf(readSet(set));
            PreviewLibraryStart();
            const float factor = static_cast<float>(size);  // the window keeps its size as a float
            GdkPixbuf* image = getPixbufFromEPSpage(DrawHarmodexPage(number, tnText, 0, 0), static_cast<double>(factor) * 155.0);
            if (!image) {
                PreviewLibraryStop();
                throw Failure{"cannot rasterise the page: " + PreviewLastError()};
            }
            gchar* png = nullptr;
            gsize length = 0;
            GError* error = nullptr;
            const bool encoded = gdk_pixbuf_save_to_buffer(image, &png, &length, "png", &error, nullptr);
            g_object_unref(image);
            PreviewLibraryStop();
            if (!encoded) {
                std::string reason = error ? error->message : "unknown error";
                g_clear_error(&error);
                throw Failure{"cannot encode the PNG: " + reason};
            }
            std::string data(png, length);
            g_free(png);
            writeOutput(output, data, out);
        }
    } catch (const Failure& f) {
        std::string message = f.message;
        for (char& c : message)
            if (c == '\n')
                c = ' ';
        err << "harmodex-cli: " << message << "\n";
        return 1;
    }
    return 0;
}

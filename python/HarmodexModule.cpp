// The Python module harmodex: reading sets, the full analysis, pages, the
// catalogue and queries over it, from the same routines as harmodex-cli.
//
// Every call that composes or analyses runs without the interpreter lock, so
// other Python threads go on meanwhile; the calls into the library take turns
// on one mutex of their own, since the analysis was written for one thread.
// Errors reach Python as exceptions: ValueError for input the library cannot
// use, MemoryError and RuntimeError for the rest. Every text is brought to a
// catalogue Tn-type before the analysis or the page sees it.

#include <algorithm>
#include <cctype>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include "catalogue/CatalogueQuery.h"
#include "catalogue/SetText.h"
#include "interchange/AnalysisJson.h"
#include "formats/PageFormats.h"
#include "page/HarmodexPage.h"
#include "base/Error.h"
#include "score/Score.h"
#include "score/ScoreJson.h"
#include "score/Segments.h"

namespace py = pybind11;
using Json = nlohmann::ordered_json;

namespace {

std::mutex& LibraryTurn()
{
    static std::mutex turn;
    return turn;
}

// Runs work without the interpreter lock, one library call at a time.
template <typename Work>
auto Unlocked(Work work)
{
    py::gil_scoped_release release;
    std::lock_guard<std::mutex> turn(LibraryTurn());
    return work();
}

// JSON as the Python objects json.loads would make of it, keys in order.
py::object ToPython(const Json& j)
{
    switch (j.type()) {
    case Json::value_t::object: {
        py::dict d;
        for (const auto& [key, value] : j.items())
            d[py::str(key)] = ToPython(value);
        return std::move(d);
    }
    case Json::value_t::array: {
        py::list l;
        for (const Json& value : j)
            l.append(ToPython(value));
        return std::move(l);
    }
    case Json::value_t::string:
        return py::str(j.get_ref<const std::string&>());
    case Json::value_t::boolean:
        return py::bool_(j.get<bool>());
    case Json::value_t::number_integer:
        return py::int_(j.get<Json::number_integer_t>());
    case Json::value_t::number_unsigned:
        return py::int_(j.get<Json::number_unsigned_t>());
    case Json::value_t::number_float:
        return py::float_(j.get<double>());
    default:
        return py::none();
    }
}

UserSet Read(const std::string& text)
{
    UserSet set = Unlocked([&] { return ReadUserSet(text); });
    if (!set.error.empty())
        throw py::value_error(set.error);
    return set;
}

// The page of a catalogue entry in the format asked for: the one place that
// knows the page formats. EPS is the document as the window saves it.
std::string PageInRequestedFormat(int page, const std::string& tnText, std::string format)
{
    std::transform(format.begin(), format.end(), format.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    PageFormat known;
    if (format.find('.') != std::string::npos || !PageFormatFromName(format, &known))
        throw std::invalid_argument("the page is not written as \"" + format + "\" (formats: eps, pdf, png, svg)");
    return PageInFormat(page, tnText, known);
}

py::dict ReadSet(const std::string& text)
{
    const UserSet set = Read(text);
    const CatalogueRow& row = CatalogueRows().at(static_cast<size_t>(set.page - 1));
    py::dict d;
    d["input"] = text;
    d["pitchClasses"] = set.pitchClasses;
    d["form"] = set.form;
    d["tnType"] = set.tnText;
    d["page"] = set.page;
    d["forteName"] = row.forteName;
    d["costereCode"] = row.costereCode;
    return d;
}

py::object Analyse(const std::string& text)
{
    const UserSet set = Read(text);
    const Json analysis = Unlocked([&] { return AnalyseSet(set.pitchClasses, text); });
    return ToPython(analysis);
}

py::bytes Page(const std::string& text, const std::string& format)
{
    const UserSet set = Read(text);
    const std::string page = Unlocked([&] { return PageInRequestedFormat(set.page, set.tnText, format); });
    return py::bytes(page);
}

py::list Rows(const std::vector<int>& pages)
{
    const std::vector<CatalogueRow>& rows = CatalogueRows();
    py::list list;
    for (int page : pages)
        list.append(ToPython(RowJson(rows[static_cast<size_t>(page - 1)])));
    return list;
}

py::list Catalogue()
{
    std::vector<int> pages = Unlocked([] { return FindPages(CatalogueQuery{}); });
    return Rows(pages);
}

py::list Find(std::optional<int> size, std::optional<std::string> contains, std::optional<std::string> within, bool tni,
              bool z, bool symmetric, std::optional<std::string> attribute)
{
    CatalogueQuery query;
    if (size) {
        if (*size < 1 || *size > 12)
            throw py::value_error("a size counts pitch classes: 1 to 12, not " + std::to_string(*size));
        query.size = *size;
    }
    if (contains)
        query.contains = Read(*contains).tnType;
    if (within)
        query.within = Read(*within).tnType;
    query.inversions = tni;
    query.zPartner = z;
    query.symmetric = symmetric;
    if (attribute) {
        if (attribute->empty())
            throw py::value_error("the attribute text holds no word");
        query.attribute = *attribute;
    }
    return Rows(Unlocked([&] { return FindPages(query); }));
}

// A score's segments, read without the interpreter lock; a file that cannot
// be read is a ValueError naming the file and the place.
std::vector<Segment> ScoreSegments(const std::string& path, const std::string& by, bool merge)
{
    SegmentBy how;
    if (!SegmentByFromName(by, &how))
        throw py::value_error("segments are by \"onset\", \"measure\" or \"beat\", not \"" + by + "\"");
    try {
        return Unlocked([&] { return SegmentScore(ReadScore(path), how, merge); });
    } catch (const harmodex::Error& e) {
        if (e.badInput())
            throw py::value_error(e.what());
        throw std::runtime_error(e.what());
    }
}

py::list ScoreDicts(const std::string& path, const std::string& by, bool merge)
{
    py::list list;
    for (const Segment& s : ScoreSegments(path, by, merge))
        list.append(ToPython(SegmentJson(s)));
    return list;
}

py::list ScoreSummary(const std::string& path, const std::string& by, bool merge)
{
    py::list list;
    for (const ProfileRow& row : SetClassProfile(ScoreSegments(path, by, merge)))
        list.append(ToPython(ProfileRowJson(row)));
    return list;
}

}  // namespace

PYBIND11_MODULE(harmodex, m)
{
    m.doc() = "Harmodex: the analysis of pitch-class sets by Tn-type, their printed pages, and the catalogue of "
              "351 Tn-types. A set is a text: a pitch-class list (\"0 4 7\", 10 and 11 also as d and u) or a "
              "Costère code (\"13.12.14\").";
    m.def("read", &ReadSet, py::arg("text"),
          "What the text names: a dict with the pitch classes read, the form of the text, the Tn-type, its page, "
          "Forte name and Costère code. ValueError when the text names no pitch class.");
    m.def("analyse", &Analyse, py::arg("text"),
          "The full analysis of the set's Tn-type as dicts and lists: the structure harmodex-cli analyse prints.");
    m.def("page", &Page, py::arg("text"), py::arg("format") = "eps",
          "The page of the set's Tn-type as bytes (format \"eps\": the document the window saves).");
    m.def("catalogue", &Catalogue,
          "The 351 catalogue entries in page order: page, tnType, tnIType, forteName, costereCode, intervalVector.");
    m.def("find", &Find, py::kw_only(), py::arg("size") = py::none(), py::arg("contains") = py::none(),
          py::arg("within") = py::none(), py::arg("tni") = false, py::arg("z") = false, py::arg("symmetric") = false,
          py::arg("attribute") = py::none(),
          "The catalogue entries that pass every filter given:\n"
          "  size       number of pitch classes (1 to 12)\n"
          "  contains   Tn-types holding this set at some transposition\n"
          "  within     Tn-types this set holds\n"
          "  tni        contains and within also through the set's inversion\n"
          "  z          Tn-types with a Z-partner\n"
          "  symmetric  inversionally symmetrical Tn-types\n"
          "  attribute  a classification as the page prints it, e.g. \"integrally multimodalizable\"");
    m.def("score", &ScoreDicts, py::arg("path"), py::arg("by") = "onset", py::arg("merge") = false,
          "Every sonority of a score (MusicXML, .mxl or MIDI) as dicts: start, end (quarter notes), measure, beat, "
          "pitches (MIDI numbers as they sound), pitchClasses, tnType, tniType, forteName, page. by is \"onset\", "
          "\"measure\" or \"beat\"; merge joins consecutive segments with the same pitch-class set. Repeats are "
          "not expanded. ValueError names the file and the place of a fault.");
    m.def("score_summary", &ScoreSummary, py::arg("path"), py::arg("by") = "onset", py::arg("merge") = false,
          "The score's set-class profile: forteName, tnType, page, segments and duration (quarter notes), most "
          "segments first.");
}

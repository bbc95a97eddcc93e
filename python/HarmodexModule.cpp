// The Python module harmodex: reading sets, the full analysis, pages, the
// catalogue and queries over it, from the same routines as harmodex-cli.
//
// Every call that composes or analyses runs without the interpreter lock, so
// other Python threads go on meanwhile; the calls into the library take turns
// on one mutex of their own, since the analysis was written for one thread.
// Errors reach Python as exceptions: harmodex::Error::BadInput (input the
// library cannot use) as ValueError, any other harmodex::Error as
// RuntimeError, std::bad_alloc as MemoryError. Every text is brought to a
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

#include <variant>

#include "base/Error.h"
#include "base/Version.h"
#include "catalogue/CatalogueQuery.h"
#include "catalogue/SetText.h"
#include "interchange/AnalysisJson.h"
#include "formats/PageFormats.h"
#include "interchange/MusicXml.h"
#include "page/HarmodexPage.h"
#include "page/PageText.h"
#include "base/Error.h"
#include "score/Score.h"
#include "score/ScoreJson.h"
#include "score/Segments.h"
#include "pcset/SetReader.h"
#include "sound/MidiFile.h"
#include "sound/WavRender.h"

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

// A set as Python gives it: a text in any form the set reader understands,
// or a list or tuple of ints (pitch classes, reduced modulo 12).
using SetArg = std::variant<std::string, std::vector<int>>;

std::string TextOf(const SetArg& set)
{
    if (const std::string* text = std::get_if<std::string>(&set))
        return *text;
    std::string text;
    for (int value : std::get<std::vector<int>>(set))
        text += (text.empty() ? "" : " ") + std::to_string(((value % 12) + 12) % 12);
    return text;
}

UserSet Read(const std::string& text)
{
    UserSet set = Unlocked([&] { return ReadUserSet(text); });
    if (!set.error.empty())
        throw harmodex::Error::BadInput(set.error);
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
        throw harmodex::Error::BadInput("the page is not written as \"" + format + "\" (formats: eps, pdf, png, svg)");
    return PageInFormat(page, tnText, known);
}

py::dict ReadSet(const SetArg& arg)
{
    const std::string text = TextOf(arg);
    const UserSet set = Read(text);
    const CatalogueRow& row = CatalogueRows().at(static_cast<size_t>(set.page - 1));
    py::dict d;
    d["input"] = text;
    d["pitchClasses"] = set.pitchClasses;
    d["form"] = set.form;
    d["tnType"] = set.tnType;
    d["tnTypeText"] = set.tnText;
    d["page"] = set.page;
    d["forteName"] = row.forteName;
    d["costereCode"] = row.costereCode;
    return d;
}

py::object Analyse(const SetArg& arg)
{
    const std::string text = TextOf(arg);
    const UserSet set = Read(text);
    const Json analysis = Unlocked([&] { return AnalyseSet(set.pitchClasses, text); });
    return ToPython(analysis);
}

py::str Describe(const SetArg& arg)
{
    const UserSet set = Read(TextOf(arg));
    return py::str(Unlocked([&] { return DescribePage(set.pitchClasses); }));
}

py::bytes Page(const SetArg& arg, const std::string& format)
{
    const UserSet set = Read(TextOf(arg));
    const std::string page = Unlocked([&] { return PageInRequestedFormat(set.page, set.tnText, format); });
    return py::bytes(page);
}

// The set as typed (order and octaves), or its page's first staff.
std::vector<TypedNote> Typed(const std::string& text)
{
    Read(text);  // the same errors as every other function
    return Unlocked([&] { return TypedNotes(text); });
}

py::str MusicXml(const SetArg& arg, bool asTyped)
{
    const std::string text = TextOf(arg);
    const UserSet set = Read(text);
    const std::vector<TypedNote> typed = asTyped ? Typed(text) : std::vector<TypedNote>();
    return py::str(Unlocked([&] { return MusicXmlForSet(set.pitchClasses, typed); }));
}

SetPerformance Performance(const std::string& text, bool asTyped)
{
    const UserSet set = Read(text);
    if (!asTyped)
        return Unlocked([&] { return PerformSet(set.tnText); });
    std::vector<int> pitches;
    for (const TypedNote& note : Typed(text))
        pitches.push_back(note.pitch);
    return Unlocked([&] { return PerformTypedPitches(pitches); });
}

py::bytes Midi(const SetArg& arg, bool asTyped)
{
    const SetPerformance performance = Performance(TextOf(arg), asTyped);
    return py::bytes(Unlocked([&] { return MakeMidiFile(performance); }));
}

py::bytes Sound(const SetArg& arg, const std::string& format, bool asTyped)
{
    const SoundFormat chosen = SoundFormatNamed(format);
    const SetPerformance performance = Performance(TextOf(arg), asTyped);
    return py::bytes(Unlocked([&] { return RenderSound(performance, chosen); }));
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

py::list Find(std::optional<int> size, std::optional<SetArg> contains, std::optional<SetArg> within, bool tni, bool z,
              bool symmetric, std::optional<std::string> attribute)
{
    CatalogueQuery query;
    if (size) {
        if (*size < 1 || *size > 12)
            throw harmodex::Error::BadInput("a size counts pitch classes: 1 to 12, not " + std::to_string(*size));
        query.size = *size;
    }
    if (contains)
        query.contains = Read(TextOf(*contains)).tnType;
    if (within)
        query.within = Read(TextOf(*within)).tnType;
    query.inversions = tni;
    query.zPartner = z;
    query.symmetric = symmetric;
    if (attribute) {
        if (attribute->empty())
            throw harmodex::Error::BadInput("the attribute text holds no word");
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

// Each docstring begins with the call's signature in the form Python reads
// for built-in functions ("name(args)\n--\n\n"), so that inspect.signature
// and help() show the keyword names; the types are in harmodex.pyi.
PYBIND11_MODULE(harmodex, m)
{
    py::options options;
    options.disable_function_signatures();

    m.doc() = "Harmodex: the analysis of pitch-class sets by Tn-type, their printed pages, their sound and notation, "
              "and the catalogue of 351 Tn-types.\n\n"
              "A set is a text in any form harmodex-cli reads (\"0 4 7\", \"047\", \"C E G\", \"3-11b\", \"p24\", "
              "\"13.12.14\") or a list or tuple of ints ([0, 4, 7]; reduced modulo 12). Input that names no set "
              "raises ValueError; work that fails (a missing SoundFont) raises RuntimeError.";
    m.attr("__version__") = harmodex::kVersion;

    py::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown)
                std::rethrow_exception(thrown);
        } catch (const harmodex::Error& e) {
            PyErr_SetString(e.badInput() ? PyExc_ValueError : PyExc_RuntimeError, e.what());
        }
    });

    m.def("read", &ReadSet, py::arg("text"),
          "read(text)\n--\n\n"
          "What the set names: a dict with the input, the pitch classes read in the order typed, the form of the "
          "text, the Tn-type (a list, and tnTypeText as the page writes it), its page, Forte name and Costère "
          "code.\n\n"
          "    >>> harmodex.read(\"7 11 2\")[\"tnType\"]\n"
          "    [0, 4, 7]\n"
          "    >>> harmodex.read([7, 11, 2])[\"forteName\"]\n"
          "    '3-11b'");
    m.def("analyse", &Analyse, py::arg("text"),
          "analyse(text)\n--\n\n"
          "The full analysis of the set's Tn-type as dicts and lists: the structure harmodex-cli analyse prints "
          "(docs/analysis.schema.json describes it).\n\n"
          "    >>> harmodex.analyse(\"13.12.14\")[\"identity\"][\"page\"]\n"
          "    24");
    m.def("describe", &Describe, py::arg("text"),
          "describe(text)\n--\n\n"
          "The page of the set's Tn-type as plain text, one fact a line (\"name: value\"): the text "
          "harmodex-cli describe prints and the window gives to screen readers.\n\n"
          "    >>> harmodex.describe(\"0 4 7\").splitlines()[1]\n"
          "    'Forte name: 3-11b'");
    m.def("page", &Page, py::arg("text"), py::arg("format") = "eps",
          "page(text, format='eps')\n--\n\n"
          "The page of the set's Tn-type as bytes: \"eps\" (the document the window saves), \"pdf\", \"png\" or "
          "\"svg\".\n\n"
          "    >>> harmodex.page(\"0 4 7\", \"pdf\")[:5]\n"
          "    b'%PDF-'");
    m.def("musicxml", &MusicXml, py::arg("text"), py::arg("as_typed") = false,
          "musicxml(text, as_typed=False)\n--\n\n"
          "The page's 24 transformations as a MusicXML score (a str), spelled as the page spells them; with "
          "as_typed a first measure, labelled \"as typed\", holds the notes in the order, octaves and letters "
          "typed.\n\n"
          "    >>> \"<score-partwise\" in harmodex.musicxml(\"Bb3 D4 F4\", as_typed=True)\n"
          "    True");
    m.def("midi", &Midi, py::arg("text"), py::arg("as_typed") = false,
          "midi(text, as_typed=False)\n--\n\n"
          "The set heard (an arpeggio in eighth notes, then the chord as a whole note, 4/4 at 120 beats a minute) "
          "as the bytes of a Standard MIDI File; the page's first staff, or with as_typed the notes as typed.\n\n"
          "    >>> harmodex.midi([0, 4, 7])[:4]\n"
          "    b'MThd'");
    m.def("sound", &Sound, py::arg("text"), py::arg("format") = "wav", py::arg("as_typed") = false,
          "sound(text, format='wav', as_typed=False)\n--\n\n"
          "What midi() plays, rendered on a piano as the bytes of a sound file: \"wav\" (44.1 kHz, 16-bit "
          "stereo), \"flac\" or \"ogg\" (Vorbis). RuntimeError when no SoundFont is installed.\n\n"
          "    >>> harmodex.sound(\"C E G\", \"flac\")[:4]\n"
          "    b'fLaC'");
    m.def("catalogue", &Catalogue,
          "catalogue()\n--\n\n"
          "The 351 catalogue entries in page order: page, tnType (and tnTypeText), tnIType (and tnITypeText), "
          "forteName, costereCode, intervalVector.\n\n"
          "    >>> harmodex.catalogue()[23][\"forteName\"]\n"
          "    '3-11b'");
    m.def("find", &Find, py::kw_only(), py::arg("size") = py::none(), py::arg("contains") = py::none(),
          py::arg("within") = py::none(), py::arg("tni") = false, py::arg("z") = false, py::arg("symmetric") = false,
          py::arg("attribute") = py::none(),
          "find(*, size=None, contains=None, within=None, tni=False, z=False, symmetric=False, attribute=None)\n"
          "--\n\n"
          "The catalogue entries that pass every filter given:\n"
          "  size       number of pitch classes (1 to 12)\n"
          "  contains   Tn-types holding this set at some transposition\n"
          "  within     Tn-types this set holds\n"
          "  tni        contains and within also through the set's inversion\n"
          "  z          Tn-types with a Z-partner\n"
          "  symmetric  inversionally symmetrical Tn-types\n"
          "  attribute  a classification as the page prints it, e.g. \"integrally multimodalizable\"\n\n"
          "    >>> [e[\"forteName\"] for e in harmodex.find(size=6, contains=[0, 4, 7], tni=True)][:3]\n"
          "    ['6-Z36', '6-Z37', '6-9']");
    m.def("score", &ScoreDicts, py::arg("path"), py::arg("by") = "onset", py::arg("merge") = false,
          "score(path, by='onset', merge=False)\n--\n\n"
          "Every sonority of a score (MusicXML, .mxl or MIDI) as dicts: start, end (quarter notes), measure, beat, "
          "pitches (MIDI numbers as they sound), pitchClasses, tnType, tniType, forteName, page. by is \"onset\", "
          "\"measure\" or \"beat\"; merge joins consecutive segments with the same pitch-class set. Repeats are "
          "not expanded. ValueError names the file and the place of a fault.\n\n"
          "    >>> all(\"forteName\" in s for s in harmodex.score(\"chorale.musicxml\", by=\"beat\"))\n"
          "    True");
    m.def("score_summary", &ScoreSummary, py::arg("path"), py::arg("by") = "onset", py::arg("merge") = false,
          "score_summary(path, by='onset', merge=False)\n--\n\n"
          "The score's set-class profile: forteName, tnType, page, segments and duration (quarter notes), most "
          "segments first.\n\n"
          "    >>> sorted(harmodex.score_summary(\"chorale.mid\")[0])[:3]\n"
          "    ['duration', 'forteName', 'page']");
}

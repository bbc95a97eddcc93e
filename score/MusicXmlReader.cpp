// MusicXML, partwise or timewise, read into sounding notes.
//
// Each part is read measure by measure with a cursor in divisions, moved by
// notes, <backup> and <forward>; a <chord/> note starts with the note before
// it. A measure lasts as long as the furthest any part reaches in it (a
// pickup is as short as its notes), so the parts stay together even when one
// writes a measure short. Ties are joined once every note has its time.

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <unordered_map>

#include <pugixml.hpp>
#include <zip.h>

#include "score/ReaderSupport.h"

namespace {

// A duration longer than this many quarter notes is taken for a fault.
constexpr int64_t MaxNoteQuarters = 10'000;
constexpr int64_t MaxDivisions = 1'000'000;

struct Place {
    const std::string& name;
    const std::string& text;  // the XML, for line numbers

    std::string Line(const pugi::xml_node& node) const
    {
        const ptrdiff_t offset = node.offset_debug();
        if (offset < 0 || static_cast<size_t>(offset) > text.size())
            return "";
        return "line " + std::to_string(1 + std::count(text.begin(), text.begin() + offset, '\n'));
    }
    [[noreturn]] void Fault(const pugi::xml_node& node, const std::string& measure, const std::string& what) const
    {
        std::string place = Line(node);
        if (!measure.empty())
            place += (place.empty() ? "" : " ") + std::string("(measure ") + measure + ")";
        ScoreFault(name, place, what);
    }
};

// A decimal number as MusicXML writes durations and alterations ("3",
// "1.5", "-0.25"), exactly; nullopt when the text is not one.
std::optional<Rational> ParseDecimal(const char* text)
{
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r')
        ++text;
    bool negative = false;
    if (*text == '-' || *text == '+')
        negative = *text++ == '-';
    int64_t whole = 0, frac = 0, scale = 1;
    int digits = 0;
    for (; *text >= '0' && *text <= '9'; ++text, ++digits) {
        if (whole > 100'000'000'000ll)
            return std::nullopt;
        whole = whole * 10 + (*text - '0');
    }
    if (*text == '.') {
        ++text;
        for (; *text >= '0' && *text <= '9'; ++text, ++digits)
            if (scale < 1'000'000) {
                frac = frac * 10 + (*text - '0');
                scale *= 10;
            }
    }
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\r')
        ++text;
    if (digits == 0 || *text != '\0')
        return std::nullopt;
    const Rational r = Rational(whole) + Rational(frac, scale);
    return negative ? Rational(0) - r : r;
}

// A whole number within [low, high]; nullopt otherwise.
std::optional<int64_t> ParseInteger(const char* text, int64_t low, int64_t high)
{
    const std::optional<Rational> r = ParseDecimal(text);
    if (!r || r->den() != 1 || r->num() < low || r->num() > high)
        return std::nullopt;
    return r->num();
}

// A note before ties are joined: its measure and its offset in it.
struct DraftNote {
    size_t measure = 0;
    Rational offset, duration;
    int pitch = 0, part = 0, voice = 0;
    bool tieStart = false, tieStop = false;
};

struct DraftMeasure {
    std::string number;
    Rational length;              // the furthest any part reaches
    int beats = 0, beatType = 0;  // 0: no time signature in this measure
};

struct PartState {
    Rational divisions = 1;  // divisions per quarter
    int transpose = 0;       // semitones from written to sounding
    bool percussion = false;
};

class MusicXmlReader {
public:
    MusicXmlReader(const std::string& text, const std::string& name, const ScoreReadOptions& options)
        : place_{name, text}, options_(options)
    {
    }

    Score Read()
    {
        pugi::xml_document doc;
        const pugi::xml_parse_result parsed =
            doc.load_buffer(place_.text.data(), place_.text.size(), pugi::parse_default, pugi::encoding_auto);
        if (!parsed) {
            const ptrdiff_t offset = std::clamp<ptrdiff_t>(parsed.offset, 0, place_.text.size());
            const auto line = 1 + std::count(place_.text.begin(), place_.text.begin() + offset, '\n');
            ScoreFault(place_.name, "line " + std::to_string(line),
                       std::string("not well-formed XML (") + parsed.description() + ")");
        }
        CheckDepth(doc);
        const pugi::xml_node partwise = doc.child("score-partwise");
        const pugi::xml_node timewise = doc.child("score-timewise");
        const pugi::xml_node root = partwise ? partwise : timewise;
        if (!root)
            ScoreFault(place_.name, "", "not a MusicXML score (no <score-partwise> or <score-timewise>)");
        ReadPartList(root);

        if (partwise) {
            size_t total = 0, done = 0;
            for (pugi::xml_node part : root.children("part"))
                total += std::distance(part.children("measure").begin(), part.children("measure").end());
            for (pugi::xml_node part : root.children("part")) {
                const int index = PartIndex(part);
                size_t m = 0;
                for (pugi::xml_node measure : part.children("measure")) {
                    ReadMeasure(measure, measure, index, m++);
                    if (++done % 64 == 0)
                        ReportProgress(options_, place_.name, 0.9 * done / total);
                }
            }
        } else {
            size_t total = std::distance(root.children("measure").begin(), root.children("measure").end());
            size_t m = 0;
            for (pugi::xml_node measure : root.children("measure")) {
                for (pugi::xml_node part : measure.children("part"))
                    ReadMeasure(part, measure, PartIndex(part), m);
                if (++m % 64 == 0)
                    ReportProgress(options_, place_.name, 0.9 * m / total);
            }
        }
        return Assemble();
    }

private:
    void CheckDepth(const pugi::xml_document& doc) const
    {
        // Walked without recursion, so that the check itself cannot be
        // driven out of stack.
        pugi::xml_node node = doc.first_child();
        int depth = 1;
        while (node) {
            if (depth > MaxXmlDepth)
                place_.Fault(node, "", "elements nested more than " + std::to_string(MaxXmlDepth) + " deep");
            if (node.first_child()) {
                node = node.first_child();
                ++depth;
                continue;
            }
            while (node && !node.next_sibling()) {
                node = node.parent();
                --depth;
            }
            if (node)
                node = node.next_sibling();
        }
    }

    void ReadPartList(const pugi::xml_node& root)
    {
        for (pugi::xml_node sp : root.child("part-list").children("score-part")) {
            const std::string id = sp.attribute("id").value();
            PartState state;
            for (pugi::xml_node mi : sp.children("midi-instrument"))
                if (const pugi::xml_node ch = mi.child("midi-channel"))
                    state.percussion = state.percussion || ParseInteger(ch.child_value(), 10, 10).has_value();
            if (partIds_.emplace(id, static_cast<int>(parts_.size())).second)
                parts_.push_back(state);
        }
    }

    int PartIndex(const pugi::xml_node& part)
    {
        const std::string id = part.attribute("id").value();
        const auto found = partIds_.find(id);
        if (found != partIds_.end())
            return found->second;
        // A part the part list does not name is still music.
        partIds_.emplace(id, static_cast<int>(parts_.size()));
        parts_.emplace_back();
        return static_cast<int>(parts_.size()) - 1;
    }

    // A duration element's value in quarter notes.
    Rational Duration(const pugi::xml_node& element, const PartState& part, const std::string& measure) const
    {
        const std::optional<Rational> value = ParseDecimal(element.child_value());
        if (!value)
            place_.Fault(element, measure, std::string("<") + element.name() + "> is not a number");
        if (*value < Rational(0))
            place_.Fault(element, measure, "a negative duration");
        const Rational quarters = *value / part.divisions;
        if (quarters > Rational(MaxNoteQuarters))
            place_.Fault(element, measure,
                         "a duration of more than " + std::to_string(MaxNoteQuarters) + " quarter notes");
        return quarters;
    }

    void ReadAttributes(const pugi::xml_node& attributes, PartState& part, DraftMeasure& measure)
    {
        if (const pugi::xml_node d = attributes.child("divisions")) {
            const std::optional<int64_t> value = ParseInteger(d.child_value(), 1, MaxDivisions);
            if (!value)
                place_.Fault(d, measure.number,
                             "<divisions> must be a whole number from 1 to " + std::to_string(MaxDivisions));
            part.divisions = *value;
        }
        if (const pugi::xml_node t = attributes.child("transpose")) {
            int semitones = 0;
            if (const pugi::xml_node c = t.child("chromatic")) {
                const std::optional<int64_t> v = ParseInteger(c.child_value(), -48, 48);
                if (!v)
                    place_.Fault(c, measure.number, "<chromatic> must be a whole number of semitones from -48 to 48");
                semitones += static_cast<int>(*v);
            }
            if (const pugi::xml_node o = t.child("octave-change")) {
                const std::optional<int64_t> v = ParseInteger(o.child_value(), -4, 4);
                if (!v)
                    place_.Fault(o, measure.number, "<octave-change> must be a whole number from -4 to 4");
                semitones += 12 * static_cast<int>(*v);
            }
            part.transpose = semitones;
        }
        if (const pugi::xml_node time = attributes.child("time")) {
            if (time.child("beats") && measure.beats == 0) {
                // "3+2" beats add up; the beat type of a composite is the first.
                int beats = 0;
                std::string text = time.child("beats").child_value();
                size_t from = 0;
                while (from <= text.size()) {
                    const size_t plus = std::min(text.find('+', from), text.size());
                    const std::optional<int64_t> v = ParseInteger(text.substr(from, plus - from).c_str(), 1, 1000);
                    if (!v)
                        place_.Fault(time, measure.number, "<beats> must be whole numbers from 1 to 1000");
                    beats += static_cast<int>(*v);
                    from = plus + 1;
                }
                const std::optional<int64_t> type = ParseInteger(time.child("beat-type").child_value(), 1, 64);
                if (!type || beats > 1000)
                    place_.Fault(time, measure.number, "a time signature needs <beat-type> from 1 to 64");
                measure.beats = beats;
                measure.beatType = static_cast<int>(*type);
            }
        }
    }

    static bool HasTie(const pugi::xml_node& note, const char* type)
    {
        for (pugi::xml_node tie : note.children("tie"))
            if (std::strcmp(tie.attribute("type").value(), type) == 0)
                return true;
        for (pugi::xml_node notations : note.children("notations"))
            for (pugi::xml_node tied : notations.children("tied"))
                if (std::strcmp(tied.attribute("type").value(), type) == 0)
                    return true;
        return false;
    }

    std::optional<int> SoundingPitch(const pugi::xml_node& pitch, const PartState& part,
                                     const std::string& measure) const
    {
        static const int steps[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
        const std::string step = pitch.child("step").child_value();
        if (step.size() != 1 || step[0] < 'A' || step[0] > 'G')
            place_.Fault(pitch, measure, "a <pitch> whose <step> is not A to G");
        const std::optional<int64_t> octave = ParseInteger(pitch.child("octave").child_value(), 0, 9);
        if (!octave)
            place_.Fault(pitch, measure, "a <pitch> whose <octave> is not 0 to 9");
        int alter = 0;
        if (const pugi::xml_node a = pitch.child("alter")) {
            const std::optional<Rational> v = ParseDecimal(a.child_value());
            if (!v || *v < Rational(-3) || *v > Rational(3))
                place_.Fault(a, measure, "<alter> must be a number of semitones from -3 to 3");
            // A quarter-tone is heard as the nearest semitone.
            alter = static_cast<int>(std::lround(v->ToDouble()));
        }
        const int midi = 12 * (static_cast<int>(*octave) + 1) + steps[step[0] - 'A'] + alter + part.transpose;
        if (midi < 0 || midi > 127)
            return std::nullopt;
        return midi;
    }

    void ReadMeasure(const pugi::xml_node& content, const pugi::xml_node& measureNode, int partIndex, size_t index)
    {
        if (index >= MaxScoreMeasures)
            place_.Fault(measureNode, "", "more than " + std::to_string(MaxScoreMeasures) + " measures");
        if (index >= measures_.size()) {
            measures_.resize(index + 1);
            measures_[index].number = measureNode.attribute("number").value();
            if (measures_[index].number.empty())
                measures_[index].number = std::to_string(index + 1);
        }
        DraftMeasure& measure = measures_[index];
        PartState& part = parts_[static_cast<size_t>(partIndex)];
        Rational cursor, furthest, chordStart;
        for (pugi::xml_node child : content.children()) {
            const char* what = child.name();
            if (std::strcmp(what, "attributes") == 0) {
                ReadAttributes(child, part, measure);
            } else if (std::strcmp(what, "backup") == 0 || std::strcmp(what, "forward") == 0) {
                const pugi::xml_node d = child.child("duration");
                if (!d)
                    place_.Fault(child, measure.number, std::string("a <") + what + "> without <duration>");
                const Rational step = Duration(d, part, measure.number);
                if (what[0] == 'b') {
                    cursor -= step;
                    if (cursor < Rational(0))
                        place_.Fault(child, measure.number, "<backup> goes back before the start of the measure");
                } else {
                    cursor += step;
                }
            } else if (std::strcmp(what, "note") == 0) {
                if (child.child("grace"))
                    continue;  // an ornament taking no time of its own
                const pugi::xml_node d = child.child("duration");
                if (!d)
                    place_.Fault(child, measure.number, "a <note> without <duration>");
                const Rational duration = Duration(d, part, measure.number);
                Rational start = cursor;
                if (child.child("chord")) {
                    start = chordStart;
                } else {
                    chordStart = cursor;
                    cursor += duration;
                }
                furthest = std::max(furthest, start + duration);
                const pugi::xml_node pitch = child.child("pitch");
                if (!pitch || child.child("cue") || part.percussion || duration == Rational(0))
                    continue;
                const std::optional<int> midi = SoundingPitch(pitch, part, measure.number);
                if (!midi)
                    continue;  // sounds outside the MIDI range: nothing to hear
                if (static_cast<int64_t>(notes_.size()) >= MaxScoreNotes)
                    place_.Fault(child, measure.number, "more than " + std::to_string(MaxScoreNotes) + " notes");
                DraftNote n;
                n.measure = index;
                n.offset = start;
                n.duration = duration;
                n.pitch = *midi;
                n.part = partIndex;
                n.voice = static_cast<int>(ParseInteger(child.child("voice").child_value(), 0, 1000).value_or(1));
                n.tieStart = HasTie(child, "start");
                n.tieStop = HasTie(child, "stop");
                notes_.push_back(n);
            }
            furthest = std::max(furthest, cursor);
        }
        measure.length = std::max(measure.length, furthest);
    }

    Score Assemble()
    {
        Score score;
        score.path = place_.name;
        score.format = "MusicXML";
        score.measures.reserve(measures_.size());
        Rational start;
        int beats = 4, beatType = 4;
        for (const DraftMeasure& d : measures_) {
            if (d.beats > 0) {
                beats = d.beats;
                beatType = d.beatType;
            }
            ScoreMeasure m;
            m.number = d.number;
            m.start = start;
            m.beats = beats;
            m.beatType = beatType;
            // A measure with nothing in it (not even rests) lasts what its
            // time signature says.
            m.length = d.length > Rational(0) ? d.length : Rational(4 * beats, beatType);
            start += m.length;
            if (start > Rational(MaxScoreQuarters))
                ScoreFault(place_.name, "measure " + d.number,
                           "the score lasts more than " + std::to_string(MaxScoreQuarters) + " quarter notes");
            score.measures.push_back(std::move(m));
        }

        // Ties: a note whose tie stops where an open tie of the same part and
        // pitch ends lengthens that note instead of sounding anew.
        std::stable_sort(notes_.begin(), notes_.end(), [](const DraftNote& a, const DraftNote& b) {
            if (a.part != b.part)
                return a.part < b.part;
            if (a.measure != b.measure)
                return a.measure < b.measure;
            return a.offset < b.offset;
        });
        score.notes.reserve(notes_.size());
        std::unordered_map<int, size_t> open;  // part * 128 + pitch -> note
        for (const DraftNote& d : notes_) {
            const Rational begin = score.measures[d.measure].start + d.offset;
            const int key = d.part * 128 + d.pitch;
            const auto tied = open.find(key);
            if (d.tieStop && tied != open.end()) {
                ScoreNote& held = score.notes[tied->second];
                if (held.start + held.duration == begin) {
                    held.duration = begin + d.duration - held.start;
                    if (!d.tieStart)
                        open.erase(tied);
                    continue;
                }
            }
            ScoreNote n;
            n.start = begin;
            n.duration = d.duration;
            n.pitch = d.pitch;
            n.part = d.part;
            n.voice = d.voice;
            if (d.tieStart)
                open[key] = score.notes.size();
            else if (tied != open.end())
                open.erase(tied);
            score.notes.push_back(n);
        }
        notes_.clear();
        notes_.shrink_to_fit();
        FinishScore(score);
        ReportProgress(options_, place_.name, 1.0);
        return score;
    }

    Place place_;
    const ScoreReadOptions& options_;
    std::unordered_map<std::string, int> partIds_;
    std::vector<PartState> parts_;
    std::vector<DraftMeasure> measures_;
    std::vector<DraftNote> notes_;
};

// libzip's reading of the archive in memory, closed on every path.
struct ZipArchive {
    zip_t* zip = nullptr;
    ~ZipArchive()
    {
        if (zip)
            zip_discard(zip);
    }
};

std::string ReadEntry(zip_t* zip, const std::string& entry, const std::string& name)
{
    const std::string where = "entry " + entry;
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat(zip, entry.c_str(), 0, &st) != 0)
        ScoreFault(name, "", "the archive has no " + entry);
    if ((st.valid & ZIP_STAT_SIZE) && st.size > static_cast<zip_uint64_t>(MaxScoreFileBytes))
        ScoreFault(name, where, "unpacks to more than " + std::to_string(MaxScoreFileBytes >> 20) + " MiB");
    zip_file_t* file = zip_fopen(zip, entry.c_str(), 0);
    if (!file)
        ScoreFault(name, where, std::string("cannot be unpacked (") + zip_strerror(zip) + ")");
    // The size the archive declares is not trusted: reading stops at the cap
    // whatever the entry claims, so a zip bomb costs at most that much.
    std::string data;
    char block[1 << 16];
    for (;;) {
        const zip_int64_t got = zip_fread(file, block, sizeof block);
        if (got < 0) {
            const std::string reason = zip_error_strerror(zip_file_get_error(file));
            zip_fclose(file);
            ScoreFault(name, where, "cannot be unpacked (" + reason + ")");
        }
        if (got == 0)
            break;
        data.append(block, static_cast<size_t>(got));
        if (static_cast<int64_t>(data.size()) > MaxScoreFileBytes) {
            zip_fclose(file);
            ScoreFault(name, where, "unpacks to more than " + std::to_string(MaxScoreFileBytes >> 20) + " MiB");
        }
    }
    zip_fclose(file);
    return data;
}

}  // namespace

Score ReadMusicXml(const std::string& bytes, const std::string& name, const ScoreReadOptions& options)
{
    try {
        return MusicXmlReader(bytes, name, options).Read();
    } catch (const std::overflow_error& e) {
        ScoreFault(name, "", std::string("times that cannot be counted exactly (") + e.what() + ")");
    }
}

Score ReadCompressedMusicXml(const std::string& bytes, const std::string& name, const ScoreReadOptions& options)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    ZipArchive archive;
    if (source)
        archive.zip = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive.zip) {
        const std::string reason = zip_error_strerror(&error);
        if (source)
            zip_source_free(source);
        zip_error_fini(&error);
        ScoreFault(name, "", "not a readable zip archive (" + reason + ")");
    }
    zip_error_fini(&error);

    // META-INF/container.xml names the score; an archive without one is
    // read from its first MusicXML entry outside META-INF.
    std::string root;
    if (zip_name_locate(archive.zip, "META-INF/container.xml", 0) >= 0) {
        const std::string container = ReadEntry(archive.zip, "META-INF/container.xml", name);
        pugi::xml_document doc;
        if (!doc.load_buffer(container.data(), container.size()))
            ScoreFault(name, "entry META-INF/container.xml", "not well-formed XML");
        root = doc.child("container").child("rootfiles").child("rootfile").attribute("full-path").value();
        if (root.empty())
            ScoreFault(name, "entry META-INF/container.xml", "names no root file (<rootfile full-path=...>)");
    } else {
        const zip_int64_t count = zip_get_num_entries(archive.zip, 0);
        for (zip_int64_t i = 0; i < count && root.empty(); ++i) {
            const char* entry = zip_get_name(archive.zip, static_cast<zip_uint64_t>(i), 0);
            const std::string e = entry ? entry : "";
            if (e.rfind("META-INF/", 0) != 0 && ((e.size() > 4 && e.compare(e.size() - 4, 4, ".xml") == 0) ||
                                                 (e.size() > 9 && e.compare(e.size() - 9, 9, ".musicxml") == 0)))
                root = e;
        }
        if (root.empty())
            ScoreFault(name, "", "the archive holds neither META-INF/container.xml nor a MusicXML file");
    }
    ReportProgress(options, name, 0.05);
    const std::string xml = ReadEntry(archive.zip, root, name);
    Score score = ReadMusicXml(xml, name + " (" + root + ")", options);
    score.path = name;
    score.format = "compressed MusicXML";
    return score;
}

#include "interchange/MusicXml.h"

#include <sstream>
#include <stdexcept>

#include <pugixml.hpp>

#include "base/Error.h"

#include "notation/NotationBox.h"
#include "notation/Spelling.h"
#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"
#include "relations/ZRelations.h"

namespace {

// The staff modes of the roster's two columns (see MakeNotationBox).
constexpr int kTransposed = 0;
constexpr int kInverted = 1;

pugi::xml_node AddText(pugi::xml_node parent, const char* name, const std::string& text)
{
    pugi::xml_node node = parent.append_child(name);
    node.text().set(text.c_str());
    return node;
}

const char* AccidentalName(int alter)
{
    switch (alter) {
    case -2:
        return "flat-flat";
    case -1:
        return "flat";
    case 1:
        return "sharp";
    case 2:
        return "double-sharp";
    default:
        return "natural";
    }
}

void AddClef(pugi::xml_node attributes, bool bass)
{
    pugi::xml_node clef = attributes.append_child("clef");
    AddText(clef, "sign", bass ? "F" : "G");
    AddText(clef, "line", bass ? "4" : "2");
}

// One note as the staff writes it: every accidental shown, naturals
// included; no stem, for the notes are pitches, not rhythm; an open head
// when its pitch class belongs to the set, a black one otherwise; its pitch
// class underneath, written as on the page (10 and 11 as d and u).
void AddNote(pugi::xml_node measure, int pitch, const SpelledPitch& written, bool open)
{
    pugi::xml_node note = measure.append_child("note");
    pugi::xml_node p = note.append_child("pitch");
    AddText(p, "step", std::string(1, written.letter));
    if (written.alter != 0)
        AddText(p, "alter", std::to_string(written.alter));
    AddText(p, "octave", std::to_string(written.octave));
    AddText(note, "duration", "1");
    AddText(note, "voice", "1");
    AddText(note, "type", "quarter");
    AddText(note, "accidental", AccidentalName(written.alter));
    AddText(note, "stem", "none");
    AddText(note, "notehead", "normal").append_attribute("filled") = open ? "no" : "yes";
    pugi::xml_node lyric = note.append_child("lyric");
    lyric.append_attribute("number") = "1";
    lyric.append_attribute("placement") = "below";
    AddText(lyric, "syllabic", "single");
    AddText(lyric, "text", IntToString(Mod12equivalent(pitch)));
}

// Rows on one line of music: as many as keep a line to about eighteen notes,
// and a divisor of twelve, so that the transpositions and the inversions fill
// their lines alike.
int RowsPerSystem(size_t notesPerRow)
{
    for (int rows : {12, 6, 4, 3, 2})
        if (rows * notesPerRow <= 18)
            return rows;
    return 1;
}

// A typed note as written: the letter and accidental typed, in the octave
// that puts it at its pitch; a number is spelled as a staff spells it.
SpelledPitch Written(const TypedNote& note, int reference)
{
    if (note.letter == 0)
        return SpellPitch(note.pitch, reference);
    static const int naturals[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    const int natural = note.pitch - note.alter - naturals[note.letter - 'A'];
    SpelledPitch written;
    written.letter = note.letter;
    written.alter = note.alter;
    written.octave = 4 + (natural >= 0 ? natural / 12 : -((-natural + 11) / 12));
    return written;
}

}  // namespace

std::string MusicXmlForSet(const std::vector<int>& list, const std::vector<TypedNote>& typed)
{
    if (list.empty())
        throw harmodex::Error::BadInput("a MusicXML roster needs at least one pitch class");
    PitchClassSet set;
    set.initializeSet(list);
    const std::vector<int> tnType = set.getTnType();
    // The text the page hands to its staves.
    const std::string pitchText = VectorTocString(tnType);
    const int page = FindSetID(pitchText, SharedUniverse()) + 1;
    bool member[12] = {};
    for (int pc : tnType)
        member[Mod12equivalent(pc)] = true;

    pugi::xml_document doc;
    pugi::xml_node declaration = doc.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    doc.append_child(pugi::node_doctype)
        .set_value("score-partwise PUBLIC \"-//Recordare//DTD MusicXML 4.0 Partwise//EN\" "
                   "\"http://www.musicxml.org/dtds/partwise.dtd\"");

    pugi::xml_node score = doc.append_child("score-partwise");
    score.append_attribute("version") = "4.0";
    AddText(score.append_child("work"), "work-title",
            "Harmodex page " + std::to_string(page) + ": " + FindForteName(set) + " (" + pitchText + ")");
    pugi::xml_node encoding = score.append_child("identification").append_child("encoding");
    AddText(encoding, "software", "Harmodex");
    // Every accidental is written out, and the notes have no stems: an
    // importer must not add or drop any.
    for (const char* element : {"accidental", "stem"}) {
        pugi::xml_node supports = encoding.append_child("supports");
        supports.append_attribute("element") = element;
        supports.append_attribute("type") = "yes";
    }
    pugi::xml_node newSystem = encoding.append_child("supports");
    newSystem.append_attribute("attribute") = "new-system";
    newSystem.append_attribute("element") = "print";
    newSystem.append_attribute("type") = "yes";
    newSystem.append_attribute("value") = "yes";

    pugi::xml_node scorePart = score.append_child("part-list").append_child("score-part");
    scorePart.append_attribute("id") = "P1";
    AddText(scorePart, "part-name", "Transformations").append_attribute("print-object") = "no";
    pugi::xml_node instrument = scorePart.append_child("score-instrument");
    instrument.append_attribute("id") = "P1-I1";
    AddText(instrument, "instrument-name", "Piano");
    AddText(instrument, "instrument-sound", "keyboard.piano");

    pugi::xml_node part = score.append_child("part");
    part.append_attribute("id") = "P1";
    int number = 0;
    bool lastBass = false;
    pugi::xml_node previous;
    // The set as typed, when asked for, is a row of its own ahead of the
    // roster: mode -1.
    for (const int mode : {-1, kTransposed, kInverted}) {
        for (int t = 0; t < 12; ++t) {
            if (mode == -1 && (typed.empty() || t > 0))
                break;
            std::vector<int> pitches;
            if (mode == -1)
                for (const TypedNote& note : typed)
                    pitches.push_back(note.pitch);
            else
                pitches = StaffPitches(pitchText.c_str(), mode, t);
            bool bass = false;
            for (int p : pitches)
                bass = bass || p < 0;
            const int reference = pitches.empty() ? kNoSpellingReference : ChooseSpellingReference(pitches);

            pugi::xml_node measure = part.append_child("measure");
            measure.append_attribute("number") = ++number;
            // The inversions start a line of their own, as they start a
            // column of their own on the page, and the roster starts one
            // after the typed row. Measure numbers would only be noise
            // beside the rows' names.
            if (number == 1)
                AddText(measure.append_child("print"), "measure-numbering", "none");
            else if (t % RowsPerSystem(pitches.size()) == 0)
                measure.append_child("print").append_attribute("new-system") = "yes";
            if (number == 1) {
                pugi::xml_node attributes = measure.append_child("attributes");
                AddText(attributes, "divisions", "1");
                // A row is no bar of music: its length is the number of
                // notes, and no time signature is shown.
                pugi::xml_node time = attributes.append_child("time");
                time.append_attribute("print-object") = "no";
                AddText(time, "beats", std::to_string(pitches.size()));
                AddText(time, "beat-type", "4");
                AddClef(attributes, bass);
            } else if (bass != lastBass) {
                // A new clef at the start of a line is engraved at the end of
                // the line before, as a courtesy; written after that
                // measure's last note, it takes effect exactly where the new
                // row begins.
                AddClef(previous.append_child("attributes"), bass);
            }
            lastBass = bass;
            previous = measure;
            pugi::xml_node direction = measure.append_child("direction");
            direction.append_attribute("placement") = "above";
            AddText(direction.append_child("direction-type"), "words",
                    mode == -1 ? std::string("as typed") : (mode == kTransposed ? "T" : "I") + IntToString(t));
            for (size_t i = 0; i < pitches.size(); ++i) {
                const int p = pitches[i];
                const SpelledPitch written = mode == -1 ? Written(typed[i], reference) : SpellPitch(p, reference);
                // Every typed note belongs to the set typed.
                AddNote(measure, p, written, mode == -1 || member[Mod12equivalent(p)]);
            }
        }
    }

    std::ostringstream out;
    doc.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

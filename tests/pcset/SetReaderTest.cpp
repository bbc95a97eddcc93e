#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"
#include "pcset/SetReader.h"

namespace {

std::string tnTypeOf(const std::vector<int>& list)
{
    PitchClassSet set;
    set.initializeSet(list);
    return VectorToString(set.getTnType());
}

struct Understood {
    const char* typed;
    const char* pitchClasses;
    const char* tnType;
    const char* form;
};

TEST(SetReader, ReadsEveryFormMusiciansWrite)
{
    const Understood cases[] = {
        {"0 4 7", "0 4 7", "0 4 7", "pitch-class list"},
        {"7 11 2", "7 11 2", "0 4 7", "pitch-class list"},
        {"0,4,7", "0 4 7", "0 4 7", "pitch-class list"},
        {"[0,4,7]", "0 4 7", "0 4 7", "pitch-class list"},
        {"{0, 4, 7}", "0 4 7", "0 4 7", "pitch-class list"},
        {"<0 4 7>", "0 4 7", "0 4 7", "pitch-class list"},
        // A minus sign before a number counts down from 12, as the literal
        // reading does; a dash between numbers separates them.
        {"0 4 7 -1", "0 4 7 11", "0 1 5 8", "pitch-class list"},
        {"-1 0 4 7", "11 0 4 7", "0 1 5 8", "pitch-class list"},
        {"[0,-5,4]", "0 7 4", "0 4 7", "pitch-class list"},
        {"0 -12 4", "0 4", "0 4", "pitch-class list"},
        {"0-4-7; 0", "0 4 7", "0 4 7", "pitch-class list"},
        {"7 t 2 6 9 0", "7 10 2 6 9 0", "0 1 3 4 6 8", "pitch-class list"},  // 6-Z24
        {"0 4 7 t e", "0 4 7 10 11", "0 3 6 7 8", "pitch-class list"},
        {"0 4 7 T E", "0 4 7 10 11", "0 3 6 7 8", "pitch-class list"},
        {"0 4 7 A B", "0 4 7 10 11", "0 3 6 7 8", "pitch-class list"},
        {"0 2 d u", "0 2 10 11", "0 1 2 4", "pitch-class list"},
        {"10", "10", "0", "pitch-class list"},
        {"  10 11\t", "10 11", "0 1", "pitch-class list"},
        {"047", "0 4 7", "0 4 7", "compact digits"},
        {"(047)", "0 4 7", "0 4 7", "compact digits"},
        {"(0123u)", "0 1 2 3 11", "0 1 2 3 4", "compact digits"},
        {"[01369te]", "0 1 3 6 9 10 11", "0 1 2 3 4 6 9", "compact digits"},
        {"(10)", "1 0", "0 1", "compact digits"},
        {"C E G", "0 4 7", "0 4 7", "note names"},
        {"Bb D F", "10 2 5", "0 4 7", "note names"},
        {"c# e g#", "1 4 8", "0 3 7", "note names"},
        {"C4 E4 G4", "0 4 7", "0 4 7", "note names"},
        {"F\xE2\x99\xAF A\xE2\x99\xAD Cx Dbb B##", "6 8 2 0 1", "0 1 2 6 8", "note names"},
        {"E\xF0\x9D\x84\xAA B\xF0\x9D\x84\xAB", "6 9", "0 3", "note names"},
        {"A B", "9 11", "0 2", "note names"},  // letters alone are notes
        {"C,E,G", "0 4 7", "0 4 7", "note names"},
        {"3-11", "0 3 7", "0 3 7", "Forte class 3-11"},
        {"3-11A", "0 3 7", "0 3 7", "Forte class 3-11"},
        {"3-11b", "0 4 7", "0 4 7", "Forte class 3-11b"},
        {"3 \xE2\x80\x93 11B", "0 4 7", "0 4 7", "Forte class 3-11b"},
        {"4-Z15", "0 1 4 6", "0 1 4 6", "Forte class 4-Z15"},
        {"3-12b", "0 4 8", "0 4 8", "Forte class 3-12"},  // its own inversion
        {"p24", "0 4 7", "0 4 7", "page 24"},
        {"page 24", "0 4 7", "0 4 7", "page 24"},
        {"#24", "0 4 7", "0 4 7", "page 24"},
        {"p. 24", "0 4 7", "0 4 7", "page 24"},
        {"P351", "0 1 2 3 4 5 6 7 8 9 10 11", "0 1 2 3 4 5 6 7 8 9 10 11", "page 351"},
        {"13.12.14", "0 4 7", "0 4 7", "Costère code"},
        {"39.", "0 1 2", "0 1 2", "Costère code"},
        {"2X", "0 1", "0 1", "Costère code"},
        {"XII", "0 1 2 3 4 5 6 7 8 9 10 11", "0 1 2 3 4 5 6 7 8 9 10 11", "Costère code"},
    };
    for (const Understood& c : cases) {
        const SetReading r = UnderstandSetText(c.typed);
        EXPECT_EQ(r.error, "") << c.typed;
        EXPECT_EQ(VectorToString(r.pitchClasses), c.pitchClasses) << c.typed;
        EXPECT_EQ(tnTypeOf(r.pitchClasses), c.tnType) << c.typed;
        EXPECT_EQ(r.form, c.form) << c.typed;
    }
}

TEST(SetReader, EveryForteNameOfTheCatalogueLeadsBackToItsOwnPage)
{
    const PitchUniverse& u = SharedUniverse();
    for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
        std::string name = u.forteNames[i];
        std::vector<std::string> spellings = {name};
        std::string lower = name, withoutZ = name;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        spellings.push_back(lower);
        if (withoutZ.find('Z') != std::string::npos)
            spellings.push_back(withoutZ.erase(withoutZ.find('Z'), 1));
        if (name.back() != 'b')
            spellings.push_back(name + "a");
        for (const std::string& typed : spellings) {
            const SetReading r = UnderstandSetText(typed);
            ASSERT_EQ(r.error, "") << typed;
            EXPECT_EQ(tnTypeOf(r.pitchClasses), u.tnTypes[i]) << typed;
            EXPECT_EQ(r.form, "Forte class " + name) << typed;
        }
    }
}

TEST(SetReader, TextsWithoutASensibleReadingSayWhatIsAccepted)
{
    struct Case {
        const char* typed;
        const char* says;
    };
    const Case cases[] = {
        {"", "nothing was typed; write a set as pitch classes"},
        {"   ", "nothing was typed"},
        {"hello", "\xE2\x80\x9Chello\xE2\x80\x9D is neither a pitch class nor a note name; write a set as"},
        {"--", "names no pitch class; write a set as"},
        {"C 4 7", "mixes note names with numbers"},
        {"0 4 39", "\xE2\x80\x9C"
                   "39\xE2\x80\x9D is not a pitch class: pitch classes run from 0 to 11"},
        {"100", "names a pitch class twice"},
        {"39", "\xE2\x80\x9C"
               "39\xE2\x80\x9D is not a pitch class (they run from 0 to 11); as a Costère code (0 1 2) write it with a "
               "dot: 39."},
        {"3-13", "there is no Forte class 3-13: the classes of 3 notes run from 3-1 to 3-12"},
        {"6-Z51", "the classes of 6 notes run from 6-1 to 6-50"},
        {"1-2", "the one class of 1 note is 1-1"},
        {"p0", "there is no page \xE2\x80\x9C"
               "0\xE2\x80\x9D: the pages run from 1 to 351"},
        {"page 99999999999", "the pages run from 1 to 351"},
        {"13.12", "is not a Costère code"},
        {"...", "is not a Costère code"},
        {"0.4.7", "is not a Costère code"},
        {"13.12.14x", "is not a Costère code"},
    };
    for (const Case& c : cases) {
        const SetReading r = UnderstandSetText(c.typed);
        EXPECT_TRUE(r.pitchClasses.empty()) << c.typed;
        EXPECT_NE(r.error.find(c.says), std::string::npos) << c.typed << ": " << r.error;
        EXPECT_EQ(r.error.find('\n'), std::string::npos);
    }
}

TEST(SetReader, CostereFieldReadsABareCodeAsACode)
{
    struct Case {
        const char* typed;
        const char* pitchClasses;
        const char* form;
    };
    const Case cases[] = {
        {"39", "0 1 2", "Costère code"},       {"66", "0 1 2 3 4 5", "Costère code"},
        {"3", "3", "pitch-class list"},      // a count that leaves semitones unaccounted for
        {"310", "3 1 0", "compact digits"},  // three digits are not one code piece
        {"13.12.14", "0 4 7", "Costère code"},
    };
    for (const Case& c : cases) {
        const SetReading r = UnderstandCostereFieldText(c.typed);
        EXPECT_EQ(VectorToString(r.pitchClasses), c.pitchClasses) << c.typed;
        EXPECT_EQ(r.form, c.form) << c.typed;
    }
}

TEST(SetReader, DescribesOnlyReadingsTheFieldsWouldNotGive)
{
    struct Case {
        const char* typed;
        const char* line;
    };
    const Case cases[] = {
        {"3-11b", "read 3-11b as Forte class 3-11b: 0 4 7"},
        {"0,4,7", "read 0,4,7 as pitch-class list: 0 4 7"},
        {"Bb D F", "read Bb D F as note names: 10 2 5"},
        {"0 4 7 t e", "read 0 4 7 t e as pitch-class list: 0 4 7 10 11"},
        {"0 4 7", ""},
        {"7 11 2 d u 7", ""},  // repeats name the same set
        {"13.12.14", ""},
        {"hello", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DescribeReading(c.typed, UnderstandSetText(c.typed)), c.line) << c.typed;
}

TEST(SetReader, QuotesAreCutAtACharacterBoundary)
{
    const std::string notes = std::string(39, 'C') + "\xE2\x99\xAF" + "more";
    EXPECT_EQ(QuoteForMessage(notes), "\xE2\x80\x9C" + std::string(39, 'C') + "\xE2\x80\xA6\xE2\x80\x9D");
}

}  // namespace

// The literal reading takes a text in full only when every word is a number
// (or d, u) or the text is a Costère code; the negative numbers of both
// readings agree.
TEST(SetReader, LiteralReadingIsExactOnlyForNumbersAndCodes)
{
    for (const char* exact : {"0 4 7", "047", "0 4 7 -1", "+4 d u", "13.12.14", "  7  11 2 "})
        EXPECT_TRUE(ReadsLiterallyAsWritten(exact)) << exact;
    for (const char* inexact : {"hello", "3-11b", "0,4,7", "(047)", "C E G", "0 - 4", "", "XI", "p24"})
        EXPECT_FALSE(ReadsLiterallyAsWritten(inexact)) << inexact;
    for (const char* both : {"0 4 7 -1", "-5 -7 0", "-11"})
        EXPECT_TRUE(AgreesWithLiteralReading(both, UnderstandSetText(both))) << both;
}

// The notes as typed: note names in the octave written (the letter's octave,
// so Cb4 lies below C4), others rising from middle C one above the other.
TEST(SetReader, TypedNotesKeepTheOrderAndOctavesTyped)
{
    const struct {
        const char* typed;
        std::vector<int> pitches;
        std::string letters;  // '.' for a number
    } cases[] = {
        {"G3 B3 D4", {-5, -1, 2}, "GBD"},
        {"G4 B3 D5", {7, -1, 14}, "GBD"},
        {"Bb D F", {10, 14, 17}, "BDF"},
        {"Cb4 B3", {-1}, "C"},  // one pitch class, its first spelling kept
        {"Cb4 B#3", {-1, 0}, "CB"},
        {"E#4 Fb4", {5, 4}, "EF"},
        {"7 11 2", {7, 11, 14}, "..."},
        {"0 4 7 -1", {0, 4, 7, 11}, "...."},
        {"3-11b", {0, 4, 7}, "..."},
        {"13.12.14", {0, 4, 7}, "..."},
        {"hello", {}, ""},
    };
    for (const auto& c : cases) {
        const std::vector<TypedNote> notes = TypedNotes(c.typed);
        std::vector<int> pitches;
        std::string letters;
        for (const TypedNote& n : notes) {
            pitches.push_back(n.pitch);
            letters += n.letter ? n.letter : '.';
        }
        EXPECT_EQ(pitches, c.pitches) << c.typed;
        EXPECT_EQ(letters, c.letters) << c.typed;
    }
    const std::vector<TypedNote> flat = TypedNotes("Bb3");
    ASSERT_EQ(flat.size(), 1u);
    EXPECT_EQ(flat[0].alter, -1);
}

#include "base/Error.h"
#include "interchange/MusicXml.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "notation/NotationBox.h"
#include "notation/Spelling.h"
#include "pcset/Conversions.h"

namespace {

constexpr float kSize = 10.58f;  // the page's staff size

struct Clef {
    const char* glyph;
    int bottomStep;  // diatonic step of the bottom line, C4 = 28
};

// Reads each set's file back as a notation program would, following the clef
// in force note by note, and holds every row to the staff the page draws.
TEST(MusicXml, EveryRowIsWrittenAsThePagesStaff)
{
    const struct {
        std::vector<int> set;
        const char* title;
    } cases[] = {
        {{0, 4, 7}, "Harmodex page 24: 3-11b (0 4 7)"},
        {{0, 1, 3, 7, 8}, "Harmodex page 93: 5-20 (0 1 3 7 8)"},
        {{0, 2, 4, 6, 8, 10}, "Harmodex page 209: 6-35 (0 2 4 6 8 10)"},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, "Harmodex page 351: 12-1 (0 1 2 3 4 5 6 7 8 9 10 11)"},
    };
    // The page's accidental glyph: the alteration and MusicXML's accidental.
    const std::map<std::string, std::pair<int, std::string>> accidentals = {{"natural", {0, "natural"}},
                                                                            {"sharp", {1, "sharp"}},
                                                                            {"flat", {-1, "flat"}},
                                                                            {"double_sharp", {2, "double-sharp"}},
                                                                            {"double-flat", {-2, "flat-flat"}}};
    const std::map<std::string, Clef> clefOf = {{"G2", {"treble_clef", 30}}, {"F4", {"bass_clef", 18}}};

    for (const auto& c : cases) {
        const std::string text = VectorToString(c.set);
        SCOPED_TRACE(text);
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_string(MusicXmlForSet(c.set).c_str()));
        const pugi::xml_node score = doc.child("score-partwise");
        EXPECT_EQ(score.child("work").child_value("work-title"), std::string(c.title));

        bool member[12] = {};
        for (int pc : c.set)
            member[pc] = true;
        std::string clef;
        int row = 0;
        for (pugi::xml_node measure : score.child("part").children("measure")) {
            const int mode = row < 12 ? 0 : 1;
            const int t = row % 12;
            const std::string label = (mode == 0 ? "T" : "I") + IntToString(t);
            SCOPED_TRACE(label);
            const std::vector<int> pitches = StaffPitches(text.c_str(), mode, t);
            const int reference = ChooseSpellingReference(pitches);
            bool bass = false;
            for (int p : pitches)
                bass = bass || p < 0;

            size_t k = 0;
            for (pugi::xml_node item : measure.children()) {
                const std::string name = item.name();
                if (name == "attributes" && item.child("clef"))
                    clef = std::string(item.child("clef").child_value("sign")) + item.child("clef").child_value("line");
                if (name == "direction") {
                    EXPECT_EQ(item.child("direction-type").child_value("words"), label);
                }
                if (name != "note")
                    continue;
                ASSERT_LT(k, pitches.size());
                ASSERT_EQ(clefOf.count(clef), 1u) << clef;
                EXPECT_EQ(clef == "F4", bass);
                const Clef& drawn = clefOf.at(clef);
                const NotePlacement placed = PitchToYpos(pitches[k], kSize, reference, drawn.glyph);
                const int step = static_cast<int>(std::lround(placed.y / (0.126 * kSize))) + drawn.bottomStep;
                const pugi::xml_node pitch = item.child("pitch");
                EXPECT_EQ(pitch.child_value("step"), std::string(1, "CDEFGAB"[step % 7])) << k;
                EXPECT_EQ(pitch.child("octave").text().as_int(), step / 7) << k;
                EXPECT_EQ(pitch.child("alter").text().as_int(0), accidentals.at(placed.accidental).first) << k;
                EXPECT_EQ(item.child_value("accidental"), accidentals.at(placed.accidental).second) << k;
                const int pc = Mod12equivalent(pitches[k]);
                EXPECT_STREQ(item.child("notehead").attribute("filled").value(), member[pc] ? "no" : "yes");
                EXPECT_EQ(item.child("lyric").child_value("text"), IntToString(pc));
                ++k;
            }
            EXPECT_EQ(k, pitches.size());
            ++row;
        }
        EXPECT_EQ(row, 24);
    }
}

TEST(MusicXml, AnySetOfTheTypeGivesItsPagesRoster)
{
    EXPECT_EQ(MusicXmlForSet({7, 11, 2}), MusicXmlForSet({0, 4, 7}));
    EXPECT_EQ(MusicXmlForSet({19, -1, 4}), MusicXmlForSet({4, 7, 11}));
    EXPECT_THROW(MusicXmlForSet({}), harmodex::Error);
}

}  // namespace

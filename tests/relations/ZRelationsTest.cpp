#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pcset/Conversions.h"
#include "analysis/AnalysedSet.h"
#include "pcset/PitchUniverse.h"
#include "relations/SetInfo.h"
#include "relations/ZRelations.h"

namespace {

using PcsList = std::vector<Pcs>;

TEST(ZRelations, PartnersOfKnownSets)
{
    struct Case {
        Pcs set;
        PcsList partners;
    } cases[] = {
        {{0, 1, 4, 6}, {{0, 1, 3, 7}, {0, 4, 6, 7}}},  // 4-Z15 and 4-Z29
        {{0, 1, 3, 7}, {{0, 1, 4, 6}, {0, 2, 5, 6}}},
        {{6, 7, 9, 1}, {{0, 1, 4, 6}, {0, 2, 5, 6}}},  // any transposition
        {{0, 4, 7}, {}},
    };
    PitchClassSet tool;
    for (const Case& c : cases) {
        EXPECT_EQ(FindZrelations(Analysed(c.set)), c.partners) << VectorToString(c.set);
        const Pcs tnType = tool.calculateTnType(c.set);
        const Pcs invTnType = tool.calculateTnType(tool.genericInvertion(c.set));
        EXPECT_EQ(FindZrelations(tnType, invTnType), c.partners) << VectorToString(c.set);
    }
    // The pair form never lists A or B, even when they are not inversions of each other.
    const PcsList pair = FindZrelations(Pcs{0, 1, 4, 6}, Pcs{0, 1, 3, 7});
    EXPECT_EQ(pair, (PcsList{{0, 2, 5, 6}, {0, 4, 6, 7}}));
    // Only the entries actually found are left out.
    EXPECT_EQ(FindZrelations(Pcs{0, 1, 4, 6}, Pcs{4, 7}), (PcsList{{0, 1, 3, 7}, {0, 2, 5, 6}, {0, 4, 6, 7}}));
    // A list holding one pitch class twice: the unison is no interval class,
    // so its vector is that of a single note.
    EXPECT_EQ(FindZrelations(Pcs{0, 12}, Pcs{}), (PcsList{{0}}));
}

// Over the catalogue: every partner has the same interval vector and another
// inversion class, the relation is mutual, partners come in inversion pairs,
// a type has partners exactly when its Forte name carries a Z, and the pair
// form agrees with the set form.
TEST(ZRelations, PartnersOverTheCatalogue)
{
    const PitchUniverse& u = SharedUniverse();
    PitchClassSet tool;
    int withPartners = 0;
    for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
        const Pcs t = StringToVector(u.tnTypes[i]);
        const PitchClassSet p = Analysed(t);
        const PcsList partners = FindZrelations(p);
        const bool named = u.forteNames[i].find('Z') != std::string::npos;
        EXPECT_EQ(!partners.empty(), named) << u.tnTypes[i] << " " << u.forteNames[i];
        withPartners += !partners.empty();

        for (const Pcs& z : partners) {
            EXPECT_EQ(tool.calculateIntervalVector(z), p.getIntervalVector());
            EXPECT_NE(tool.calculateTnIType(z), p.getTnIType());
            const PcsList back = FindZrelations(Analysed(z));
            EXPECT_NE(std::find(back.begin(), back.end(), t), back.end()) << VectorToString(z);
            // The inverted form of every partner is listed too.
            const Pcs inverted = tool.calculateTnType(tool.genericInvertion(z));
            EXPECT_NE(std::find(partners.begin(), partners.end(), inverted), partners.end());
        }
        EXPECT_EQ(FindZrelations(t, p.getInvTnType()), partners) << u.tnTypes[i];
    }
    // Tn-types: 4 tetrachords, 9 pentachords, 46 hexachords (30 Z classes,
    // 14 of them inversionally symmetric), 9 septachords, 4 octachords.
    EXPECT_EQ(withPartners, 72);
}

TEST(ZRelations, ForteNames)
{
    struct Case {
        Pcs set;
        const char* name;
    } cases[] = {
        {{7, 11, 2}, "3-11b"},
        {{3}, "1-1"},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, "12-1"},
        {{}, ""},  // the empty set has no place in the catalogue
    };
    for (const Case& c : cases) {
        PitchClassSet s;
        s.initializeSet(c.set);
        EXPECT_EQ(FindForteName(s), c.name) << VectorToString(c.set);
    }
    const PitchUniverse& u = SharedUniverse();
    for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
        PitchClassSet s;
        s.initializeSet(StringToVector(u.tnTypes[i]));
        EXPECT_EQ(FindForteName(s), u.forteNames[i]);
    }
}

std::vector<SetInfo> infos(const std::vector<std::string>& texts)
{
    std::vector<SetInfo> list;
    for (const std::string& t : texts)
        list = AddToSetInfo(list, "Label", t.c_str());
    return list;
}

TEST(SetInfoLists, LinesAreBrokenBeforeATextThatWouldNotFit)
{
    struct Case {
        std::vector<std::string> texts;
        int max;
        std::vector<std::string> lines;
    } cases[] = {
        {{"AAAA", "BBBB", "CCCC"}, 10, {"AAAA, BBBB, ", "CCCC"}},
        {{"AAAA", "BBBB", "CCCC"}, 9, {"AAAA, ", "BBBB, ", "CCCC"}},
        {{"AAAA", "BBBB", "CCCC"}, 100, {"AAAA, BBBB, CCCC"}},
        {{"a text longer than the line"}, 10, {"a text longer than the line"}},
        {{"AB", "a text longer than the line", "CD"}, 10, {"AB, ", "a text longer than the line, ", "CD"}},
        {{"cislocative"}, 38, {"cislocative"}},
        {{}, 38, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BreakUpSetInfoIntoFragments(infos(c.texts), c.max), c.lines);
}

TEST(SetInfoLists, AppendAndSelectByLabel)
{
    std::vector<SetInfo> list;
    const std::vector<SetInfo> empty = list;
    list = AddToSetInfo(list, "Cardinal Classification", "cislocative");
    list = AddToSetInfo(list, "Roots", "0");
    list = AddToSetInfo(list, "Cardinal Classification", "with one pole");
    list = AddToSetInfo(list, "Roots", nullptr);
    EXPECT_TRUE(empty.empty());  // the list passed in is copied, not changed
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[3].text, "");

    PitchClassSet p;
    p.setInfos = list;
    const std::vector<SetInfo> cardinal = p.getSetInfoByLabel("Cardinal Classification");
    ASSERT_EQ(cardinal.size(), 2u);
    EXPECT_EQ(cardinal[0].text, "cislocative");
    EXPECT_EQ(cardinal[1].text, "with one pole");
    EXPECT_EQ(p.getSetInfoByLabel("Roots").size(), 2u);
    EXPECT_TRUE(p.getSetInfoByLabel("cardinal classification").empty());
    EXPECT_TRUE(p.getSetInfoByLabel("Cardinal").empty());
    EXPECT_TRUE(p.getSetInfoByLabel("").empty());
    EXPECT_TRUE(p.getSetInfoByLabel(nullptr).empty());
}

}  // namespace

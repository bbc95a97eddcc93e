#include <algorithm>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "pcset/Conversions.h"
#include "analysis/AnalysedSet.h"
#include "pcset/PitchUniverse.h"
#include "relations/CatalogueTables.h"
#include "relations/Modalization.h"
#include "relations/Molds.h"
#include "relations/SetAlgebra.h"
#include "relations/SubsetSearch.h"

namespace {

const Pcs diatonic = {0, 1, 3, 5, 6, 8, 10};  // Tn-type of the major scale (B = 0)
const Pcs hexatonic = {0, 1, 4, 5, 8, 9};

TEST(Modalization, CodeReaders)
{
    struct Case {
        int code, level, flag, upside;
    } cases[] = {
        {0, 0, 1, 0},   {1011, 11, 1, 0}, {111, 11, -1, 0}, {211, 11, -1, 1}, {1203, 3, -1, 1},
        {305, 5, 1, 1}, {60, 0, 0, 0},    {150, 0, 0, 0},   {350, 0, 0, 0},   {-99, 0, 0, 0},  // not codes
    };
    for (const Case& c : cases) {
        EXPECT_EQ(interpretIndexModCode(c.code), c.level) << c.code;
        EXPECT_EQ(findIndexModCodeFlag(c.code), c.flag) << c.code;
        EXPECT_EQ(findIndexModCodeUpsideFlag(c.code), c.upside) << c.code;
    }
    EXPECT_TRUE(LevelsAreAllForInvs({}));
    EXPECT_TRUE(LevelsAreAllForInvs({100, 1205, 249}));
    EXPECT_FALSE(LevelsAreAllForInvs({100, 5}));
    EXPECT_FALSE(LevelsAreAllForInvs({100, -99}));
}

TEST(Modalization, GroupsOfASetAwayFromItsTnType)
{
    // The single notes of a major triad all skip two degrees; no dyad occurs twice.
    const std::vector<ModalizationInfo> groups = calculateModalizationAttributes(Loaded({2, 6, 9}));
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].formA, Pcs{0});
    EXPECT_EQ(groups[0].mold, Pcs{2});
    EXPECT_EQ(groups[0].codesA, (Pcs{0, 4, 7}));
}

TEST(Modalization, IndexTexts)
{
    const std::vector<ModalizationInfo> ofDiatonic = calculateModalizationAttributes(Loaded(diatonic));
    const std::vector<ModalizationInfo> ofHexatonic = calculateModalizationAttributes(Loaded(hexatonic));
    const std::vector<ModalizationInfo> ofTriad = calculateModalizationAttributes(Loaded({0, 4, 7}));
    struct Case {
        Pcs t, s, levels;
        std::vector<ModalizationInfo> groups;
        std::string text;
        int covered;  // 7: left as it was
    } cases[] = {
        // Major triads, then the minor triads as inversions of 0 4 7.
        {diatonic, {0, 4, 7}, {1, 6, 8}, ofDiatonic, "|1,6,8,-d,-0,-5|,", 1},
        // 0 4 5 imitates 0 1 5 in retrograde; B's level 3 is not covered.
        {diatonic, {0, 1, 5}, {0, 5}, ofDiatonic, "|0,5,-6\\317,-1\\317|,", 0},
        // Seen from the second form of the pair: its own codes are retrograde.
        {diatonic, {0, 3, 5}, {0, 3, 5, 10}, ofDiatonic, "|0\\317,3\\317,5\\317,d\\317,-6,-8,-1,-3|,", 1},
        // Two groups of one subset, each between bars.
        {{0, 1, 2, 6, 7},
         {0, 1, 6},
         {0, 1, 6},
         calculateModalizationAttributes(Loaded({0, 1, 2, 6, 7})),
         "|0,1,-7|6,-1|,",
         1},
        // Equally spaced augmented triads: levels giving the same set merged.
        {hexatonic, {0, 4, 8}, {0, 1, 4, 5, 8, 9}, ofHexatonic, "|\\2670+,1+|,", 1},
        // Without groups the same levels are plain, marked before the level.
        {hexatonic, {0, 4, 8}, {0, 1, 4, 5, 8, 9}, {}, "\\267+0,\\267+1,", 7},
        // A single occurrence forms no group.
        {{0, 4, 7}, {0, 3}, {4}, ofTriad, "4,", 7},
    };
    for (const Case& c : cases) {
        int covered = 7;
        EXPECT_EQ(AssembleSubsetIndexModNotation(c.t, c.s, c.levels, c.groups, &covered), c.text)
            << VectorToString(c.s) << " in " << VectorToString(c.t);
        EXPECT_EQ(covered, c.covered) << VectorToString(c.s) << " in " << VectorToString(c.t);
    }

    EXPECT_EQ(AssembleSupersetIndexNotation({0, 1, 6, 7}, {0, 6}), "0+,");  // invariant under T6
    EXPECT_EQ(AssembleSupersetIndexNotation({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {0, 1, 10}), "0,1,d,");
    EXPECT_EQ(AssembleSupersetIndexNotation({0, 4, 8}, {}), "");
}

// The transforms of S an index text writes: "-5" is I_5(S), any other item
// T_level(S); marks are left out.
std::vector<uint16_t> transformsWritten(const std::string& text, const Pcs& s)
{
    std::string items;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\')
            i += 3;  // an octal escape
        else if (text[i] != '+')
            items += text[i] == '|' ? ',' : text[i];
    }
    std::stringstream stream(items);
    std::vector<uint16_t> transforms;
    for (std::string item; std::getline(stream, item, ',');) {
        if (item.empty())
            continue;
        const bool inversion = item[0] == '-';
        const std::string token = item.substr(inversion ? 1 : 0);
        const int level = token == "d" ? 10 : token == "u" ? 11 : std::stoi(token);
        transforms.push_back(PcMask(operateVectorSet(s, level, inversion ? -1 : 1)));
    }
    return transforms;
}

// Over the catalogue: groups list only occurrences that lie inside the set,
// none twice, each imitating the reference mold as its code says; and every
// subset's index text writes only transforms that lie in the set, accounts
// for every level of the subset, and sets covered exactly when it has bars.
TEST(Modalization, GroupsAndTextsOverTheCatalogue)
{
    for (const std::string& text : SharedUniverse().tnTypes) {
        const Pcs t = StringToVector(text);
        const uint16_t set = PcMask(t);
        const PitchClassSet p = Loaded(t);
        const std::vector<ModalizationInfo> groups = calculateModalizationAttributes(p);
        std::set<std::pair<Pcs, int>> grouped;
        for (const ModalizationInfo& g : groups) {
            EXPECT_GT(g.codesA.size() + g.codesB.size(), 1u) << text;
            for (const auto& [form, codes] : {std::make_pair(g.formA, g.codesA), std::make_pair(g.formB, g.codesB)})
                for (int code : codes) {
                    const int level = code < 0 ? -100 - code : code;
                    EXPECT_EQ(PcMask(operateVectorSet(form, level, 1)) & ~set, 0) << text << " " << code;
                    EXPECT_EQ(compareImitationMolds(g.mold, findImitationMold(t, form, level)), code < 0 ? -1 : 1);
                    EXPECT_TRUE(grouped.insert({form, level}).second) << text << " " << VectorToString(form);
                }
        }

        int flag = 0;
        const std::vector<Pcs> subs = FindAllSubsetsSoft(t, &flag);
        if (flag != 1)
            continue;
        const std::vector<Pcs> levels = findIntrinsicTranspositionIndexes(subs, p);
        for (size_t i = 0; i < subs.size(); ++i) {
            int covered = 7;
            const std::string index = AssembleSubsetIndexModNotation(t, subs[i], levels[i], groups, &covered);
            const bool bars = index.find('|') != std::string::npos;
            EXPECT_EQ(index.substr(index.size() - (bars ? 2 : 1)), bars ? "|," : ",") << index;
            EXPECT_EQ(covered != 7, bars) << index;
            const std::vector<uint16_t> written = transformsWritten(index, subs[i]);
            for (uint16_t w : written)
                EXPECT_EQ(w & ~set, 0) << text << " " << VectorToString(subs[i]) << " " << index;
            for (int l : levels[i])
                EXPECT_NE(std::find(written.begin(), written.end(), PcMask(operateVectorSet(subs[i], l, 1))),
                          written.end())
                    << text << " " << VectorToString(subs[i]) << " " << l << " " << index;
        }
    }
}

}  // namespace

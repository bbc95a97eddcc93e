#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"

namespace {

using Pcs = std::vector<int>;

struct ForteRow {
    int cardinality, number, zPartner;
    const char* primeForm;
    const char* intervalVector;
};
const ForteRow forteRows[] = {
#include "pcset/ForteTable.inc"
};

TEST(PitchUniverse, HoldsEveryTnTypeOnceInCatalogueOrder)
{
    const PitchUniverse& u = SharedUniverse();
    const int perSize[13] = {0, 1, 6, 19, 43, 66, 80, 66, 43, 19, 6, 1, 1};
    const int tniPerSize[13] = {0, 1, 6, 12, 29, 38, 50, 38, 29, 12, 6, 1, 1};
    int count[13] = {}, tniCount[13] = {};
    PitchClassSet s;
    std::set<std::string> names;
    for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
        Pcs t = StringToVector(u.tnTypes[i]);
        ASSERT_FALSE(t.empty());
        ++count[t.size()];
        EXPECT_EQ(s.calculateTnType(t), t);
        EXPECT_EQ(VectorToString(t), u.tnTypes[i]);
        if (i > 0) {
            Pcs prev = StringToVector(u.tnTypes[i - 1]);
            EXPECT_TRUE(prev.size() < t.size() || (prev.size() == t.size() && prev < t)) << u.tnTypes[i];
        }
        names.insert(u.forteNames[i]);
    }
    for (int i = 0; i < PitchUniverse::NumTnITypes; ++i)
        ++tniCount[StringToVector(u.tnITypes[i]).size()];
    for (int n = 1; n <= 12; ++n) {
        EXPECT_EQ(count[n], perSize[n]) << n;
        EXPECT_EQ(tniCount[n], tniPerSize[n]) << n;
    }
    EXPECT_EQ(names.size(), 351u);

    // The TnI-types are exactly the distinct TnI-types of the catalogue, in order.
    std::vector<std::string> expectedTni;
    for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
        std::string tni = VectorToString(s.calculateTnIType(StringToVector(u.tnTypes[i])));
        if (std::find(expectedTni.begin(), expectedTni.end(), tni) == expectedTni.end())
            expectedTni.push_back(tni);
    }
    EXPECT_EQ(std::vector<std::string>(u.tnITypes, u.tnITypes + 223), expectedTni);
}

TEST(PitchUniverse, ExampleRows)
{
    struct Row { int index; const char* tn; const char* name; };
    const Row rows[] = {
        {0, "0", "1-1"}, {1, "0 1", "2-1"}, {6, "0 6", "2-6"}, {7, "0 1 2", "3-1"},
        {9, "0 1 4", "3-3"}, {12, "0 2 3", "3-2b"}, {20, "0 3 7", "3-11"}, {23, "0 4 7", "3-11b"},
        {34, "0 1 3 7", "4-Z29"}, {51, "0 2 5 6", "4-Z15b"}, {150, "0 1 2 4 6 8", "6-22"},
        {343, "0 1 2 3 4 5 6 7 8 9", "10-1"}, {349, "0 1 2 3 4 5 6 7 8 9 10", "11-1"},
        {350, "0 1 2 3 4 5 6 7 8 9 10 11", "12-1"},
    };
    const PitchUniverse& u = SharedUniverse();
    for (const Row& r : rows) {
        EXPECT_EQ(u.tnTypes[r.index], r.tn);
        EXPECT_EQ(u.forteNames[r.index], r.name);
    }
    const char* tniStart[] = {"0", "0 1", "0 2", "0 3", "0 4", "0 5", "0 6", "0 1 2", "0 1 3", "0 1 4",
                              "0 1 5", "0 1 6", "0 2 4", "0 2 5", "0 2 6", "0 2 7", "0 3 6", "0 3 7", "0 4 8", "0 1 2 3"};
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(u.tnITypes[i], tniStart[i]);
}

TEST(PitchUniverse, FindSetIDMatchesExactTextOnly)
{
    struct Case { const char* text; int id; };
    const Case cases[] = {
        {"0 4 7", 23}, {"0 3 7", 20}, {"0", 0}, {"0 1 2 3 4 5 6 7 8 9 10 11", 350},
        {"", 351}, {"0 4 7 ", 351}, {"4 7", 351}, {"0  4 7", 351},
    };
    PitchUniverse fresh;
    for (const Case& c : cases)
        EXPECT_EQ(FindSetID(c.text, fresh), c.id) << c.text;
}

TEST(PitchUniverse, ForteNamesFollowSetClassZRelationAndInversion)
{
    const PitchUniverse& u = SharedUniverse();
    PitchClassSet s;
    int fourMembers = 0, fourWithB = 0;
    std::map<std::string, std::string> nameOfSetClass;
    for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
        Pcs t = StringToVector(u.tnTypes[i]);
        const std::string& name = u.forteNames[i];
        const bool inverted = s.calculateTnIType(t) != t;
        EXPECT_EQ(name.back() == 'b', inverted) << name;
        if (t.size() == 4) {
            ++fourMembers;
            fourWithB += inverted;
        }
        // A type and its inversion share the name but for the "b".
        std::string base = inverted ? name.substr(0, name.size() - 1) : name;
        std::string setClass = VectorToString(s.calculateTnIType(t));
        auto found = nameOfSetClass.emplace(setClass, base);
        EXPECT_EQ(found.first->second, base) << u.tnTypes[i];

        if (t.size() < 3 || t.size() > 9)
            continue;
        // Forte's own list: the same number and the same Z-partnership.
        const ForteRow* row = nullptr;
        for (const ForteRow& r : forteRows)
            if (r.cardinality == static_cast<int>(t.size()) && s.calculateTnIType(StringToVector(r.primeForm)) == s.calculateTnIType(t))
                row = &r;
        ASSERT_NE(row, nullptr) << u.tnTypes[i];
        std::string expected = std::to_string(row->cardinality) + "-" + (row->zPartner ? "Z" : "") + std::to_string(row->number);
        EXPECT_EQ(base, expected);
        EXPECT_EQ(VectorToString(s.calculateIntervalVector(t)), row->intervalVector);
    }
    EXPECT_EQ(fourMembers, 43);
    EXPECT_EQ(fourWithB, 14);
}

TEST(PitchUniverse, EverySubsetFindsItsPage)
{
    const PitchUniverse& u = SharedUniverse();
    PitchClassSet s;
    for (int mask = 1; mask < 4096; ++mask) {
        Pcs set;
        for (int pc = 0; pc < 12; ++pc)
            if (mask & (1 << pc))
                set.push_back(pc);
        s.initializeSet(set);
        int id = FindSetID(VectorToString(s.getTnType()), u);
        ASSERT_LT(id, 351) << VectorToString(set);
        EXPECT_EQ(StringToVector(u.tnTypes[id]).size(), set.size());
    }
}

} // namespace

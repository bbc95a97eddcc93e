#include <map>
#include <tuple>
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

// Both lists hold each type once (its own canonical form), by size and then
// lexicographically, in the known numbers per size: so they hold every type.
TEST(PitchUniverse, HoldsEveryTypeOnceInCatalogueOrder)
{
    const PitchUniverse& u = SharedUniverse();
    const int perSize[13] = {0, 1, 6, 19, 43, 66, 80, 66, 43, 19, 6, 1, 1};
    const int tniPerSize[13] = {0, 1, 6, 12, 29, 38, 50, 38, 29, 12, 6, 1, 1};
    PitchClassSet s;
    for (const auto& [list, n, counts] : {std::make_tuple(u.tnTypes, PitchUniverse::NumTnTypes, perSize),
                                          std::make_tuple(u.tnITypes, PitchUniverse::NumTnITypes, tniPerSize)}) {
        int count[13] = {};
        for (int i = 0; i < n; ++i) {
            const Pcs t = StringToVector(list[i]);
            ASSERT_FALSE(t.empty());
            ++count[t.size()];
            EXPECT_EQ(list == u.tnITypes ? s.calculateTnIType(t) : s.calculateTnType(t), t) << list[i];
            EXPECT_EQ(VectorToString(t), list[i]);
            const Pcs prev = i > 0 ? StringToVector(list[i - 1]) : Pcs{};
            EXPECT_TRUE(prev.size() < t.size() || (prev.size() == t.size() && prev < t)) << list[i];
        }
        for (int k = 1; k <= 12; ++k)
            EXPECT_EQ(count[k], counts[k]) << k;
    }
    EXPECT_EQ(std::set<std::string>(u.forteNames, u.forteNames + PitchUniverse::NumTnTypes).size(), 351u);
}

// Rows Forte's table of three to nine notes does not name, and the major
// triad, whose page the other tests take as known.
TEST(PitchUniverse, ExampleRows)
{
    struct Row {
        int index;
        const char* tn;
        const char* name;
    };
    const Row rows[] = {
        {0, "0", "1-1"},
        {1, "0 1", "2-1"},
        {6, "0 6", "2-6"},
        {23, "0 4 7", "3-11b"},
        {343, "0 1 2 3 4 5 6 7 8 9", "10-1"},
        {349, "0 1 2 3 4 5 6 7 8 9 10", "11-1"},
        {350, "0 1 2 3 4 5 6 7 8 9 10 11", "12-1"},
    };
    const PitchUniverse& u = SharedUniverse();
    for (const Row& r : rows) {
        EXPECT_EQ(u.tnTypes[r.index], r.tn);
        EXPECT_EQ(u.forteNames[r.index], r.name);
    }
}

TEST(PitchUniverse, FindSetIDMatchesExactTextOnly)
{
    struct Case {
        const char* text;
        int id;
    };
    const Case cases[] = {
        {"0 4 7", 23}, {"0 3 7", 20},   {"0", 0},     {"0 1 2 3 4 5 6 7 8 9 10 11", 350},
        {"", 351},     {"0 4 7 ", 351}, {"4 7", 351}, {"0  4 7", 351},
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
            if (r.cardinality == static_cast<int>(t.size()) &&
                s.calculateTnIType(StringToVector(r.primeForm)) == s.calculateTnIType(t))
                row = &r;
        ASSERT_NE(row, nullptr) << u.tnTypes[i];
        std::string expected =
            std::to_string(row->cardinality) + "-" + (row->zPartner ? "Z" : "") + std::to_string(row->number);
        EXPECT_EQ(base, expected);
        EXPECT_EQ(VectorToString(s.calculateIntervalVector(t)), row->intervalVector);
    }
    EXPECT_EQ(fourMembers, 43);
    EXPECT_EQ(fourWithB, 14);
}

}  // namespace

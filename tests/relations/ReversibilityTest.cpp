#include <cstdint>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "pcset/CostereCode.h"
#include "pcset/Conversions.h"
#include "pcset/PitchUniverse.h"
#include "relations/CatalogueTables.h"
#include "relations/Reversibility.h"
#include "relations/SetAlgebra.h"

namespace {

using Pcs = std::vector<int>;
using Row = std::vector<std::string>;
using Rows = std::vector<Row>;

TEST(Reversibility, RowsOfKnownSets)
{
    struct Case {
        Pcs set;
        Rows rows;
    } cases[] = {
        // T2 and T10 give one union type but different partners: both kept.
        // The union at T6 (0167) stands at two transpositions of itself.
        {{0, 1},
         {{"+T", "2,d", "0,d,", "(0123)"},
          {"+T", "3,9", "0,9,", "(0134)"},
          {"+T", "4,8", "0,8,", "(0145)"},
          {"+T", "5,7", "0,7,", "(0156)"},
          {"+T", "6", "0+,", "(0167)"}}},
        // T1, T5 and T9 of the augmented triad are one set, as are T3, T7, T11.
        {{4, 8, 0}, {{"+T", "1+,3+", "0+,3+,", "(014589)"}, {"+T", "2+", "0+,", "(02468d)"}}},
        // The aggregate: no union levels, named by its Costère code.
        {{0, 1, 2, 3, 4, 5}, {{"+T", "6", "", " XII"}}},
        // No transposition of 4-Z15 is disjoint from it; inversions and the
        // Z-partner 0137 are, with unions of eight members named by code.
        {{0, 1, 4, 6},
         {{"+I", "3", "9,", " 11.61.12"},
          {"+I", "9", "0,", " 21.41.22"},
          {"+I", "u", "4+,", " 42.42"},
          {"2,", "(0137)", "0,", " 72.12"},
          {"7,", "(0137)", "0+,", " 31.11.31.11"},
          {"8,", "(0137)", "u,", " 31.21.11.21"},
          {"3,", "(0467)", "0+,", " 21.21.21.21"}}},
        {{}, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AnalyseReversibility_II(c.set), c.rows) << VectorToString(c.set);
}

// Reads a levels text ("1+,3+,d"): the levels, and for each whether it is marked.
std::vector<std::pair<int, bool>> readLevels(const std::string& text)
{
    std::vector<std::pair<int, bool>> levels;
    std::stringstream items(text);
    for (std::string item; std::getline(items, item, ',');) {
        const bool marked = item.back() == '+';
        const std::string token = marked ? item.substr(0, item.size() - 1) : item;
        levels.push_back({token == "d" ? 10 : token == "u" ? 11 : std::stoi(token), marked});
    }
    return levels;
}

// "(02468d)" -> 0 2 4 6 8 10.
Pcs closeTokens(const std::string& name)
{
    Pcs list;
    for (size_t i = 1; i + 1 < name.size(); ++i)
        list.push_back(name[i] == 'd' ? 10 : name[i] == 'u' ? 11 : name[i] - '0');
    return list;
}

// Over the catalogue: only sets of six or fewer members have rows, and every
// level written gives a partner (a transposition, an inversion or a
// transposed Z-partner) disjoint from the set, whose union with the set is
// the union named, at the union level written.
TEST(Reversibility, RowsOverTheCatalogue)
{
    for (const std::string& text : SharedUniverse().tnTypes) {
        const Pcs t = StringToVector(text);
        const Rows rows = AnalyseReversibility_II(t);
        EXPECT_TRUE(t.size() <= 6 || rows.empty()) << text;
        for (const Row& row : rows) {
            const bool zRow = row[0][0] != '+';
            const uint16_t unionType =
                PcMask(row[3][0] == ' ' ? ConvertFromAdjCostereCode(row[3].substr(1)) : closeTokens(row[3]));
            const auto levels = readLevels(zRow ? row[0] : row[1]);
            const auto unionLevels = readLevels(row[2]);
            ASSERT_EQ(unionType == 0xFFF ? 0 : levels.size(), unionLevels.size()) << text;
            for (size_t i = 0; i < levels.size(); ++i) {
                const uint16_t partner =
                    PcMask(operateVectorSet(zRow ? closeTokens(row[1]) : t, levels[i].first, row[0] == "+I" ? -1 : 1));
                EXPECT_EQ(partner & PcMask(t), 0) << text << " " << row[0] << " " << row[1];
                const int m = unionType == 0xFFF ? 0 : unionLevels[i].first;
                EXPECT_EQ(RotateMask(unionType, m), PcMask(t) | partner) << text << " " << row[0] << " " << row[1];
            }
        }
    }
}

}  // namespace

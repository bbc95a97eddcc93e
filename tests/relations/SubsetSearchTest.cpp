#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"
#include "relations/SubsetSearch.h"

namespace {

using Pcs = std::vector<int>;
using PcsList = std::vector<Pcs>;

Pcs transposed(const Pcs& list, int n)
{
    Pcs out;
    for (int x : list)
        out.push_back(((x + n) % 12 + 12) % 12);
    return out;
}

// Whether every element of the candidate pairs up with the container, counted
// pair by pair as the search counts it.
bool inside(const Pcs& container, const Pcs& candidate)
{
    size_t pairs = 0;
    for (int b : candidate)
        for (int c : container)
            pairs += (b == c);
    return pairs == candidate.size();
}

// The scans done the long way: parse every catalogue text on each call and
// test each transposition pair by pair.
PcsList naiveScan(const Pcs& s, bool subsets, int* flag)
{
    PcsList found, notFound;
    for (const std::string& text : SharedUniverse().tnTypes) {
        const Pcs t = StringToVector(text);
        if (subsets ? t.size() >= s.size() : t.size() <= s.size())
            continue;
        bool in = false;
        for (int n = 0; n < 12 && !in; ++n)
            in = subsets ? inside(s, transposed(t, n)) : inside(t, transposed(s, n));
        (in ? found : notFound).push_back(t);
    }
    if (flag)
        *flag = found.size() > 200 ? -1 : 1;
    return flag && found.size() > 200 ? notFound : found;
}

TEST(SubsetSearch, SubsetsOfTheMajorTriadAndTheExtremes)
{
    EXPECT_EQ(FindAllSubsetsSoft(Pcs{0, 4, 7}), (PcsList{{0}, {0, 3}, {0, 4}, {0, 5}}));
    EXPECT_TRUE(FindAllSubsetsSoft(Pcs{5}).empty());
    EXPECT_TRUE(FindAllSupersetsSoft(Pcs{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}).empty());
    // Transpositions only: the trichords of 0 1 3 7 are 0 1 3, 0 3 7 and
    // 0 1 7 and 1 3 7 (Tn-types 0 5 6 and 0 2 6); none of their inversions.
    PcsList trichords;
    for (const Pcs& t : FindAllSubsetsSoft(Pcs{0, 1, 3, 7}))
        if (t.size() == 3)
            trichords.push_back(t);
    EXPECT_EQ(trichords, (PcsList{{0, 1, 3}, {0, 2, 6}, {0, 3, 7}, {0, 5, 6}}));
}

// A nine-member set holds well over 200 smaller Tn-types: the list names
// those smaller types that it does not hold, and the flag says so.
TEST(SubsetSearch, MoreThanTwoHundredSubsetsAreReportedByTheirExceptions)
{
    const Pcs nine = {0, 1, 2, 3, 4, 5, 6, 7, 8};
    int flag = 0;
    const PcsList exceptions = FindAllSubsetsSoft(nine, &flag);
    EXPECT_EQ(flag, -1);
    const PcsList held = FindAllSubsetsSoft(nine);
    // Together they are every Tn-type of one to eight members, without overlap.
    std::set<Pcs> all(held.begin(), held.end());
    for (const Pcs& t : exceptions)
        EXPECT_TRUE(all.insert(t).second) << VectorToString(t);
    EXPECT_EQ(all.size(), 1u + 6 + 19 + 43 + 66 + 80 + 66 + 43);
    EXPECT_NE(std::find(exceptions.begin(), exceptions.end(), Pcs{0, 2, 4, 6, 8, 10}), exceptions.end());
}

// Every Tn-type, and lists with repeated or out-of-range values, against
// the search done the long way.
TEST(SubsetSearch, AgreesWithThePlainSearchOverTheCatalogue)
{
    const PitchUniverse& u = SharedUniverse();
    std::vector<Pcs> inputs;
    for (const std::string& text : u.tnTypes)
        inputs.push_back(StringToVector(text));
    inputs.push_back({0, 0, 4});  // a repeated 0 pairs twice with a single note
    inputs.push_back({0, 0, 4, 7, 7});
    inputs.push_back({12, 4, 7});  // 12 pairs with no pitch class
    inputs.push_back({-1, 3, 6, 10});
    inputs.push_back({});
    for (const Pcs& s : inputs) {
        for (bool withFlag : {false, true}) {
            int flag = 0, naiveFlag = 0;
            int* f = withFlag ? &flag : nullptr;
            int* nf = withFlag ? &naiveFlag : nullptr;
            ASSERT_EQ(FindAllSubsetsSoft(s, f), naiveScan(s, true, nf)) << VectorToString(s);
            ASSERT_EQ(flag, naiveFlag);
            ASSERT_EQ(FindAllSupersetsSoft(s, f), naiveScan(s, false, nf)) << VectorToString(s);
            ASSERT_EQ(flag, naiveFlag);
        }
    }
}

TEST(SubsetSearch, TextForms)
{
    struct Case {
        Pcs list;
        const char *blank, *commas, *close;
    } cases[] = {
        {{2, 6, 9, 11}, "2 6 9 u", "2,6,9,u", "269u"},
        {{10}, "d", "d", "d"},
        {{}, "", "", ""},
        {{0, 10, 11, 12, -1}, "0 d u 12 -1", "0,d,u,12,-1", "0du12-1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FilterPcSetNumbers(c.list), c.blank);
        EXPECT_EQ(FilterPcSetNumbersWithCommas(c.list), c.commas);
        EXPECT_EQ(FilterPcSetNumbersClose(c.list), c.close);
    }
    EXPECT_EQ(FilterPcSetNumbers(10), "d");
    EXPECT_EQ(FilterPcSetNumbers(11), "u");
    EXPECT_EQ(FilterPcSetNumbers(7), "7");
}

TEST(SubsetSearch, LevelsGivingTheSameTransformAreMerged)
{
    struct Case {
        Pcs set, levels;
        int mode;
        const char* text;
    } cases[] = {
        {{0, 4, 8}, {0, 4, 8}, 0, "0+"},  // the augmented triad repeats at T4 and T8
        {{0, 4, 8}, {1, 2, 5}, 1, "1+,2"},
        {{0, 4, 7}, {0, 5, 7}, 1, "0,5,7"},
        {{0, 4, 7}, {10, 11}, 1, "d,u"},
        {{0, 6}, {0, 6, 3, 9}, -1, "0+,3+"},  // I0 = I6 and I3 = I9 of the tritone
        {{0, 3, 6, 9}, {1003, 6}, 1, "3+"},   // an entry marked already keeps its "+"
        {{0, 4, 7}, {-99, 2, -99}, 1, "2"},   // removed entries are skipped
        {{0, 4, 7}, {}, 1, ""},
    };
    for (const Case& c : cases) {
        const Pcs before = c.levels;
        EXPECT_EQ(SPECIAL_FilterPcSetNumbersWithCommas(c.set, c.levels, c.mode), c.text)
            << VectorToString(c.set) << " / " << VectorToString(c.levels);
        EXPECT_EQ(c.levels, before);
    }
}

}  // namespace

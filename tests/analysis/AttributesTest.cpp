#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "analysis/AnalysedSet.h"
#include "pcset/PitchUniverse.h"

namespace {

using Words = std::vector<std::string>;

// The texts of the entries with this label, joined by "|".
std::string TextsOf(const PitchClassSet& s, const char* label)
{
    std::string joined;
    for (const SetInfo& info : s.getSetInfoByLabel(label))
        joined += (joined.empty() ? "" : "|") + info.text;
    return joined;
}

int CountOf(const Words& words, const std::set<std::string>& family)
{
    return static_cast<int>(
        std::count_if(words.begin(), words.end(), [&](const std::string& w) { return family.count(w) > 0; }));
}

TEST(Attributes, WordsOfTheMajorTriadInOrder)
{
    const Words expected = {"with limited interval content",
                            "with unlimited Tns",
                            "with unlimited TnIs",
                            "Asymmetrical",
                            "cislocative",
                            "ambimultipolar",
                            "nonpolarized",
                            "Antitranspositive",
                            "triadic major",
                            "ambimulticentric",
                            "centered",
                            "integrally autoimitative at the triad"};
    EXPECT_EQ(AnalysedText("0 4 7").attributes, expected);
}

TEST(Attributes, LabelledTexts)
{
    const struct {
        const char *set, *label, *texts;  // texts joined by "|", "" for no entry
    } cases[] = {
        {"0 4 7", "Density Test", "5 = 5"},
        {"0 4 7", "Cardinal Poles", "0 7 (5) (11)"},
        {"0 4 7", "Inversional Bias", " (T0I) (T7I) (TuI)"},
        {"0 4 7", "Roots", " 0"},
        {"0 4 7", "Vertices", " 7"},
        {"0 4 7", "Relative", "(0 3 7)"},
        {"0 4 7", "Tonal Centers", "0M (5M) (7M) (0m) (4m) (5m) "},
        {"0 4 7", "Tonal Imitation Points", " 0M [ab=bc=cA]"},
        {"0 4 7", "TransInv Limitation Classification", ""},
        {"0 4 7", "Reversibility", ""},
        {"0 4 7", "Multimodalization Classification", ""},  // a bare triad's mold is all zeros
        // Six roots are listed and called all maxima; six vertices neither.
        {"0 2 4 6 8 d", "Roots", " 0 2 4 6 8 d|all maxima"},
        {"0 2 4 6 8 d", "Vertices", ""},
        {"0 2 4 6 8 d", "Relative", " T0I T2I T4I T6I T8I TdI"},
        {"0 2 4 6 8 d", "TransInv Limitation Classification", "with limited Tns & TnIs"},
        {"0 2 4 6 8 d", "Transpositional Bias", " (T1) (T3) (T5) (T7) (T9) (Tu)"},
        // Axes through and between pitch classes: only the median ones.
        {"0 3 6 9", "Symmetry Classification", "symmetrical with median axes"},
        {"0 3 6 9", "Axes", "0 3 6 9"},
        {"0 3 6 9", "Median Note", "0 3 6 9"},
        {"0 1", "Symmetry Classification", "symmetrical with intercalar axes"},
        {"0 1", "Axes", "(0\\275) (6\\275)"},
        {"0 1", "Tonal Classification", "nontriadic|extrabicentric"},
        {"0 1", "Tonal Centers", "(1M) (5m) "},
        {"0 7", "Tonal Classification", "diapentic major-minor|ambimulticentric|bicentered"},
        {"0 7", "Tonal Centers", " 0N 0n (7M) (5m)"},
        {"0 7", "Tonal Imitation Points", " 0N [ac=cA]"},
        {"0 2 4 5 7 9 u", "Density Test", "15 > 12"},
        {"0 2 4 5 7 9 u", "Tonal Classification", "triadic major-minor|intrabicentric"},
        {"0 2 4 5 7 9 u", "Multimodalization Point", " 0M 2m 4m 5M 7M 9m [112]"},
        {"0 3 4 7", "Binary Components", " 0Mm"},
        {"0 3 4 7", "Tonal Imitation Points", " 0m [ac=bA & cA=ab]| 0M [ab=bA]"},
        // Poles outside, two inside a symmetric set; two binary components,
        // two pairs of imitating molds, three of four triads imitative.
        {"0 1 3 4 7 9", "Cardinal Classification", "translocative|extrabipolar|bipolarized"},
        {"0 1 3 4 7 9", "Cardinal Poles", "(2) (8)"},
        {"0 1 3 4 7 9", "Cardinal Intrasubpoles", "0 4"},
        {"0 1 3 4 7 9", "Tonal Classification", "triadic binary-Mm|extramulticentric|bicentered"},
        {"0 1 3 4 7 9", "Tonal Intrasubcenters", "0M 9m "},
        {"0 1 3 4 7 9", "Binary Components", " 0M 9m"},
        {"0 1 3 4 7 9", "Tonal Centers", "(4M) (8M) (1m) (5m) "},
        {"0 1 3 4 7 9", "Multimodalization Classification", "partially multimodalizable at the triad"},
        {"0 1 3 4 7 9", "Multimodalization Point", " 0M 9m [201]| 0m 9M [111]"},
        {"0 1 3 4 7 9", "Tonal Imitation Classification", "partially autoimitative at the triad"},
        {"0 1 3 4 7 9", "Tonal Imitation Points", " 0m 9M [ab=bc=cA]| 0M [ab=bA]"},
        {"0 2 5 7", "Multimodalization Point", " 5N 7N [11]"},
        {"0 2 5 7", "Tonal Imitation Classification", "partially tonal-imitative"},
        {"0 2 5 7", "Tonal Imitation Points", " 5N 7N [ac=cA]"},
        // Reversibility: complement equal to the set, its inversion, or both.
        {"0 1 2 3 4 5", "Reversibility Classification", "reversible to itself and its inversion"},
        {"0 1 2 3 4 5", "Reversibility", " T6 TuI"},
        {"0 1 3 4 5 8", "Reversibility Classification", "reversible to itself"},
        {"0 1 2 3 4 6", "Reversibility Classification", "reversible to its inversion"},
    };
    for (const auto& c : cases) {
        const PitchClassSet s = AnalysedText(c.set);
        EXPECT_EQ(TextsOf(s, c.label), c.texts) << c.set << " / " << c.label;
    }
    // The balanced triadic word is recorded with a leading blank.
    const Words scale = AnalysedText("0 2 4 5 7 9 u").attributes;
    EXPECT_NE(std::find(scale.begin(), scale.end(), " triadic major-minor"), scale.end());
}

// Every Tn-type, and each again with repeated pitch classes, runs through
// the whole classification and gets exactly one word of each family.
TEST(Attributes, EveryCatalogueSetGetsOneWordPerFamily)
{
    const std::set<std::string> polarity = {"intraunipolar", "intrabipolar",    "intramultipolar", "extraunipolar",
                                            "extrabipolar",  "extramultipolar", "ambibipolar",     "ambimultipolar"};
    const std::set<std::string> triadic = {"triadic binary-M", "triadic binary-m", "triadic binary-Mm",
                                           "triadic major",    "triadic minor",    " triadic major-minor"};
    const std::set<std::string> diapentic = {"diapentic major", "diapentic minor", "diapentic major-minor"};
    for (const std::string& text : SharedUniverse().tnTypes) {
        Pcs list = StringToVector(text);
        for (const Pcs& entered : {list, AddVectors(AddVectors(list, list), {list.back()})}) {
            SCOPED_TRACE(VectorToString(entered));
            const PitchClassSet s = Analysed(entered);
            const Words& words = s.attributes;
            bool mirrored = false;  // some TnI carries every pitch class into the set
            for (int k = 0; k < 12; ++k)
                mirrored = mirrored || std::all_of(list.begin(), list.end(),
                                                   [&](int p) { return s.isIntrinsic(Mod_X_Add(k, -p, 12)); });
            const Pcs vector = s.getIntervalVector();
            const bool allIntervals = std::count(vector.begin(), vector.end(), 0) == 0;
            EXPECT_EQ(CountOf(words, polarity), 1);
            EXPECT_EQ(CountOf(words, {mirrored ? "Symmetrical" : "Asymmetrical"}), 1);
            EXPECT_EQ(CountOf(words, {"Symmetrical", "Asymmetrical"}), 1);
            EXPECT_EQ(s.isSymmetric(), mirrored);
            EXPECT_EQ(CountOf(words, {"cislocative", "translocative"}), 1);
            EXPECT_EQ(
                CountOf(words, {allIntervals ? "with integral interval content" : "with limited interval content"}), 1);
            EXPECT_EQ(CountOf(words, {"with integral interval content", "with limited interval content"}), 1);
            const int tonalType = s.GiveTonalType();
            EXPECT_EQ(CountOf(words, triadic), tonalType == 1 ? 1 : 0);
            EXPECT_EQ(CountOf(words, diapentic), tonalType == -1 ? 1 : 0);
            EXPECT_EQ(CountOf(words, {"nontriadic"}), tonalType == 0 ? 1 : 0);
            EXPECT_EQ(s.getSetInfoByLabel("Tonal Centers").size(), 1u);
            EXPECT_EQ(s.getSetInfoByLabel("Multimodalization Point").size(), s.robustImitations.size());
        }
    }
}

}  // namespace

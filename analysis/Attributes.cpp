// The classification of an analysed set: the words that name its interval
// content, symmetry, reversibility, cardinal location and polarity,
// transpositional bias and tonal character, and the labelled texts that back
// them up on the page (poles, axes, biases, centres). The tonal sections are
// in TonalClassification.cpp.

#include <cstdint>
#include <string>

#include "analysis/Poles.h"
#include "analysis/Symmetry.h"
#include "analysis/TonalClassification.h"
#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"
#include "relations/CatalogueTables.h"

namespace {

// Pitch classes and levels inside texts: 10 and 11 as d and u.
std::string pc(int p) { return PitchClassToken(p); }

uint16_t maskOf(const PitchClassSet& s)
{
    uint16_t mask = 0;
    for (int p = 0; p < 12; ++p)
        if (s.pcPresence[p] > 0)
            mask = static_cast<uint16_t>(mask | (1u << p));
    return mask;
}

// True when some transposition of the first set of pitch classes is the second.
bool sameTnType(uint16_t a, uint16_t b)
{
    for (int n = 0; n < 12; ++n)
        if (RotateMask(a, n) == b)
            return true;
    return false;
}

int count(const std::vector<PoleInfo>& poles) { return static_cast<int>(poles.size()); }

void classifyIntervalContent(const PitchClassSet& s, ClassificationWriter& out)
{
    bool missing = false;
    for (int i = 0; i < 6; ++i)
        missing = missing || s.intervalVector[i] == 0;
    if (missing)
        out.addAndRecord("Interval Content Classification", "with limited interval content");
    else
        out.record("with integral interval content");
}

// Transpositional and inversional limitation, the relatives (the TnI that map
// the set onto itself, or its inversion's Tn-type) and symmetry.
void classifyLimitationAndSymmetry(const PitchClassSet& s, ClassificationWriter& out)
{
    int limitation = 0;
    bool limitedTn = false;
    for (int k = 1; k < 12; ++k)
        limitedTn = limitedTn || MapsOntoItself(s, 0, k);
    if (limitedTn) {
        out.record("with limited Tns");
        limitation += 1;
    } else {
        out.record("with unlimited Tns");
    }

    if (!s.symmetryIndices.empty()) {
        std::string text;
        for (int k : s.symmetryIndices)
            text += " T" + pc(k) + "I";
        out.add("Relative", text);
    } else {
        out.add("Relative", "(" + VectorToString(s.getInvTnType()) + ")");
    }

    bool limitedTnI = false;
    for (int k = 0; k < 12; ++k)
        limitedTnI = limitedTnI || MapsOntoItself(s, 1, k);
    if (limitedTnI) {
        out.record("with limited TnIs");
        limitation += 10;
    } else {
        out.record("with unlimited TnIs");
    }
    const char* const limitationLabel = "TransInv Limitation Classification";
    if (limitation == 1)
        out.add(limitationLabel, "with limited Tns");
    else if (limitation == 10)
        out.add(limitationLabel, "with limited TnIs");
    else if (limitation == 11)
        out.add(limitationLabel, "with limited Tns & TnIs");

    if (!limitedTnI) {
        out.record("Asymmetrical");
        out.add("Symmetry Classification", "asymmetrical");
        return;
    }
    out.record("Symmetrical");
    if (s.pcAxes.empty()) {
        out.record("intercalar axes");
        out.add("Symmetry Classification", "symmetrical with intercalar axes");
        out.add("Axes", VectorToStringPC(s.interAxes));
        return;
    }
    // Axes through pitch classes are reported even when there are axes
    // between pitch classes too.
    out.record("median axes");
    out.add("Symmetry Classification", "symmetrical with median axes");
    out.add("Axes", VectorToStringPC(s.pcAxes));
    if (!s.intrinsicAxes.empty()) {
        out.record(s.intrinsicAxes.size() == 1 ? "with median note" : "with median notes");
        out.add("Median Note", VectorToStringPC(s.intrinsicAxes));
    }
}

// Whether the complement is the set itself or its inversion, up to
// transposition; then the operations that leave no common tone.
void classifyReversibility(const PitchClassSet& s, ClassificationWriter& out)
{
    // Two sets have the same Tn-type exactly when one is a transposition of
    // the other, so the Tn-types of the set, of its inversion and of its
    // complement are compared as pitch-class masks.
    const uint16_t set = maskOf(s);
    const uint16_t complement = static_cast<uint16_t>(~set & 0xFFFu);
    uint16_t inverted = 0;
    for (int p = 0; p < 12; ++p)
        if (set & (1u << p))
            inverted = static_cast<uint16_t>(inverted | (1u << Mod_X_Add(0, -p, 12)));
    const int itself = sameTnType(set, complement) ? 1 : 0;
    const bool inversion = sameTnType(inverted, complement);
    const int state = inversion ? (itself ? 2 : -1) : itself;
    if (state == 0)
        return;
    const char* phrase = state == -1  ? "reversible to its inversion"
                         : state == 2 ? "reversible to itself and its inversion"
                                      : "reversible to itself";
    out.addAndRecord("Reversibility Classification", phrase);
    std::string text;
    for (int k = 0; k < 12; ++k)
        if (s.invarianceTnTable[k] == 0)
            text += " T" + pc(k);
    for (int k = 0; k < 12; ++k)
        if (s.invarianceTnITable[k] == 0)
            text += " T" + pc(k) + "I";
    out.add("Reversibility", text);
}

void classifyCardinalLocation(const PitchClassSet& s, ClassificationWriter& out)
{
    out.addAndRecord("Cardinal Classification", s.inWeight >= s.exWeight ? "cislocative" : "translocative");
    const char* relation = s.inWeight > s.exWeight ? " > " : s.inWeight < s.exWeight ? " < " : " = ";
    out.add("Density Test", IntToStringPlain(s.inWeight) + relation + IntToStringPlain(s.exWeight));
}

// The cardinal poles, written in plain decimal; outside ones in parentheses.
std::string intraPoles(const std::vector<PoleInfo>& poles)
{
    std::string text;
    for (const PoleInfo& pole : poles)
        text += (text.empty() ? "" : " ") + IntToStringPlain(pole.pc);
    return text;
}

std::string extraPoles(const std::vector<PoleInfo>& poles)
{
    std::string text;
    for (const PoleInfo& pole : poles)
        text += (text.empty() ? "(" : " (") + IntToStringPlain(pole.pc) + ")";
    return text;
}

// Where the strongest cardinal attraction lies (inside, outside or on both
// sides of the set) and how many poles share it: one (uni-), two on a
// symmetric set, mirrored into each other (bi-), or more (multi-).
void classifyCardinalPolarity(const PitchClassSet& s, ClassificationWriter& out)
{
    const char* const label = "Cardinal Classification";
    const std::vector<PoleInfo> in = FilterPolesByType(s.intrinsicPoles, 0);
    const std::vector<PoleInfo> ex = FilterPolesByType(s.extrinsicPoles, 0);
    const int maxIn = getBiggest(in), maxEx = getBiggest(ex);
    const int nIn = count(in), nEx = count(ex);
    const int n = s.getNelementsNormal();
    const bool sym = s.isSymmetric();

    auto polarity = [&](int c) -> const char* {
        if (c == 1)
            return "unipolar";
        if (sym && c == 2)
            return "bipolar";
        if ((c > 1 && !sym) || (c > 2 && sym))
            return "multipolar";
        return nullptr;
    };

    if (maxIn > maxEx) {
        if (const char* word = polarity(nIn))
            out.addAndRecord(label, std::string("intra") + word);
        out.add("Cardinal Poles", intraPoles(in));
    } else if (maxIn < maxEx) {
        if (const char* word = polarity(nEx))
            out.addAndRecord(label, std::string("extra") + word);
        out.add("Cardinal Poles", extraPoles(ex));
    } else {
        const int both = nIn + nEx;
        if (sym && both == 2)
            out.addAndRecord(label, "ambibipolar");
        else if ((both > 1 && !sym) || (both > 2 && sym))
            out.addAndRecord(label, "ambimultipolar");
    }

    // The whole set is pole.
    if (nIn == n && ((!sym && n != 1) || (sym && n > 2)))
        out.addAndRecord(label, "isotropic");
    if (maxIn <= maxEx) {
        if (nIn == 1 && n != 1) {
            out.addAndRecord(label, "polarized");
            if (maxIn < maxEx)
                out.add("Cardinal Intrasubpoles", intraPoles(in));
        }
        if (nIn == 2 && n != 2 && sym) {
            out.addAndRecord(label, "bipolarized");
            if (maxIn < maxEx)
                out.add("Cardinal Intrasubpoles", intraPoles(in));
        }
        if ((1 < nIn && nIn < n && !sym) || (2 < nIn && nIn < n && sym))
            out.addAndRecord(label, "nonpolarized");
    }
    if (maxIn == maxEx) {
        std::string text;
        for (const PoleInfo& pole : in)
            text += IntToStringPlain(pole.pc) + " ";
        out.add("Cardinal Poles", text + extraPoles(ex));
    }
}

// Whether some transposition or inversion attracts more than the set itself
// does, and which levels reach the strongest attraction (in parentheses when
// the transformed set leaves the set; it stays inside exactly when it maps
// onto the set).
void classifyBiases(const PitchClassSet& s, ClassificationWriter& out)
{
    const int32_t* tn = s.costereTranspositionalTable;
    int top = getBiggest(std::vector<int>(tn, tn + 12));
    if (tn[0] == top) {
        out.addAndRecord("Transpositional Classification", "Antitranspositive");
    } else {
        out.addAndRecord("Transpositional Classification", "Protranspositive");
        std::string text;
        for (int k = 0; k < 12; ++k)
            if (tn[k] == top)
                text += MapsOntoItself(s, 0, k) ? " T" + pc(k) : " (T" + pc(k) + ")";
        out.add("Transpositional Bias", text);
    }

    const int32_t* tni = s.costereInversionalTable;
    top = getBiggest(std::vector<int>(tni, tni + 12));
    std::string text;
    for (int k = 0; k < 12; ++k)
        if (tni[k] == top)
            text += MapsOntoItself(s, 1, k) ? " T" + pc(k) + "I" : " (T" + pc(k) + "I)";
    out.add("Inversional Bias", text);
}

// The roots (or vertices) of strongest salience, in parentheses when outside
// the set. Six roots are both listed and called all maxima; six vertices are
// neither.
void classifyMaxima(const PitchClassSet& s, ClassificationWriter& out, const char* label,
                    const std::vector<int>& maxima, size_t listedUpTo, size_t allAbove)
{
    if (maxima.size() <= listedUpTo) {
        std::string text;
        for (int r : maxima)
            text += s.isIntrinsic(r) ? " " + pc(r) : " (" + pc(r) + ")";
        out.add(label, text);
    }
    if (maxima.size() > allAbove)
        out.add(label, "all maxima");
}

}  // namespace

void PitchClassSet::calculateAttributes()
{
    attributes.clear();
    setInfos.clear();
    robustImitations.clear();
    ClassificationWriter out(attributes, setInfos);

    classifyIntervalContent(*this, out);
    classifyLimitationAndSymmetry(*this, out);
    classifyReversibility(*this, out);
    classifyCardinalLocation(*this, out);
    classifyCardinalPolarity(*this, out);
    classifyBiases(*this, out);
    ClassifyTonalCentres(*this, out);
    classifyMaxima(*this, out, "Roots", parncuttRoots, 6, 5);
    classifyMaxima(*this, out, "Vertices", parncuttVertexes, 5, 6);
    robustImitations = ClassifyMultimodalization(*this, out);
    ClassifyTonalImitation(*this, out);
}

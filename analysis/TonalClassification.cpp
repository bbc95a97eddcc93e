#include "analysis/TonalClassification.h"

#include <algorithm>
#include <utility>

#include "analysis/ChordBuilders.h"
#include "analysis/Poles.h"
#include "pcset/Conversions.h"
#include "relations/Molds.h"
#include "relations/SetInfo.h"
#include "relations/SubsetSearch.h"

void ClassificationWriter::add(const char* label, const std::string& text)
{
    infos_ = AddToSetInfo(std::move(infos_), label, text.c_str());
}

std::string PitchClassToken(int p)
{
    static const char* const tokens[12] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "d", "u"};
    return p >= 0 && p < 12 ? std::string(tokens[p]) : IntToString(p);
}

namespace {

const char* const TonalLabel = "Tonal Classification";

int count(const std::vector<PoleInfo>& poles) { return static_cast<int>(poles.size()); }

// How many centres a side has: one (uni-), two on a symmetric set, whose
// mirror image pairs them (bi-), or more (multi-). Nothing for none.
void addCentricWord(ClassificationWriter& out, const char* prefix, int c, bool sym)
{
    const char* kind = nullptr;
    if (c == 1)
        kind = "unicentric";
    else if (sym && c == 2)
        kind = "bicentric";
    else if ((c > 1 && !sym) || (c > 2 && sym))
        kind = "multicentric";
    if (kind)
        out.addAndRecord(TonalLabel, std::string(prefix) + kind);
}

// The same count on the centres inside the set, when those outside are at
// least as strong. Returns whether the set is centred (or, symmetric,
// bicentred) within itself.
bool addCentredWord(ClassificationWriter& out, int c, bool sym)
{
    if (c == 1) {
        out.addAndRecord(TonalLabel, "centered");
        return true;
    }
    if (sym && c == 2) {
        out.addAndRecord(TonalLabel, "bicentered");
        return true;
    }
    if ((c > 1 && !sym) || (c > 2 && sym))
        out.addAndRecord(TonalLabel, "noncentered");
    return false;
}

std::string pc(int p) { return PitchClassToken(p); }

// A triad written by its root: "0M " when the set holds it, "(0M) " when not.
std::string triadCentre(const PitchClassSet& s, const PoleInfo& pole)
{
    const bool major = pole.type == 1;
    const std::string name = pc(pole.pc) + (major ? "M" : "m");
    const bool held = HoldsTriad(s, pole.pc, major ? 4 : 3);
    return held ? name + " " : "(" + name + ") ";
}

void classifyNontriadic(const PitchClassSet& s, ClassificationWriter& out, bool sym)
{
    const std::vector<PoleInfo> e1 = FilterPolesByType(s.extrinsicPoles, 1);
    const std::vector<PoleInfo> e2 = FilterPolesByType(s.extrinsicPoles, 2);
    out.addAndRecord(TonalLabel, "nontriadic");
    addCentricWord(out, "extra", count(e1) + count(e2), sym);

    const std::vector<PoleInfo> outside = AddVectors(e1, e2);
    const int top = getBiggest(outside);
    std::string text;
    for (const PoleInfo& pole : outside)
        if (pole.value == top)
            text += "(" + pc(pole.pc) + (pole.type == 1 ? "M) " : "m) ");
    out.add("Tonal Centers", text);
}

// Where the strongest tonal centres lie, for inside centres i1, i2 and
// outside centres e1, e2 (triads, or fifths inside): the centric word, and
// when the outside wins, the centred word and, after "centered" or
// "bicentered", the strongest inside centres as intrasubcentres, each
// written by subcentre (an empty text leaves a centre out).
template <typename Subcentre>
void classifyCentres(ClassificationWriter& out, const std::vector<PoleInfo>& i1, const std::vector<PoleInfo>& i2,
                     const std::vector<PoleInfo>& e1, const std::vector<PoleInfo>& e2, bool sym, Subcentre subcentre)
{
    const int inside = count(i1) + count(i2);
    const int maxIn = std::max(getBiggest(i1), getBiggest(i2));
    const int maxOut = std::max(getBiggest(e1), getBiggest(e2));
    if (maxIn > maxOut) {
        addCentricWord(out, "intra", inside, sym);
    } else if (maxIn < maxOut) {
        addCentricWord(out, "extra", count(e1) + count(e2), sym);
        if (addCentredWord(out, inside, sym)) {
            const std::vector<PoleInfo> centres = AddVectors(i1, i2);
            const int top = getBiggest(centres);
            std::string text;
            for (const PoleInfo& pole : centres)
                if (pole.value == top)
                    text += subcentre(pole);
            out.add("Tonal Intrasubcenters", text);
        }
    } else {
        addCentricWord(out, "ambi", count(e1) + count(e2) + inside, sym);
        addCentredWord(out, inside, sym);
    }
}

void classifyTriadic(const PitchClassSet& s, ClassificationWriter& out, bool sym)
{
    const std::vector<PoleInfo> i1 = FilterPolesByType(s.intrinsicPoles, 1);
    const std::vector<PoleInfo> i2 = FilterPolesByType(s.intrinsicPoles, 2);
    const std::vector<PoleInfo> e1 = FilterPolesByType(s.extrinsicPoles, 1);
    const std::vector<PoleInfo> e2 = FilterPolesByType(s.extrinsicPoles, 2);

    if (!s.mainTonalPoles.empty()) {
        // Binary centres: the root holds both triads; the stronger decides.
        int major = 0, minor = 0;
        for (const PoleInfo& pole : s.mainTonalPoles) {
            major += pole.value > pole.type ? 1 : 0;
            minor += pole.value < pole.type ? 1 : 0;
        }
        out.addAndRecord(TonalLabel, major > minor   ? "triadic binary-M"
                                     : major < minor ? "triadic binary-m"
                                                     : "triadic binary-Mm");
    } else if (count(i1) > count(i2)) {
        out.addAndRecord(TonalLabel, "triadic major");
    } else if (count(i1) < count(i2)) {
        out.addAndRecord(TonalLabel, "triadic minor");
    } else {
        // The word is recorded with a leading blank.
        out.add(TonalLabel, "triadic major-minor");
        out.record(" triadic major-minor");
    }

    classifyCentres(out, i1, i2, e1, e2, sym, [&](const PoleInfo& pole) {
        if (pole.type == 1 && HoldsTriad(s, pole.pc, 4))
            return pc(pole.pc) + "M ";
        if (pole.type == 2 && HoldsTriad(s, pole.pc, 3))
            return pc(pole.pc) + "m ";
        return std::string();
    });

    if (!s.tonalPoles.empty()) {
        // Binary components carry the tonal-minor value in their type field.
        std::string text;
        for (const PoleInfo& pole : s.tonalPoles)
            text += " " + pc(pole.pc) + (pole.value > pole.type ? "M" : pole.value < pole.type ? "m" : "Mm");
        out.add("Binary Components", text);
    }

    const std::vector<PoleInfo> all = AddVectors(AddVectors(i1, i2), AddVectors(e1, e2));
    const int top = getBiggest(all);
    std::string text;
    for (const PoleInfo& pole : all)
        if (pole.value == top)
            text += triadCentre(s, pole);
    out.add("Tonal Centers", text);
}

// A fifth centre inside the set is written N (weighed with the tonal-major
// value) or n (tonal-minor); a triad centre outside as "(0M)" or "(0m)".
void classifyDiapentic(const PitchClassSet& s, ClassificationWriter& out, bool sym)
{
    const std::vector<PoleInfo> i1 = FilterPolesByType(s.intrinsicPoles, -1);
    const std::vector<PoleInfo> i2 = FilterPolesByType(s.intrinsicPoles, -2);
    const std::vector<PoleInfo> e1 = FilterPolesByType(s.extrinsicPoles, 1);
    const std::vector<PoleInfo> e2 = FilterPolesByType(s.extrinsicPoles, 2);

    out.addAndRecord(TonalLabel, count(i1) > count(i2)   ? "diapentic major"
                                 : count(i1) < count(i2) ? "diapentic minor"
                                                         : "diapentic major-minor");

    classifyCentres(out, i1, i2, e1, e2, sym, [&](const PoleInfo& pole) {
        if (!s.isIntrinsic(MakeFifth(pole.pc)))
            return std::string();
        return " " + pc(pole.pc) + (pole.type == -1 ? "N" : "n");
    });

    const std::vector<PoleInfo> all = AddVectors(AddVectors(i1, i2), AddVectors(e1, e2));
    const int top = getBiggest(all);
    std::string text;
    for (const PoleInfo& pole : all) {
        if (pole.value != top)
            continue;
        const bool majorSide = pole.type == 1 || pole.type == -1;
        if (s.isIntrinsic(MakeFifth(pole.pc)))
            text += " " + pc(pole.pc) + (majorSide ? "N" : "n");
        else
            text += " (" + pc(pole.pc) + (majorSide ? "M)" : "m)");
    }
    out.add("Tonal Centers", text);
}

}  // namespace

void ClassifyTonalCentres(const PitchClassSet& s, ClassificationWriter& out)
{
    const bool sym = s.isSymmetric();
    switch (s.GiveTonalType()) {
    case 0:
        classifyNontriadic(s, out, sym);
        break;
    case 1:
        classifyTriadic(s, out, sym);
        break;
    default:
        classifyDiapentic(s, out, sym);
        break;
    }
}

std::vector<RobustImitationInfo> ClassifyMultimodalization(const PitchClassSet& s, ClassificationWriter& out)
{
    std::vector<RobustImitationInfo> groups;
    const int tonalType = s.GiveTonalType();
    const std::vector<RobustPoleInfo>& p = s.robustImitationPoles;
    if (tonalType == 0 || p.empty())
        return groups;
    const char* const at = tonalType == 1 ? " at the triad" : " at the fifth";
    const int n = static_cast<int>(p.size());
    // Two structures imitate each other when their molds are rotations (or
    // rotations of the retrograde) of one another; every pair is compared
    // once.
    std::vector<char> imitates(static_cast<size_t>(n) * n, 0);
    for (int i = 0; i < n; ++i)
        for (int j = i; j < n; ++j)
            imitates[i * n + j] = compareImitationMolds(p[i].mold, p[j].mold) != 0 ? 1 : 0;
    auto imitate = [&](int i, int j) { return imitates[i * n + j] != 0; };

    int k = 0;
    for (int i = 0; i < n; ++i)
        k += imitate(0, i) ? 1 : 0;

    if (k == n && k != 1) {
        out.addAndRecord("Multimodalization Classification", std::string("integrally multimodalizable") + at);
        RobustImitationInfo group;
        group.mold = p[0].mold;
        group.marker = 1;
        for (const RobustPoleInfo& pole : p)
            group.poles.push_back({pole.pc, 0, pole.type});
        groups.push_back(std::move(group));
    }
    if (k != n) {
        int pairs = 0;
        for (int i = 0; i < n; ++i)
            for (int j = i + 1; j < n; ++j)
                pairs += imitate(i, j) ? 1 : 0;
        if (pairs > 0) {
            out.addAndRecord("Multimodalization Classification", std::string("partially multimodalizable") + at);
            // Each free structure gathers the later free ones that imitate it.
            std::vector<bool> taken(n, false);
            for (int i = 0; i + 1 < n; ++i) {
                if (taken[i])
                    continue;
                RobustImitationInfo group;
                group.mold = p[i].mold;
                group.marker = 1;
                group.poles.push_back({p[i].pc, 0, p[i].type});
                for (int j = i + 1; j < n; ++j) {
                    if (!taken[j] && imitate(i, j)) {
                        group.poles.push_back({p[j].pc, 0, p[j].type});
                        taken[j] = true;
                    }
                }
                if (group.poles.size() > 1)
                    groups.push_back(std::move(group));
                taken[i] = true;
            }
        }
    }

    for (const RobustImitationInfo& group : groups) {
        if (group.marker != 1)
            continue;
        std::string text;
        for (const PoleInfo& pole : group.poles)
            text += " " + pc(pole.pc) + (pole.type == 1 ? "M" : pole.type == 2 ? "m" : "N");
        text += " [" + FilterPcSetNumbersClose(group.mold) + "]";
        out.add("Multimodalization Point", text);
    }
    return groups;
}

void ClassifyTonalImitation(const PitchClassSet& s, ClassificationWriter& out)
{
    struct Point {
        int pc, pattern, type;
    };
    const char* const label = "Tonal Imitation Classification";
    std::vector<Point> points;
    int structures = 0;
    const int tonalType = s.GiveTonalType();

    if (tonalType == 1) {
        for (int r = 0; r < 12; ++r) {
            for (int type : {1, 2}) {
                const int third = r + (type == 1 ? 4 : 3), fifth = r + 7;
                if (!HoldsTriad(s, r, third - r))
                    continue;
                // Set notes between root and third (a), third and fifth (b),
                // fifth and the root above (c).
                const int a = s.FindDegreeNumberBetween(r, third);
                const int b = s.FindDegreeNumberBetween(third, fifth);
                const int c = s.FindDegreeNumberBetween(fifth, r);
                ++structures;
                int pattern = 0;
                if (a == b && b == c) {
                    pattern = 1;
                } else {
                    if (a == c)
                        pattern = 2;
                    if (b == c)
                        pattern = 3;
                    if (a + b + 1 == c)
                        pattern = 4;
                    if (b + c + 1 == a)
                        pattern = 5;
                }
                if (pattern != 0)
                    points.push_back({r, pattern, type});
            }
        }
        if (points.empty())
            return;
        out.addAndRecord(label, static_cast<int>(points.size()) == structures ? "integrally autoimitative at the triad"
                                                                              : "partially autoimitative at the triad");
        static const char* const suffix[] = {"",         " [ab=bc=cA]", " [ac=bA & cA=ab]", " [ac=cB & cA=bc]",
                                             " [ac=cA]", " [ab=bA]"};
        for (int pattern = 1; pattern <= 5; ++pattern) {
            std::string text;
            for (const Point& point : points)
                if (point.pattern == pattern)
                    text += " " + pc(point.pc) + (point.type == 1 ? "M" : "m");
            if (!text.empty())
                out.add("Tonal Imitation Points", text + suffix[pattern]);
        }
    } else if (tonalType == -1) {
        for (int r = 0; r < 12; ++r) {
            if (!s.isIntrinsic(r) || !s.isIntrinsic(r + 7))
                continue;
            const int a = s.FindDegreeNumberBetween(r, r + 7);
            const int c = s.FindDegreeNumberBetween(r + 7, r);
            ++structures;
            if (a == c)
                points.push_back({r, -1, -1});
        }
        if (points.empty())
            return;
        out.addAndRecord(label, static_cast<int>(points.size()) == structures ? "integrally tonal-imitative"
                                                                              : "partially tonal-imitative");
        std::string text;
        for (const Point& point : points)
            text += " " + pc(point.pc) + "N";
        out.add("Tonal Imitation Points", text + " [ac=cA]");
    }
}

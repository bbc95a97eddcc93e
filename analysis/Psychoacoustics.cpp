#include "analysis/Psychoacoustics.h"

#include <algorithm>
#include <cmath>

#include "pcset/Conversions.h"

float find_hertz(float note)
{
    return static_cast<float>(13.75 * std::pow(1.0594630943592953, static_cast<double>(note) - 9.0));
}

namespace {

struct Partial {
    double frequency;
    double amplitude;
};

// Ten harmonics of the tone on the given note, 3 dB weaker each, from 40 dB.
void addComplexTone(std::vector<Partial>& partials, int note)
{
    const float fundamental = find_hertz(static_cast<float>(note));
    for (int h = 1; h <= 10; ++h) {
        const double level = 43 - 3 * h;
        partials.push_back({h * static_cast<double>(fundamental), std::pow(10.0, level / 20.0) / 100.0});
    }
}

}  // namespace

double HutchinsonKnopoffIntervalRoughness(int i)
{
    std::vector<Partial> partials;
    partials.reserve(20);
    addComplexTone(partials, 60);
    if (i != 0)
        addComplexTone(partials, 60 + i);

    double numerator = 0.0;
    double denominator = 0.0;
    for (size_t j = 0; j < partials.size(); ++j) {
        for (size_t k = j + 1; k < partials.size(); ++k) {
            const double fj = partials[j].frequency;
            const double fk = partials[k].frequency;
            const double mean = (fj + fk) / 2.0;
            const double criticalBandwidth = 1.72 * std::pow(mean, 0.65);
            const double y = std::fabs(fj - fk) / criticalBandwidth;
            if (y < 1.2) {
                // Standard dissonance curve, peak 1 at a quarter of the
                // critical band.
                const double z = y / 0.25;
                const double g = z * std::exp(1.0 - z);
                numerator += partials[j].amplitude * partials[k].amplitude * (g * g);
            }
        }
        denominator += partials[j].amplitude * partials[j].amplitude;
    }
    return numerator / denominator;
}

// Silence (an empty list) has no roughness: 0, where the formula would
// divide by zero elements.
float CalculateFrozenHutchinsonKnopoffRoughness(const std::vector<int>& pcs)
{
    if (pcs.empty())
        return 0.0f;
    double r = 0.0;
    if (pcs.size() < 2) {
        r = HutchinsonKnopoffIntervalRoughness(0);
    } else {
        for (size_t i = 0; i < pcs.size(); ++i)
            for (size_t j = i + 1; j < pcs.size(); ++j)
                r += 2.0 * HutchinsonKnopoffIntervalRoughness(pcs[j] - pcs[i]);
    }
    return static_cast<float>(r / static_cast<double>(pcs.size()) / 0.1259);
}

// The norm is the cubed vertex table of the set with more distinct pitch
// classes (of a on a tie). It is zero only when that set is empty, and then
// the common part is zero too: the commonality is defined as 0.
float CalculateCommonality(const PitchClassSet& a, const PitchClassSet& b)
{
    const std::vector<int> ta = a.getParncuttInvTable();
    const std::vector<int> tb = b.getParncuttInvTable();
    const std::vector<int>& normTable = a.getNelementsNormal() < b.getNelementsNormal() ? tb : ta;
    double norm = 0.0;
    double common = 0.0;
    for (int r = 0; r < 12; ++r) {
        const double x = normTable[r];
        norm += x * x * x;
        common += static_cast<double>(std::min(ta[r], tb[r])) * ta[r] * tb[r];
    }
    if (norm == 0.0)
        return 0.0f;
    return static_cast<float>(100.0 * common / norm);
}

std::vector<int> CalculateCommonalityForAllTns(const PitchClassSet& a, const PitchClassSet& b)
{
    std::vector<int> result(12, 0);
    PitchClassSet transposed;
    for (int k = 0; k < 12; ++k) {
        transposed.initializeSet(b.get_PitchClassSet(0, k));
        // Commonality reads only the vertex table and the size: the rest of
        // the analysis would change nothing here.
        transposed.calculateParncuttTable();
        const float c = CalculateCommonality(a, transposed);
        result[k] = static_cast<int>(c + 0.5f);
    }
    return result;
}

namespace {

// Salience of the strongest entry of a Parncutt table: its share of the
// table, times its lead over the runner-up, divided by the number of entries
// that share the top. 20/21 is that product for a single tone, which thus
// scores 100. Only the empty set has an all-zero table; its salience is
// defined as 0.
float salience(std::vector<int> table)
{
    const int biggest = getBiggest(table);
    long sum = 0;
    int count = 0;
    for (int v : table) {
        sum += v;
        if (v == biggest)
            ++count;
    }
    std::sort(table.begin(), table.end());
    const std::vector<int> w = ReverseVector(table);
    if (sum == 0 || w[1] == 0)
        return 0.0f;
    const double share = static_cast<double>(biggest) / static_cast<double>(sum);
    const double lead = static_cast<double>(w[0]) / static_cast<double>(w[1]);
    return static_cast<float>(100.0 * (share * lead / 0.9523809523809523 / count));
}

}  // namespace

float CalculateTonicity(const PitchClassSet& s) { return salience(s.getParncuttTable()); }

float CalculatePhonicity(const PitchClassSet& s) { return salience(s.getParncuttInvTable()); }

float CalculateAzimuth(const PitchClassSet& s)
{
    const float tonicity = CalculateTonicity(s);
    const float phonicity = CalculatePhonicity(s);
    const float d = static_cast<float>(static_cast<double>(tonicity) / 100.0 - static_cast<double>(phonicity) / 100.0);
    if (d == 0.0f)
        return 0.0f;
    // 0.251538 is the difference of the major triad, which thus lies at 90°.
    const float ratio = static_cast<float>(static_cast<double>(d) / 0.251538);
    return 90.0f * ratio;
}

#include "pcset/PitchClassSet.h"

#include <algorithm>
#include <cstring>

int Mod_X_Add(int a, int b, int m)
{
    if (m < 1)
        return 0;
    // The sum of two ints always fits in 64 bits; the remainder, moved into
    // 0 .. m-1, is exactly what repeated adding or subtracting of m reaches.
    long long r = (static_cast<long long>(a) + b) % m;
    if (r < 0)
        r += m;
    return static_cast<int>(r);
}

PitchClassSet::PitchClassSet()
{
    // Every array starts at zero, including those whose first value the
    // analysis writes, so that no member is ever read uninitialised.
    nElements = 0;
    nElementsNormal = 0;
    std::fill(std::begin(elements), std::end(elements), 0);
    std::fill(std::begin(normalForm), std::end(normalForm), 0);
    std::fill(std::begin(intervalVector), std::end(intervalVector), 0);
    std::fill(std::begin(pcPresence), std::end(pcPresence), 0);
    center = 0;
    costereOffset = 0;
    std::memset(costereLabel, 0, sizeof costereLabel);
    for (int32_t* table :
         {parncuttTable, parncuttSupportCount, parncuttIITable, parncuttInvTable, parncuttInvSupportCount,
          costereCardinalTable, costereTonalMajorTable, costereTonalMinorTable, costereTranspositionalTable,
          costereInversionalTable, invarianceTnTable, invarianceTnITable})
        std::fill(table, table + 12, 0);
    std::fill(std::begin(parncuttRevisedTable), std::end(parncuttRevisedTable), 0.0f);
    inWeight = 0;
    exWeight = 0;
}

void PitchClassSet::initializeSet(std::vector<int> list)
{
    std::fill(std::begin(elements), std::end(elements), 0);
    std::fill(std::begin(normalForm), std::end(normalForm), 0);
    std::fill(std::begin(pcPresence), std::end(pcPresence), 0);
    std::fill(std::begin(intervalVector), std::end(intervalVector), 0);

    if (list.size() > static_cast<size_t>(MaxElements))
        list.resize(MaxElements);

    nElements = static_cast<int32_t>(list.size());
    for (int i = 0; i < nElements; ++i) {
        elements[i] = Mod_X_Add(list[i], 0, 12);
        pcPresence[elements[i]] += 1;
    }

    std::vector<int> normal = calculateNormalForm(list);
    nElementsNormal = static_cast<int32_t>(normal.size());
    std::copy(normal.begin(), normal.end(), normalForm);
}

int PitchClassSet::getNelements() const { return nElements; }
int PitchClassSet::getNelementsNormal() const { return nElementsNormal; }

std::vector<int> PitchClassSet::getNormalForm() const
{
    return std::vector<int>(normalForm, normalForm + nElementsNormal);
}

std::vector<int> PitchClassSet::getTnType() const { return calculateTnType(getNormalForm()); }
std::vector<int> PitchClassSet::getTnIType() const { return calculateTnIType(getNormalForm()); }

std::vector<int> PitchClassSet::getInvTnType() const
{
    return calculateTnType(calculateNormalForm(get_PitchClassSet(1, 0)));
}

std::vector<int> PitchClassSet::getComplementary() const { return calculateComplementary(getNormalForm()); }

std::vector<int> PitchClassSet::getIntervalVector() const
{
    return std::vector<int>(intervalVector, intervalVector + 6);
}

std::vector<int> PitchClassSet::get_PitchClassSet(int inversion, int level) const
{
    level = Mod_X_Add(level, 0, 12);
    std::vector<int> result;
    result.reserve(nElements);
    for (int i = 0; i < nElements; ++i)
        result.push_back(inversion == 1 ? Mod_X_Add(level, -elements[i], 12) : Mod_X_Add(elements[i], level, 12));
    return result;
}

void PitchClassSet::calculateIntervalVectorII()
{
    std::vector<int> v = calculateIntervalVector(getNormalForm());
    std::fill(std::begin(intervalVector), std::end(intervalVector), 0);
    std::copy(v.begin(), v.end(), intervalVector);
}

std::vector<int> PitchClassSet::calculateNormalForm(std::vector<int> list) const
{
    bool present[12] = {};
    for (int x : list)
        present[Mod_X_Add(x, 0, 12)] = true;
    int d[12];
    int n = 0;
    for (int p = 0; p < 12; ++p)
        if (present[p])
            d[n++] = p;
    if (n == 0)
        return {};

    // Key of the rotation starting at position i: the span, then the
    // distances from the first note to the second, third ... next-to-last,
    // then the starting pitch class. The smallest key wins; the start breaks
    // every tie, so the winner is unique.
    auto keyAt = [&](int i, int k) {
        if (n > 1 && k == 0)
            return (d[(i + n - 1) % n] - d[i] + 12) % 12;
        const int j = n > 1 ? k : 0;  // distance index 1 .. n-2, then the start
        if (j >= 1 && j <= n - 2)
            return (d[(i + j) % n] - d[i] + 12) % 12;
        return d[i];
    };
    const int keyLength = n == 1 ? 1 : n;  // span, n-2 distances, start
    int best = 0;
    for (int i = 1; i < n; ++i)
        for (int k = 0; k < keyLength; ++k) {
            const int a = keyAt(i, k), b = keyAt(best, k);
            if (a != b) {
                if (a < b)
                    best = i;
                break;
            }
        }
    std::vector<int> result(n);
    for (int j = 0; j < n; ++j)
        result[j] = d[(best + j) % n];
    return result;
}

std::vector<int> PitchClassSet::calculateTnType(std::vector<int> list) const
{
    if (list.empty())
        return list;
    std::vector<int> f = calculateNormalForm(list);
    std::vector<int> result;
    result.reserve(f.size());
    for (int x : f)
        result.push_back(Mod_X_Add(x, -f[0], 12));
    return result;
}

std::vector<int> PitchClassSet::calculateTnIType(std::vector<int> list) const
{
    if (list.empty())
        return list;
    std::vector<int> a = calculateTnType(list);
    std::vector<int> b = calculateTnType(genericInvertion(list));
    // Both begin with 0 and have the same length: the smaller is the
    // lexicographically smaller list.
    return b < a ? b : a;
}

std::vector<int> PitchClassSet::genericInvertion(std::vector<int> list) const
{
    for (int& x : list)
        x = Mod_X_Add(0, -x, 12);
    return list;
}

std::vector<int> PitchClassSet::calculateComplementary(std::vector<int> list) const
{
    bool present[12] = {};
    for (int x : list)
        present[Mod_X_Add(x, 0, 12)] = true;
    std::vector<int> absent;
    for (int p = 0; p < 12; ++p)
        if (!present[p])
            absent.push_back(p);
    return calculateNormalForm(absent);
}

std::vector<int> PitchClassSet::calculateIntervalVector(std::vector<int> list) const
{
    if (list.empty())
        return list;
    std::vector<int> f = calculateNormalForm(list);
    std::vector<int> v(6, 0);
    for (size_t i = 0; i < f.size(); ++i)
        for (size_t j = i + 1; j < f.size(); ++j) {
            int d = Mod_X_Add(f[j], -f[i], 12);
            if (d > 6)
                d = 12 - d;
            v[d - 1] += 1;
        }
    return v;
}

bool PitchClassSet::isIntrinsic(int pc) const { return pcPresence[Mod_X_Add(pc, 0, 12)] > 0; }

bool PitchClassSet::isIntrinsic(const std::vector<int>& pcs) const
{
    for (int pc : pcs)
        if (!isIntrinsic(pc))
            return false;
    return true;
}

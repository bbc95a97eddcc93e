#include "relations/Molds.h"

#include <cstdint>

#include "pcset/Conversions.h"
#include "relations/CatalogueTables.h"
#include "relations/SetAlgebra.h"

namespace {

// Position of the first occurrence of value in s, or -1.
int positionOf(const std::vector<int>& s, int value)
{
    for (size_t j = 0; j < s.size(); ++j)
        if (s[j] == value)
            return static_cast<int>(j);
    return -1;
}

bool holdsOnlyZeros(const std::vector<int>& mold)
{
    for (int x : mold)
        if (x != 0)
            return false;
    return true;
}

}  // namespace

std::vector<int> findImitationMold(const std::vector<int>& s, const std::vector<int>& a, int t)
{
    if (a.empty())
        return {};
    // The placed notes, closed into a circuit by repeating the first.
    std::vector<int> b = operateVectorSet(a, t, 1);
    b.push_back(b.front());

    // A note outside the collection cannot be placed: going round the
    // collection in search of it would never end.
    for (int note : b)
        if (positionOf(s, note) < 0)
            return {};

    const int n = static_cast<int>(s.size());
    std::vector<int> mold;
    mold.reserve(a.size());
    for (size_t i = 0; i + 1 < b.size(); ++i) {
        const int j = positionOf(s, b[i]);
        int pos = (j + 1) % n;
        int skipped = 0;
        while (s[pos] != b[i + 1]) {
            ++skipped;
            pos = (pos + 1) % n;
        }
        mold.push_back(skipped);
    }
    return mold;
}

int IsEquallySpaced(const std::vector<int>& s, const std::vector<int>& a)
{
    const std::vector<int> mold = findImitationMold(s, a, 0);
    if (mold.empty())
        return 0;
    for (int x : mold)
        if (x != mold.front())
            return 0;
    return 1;
}

int compareImitationMolds(const std::vector<int>& m1, const std::vector<int>& m2)
{
    if (holdsOnlyZeros(m1) || holdsOnlyZeros(m2))
        return 0;
    const int n = static_cast<int>(m2.size());
    if (m1.size() != m2.size())
        return 0;  // no rotation of M2 can equal a list of another length

    std::vector<int> r(n);
    for (int start = 0; start < n; ++start) {
        for (int k = 0; k < n; ++k)
            r[k] = m2[(start + k) % n];
        if (r == m1)
            return 1;
    }
    for (int start = n - 1; start >= 0; --start) {
        for (int k = 0; k < n; ++k)
            r[k] = m2[Mod_X_Add(start, -k, n)];
        if (r == m1)
            return -1;
    }
    return 0;
}

bool VectorIsIntrinsic(const std::vector<int>& container, const std::vector<int>& candidate)
{
    size_t pairs = 0;
    for (int b : candidate)
        for (int c : container)
            if (b == c)
                ++pairs;
    return pairs == candidate.size();
}

int convertInvTnLevelToInvLevel(const std::vector<int>& a, int t, const std::vector<int>& b)
{
    const std::vector<int> c = operateVectorSet(a, t, 1);
    for (int n = 0; n < 12; ++n)
        if (VectorIsIntrinsic(c, operateVectorSet(b, n, -1)))
            return -n;
    return -99;
}

std::vector<std::vector<int>> findIntrinsicTranspositionIndexes(const std::vector<std::vector<int>>& l,
                                                                const PitchClassSet& p)
{
    const size_t k = static_cast<size_t>(p.getNelementsNormal());
    uint16_t pMask = 0;
    for (int pc = 0; pc < 12; ++pc)
        if (p.isIntrinsic(pc))
            pMask |= static_cast<uint16_t>(1u << pc);

    std::vector<std::vector<int>> result;
    result.reserve(l.size());
    for (const std::vector<int>& x : l) {
        // Membership of a set loaded from X.
        const uint16_t xMask = PcMask(AsLoaded(x));
        std::vector<int> levels;
        if (x.size() < k) {
            for (int n = 0; n < 12; ++n)
                if ((RotateMask(xMask, n) & ~pMask) == 0)
                    levels.push_back(n);
        } else {
            // P moved onto X; the level recorded carries it back onto P.
            for (int n = 12; n >= 1; --n)
                if ((RotateMask(pMask, n) & ~xMask) == 0)
                    levels.push_back((12 - n) % 12);
        }
        result.push_back(std::move(levels));
    }
    return result;
}

std::vector<RobustSetInfo> findRemainder(const std::vector<std::vector<int>>& l, const std::vector<std::vector<int>>& v,
                                         const PitchClassSet& p)
{
    const std::vector<int> tnType = p.getTnType();
    const uint16_t typeMask = PcMask(tnType);
    const PitchClassSet& tool = PcsTool();

    std::vector<RobustSetInfo> result;
    result.reserve(l.size());
    for (size_t i = 0; i < l.size(); ++i) {
        // A pitch class outside the Tn-type starts as covered.
        uint16_t covered = static_cast<uint16_t>(~typeMask & 0xFFFu);
        if (i < v.size())
            for (int level : v[i])
                covered |= RotateMask(PcMask(l[i]), level);

        std::vector<int> remainder;
        for (int pc = 0; pc < 12; ++pc)
            if (!(covered & (1u << pc)))
                remainder.push_back(pc);

        RobustSetInfo info;
        if (!remainder.empty()) {
            const uint16_t remainderMask = PcMask(remainder);
            info.tnType = tool.calculateTnType(remainder);
            const uint16_t typeOfRemainder = PcMask(info.tnType);
            for (int level = 0; level < 12; ++level)
                if ((RotateMask(typeOfRemainder, level) & ~remainderMask) == 0)
                    info.levels.push_back(level);
        }
        result.push_back(std::move(info));
    }
    return result;
}

#include "relations/SubsetSearch.h"

#include <array>
#include <cstdint>

#include "relations/CatalogueTables.h"
#include "relations/Molds.h"
#include "relations/SetAlgebra.h"

namespace {

constexpr int kFound = 1;
constexpr int kNotFound = 0;
constexpr int kNotCandidate = -99;
// Beyond this many subsets (or supersets) the page names the exceptions.
constexpr int kMostListed = 200;

// The list as a containment test sees it: for a list of distinct pitch
// classes 0..11, "X lies inside S" is plain mask inclusion. A list with a
// repeated or out-of-range value is tested pair by pair like any list.
struct Container {
    const std::vector<int>& list;
    bool isPlainSet = true;
    uint16_t mask = 0;

    explicit Container(const std::vector<int>& s) : list(s)
    {
        for (int x : s) {
            if (x < 0 || x > 11 || (mask & (1u << x))) {
                isPlainSet = false;
                continue;
            }
            mask |= static_cast<uint16_t>(1u << x);
        }
    }

    // Whether T_n of the catalogue entry lies inside the list.
    bool holds(const CatalogueEntry& entry, int n) const
    {
        if (isPlainSet)
            return (entry.rotations[n] & ~mask) == 0;
        return VectorIsIntrinsic(list, operateVectorSet(entry.tnType, n, 1));
    }
};

std::vector<std::vector<int>> listMarked(const std::vector<int>& marks, int marker)
{
    const std::vector<CatalogueEntry>& entries = CatalogueEntries();
    std::vector<std::vector<int>> result;
    for (size_t i = 0; i < marks.size(); ++i)
        if (marks[i] == marker)
            result.push_back(entries[i].tnType);
    return result;
}

std::vector<std::vector<int>> scan(const std::vector<int>& s, int* flag, bool subsets)
{
    const std::vector<CatalogueEntry>& entries = CatalogueEntries();
    const int size = static_cast<int>(s.size());
    const Container container(s);
    // T_n(S) lies inside a catalogue type T when S's pitch classes, moved
    // by n, are all in T: duplicates in S do not matter there.
    std::array<uint16_t, 12> sRotations{};
    for (int n = 0; n < 12; ++n)
        sRotations[n] = RotateMask(PcMask(s), n);

    std::vector<int> marks(entries.size(), kNotCandidate);
    int found = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const CatalogueEntry& e = entries[i];
        if (subsets ? e.size >= size : e.size <= size)
            continue;
        marks[i] = kNotFound;
        const uint16_t typeMask = e.rotations[0];
        for (int n = 0; n < 12; ++n) {
            const bool inside = subsets ? container.holds(e, n) : (sRotations[n] & ~typeMask) == 0;
            if (inside) {
                marks[i] = kFound;
                ++found;
                break;
            }
        }
    }

    int marker = kFound;
    if (flag) {
        if (found > kMostListed) {
            marker = kNotFound;
            *flag = -1;
        } else {
            *flag = 1;
        }
    }
    return listMarked(marks, marker);
}

std::string joinTokens(const std::vector<int>& list, const char* separator)
{
    std::string text;
    for (size_t i = 0; i < list.size(); ++i) {
        if (i > 0)
            text += separator;
        text += FilterPcSetNumbers(list[i]);
    }
    return text;
}

}  // namespace

std::vector<std::vector<int>> FindAllSubsetsSoft(const std::vector<int>& s) { return scan(s, nullptr, true); }

std::vector<std::vector<int>> FindAllSubsetsSoft(const std::vector<int>& s, int* flag) { return scan(s, flag, true); }

std::vector<std::vector<int>> FindAllSupersetsSoft(const std::vector<int>& s) { return scan(s, nullptr, false); }

std::vector<std::vector<int>> FindAllSupersetsSoft(const std::vector<int>& s, int* flag)
{
    return scan(s, flag, false);
}

std::string FilterPcSetNumbers(int x)
{
    if (x == 10)
        return "d";
    if (x == 11)
        return "u";
    return std::to_string(x);
}

std::string FilterPcSetNumbers(const std::vector<int>& list) { return joinTokens(list, " "); }

std::string FilterPcSetNumbersWithCommas(const std::vector<int>& list) { return joinTokens(list, ","); }

std::string FilterPcSetNumbersClose(const std::vector<int>& list) { return joinTokens(list, ""); }

std::string SPECIAL_FilterPcSetNumbersWithCommas(const std::vector<int>& s, const std::vector<int>& levels, int mode)
{
    constexpr int removed = -99;
    constexpr int mark = 1000;
    std::vector<int> l = levels;  // the caller's list stays as it is
    auto isMarked = [](int value) { return value > 999; };
    auto levelOf = [&](int value) { return isMarked(value) ? value - mark : value; };

    for (size_t i = 0; i + 1 < l.size(); ++i) {
        if (l[i] == removed)
            continue;
        for (size_t j = i + 1; j < l.size(); ++j) {
            if (l[j] == removed)
                continue;
            const std::vector<int> later = operateVectorSet(s, levelOf(l[j]), mode);
            const std::vector<int> earlier = operateVectorSet(s, levelOf(l[i]), mode);
            if (VectorIsIntrinsic(earlier, later)) {
                l[j] = removed;
                if (!isMarked(l[i]))
                    l[i] += mark;
            }
        }
    }

    std::string text;
    bool first = true;
    for (int value : l) {
        if (value == removed)
            continue;
        if (!first)
            text += ",";
        first = false;
        text += FilterPcSetNumbers(levelOf(value));
        if (isMarked(value))
            text += "+";
    }
    return text;
}

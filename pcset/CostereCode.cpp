#include "pcset/CostereCode.h"

#include <cctype>
#include <cstdio>

#include "pcset/Conversions.h"
#include "pcset/PitchClassSet.h"

namespace {

std::string countText(int count)
{
    switch (count) {
    case 0:
        return "";
    case 10:
        return "X";
    case 11:
        return "XI";
    case 12:
        return "XII";
    default:
        return std::string(1, static_cast<char>('0' + count));
    }
}

// A character of a two-character piece, read as atoi reads a one-character
// text: a digit gives its value, anything else (or nothing) gives 0.
int digitValue(const std::string& piece, size_t index)
{
    if (index >= piece.size())
        return 0;
    unsigned char c = static_cast<unsigned char>(piece[index]);
    return std::isdigit(c) ? c - '0' : 0;
}

}  // namespace

std::string calculateAdjCostereNumber(std::vector<int> list)
{
    PitchClassSet scratch;
    scratch.initializeSet(list);
    bool present[12] = {};
    for (int pc : scratch.getTnType())
        present[pc] = true;

    // Run lengths, recorded alternately present, absent, present, ... The
    // walk assumes pitch class 0 present, which every Tn-type is.
    std::vector<int> counts;
    int presentCount = 1, absentCount = 0;
    bool previous = true;
    for (int pc = 1; pc < 12; ++pc) {
        bool current = present[pc];
        if (current && previous) {
            ++presentCount;
        } else if (!current && !previous) {
            ++absentCount;
        } else if (!current && previous) {
            ++absentCount;
            counts.push_back(presentCount);
            presentCount = 0;
        } else {
            ++presentCount;
            counts.push_back(absentCount);
            absentCount = 0;
            if (pc == 11)
                std::fputs("THIS SHOULD NEVER HAVE HAPPENED!", stderr);
        }
        if (pc == 11) {
            if (current) {
                counts.push_back(presentCount);
                counts.push_back(0);
            } else {
                counts.push_back(absentCount);
            }
        }
        previous = current;
    }

    std::string code;
    for (size_t i = 0; i + 1 < counts.size(); i += 2) {
        if (!code.empty())
            code += '.';
        code += countText(counts[i]) + countText(counts[i + 1]);
    }
    return code;
}

std::vector<int> ConvertFromAdjCostereCode(std::string code)
{
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
        size_t dot = code.find('.', start);
        pieces.push_back(code.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }

    struct Pair {
        int present, absent;
    };
    std::vector<Pair> pairs;
    if (pieces.size() == 1 && code == "XII")
        pairs.push_back({12, 0});
    else if (pieces.size() == 1 && code == "XI1")
        pairs.push_back({11, 1});
    else if (pieces.size() == 1 && code == "1XI")
        pairs.push_back({1, 11});
    else if (pieces.size() == 1 && code == "X2")
        pairs.push_back({10, 2});
    else if (pieces.size() == 1 && code == "2X")
        pairs.push_back({2, 10});
    else
        for (const std::string& piece : pieces)
            pairs.push_back({digitValue(piece, 0), digitValue(piece, 1)});

    std::vector<int> positions;
    int position = 0;
    for (const Pair& pair : pairs) {
        for (int k = 0; k < pair.present; ++k)
            positions.push_back(position++);
        position += pair.absent;
    }
    return positions;
}

bool IsCostereCodeText(const std::string& text)
{
    return text.find('.') != std::string::npos || text.find('X') != std::string::npos;
}

std::vector<int> ReadSetText(const std::string& text)
{
    return IsCostereCodeText(text) ? ConvertFromAdjCostereCode(text) : StringToVector(text);
}

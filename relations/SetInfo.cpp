#include "relations/SetInfo.h"

#include "pcset/PitchClassSet.h"

namespace {

std::string textOf(const char* text) { return text ? std::string(text) : std::string(); }

}  // namespace

std::vector<SetInfo> AddToSetInfo(std::vector<SetInfo> list, const char* label, const char* text)
{
    list.push_back(SetInfo{textOf(label), textOf(text)});
    return list;
}

std::vector<SetInfo> PitchClassSet::getSetInfoByLabel(const char* label) const
{
    std::vector<SetInfo> selected;
    if (!label)
        return selected;
    for (const SetInfo& info : setInfos)
        if (info.label == label)
            selected.push_back(info);
    return selected;
}

std::vector<std::string> BreakUpSetInfoIntoFragments(const std::vector<SetInfo>& list, int maxLength)
{
    std::vector<std::string> lines;
    if (list.empty())
        return lines;
    const size_t last = list.size() - 1;
    std::string line = list[0].text;
    if (last > 0)
        line += ", ";
    for (size_t k = 1; k < list.size(); ++k) {
        const std::string& text = list[k].text;
        if (static_cast<long long>(line.size() + text.size()) > maxLength) {
            lines.push_back(line);
            line = text;
        } else {
            line += text;
        }
        if (k != last)
            line += ", ";
    }
    lines.push_back(line);
    return lines;
}

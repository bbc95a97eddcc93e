// Reads back the single texts a page fragment shows (font, size, point and
// text), so that tests can ask what a reader would see, and where.
#ifndef HARMODEX_TESTS_PAGE_SHOWNTEXT_H
#define HARMODEX_TESTS_PAGE_SHOWNTEXT_H

#include <regex>
#include <string>
#include <vector>

struct ShownText {
    std::string font;
    float size, x, y;
    std::string text;  // as written between the parentheses, escapes kept
};

inline std::vector<ShownText> ShownTexts(const std::string& postscript)
{
    static const std::regex fragment(
        "/(\\S+) findfont\n(\\S+) scalefont\nsetfont\nnewpath\n(\\S+) (\\S+) moveto\n"
        "(?:\\S+ rotate\n)?\\((.*)\\) (?:show|dup stringwidth pop [12]\\. div neg 0 rmoveto show)\n");
    std::vector<ShownText> shown;
    for (std::sregex_iterator it(postscript.begin(), postscript.end(), fragment), end; it != end; ++it) {
        const std::smatch& m = *it;
        shown.push_back({m[1], std::stof(m[2]), std::stof(m[3]), std::stof(m[4]), m[5]});
    }
    return shown;
}

// The first shown text equal to the given one, or nullptr.
inline const ShownText* FindShown(const std::vector<ShownText>& shown, const std::string& text)
{
    for (const ShownText& s : shown)
        if (s.text == text) return &s;
    return nullptr;
}

#endif

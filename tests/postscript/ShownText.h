// Reads a page fragment by fragment (gsave ... grestore) as a reader sees
// it: where each text starts, what it shows, in which font and sizes, so
// that tests can ask what a reader would see, and where.
#ifndef HARMODEX_TESTS_POSTSCRIPT_SHOWNTEXT_H
#define HARMODEX_TESTS_POSTSCRIPT_SHOWNTEXT_H

#include <regex>
#include <sstream>
#include <string>
#include <vector>

struct ShownText {
    std::string font;    // the first font selected
    float x = 0, y = 0;  // the first point moved to
    std::string text;    // the pieces shown, run together, escapes kept (a leading bullet or arrow left out)
    std::string body;    // the fragment's PostScript
    std::vector<float> sizes;
};

// The fragments that show some text, in page order.
inline std::vector<ShownText> ShownTexts(const std::string& postscript)
{
    static const std::regex moveto("^(\\S+) (\\S+) moveto$"), font("^/(\\S+) findfont$"), scaled("^(\\S+) scalefont$"),
        shown("^\\((.*)\\) ?(?:dup stringwidth pop \\S+ div neg 0 rmoveto )?show$");
    std::vector<ShownText> fragments;
    for (std::size_t at = 0; (at = postscript.find("gsave\n", at)) != std::string::npos;) {
        const std::size_t end = postscript.find("grestore", at);
        ShownText f;
        f.body = postscript.substr(at, end - at);
        std::istringstream lines(f.body);
        bool placed = false;
        std::smatch m;
        for (std::string line; std::getline(lines, line);) {
            if (!placed && std::regex_match(line, m, moveto)) {
                f.x = std::stof(m[1]), f.y = std::stof(m[2]), placed = true;
            } else if (std::regex_match(line, m, shown)) {
                if (m[1] != "\\267 " && m[1] != "\\256 ")
                    f.text += m[1];
            } else if (std::regex_match(line, m, scaled)) {
                f.sizes.push_back(std::stof(m[1]));
            } else if (f.font.empty() && std::regex_match(line, m, font)) {
                f.font = m[1];
            }
        }
        if (!f.text.empty())
            fragments.push_back(f);
        at = end;
    }
    return fragments;
}

// The first fragment showing exactly the given text, or nullptr.
inline const ShownText* FindShown(const std::vector<ShownText>& shown, const std::string& text)
{
    for (const ShownText& s : shown)
        if (s.text == text)
            return &s;
    return nullptr;
}

#endif

#include "pcset/SetReader.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <tuple>

#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"
#include "pcset/PitchClassSet.h"
#include "pcset/PitchUniverse.h"

namespace {

const char* const acceptedForms =
    "write a set as pitch classes (0 4 7, 0,4,7, [0 4 7], 047 or (047); 10 and 11 also as t e, A B or d u), "
    "note names (C E G, Bb D F), a Forte name (3-11b, 4-Z15), a page (p24) or a Costère code (13.12.14)";

SetReading failure(const std::string& reason) { return {{}, "", reason}; }
SetReading unreadable(const std::string& reason) { return failure(reason + "; " + acceptedForms); }

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// The musical symbols and typographic dashes people paste, written in ASCII:
// sharp, flat, natural, double sharp and flat; en and em dash, minus sign and
// hyphen; no-break space.
std::string normalise(const std::string& text)
{
    static const std::pair<const char*, const char*> replacements[] = {
        {"\xE2\x99\xAF", "#"},      {"\xE2\x99\xAD", "b"}, {"\xE2\x99\xAE", ""},  {"\xF0\x9D\x84\xAA", "x"},
        {"\xF0\x9D\x84\xAB", "bb"}, {"\xE2\x80\x93", "-"}, {"\xE2\x80\x94", "-"}, {"\xE2\x88\x92", "-"},
        {"\xE2\x80\x90", "-"},      {"\xC2\xA0", " "},
    };
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto match = std::find_if(std::begin(replacements), std::end(replacements), [&](const auto& r) {
            return text.compare(i, std::char_traits<char>::length(r.first), r.first) == 0;
        });
        if (match != std::end(replacements)) {
            out += match->second;
            i += std::char_traits<char>::length(match->first);
        } else {
            out += isSpace(text[i]) ? ' ' : text[i];
            ++i;
        }
    }
    const size_t first = out.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    return out.substr(first, out.find_last_not_of(' ') - first + 1);
}

std::vector<int> catalogueSet(int index) { return StringToVector(SharedUniverse().tnTypes[index]); }

// ---- page references: p24, p. 24, page 24, #24

// The digits of a page reference, or "" when text is none.
std::string pageDigits(const std::string& text)
{
    std::string lower;
    for (char c : text)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    size_t at = 0;
    for (const char* prefix : {"page", "p", "#"})
        if (lower.compare(0, std::char_traits<char>::length(prefix), prefix) == 0) {
            at = std::char_traits<char>::length(prefix);
            break;
        }
    if (at == 0)
        return "";
    if (at == 1 && lower[0] == 'p' && at < text.size() && text[at] == '.')
        ++at;  // "p. 24", as pages are cited
    while (at < text.size() && text[at] == ' ')
        ++at;
    if (at == text.size() || !std::all_of(text.begin() + static_cast<long>(at), text.end(), isDigit))
        return "";
    return text.substr(at);
}

bool readPage(const std::string& text, SetReading* reading)
{
    const std::string digits = pageDigits(text);
    if (digits.empty())
        return false;
    const int page = PageReference(text);
    if (page < 1)
        *reading = failure("there is no page " + QuoteForMessage(digits) + ": the pages run from 1 to " +
                           IntToStringPlain(PitchUniverse::NumTnTypes));
    else
        *reading = {catalogueSet(page - 1), "page " + IntToStringPlain(page), ""};
    return true;
}

// ---- Forte names: 3-11, 3-11a, 3-11b, 4-Z15, 4-15

struct ForteIndex {
    // (size, number, inverted) -> catalogue index; the catalogue writes the
    // prime form without a letter and its inversion with "b".
    std::map<std::tuple<int, int, bool>, int> entries;
    int highest[13] = {};
};

const ForteIndex& forteIndex()
{
    static const ForteIndex index = [] {
        ForteIndex built;
        const PitchUniverse& u = SharedUniverse();
        for (int i = 0; i < PitchUniverse::NumTnTypes; ++i) {
            const std::string& name = u.forteNames[i];
            const size_t dash = name.find('-');
            size_t at = dash + 1;
            if (at < name.size() && name[at] == 'Z')
                ++at;
            const int size = std::stoi(name.substr(0, dash));
            const int number = std::stoi(name.substr(at));
            const bool inverted = name.back() == 'b';
            built.entries[{size, number, inverted}] = i;
            if (size >= 0 && size <= 12)
                built.highest[size] = std::max(built.highest[size], number);
        }
        return built;
    }();
    return index;
}

// Reads "size-[Z]number[a|b]", spaces allowed around the dash.
bool readForteName(const std::string& text, SetReading* reading)
{
    size_t at = 0;
    auto number = [&](int* value) {
        const size_t start = at;
        while (at < text.size() && isDigit(text[at]) && at - start < 2)
            ++at;
        if (at == start || (at < text.size() && isDigit(text[at])))
            return false;
        *value = std::stoi(text.substr(start, at - start));
        return true;
    };
    auto spaces = [&] {
        while (at < text.size() && text[at] == ' ')
            ++at;
    };
    int size = 0, ordinal = 0;
    if (!number(&size))
        return false;
    spaces();
    if (at >= text.size() || text[at] != '-')
        return false;
    ++at;
    spaces();
    if (at < text.size() && (text[at] == 'Z' || text[at] == 'z'))
        ++at;
    if (!number(&ordinal))
        return false;
    char letter = at < text.size() ? static_cast<char>(std::tolower(static_cast<unsigned char>(text[at++]))) : 'a';
    if ((letter != 'a' && letter != 'b') || at != text.size() || size < 1 || size > 12)
        return false;

    const ForteIndex& index = forteIndex();
    const int highest = index.highest[size];
    const std::string sizeText = IntToStringPlain(size);
    if (ordinal < 1 || ordinal > highest) {
        *reading = failure(
            "there is no Forte class " + sizeText + "-" + IntToStringPlain(ordinal) + ": " +
            (highest == 1 ? "the one class of " + sizeText + (size == 1 ? " note" : " notes") + " is " + sizeText + "-1"
                          : "the classes of " + sizeText + " notes run from " + sizeText + "-1 to " + sizeText + "-" +
                                IntToStringPlain(highest)));
        return true;
    }
    // A class that is its own inversion has no "b": its inversion is itself.
    auto found = index.entries.find({size, ordinal, letter == 'b'});
    if (found == index.entries.end())
        found = index.entries.find({size, ordinal, false});
    *reading = {catalogueSet(found->second), "Forte class " + SharedUniverse().forteNames[found->second], ""};
    return true;
}

// ---- Costère codes: pairs of counts (present, absent) joined by '.'; the
// counts 10, 11 and 12 are written X, XI and XII.

bool readCostereCode(const std::string& text, std::vector<int>* positions)
{
    positions->clear();
    int position = 0;
    size_t start = 0;
    for (;;) {
        size_t dot = text.find('.', start);
        std::string piece = text.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        piece.erase(std::remove(piece.begin(), piece.end(), ' '), piece.end());
        std::vector<int> counts;
        for (size_t i = 0; i < piece.size();) {
            if (piece.compare(i, 3, "XII") == 0) {
                counts.push_back(12);
                i += 3;
            } else if (piece.compare(i, 2, "XI") == 0) {
                counts.push_back(11);
                i += 2;
            } else if (piece[i] == 'X') {
                counts.push_back(10);
                ++i;
            } else if (isDigit(piece[i])) {
                counts.push_back(piece[i++] - '0');
            } else {
                return false;
            }
        }
        if (!piece.empty()) {
            if (counts.size() > 2 || counts[0] < 1 || position + counts[0] > 12)
                return false;
            for (int k = 0; k < counts[0]; ++k)
                positions->push_back(position++);
            position += counts.size() == 2 ? counts[1] : 0;
            if (position > 12)
                return false;
        }
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    return position == 12 && !positions->empty();
}

SetReading costereReading(const std::string& text)
{
    std::vector<int> positions;
    if (!readCostereCode(text, &positions))
        return failure(QuoteForMessage(text) + " is not a Costère code: its pairs of present and absent counts, "
                                               "joined by '.', must fill the twelve semitones (13.12.14 is 0 4 7)");
    return {positions, "Costère code", ""};
}

// ---- lists, compact digits and note names

// 10 and 11 written as letters beside numbers.
int pitchClassLetter(char c)
{
    switch (c) {
    case 't':
    case 'T':
    case 'A':
    case 'd':
        return 10;
    case 'e':
    case 'E':
    case 'B':
    case 'u':
        return 11;
    default:
        return -1;
    }
}

// A note name: letter, accidental (#, ##, b, bb, x) and an optional octave
// digit; its pitch class, or -1.
int noteName(const std::string& token)
{
    static const int naturals[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(token[0])));
    if (letter < 'A' || letter > 'G')
        return -1;
    size_t end = token.size();
    if (end > 1 && isDigit(token[end - 1]))
        --end;
    const std::string accidental = token.substr(1, end - 1);
    int shift = 0;
    if (accidental == "#")
        shift = 1;
    else if (accidental == "##" || accidental == "x")
        shift = 2;
    else if (accidental == "b")
        shift = -1;
    else if (accidental == "bb")
        shift = -2;
    else if (!accidental.empty())
        return -1;
    return Mod_X_Add(naturals[letter - 'A'], shift, 12);
}

constexpr int kNoOctave = -100;

struct Token {
    std::string text;
    bool bracketed;  // alone between a matching pair of brackets: "(047)"
};

std::vector<Token> tokenize(const std::string& text)
{
    auto isSeparator = [](char c) {
        return c == ' ' || c == ',' || c == ';' || c == '-' || std::string("[]{}()<>").find(c) != std::string::npos;
    };
    auto closerOf = [](char c) { return c == '[' ? ']' : c == '{' ? '}' : c == '(' ? ')' : c == '<' ? '>' : '\0'; };
    // A minus sign starts a number ("0 4 7 -1"); a dash between two numbers
    // separates them ("0-4-7").
    auto isMinusSign = [&](size_t i) {
        return text[i] == '-' && i + 1 < text.size() && isDigit(text[i + 1]) && (i == 0 || isSeparator(text[i - 1]));
    };
    std::vector<Token> tokens;
    for (size_t i = 0; i < text.size();) {
        if (isSeparator(text[i]) && !isMinusSign(i)) {
            ++i;
            continue;
        }
        const size_t start = i;
        if (isMinusSign(i))
            ++i;
        while (i < text.size() && !isSeparator(text[i]))
            ++i;
        size_t before = start, after = i;
        while (before > 0 && text[before - 1] == ' ')
            --before;
        while (after < text.size() && text[after] == ' ')
            ++after;
        const bool bracketed = before > 0 && after < text.size() && closerOf(text[before - 1]) != '\0' &&
                               closerOf(text[before - 1]) == text[after];
        tokens.push_back({text.substr(start, i - start), bracketed});
    }
    return tokens;
}

// One token of a list: a number, a letter for 10 or 11, or compact digits.
// Appends its pitch classes; an error when it is none of these.
std::string readListToken(const Token& token, std::vector<int>* out, bool* compact)
{
    const std::string& t = token.text;
    // A negative number counts down from 12: -1 is 11, as in the literal
    // reading.
    if (t.size() >= 2 && t.size() <= 3 && t[0] == '-' && std::all_of(t.begin() + 1, t.end(), isDigit)) {
        out->push_back(Mod_X_Add(-std::stoi(t.substr(1)), 0, 12));
        return "";
    }
    const bool allDigits = std::all_of(t.begin(), t.end(), isDigit);
    if (allDigits && t.size() <= 2 && !token.bracketed) {
        const int value = std::stoi(t);
        if (value > 11)
            return QuoteForMessage(t) + " is not a pitch class: pitch classes run from 0 to 11; " + acceptedForms;
        out->push_back(value);
        return "";
    }
    if (t.size() == 1 && pitchClassLetter(t[0]) >= 0 && !token.bracketed) {
        out->push_back(pitchClassLetter(t[0]));
        return "";
    }
    const bool anyDigit = std::any_of(t.begin(), t.end(), isDigit);
    if (!token.bracketed && (t.size() < 3 || !anyDigit))
        return "?";
    bool seen[12] = {};
    for (char c : t) {
        const int pc = isDigit(c) ? c - '0' : pitchClassLetter(c);
        if (pc < 0)
            return "?";
        if (seen[pc])
            return QuoteForMessage(t) + " names a pitch class twice: compact digits write each one once";
        seen[pc] = true;
        out->push_back(pc);
    }
    *compact = true;
    return "";
}

SetReading readTokens(const std::string& text)
{
    const std::vector<Token> tokens = tokenize(text);
    if (tokens.empty())
        return unreadable(QuoteForMessage(text) + " names no pitch class");

    std::vector<int> notes;
    for (const Token& token : tokens) {
        const int pc = noteName(token.text);
        if (pc < 0)
            break;
        notes.push_back(pc);
    }
    if (notes.size() == tokens.size())
        return {DistinctPitchClasses(notes), "note names", ""};

    std::vector<int> list;
    bool anyCompact = false, allCompact = true;
    for (const Token& token : tokens) {
        bool compact = false;
        const std::string problem = readListToken(token, &list, &compact);
        if (problem == "?") {
            const bool isNote = noteName(token.text) >= 0;
            return unreadable(isNote ? QuoteForMessage(text) + " mixes note names with numbers"
                                     : QuoteForMessage(token.text) + " is neither a pitch class nor a note name");
        }
        if (!problem.empty())
            return failure(problem);
        anyCompact = anyCompact || compact;
        allCompact = allCompact && compact;
    }
    return {DistinctPitchClasses(list), anyCompact && allCompact ? "compact digits" : "pitch-class list", ""};
}

}  // namespace

std::vector<int> DistinctPitchClasses(const std::vector<int>& list)
{
    std::vector<int> set;
    bool seen[12] = {};
    for (int value : list) {
        const int pc = Mod_X_Add(value, 0, 12);
        if (!seen[pc])
            set.push_back(pc);
        seen[pc] = true;
    }
    return set;
}

std::string QuoteForMessage(const std::string& text)
{
    const size_t limit = 40;
    if (text.size() <= limit)
        return "\xE2\x80\x9C" + text + "\xE2\x80\x9D";
    size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;  // not inside a UTF-8 sequence
    return "\xE2\x80\x9C" + text.substr(0, cut) + "\xE2\x80\xA6\xE2\x80\x9D";
}

SetReading UnderstandSetText(const std::string& typed)
{
    const std::string text = normalise(typed);
    if (text.empty())
        return unreadable("nothing was typed");
    SetReading reading;
    if (readPage(text, &reading) || readForteName(text, &reading))
        return reading;
    if (IsCostereCodeText(text))
        return costereReading(text);
    reading = readTokens(text);
    // A Costère code copied from a page without its dot ("39" for 0 1 2):
    // say how to write it.
    std::vector<int> positions;
    if (!reading.error.empty() && std::all_of(text.begin(), text.end(), isDigit) && readCostereCode(text, &positions))
        reading.error = QuoteForMessage(text) + " is not a pitch class (they run from 0 to 11); as a Costère code (" +
                        VectorToString(positions) + ") write it with a dot: " + text + ".";
    return reading;
}

SetReading UnderstandCostereFieldText(const std::string& typed)
{
    const std::string text = normalise(typed);
    std::vector<int> positions;
    if (!text.empty() && std::all_of(text.begin(), text.end(), isDigit) && readCostereCode(text, &positions))
        return {positions, "Costère code", ""};
    return UnderstandSetText(typed);
}

bool AgreesWithLiteralReading(const std::string& text, const SetReading& reading)
{
    std::vector<int> literal = DistinctPitchClasses(ReadSetText(text));
    std::vector<int> understood = reading.pitchClasses;
    std::sort(literal.begin(), literal.end());
    std::sort(understood.begin(), understood.end());
    return literal == understood;
}

std::vector<TypedNote> TypedNotes(const std::string& typed)
{
    const SetReading reading = UnderstandSetText(typed);
    std::vector<TypedNote> notes;
    if (!reading.error.empty())
        return notes;
    bool seen[12] = {};
    int previous = -1;  // the note before, so that the next rises from it
    auto add = [&](int pc, int octave, char letter, int alter) {
        if (seen[pc])
            return;
        seen[pc] = true;
        int pitch;
        if (octave != kNoOctave) {
            // The octave belongs to the letter: Cb4 is a semitone below C4.
            static const int naturals[7] = {9, 11, 0, 2, 4, 5, 7};
            pitch = 12 * (octave - 4) + naturals[letter - 'A'] + alter;
        } else {
            pitch = pc;
            while (pitch <= previous)
                pitch += 12;
        }
        previous = pitch;
        notes.push_back({pitch, letter, alter});
    };
    if (reading.form == "note names") {
        for (const Token& token : tokenize(normalise(typed))) {
            const std::string& t = token.text;
            const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(t[0])));
            const bool octaveWritten = t.size() > 1 && isDigit(t.back());
            const std::string accidental = t.substr(1, t.size() - 1 - (octaveWritten ? 1 : 0));
            const int alter = accidental == "#"                         ? 1
                              : accidental == "##" || accidental == "x" ? 2
                              : accidental == "b"                       ? -1
                              : accidental == "bb"                      ? -2
                                                                        : 0;
            add(noteName(t), octaveWritten ? t.back() - '0' : kNoOctave, letter, alter);
        }
    } else {
        for (int pc : reading.pitchClasses)
            add(pc, kNoOctave, 0, 0);
    }
    return notes;
}

bool ReadsLiterallyAsWritten(const std::string& typed)
{
    const std::string text = normalise(typed);
    if (text.empty())
        return false;
    if (IsCostereCodeText(text))
        return !ReadSetText(text).empty();
    for (size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < text.size() && text[i] != ' ')
            ++i;
        const std::string token = text.substr(start, i - start);
        if (token == "d" || token == "u")
            continue;
        const size_t digits = token[0] == '-' || token[0] == '+' ? 1 : 0;
        if (token.size() == digits || !std::all_of(token.begin() + digits, token.end(), isDigit))
            return false;
    }
    return true;
}

std::string DescribeReading(const std::string& text, const SetReading& reading)
{
    if (!reading.error.empty() || AgreesWithLiteralReading(text, reading))
        return "";
    return "read " + text + " as " + reading.form + ": " + VectorToString(reading.pitchClasses);
}

int PageReference(const std::string& text)
{
    const std::string digits = pageDigits(text);
    if (digits.empty())
        return 0;
    const long page = digits.size() > 6 ? 1000000 : std::stol(digits);
    return page >= 1 && page <= PitchUniverse::NumTnTypes ? static_cast<int>(page) : -1;
}

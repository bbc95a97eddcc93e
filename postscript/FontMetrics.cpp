#include "postscript/FontMetrics.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

const FontMetrics kFonts[] = {
#include "postscript/FontMetrics.inc"
};

bool HasInk(const GlyphMetrics& g) { return g.llx < g.urx && g.lly < g.ury; }

// ---------------------------------------------------------------------------
// A reader of the page's own PostScript: just the operators its primitives
// and drawing routines write, enough to know where every shown glyph lands.
// ---------------------------------------------------------------------------

struct Matrix {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;

    void apply(double x, double y, double& X, double& Y) const
    {
        X = a * x + c * y + e;
        Y = b * x + d * y + f;
    }
    void applyLinear(double x, double y, double& X, double& Y) const
    {
        X = a * x + c * y;
        Y = b * x + d * y;
    }
    // This matrix preceded by [m]: user space changed by m.
    void concat(const Matrix& m)
    {
        const Matrix t = *this;
        a = m.a * t.a + m.b * t.c;
        b = m.a * t.b + m.b * t.d;
        c = m.c * t.a + m.d * t.c;
        d = m.c * t.b + m.d * t.d;
        e = m.e * t.a + m.f * t.c + t.e;
        f = m.e * t.b + m.f * t.d + t.f;
    }
};

struct GraphicsState {
    Matrix ctm;
    const FontMetrics* font = nullptr;
    double size = 0;
    double x = 0, y = 0;  // current point, in device space
};

// Calls visit(byte) for each byte a string literal's body shows: octal
// escapes \ddd, \\, \(, \) and the other backslash escapes resolved.
template <typename Visit>
void ForEachShownByte(std::string_view literal, Visit visit)
{
    for (std::size_t i = 0; i < literal.size(); ++i) {
        if (literal[i] != '\\' || i + 1 == literal.size()) {
            visit(static_cast<unsigned char>(literal[i]));
            continue;
        }
        const char next = literal[++i];
        if (next >= '0' && next <= '7') {
            int code = 0;
            for (int k = 0; k < 3 && i < literal.size() && literal[i] >= '0' && literal[i] <= '7'; ++k, ++i)
                code = code * 8 + (literal[i] - '0');
            --i;
            visit(static_cast<unsigned char>(code & 0xff));
        } else if (next == 'n') {
            visit('\n');
        } else if (next == 't') {
            visit('\t');
        } else if (next != '\n') {  // a line continuation shows nothing
            visit(static_cast<unsigned char>(next));
        }
    }
}

double LiteralWidth(const FontMetrics& font, std::string_view literal, double size)
{
    long units = 0;
    ForEachShownByte(literal, [&](unsigned char ch) { units += font.glyphs[ch].width; });
    return units * size / 1000.0;
}

// An operand: a number, a string literal's body or a name (both pointing
// into the source), or a font with its size.
struct Value {
    double number = 0;
    std::string_view text;
    const FontMetrics* font = nullptr;
    double size = 1;
};

class Reader {
public:
    explicit Reader(const std::string& source) : s_(source) {}

    std::vector<ShownWord> run()
    {
        const std::size_t n = s_.size();
        std::size_t i = 0;
        while (i < n) {
            const char ch = s_[i];
            if (ch == ' ' || ch == '\n' || ch == '\r' || ch == '\t') {
                ++i;
            } else if (ch == '%') {
                while (i < n && s_[i] != '\n')
                    ++i;
            } else if (ch == '(') {
                i = readString(i);
            } else if (ch == '/') {
                const std::size_t end = tokenEnd(i + 1);
                Value v;
                v.text = std::string_view(s_).substr(i + 1, end - i - 1);
                stack_.push_back(v);
                i = end;
            } else {
                const std::size_t end = tokenEnd(i + 1);
                const char* first = s_.data() + i;
                const char* last = s_.data() + end;
                double number = 0;
                const bool numeric = (ch >= '0' && ch <= '9') || ch == '-' || ch == '.' || ch == '+';
                const auto parsed = numeric ? std::from_chars(first + (ch == '+'), last, number)
                                            : std::from_chars_result{first, std::errc::invalid_argument};
                if (parsed.ec == std::errc() && parsed.ptr == last)
                    push(number);
                else
                    op(std::string_view(first, end - i));
                i = end;
            }
        }
        return std::move(words_);
    }

private:
    static bool delimiter(char ch)
    {
        switch (ch) {
        case ' ':
        case '\n':
        case '\r':
        case '\t':
        case '(':
        case ')':
        case '/':
        case '%':
        case '[':
        case ']':
        case '{':
        case '}':
            return true;
        default:
            return false;
        }
    }
    std::size_t tokenEnd(std::size_t i) const
    {
        while (i < s_.size() && !delimiter(s_[i]))
            ++i;
        return i;
    }

    std::size_t readString(std::size_t i)
    {
        int depth = 1;
        const std::size_t start = ++i;
        while (i < s_.size() && depth > 0) {
            if (s_[i] == '\\')
                ++i;
            else if (s_[i] == '(')
                ++depth;
            else if (s_[i] == ')')
                --depth;
            ++i;
        }
        Value v;
        v.text = std::string_view(s_).substr(start, std::min(i, s_.size()) - 1 - start);
        stack_.push_back(v);
        return i;
    }

    Value pop()
    {
        if (stack_.empty())
            return Value();
        const Value v = stack_.back();
        stack_.pop_back();
        return v;
    }
    double number() { return pop().number; }
    void push(double number)
    {
        Value v;
        v.number = number;
        stack_.push_back(v);
    }

    void moveTo(double x, double y) { g_.ctm.apply(x, y, g_.x, g_.y); }
    void moveBy(double dx, double dy)
    {
        double X, Y;
        g_.ctm.applyLinear(dx, dy, X, Y);
        g_.x += X, g_.y += Y;
    }

    void show(std::string_view literal)
    {
        if (!g_.font)
            return;
        const double scale = g_.size / 1000.0;
        double pen = 0;
        bool open = false;
        double l = 0, b = 0, r = 0, t = 0;
        auto close = [&] {
            if (!open)
                return;
            // The word's corners, turned and moved as user space is.
            InkBox box{1e300, 1e300, -1e300, -1e300};
            for (double cx : {l, r})
                for (double cy : {b, t}) {
                    double X, Y;
                    g_.ctm.applyLinear(cx, cy, X, Y);
                    box.left = std::min(box.left, g_.x + X), box.right = std::max(box.right, g_.x + X);
                    box.bottom = std::min(box.bottom, g_.y + Y), box.top = std::max(box.top, g_.y + Y);
                }
            words_.push_back({box, fragment_});
            open = false;
        };
        ForEachShownByte(literal, [&](unsigned char ch) {
            const GlyphMetrics& glyph = g_.font->glyphs[ch];
            if (ch == ' ')
                close();
            if (HasInk(glyph)) {
                const double gl = pen + glyph.llx * scale, gr = pen + glyph.urx * scale;
                const double gb = glyph.lly * scale, gt = glyph.ury * scale;
                if (!open)
                    l = gl, r = gr, b = gb, t = gt, open = true;
                l = std::min(l, gl), r = std::max(r, gr), b = std::min(b, gb), t = std::max(t, gt);
            }
            pen += glyph.width * scale;
        });
        close();
        moveBy(pen, 0);
    }

    void op(std::string_view name)
    {
        if (name == "moveto" || name == "lineto") {
            const double y = number(), x = number();
            moveTo(x, y);
        } else if (name == "rmoveto" || name == "rlineto") {
            const double dy = number(), dx = number();
            moveBy(dx, dy);
        } else if (name == "curveto") {
            const double y = number(), x = number();
            for (int k = 0; k < 4; ++k)
                pop();
            moveTo(x, y);
        } else if (name == "show") {
            show(pop().text);
        } else if (name == "stringwidth") {
            const Value v = pop();
            push(g_.font ? LiteralWidth(*g_.font, v.text, g_.size) : 0);
            push(0);
        } else if (name == "findfont") {
            Value v = pop();
            v.font = FindFontMetrics(v.text);
            v.size = 1;
            stack_.push_back(v);
        } else if (name == "scalefont") {
            const double size = number();
            Value v = pop();
            v.size *= size;
            stack_.push_back(v);
        } else if (name == "setfont") {
            const Value v = pop();
            g_.font = v.font;
            g_.size = v.size;
        } else if (name == "gsave") {
            if (saved_.empty())
                ++fragment_;
            saved_.push_back(g_);
        } else if (name == "grestore") {
            if (!saved_.empty())
                g_ = saved_.back(), saved_.pop_back();
        } else if (name == "dup") {
            if (!stack_.empty())
                stack_.push_back(stack_.back());
        } else if (name == "pop") {
            pop();
        } else if (name == "exch") {
            if (stack_.size() >= 2)
                std::swap(stack_[stack_.size() - 1], stack_[stack_.size() - 2]);
        } else if (name == "neg") {
            push(-number());
        } else if (name == "add" || name == "sub" || name == "mul" || name == "div") {
            const double b = number(), a = number();
            push(name == "add" ? a + b : name == "sub" ? a - b : name == "mul" ? a * b : (b != 0 ? a / b : 0));
        } else if (name == "translate") {
            const double ty = number(), tx = number();
            g_.ctm.concat({1, 0, 0, 1, tx, ty});
        } else if (name == "scale") {
            const double sy = number(), sx = number();
            g_.ctm.concat({sx, 0, 0, sy, 0, 0});
        } else if (name == "rotate") {
            const double angle = number() * std::acos(-1.0) / 180.0;
            g_.ctm.concat({std::cos(angle), std::sin(angle), -std::sin(angle), std::cos(angle), 0, 0});
        } else if (name == "newpath" || name == "stroke" || name == "fill" || name == "closepath") {
            // Paths carry no text.
        } else if (name == "setlinewidth" || name == "setgray") {
            pop();
        } else if (name == "setrgbcolor") {
            pop(), pop(), pop();
        } else {
            // An operator no text depends on (the font prologue's
            // dictionary work, arcs, ...): its operands are dropped.
            stack_.clear();
        }
    }

    const std::string& s_;
    std::vector<Value> stack_;
    GraphicsState g_;
    std::vector<GraphicsState> saved_;
    std::vector<ShownWord> words_;
    int fragment_ = -1;
};

}  // namespace

const FontMetrics* FindFontMetrics(std::string_view name)
{
    for (const FontMetrics& font : kFonts)
        if (name == font.name)
            return &font;
    return nullptr;
}

std::vector<ShownWord> ShownWords(const std::string& postscript) { return Reader(postscript).run(); }

bool Collide(const InkBox& a, const InkBox& b, double clearance)
{
    const bool sideBySide = a.left < b.right + clearance && b.left < a.right + clearance;
    const bool level = a.bottom < b.top && b.bottom < a.top;
    return sideBySide && level;
}

std::pair<int, int> FirstCollision(const std::vector<ShownWord>& words, double clearance)
{
    std::vector<int> order(words.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    // Swept from the bottom up: only words that reach into each other's
    // height can collide, and the lines of a page stand apart.
    std::sort(order.begin(), order.end(), [&](int a, int b) { return words[a].box.bottom < words[b].box.bottom; });
    for (std::size_t i = 0; i < order.size(); ++i) {
        const ShownWord& a = words[order[i]];
        for (std::size_t j = i + 1; j < order.size(); ++j) {
            const ShownWord& b = words[order[j]];
            if (b.box.bottom >= a.box.top)
                break;
            if (a.fragment != b.fragment && Collide(a.box, b.box, clearance))
                return {order[i], order[j]};
        }
    }
    return {-1, -1};
}

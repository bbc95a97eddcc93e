#include "page/HarmodexPageLower.h"

#include "notation/NotationBox.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "analysis/Psychoacoustics.h"
#include "postscript/Charts.h"
#include "postscript/FontMetrics.h"
#include "postscript/NumericTables.h"
#include "postscript/PostScriptWriter.h"
#include "postscript/TextPrimitives.h"
#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"
#include "relations/Modalization.h"
#include "relations/CatalogueTables.h"
#include "relations/Molds.h"
#include "relations/Reversibility.h"
#include "relations/SetInfo.h"
#include "relations/SubsetSearch.h"

namespace {

// Sets of this many pitch classes or more are named by their Costère code.
constexpr int kCostereNaming = 8;

// When a block's text does not fit its box at full size, it is laid out
// again with line spacing and type reduced in these steps until it does.
constexpr float kScaleStep = 0.05f;
constexpr float kSmallestScale = 0.3f;

float cm(float centimetres) { return InCentimeters(centimetres); }

// factor × unit in double, kept in single precision like every coordinate.
float times(double factor, float unit) { return static_cast<float>(factor * unit); }

// The Costère code of a Tn-type. The lists of a page name catalogue types
// by the hundred, so the codes of all 351 are worked out once and shared by
// every page.
std::string CostereName(const std::vector<int>& tnType)
{
    static const std::vector<std::string> codes = [] {
        std::vector<std::string> all;
        for (const CatalogueEntry& entry : CatalogueEntries())
            all.push_back(calculateAdjCostereNumber(entry.tnType));
        return all;
    }();
    const int index = CatalogueIndexOf(tnType);
    return index >= 0 ? codes[index] : calculateAdjCostereNumber(tnType);
}

// A set named in a list: its pitch classes run together in parentheses, or,
// for large sets, a blank and its Costère code.
std::string ListName(const std::vector<int>& tnType)
{
    return static_cast<int>(tnType.size()) >= kCostereNaming ? " " + CostereName(tnType)
                                                             : "(" + FilterPcSetNumbersClose(tnType) + ")";
}

// What a writer puts on a memory stream, as a string.
template <typename Write>
std::string Composed(Write write)
{
    char* buffer = nullptr;
    std::size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    if (!stream)
        return std::string();
    write(stream);
    std::fclose(stream);
    std::string text(buffer ? buffer : "", size);
    std::free(buffer);
    return text;
}

// A block whose text stays inside its box: the lowest baseline of every
// column on or above the bottom edge, nothing in a third position, and no
// text running into another.
bool Fits(const TextBlockExtent& e)
{
    if (e.crowded || e.lowestBaseline[2] != std::numeric_limits<float>::infinity())
        return false;
    return e.lowestBaseline[0] >= e.boxBottom && e.lowestBaseline[1] >= e.boxBottom;
}

// Lays a block out at full size; if it overflows its box, again with
// smaller spacing and type until it fits, and writes the first layout that
// does (or the smallest one). A page that fits is thus written exactly as
// at full size.
template <typename Layout>
void WriteFitted(FILE* stream, TextBlockExtent* extent, Layout layout)
{
    TextBlockExtent e;
    auto compose = [&](float scale) {
        std::string text = Composed([&](FILE* out) { layout(out, scale, e); });
        e.crowded = FirstCollision(ShownWords(text), kTextClearance).first >= 0;
        return text;
    };
    std::string text = compose(1.0f);
    for (float scale = 1.0f - kScaleStep; !Fits(e) && scale >= kSmallestScale - 1e-4f; scale -= kScaleStep)
        text = compose(scale);
    std::fwrite(text.data(), 1, text.size(), stream);
    if (extent)
        *extent = e;
}

void ResetExtent(TextBlockExtent& e, float boxBottom, float scale)
{
    for (float& lowest : e.lowestBaseline)
        lowest = std::numeric_limits<float>::infinity();
    e.boxBottom = boxBottom;
    e.columns = 1;
    e.scale = scale;
    e.crowded = false;
}

// ---------------------------------------------------------------------------
// Classification column
// ---------------------------------------------------------------------------

// The running state of the column: lines are written at (x, y + d) and d
// falls by the line unit after each; a break test sends the rest of the
// column to its second position once d has fallen far enough. At a scale
// below 1 the line unit and the type shrink (the first line stays one line
// unit under the box's top edge), and each column holds more lines.
class Column {
public:
    Column(FILE* stream, const HarmodexPageGeometry& g, float scale, TextBlockExtent& extent,
           std::vector<PageRegion>* lines = nullptr)
        : lines_(lines), stream_(stream), secondX_(cm(9.355f) + g.left + g.classificationShift),
          x_(cm(5.305f) + g.left + g.classificationShift - cm(0.05f)), y_(cm(13.9f) + g.bottom), s_(cm(0.28f) * scale),
          top_(scale == 1.0f ? cm(-0.45f) : -cm(0.17f + 0.28f * scale)), d_(top_), size_(6.5f * scale),
          boxRight_(cm(5.305f) + g.left + g.classificationShift - cm(0.15f) + cm(8.25f)), extent_(extent)
    {
        const float boxX = cm(5.305f) + g.left + g.classificationShift - cm(0.15f);
        MakeSquare(stream, boxX, y_ - cm(3.9f), 15.2f, cm(8.25f), cm(3.73f));
        ResetExtent(extent, y_ - cm(3.9f), scale);
    }

    FILE* stream() const { return stream_; }
    float x() const { return x_; }
    float indented() const { return x_ + cm(0.16f); }
    float baseline() const { return y_ + d_; }
    float size() const { return size_; }

    // Called for every line written, before the offset moves on, with the
    // line's text (for the layout).
    void wrote(const std::string& text = std::string())
    {
        float& lowest = extent_.lowestBaseline[column_];
        lowest = std::min(lowest, baseline());
        if (!lines_)
            return;
        PageRegion line;
        line.block = group_;
        const float right = column_ == 0 ? secondX_ - kTextClearance : boxRight_;
        line.rect = {x_ - cm(0.1f), baseline() - times(0.3, s_), right, baseline() + times(0.7, s_)};
        line.value = PlainText(Trimmed(text));
        line.term = term_;
        lines_->push_back(std::move(line));
    }
    // The group of the lines that follow (the id of its block), and the term
    // they speak of: a bulleted line is its own term, an arrowed line with a
    // label ("poles: ...") is the label's, and continuation lines keep the
    // term of the line they continue.
    void group(const char* id) { group_ = id; }
    void term(const std::string& text)
    {
        term_ = PlainText(Trimmed(text));
        while (!term_.empty() && term_.back() == ':')
            term_.pop_back();
    }
    // Whether an arrowed line's ink ends short of what stands to its right:
    // the second position, or, there, the box's edge (kept as far off as
    // the first position's text is from the left edge).
    bool arrowedFits(const std::string& text) const
    {
        const std::string shown =
            Composed([&](FILE* out) { Print_Arrowed(out, indented(), baseline(), size_, text.c_str()); });
        const float limit = column_ == 0 ? secondX_ - kTextClearance : boxRight_ - cm(0.1f);
        for (const ShownWord& word : ShownWords(shown))
            if (word.box.right > limit)
                return false;
        return true;
    }

    void next() { d_ = d_ - s_; }
    void next(double factor) { d_ = d_ - times(factor, s_); }
    void gap() { d_ = d_ - times(0.35, s_); }

    // The second position is the last: a column that reaches its depth
    // again goes on downwards (and is then laid out smaller) rather than
    // starting over on its own lines.
    void breakTest(float centimetres)
    {
        if (y_ - cm(centimetres) >= y_ + d_) {
            ++extent_.columns;
            if (column_ == 1) {
                column_ = 2;
                return;
            }
            if (column_ == 2)
                return;
            x_ = secondX_;
            d_ = top_;
            column_ = 1;
        }
    }

    // The line kinds of the column.
    void bulleted(const std::string& text)
    {
        Print_Bulleted(stream_, x_, baseline(), size_, text.c_str());
        term(text);
        wrote(text);
        next();
    }
    void bulleted(const std::string& text, int draw)
    {
        Print_Bulleted(stream_, x_, baseline(), size_, text.c_str(), draw);
        term(text);  // every line of classification words holds terms of its own
        wrote(text);
        next();
    }
    void arrowed(const std::string& text)
    {
        Print_Arrowed(stream_, indented(), baseline(), size_, text.c_str());
        labelled(text);
        wrote(text);
        next();
    }
    void arrowed(const std::string& text, int draw)
    {
        Print_Arrowed(stream_, indented(), baseline(), size_, text.c_str(), draw);
        if (draw)
            labelled(text);
        wrote(text);
        next();
    }

private:
    void labelled(const std::string& text)
    {
        const std::size_t colon = text.find(':');
        if (colon != std::string::npos)
            term(text.substr(0, colon));
    }
    static std::string Trimmed(const std::string& text)
    {
        const std::size_t first = text.find_first_not_of(" ,");
        const std::size_t last = text.find_last_not_of(" ,");
        return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
    }

    std::vector<PageRegion>* lines_;
    std::string group_ = "classification-symmetry";
    std::string term_;
    FILE* stream_;
    float secondX_;
    float x_, y_, s_, top_, d_;
    float size_;
    float boxRight_;
    int column_ = 0;
    TextBlockExtent& extent_;
};

// A list of classification words run together into lines of at most 38
// characters: the first line bulleted, the following ones aligned with its
// text.
void ClassificationLines(Column& column, const std::vector<SetInfo>& records)
{
    const std::vector<std::string> lines = BreakUpSetInfoIntoFragments(records, 38);
    for (std::size_t i = 0; i < lines.size(); ++i)
        column.bulleted(lines[i], i == 0 ? 1 : 0);
}

// Items of a list written as arrowed lines of five items each, the first
// after the label, the others aligned under it with the arrow left out.
void PiecesOfFive(Column& column, const std::string& label, const std::string& text)
{
    bool first = true;
    for (const std::string& piece : BreakUpStringInPieces(text, 4)) {
        if (piece.empty() || piece == " " || piece == "  ")
            continue;
        if (first)
            column.arrowed(label + piece, 1);
        else
            column.arrowed("    " + piece, 0);
        first = false;
    }
}

// The axes of symmetry. The classification reports axes through pitch
// classes whenever the set has any (also when it has axes between pitch
// classes as well); those are pitch classes, in parentheses when the set
// does not hold them, and all twelve are "all chromas". Otherwise the axes
// lie between pitch classes and are written as the record names them, five
// to a line: six of them would run into the second column.
void AxesLines(Column& column, const PitchClassSet& p, const std::string& record)
{
    if (p.pcAxes.empty()) {
        if (NumberOfItemsInString(record) > 5)
            PiecesOfFive(column, "axes: ", record);
        else
            column.arrowed("axes: " + record);
        return;
    }
    const std::vector<int> axes = StringToVector(record);
    if (axes.size() == 12) {
        column.arrowed("axes: all chromas");
        return;
    }
    std::string text = "axes: ";
    for (int v : axes) {
        const std::string token = FilterPcSetNumbers(v);
        text += p.isIntrinsic(v) ? token + " " : "(" + token + ") ";
    }
    column.arrowed(text);
}

// A label and its items on one arrowed line, or, when that line would run
// into the second position (or out of the box), on the fewest lines that
// do not, the items shared out evenly; the following lines are aligned
// under the first's text with the arrow left out.
void ArrowedWithin(Column& column, const std::string& label, const std::string& items)
{
    if (column.arrowedFits(label + items)) {
        column.arrowed(label + items);
        return;
    }
    // Items one by one, each followed by a blank.
    std::vector<std::string> pieces = BreakUpStringInPieces(items, 0);
    pieces.pop_back();
    std::vector<std::string> lines{label + items};  // a single item stays whole
    for (std::size_t count = 2; count <= pieces.size(); ++count) {
        const std::size_t each = (pieces.size() + count - 1) / count;
        lines.clear();
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (i % each == 0)
                lines.push_back(i == 0 ? label : "    ");
            lines.back() += pieces[i];
        }
        if (std::all_of(lines.begin(), lines.end(), [&](const std::string& line) { return column.arrowedFits(line); }))
            break;
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
        column.arrowed(lines[i], i == 0 ? 1 : 0);
}

// Points of a multimodalization group or of a tonal imitation pattern, eight
// items to a line, continuation lines indented under the first.
void PointLines(Column& column, const std::vector<SetInfo>& records)
{
    for (const SetInfo& record : records) {
        const std::vector<std::string> pieces = BreakUpStringInPieces(record.text, 7);
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (i == 0)
                column.arrowed(" " + pieces[i], 1);
            else
                column.arrowed("    " + pieces[i], 0);
            column.breakTest(3.95f);
        }
    }
    if (!records.empty())
        column.gap();
}

void LayOutClassification(Column& column, const PitchClassSet& p,
                          const std::vector<std::vector<std::string>>& reversibility)
{
    FILE* stream = column.stream();
    const float operatorSize = static_cast<float>(1.1 * column.size());

    // Symmetry, the relatives (the inversions that map the set onto itself)
    // and the axes.
    column.group("classification-symmetry");
    for (const SetInfo& record : p.getSetInfoByLabel("Symmetry Classification"))
        column.bulleted(record.text);
    if (p.isSymmetric() && !p.symmetryIndices.empty()) {
        const bool one = p.symmetryIndices.size() == 1;
        Print_TextII(stream, column.indented(), column.baseline(), column.size(),
                     one ? "relative: " : "relatives: ", kAlignLeft);
        const std::string index = FilterPcSetNumbers(p.symmetryIndices.front()) + (one ? "" : "+");
        Print_TN(stream, column.x() + cm(one ? 0.9f : 1.0f) + cm(0.16f), column.baseline(), operatorSize, "I",
                 index.c_str());
        column.term(one ? "relative" : "relatives");
        column.wrote((one ? "relative: I" : "relatives: I") + index);
        column.next();
    }
    for (const SetInfo& record : p.getSetInfoByLabel("Axes"))
        AxesLines(column, p, record.text);
    column.gap();
    column.breakTest(3.95f);

    // Cardinal polarity; its poles (and below, the tonal centres) are
    // read with the attraction tables.
    column.group("classification-cardinal");
    ClassificationLines(column, p.getSetInfoByLabel("Cardinal Classification"));
    column.group("poles");
    for (const SetInfo& record : p.getSetInfoByLabel("Cardinal Poles"))
        ArrowedWithin(column, "poles: ", record.text);
    for (const SetInfo& record : p.getSetInfoByLabel("Cardinal Intrasubpoles"))
        column.arrowed("intrasubpoles: " + record.text);
    column.gap();
    column.breakTest(3.95f);

    // Tonal centres. A long list of centres is left to the tonal tables.
    column.group("classification-tonal");
    ClassificationLines(column, p.getSetInfoByLabel("Tonal Classification"));
    column.group("poles");
    for (const SetInfo& record : p.getSetInfoByLabel("Tonal Centers")) {
        if (NumberOfItemsInString(record.text) < 7)
            PiecesOfFive(column, "centers: ", record.text);
        else
            column.arrowed("centers: see tonal tables");
    }
    for (const SetInfo& record : p.getSetInfoByLabel("Tonal Intrasubcenters"))
        column.arrowed("intrasubcenters: " + record.text);
    if (p.tonalPoles.size() < 5) {
        for (const SetInfo& record : p.getSetInfoByLabel("Binary Components"))
            column.arrowed("binary triads:" + record.text);
    } else {
        column.arrowed("binary triads: see tonal tables");
    }
    column.gap();
    column.breakTest(3.95f);

    column.group("classification-transpositional");
    for (const SetInfo& record : p.getSetInfoByLabel("Transpositional Classification"))
        column.bulleted(record.text);
    column.gap();
    column.breakTest(3.6f);

    // Reversibility: the unions the set forms with those of its own
    // transforms (and of its Z-partners' transpositions) that share no tone
    // with it.
    column.group("classification-reversibility");
    if (!reversibility.empty()) {
        column.bulleted("autocomplementarity:");
        for (const std::vector<std::string>& row : reversibility) {
            if (row[0] != "+T" && row[0] != "+I")
                continue;
            Print_ReversibilityThreeStage(stream, column.indented(), column.baseline(), column.size(),
                                          row[0] == "+I" ? 1 : 0, row[1].c_str(), row[2].c_str(), row[3].c_str());
            column.wrote("+ " + row[0].substr(1) + row[1] + " = " + row[2] + " " + row[3]);
            column.next(1.1);
            column.breakTest(3.95f);
        }
        // An inversionally symmetric set has no rows of its own for its
        // inversions: they are those of its transpositions.
        if (p.isSymmetric()) {
            Print_TextII(stream, column.indented(), column.baseline(), column.size(), "and conversely at relatives",
                         kAlignLeft);
            column.wrote("and conversely at relatives");
            column.next(1.1);
            column.breakTest(3.95f);
        }
        for (const std::vector<std::string>& row : reversibility) {
            if (row[0] == "+T" || row[0] == "+I")
                continue;
            Print_ReversibilityFourStage(stream, column.indented(), column.baseline(), column.size(), row[0].c_str(),
                                         row[1].c_str(), row[2].c_str(), row[3].c_str());
            column.wrote(row[0] + " " + row[1] + " " + row[2] + " " + row[3]);
            column.next(1.1);
            column.breakTest(3.95f);
        }
    }
    column.gap();
    column.breakTest(3.95f);

    // Multimodalization and tonal imitation.
    column.group("classification-multimodalization");
    for (const SetInfo& record : p.getSetInfoByLabel("Multimodalization Classification")) {
        column.bulleted(record.text);
        column.breakTest(3.95f);
    }
    PointLines(column, p.getSetInfoByLabel("Multimodalization Point"));
    column.breakTest(3.75f);
    column.group("classification-imitation");
    for (const SetInfo& record : p.getSetInfoByLabel("Tonal Imitation Classification")) {
        column.bulleted(record.text);
        column.breakTest(3.95f);
    }
    PointLines(column, p.getSetInfoByLabel("Tonal Imitation Points"));
}

}  // namespace

namespace {

// The column, and when a layout is given its box and the lines of the
// layout that was written (the last one tried).
void drawClassification(FILE* stream, const HarmodexPageGeometry& g, const PitchClassSet& p, TextBlockExtent* extent,
                        PageLayout* layout)
{
    const std::vector<std::vector<std::string>> reversibility = AnalyseReversibility_II(p.getTnType());
    std::vector<PageRegion> lines;
    WriteFitted(stream, extent, [&](FILE* out, float scale, TextBlockExtent& e) {
        lines.clear();
        Column column(out, g, scale, e, layout ? &lines : nullptr);
        LayOutClassification(column, p, reversibility);
    });
    if (!layout)
        return;
    const float boxX = cm(5.305f) + g.left + g.classificationShift - cm(0.15f);
    const float boxY = cm(13.9f) + g.bottom - cm(3.9f);
    // Between the groups' lines the box itself: its first group.
    layout->addBlock("classification-symmetry", RectOf(boxX, boxY, cm(8.25f), cm(3.73f)));
    for (PageRegion& line : lines) {
        // A group's block reaches across the gaps between its lines.
        PageRect band = line.rect;
        band.bottom -= cm(0.1f);
        layout->addBlock(line.block, band);
        layout->addDetail(std::move(line));
    }
}

}  // namespace

void DrawClassificationColumn(FILE* stream, const HarmodexPageGeometry& g, const PitchClassSet& p,
                              TextBlockExtent* extent)
{
    drawClassification(stream, g, p, extent, nullptr);
}

// ---------------------------------------------------------------------------
// Commonality
// ---------------------------------------------------------------------------

namespace {

// The twelve transpositions of a triad, each with the vertex table that
// commonality compares, as CalculateCommonalityForAllTns prepares them.
// Every page has a row against each triad, so they are prepared once.
std::vector<PitchClassSet> PreparedTranspositions(const std::vector<int>& triad)
{
    PitchClassSet base;
    base.initializeSet(triad);
    std::vector<PitchClassSet> transposed(12);
    for (int k = 0; k < 12; ++k) {
        transposed[k].initializeSet(base.get_PitchClassSet(0, k));
        transposed[k].calculateParncuttTable();
    }
    return transposed;
}

// Entry k: the commonality of p with the k-th prepared transposition,
// rounded as CalculateCommonalityForAllTns rounds it.
std::vector<int> CommonalityRow(const PitchClassSet& p, const std::vector<PitchClassSet>& transposed)
{
    std::vector<int> row(12, 0);
    for (int k = 0; k < 12; ++k)
        row[k] = static_cast<int>(CalculateCommonality(p, transposed[k]) + 0.5f);
    return row;
}

}  // namespace

void DrawCommonalityBlock(FILE* stream, const HarmodexPageGeometry& g, const PitchClassSet& p, PageLayout* layout)
{
    static const std::vector<PitchClassSet> majorTriads = PreparedTranspositions({0, 4, 7});
    static const std::vector<PitchClassSet> minorTriads = PreparedTranspositions({0, 3, 7});

    const float x = cm(6.34f) + g.left + g.commonalityShift;
    const float y = g.bottom + cm(12.3f) + cm(3.825f);
    const float s = cm(0.23f);
    const float size = 5.6f;
    const float operatorSize = static_cast<float>(1.1 * size);
    const float step = cm(0.45f);
    const float valuesX = x + cm(0.4f);
    float d = cm(-1.2f);

    MakeSquare(stream, x - cm(1.14f), y - cm(2.3f), 15.2f, cm(6.89f), cm(1.62f));
    if (layout)
        layout->addBlock("commonality", RectOf(x - cm(1.14f), y - cm(2.3f), cm(6.89f), cm(1.62f)));

    // The commonality of the set's vertex table with that of each
    // transposition of the set itself and of its inversion. When the two
    // rows coincide they are printed once; the triads themselves need no
    // row of their own beside the two triad rows.
    const std::vector<int> tnType = p.getTnType();
    PitchClassSet other;
    other.initializeSet(tnType);
    const std::vector<int> withTns = CalculateCommonalityForAllTns(p, other);
    other.initializeSet(p.get_PitchClassSet(1, 0));
    const std::vector<int> withTnIs = CalculateCommonalityForAllTns(p, other);
    const bool equal = VectorsAreEqual(withTns, withTnIs);
    if (equal)
        d = d - s;
    const std::string text = VectorToString(tnType);
    const bool triad = text == "0 4 7" || text == "0 3 7";
    if (triad)
        d = d - times(2, s);

    Print_TextII(stream, x + cm(0.75f), y + d + cm(0.25f), size, "COMMONALITY", kAlignRight);
    PrintNumericTablesSimpleII(stream, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, valuesX, y + d, step, size);
    d = d - times(1.25, s);
    Print_Pentagram(stream, 1, x + cm(0.23f), y + d - cm(0.12f), 20.0f, cm(4.9f));

    // A row and, for the layout, its cells: the commonality in per cent
    // with what each column's level makes of the row's set.
    auto row = [&](const char* label, const std::vector<int>& values, const char* rowName, auto with) {
        Print_TextII(stream, x, y + d, size, label, kAlignRight);
        PrintNumericTablesSimpleHundred(stream, values, valuesX, y + d, step, size);
        if (layout) {
            const std::vector<float> columns = NumericTableColumns(valuesX, step);
            for (int k = 0; k < 12 && k < static_cast<int>(values.size()); ++k) {
                PageRegion cell;
                cell.block = "commonality";
                cell.rect = {columns[k] - step / 2, y + d - 1.5f, columns[k] + step / 2, y + d - 1.5f + s};
                cell.row = rowName;
                cell.column = FilterPcSetNumbers(k);
                cell.value = std::to_string(values[k]) + "%";
                cell.what = "Commonality with " + with(k);
                layout->addDetail(std::move(cell));
            }
        }
        d = d - s;
    };
    const auto level = [](const char* operation) {
        return [operation](int k) { return std::string(operation) + FilterPcSetNumbers(k) + " of the set"; };
    };
    if (!triad) {
        if (!equal) {
            Print_TN(stream, x - cm(0.33f), y + d, operatorSize, "T", "n");
            row(":", withTns, "Tn", level("T"));
            Print_TN(stream, x - cm(0.26f), y + d, operatorSize, "I", "n");
            row(":", withTnIs, "In", level("I"));
        } else {
            Print_TN(stream, x - cm(0.75f), y + d, operatorSize, "T", "n");
            Print_TN(stream, x - cm(0.26f), y + d, operatorSize, "I", "n");
            row("&     :", withTns, "Tn & In", [](int k) {
                const std::string n = FilterPcSetNumbers(k);
                return "T" + n + " and I" + n + " of the set";
            });
        }
    }
    row("(047):", CommonalityRow(p, majorTriads), "(047)",
        [](int k) { return "the major triad on " + PitchClassWithName(k); });
    row("(037):", CommonalityRow(p, minorTriads), "(037)",
        [](int k) { return "the minor triad on " + PitchClassWithName(k); });
}

// ---------------------------------------------------------------------------
// Subsets and supersets
// ---------------------------------------------------------------------------

namespace {

// The running state of the strip: texts at (L + x, B + y), first column
// left-aligned from the strip's left edge, then, once y has come within
// 5.6 points of the bottom margin, a second column right-aligned at its
// right edge. At a scale below 1 the line steps and the type shrink.
class Strip {
public:
    Strip(FILE* stream, const HarmodexPageGeometry& g, float scale, TextBlockExtent& extent)
        : stream_(stream), g_(g), x_(g.subsetShift + cm(0.125f)), y_(cm(16.9f)), scale_(scale), extent_(extent)
    {
        MakeSquare(stream, cm(0.07f) + g.left + g.subsetShift, g.bottom + cm(0.1f), 15.2f, cm(5.0f), cm(17.05f));
        ResetExtent(extent, g.bottom + cm(0.1f), scale);
    }

    FILE* stream() const { return stream_; }
    float x() const { return g_.left + x_; }
    float y() const { return g_.bottom + y_; }
    int align() const { return align_; }
    float size(double size) const { return static_cast<float>(size * scale_); }

    void wrote()
    {
        float& lowest = extent_.lowestBaseline[column_];
        lowest = std::min(lowest, y());
    }

    void down(float centimetres) { y_ = y_ - cm(centimetres) * scale_; }
    void wrapIfBelow(float points)
    {
        if (y_ <= points) {
            x_ = x_ + cm(4.89f);
            y_ = cm(16.9f);
            align_ = 2;
            column_ = std::min(column_ + 1, 2);
            ++extent_.columns;
        }
    }
    void wrap() { wrapIfBelow(5.6f); }

private:
    FILE* stream_;
    const HarmodexPageGeometry& g_;
    float x_, y_;
    float scale_;
    int align_ = 0;
    int column_ = 0;
    TextBlockExtent& extent_;
};

constexpr double kHeadingSize = 6.0;
constexpr double kEntrySize = 5.6;

void Heading(Strip& strip, const char* text)
{
    Print_TextII(strip.stream(), strip.x(), strip.y(), strip.size(kHeadingSize), text, strip.align());
    strip.wrote();
    strip.down(0.3f);
}

// What a list shows when it is empty or holds the exceptions: the empty-set
// sign, "all smaller" / "all bigger", or the words that introduce the
// exceptions.
void ListPreamble(Strip& strip, int flag, bool empty, const char* all, const char* except)
{
    if (flag == -1 && !empty)
        Heading(strip, except);
    if (!empty || (flag != 1 && flag != -1))
        return;
    if (flag == 1)
        Print_TextIV(strip.stream(), strip.x(), strip.y(), strip.size(7.28), "   \\306", strip.align());
    else
        Print_TextII(strip.stream(), strip.x(), strip.y(), strip.size(kHeadingSize), all, strip.align());
    strip.wrote();
    strip.down(0.2f);
    strip.wrap();
}

// Everything the strip shows, found once and laid out at any scale.
struct StripContents {
    int subsetFlag = 0, supersetFlag = 0;
    std::vector<std::vector<int>> subsets, supersets;
    std::vector<std::string> subsetNames, subsetIndexes, remainderNames, remainderLevels;
    std::vector<int> marks;
    std::vector<std::string> supersetNames, supersetIndexes;
};

StripContents FindStripContents(const PitchClassSet& p)
{
    StripContents c;
    const std::vector<int> tnType = p.getTnType();

    // Subsets: each Tn-type that lies inside the set, with the levels at
    // which it does (grouped by modalization) and what remains of the set
    // once those transpositions are taken out.
    c.subsets = FindAllSubsetsSoft(tnType, &c.subsetFlag);
    std::vector<std::vector<int>> indexes;
    std::vector<RobustSetInfo> remainders;
    std::vector<ModalizationInfo> modalization;
    if (c.subsetFlag == 1) {
        modalization = calculateModalizationAttributes(p);
        indexes = findIntrinsicTranspositionIndexes(c.subsets, p);
        remainders = findRemainder(c.subsets, indexes, p);
    }
    for (std::size_t i = 0; i < c.subsets.size(); ++i) {
        const std::vector<int>& subset = c.subsets[i];
        c.subsetNames.push_back(ListName(subset));
        std::string index, remainderName, remainderLevels;
        int mark = 0;
        if (c.subsetFlag == 1 && subset.size() > 1) {
            index = AssembleSubsetIndexModNotation(tnType, subset, indexes[i], modalization, &mark);
            const RobustSetInfo& remainder = remainders[i];
            remainderName = ListName(remainder.tnType);
            remainderLevels = SPECIAL_FilterPcSetNumbersWithCommas(remainder.tnType, remainder.levels, 1) + ",";
        }
        c.subsetIndexes.push_back(index);
        c.remainderNames.push_back(remainderName);
        c.remainderLevels.push_back(remainderLevels);
        c.marks.push_back(mark);
    }

    // Supersets: the Tn-types that contain the set, with the levels at
    // which the set lies in them.
    c.supersets = FindAllSupersetsSoft(tnType, &c.supersetFlag);
    if (c.supersetFlag == 1)
        indexes = findIntrinsicTranspositionIndexes(c.supersets, p);
    for (std::size_t i = 0; i < c.supersets.size(); ++i) {
        c.supersetNames.push_back(ListName(c.supersets[i]));
        c.supersetIndexes.push_back(c.supersetFlag == 1 ? AssembleSupersetIndexNotation(c.supersets[i], indexes[i])
                                                        : std::string());
    }
    return c;
}

void LayOutStrip(Strip& strip, const StripContents& c)
{
    FILE* stream = strip.stream();
    const float entrySize = strip.size(kEntrySize);

    Heading(strip, "SUBSETS");
    ListPreamble(strip, c.subsetFlag, c.subsets.empty(), "all smaller", "all smaller except:");
    for (std::size_t i = 0; i < c.subsets.size(); ++i) {
        const std::string& name = c.subsetNames[i];
        const std::string& index = c.subsetIndexes[i];
        if (c.subsetFlag != 1) {
            Print_TextIIIitallic(stream, strip.x(), strip.y(), entrySize, name.c_str(), index.c_str(), strip.align());
        } else {
            // A subset with its levels and the remainder with its levels.
            std::string remainderName = c.remainderNames[i];
            const std::string& remainderLevels = c.remainderLevels[i];
            const SubsetLineFit fit =
                FitSubsetLine(name.size() + index.size() + remainderName.size() + remainderLevels.size());
            // "!": the transforms written for the subset cover the whole set.
            if (c.marks[i] == 1 && remainderName != "()")
                remainderName += "\\041";
            Print_SubsetConfiguration(stream, strip.x(), strip.y(), strip.size(kEntrySize * fit.factor), name.c_str(),
                                      index.c_str(), remainderName.c_str(), remainderLevels.c_str(), strip.align(),
                                      fit.join);
        }
        strip.wrote();
        strip.down(0.2f);
        strip.wrap();
    }
    strip.down(0.3f);

    // The superset heading starts the second column rather than stand
    // alone at the foot of the first.
    strip.wrapIfBelow(8.6f);
    Heading(strip, "SUPERSETS");
    ListPreamble(strip, c.supersetFlag, c.supersets.empty(), "all bigger", "all bigger except:");
    for (std::size_t i = 0; i < c.supersets.size(); ++i) {
        Print_TextIIIitallic(stream, strip.x(), strip.y(), entrySize, c.supersetNames[i].c_str(),
                             c.supersetIndexes[i].c_str(), strip.align());
        strip.wrote();
        strip.down(0.2f);
        strip.wrap();
    }
}

}  // namespace

SubsetLineFit FitSubsetLine(std::size_t n)
{
    SubsetLineFit fit{1.0f, 0};
    if (n > 35)
        fit.factor = static_cast<float>(0.09 - ((static_cast<double>(n) - 36) / 20) * 0.09 + 0.91);
    if (n >= 36)
        fit.join = n <= 46 ? 1 : 2;
    return fit;
}

void DrawSubsetStrip(FILE* stream, const HarmodexPageGeometry& g, const PitchClassSet& p, TextBlockExtent* extent)
{
    const StripContents contents = FindStripContents(p);
    WriteFitted(stream, extent, [&](FILE* out, float scale, TextBlockExtent& e) {
        Strip strip(out, g, scale, e);
        LayOutStrip(strip, contents);
    });
}

void DrawLowerPage(FILE* stream, const HarmodexPageGeometry& g, const PitchClassSet& p, PageLayout* layout)
{
    drawClassification(stream, g, p, nullptr, layout);
    DrawCommonalityBlock(stream, g, p, layout);
    DrawSubsetStrip(stream, g, p);
    if (layout)
        layout->addBlock("strips",
                         RectOf(cm(0.07f) + g.left + g.subsetShift, g.bottom + cm(0.1f), cm(5.0f), cm(17.05f)));
}

#include "page/HarmodexPage.h"
#include "page/HarmodexPageLower.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <vector>

#include "analysis/Psychoacoustics.h"
#include "notation/Glyphs.h"
#include "postscript/Charts.h"
#include "notation/NotationBox.h"
#include "postscript/NumericTables.h"
#include "postscript/PostScriptWriter.h"
#include "postscript/TextPrimitives.h"
#include "pcset/Conversions.h"
#include "pcset/CostereCode.h"
#include "relations/SetAlgebra.h"
#include "relations/SubsetSearch.h"
#include "relations/ZRelations.h"

namespace {

// Sets of this many pitch classes or more are named by their Costère code:
// their pitch-class numbers would no longer fit the lines of the page.
constexpr int kCostereNaming = 8;

// Every line the page writes is assembled as a std::string, so that a long
// text is printed whole and nothing is cut or overrun.
std::string Format(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    va_list again;
    va_copy(again, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0)
        std::vsnprintf(&text[0], text.size() + 1, format, again);
    va_end(again);
    return text;
}

float cm(float centimetres) { return InCentimeters(centimetres); }

// A distance of factor × unit, computed in double and kept in single
// precision like every coordinate.
float times(double factor, float unit) { return static_cast<float>(factor * unit); }

// A set named on the page: its pitch classes run together in parentheses,
// or, for large sets, its Costère code.
std::string closeName(const std::vector<int>& tnType) { return "(" + FilterPcSetNumbersClose(tnType) + ")"; }

std::string secondText(const std::vector<SetInfo>& records)
{
    return records.empty() ? std::string() : records.front().text;
}

void drawRunningHead(FILE* stream, const HarmodexPageGeometry& g, int page)
{
    const float y = (g.height - g.top) + g.bottom - cm(1.8f);
    const std::string number = Format("- %d -", page);
    if (!g.even) {
        const float x = cm(2.4f) + g.left;
        Print_Text(stream, x, y, 10, "HARMODEX", kAlignCentre);
        Print_Text(stream, x + cm(3.3f), y, 11, number.c_str(), kAlignCentre);
    } else {
        const float x = cm(10.95f) + g.left;
        Print_Text(stream, x, y, 10, "HARMODEX", kAlignCentre);
        Print_Text(stream, x - cm(3.07f), y, 11, number.c_str(), kAlignCentre);
    }
}

void drawFrame(FILE* stream, const HarmodexPageGeometry& g)
{
    MakeSquare(stream, g.left, g.bottom, 30, g.width - (g.left + g.right), g.height - (cm(0.8f) + g.bottom + g.top));
}

// The title box on the outer side of the page: the set's Costère code and
// its pitch classes, the more telling of the two large on the outer side.
void drawTitle(FILE* stream, const HarmodexPageGeometry& g, const std::vector<int>& tnType, int cardinality,
               PageLayout* layout)
{
    const std::string name = calculateAdjCostereNumber(tnType);
    const std::string numbers = "(" + FilterPcSetNumbers(tnType) + ")";
    const bool large = cardinality >= kCostereNaming;
    const std::string& bigText = large ? name : numbers;
    const std::string& smallText = large ? numbers : name;

    const float titleWidth = 5.9f;
    auto anchor = [&](double factor) { return cm(static_cast<float>(g.leftCm + titleWidth * factor)) + g.titleShift; };
    const float outer = anchor(g.even ? 0.02 : 0.98);
    const float inner = anchor(g.even ? 0.98 : 0.02);
    const int outerAlign = g.even ? 0 : kAlignRight;
    const int innerAlign = g.even ? kAlignRight : 0;
    const float y = g.height - (cm(0.55f) + g.top);
    Print_TextII(stream, outer, y, 13.5f, bigText.c_str(), outerAlign);
    Print_TextII(stream, inner, y, 10.5f, smallText.c_str(), innerAlign);

    MakeSquare(stream, g.left + g.titleShift, g.height - (cm(0.8f) + g.top), 30, cm(titleWidth), cm(0.8f));
    if (layout) {
        const PageRect box = RectOf(g.left + g.titleShift, g.height - (cm(0.8f) + g.top), cm(titleWidth), cm(0.8f));
        layout->addBlock("identity", box);
        // The outer half holds the large name, the inner half the other.
        const float middle = (box.left + box.right) / 2;
        const PageRect outerHalf =
            g.even ? PageRect{box.left, box.bottom, middle, box.top} : PageRect{middle, box.bottom, box.right, box.top};
        const PageRect innerHalf =
            g.even ? PageRect{middle, box.bottom, box.right, box.top} : PageRect{box.left, box.bottom, middle, box.top};
        PageRegion code;
        code.block = "identity";
        code.rect = large ? outerHalf : innerHalf;
        code.term = "Costère code";
        code.what = "Costère code";
        code.value = name;
        layout->addDetail(code);
        PageRegion set;
        set.block = "identity";
        set.rect = large ? innerHalf : outerHalf;
        set.term = "Tn-type";
        set.what = "Tn-type, the set in its prime form under transposition";
        set.value = FilterPcSetNumbers(tnType);
        layout->addDetail(set);
    }
}

// Root, vertex and Costère tables under a header of pitch classes, then the
// invariance rows, in one box.
void drawTableBlock(FILE* stream, const HarmodexPageGeometry& g, const PitchClassSet& p, PageLayout* layout)
{
    const float x = cm(2.575f) + g.left + g.tableShift;
    const float u = cm(0.5f);
    const float labelSize = 8.0f;
    const float labelX = x - cm(0.4f);
    float y = cm(20.726f) + g.bottom;

    y -= times(1.25, u);
    PrintNumericTablesSimpleII(stream, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, x, y, u, 8.8f);
    y -= u;
    Print_Pentagram(stream, 1, x - cm(0.25f), y, 20.0f, cm(5.9f));

    // What a cell of each row tells, for the layout: the row's meaning at
    // a pitch class (or a level), and why a cell stands in parentheses.
    struct Row {
        double factor;
        const char* label;
        const char* table;
        std::vector<int> (PitchClassSet::*values)() const;
        const char* block;
        const char* meaning;  // %s: the pitch class or level
        const char* outside;  // %s: the same, for a cell in parentheses
    };
    static const Row rows[] = {
        {0, "root:", "Parncutt", &PitchClassSet::getParncuttTable, "root-salience", "Root salience of %s",
         "In parentheses: %s is not in the set."},
        {0.8, "vertex:", "ParncuttInv", &PitchClassSet::getParncuttInvTable, "root-salience", "Vertex salience of %s",
         "In parentheses: %s is not in the set."},
        {1.25, "cardinal:", "CostereCardinal", &PitchClassSet::getCostereCardinalTable, "attraction",
         "Cardinal attraction of %s", "In parentheses: %s is not in the set."},
        {0.8, "tonal M:", "CostereTonalMajor", &PitchClassSet::getCostereTonalMajorTable, "attraction",
         "Tonal attraction of the major triad on %s", "In parentheses: the major triad on %s is not in the set."},
        {0.8, "tonal m:", "CostereTonalMinor", &PitchClassSet::getCostereTonalMinorTable, "attraction",
         "Tonal attraction of the minor triad on %s", "In parentheses: the minor triad on %s is not in the set."},
        {1.25, "transpositional:", "CostereTranspositional", &PitchClassSet::getCostereTranspositionalTable,
         "attraction", "Transpositional attraction at %s", "In parentheses: the set at %s does not lie within it."},
        {0.8, "inversional:", "CostereInversional", &PitchClassSet::getCostereInversionalTable, "attraction",
         "Inversional attraction at %s", "In parentheses: the set at %s does not lie within it."},
    };
    // A row's cells, centred on the columns where the tables print them.
    auto recordRow = [&](const char* block, const char* label, const std::vector<int>& values, float baseline,
                         auto meaningOf, auto noteOf) {
        if (!layout)
            return;
        const std::vector<float> columns = NumericTableColumns(x, u);
        for (int k = 0; k < 12 && k < static_cast<int>(values.size()); ++k) {
            PageRegion cell;
            cell.block = block;
            cell.rect = {columns[k] - u / 2, baseline - 3.0f, columns[k] + u / 2, baseline + 7.0f};
            cell.row = std::string(label, std::string(label).find(':'));
            cell.column = FilterPcSetNumbers(k);
            cell.value = std::to_string(values[k]);
            cell.what = meaningOf(k);
            cell.note = noteOf(k);
            layout->addDetail(std::move(cell));
        }
    };
    const float rootTop = y + times(1.7, u);  // above the row of pitch classes
    float rootBottom = y;
    for (const Row& row : rows) {
        y -= times(row.factor, u);
        Print_TextII(stream, labelX, y, labelSize, row.label, kAlignRight);
        const std::vector<int> values = (p.*row.values)();
        PrintNumericTables(stream, p, row.table, values, x, y, u, labelSize);
        const bool byLevel =
            std::string(row.table) == "CostereTranspositional" || std::string(row.table) == "CostereInversional";
        const char* operation = std::string(row.table) == "CostereInversional" ? "I" : "T";
        auto at = [&](int k) {
            return byLevel ? std::string(operation) + FilterPcSetNumbers(k) : PitchClassWithName(k);
        };
        recordRow(
            row.block, row.label, values, y, [&](int k) { return Format(row.meaning, at(k).c_str()); },
            [&](int k) {
                return NumericTableCellQualifies(p, row.table, k) ? std::string() : Format(row.outside, at(k).c_str());
            });
        if (std::string(row.block) == "root-salience")
            rootBottom = y - 3.0f;
    }

    const float operatorSize = static_cast<float>(1.1 * labelSize);
    const auto nothing = [](int) { return std::string(); };
    y -= times(1.25, u);
    Print_TN(stream, labelX - cm(1.82f), y, operatorSize, "T", "n");
    Print_TextII(stream, labelX, y, labelSize, "invariance:", kAlignRight);
    PrintNumericTablesSimple(stream, p.getInvarianceTnTable(), x, y, u, labelSize);
    recordRow(
        "attraction", "Tn invariance:", p.getInvarianceTnTable(), y,
        [](int k) { return "Common tones of the set and its T" + FilterPcSetNumbers(k); }, nothing);
    y -= times(0.8, u);
    Print_TN(stream, labelX - cm(1.75f), y, operatorSize, "I", "n");
    Print_TextII(stream, labelX, y, labelSize, "invariance:", kAlignRight);
    PrintNumericTablesSimple(stream, p.getInvarianceTnITable(), x, y, u, labelSize);
    recordRow(
        "attraction", "In invariance:", p.getInvarianceTnITable(), y,
        [](int k) { return "Common tones of the set and its I" + FilterPcSetNumbers(k); }, nothing);

    y -= times(0.9975, u);
    MakeSquare(stream, x - cm(2.47f), y + cm(0.3f), 15.2f, cm(8.25f), cm(5.05f));
    if (layout) {
        // The whole box is the attraction tables; its top rows (the pitch
        // classes and the two salience rows) are the root salience.
        layout->addBlock("attraction", RectOf(x - cm(2.47f), y + cm(0.3f), cm(8.25f), cm(5.05f)));
        layout->addBlock("root-salience", {x - cm(2.47f), rootBottom, x - cm(2.47f) + cm(8.25f), rootTop});
    }
}

// The number of pitch classes, large, with the Forte name beside the
// dynamic-mark f.
void drawCardinalityBox(FILE* stream, const HarmodexPageGeometry& g, const PitchClassSet& p, PageLayout* layout)
{
    const float x = cm(3.84f) + g.left + g.cardinalityShift;
    const float y = g.bottom + cm(10.52f) - cm(0.52f) + cm(3.825f);
    MakeSquare(stream, x, y, 15.2f, cm(1.27f), cm(1.62f));
    if (layout) {
        layout->addBlock("identity", RectOf(x, y, cm(1.27f), cm(1.62f)));
        PageRegion count;
        count.block = "identity";
        count.rect = RectOf(x, y, cm(1.27f), cm(1.25f));
        count.term = "cardinality";
        count.what = "Cardinality, the number of pitch classes";
        count.value = Format("%d", p.getNelementsNormal());
        layout->addDetail(count);
        PageRegion forte;
        forte.block = "identity";
        forte.rect = RectOf(x, y + cm(1.25f), cm(1.27f), cm(0.37f));
        forte.term = "Forte name";
        forte.what = "Forte name";
        forte.value = FindForteName(p);
        layout->addDetail(forte);
    }
    const int cardinality = p.getNelementsNormal();
    const std::string count = Format("%d", cardinality);
    Print_TextII(stream, x + cm(0.62f), y + cm(0.47f), 29, count.c_str(), kAlignCentre);
    Print_TextII(stream, x + cm(0.63f), y + cm(0.15f), 6.5f, cardinality == 1 ? "item" : "items", kAlignCentre);
    Print_Glyph(stream, "forte", x + cm(0.2f), y + cm(1.38f), 10, 10);
    const std::string forteName = FindForteName(p);
    Print_TextII(stream, x + cm(0.47f), y + cm(1.35f), 5.6f, forteName.c_str(), kAlignLeft);
}

// One list of generatrices after the cursor c (cm): an arrow, then each
// pitch class, in parentheses when the set does not hold it.
void drawGeneratrices(FILE* stream, float x, float y, float size, const char* arrow,
                      const std::vector<int>& generatrices, const PitchClassSet& p, double& c)
{
    for (int g : generatrices) {
        Print_TextIV(stream, x + cm(static_cast<float>(c)), y, size, arrow, kAlignLeft);
        c += 0.141732;
        const bool member = p.isIntrinsic(g);
        const std::string token = FilterPcSetNumbers(g);
        const std::string text = member ? token + " " : "(" + token + ") ";
        Print_TextII(stream, x + cm(static_cast<float>(c)), y, size, text.c_str(), kAlignLeft);
        c += member ? 0.198425 : 0.354330;
    }
}

// The roster of transformations: its frame, and each staff (T on the left,
// I on the right, T11 and I11 at the bottom) as PrintSetRosterNotation
// places them.
constexpr double kRosterScale = 0.529;

void recordRoster(PageLayout& layout, float x, float y)
{
    const double s = kRosterScale;
    const float width = static_cast<float>(72.0 * 6.14 * s);
    layout.addBlock("roster", RectOf(x, y, width, static_cast<float>(72.0 * 7.3 * s)));
    for (int k = 0; k < 12; ++k) {
        const int t = 11 - k;
        const float bottom = static_cast<float>(y + 72.0 * (0.6 * k + 0.05) * s);
        const float top = static_cast<float>(bottom + 72.0 * 0.6 * s);
        const std::string level = FilterPcSetNumbers(t);
        for (int inverted = 0; inverted < 2; ++inverted) {
            PageRegion staff;
            staff.block = "roster";
            staff.rect = {x + inverted * width / 2, bottom, x + (inverted + 1) * width / 2, top};
            staff.term = inverted ? "inversion" : "transposition";
            staff.value = (inverted ? "I" : "T") + level;
            const std::string semitones = std::to_string(t) + (t == 1 ? " semitone" : " semitones");
            staff.what = inverted ? "The set inverted and then transposed by " + semitones
                                  : (t == 0 ? std::string("The set itself") : "The set transposed by " + semitones);
            layout.addDetail(std::move(staff));
        }
    }
}

}  // namespace

HarmodexPageGeometry GetHarmodexPageGeometry(int page)
{
    HarmodexPageGeometry g;
    g.even = page % 2 == 0;
    g.width = cm(17.0f);
    g.height = cm(24.0f);
    g.top = cm(1.27f);
    g.bottom = cm(1.27f);
    g.leftCm = g.even ? 1.5 : 2.0;
    g.left = cm(static_cast<float>(g.leftCm));
    g.right = cm(g.even ? 2.0f : 1.5f);
    if (!g.even) {
        g.titleShift = g.width - (g.left + g.right + cm(5.9f));
        g.rosterShift = cm(5.05f);
        g.tableShift = cm(5.05f);
        g.cardinalityShift = cm(0.0f) + cm(1.32f);
        g.identityShift = 0;
        g.classificationShift = cm(0.005f);
        g.commonalityShift = cm(0.0f) + cm(1.32f);
        g.subsetShift = 0;
    } else {
        g.titleShift = 0;
        g.rosterShift = cm(-0.01f);
        g.tableShift = cm(-0.01f);
        g.cardinalityShift = cm(4.635f) - cm(1.405f);
        g.identityShift = cm(8.35f);
        g.classificationShift = cm(-5.065f);
        g.commonalityShift = cm(4.635f) - cm(9.74f);
        g.subsetShift = cm(8.35f);
    }
    return g;
}

void DrawIdentityColumn(FILE* stream, const HarmodexPageGeometry& g, const PitchClassSet& p, PageLayout* layout)
{
    const float x = cm(0.22f) + g.left + g.identityShift;
    const float y0 = cm(20.23f) + g.bottom;
    const float s = cm(0.28f);
    const float size = 6.5f;
    const float operatorSize = static_cast<float>(1.1 * size);
    const float gap = times(0.35, s);
    float d = cm(0.03f);
    const std::vector<int> tnType = p.getTnType();

    MakeSquare(stream, x - cm(0.15f), y0 - cm(3.0f), 15.2f, cm(5.0f), cm(3.35f));
    if (layout)
        layout->addBlock("identity", RectOf(x - cm(0.15f), y0 - cm(3.0f), cm(5.0f), cm(3.35f)));
    // A line of the column, for the layout: from its baseline up by a line
    // unit, across the box.
    auto record = [&](const char* block, const char* term, const char* what, const std::string& value, float baseline,
                      float height) {
        if (!layout)
            return;
        PageRegion line;
        line.block = block;
        line.rect = {x - cm(0.15f), baseline - 2.0f, x + cm(4.85f), baseline - 2.0f + height};
        line.term = term;
        line.what = what;
        line.value = value;
        layout->addDetail(std::move(line));
    };

    // Interval content.
    const std::string vector = "interval vector:  <" + FilterPcSetNumbersWithCommas(p.getIntervalVector()) + ">";
    Print_TextII(stream, x, y0 + d, size, vector.c_str(), kAlignLeft);
    record("identity", "interval vector", "Interval vector, the number of each interval class from 1 to 6",
           "<" + FilterPcSetNumbersWithCommas(p.getIntervalVector()) + ">", y0 + d, s);
    for (const SetInfo& info : p.getSetInfoByLabel("Interval Content Classification"))
        if (info.text == "with limited interval content") {
            Print_TextII(stream, x + cm(3.1f), y0 + d, size, "(limited content)", kAlignLeft);
            break;
        }
    d = d - s - gap;

    // The inverted twin: only a set that is not its own inversion has one.
    if (!p.isSymmetric()) {
        const std::vector<int> twin = p.getInvTnType();
        const std::string text = p.getNelementsNormal() >= kCostereNaming
                                     ? "inverted twin:  " + calculateAdjCostereNumber(twin)
                                     : "inverted twin: " + closeName(twin);
        Print_TextII(stream, x, y0 + d, size, text.c_str(), kAlignLeft);
        record("identity", "inverted twin", "Inverted twin, the Tn-type of the set's inversion",
               text.substr(text.find_first_not_of(' ', text.find(':') + 1)), y0 + d, s);
        d = d - s;
    }

    // Isomers: the Z-related Tn-types (same interval vector, other set class).
    const std::vector<std::vector<int>> isomers = FindZrelations(p);
    if (!isomers.empty()) {
        std::string text = "isomers: ";
        for (const std::vector<int>& isomer : isomers)
            text += static_cast<int>(isomer.size()) >= kCostereNaming
                        ? "  " + calculateAdjCostereNumber(isomer)
                        : " \\(" + FilterPcSetNumbersClose(isomer) + "\\)";
        Print_TextII(stream, x, y0 + d, size, text.c_str(), kAlignLeft);
        const std::string names = PlainText(text.substr(text.find_first_not_of(' ', text.find(':') + 1)));
        record("identity", "isomers", "Isomers, the Tn-types with the same interval vector (Z-related)", names, y0 + d,
               s);
        d = d - s;
    }

    // The complement, with the transposition levels (italic) at which its
    // Tn-type fills exactly the pitch classes the set leaves out.
    Print_TextII(stream, x, y0 + d, size, "complement to XII:", kAlignLeft);
    record("identity", "complement", "Complement to the twelve pitch classes, with the levels at which it fills them",
           std::string(), y0 + d, s);
    PitchClassSet complement;
    complement.initializeSet(p.getComplementary());
    const std::vector<int> k = complement.getTnType();
    if (!k.empty()) {
        std::vector<int> levels;
        for (int t = 0; t < 12; ++t) {
            bool disjoint = true;
            for (int pc : operateVectorSet(k, t, 1))
                if (p.isIntrinsic(pc)) {
                    disjoint = false;
                    break;
                }
            if (disjoint)
                levels.push_back(t);
        }
        const std::string levelText =
            levels.size() > 1 ? FilterPcSetNumbers(levels.front()) + "+," : FilterPcSetNumbersWithCommas(levels) + ",";
        const std::string name =
            complement.getNelementsNormal() < kCostereNaming ? closeName(k) : " " + calculateAdjCostereNumber(k);
        Print_TextIIIitallic(stream, x + cm(1.95f), y0 + d, size, name.c_str(), levelText.c_str(), kAlignLeft);
    } else {
        Print_TextIV(stream, x + cm(1.95f), y0 + d, size, "\\306", kAlignLeft);
    }
    d = d - s - gap;

    // Limited transpositions and inversions.
    for (const SetInfo& info : p.getSetInfoByLabel("TransInv Limitation Classification")) {
        const bool tns = info.text == "with limited Tns";
        const bool tnis = info.text == "with limited TnIs";
        const bool both = info.text == "with limited Tns & TnIs";
        if (!tns && !tnis && !both)
            continue;
        Print_TextII(stream, x, y0 + d, size, "with limited", kAlignLeft);
        if (tns || both)
            Print_TN(stream, x + cm(1.22f), y0 + d, operatorSize, "T", "n");
        if (tnis)
            Print_TN(stream, x + cm(1.25f), y0 + d, operatorSize, "I", "n");
        if (both) {
            Print_TextII(stream, x + cm(1.56f), y0 + d, size, "&", kAlignLeft);
            Print_TN(stream, x + cm(1.77f), y0 + d, operatorSize, "I", "n");
        }
        record("identity", "limited transpositions", "Limited transpositions or inversions", info.text, y0 + d, s);
        d = d - s;
    }

    // A salience: the line naming the maxima, the measure in percent and
    // its gauge.
    auto drawSalience = [&](const std::string& maxima, const char* measure, float value) {
        Print_TextII(stream, x, y0 + d, size, maxima.c_str(), kAlignLeft);
        const std::string label = maxima.substr(0, maxima.find(':'));
        const bool root = label.compare(0, 4, "root") == 0;
        record("identity", root ? "root" : "vertex",
               root ? "The strongest root of the set, by root salience" : "The strongest vertex of the set",
               maxima.substr(maxima.find_first_not_of(' ', maxima.find(':') + 1)), y0 + d, times(0.9, s));
        d = d - times(0.9, s);
        const std::string text = Format("%s:  %.2f\\045", measure, value);
        Print_TextIIb(stream, x, y0 + d, size, text.c_str(), kAlignLeft);
        // The measure's line and its gauge below it.
        record("measures", measure, root ? "Tonicity" : "Phonicity", Format("%.2f%%", value), y0 + d - times(0.8, s),
               times(1.6, s));
        d = d - times(0.8, s);
        DrawRectangleChart(stream, x, y0 + d, 1.0f, value, 100.0f);
    };

    // Roots and tonicity.
    const float measuresTop = y0 + d - times(0.1, s);  // the top of the tonicity line
    const std::string roots = (p.getNroots() == 1 ? "root: " : "roots: ") + secondText(p.getSetInfoByLabel("Roots"));
    drawSalience(roots, "tonicity", CalculateTonicity(p));
    d = d - times(1.2, s);

    // Vertices and phonicity. With exactly six maxima (only the whole-tone
    // set) the classification keeps no vertex record: six is neither its
    // short list nor "all maxima". The line then lists them as the roots
    // line lists six roots, each plain in the set and in parentheses outside.
    std::string vertexText = secondText(p.getSetInfoByLabel("Vertices"));
    if (p.getSetInfoByLabel("Vertices").empty())
        for (int v : p.parncuttVertexes)
            vertexText += p.isIntrinsic(v) ? " " + IntToString(v) : " (" + IntToString(v) + ")";
    const std::string vertices = (p.getNvertexes() == 1 ? "vertex: " : "vertices: ") + vertexText;
    drawSalience(vertices, "phonicity", CalculatePhonicity(p));
    // The dial needs a number to point at: the measures of an empty set (no
    // catalogue page) are undefined and leave the pointer upright.
    float azimuth = CalculateAzimuth(p);
    if (!std::isfinite(azimuth))
        azimuth = 0;
    DrawAzimuthChart(stream, x + cm(2.82f), y0 + d + cm(0.15f), 0.8f, azimuth);
    const float roughness = CalculateFrozenHutchinsonKnopoffRoughness(tnType);
    DrawVerticalRectangleChart(stream, x + cm(4.36f), y0 + d - cm(0.1f), 1.0f, roughness, 15.0f);
    PrintRotatedText(stream, x + cm(4.74f), y0 + d, 7.15f, 90, "roughness", kAlignLeft);
    const std::string roughnessText = Format("%.2f", roughness);
    Print_TextII(stream, x + cm(4.48f), y0 + d - cm(0.35f), size, roughnessText.c_str(), kAlignCentre);
    if (layout) {
        layout->addBlock("measures", {x - cm(0.15f), y0 + d - cm(0.5f), x + cm(4.85f), measuresTop});
        PageRegion dial;
        dial.block = "measures";
        dial.rect = {x + cm(2.0f), y0 + d - cm(0.3f), x + cm(3.9f), y0 + d + cm(1.0f)};
        dial.term = "azimuth";
        dial.what = "Azimuth";
        dial.value = Format("%+.1f\u00b0", azimuth);
        layout->addDetail(dial);
        PageRegion rough;
        rough.block = "measures";
        rough.rect = {x + cm(4.1f), y0 + d - cm(0.5f), x + cm(4.85f), measuresTop};
        rough.term = "roughness";
        rough.what = "Roughness";
        rough.value = roughnessText;
        layout->addDetail(rough);
    }
    d = d - s - gap - times(0.15, s);

    // Generatrices: the roots (up arrow) and vertices (down arrow) that every
    // pitch class of the set supports.
    const std::size_t generatrices = p.rootGeneratrices.size() + p.vertexGeneratrices.size();
    if (generatrices > 0) {
        double c = generatrices == 1 ? 1.15 : 1.38;
        Print_TextII(stream, x, y0 + d, size, generatrices == 1 ? "generatrix:" : "generatrices:", kAlignLeft);
        drawGeneratrices(stream, x, y0 + d, size, "\\255", p.rootGeneratrices, p, c);
        drawGeneratrices(stream, x, y0 + d, size, "\\257", p.vertexGeneratrices, p, c);
        record("identity", "generatrices", "Generatrices, the roots and vertices that every pitch class supports",
               std::string(), y0 + d, s);
        d = d - s;
    }
}

std::string DrawHarmodexPage(int page, std::string tnText, int mode, int pages, PageLayout* layout)
{
    // The set as typed (A) and its Tn-type (P), which the page analyses.
    const std::vector<int> list =
        tnText.find('.') != std::string::npos ? ConvertFromAdjCostereCode(tnText) : StringToVector(tnText);
    PitchClassSet a;
    a.initializeSet(list);
    const std::vector<int> tnType = a.getTnType();
    PitchClassSet p;
    p.initializeSet(tnType);
    const std::string tnTypeText = VectorTocString(tnType);
    p.calculateEverything();
    const HarmodexPageGeometry g = GetHarmodexPageGeometry(page);
    if (layout) {
        *layout = PageLayout();
        layout->page = page;
        // The bounding box the page declares, whole points.
        layout->width = static_cast<float>(static_cast<int>(g.width));
        layout->height = static_cast<float>(static_cast<int>(g.height));
    }

    char* buffer = nullptr;
    std::size_t size = 0;
    FILE* stream = open_memstream(&buffer, &size);
    if (!stream)
        return std::string();

    // The document is titled by the Tn-type it analyses.
    if (mode >= 0)
        Print_EPS_Header(stream, g.width, g.height, tnTypeText.c_str());
    else if (mode == -1)
        Print_PS_Header(stream, tnTypeText.c_str(), pages);
    else
        Print_PS_PageStart(stream, -mode);

    drawRunningHead(stream, g, page);
    drawFrame(stream, g);
    drawTitle(stream, g, tnType, p.getNelementsNormal(), layout);
    const float rosterX = cm(0.11f) + g.left + g.rosterShift;
    const float rosterY = g.bottom + cm(0.1f);
    PrintSetRosterNotation(stream, tnTypeText.c_str(), rosterX, rosterY, kRosterScale);
    if (layout)
        recordRoster(*layout, rosterX, rosterY);
    drawTableBlock(stream, g, p, layout);
    drawCardinalityBox(stream, g, p, layout);
    DrawIdentityColumn(stream, g, p, layout);

    // ------------------------------------------------------------------
    // Second half of the page, in this order: the classification column,
    // the commonality table, and the strip of subsets and supersets.
    // ------------------------------------------------------------------
    DrawLowerPage(stream, g, p, layout);

    if (mode >= 0)
        WrapUp_EPS(stream);
    else if (mode == -pages)
        WrapUp_PS(stream);
    std::fclose(stream);
    std::string text(buffer ? buffer : "");
    std::free(buffer);
    return text;
}

#include "postscript/NumericTables.h"

#include "analysis/ChordBuilders.h"
#include "postscript/PostScriptWriter.h"
#include "postscript/TextPrimitives.h"
#include "pcset/Conversions.h"

#include <cstring>
#include <string>

namespace {

constexpr int kPitchClasses = 12;

// Cells sit on whole points: the first column is x truncated, each next one
// the previous plus the step, truncated again.
float firstColumn(float x) { return static_cast<float>(static_cast<int>(x)); }
float nextColumn(float column, float dx) { return static_cast<float>(static_cast<int>(column + dx)); }

void printCell(FILE* stream, float x, float y, float size, int value, bool emphasised)
{
    const std::string text = IntTocString(value);
    if (emphasised)
        Print_TextBoldIII(stream, x, y, size, text.c_str(), kAlignCentre);
    else
        Print_TextIII(stream, x, y, size, text.c_str(), kAlignCentre);
}

// Which analysis table a name selects and what makes a pitch class (or a
// level) qualify for it.
enum class Table {
    Unknown,
    Parncutt,
    ParncuttInv,
    CostereCardinal,
    CostereTonalMajor,
    CostereTonalMinor,
    CostereTranspositional,
    CostereInversional,
};

Table tableNamed(const char* name)
{
    if (!name)
        return Table::Unknown;
    struct Entry {
        const char* name;
        Table table;
    };
    static const Entry entries[] = {
        {"Parncutt", Table::Parncutt},
        {"ParncuttInv", Table::ParncuttInv},
        {"CostereCardinal", Table::CostereCardinal},
        {"CostereTonalMajor", Table::CostereTonalMajor},
        {"CostereTonalMinor", Table::CostereTonalMinor},
        {"CostereTranspositional", Table::CostereTranspositional},
        {"CostereInversional", Table::CostereInversional},
    };
    for (const Entry& entry : entries)
        if (std::strcmp(name, entry.name) == 0)
            return entry.table;
    return Table::Unknown;
}

std::vector<int> tableValues(const PitchClassSet& p, Table table)
{
    switch (table) {
    case Table::Parncutt:
        return p.getParncuttTable();
    case Table::ParncuttInv:
        return p.getParncuttInvTable();
    case Table::CostereCardinal:
        return p.getCostereCardinalTable();
    case Table::CostereTonalMajor:
        return p.getCostereTonalMajorTable();
    case Table::CostereTonalMinor:
        return p.getCostereTonalMinorTable();
    case Table::CostereTranspositional:
        return p.getCostereTranspositionalTable();
    case Table::CostereInversional:
        return p.getCostereInversionalTable();
    case Table::Unknown:
        break;
    }
    return {};
}

bool qualifies(const PitchClassSet& p, Table table, int pc)
{
    switch (table) {
    case Table::Parncutt:
    case Table::ParncuttInv:
    case Table::CostereCardinal:
        return p.isIntrinsic(pc);
    case Table::CostereTonalMajor:
        return p.isIntrinsic(MakeMajorTriad(pc));
    case Table::CostereTonalMinor:
        return p.isIntrinsic(MakeMinorTriad(pc));
    case Table::CostereTranspositional:
        return p.isIntrinsic(p.get_PitchClassSet(0, pc));
    case Table::CostereInversional:
        return p.isIntrinsic(p.get_PitchClassSet(1, pc));
    case Table::Unknown:
        break;
    }
    return true;
}

// A bare fifth: the fifth on pc lies in the set, but neither triad on it does.
bool isBareFifth(const PitchClassSet& p, int pc)
{
    return !p.isIntrinsic(MakeMajorTriad(pc)) && !p.isIntrinsic(MakeMinorTriad(pc)) && p.isIntrinsic(MakeFifth(pc));
}

// Distance from a cell's centre to its parentheses: wider for two digits.
double parenthesisOffset(float size, int value)
{
    const double width = value > 9 ? InCentimeters(0.35f) : InCentimeters(0.25f);
    return size / 12.0 * width;
}

int truncated(double position) { return static_cast<int>(position); }

}  // namespace

void PrintNumericTablesSimpleII(FILE* stream, const std::vector<int>& list, float x, float y, float dx, float size)
{
    float column = firstColumn(x);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string text = IntToString(list[i]);
        Print_TextIII(stream, column, y, size, text.c_str(), kAlignCentre);
        column = nextColumn(column, dx);
    }
}

void PrintNumericTablesSimple(FILE* stream, const std::vector<int>& list, float x, float y, float dx, float size)
{
    const int largest = getBiggest(list);
    float column = firstColumn(x);
    for (std::size_t i = 0; i < list.size(); ++i) {
        printCell(stream, column, y, size, list[i], list[i] == largest);
        column = nextColumn(column, dx);
    }
}

void PrintNumericTablesSimpleHundred(FILE* stream, const std::vector<int>& list, float x, float y, float dx, float size)
{
    // Full commonality (100) is expected at T0 and says nothing: the largest
    // of the other entries is the one worth pointing out.
    int largest = -999;
    for (int value : list)
        if (value != 100 && value >= largest)
            largest = value;
    float column = firstColumn(x);
    for (std::size_t i = 0; i < list.size(); ++i) {
        printCell(stream, column, y, size, list[i], list[i] != 100 && list[i] == largest);
        column = nextColumn(column, dx);
    }
}

void PrintNumericTables(FILE* stream, const PitchClassSet& p, const char* name, const std::vector<int>& list, float x,
                        float y, float dx, float size)
{
    const Table table = tableNamed(name);
    if (table == Table::Unknown) {
        PrintNumericTablesSimple(stream, list, x, y, dx, size);
        return;
    }

    const std::vector<int> values = tableValues(p, table);
    bool q[kPitchClasses];
    bool noneQualifies = true;
    for (int pc = 0; pc < kPitchClasses; ++pc) {
        q[pc] = qualifies(p, table, pc);
        if (q[pc])
            noneQualifies = false;
    }
    const bool tonal = table == Table::CostereTonalMajor || table == Table::CostereTonalMinor;
    const int largest = getBiggest(list);

    float column = firstColumn(x);
    for (int pc = 0; pc < kPitchClasses; ++pc) {
        const int value = values[pc];
        const double offset = parenthesisOffset(size, value);
        const bool previousQualifies = q[(pc + kPitchClasses - 1) % kPitchClasses];
        const bool nextQualifies = q[(pc + 1) % kPitchClasses];
        int position = truncated(column);

        if (!q[pc] && (previousQualifies || (pc == 0 && noneQualifies))) {
            position = truncated(position - offset);
            Print_TextIII(stream, position, y, size, "\\(", kAlignCentre);
            position = truncated(offset + position);
        }
        printCell(stream, position, y, size, value, value == largest);
        if (tonal && isBareFifth(p, pc))
            Print_TextIII(stream, position, y, size, "_", kAlignCentre);
        if (!q[pc] && (nextQualifies || (pc == kPitchClasses - 1 && noneQualifies))) {
            position = truncated(position + offset);
            Print_TextIII(stream, position, y, size, " \\)", kAlignCentre);
        }
        column = nextColumn(column, dx);
    }
}

std::vector<float> NumericTableColumns(float x, float dx)
{
    std::vector<float> columns;
    float column = firstColumn(x);
    for (int pc = 0; pc < kPitchClasses; ++pc) {
        columns.push_back(column);
        column = nextColumn(column, dx);
    }
    return columns;
}

bool NumericTableCellQualifies(const PitchClassSet& p, const char* name, int pc)
{
    return qualifies(p, tableNamed(name), pc);
}

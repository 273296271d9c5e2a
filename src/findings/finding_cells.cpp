#include "findings/finding_cells.h"

#include <cstdio>
#include <string>

#include "adoption/adoption_elements.h"
#include "fields/fields.h"
#include "fostercare/fostercare_elements.h"

namespace vortel {

namespace {

constexpr RecordKind kA = RecordKind::Adoption;
constexpr RecordKind kF = RecordKind::FosterCare;

// Letters of the consistency groups. Group #1 is the date-pair check; group
// #k uses the k-th letter of the alphabet, except that foster care groups
// #12 and #13 use m and n (l is not used).
struct GroupLetter {
    RecordKind kind;
    char letter;
    int group;
};
constexpr GroupLetter kGroupLetters[] = {
    {kA, 'a', 1},  {kA, 'b', 2},  {kA, 'c', 3},  {kA, 'd', 4},  {kA, 'e', 5},  {kA, 'f', 6},  {kA, 'g', 7},
    {kF, 'a', 1},  {kF, 'b', 2},  {kF, 'c', 3},  {kF, 'd', 4},  {kF, 'e', 5},  {kF, 'f', 6},  {kF, 'g', 7},
    {kF, 'h', 8},  {kF, 'i', 9},  {kF, 'j', 10}, {kF, 'k', 11}, {kF, 'm', 12}, {kF, 'n', 13},
};

// Meanings of the states that are not letters.
struct StateText {
    char state;
    std::string_view meaning;
};
constexpr StateText kStateTexts[] = {
    {kMissing, "missing"},
    {kOutOfRange, "out of range"},
};

constexpr ColumnRange kAdoptionRecordNumber{9, 20};
constexpr ColumnRange kFosterCareRecordNumber{14, 25};

struct CellTable {
    std::vector<FindingCell> cells;
};

FindingCell makeCell(int cell, int element, char category, std::span<const ElementLayout> layout,
                     ColumnRange recordNumber) {
    FindingCell c;
    c.cell = cell;
    if (category)
        std::snprintf(c.labelText.data(), c.labelText.size(), "%02d%c", element, category);
    else
        std::snprintf(c.labelText.data(), c.labelText.size(), "%02d", element);
    // Elements without a check (the record number) have no layout row.
    c.first = recordNumber.first;
    c.last = recordNumber.last;
    for (const ElementLayout& row : layout)
        if (row.cell == cell) {
            c.first = row.first;
            c.last = row.last;
        }
    return c;
}

CellTable buildCells(RecordKind kind) {
    const std::span<const ElementLayout> layout = kind == kA ? adoptionLayout() : fosterCareLayout();
    const ColumnRange recordNumber = recordNumberColumns(kind);
    const int firstCategoryCell = kind == kA ? adoption::kChildRaceA : fostercare::kChildRaceA;
    CellTable t;
    for (int cell = 1; cell < firstCategoryCell; ++cell) {
        const RaceElement* race = raceElementAt(kind, cell);
        if (!race) {
            t.cells.push_back(makeCell(cell, cell, '\0', layout, recordNumber));
            continue;
        }
        for (int k = 0; k < 6; ++k)
            t.cells.push_back(makeCell(race->firstCell + k, cell, static_cast<char>('a' + k), layout, recordNumber));
    }
    return t;
}

// Meaning texts of every state character, built once per record kind.
struct MeaningTable {
    std::array<std::string, 256> text;
};

MeaningTable buildMeanings(RecordKind kind) {
    MeaningTable t;
    for (const StateText& s : kStateTexts) t.text[static_cast<unsigned char>(s.state)] = s.meaning;
    for (const GroupLetter& g : kGroupLetters) {
        if (g.kind != kind) continue;
        const std::string group = ", group " + std::to_string(g.group);
        t.text[static_cast<unsigned char>(g.letter)] = "likely error" + group;
        t.text[static_cast<unsigned char>(g.letter - 'a' + 'A')] = "will be deleted" + group;
    }
    // Letters no group of this kind uses still read as what they are.
    for (char c = 'a'; c <= 'z'; ++c) {
        std::string& lower = t.text[static_cast<unsigned char>(c)];
        std::string& upper = t.text[static_cast<unsigned char>(c - 'a' + 'A')];
        if (lower.empty()) lower = "likely error";
        if (upper.empty()) upper = "will be deleted";
    }
    return t;
}

}  // namespace

std::span<const FindingCell> findingCells(RecordKind kind) {
    static const CellTable adoptionCells = buildCells(kA);
    static const CellTable fosterCareCells = buildCells(kF);
    return kind == kA ? adoptionCells.cells : fosterCareCells.cells;
}

ColumnRange recordNumberColumns(RecordKind kind) {
    return kind == kA ? kAdoptionRecordNumber : kFosterCareRecordNumber;
}

int groupOfLetter(RecordKind kind, char letter) {
    const char lower = letter >= 'A' && letter <= 'Z' ? static_cast<char>(letter - 'A' + 'a') : letter;
    for (const GroupLetter& g : kGroupLetters)
        if (g.kind == kind && g.letter == lower) return g.group;
    return 0;
}

std::string_view stateMeaning(RecordKind kind, char state) {
    static const MeaningTable adoptionMeanings = buildMeanings(kA);
    static const MeaningTable fosterCareMeanings = buildMeanings(kF);
    return (kind == kA ? adoptionMeanings : fosterCareMeanings).text[static_cast<unsigned char>(state)];
}

void collectFindings(RecordKind kind, const ElementTable& cells, std::string_view record, std::vector<Finding>& out) {
    out.clear();
    for (const FindingCell& c : findingCells(kind)) {
        const char state = cells.state(c.cell);
        if (!isFindingState(state)) continue;
        out.push_back({c.label(), state, stateMeaning(kind, state), field(record, c.first, c.last)});
    }
}

}  // namespace vortel

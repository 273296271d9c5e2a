#include "adoption/adoption_groups.h"

#include "adoption/adoption_group_tables.h"
#include "core/element_table.h"
#include "fields/fields.h"

namespace vortel {

namespace {

using namespace adoption_groups;

constexpr int kRaceCategories = 6;

bool holdsOne(std::string_view record, int col) { return column(record, col) == '1'; }

bool missingOrOutOfRange(char state) { return isMissingOrOutOfRange(state); }
// For an element that may be blank: a value was given and is in range (it
// may hold a letter of an earlier check, such as a date-pair 'a').
bool submitted(char state) { return !isBlankOrOutOfRange(state); }

template <class E>
bool accepts(unsigned set, E value) {
    return (set & valueBit(value)) != 0;
}

// Group #2: State agency involvement.
void checkAgencyInvolvement(ElementTable& cells, std::string_view record) {
    if (missingOrOutOfRange(cells.state(4))) return;
    if (column(record, columnOf(4)) == '1') return;
    bool triggered = false;
    for (int col : kAgencyTriggerColumns) triggered |= holdsOne(record, col);
    if (!triggered) return;
    bool deleted = true;
    for (int col : kAgencyDeleteColumns) deleted &= holdsOne(record, col);
    cells.setRule(groupRule(2, kAgencyRule));
    cells.markLetter(4, deleted ? upperCase(kAgencyLetter) : kAgencyLetter);
}

// Group #3: special needs.

// The place of a combination of the factors in kSpecialNeedsRowOf.
constexpr std::size_t specialNeedsKey(Need need, Basis basis, Disabilities disabilities) {
    return (static_cast<std::size_t>(need) * 4 + static_cast<std::size_t>(basis)) * 2 +
           static_cast<std::size_t>(disabilities);
}
// For every combination the first row of the table that matches it, or -1:
// the record's factors pick their row directly.
constexpr auto kSpecialNeedsRowOf = [] {
    std::array<int, std::size_t{3} * 4 * 2> rowOf{};
    for (int& r : rowOf) r = -1;
    for (int i = static_cast<int>(std::size(kSpecialNeedsTable)) - 1; i >= 0; --i) {
        const SpecialNeedsRow& row = kSpecialNeedsTable[i];
        rowOf[specialNeedsKey(row.need, row.basis, row.disabilities)] = i;
    }
    return rowOf;
}();
static_assert(specialNeedsKey(Need::Two, Basis::Other, Disabilities::None) == 3 * 4 * 2 - 1);

void checkSpecialNeeds(ElementTable& cells, std::string_view record) {
    for (int cell = 11; cell <= 15; ++cell)
        if (cells.state(cell) == kOutOfRange) return;

    Need need = Need::Bad;
    if (!missingOrOutOfRange(cells.state(9))) {
        if (column(record, columnOf(9)) == '1') {
            need = Need::One;
        } else if (column(record, columnOf(9)) == '2') {
            need = Need::Two;
        }
    }

    Basis basis = Basis::None;
    if (submitted(cells.state(10))) {
        const char code = column(record, columnOf(10));
        basis = code == '0' ? Basis::Zero : code == '4' ? Basis::Four : Basis::Other;
    }

    bool anyDisability = false;
    for (int col = columnOf(11); col <= columnOf(15); ++col) anyDisability |= holdsOne(record, col);
    const Disabilities disabilities = anyDisability ? Disabilities::Some : Disabilities::None;

    const int rowIndex = kSpecialNeedsRowOf[specialNeedsKey(need, basis, disabilities)];
    if (rowIndex < 0) return;
    const SpecialNeedsRow& row = kSpecialNeedsTable[rowIndex];
    cells.setRule(groupRule(3, rowIndex));
    switch (row.marks) {
        case SpecialNeedsMarks::Elements9To15:
            for (int cell = 9; cell <= 15; ++cell) cells.markLetter(cell, row.letter);
            break;
        case SpecialNeedsMarks::Elements11To15:
            for (int cell = 11; cell <= 15; ++cell) cells.markLetter(cell, row.letter);
            break;
        case SpecialNeedsMarks::DisabilitiesHeld:
            for (int cell = 11; cell <= 15; ++cell)
                if (holdsOne(record, columnOf(11) + (cell - 11))) cells.markLetter(cell, row.letter);
            break;
        case SpecialNeedsMarks::Element10:
            cells.markLetter(10, row.letter);
            break;
        case SpecialNeedsMarks::Element9:
            cells.markLetter(9, row.letter);
            break;
    }
}

// How much one adoptive parent's birth year, race and origin tell.
ParentInfo parentInfo(const ElementTable& cells, std::string_view record, const AdoptiveParent& p) {
    bool raceCellValid = false;
    bool raceMarked = false;
    for (int i = 0; i < kRaceCategories; ++i) {
        raceCellValid |= cells.state(p.raceFirstCell + i) == kValid;
        raceMarked |= holdsOne(record, p.raceFirstColumn + i);
    }
    const bool yearGiven = submitted(cells.state(p.birthYearCell));
    const bool originGiven = submitted(cells.state(p.originCell)) && column(record, p.originColumn) != '0';

    if (yearGiven && raceCellValid && raceMarked && originGiven) return ParentInfo::Complete;
    if (!yearGiven && !raceCellValid) return ParentInfo::Absent;
    if (raceMarked || originGiven) return ParentInfo::Partial;
    return ParentInfo::Absent;
}

void markParent(ElementTable& cells, const AdoptiveParent& p) {
    cells.markLetter(p.birthYearCell, kFamilyLetter);
    cells.markLetter(p.originCell, kFamilyLetter);
    for (int i = 0; i < kRaceCategories; ++i) cells.markLetter(p.raceFirstCell + i, kFamilyLetter);
}

// Group #4: adoptive family structure and adoptive parents.
void checkFamilyStructure(ElementTable& cells, std::string_view record) {
    if (missingOrOutOfRange(cells.state(22))) return;
    // Element 22 is valid here, so it holds 1 to 4.
    const char code = column(record, columnOf(22));
    const Structure structure = code == '3' ? Structure::Code3 : code == '4' ? Structure::Code4 : Structure::Couple;
    const ParentInfo mother = parentInfo(cells, record, kAdoptiveMother);
    const ParentInfo father = parentInfo(cells, record, kAdoptiveFather);

    for (const FamilyRow& row : kFamilyTable) {
        if (!accepts(row.structures, structure) || !accepts(row.mother, mother) || !accepts(row.father, father))
            continue;
        cells.setRule(groupRule(4, familyRule(static_cast<int>(&row - kFamilyTable), {structure, mother, father})));
        if (row.marks & kMarkStructure) cells.markLetter(22, kFamilyLetter);
        if (row.marks & kMarkMother) markParent(cells, kAdoptiveMother);
        if (row.marks & kMarkFather) markParent(cells, kAdoptiveFather);
        return;
    }
}

// Group #5: kind of adoptive relationship.
void checkRelationship(ElementTable& cells, std::string_view record) {
    int count = 0;
    for (int col = columnOf(29); col <= columnOf(32); ++col)
        if (holdsOne(record, col)) ++count;
    if (!kRelationshipCountMarks[count]) return;
    cells.setRule(groupRule(5, count));
    for (int cell = 29; cell <= 32; ++cell) cells.markLetter(cell, kRelationshipLetter);
}

// Group #6: subsidy.
void checkSubsidy(ElementTable& cells, std::string_view record) {
    const char s = column(record, columnOf(35));
    const Subsidy subsidy = s == '1' ? Subsidy::One : s == '2' ? Subsidy::Two : Subsidy::Bad;

    Amount amount = Amount::Bad;
    if (cells.state(36) == kValid) {
        amount = numberOutOfRange(field(record, columnOf(36), adoption::lastColumnOf(36)), 0, 0) ? Amount::Positive
                                                                                                 : Amount::Zero;
    }

    const char r = column(record, columnOf(37));
    const Assistance assistance = r == '1' ? Assistance::One : r == '2' ? Assistance::Two : Assistance::Bad;

    for (const SubsidyRow& row : kSubsidyTable) {
        if (!accepts(row.subsidy, subsidy) || !accepts(row.amount, amount) || !accepts(row.assistance, assistance))
            continue;
        cells.setRule(groupRule(6, static_cast<int>(&row - kSubsidyTable)));
        for (int cell : row.cells)
            if (cell != 0) cells.markLetter(cell, row.letter);
        return;
    }
}

// Group #7: within the race elements.
void checkRaceCategories(ElementTable& cells, std::string_view record) {
    for (const RaceRow& row : kRaceTable) {
        if (row.exemptStructure != 0 && column(record, columnOf(22)) == row.exemptStructure) continue;
        bool raceAtoE = false;
        for (int i = 0; i < kRaceCategories - 1; ++i) raceAtoE |= holdsOne(record, row.firstColumn + i);
        const bool unableToDetermine = holdsOne(record, row.firstColumn + kRaceCategories - 1);
        const int rule = static_cast<int>(&row - kRaceTable);
        switch (row.rule) {
            case RaceRule::UnableWithRace:
                if (raceAtoE && unableToDetermine) {
                    cells.setRule(groupRule(7, rule));
                    cells.markLetter(row.firstCell + kRaceCategories - 1, kRaceLetter);
                }
                break;
            case RaceRule::NoneMarked:
                if (!raceAtoE && !unableToDetermine) {
                    cells.setRule(groupRule(7, rule));
                    for (int i = 0; i < kRaceCategories; ++i) cells.markLetter(row.firstCell + i, kRaceLetter);
                }
                break;
        }
    }
}

}  // namespace

void checkAdoptionGroups(ElementTable& cells, std::string_view record) {
    // The order matters: the first group to mark a cell keeps its letter, so
    // group #4 marks race categories before group #7 looks at them.
    checkSpecialNeeds(cells, record);       // #3
    checkFamilyStructure(cells, record);    // #4
    checkRelationship(cells, record);       // #5
    checkSubsidy(cells, record);            // #6
    checkAgencyInvolvement(cells, record);  // #2
    checkRaceCategories(cells, record);     // #7
}

}  // namespace vortel

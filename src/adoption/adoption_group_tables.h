// Decision tables of the adoption consistency groups #2 to #7. Each group
// first reduces the record to a few factor values, then acts by the rows
// below; the engine that reads them is in adoption_groups.cpp.
//
// A row accepts a set of values for each factor, written as a bit mask
// (one bit per enumerator), so that a row such as "code 3 or code 4" stays
// one row. kAnyValue accepts every value.
#pragma once

#include <array>
#include <cstdint>

#include "catalogue/adoption_catalogue.h"
#include "catalogue/factor_words.h"

namespace vortel::adoption_groups {

template <class E>
constexpr unsigned valueBit(E e) {
    return 1u << static_cast<unsigned>(e);
}
template <class E, class... More>
constexpr unsigned valueSet(E e, More... more) {
    return (valueBit(e) | ... | valueBit(more));
}
constexpr unsigned kAnyValue = ~0u;

using adoption::columnOf;

// Group letters, from the catalogue; upper case where the value will be
// deleted. Groups #3 and #6 give the case per row in their tables.
constexpr char upperCase(char letter) { return static_cast<char>(letter - 'a' + 'A'); }
constexpr char kAgencyLetter = adoption::groupLetter(2);  // upper case when the value goes
constexpr char kSpecialNeedsLetter = adoption::groupLetter(3);
constexpr char kFamilyLetter = adoption::groupLetter(4);
constexpr char kRelationshipLetter = adoption::groupLetter(5);
constexpr char kSubsidyLetter = adoption::groupLetter(6);
constexpr char kRaceLetter = adoption::groupLetter(7);
constexpr char kSpecialNeedsDeleted = upperCase(kSpecialNeedsLetter);
constexpr char kSubsidyDeleted = upperCase(kSubsidyLetter);

// ---------------------------------------------------------------------------
// Group #2: State agency involvement (element 4 against 31, 34 and 35).
// Element 4 not holding 1 while any of these columns holds 1 is
// inconsistent; element 4 alone is marked, in upper case when both
// 34 and 35 hold 1.
constexpr std::array<int, 3> kAgencyTriggerColumns = {columnOf(31), columnOf(34), columnOf(35)};
constexpr std::array<int, 2> kAgencyDeleteColumns = {columnOf(34), columnOf(35)};
// The group's one rule, as findings name it.
constexpr int kAgencyRule = 0;

// ---------------------------------------------------------------------------
// Group #3: special needs (elements 9 to 15).

// N, from element 9: bad when missing or out of range, else its code.
enum class Need : std::uint8_t { Bad, One, Two };
inline constexpr FactorWord<Need> kNeedWords[] = {
    {Need::Bad, "missing or out of range"}, {Need::One, "1"}, {Need::Two, "2"}};
static_assert(wordsEveryValue(kNeedWords, Need::Two));
// P, from element 10: none when blank or out of range, else 0, 4 or other.
enum class Basis : std::uint8_t { None, Zero, Four, Other };
inline constexpr FactorWord<Basis> kBasisWords[] = {
    {Basis::None, "blank or out of range"}, {Basis::Zero, "0"}, {Basis::Four, "4"}, {Basis::Other, "another code"}};
static_assert(wordsEveryValue(kBasisWords, Basis::Other));
// Whether any of elements 11-15 holds 1.
enum class Disabilities : std::uint8_t { Some, None };

enum class SpecialNeedsMarks : std::uint8_t {
    Elements9To15,     // each of elements 9-15
    Elements11To15,    // each of elements 11-15
    DisabilitiesHeld,  // each of elements 11-15 whose column holds 1
    Element10,
    Element9,
};

struct SpecialNeedsRow {
    Need need;
    Basis basis;
    Disabilities disabilities;
    SpecialNeedsMarks marks;
    char letter;
};

// The first matching row acts; a combination not listed is consistent.
constexpr SpecialNeedsRow kSpecialNeedsTable[] = {
    {Need::Bad, Basis::Zero, Disabilities::Some, SpecialNeedsMarks::Elements9To15, kSpecialNeedsLetter},
    {Need::Two, Basis::None, Disabilities::Some, SpecialNeedsMarks::Elements9To15, kSpecialNeedsLetter},
    {Need::Bad, Basis::Four, Disabilities::None, SpecialNeedsMarks::Elements11To15, kSpecialNeedsLetter},
    {Need::One, Basis::Four, Disabilities::None, SpecialNeedsMarks::Elements11To15, kSpecialNeedsLetter},
    {Need::Two, Basis::Zero, Disabilities::Some, SpecialNeedsMarks::DisabilitiesHeld, kSpecialNeedsLetter},
    {Need::One, Basis::None, Disabilities::Some, SpecialNeedsMarks::Element10, kSpecialNeedsLetter},
    {Need::One, Basis::None, Disabilities::None, SpecialNeedsMarks::Element10, kSpecialNeedsLetter},
    {Need::One, Basis::Zero, Disabilities::Some, SpecialNeedsMarks::Element10, kSpecialNeedsLetter},
    {Need::One, Basis::Zero, Disabilities::None, SpecialNeedsMarks::Element10, kSpecialNeedsDeleted},
    {Need::Two, Basis::Four, Disabilities::None, SpecialNeedsMarks::Element10, kSpecialNeedsDeleted},
    {Need::Two, Basis::Four, Disabilities::Some, SpecialNeedsMarks::Element9, kSpecialNeedsDeleted},
    {Need::Two, Basis::Other, Disabilities::None, SpecialNeedsMarks::Element9, kSpecialNeedsDeleted},
};

// ---------------------------------------------------------------------------
// Group #4: adoptive family structure (element 22) against what is known of
// the adoptive mother (23, 25a-25f, 26) and father (24, 27a-27f, 28).

// F22 from column 76: 1 or 2 a couple, 3 a single mother, 4 a single father.
enum class Structure : std::uint8_t { Couple, Code3, Code4 };
inline constexpr FactorWord<Structure> kStructureWords[] = {
    {Structure::Couple, "1 or 2"}, {Structure::Code3, "3"}, {Structure::Code4, "4"}};
static_assert(wordsEveryValue(kStructureWords, Structure::Code4));
// How much of one adoptive parent's information the record holds.
enum class ParentInfo : std::uint8_t { Complete, Partial, Absent };
inline constexpr FactorWord<ParentInfo> kParentInfoWords[] = {
    {ParentInfo::Complete, "complete"}, {ParentInfo::Partial, "partial"}, {ParentInfo::Absent, "absent"}};
static_assert(wordsEveryValue(kParentInfoWords, ParentInfo::Absent));

// The cells and columns of one adoptive parent.
struct AdoptiveParent {
    int birthYearCell;    // element 23 or 24
    int raceFirstCell;    // 25a or 27a
    int raceFirstColumn;  // columns of categories a-f follow
    int originCell;       // element 26 or 28
    int originColumn;
};
constexpr AdoptiveParent kAdoptiveMother = {23, adoption::kMotherRaceA, columnOf(25, 'a'), 26, columnOf(26)};
constexpr AdoptiveParent kAdoptiveFather = {24, adoption::kFatherRaceA, columnOf(27, 'a'), 28, columnOf(28)};

// Which parts of the group a row marks.
enum FamilyMarks : std::uint8_t {
    kMarkNothing = 0,
    kMarkStructure = 1,  // element 22
    kMarkMother = 2,     // 23, 26, 25a-25f
    kMarkFather = 4,     // 24, 28, 27a-27f
};

struct FamilyRow {
    unsigned structures;  // set of Structure
    unsigned mother;      // set of ParentInfo
    unsigned father;      // set of ParentInfo
    unsigned marks;       // FamilyMarks
};

// The first matching row acts; the last row takes every other combination.
constexpr FamilyRow kFamilyTable[] = {
    {valueSet(Structure::Couple), valueSet(ParentInfo::Complete), valueSet(ParentInfo::Complete), kMarkNothing},
    {valueSet(Structure::Code3), valueSet(ParentInfo::Complete), valueSet(ParentInfo::Absent), kMarkNothing},
    {valueSet(Structure::Code4), valueSet(ParentInfo::Absent), valueSet(ParentInfo::Complete), kMarkNothing},
    {valueSet(Structure::Code3, Structure::Code4), valueSet(ParentInfo::Complete), valueSet(ParentInfo::Complete),
     kMarkStructure},
    {valueSet(Structure::Couple), valueSet(ParentInfo::Absent, ParentInfo::Partial), valueSet(ParentInfo::Complete),
     kMarkStructure | kMarkMother},
    {valueSet(Structure::Code3), valueSet(ParentInfo::Absent, ParentInfo::Partial), valueSet(ParentInfo::Absent),
     kMarkStructure | kMarkMother},
    {valueSet(Structure::Couple), valueSet(ParentInfo::Complete), valueSet(ParentInfo::Absent, ParentInfo::Partial),
     kMarkStructure | kMarkFather},
    {valueSet(Structure::Code4), valueSet(ParentInfo::Absent), valueSet(ParentInfo::Absent, ParentInfo::Partial),
     kMarkStructure | kMarkFather},
    {kAnyValue, kAnyValue, kAnyValue, kMarkStructure | kMarkMother | kMarkFather},
};
inline constexpr int kFamilyRows = static_cast<int>(std::size(kFamilyTable));

// The rule a letter of the group names: the index of the row. The last row
// takes every combination the rows before it leave, so its rule also carries
// the combination the record had (from kFamilyRows on), for a finding to say
// what the record held; the bare last row's index stands for the row itself.
struct FamilyFactors {
    Structure structure;
    ParentInfo mother;
    ParentInfo father;
};
constexpr int familyRule(int row, const FamilyFactors& f) {
    if (row + 1 < kFamilyRows) return row;
    return kFamilyRows + static_cast<int>(f.structure) * 9 + static_cast<int>(f.mother) * 3 +
           static_cast<int>(f.father);
}
// The row of a rule, and the combination it carries (when it carries one).
constexpr int familyRow(int rule) { return rule < kFamilyRows ? rule : kFamilyRows - 1; }
constexpr bool familyRuleCarriesFactors(int rule) { return rule >= kFamilyRows && rule < kFamilyRows + 27; }
constexpr FamilyFactors familyFactorsOf(int rule) {
    const int combination = rule - kFamilyRows;
    return {static_cast<Structure>(combination / 9), static_cast<ParentInfo>(combination / 3 % 3),
            static_cast<ParentInfo>(combination % 3)};
}
static_assert(familyRule(kFamilyRows - 1, {Structure::Code4, ParentInfo::Absent, ParentInfo::Absent}) < 256,
              "a rule index is one byte");

// ---------------------------------------------------------------------------
// Group #5: kind of adoptive relationship (elements 29-32). Indexed by how
// many of columns 99-102 hold 1: true marks each of elements 29-32.
constexpr bool kRelationshipCountMarks[5] = {
    true,   // 0: no relationship given
    false,  // 1
    false,  // 2
    true,   // 3
    true,   // 4
};

// ---------------------------------------------------------------------------
// Group #6: subsidy (elements 35-37).

// S from column 105 (element 35).
enum class Subsidy : std::uint8_t { One, Two, Bad };
inline constexpr FactorWord<Subsidy> kSubsidyWords[] = {
    {Subsidy::One, "1"}, {Subsidy::Two, "2"}, {Subsidy::Bad, "neither 1 nor 2"}};
static_assert(wordsEveryValue(kSubsidyWords, Subsidy::Bad));
// A from element 36: bad unless valid, zero, or a positive amount.
enum class Amount : std::uint8_t { Bad, Zero, Positive };
inline constexpr FactorWord<Amount> kAmountWords[] = {
    {Amount::Bad, "not valid"}, {Amount::Zero, "0"}, {Amount::Positive, "more than 0"}};
static_assert(wordsEveryValue(kAmountWords, Amount::Positive));
// R from column 111 (element 37).
enum class Assistance : std::uint8_t { One, Two, Bad };
inline constexpr FactorWord<Assistance> kAssistanceWords[] = {
    {Assistance::One, "1"}, {Assistance::Two, "2"}, {Assistance::Bad, "neither 1 nor 2"}};
static_assert(wordsEveryValue(kAssistanceWords, Assistance::Bad));

struct SubsidyRow {
    unsigned subsidy;          // set of Subsidy
    unsigned amount;           // set of Amount
    unsigned assistance;       // set of Assistance
    std::array<int, 3> cells;  // elements to mark; 0 ends the list
    char letter;
};

// The matching row acts; a combination not listed changes nothing.
constexpr SubsidyRow kSubsidyTable[] = {
    {valueSet(Subsidy::Bad), valueSet(Amount::Bad), valueSet(Assistance::One), {37, 0, 0}, kSubsidyLetter},
    {valueSet(Subsidy::Bad), valueSet(Amount::Zero), valueSet(Assistance::One), {36, 37, 0}, kSubsidyLetter},
    {valueSet(Subsidy::One),
     valueSet(Amount::Zero),
     valueSet(Assistance::One, Assistance::Bad),
     {36, 0, 0},
     kSubsidyDeleted},
    {valueSet(Subsidy::One), valueSet(Amount::Zero), valueSet(Assistance::Two), {35, 36, 37}, kSubsidyLetter},
    {valueSet(Subsidy::Two),
     valueSet(Amount::Bad, Amount::Zero, Amount::Positive),
     valueSet(Assistance::One),
     {35, 0, 0},
     kSubsidyDeleted},
    {valueSet(Subsidy::Two), valueSet(Amount::Positive), valueSet(Assistance::Bad), {35, 36, 0}, kSubsidyLetter},
    {valueSet(Subsidy::Two), valueSet(Amount::Positive), valueSet(Assistance::Two), {36, 0, 0}, kSubsidyLetter},
};

// ---------------------------------------------------------------------------
// Group #7: within the race elements 7, 25 and 27.

enum class RaceRule : std::uint8_t {
    UnableWithRace,  // category f marked together with one of a-e: mark f
    NoneMarked,      // no category marked: mark each of a-f
};

struct RaceRow {
    int firstCell;    // cell of category a
    int firstColumn;  // column of category a; b-f follow
    RaceRule rule;
    char exemptStructure;  // the rule does not apply when column 76 holds
                           // this family structure code; 0: always applies
};

// All rows apply, in this order.
constexpr RaceRow kRaceTable[] = {
    {adoption::kChildRaceA, columnOf(7), RaceRule::UnableWithRace, 0},  // child, element 7
    {adoption::kChildRaceA, columnOf(7), RaceRule::NoneMarked, 0},
    {adoption::kMotherRaceA, columnOf(25), RaceRule::UnableWithRace, 0},  // adoptive mother, element 25
    {adoption::kMotherRaceA, columnOf(25), RaceRule::NoneMarked, '4'},    // no mother in a single-father family
    {adoption::kFatherRaceA, columnOf(27), RaceRule::UnableWithRace, 0},  // adoptive father, element 27
    {adoption::kFatherRaceA, columnOf(27), RaceRule::NoneMarked, '3'},    // no father in a single-mother family
};

}  // namespace vortel::adoption_groups

// Decision tables of the foster care consistency groups. Each table maps the
// combination of a group's factors to the elements that most likely cause the
// inconsistency; the engine in fostercare_groups.cpp works out the factors of
// a record, finds the row and applies the marks with the group's letter.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>

#include "catalogue/factor_words.h"
#include "catalogue/fostercare_catalogue.h"

namespace vortel::fostercare_groups {

// How the elements of an outcome receive the group's letter.
//   Each: every element that is still '.' or '!' takes the letter.
//   All:  as Each, but only when none of the elements already holds a letter;
//         otherwise nothing changes.
enum class Marking : std::uint8_t { None, Each, All };

// One outcome of a table. Element numbers are those of the record layout;
// the race elements 52 and 54 stand for their six category cells.
struct GroupMark {
    Marking how = Marking::None;
    bool upper = false;                      // upper-case letter: value deleted on load
    std::array<std::uint8_t, 8> elements{};  // element numbers, 0 ends the list
};

constexpr GroupMark marks(Marking how, bool upper, std::initializer_list<int> elements) {
    GroupMark m;
    m.how = how;
    m.upper = upper;
    std::size_t i = 0;
    for (int e : elements) m.elements[i++] = static_cast<std::uint8_t>(e);
    return m;
}

inline constexpr GroupMark ok{};
constexpr GroupMark mark(std::initializer_list<int> e) { return marks(Marking::Each, false, e); }
constexpr GroupMark markUpper(std::initializer_list<int> e) { return marks(Marking::Each, true, e); }
constexpr GroupMark markAll(std::initializer_list<int> e) { return marks(Marking::All, false, e); }

// A table row: the values of the row factors and one outcome per column.
template <typename Key, std::size_t Columns>
struct DecisionRow {
    Key key;
    std::array<GroupMark, Columns> outcomes;
};

// True when no two rows of the table share a key (checked at compile time
// below, so every combination has exactly one row).
template <typename Key, std::size_t Columns, std::size_t Rows>
constexpr bool keysDistinct(const DecisionRow<Key, Columns> (&table)[Rows]) {
    for (std::size_t i = 0; i < Rows; ++i) {
        for (std::size_t j = i + 1; j < Rows; ++j)
            if (table[i].key == table[j].key) return false;
    }
    return true;
}

// ---------------------------------------------------------------------------
// Group 2 (elements 10-15 and 33), letter b.
// Row: element 33 (child's disability as a removal reason), element 10 (child
// has a disability). Columns: none of 11-15 coded 1, some of 11-15 coded 1.

enum class Disability33 : std::uint8_t { One, Zero, Other };
enum class Disability10 : std::uint8_t { One, Two, Other };
inline constexpr FactorWord<Disability33> kDisability33Words[] = {
    {Disability33::One, "1"}, {Disability33::Zero, "0"}, {Disability33::Other, "neither 0 nor 1"}};
static_assert(wordsEveryValue(kDisability33Words, Disability33::Other));
inline constexpr FactorWord<Disability10> kDisability10Words[] = {
    {Disability10::One, "1"}, {Disability10::Two, "2"}, {Disability10::Other, "another code"}};
static_assert(wordsEveryValue(kDisability10Words, Disability10::Other));
struct Group2Key {
    Disability33 e33;
    Disability10 e10;
    constexpr bool operator==(const Group2Key&) const = default;
};

inline constexpr GroupMark kAllOfGroup2 = markAll({10, 11, 12, 13, 14, 15, 33});

inline constexpr DecisionRow<Group2Key, 2> kGroup2Table[] = {
    //                                        no specific                 some specific
    {{Disability33::One, Disability10::One}, {mark({11, 12, 13, 14, 15}), ok}},
    {{Disability33::One, Disability10::Two}, {mark({33}), mark({10})}},
    {{Disability33::One, Disability10::Other}, {mark({33}), mark({10})}},
    {{Disability33::Zero, Disability10::One}, {mark({10}), ok}},
    {{Disability33::Zero, Disability10::Two}, {ok, kAllOfGroup2}},
    {{Disability33::Zero, Disability10::Other}, {ok, kAllOfGroup2}},
    {{Disability33::Other, Disability10::One}, {mark({10}), ok}},
    {{Disability33::Other, Disability10::Two}, {ok, mark({10})}},
    {{Disability33::Other, Disability10::Other}, {ok, mark({10})}},
};
static_assert(std::size(kGroup2Table) == std::size_t{3} * 3 && keysDistinct(kGroup2Table));

// ---------------------------------------------------------------------------
// Group 3 (elements 16-17), letter c.
// Row: element 16 (previously adopted). Columns: element 17 (age at
// adoption) pending blank, 0, 1-4, 5.

enum class Adopted16 : std::uint8_t { One, Two, Three, Other };
inline constexpr FactorWord<Adopted16> kAdopted16Words[] = {
    {Adopted16::One, "1"}, {Adopted16::Two, "2"}, {Adopted16::Three, "3"}, {Adopted16::Other, "another code"}};
static_assert(wordsEveryValue(kAdopted16Words, Adopted16::Other));

inline constexpr GroupMark kBothOfGroup3 = markAll({16, 17});

inline constexpr DecisionRow<Adopted16, 4> kGroup3Table[] = {
    //                 17 blank     17 is 0        17 is 1-4      17 is 5
    {Adopted16::One, {mark({17}), kBothOfGroup3, ok, ok}},
    {Adopted16::Two, {ok, ok, kBothOfGroup3, kBothOfGroup3}},
    {Adopted16::Three, {ok, ok, kBothOfGroup3, ok}},
    {Adopted16::Other, {mark({16}), mark({16}), kBothOfGroup3, kBothOfGroup3}},
};
static_assert(std::size(kGroup3Table) == 4 && keysDistinct(kGroup3Table));

enum class Age17 : std::uint8_t { Blank, Zero, OneToFour, Five };
inline constexpr FactorWord<Age17> kAge17Words[] = {
    {Age17::Blank, "is blank"}, {Age17::Zero, "is 0"}, {Age17::OneToFour, "is 1 to 4"}, {Age17::Five, "is 5"}};
static_assert(wordsEveryValue(kAge17Words, Age17::Five));

// ---------------------------------------------------------------------------
// Group 12 (elements 59-66), letter m.
// Row: any funding source (59-62, 64) coded 1, Medicaid (63) coded 1, "none
// of the above" (65) coded 1. Columns: monthly amount absent, zero, positive.

struct Group12Key {
    bool source;
    bool medicaid;
    bool none;
    constexpr bool operator==(const Group12Key&) const = default;
};

inline constexpr GroupMark kAllOfGroup12 = markAll({59, 60, 61, 62, 63, 64, 65, 66});

inline constexpr DecisionRow<Group12Key, 3> kGroup12Table[] = {
    //                        absent        zero           positive
    {{false, false, false}, {mark({65}), mark({65}), kAllOfGroup12}},
    {{false, false, true}, {ok, ok, ok}},
    {{false, true, false}, {ok, ok, ok}},
    {{false, true, true}, {mark({65}), mark({65}), mark({65})}},
    {{true, false, false}, {mark({66}), mark({66}), ok}},
    {{true, false, true}, {kAllOfGroup12, kAllOfGroup12, mark({65})}},
    {{true, true, false}, {mark({66}), mark({66}), ok}},
    {{true, true, true}, {kAllOfGroup12, kAllOfGroup12, mark({65})}},
};
static_assert(std::size(kGroup12Table) == 8 && keysDistinct(kGroup12Table));

enum class Amount66 : std::uint8_t { Absent, Zero, Positive };
inline constexpr FactorWord<Amount66> kAmount66Words[] = {
    {Amount66::Absent, "is not valid"}, {Amount66::Zero, "is 0"}, {Amount66::Positive, "is more than 0"}};
static_assert(wordsEveryValue(kAmount66Words, Amount66::Positive));

// ---------------------------------------------------------------------------
// Group 4 (elements 18-21), letter d.
// Row: the order of first removal (18), previous discharge (20) and latest
// removal (21) as dense ranks of the three dates (0 for the earliest date,
// equal dates share a rank), kNoDate for the one date that is missing.
// Columns: several removals, one removal (element 19).

inline constexpr std::int8_t kNoDate = -1;
struct DateRanks {
    std::int8_t first18;
    std::int8_t previous20;
    std::int8_t latest21;
    constexpr bool operator==(const DateRanks&) const = default;
};

inline constexpr GroupMark kAllOfGroup4 = markAll({18, 19, 20, 21});

inline constexpr DecisionRow<DateRanks, 2> kGroup4Table[] = {
    // ranks of 18, 20, 21   several removals, one removal
    {{0, 1, 2}, {ok, markUpper({19})}},               // 18 < 20 < 21
    {{0, 1, 1}, {ok, markUpper({19})}},               // 18 < 20 = 21
    {{0, 2, 1}, {mark({20}), kAllOfGroup4}},          // 18 < 21 < 20
    {{0, 1, 0}, {kAllOfGroup4, markUpper({20})}},     // 18 = 21 < 20
    {{1, 2, 0}, {mark({21}), kAllOfGroup4}},          // 21 < 18 < 20
    {{0, 0, 1}, {ok, mark({19})}},                    // 18 = 20 < 21
    {{0, 0, 0}, {mark({19}), kAllOfGroup4}},          // 18 = 20 = 21
    {{1, 1, 0}, {mark({21}), kAllOfGroup4}},          // 21 < 18 = 20
    {{1, 0, 2}, {mark({20}), kAllOfGroup4}},          // 20 < 18 < 21
    {{1, 0, 1}, {mark({18}), mark({20})}},            // 20 < 18 = 21
    {{2, 0, 1}, {mark({18}), kAllOfGroup4}},          // 20 < 21 < 18
    {{1, 0, 0}, {mark({18}), kAllOfGroup4}},          // 20 = 21 < 18
    {{2, 1, 0}, {kAllOfGroup4, kAllOfGroup4}},        // 21 < 20 < 18
    {{0, kNoDate, 1}, {mark({20}), mark({18})}},      // 20 missing, 18 < 21
    {{0, kNoDate, 0}, {markUpper({19}), ok}},         // 20 missing, 18 = 21
    {{1, kNoDate, 0}, {kAllOfGroup4, mark({18})}},    // 20 missing, 18 > 21
    {{0, 1, kNoDate}, {mark({21}), kAllOfGroup4}},    // 21 missing, 18 < 20
    {{0, 0, kNoDate}, {mark({21}), kAllOfGroup4}},    // 21 missing, 18 = 20
    {{1, 0, kNoDate}, {kAllOfGroup4, kAllOfGroup4}},  // 21 missing, 18 > 20
    {{kNoDate, 0, 1}, {mark({18}), kAllOfGroup4}},    // 18 missing, 20 < 21
    {{kNoDate, 0, 0}, {mark({18}), kAllOfGroup4}},    // 18 missing, 20 = 21
    {{kNoDate, 1, 0}, {kAllOfGroup4, kAllOfGroup4}},  // 18 missing, 20 > 21
};
static_assert(std::size(kGroup4Table) == 22 && keysDistinct(kGroup4Table));

// ---------------------------------------------------------------------------
// Group 5 (elements 21, 23-24), letter e.
// Row: placement date (23) against latest removal date (21). Columns: number
// of placements (24) one, zero, several.

enum class PlacementOrder : std::uint8_t { SameDay, Later, Earlier };
inline constexpr FactorWord<PlacementOrder> kPlacementOrderWords[] = {{PlacementOrder::SameDay, "is the same day as"},
                                                                      {PlacementOrder::Later, "is later than"},
                                                                      {PlacementOrder::Earlier, "is earlier than"}};
static_assert(wordsEveryValue(kPlacementOrderWords, PlacementOrder::Earlier));

inline constexpr GroupMark kAllOfGroup5 = markAll({21, 23, 24});

inline constexpr DecisionRow<PlacementOrder, 3> kGroup5Table[] = {
    //                          one           zero        several
    {PlacementOrder::SameDay, {ok, mark({24}), mark({24})}},
    {PlacementOrder::Later, {mark({24}), mark({24}), ok}},
    {PlacementOrder::Earlier, {kAllOfGroup5, mark({24}), kAllOfGroup5}},
};
static_assert(std::size(kGroup5Table) == 3 && keysDistinct(kGroup5Table));

enum class Placements24 : std::uint8_t { One, Zero, Several };
inline constexpr FactorWord<Placements24> kPlacements24Words[] = {
    {Placements24::One, "is 1"}, {Placements24::Zero, "is 0"}, {Placements24::Several, "is more than 1"}};
static_assert(wordsEveryValue(kPlacements24Words, Placements24::Several));

// ---------------------------------------------------------------------------
// Group 6 (elements 2, 5, 21, 25, 43, 56), letter f.
// Row: discharged or in care, long or short stay, manner of removal (25).
// Columns: case plan goal (43) set or not set, each with review date (5)
// none, within the stay, outside it. Two elements in one outcome are marked
// each by itself.

enum class Child : std::uint8_t { Discharged, InCare };
enum class Stay : std::uint8_t { Long, Short };
// A stay of fewer days than this is short.
inline constexpr int kShortStayDays = 31;
enum class Manner25 : std::uint8_t { OneOrTwo, Other };
struct Group6Key {
    Child child;
    Stay stay;
    Manner25 manner;
    constexpr bool operator==(const Group6Key&) const = default;
};
enum class Goal43 : std::uint8_t { Set, NotSet };
enum class Review5 : std::uint8_t { None, Within, Outside };
inline constexpr FactorWord<Review5> kReview5Words[] = {{Review5::None, "is blank or out of range"},
                                                        {Review5::Within, "lies within the stay"},
                                                        {Review5::Outside, "lies outside the stay"}};
static_assert(wordsEveryValue(kReview5Words, Review5::Outside));
constexpr std::size_t group6Column(Goal43 goal, Review5 review) {
    return static_cast<std::size_t>(goal) * 3 + static_cast<std::size_t>(review);
}

inline constexpr DecisionRow<Group6Key, 6> kGroup6Table[] = {
    //   set/none      set/within    set/outside       not set/none  not set/within    not set/outside
    {{Child::Discharged, Stay::Long, Manner25::OneOrTwo}, {ok, ok, mark({5}), ok, mark({43}), mark({5})}},
    {{Child::Discharged, Stay::Long, Manner25::Other},
     {mark({25}), mark({25}), mark({25, 5}), mark({25}), mark({25, 43}), mark({25, 5})}},
    {{Child::Discharged, Stay::Short, Manner25::OneOrTwo}, {ok, ok, mark({5}), ok, mark({43}), mark({5})}},
    {{Child::Discharged, Stay::Short, Manner25::Other},
     {mark({25}), mark({25}), mark({5}), ok, mark({25, 43}), mark({5})}},
    {{Child::InCare, Stay::Long, Manner25::OneOrTwo}, {ok, ok, mark({5}), ok, mark({43}), mark({5})}},
    {{Child::InCare, Stay::Long, Manner25::Other},
     {mark({25}), mark({25}), mark({25, 5}), mark({25}), mark({25, 43}), mark({25, 5})}},
    {{Child::InCare, Stay::Short, Manner25::OneOrTwo}, {ok, ok, mark({5}), ok, mark({43}), mark({5})}},
    {{Child::InCare, Stay::Short, Manner25::Other},
     {mark({25}), mark({25}), mark({43, 5}), ok, mark({25, 43}), mark({5})}},
};
static_assert(std::size(kGroup6Table) == 8 && keysDistinct(kGroup6Table));

// ---------------------------------------------------------------------------
// Group 8 (elements 44-46), letter h.
// Row: primary caretaker family structure (44). Columns: birth years of the
// primary caretakers (45, 46) neither, first only, second only, both.

enum class Family44 : std::uint8_t { OneOrTwo, ThreeOrFour, Five };
inline constexpr FactorWord<Family44> kFamily44Words[] = {
    {Family44::OneOrTwo, "is 1 or 2"}, {Family44::ThreeOrFour, "is 3 or 4"}, {Family44::Five, "is 5"}};
static_assert(wordsEveryValue(kFamily44Words, Family44::Five));
constexpr std::size_t group8Column(bool firstYear, bool secondYear) {
    return (firstYear ? 1u : 0u) + (secondYear ? 2u : 0u);
}

inline constexpr DecisionRow<Family44, 4> kGroup8Table[] = {
    //                        neither          first only   second only  both
    {Family44::OneOrTwo, {mark({45, 46}), mark({46}), mark({45}), ok}},
    {Family44::ThreeOrFour, {mark({45}), ok, ok, mark({44})}},
    {Family44::Five, {ok, mark({44}), mark({44}), mark({44})}},
};
static_assert(std::size(kGroup8Table) == 3 && keysDistinct(kGroup8Table));

// ---------------------------------------------------------------------------
// Group 9 (elements 41, 49-55), letter i.
// Row: placement setting (41), foster family structure (49). Columns: first
// caretaker / second caretaker each absent (0), partial (1) or complete (2).
// Every outcome other than ok marks 49; "1" adds the first caretaker's
// elements (50, 52, 53), "2" the second's (51, 54, 55). 41 is never marked.

enum class Setting41 : std::uint8_t { Codes123, Codes456, Codes78, Missing };
enum class Family49 : std::uint8_t { None, Couple, Single };
inline constexpr FactorWord<Setting41> kSetting41Words[] = {{Setting41::Codes123, "is 1, 2 or 3"},
                                                            {Setting41::Codes456, "is 4, 5 or 6"},
                                                            {Setting41::Codes78, "is 7 or 8"},
                                                            {Setting41::Missing, "is missing or out of range"}};
static_assert(wordsEveryValue(kSetting41Words, Setting41::Missing));
inline constexpr FactorWord<Family49> kFamily49Words[] = {
    {Family49::None, "is none of 1-4"}, {Family49::Couple, "is 1 or 2"}, {Family49::Single, "is 3 or 4"}};
static_assert(wordsEveryValue(kFamily49Words, Family49::Single));
struct Group9Key {
    Setting41 setting;
    Family49 family;
    constexpr bool operator==(const Group9Key&) const = default;
};
enum class Caretaker : std::uint8_t { Absent, Partial, Complete };
inline constexpr FactorWord<Caretaker> kCaretakerWords[] = {
    {Caretaker::Absent, "absent"}, {Caretaker::Partial, "partial"}, {Caretaker::Complete, "complete"}};
static_assert(wordsEveryValue(kCaretakerWords, Caretaker::Complete));

// Where one foster caretaker's elements sit: birth year, race, origin.
struct CaretakerLayout {
    int yearCell;    // birth year element (50 or 51)
    int raceCell;    // first race category cell (52a or 54a)
    int raceColumn;  // column of category a; b-f follow
    int originCell;  // Hispanic or Latino origin element (53 or 55)
    int originColumn;
};
inline constexpr CaretakerLayout kFirstCaretaker{50, fostercare::kFirstCaretakerRaceA, fostercare::columnOf(52, 'a'),
                                                 53, fostercare::columnOf(53)};
inline constexpr CaretakerLayout kSecondCaretaker{51, fostercare::kSecondCaretakerRaceA, fostercare::columnOf(54, 'a'),
                                                  55, fostercare::columnOf(55)};
constexpr std::size_t group9Column(Caretaker first, Caretaker second) {
    return static_cast<std::size_t>(first) * 3 + static_cast<std::size_t>(second);
}

namespace group9 {
inline constexpr GroupMark dash = mark({49});
inline constexpr GroupMark c1 = mark({49, 50, 52, 53});
inline constexpr GroupMark c2 = mark({49, 51, 54, 55});
inline constexpr GroupMark c12 = mark({49, 50, 52, 53, 51, 54, 55});
}  // namespace group9

inline constexpr DecisionRow<Group9Key, 9> kGroup9Table[] = {
    // first/second:                          0/0  0/1  0/2  1/0  1/1  1/2  2/0  2/1  2/2
    {{Setting41::Codes123, Family49::None},
     {group9::c12, group9::c2, group9::dash, group9::c1, group9::c12, group9::c1, group9::dash, group9::c2,
      group9::dash}},
    {{Setting41::Codes123, Family49::Couple},
     {group9::c12, group9::c12, group9::c1, group9::c12, group9::c12, group9::c1, group9::c2, group9::c2, ok}},
    {{Setting41::Codes123, Family49::Single},
     {group9::c1, group9::c2, ok, group9::c1, group9::c12, group9::c1, ok, group9::c2, group9::dash}},
    {{Setting41::Codes456, Family49::None},
     {ok, group9::c2, group9::c2, group9::c1, group9::c12, group9::c12, group9::c1, group9::c12, group9::c12}},
    {{Setting41::Codes456, Family49::Couple},
     {group9::dash, group9::c2, group9::c2, group9::c1, group9::c12, group9::c12, group9::c1, group9::c12,
      group9::c12}},
    {{Setting41::Codes456, Family49::Single},
     {group9::dash, group9::c2, group9::c2, group9::c1, group9::c12, group9::c12, group9::c1, group9::c12,
      group9::c12}},
    {{Setting41::Codes78, Family49::None},
     {ok, group9::c2, group9::dash, group9::c1, group9::c12, group9::c1, group9::dash, group9::c2, group9::dash}},
    {{Setting41::Codes78, Family49::Couple},
     {group9::c12, group9::c12, group9::c1, group9::c12, group9::c12, group9::c1, group9::c2, group9::c2, ok}},
    {{Setting41::Codes78, Family49::Single},
     {group9::c1, group9::c2, ok, group9::c1, group9::c12, group9::c1, ok, group9::c2, group9::dash}},
    {{Setting41::Missing, Family49::None},
     {ok, group9::c2, group9::c2, group9::c1, group9::c12, group9::c12, group9::c1, group9::c12, group9::c12}},
    {{Setting41::Missing, Family49::Couple},
     {group9::c12, group9::c12, group9::c1, group9::c12, group9::c1, group9::c1, group9::c2, group9::c2, ok}},
    {{Setting41::Missing, Family49::Single},
     {group9::c1, group9::c2, ok, group9::c1, group9::c12, group9::c1, ok, group9::c2, group9::dash}},
};
static_assert(std::size(kGroup9Table) == std::size_t{4} * 3 && keysDistinct(kGroup9Table));

// ---------------------------------------------------------------------------
// Group 10 (elements 43, 47-48, 58), letter j.
// Row: case plan goal (43) is 3, reason for discharge (58) is 3. Columns:
// termination of parental rights dates of mother (47) and father (48):
// neither, father only, mother only, both.

struct Group10Key {
    bool goal3;
    bool reason3;
    constexpr bool operator==(const Group10Key&) const = default;
};
constexpr std::size_t group10Column(bool mother, bool father) { return (mother ? 2u : 0u) + (father ? 1u : 0u); }

inline constexpr GroupMark kAllOfGroup10 = markAll({43, 47, 48, 58});

inline constexpr DecisionRow<Group10Key, 4> kGroup10Table[] = {
    //                neither          father only     mother only     both
    {{true, true}, {mark({47, 48}), mark({47}), mark({48}), ok}},
    {{true, false}, {mark({43}), kAllOfGroup10, kAllOfGroup10, mark({58})}},
    {{false, true}, {mark({58}), kAllOfGroup10, kAllOfGroup10, mark({43})}},
    {{false, false}, {ok, ok, ok, ok}},
};
static_assert(std::size(kGroup10Table) == 4 && keysDistinct(kGroup10Table));

// ---------------------------------------------------------------------------
// Group 11 (elements 56-58), letter k.
// Row: discharge date (56) present, discharge transaction date (57) present.
// Columns: reason for discharge (58) absent, zero, given.

struct Group11Key {
    bool discharge;
    bool transaction;
    constexpr bool operator==(const Group11Key&) const = default;
};
enum class Reason58 : std::uint8_t { Absent, Zero, Given };
inline constexpr FactorWord<Reason58> kReason58Words[] = {
    {Reason58::Absent, "is blank or out of range"}, {Reason58::Zero, "is 0"}, {Reason58::Given, "is given"}};
static_assert(wordsEveryValue(kReason58Words, Reason58::Given));

inline constexpr GroupMark kAllOfGroup11 = markAll({56, 57, 58});

inline constexpr DecisionRow<Group11Key, 3> kGroup11Table[] = {
    //                 absent         zero             given
    {{false, false}, {ok, ok, mark({58})}},
    {{false, true}, {mark({57}), kAllOfGroup11, mark({56})}},
    {{true, false}, {kAllOfGroup11, kAllOfGroup11, mark({57})}},
    {{true, true}, {mark({58}), markUpper({58}), ok}},
};
static_assert(std::size(kGroup11Table) == 4 && keysDistinct(kGroup11Table));

// ---------------------------------------------------------------------------
// Group 7 (elements 26-40), letter g: at least one condition of removal
// must apply. None coded 1 marks 37; the group has this one rule.
inline constexpr GroupMark kGroup7Mark = mark({37});

// ---------------------------------------------------------------------------
// Group 13 (elements 8, 52 and 54), letter n: within a race element. Each
// element has two rules: category f ("unable to determine") coded 1 together
// with one of a-e marks f; no category coded 1 marks all six. The foster
// caretakers' elements (52, 54) are judged only for placement settings 1-3.

enum class RaceRule13 : std::uint8_t { UnableWithRace, NoneMarked };
inline constexpr int kGroup13RaceElements[] = {8, 52, 54};
// Rules are numbered by element, then rule.
constexpr int group13Rule(int place, RaceRule13 rule) { return place * 2 + static_cast<int>(rule); }

}  // namespace vortel::fostercare_groups

#include "fostercare/fostercare_groups.h"

#include <array>
#include <bit>
#include <cstdint>
#include <iterator>
#include <string>
#include <type_traits>

#include "catalogue/fostercare_catalogue.h"
#include "core/element_table.h"
#include "core/platform.h"
#include "fields/fields.h"
#include "fostercare/fostercare_group_tables.h"

namespace vortel {

namespace {

using namespace fostercare_groups;

using fostercare::columnOf;
using fostercare::lastColumnOf;

constexpr char kGroup13Letter = fostercare::groupLetter(13);

// First columns of the dates the groups compare (8 characters each).
constexpr int kReviewDateColumn = columnOf(5);
constexpr int kFirstRemovalColumn = columnOf(18);
constexpr int kPreviousDischargeColumn = columnOf(20);
constexpr int kLatestRemovalColumn = columnOf(21);
constexpr int kPlacementDateColumn = columnOf(23);
constexpr int kDischargeDateColumn = columnOf(56);
static_assert(fostercare::entry(5).width() == 8 && fostercare::entry(18).width() == 8 &&
              fostercare::entry(20).width() == 8 && fostercare::entry(21).width() == 8 &&
              fostercare::entry(23).width() == 8 && fostercare::entry(56).width() == 8);

std::string_view dateAt(std::string_view record, int firstColumn) {
    return field(record, firstColumn, firstColumn + 7);
}

// Calendar order of two valid dates: -1 when a is earlier, 0 on the same day,
// 1 when later (the sign of their difference in years at day precision).
int compareDates(std::string_view a, std::string_view b) {
    // Two dates of eight digits each compare as texts.
    if (eightDigits(a.data()) && eightDigits(b.data())) {
        // Read most significant character first, the words order as the texts.
        const std::uint64_t x = platform::fromBigEndian64(loadWord(a.data()));
        const std::uint64_t y = platform::fromBigEndian64(loadWord(b.data()));
        return (x > y) - (x < y);
    }
    const DateParts pa = dateParts(a);
    const DateParts pb = dateParts(b);
    if (pa.year != pb.year) return pa.year < pb.year ? -1 : 1;
    if (pa.month != pb.month) return pa.month < pb.month ? -1 : 1;
    if (pa.day != pb.day) return pa.day < pb.day ? -1 : 1;
    return 0;
}

// Missing or out of range: the element gives nothing to compare.
bool missingOrOutOfRange(const ElementTable& cells, int cell) { return isMissingOrOutOfRange(cells.state(cell)); }
// For elements that may be blank: present unless pending blank or out of range.
bool blankOrOutOfRange(const ElementTable& cells, int cell) { return isBlankOrOutOfRange(cells.state(cell)); }
// Missing, pending blank or out of range: no date to place.
bool noDate(const ElementTable& cells, int cell) {
    const char s = cells.state(cell);
    return isMissingOrOutOfRange(s) || s == kPendingBlank;
}

bool anyColumnIs(std::string_view record, int first, int last, char code) {
    // Every column is read: an early exit would depend on the data.
    bool any = false;
    for (int c = first; c <= last; ++c) any |= column(record, c) == code;
    return any;
}

// The cells an element stands for: the race elements 8, 52 and 54 are their
// six category cells, every other element is its own cell.
struct CellRange {
    int first;
    int last;
};
CellRange cellsOf(int element) {
    switch (element) {
        case 8:
            return {fostercare::kChildRaceA, fostercare::kChildRaceA + 5};
        case 52:
            return {fostercare::kFirstCaretakerRaceA, fostercare::kFirstCaretakerRaceA + 5};
        case 54:
            return {fostercare::kSecondCaretakerRaceA, fostercare::kSecondCaretakerRaceA + 5};
        default:
            return {element, element};
    }
}

bool hasLetter(const ElementTable& cells, int element) {
    const CellRange r = cellsOf(element);
    for (int c = r.first; c <= r.last; ++c)
        if (isLetterState(cells.state(c))) return true;
    return false;
}

// Gives each cell of the element the letter if it is still '.' or '!'.
void markElement(ElementTable& cells, int element, char letter) {
    const CellRange r = cellsOf(element);
    for (int c = r.first; c <= r.last; ++c) cells.markLetter(c, letter);
}

// An outcome of a group's table and the rule it is: its place in the table,
// row * columns + column.
struct Outcome {
    const GroupMark* mark;
    int rule;
};

// Marks as the outcome says with the letter of group `group`, naming the
// rule for the letters it gives.
template <int group>
void applyMark(ElementTable& cells, Outcome outcome) {
    const GroupMark& m = *outcome.mark;
    if (m.how == Marking::None) return;
    cells.setRule(groupRule(group, outcome.rule));
    char letter = fostercare::groupLetter(group);
    if (m.upper) letter = static_cast<char>(letter - 'a' + 'A');
    if (m.how == Marking::All) {
        for (int e : m.elements)
            if (e != 0 && hasLetter(cells, e)) return;
    }
    for (int e : m.elements)
        if (e != 0) markElement(cells, e, letter);
}

// Keys are a few one-byte factors, compared as one number.
template <typename Key>
constexpr std::uint32_t keyCode(const Key& key) {
    static_assert(sizeof(Key) <= sizeof(std::uint32_t) && std::has_unique_object_representations_v<Key>);
    const auto bytes = std::bit_cast<std::array<std::uint8_t, sizeof(Key)>>(key);
    std::uint32_t code = 0;
    for (std::size_t i = 0; i < sizeof(Key); ++i) code |= std::uint32_t{bytes[i]} << (8 * i);
    return code;
}

// The outcome of the table row whose factors equal `key`, in `columnIndex`.
// Every table is complete (checked where it is defined), so a row is found.
// The rows' keys are held side by side as numbers and every one is
// compared, so that which row matches (which depends on the record) decides
// no branch.
template <const auto& table, typename Key>
Outcome lookUp(const Key& key, std::size_t columnIndex) {
    constexpr std::size_t kRows = std::size(table);
    constexpr std::size_t kColumns = std::size(table[0].outcomes);
    static_assert(kRows * kColumns <= 256, "a rule index is one byte");
    static constexpr auto kCodes = [] {
        std::array<std::uint32_t, kRows> codes{};
        for (std::size_t i = 0; i < kRows; ++i) codes[i] = keyCode(table[i].key);
        return codes;
    }();
    static_assert(kRows <= 64);
    const std::uint32_t wanted = keyCode(key);
    std::uint64_t matches = 0;
    for (std::size_t i = 0; i < kRows; ++i) matches |= std::uint64_t{kCodes[i] == wanted} << i;
    if (matches == 0) return {&ok, 0};
    const std::size_t row = static_cast<std::size_t>(std::countr_zero(matches));
    return {&table[row].outcomes[columnIndex], static_cast<int>(row * kColumns + columnIndex)};
}

// ---------------------------------------------------------------------------

void checkGroup2(ElementTable& cells, std::string_view record) {
    if (cells.state(10) == kMissing) return;
    for (int e = 10; e <= 15; ++e)
        if (cells.state(e) == kOutOfRange) return;
    const char c33 = column(record, columnOf(33));
    const Disability33 e33 = c33 == '1' ? Disability33::One : c33 == '0' ? Disability33::Zero : Disability33::Other;
    const char c10 = column(record, columnOf(10));
    const Disability10 e10 = c10 == '1' ? Disability10::One : c10 == '2' ? Disability10::Two : Disability10::Other;
    const bool specific = anyColumnIs(record, columnOf(11), columnOf(15), '1');
    applyMark<2>(cells, lookUp<kGroup2Table>(Group2Key{e33, e10}, specific ? 1 : 0));
}

void checkGroup3(ElementTable& cells, std::string_view record) {
    if (cells.state(16) == kOutOfRange || cells.state(17) == kOutOfRange) return;
    const char c16 = column(record, columnOf(16));
    const Adopted16 e16 = c16 == '1'   ? Adopted16::One
                          : c16 == '2' ? Adopted16::Two
                          : c16 == '3' ? Adopted16::Three
                                       : Adopted16::Other;
    const char c17 = column(record, columnOf(17));
    const Age17 e17 = cells.state(17) == kPendingBlank ? Age17::Blank
                      : c17 == '0'                     ? Age17::Zero
                      : c17 == '5'                     ? Age17::Five
                                                       : Age17::OneToFour;
    applyMark<3>(cells, lookUp<kGroup3Table>(e16, static_cast<std::size_t>(e17)));
}

// Removal conditions (elements 26-40): at least one must apply.
void checkGroup7(ElementTable& cells, std::string_view record) {
    for (int e = 26; e <= 40; ++e)
        if (missingOrOutOfRange(cells, e)) return;
    if (!anyColumnIs(record, columnOf(26), columnOf(40), '1')) applyMark<7>(cells, {&kGroup7Mark, 0});
}

void checkGroup12(ElementTable& cells, std::string_view record) {
    for (int e = 59; e <= 65; ++e)
        if (missingOrOutOfRange(cells, e)) return;
    const bool sourceIn59To62 = anyColumnIs(record, columnOf(59), columnOf(62), '1');
    const bool source = sourceIn59To62 || column(record, columnOf(64)) == '1';
    const bool medicaid = column(record, columnOf(63)) == '1';
    const bool none = column(record, columnOf(65)) == '1';
    Amount66 amount = Amount66::Absent;
    if (cells.state(66) == kValid) {
        amount =
            numberOutOfRange(field(record, columnOf(66), lastColumnOf(66)), 0, 0) ? Amount66::Positive : Amount66::Zero;
    }
    applyMark<12>(cells, lookUp<kGroup12Table>(Group12Key{source, medicaid, none}, static_cast<std::size_t>(amount)));
}

// Order of first removal (18), previous discharge (20) and latest removal
// (21) as dense ranks; the missing date, if any, gets kNoDate.
DateRanks rankRemovalDates(const ElementTable& cells, std::string_view record) {
    struct RemovalDate {
        int element;
        int firstColumn;
    };
    // The missing date is looked for in this order: 18, then 20, then 21.
    constexpr RemovalDate kDates[3] = {
        {18, kFirstRemovalColumn}, {20, kPreviousDischargeColumn}, {21, kLatestRemovalColumn}};
    int missing = -1;
    for (int i = 0; i < 3 && missing < 0; ++i)
        if (noDate(cells, kDates[i].element)) missing = i;

    std::array<std::int8_t, 3> rank{};
    for (int i = 0; i < 3; ++i) {
        if (i == missing) {
            rank[static_cast<std::size_t>(i)] = kNoDate;
            continue;
        }
        const std::string_view date = dateAt(record, kDates[i].firstColumn);
        // Count the distinct earlier dates among the (at most two) others.
        std::int8_t earlier = 0;
        std::string_view firstEarlier;
        for (int j = 0; j < 3; ++j) {
            if (j == i || j == missing) continue;
            const std::string_view other = dateAt(record, kDates[j].firstColumn);
            if (compareDates(other, date) >= 0) continue;
            if (earlier == 0 || compareDates(other, firstEarlier) != 0) ++earlier;
            if (earlier == 1) firstEarlier = other;
        }
        rank[static_cast<std::size_t>(i)] = earlier;
    }
    return {rank[0], rank[1], rank[2]};
}

void checkGroup4(ElementTable& cells, std::string_view record) {
    if (missingOrOutOfRange(cells, 19)) return;
    // Missing here: '1' or '2' for 18 and 21, '!' or '2' for 20; a blank 18
    // or 21 is '1' and a blank 20 is '!', so one set serves all three.
    int missing = 0;
    for (int e : {18, 20, 21})
        if (noDate(cells, e)) ++missing;
    if (missing > 1) return;
    const bool oneRemoval = !numberOutOfRange(field(record, columnOf(19), lastColumnOf(19)), 1, 1);
    applyMark<4>(cells, lookUp<kGroup4Table>(rankRemovalDates(cells, record), oneRemoval ? 1 : 0));
}

void checkGroup5(ElementTable& cells, std::string_view record) {
    if (missingOrOutOfRange(cells, 21) || missingOrOutOfRange(cells, 23)) return;
    // A count of 0 placements is out of range for element 24 but still
    // takes part here.
    const std::string_view placements24 = field(record, columnOf(24), lastColumnOf(24));
    if (cells.state(24) == kMissing || numberOutOfRange(placements24, 0, 99)) return;
    const std::int64_t count = fieldValue(placements24);
    const Placements24 placements = count == 1   ? Placements24::One
                                    : count == 0 ? Placements24::Zero
                                                 : Placements24::Several;
    const int order = compareDates(dateAt(record, kPlacementDateColumn), dateAt(record, kLatestRemovalColumn));
    const PlacementOrder key = order == 0  ? PlacementOrder::SameDay
                               : order > 0 ? PlacementOrder::Later
                                           : PlacementOrder::Earlier;
    applyMark<5>(cells, lookUp<kGroup5Table>(key, static_cast<std::size_t>(placements)));
}

void checkGroup6(ElementTable& cells, std::string_view record) {
    if (missingOrOutOfRange(cells, 21)) return;
    const std::string_view latestRemoval = dateAt(record, kLatestRemovalColumn);
    const std::string_view discharge = dateAt(record, kDischargeDateColumn);

    Child child;
    std::int64_t days;
    if (blankOrOutOfRange(cells, 56)) {
        // Still in care: the stay runs to the end of the report period,
        // 31 March or 30 September. The month is taken by value, as the
        // period test reads it, so a March written "3 " ends on the 31st too.
        if (missingOrOutOfRange(cells, 2)) return;
        child = Child::InCare;
        std::string periodEnd(field(record, columnOf(2), lastColumnOf(2)));
        periodEnd += fieldValue(field(record, columnOf(2) + 4, lastColumnOf(2))) == 3 ? "31" : "30";
        days = daysBetween(periodEnd, latestRemoval);
    } else {
        child = Child::Discharged;
        days = daysBetween(discharge, latestRemoval);
        if (days < 0) return;
    }
    const Stay stay = days < kShortStayDays ? Stay::Short : Stay::Long;
    const char c25 = column(record, columnOf(25));
    const Manner25 manner = (c25 == '1' || c25 == '2') ? Manner25::OneOrTwo : Manner25::Other;
    const Goal43 goal =
        (column(record, columnOf(43)) == '7' || missingOrOutOfRange(cells, 43)) ? Goal43::NotSet : Goal43::Set;

    Review5 review = Review5::Within;
    if (blankOrOutOfRange(cells, 5)) {
        review = Review5::None;
    } else {
        const std::string_view reviewDate = dateAt(record, kReviewDateColumn);
        if (compareDates(reviewDate, latestRemoval) < 0 ||
            (child == Child::Discharged && compareDates(reviewDate, discharge) > 0))
            review = Review5::Outside;
    }
    applyMark<6>(cells, lookUp<kGroup6Table>(Group6Key{child, stay, manner}, group6Column(goal, review)));
}

void checkGroup8(ElementTable& cells, std::string_view record) {
    if (missingOrOutOfRange(cells, 44)) return;
    const char c44 = column(record, columnOf(44));
    const Family44 family = (c44 == '1' || c44 == '2')   ? Family44::OneOrTwo
                            : (c44 == '3' || c44 == '4') ? Family44::ThreeOrFour
                                                         : Family44::Five;
    const bool firstYear = !blankOrOutOfRange(cells, 45);
    const bool secondYear = !blankOrOutOfRange(cells, 46);
    applyMark<8>(cells, lookUp<kGroup8Table>(family, group8Column(firstYear, secondYear)));
}

Caretaker classifyCaretaker(const ElementTable& cells, std::string_view record, const CaretakerLayout& c) {
    bool raceCellValid = false;
    bool raceCellBlankOrValid = false;
    for (int i = 0; i < 6; ++i) {
        const char s = cells.state(c.raceCell + i);
        raceCellValid |= s == kValid;
        raceCellBlankOrValid |= (s == kValid) | (s == kPendingBlank);
    }
    const bool raceCoded = anyColumnIs(record, c.raceColumn, c.raceColumn + 5, '1');
    const bool yearAbsent = blankOrOutOfRange(cells, c.yearCell);
    const bool originAbsent = blankOrOutOfRange(cells, c.originCell) || column(record, c.originColumn) == '0';

    if (!yearAbsent && raceCellValid && raceCoded && !originAbsent) return Caretaker::Complete;
    // A foster family block filled with codes 0 and 1 (elements 49 to 55)
    // stands for no caretaker at all.
    bool zerosAndOnes = true;
    for (int col = columnOf(49); col <= columnOf(55); ++col) {
        const char ch = column(record, col);
        zerosAndOnes &= (ch == '0') | (ch == '1');
    }
    if (zerosAndOnes) return Caretaker::Absent;
    const bool raceAbsent = raceCellBlankOrValid && !raceCoded;
    if (yearAbsent && raceAbsent && originAbsent) return Caretaker::Absent;
    return Caretaker::Partial;
}

void checkGroup9(ElementTable& cells, std::string_view record) {
    if (missingOrOutOfRange(cells, 41) && blankOrOutOfRange(cells, 49)) return;
    const char c41 = column(record, columnOf(41));
    Setting41 setting = Setting41::Codes456;
    if (c41 == '1' || c41 == '2' || c41 == '3') {
        setting = Setting41::Codes123;
    } else if (c41 == '7' || c41 == '8') {
        setting = Setting41::Codes78;
    } else if (missingOrOutOfRange(cells, 41)) {
        setting = Setting41::Missing;
    }
    const char c49 = column(record, columnOf(49));
    const Family49 family = (c49 == '1' || c49 == '2')   ? Family49::Couple
                            : (c49 == '3' || c49 == '4') ? Family49::Single
                                                         : Family49::None;
    const Caretaker first = classifyCaretaker(cells, record, kFirstCaretaker);
    const Caretaker second = classifyCaretaker(cells, record, kSecondCaretaker);
    applyMark<9>(cells, lookUp<kGroup9Table>(Group9Key{setting, family}, group9Column(first, second)));
}

void checkGroup10(ElementTable& cells, std::string_view record) {
    if (blankOrOutOfRange(cells, 58) || column(record, columnOf(58)) == '0' || missingOrOutOfRange(cells, 43)) return;
    const Group10Key key{column(record, columnOf(43)) == '3', column(record, columnOf(58)) == '3'};
    const bool mother = !blankOrOutOfRange(cells, 47);
    const bool father = !blankOrOutOfRange(cells, 48);
    applyMark<10>(cells, lookUp<kGroup10Table>(key, group10Column(mother, father)));
}

void checkGroup11(ElementTable& cells, std::string_view record) {
    const Group11Key key{!blankOrOutOfRange(cells, 56), !blankOrOutOfRange(cells, 57)};
    const Reason58 reason = column(record, columnOf(58)) == '0' ? Reason58::Zero
                            : blankOrOutOfRange(cells, 58)      ? Reason58::Absent
                                                                : Reason58::Given;
    applyMark<11>(cells, lookUp<kGroup11Table>(key, static_cast<std::size_t>(reason)));
}

// A race element must name at least one race category or "unable to
// determine", but not both. Both: the "unable to determine" cell is marked;
// neither: all six cells are. `place` is the element's place in
// kGroup13RaceElements.
void checkRaceElement(ElementTable& cells, std::string_view record, int firstColumn, int place) {
    const int raceElement = kGroup13RaceElements[place];
    const bool category = anyColumnIs(record, firstColumn, firstColumn + 4, '1');
    const bool unable = column(record, firstColumn + 5) == '1';
    if (category && unable) {
        cells.setRule(groupRule(13, group13Rule(place, RaceRule13::UnableWithRace)));
        cells.markLetter(cellsOf(raceElement).last, kGroup13Letter);
    } else if (!category && !unable) {
        cells.setRule(groupRule(13, group13Rule(place, RaceRule13::NoneMarked)));
        markElement(cells, raceElement, kGroup13Letter);
    }
}

void checkGroup13(ElementTable& cells, std::string_view record) {
    static_assert(kGroup13RaceElements[0] == 8 && kGroup13RaceElements[1] == 52 && kGroup13RaceElements[2] == 54);
    checkRaceElement(cells, record, columnOf(8), 0);
    // The foster caretakers' race is judged only for a child placed in a
    // foster family (settings 1 to 3).
    const char c41 = column(record, columnOf(41));
    if (c41 == '1' || c41 == '2' || c41 == '3') {
        checkRaceElement(cells, record, columnOf(52), 1);
        checkRaceElement(cells, record, columnOf(54), 2);
    }
}

}  // namespace

void checkFosterCareGroups(ElementTable& cells, std::string_view record) {
    // A mark never replaces a letter, so this order decides which group
    // keeps an element that two groups would mark.
    checkGroup2(cells, record);
    checkGroup3(cells, record);
    checkGroup7(cells, record);
    checkGroup12(cells, record);
    checkGroup4(cells, record);
    checkGroup5(cells, record);
    checkGroup6(cells, record);
    checkGroup8(cells, record);
    checkGroup9(cells, record);
    checkGroup10(cells, record);
    checkGroup11(cells, record);
    checkGroup13(cells, record);
}

}  // namespace vortel

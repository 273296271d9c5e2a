// File-wide summary tallies: one slot per watched pattern (an element that
// holds one value in every record, a share of a code above a threshold, the
// multi-racial records of a race group, repeated blank record numbers).
//
// A tally table is described by a constexpr array of TallyRow, one row per
// assigned slot; one engine reads the rows of either record kind. The
// run-time values of the slots live in TallyTables (RunContext::tallies) and
// are never reset between sections.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/record_kind.h"

namespace vortel {

class ElementTable;

struct SummaryTally {
    char reference[16] = {};  // empty (first character 0) until set
    std::int32_t matchCount = 0;
    std::int32_t validCount = 0;
    float threshold = 100.0f;  // percent; 100: no threshold
    bool differs = false;      // the watched pattern is broken
};

// What a slot watches and how a record updates it.
enum class TallyKind : std::uint8_t {
    SameCode,     // one character equals the reference in every counted record
    SameText,     // n characters equal the reference, character by character
    SameDate,     // year (month, day) of the field equal those of the reference
    SameNumber,   // the field read as a number equals the reference's number
    Above,        // the field read as a number exceeds the reference's number
    SamePair,     // two dates of one record agree (the reference plays no part)
    CodeShare,    // share of counted records whose code is the reference
    BlankCount,   // records whose field is all blanks (counting stops at 2)
    BlankShare,   // share of counted records whose year reads as 0 (blank)
    MultiRacial,  // records with two or more of races a-e coded 1
};

// The condition under which a record reaches a slot at all.
enum class TallyGate : std::uint8_t {
    Always,
    ColumnNotZero,   // the gate column does not hold '0'
    MatchAtMostOne,  // the slot's own matchCount is at most 1
};

struct Columns {
    std::uint8_t first = 0;  // 1-based, inclusive
    std::uint8_t last = 0;
};

// One slot of a tally table as data.
struct TallyRow {
    std::uint8_t slot;
    // The cell whose state the slot reads: the element's cell, the first
    // date of a pair, or sub-element a of a race group (a-f are six cells).
    std::uint8_t cell;
    Columns cols;  // the field; for a race group the six columns a-f
    TallyKind kind;
    const char* reference = nullptr;  // fixed reference; nullptr: none or taken from the data
    float threshold = 100.0f;
    TallyGate gate = TallyGate::Always;
    std::uint8_t gateColumn = 0;
    std::uint8_t pairCell = 0;  // the second date of a pair
    Columns pairCols = {};
    // Blank kinds: a pending blank ('!') counts like a valid value.
    bool countsPendingBlank = false;
};

constexpr int kAdoptionTallySlots = kindRow(RecordKind::Adoption).tallySlots;
constexpr int kFosterCareTallySlots = kindRow(RecordKind::FosterCare).tallySlots;

// The rows a record still has to visit, rows of one kind together. A slot that can no
// longer change (a "same" slot whose pattern broke, a blank count that
// reached two) leaves the list, so a record only pays for live slots.
struct ActiveRows {
    std::array<std::uint8_t, kMaxTallySlots> index{};
    std::size_t count = 0;
};

// The slots of one record kind and the rows a record still visits.
template <int Slots>
struct KindTallies {
    std::array<SummaryTally, Slots> slots{};
    ActiveRows rows;
};
// Every kind's slots are held in storage of one size, so that the tables of
// the kinds are one array indexed by kind; a kind uses its first slots.
using AdoptionTallies = KindTallies<kMaxTallySlots>;
using FosterCareTallies = KindTallies<kMaxTallySlots>;
using TallyTables = PerKind<KindTallies<kMaxTallySlots>>;

// Start values: every slot empty with no threshold, then the fixed
// references and thresholds of the rows; every row active.
void initTallySlots(std::span<SummaryTally> slots, std::span<const TallyRow> rows, ActiveRows& active);
// Updates the slots from one record, visiting the active rows.
// `cells` holds the record's final element states; `record` is the padded
// record (at least as long as the record kind's padded length).
void tallyRecordSlots(std::span<SummaryTally> slots, std::span<const TallyRow> rows, ActiveRows& active,
                      const ElementTable& cells, std::string_view record);
// End of a section: judges every slot with a threshold by its share of the
// run's totals.
void finishTallySlots(std::span<SummaryTally> slots);

// The share of counted records that matched, in percent (0 when nothing was
// counted).
double tallyShare(const SummaryTally& slot);

}  // namespace vortel

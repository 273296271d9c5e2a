// Element status tables: one cell per element (and per race category) of a
// detail record, holding the record's element state and the run-wide error
// counts from which the data errors table is written.
#pragma once

#include <array>
#include <bit>
#include <cassert>
#include <climits>
#include <cstdint>

#include "core/record_kind.h"

namespace vortel {

constexpr int kAdoptionCells = kindRow(RecordKind::Adoption).cells;
constexpr int kFosterCareCells = kindRow(RecordKind::FosterCare).cells;
constexpr int kAdoptionRecordLength = kindRow(RecordKind::Adoption).recordLength;
constexpr int kFosterCareRecordLength = kindRow(RecordKind::FosterCare).recordLength;

constexpr int cellCount(RecordKind kind) { return kindRow(kind).cells; }
constexpr int recordLength(RecordKind kind) { return kindRow(kind).recordLength; }

// Cell numbers of the race categories a-f, after the cells of the elements.
// Category x of a race element is cell (first + x), x = 0 for a ... 5 for f;
// the catalogues place each category at its cell.
namespace adoption {
constexpr int kChildRaceA = 38;   // 7a-7f: cells 38-43
constexpr int kMotherRaceA = 44;  // 25a-25f: cells 44-49
constexpr int kFatherRaceA = 50;  // 27a-27f: cells 50-55
}  // namespace adoption
namespace fostercare {
constexpr int kChildRaceA = 67;            // 8a-8f: cells 67-72
constexpr int kFirstCaretakerRaceA = 73;   // 52a-52f: cells 73-78
constexpr int kSecondCaretakerRaceA = 79;  // 54a-54f: cells 79-84
}  // namespace fostercare

// Adds one to a run-wide count. The counts are 32-bit like the report
// columns; a count that would overflow (after some two billion records of an
// endless input) stays at the largest value instead of wrapping.
inline void countUp(std::int32_t& count) {
    if (count < INT32_MAX) ++count;
}

// Element states.
constexpr char kValid = '.';
constexpr char kMissing = '1';
constexpr char kOutOfRange = '2';
constexpr char kPendingBlank = '!';

// True for a final state that is reported: missing, out of range, a letter.
// Both states that are no finding ('.' and '!') lie below '0' and every
// other state above it, so one comparison tells (the tally runs it for every
// cell of every record).
constexpr bool isFindingState(char s) {
    static_assert(kValid < '0' && kPendingBlank < '0' && kMissing >= '0' && kOutOfRange >= '0');
    return s >= '0';
}
// Missing or out of range: the element gives no value to compare.
constexpr bool isMissingOrOutOfRange(char s) { return s == kMissing || s == kOutOfRange; }
// For an element that may be blank: left blank or out of range, so no value
// was given (any other state, a letter of an earlier check included, holds one).
constexpr bool isBlankOrOutOfRange(char s) { return s == kPendingBlank || s == kOutOfRange; }
inline bool isLetterState(char s) { return (s >= 'a' && s <= 'z') || (s >= 'A' && s <= 'Z'); }
inline bool isUpperState(char s) { return s >= 'A' && s <= 'Z'; }

// The rule behind a letter: the group number and the index of the rule
// within the group (for group #1 the date-pair row), so that a finding can
// name the table row that decided it. Rule 0 (group 0) is none: states '1',
// '2' and '!' come from the element's own test.
constexpr std::uint16_t groupRule(int group, int index) { return static_cast<std::uint16_t>(group << 8 | index); }
constexpr int ruleGroup(std::uint16_t rule) { return rule >> 8; }
constexpr int ruleIndex(std::uint16_t rule) { return rule & 0xFF; }

struct ElementStatus {
    char state = kValid;
    std::uint16_t rule = 0;             // this record: the rule that gave the letter
    std::int32_t pairFailures = 0;      // this record's failed date pairs blaming the element
    std::int32_t missingCount = 0;      // run: times marked missing
    std::int32_t outOfRangeCount = 0;   // run: times marked out of range
    std::int32_t likelyErrorCount = 0;  // run: records whose final state was a letter
    std::int32_t cleanedCount = 0;      // run: records whose final state was upper case or '2'
};

// A table of cells numbered from 1 to cellCount(kind). A record changes
// only a few cells, so the table keeps the set of cells changed since the
// last reset: the reset and the tally visit those and no others. Every
// change therefore goes through the operations below; reading a cell is
// free.
class ElementTable {
public:
    explicit ElementTable(RecordKind kind) : kind_(kind) {}

    RecordKind kind() const { return kind_; }
    int size() const { return cellCount(kind_); }

    // Cells are numbered from 1; debug builds check every index.
    const ElementStatus& operator[](int cell) const {
        assert(cell >= 1 && cell <= size());
        return cells_[static_cast<std::size_t>(cell)];
    }
    char state(int cell) const { return (*this)[cell].state; }

    // Sets every state to '.' and every counter to 0 (start of the run).
    void clearAll();
    // Per-record reset: state '.' and pairFailures 0; run counts untouched.
    void resetRecord();
    // Adds the record's final states to the likely-error and cleaned counts.
    // Returns true when the record has a finding (as hasFinding()).
    bool tallyStates();
    // Writes a state as it is.
    void setState(int cell, char state) {
        touch(cell);
        at(cell).state = state;
    }
    // Code '1' marks missing, '2' out of range (counting each time); any
    // other code changes nothing.
    void mark(int cell, char code);
    // A check names the rule it applies before it gives letters; each letter
    // given keeps it. Only the paths that give letters pay for this.
    void setRule(std::uint16_t rule) { rule_ = rule; }
    // The rule that gave a cell its letter (meaningful for letter states).
    std::uint16_t rule(int cell) const { return (*this)[cell].rule; }
    // Writes a letter, whatever the state, under the current rule.
    void setLetter(int cell, char letter) {
        setState(cell, letter);
        at(cell).rule = rule_;
    }
    // Gives a consistency letter to a cell that is still '.' or '!', under
    // the current rule. Cells holding '1', '2' or a letter keep their state.
    void markLetter(int cell, char letter);
    // Counts one more failed date pair of this record against the cell.
    void addPairFailure(int cell) {
        touch(cell);
        ++at(cell).pairFailures;
    }
    // True when any cell holds a state other than '.' or '!'.
    bool hasFinding() const;
    // Calls f(cell) for every cell changed since the last reset.
    template <typename F>
    void forEachTouched(F f) const {
        for (std::size_t w = 0; w < touched_.size(); ++w) {
            for (std::uint64_t bits = touched_[w]; bits != 0; bits &= bits - 1) {
                f(static_cast<int>(w) * 64 + std::countr_zero(bits));
            }
        }
    }

private:
    static constexpr int kWords = (kMaxCells + 1 + 63) / 64;

    ElementStatus& at(int cell) {
        assert(cell >= 1 && cell <= size());
        return cells_[static_cast<std::size_t>(cell)];
    }
    void touch(int cell) {
        assert(cell >= 1 && cell <= size());
        touched_[static_cast<std::size_t>(cell >> 6)] |= std::uint64_t{1} << (cell & 63);
    }

    RecordKind kind_;
    std::array<ElementStatus, kMaxCells + 1> cells_{};  // index 0 unused
    std::array<std::uint64_t, kWords> touched_{};
    std::uint16_t rule_ = 0;
};

}  // namespace vortel

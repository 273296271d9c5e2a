// Comparing the findings of this run with those of an earlier run (its
// findings JSON): which findings are still open, fixed or new, which records
// were removed or added, and how the share of records with a finding changed
// per element.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/element_table.h"

namespace vortel {

class Writer;

// A record number as the record holds it: its 12 columns, bytes as they are.
using RecordNumber = std::array<char, 12>;
RecordNumber toRecordNumber(std::string_view columns);  // the first 12 bytes, blanks after a shorter text

// A finding as a comparison matches it: record number and element (the cell
// of the element table, race categories being cells of their own).
// A value of a finding of the earlier run, up to the element's width (the
// widest element holds 12 bytes).
struct EarlierValue {
    std::array<char, 15> bytes{};
    std::uint8_t size = 0;
    std::string_view text() const { return {bytes.data(), size}; }
};

// A finding as a comparison matches it: record number and element (the cell
// of the element table, race categories being cells of their own; 0 for a
// line's length), with the earlier run's value (not compared).
struct FindingKey {
    RecordNumber recordNumber;
    std::uint16_t cell;
    EarlierValue value{};
    bool operator==(const FindingKey& o) const { return recordNumber == o.recordNumber && cell == o.cell; }
};

// What a comparison needs of one run: per record kind the record number of
// every detail record (in any order, repeated ones as often as they occur)
// and the key of every finding.
struct RunFindings {
    struct Kind {
        std::vector<RecordNumber> records;
        std::vector<FindingKey> findings;
    };
    PerKind<Kind> kinds;
    Kind& of(RecordKind kind) { return kinds[kind]; }
    const Kind& of(RecordKind kind) const { return kinds[kind]; }
};

// Records with a finding at one element, before (the earlier run) and after
// (this run).
struct ElementShare {
    std::string_view element;  // label, "07a"
    long before = 0;
    long after = 0;
};

// The comparison of one record kind. A finding whose record number is blank
// or occurs more than once among the kind's records of either run is
// unmatched and counted nowhere else.
struct KindComparison {
    long unmatched = 0;  // such findings of both runs
    // The earlier run's findings:
    long stillOpen = 0;                 // this run has one at the same record and element
    long fixed = 0;                     // the record is still there, without it
    long findingsOfRemovedRecords = 0;  // the record is no longer there
    // This run's findings the earlier run did not have:
    long newFindings = 0;             // the record was there before
    long findingsOfAddedRecords = 0;  // the record was not
    // Record numbers neither blank nor repeated in either run:
    long recordsRemoved = 0;
    long recordsAdded = 0;
    long recordsBefore = 0;  // detail records of the kind in each run
    long recordsAfter = 0;
    // Elements with a finding in either run, in data errors table order.
    std::vector<ElementShare> byElement;
    // The fixed findings, by record number and element.
    std::vector<FindingKey> fixedFindings;
};

// What a comparison says of one finding of this run.
enum class Change : std::uint8_t {
    None,           // no comparison was made
    New,            // its record was in the earlier run, without it
    StillOpen,      // the earlier run had it too
    OfAddedRecord,  // its record was not in the earlier run
    Unmatched,      // its record number is blank or repeated in either run
};
// "new", "stillOpen", "ofAddedRecord", "unmatched"; empty for None.
std::string_view changeName(Change change);

struct Comparison {
    std::string previousFile;  // as named on the command line
    PerKind<KindComparison> kinds;
    KindComparison& of(RecordKind kind) { return kinds[kind]; }
    const KindComparison& of(RecordKind kind) const { return kinds[kind]; }
};

// True when a record number counts as blank: nothing but blanks, or the end
// of a line shorter than the record number's columns.
bool isBlankRecordNumber(const RecordNumber& number);

// A run's findings that contradict its record lists: a finding whose record
// number is not among its kind's records, or the same finding twice for a
// record number that occurs once.
struct Contradiction {
    RecordKind kind;
    FindingKey key;
    bool repeated;  // else: a record not listed
};
// The first contradiction, or nothing. Sorts the run's lists.
std::optional<Contradiction> findContradiction(RunFindings& run);

// Compares the runs (their lists are sorted in the process).
Comparison compareRuns(RunFindings& previous, RunFindings& current, std::string previousFile);

// Marks each finding of this run as the comparison counts it, from the lists
// of both runs as compareRuns left them (sorted); they must outlive it.
// Quickest when asked in the order of the record numbers.
class ChangeMarks {
public:
    ChangeMarks(const RunFindings& previous, const RunFindings& current) : previous_(previous), current_(current) {}
    Change of(RecordKind kind, const RecordNumber& number, std::uint16_t cell) const;
    // The change as far as the earlier run tells it, as if the record number
    // occurred once in this run: the same as `of` but for a number this run
    // repeats (unmatched). Needs only the earlier run's lists, so it may be
    // asked while this run's are still being made.
    Change before(RecordKind kind, const RecordNumber& number, std::uint16_t cell) const;
    // True when the number occurs more than once among this run's records of
    // the kind.
    bool repeatedInThisRun(RecordKind kind, const RecordNumber& number) const;

private:
    // How often `number` occurs in `sorted`, 2 standing for more.
    static int occurrences(const std::vector<RecordNumber>& sorted, std::size_t& hint, const RecordNumber& number);

    const RunFindings& previous_;
    const RunFindings& current_;
    // Where the last searches of each kind's lists ended: the next begins
    // there.
    struct Hints {
        std::size_t recordsBefore = 0, recordsAfter = 0, findingsBefore = 0;
    };
    mutable PerKind<Hints> hints_{};
};

// The percentage of `records` that `count` is, with two decimals; nothing
// when there is no record.
std::optional<double> sharePercent(long count, long records);

// The "comparison" member of the findings JSON; its "fixedFindings" are
// markers that writeWithFixedFindings replaces.
nlohmann::ordered_json comparisonJson(const Comparison& comparison);

// Writes the dumped document `text` (indented by 2), the markers of the
// fixed findings replaced by the findings of `comparison` one at a time, the
// rest through `writeRest`.
void writeWithFixedFindings(Writer& out, std::string_view text, const Comparison* comparison,
                            const std::function<void(std::string_view)>& writeRest);

// The console lines, one per record kind.
std::string comparisonLines(const Comparison& comparison);

}  // namespace vortel

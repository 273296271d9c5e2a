// Comparing the findings of this run with those of an earlier run (its
// findings JSON): which findings are still open, fixed or new, which records
// were removed or added, and how the share of records with a finding changed
// per element.
#pragma once

#include <array>
#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/element_table.h"

namespace vortel {

// A record number as the record holds it: its 12 columns, bytes as they are.
using RecordNumber = std::array<char, 12>;
RecordNumber toRecordNumber(std::string_view columns);  // the first 12 bytes, blanks after a shorter text

// A finding as a comparison matches it: record number and element (the cell
// of the element table, race categories being cells of their own).
struct FindingKey {
    RecordNumber recordNumber;
    std::uint16_t cell;
    bool operator==(const FindingKey&) const = default;
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
};

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
Comparison compareRuns(RunFindings previous, RunFindings current, std::string previousFile);

// The percentage of `records` that `count` is, with two decimals; nothing
// when there is no record.
std::optional<double> sharePercent(long count, long records);

// The "comparison" member of the findings JSON.
nlohmann::ordered_json comparisonJson(const Comparison& comparison);

// The console lines, one per record kind.
std::string comparisonLines(const Comparison& comparison);

}  // namespace vortel

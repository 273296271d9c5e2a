// The outputs that follow the checked records: one small interface that the
// findings file (CSV or JSON), the error records file and the HTML page each
// implement, and the table the run builds its outputs from (option, the name
// a many-file run gives the output, factory).
//
// An output is made, created, given every section and every checked record,
// then ended once, complete or not; a debug build asserts that order.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/element_table.h"
#include "findings/finding_cells.h"
#include "findings/output_file.h"

namespace vortel {

struct RunContext;
struct Comparison;
class FixFirstTally;
class OtherStateTally;

struct FindingsOptions {
    std::optional<std::string> findingsFile;      // --findings FILE (.csv or .json)
    std::optional<std::string> errorRecordsFile;  // --error-records FILE
    bool failOnFindings = false;                  // --fail-on-findings
    std::optional<std::string> htmlFile;          // --html FILE
    std::optional<long> htmlRecords;              // --html-records N
    // The run ends with a summary on a terminal: the findings are collected
    // for it even when no file takes them.
    bool closingSummary = false;

    // The records the page lists at most.
    long listedRecords() const { return htmlRecords.value_or(2000); }
};

// Counts of the detail findings of one record kind.
struct FindingCounts {
    long recordsWithFindings = 0;
    long findings = 0;
};

// The distinct report periods of the run's sections, in the order seen.
using ReportPeriods = std::vector<std::pair<RecordKind, std::string>>;

// A detail record after all of its checks, as every output is given it.
struct CheckedRecord {
    RecordKind kind;
    std::string_view record;   // padded to its record length
    std::string_view rawLine;  // as it stood in the data file
    long lineNumber;
    std::string_view recordNumber;
    // Its findings (none for a clean record), explained when an output
    // explains them.
    std::span<const Finding> findings;
};

// What the outputs read when the run ends.
struct RunEnd {
    RunContext& ctx;
    const ReportPeriods& periods;
    const std::array<FindingCounts, 2>& counts;  // by record kind
    bool anyFinding;
    // False for a run ended by a fatal error while reading: the end-of-run
    // blocks of the reports do not exist.
    bool complete;
    const Comparison* comparison;  // with --compare, once made; else null
    const FixFirstTally& fixFirst;
    const OtherStateTally& otherStates;

    const FindingCounts& countsOf(RecordKind kind) const { return counts[static_cast<std::size_t>(kind)]; }
};

class Output {
public:
    virtual ~Output() = default;
    // Opens the output and writes its start. Returns 0 or the system's error
    // number.
    virtual int create(const std::string& name) = 0;
    // A section's marker line and summary record have been read.
    virtual void beginSection(RecordKind, std::string_view /*markerLine*/, std::string_view /*summaryLine*/) {}
    virtual void record(RunContext& ctx, const CheckedRecord& record) = 0;
    // Ends the output, once.
    virtual void end(const RunEnd& run) = 0;
    virtual WrittenOutput& output() = 0;
    // True when it shows why each finding was made (explanations cost time:
    // made only when an output shows them).
    virtual bool explains() const { return false; }
};

using OutputFactory = std::unique_ptr<Output> (*)(const FindingsOptions& options, const std::string& name);

// One kind of output: the option that names its file, the name a many-file
// run gives it after its data file (empty: not written there), how a
// refusal names its use and the file itself, and its factory.
struct OutputRow {
    std::string_view option;
    std::optional<std::string> FindingsOptions::*file;
    std::string_view manyFileSuffix;
    std::string_view use;   // "a findings file"
    std::string_view what;  // "the findings file"
    OutputFactory make;
};

// Every output, in the order they are refused, created and moved into place.
std::span<const OutputRow> outputTable();

}  // namespace vortel

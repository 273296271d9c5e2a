// The outputs of a run: one small interface that the two text reports, the
// findings file (CSV or JSON), the error records file, the HTML page and the
// index of a many-file run each implement, and the table the run builds its
// outputs from (option, the name a many-file run gives the output, factory).
//
// An output is made, created, started once the dialogue has ended, given
// every section and every checked record, then ended once, complete or not;
// a debug build asserts that order.
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
#include "findings/comparison.h"
#include "findings/finding_cells.h"
#include "findings/output_file.h"

namespace vortel {

struct RunContext;
struct Comparison;
class ChangeMarks;
class FixFirstTally;
class OtherStateTally;

// The names of the outputs a run writes, and what shapes them.
struct FindingsOptions {
    std::optional<std::string> fosterCareReport;  // --foster-care-report FILE (else asked)
    std::optional<std::string> adoptionReport;    // --adoption-report FILE (else asked)
    std::optional<std::string> findingsFile;      // --findings FILE (.csv or .json)
    std::optional<std::string> errorRecordsFile;  // --error-records FILE
    bool failOnFindings = false;                  // --fail-on-findings
    std::optional<std::string> htmlFile;          // --html FILE
    std::optional<long> htmlRecords;              // --html-records N
    // Set by the run when it compares with an earlier run (--compare): each
    // finding is marked with what changed.
    bool marksChanges = false;
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
    // With --compare: the change of each finding as far as the earlier run
    // tells it (ChangeMarks::before); else empty.
    std::span<const Change> changes = {};
};

// What one run of a many-file run counted, for its index.
struct RunTotals {
    long long adoptionRecords = 0;
    long long adoptionRecordsWithFindings = 0;
    long long fosterCareRecords = 0;
    long long fosterCareRecordsWithFindings = 0;
    long long findings = 0;   // detail findings
    bool anyFinding = false;  // detail, aggregate or footnote

    long long records() const { return adoptionRecords + fosterCareRecords; }
    long long recordsWithFindings() const { return adoptionRecordsWithFindings + fosterCareRecordsWithFindings; }
};

// A data file of a many-file run once its run has ended, as the index takes it.
struct CheckedFile {
    std::string_view dataFile;
    std::string_view stem;     // the outputs of its run are named after it
    int status;                // the run's exit status, -1 after a fatal error
    std::string_view failure;  // why a failed run failed, one line
    const RunTotals& totals;
};

// What the outputs read when the run ends.
struct RunEnd {
    RunContext& ctx;
    const ReportPeriods& periods;
    const std::array<FindingCounts, kRecordKinds>& counts;  // by record kind
    bool anyFinding;
    // False for a run ended by a fatal error while reading: the end-of-run
    // blocks of the reports do not exist.
    bool complete;
    const Comparison* comparison;  // with --compare, once made; else null
    const ChangeMarks* marks;      // what changed, finding by finding; null as `comparison`
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
    // The dialogue has ended: the State and the clock are known.
    virtual void start(RunContext&) {}
    // A section's marker line and summary record have been read.
    virtual void beginSection(RecordKind, std::string_view /*markerLine*/, std::string_view /*summaryLine*/) {}
    virtual void record(RunContext& ctx, const CheckedRecord& record) = 0;
    // The section has ended (its record count is the kind's count so far).
    virtual void endSection(RunContext&, RecordKind) {}
    // A many-file run: one of its files has been checked.
    virtual void fileChecked(const CheckedFile&) {}
    // Ends the output, once.
    virtual void end(const RunEnd& run) = 0;
    virtual WrittenOutput& output() = 0;
    // True when it shows why each finding was made (explanations cost time:
    // made only when an output shows them).
    virtual bool explains() const { return false; }
    // False for an output that reads the element states itself (the text
    // reports): the findings are then collected only when another needs them.
    virtual bool takesFindings() const { return true; }
};

using OutputFactory = std::unique_ptr<Output> (*)(RunContext& ctx, const FindingsOptions& options,
                                                  const std::string& name);

// One kind of output: the option that names its file; the name a many-file
// run gives it, after each data file (".html"; empty: not written there) or,
// for an output of the whole command (no file of its own in a single run),
// in the folder ("index.csv"); how a refusal names its use and the file
// itself (to an output of the same use, `kinWhat`); the word of the index's
// link to it; and its factory.
struct OutputRow {
    std::string_view option;
    std::optional<std::string> FindingsOptions::*file;
    std::string_view manyFileName;
    std::string_view use;       // "a findings file"
    std::string_view what;      // "the findings file"
    std::string_view kinWhat;   // "the other report file"; empty: `what`
    std::string_view linkWord;  // "findings"; empty: not linked
    OutputFactory make;
};

// Every output, in the order they are refused, created and moved into place.
std::span<const OutputRow> outputTable();

// The row of the option that names a file, or null.
const OutputRow* outputRowOf(std::optional<std::string> FindingsOptions::*file);

}  // namespace vortel

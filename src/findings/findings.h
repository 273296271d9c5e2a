// Findings for machines: every finding of the run in a CSV or JSON file, and
// the detail records with findings extracted into a data file of their own.
#pragma once

#include <memory>
#include <nlohmann/json_fwd.hpp>
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
#include "findings/previous_findings.h"

namespace vortel {

struct RunContext;

struct FindingsOptions {
    std::optional<std::string> findingsFile;      // --findings FILE (.csv or .json)
    std::optional<std::string> errorRecordsFile;  // --error-records FILE
    bool failOnFindings = false;                  // --fail-on-findings
    std::optional<std::string> htmlFile;          // --html FILE
    std::optional<long> htmlRecords;              // --html-records N

    // The records the page lists at most.
    long listedRecords() const { return htmlRecords.value_or(2000); }
};

// Checks the options that can be judged before the run (the findings file's
// extension). Returns an error text for the command line, or nothing.
std::optional<std::string> findingsOptionsError(const FindingsOptions& options);

// Counts of the detail findings of one record kind.
struct FindingCounts {
    long recordsWithFindings = 0;
    long findings = 0;
};

class FindingsFile;
class ErrorRecordsFile;

// The distinct report periods of the run's sections, in the order seen.
using ReportPeriods = std::vector<std::pair<RecordKind, std::string>>;

// An output written whole at the end of the run from what it gathered while
// the records were checked (the HTML page). The run makes it; the export
// refuses its name like its own files', creates it and feeds it.
class FindingsView {
public:
    virtual ~FindingsView() = default;
    // Opens the output. Returns 0 or the system's error number.
    virtual int create(const std::string& name) = 0;
    // Every detail record after all of its checks, with its findings (none
    // for a clean record).
    virtual void record(RunContext& ctx, RecordKind kind, std::string_view record, long lineNumber,
                        std::span<const Finding> findings) = 0;
    // Writes the output. `complete` is false for a run ended by a fatal
    // error while reading: the end-of-run blocks of the reports do not exist.
    // `comparison` is the comparison with an earlier run (--compare), or null.
    virtual void end(RunContext& ctx, const ReportPeriods& periods, bool complete, const Comparison* comparison) = 0;
    virtual WrittenOutput& output() = 0;
};

class FindingsExport {
public:
    // `previous`: the earlier run to compare this one with (--compare);
    // `view` (may be null) is fed with the findings when --html asks for it.
    explicit FindingsExport(const FindingsOptions& options, std::optional<PreviousRun> previous = std::nullopt,
                            std::unique_ptr<FindingsView> view = {});
    ~FindingsExport();
    FindingsExport(const FindingsExport&) = delete;
    FindingsExport& operator=(const FindingsExport&) = delete;

    // Creates the output files once the reports exist (fatal error when one
    // cannot be created or would overwrite an input or a report).
    void open(RunContext& ctx);
    // The State has been answered: a comparison with a run of another State
    // is refused (status 2, no output created).
    void checkState(RunContext& ctx);
    // A section's marker line and summary record have been read.
    void beginSection(RunContext& ctx, RecordKind kind, std::string_view markerLine, std::string_view summaryLine);
    // One detail record after all of its checks: `record` as padded,
    // `rawLine` as it stood in the data file, `lineNumber` its line there.
    void record(RunContext& ctx, RecordKind kind, std::string_view record, std::string_view rawLine, long lineNumber);
    // End of the pass, after the reports' end-of-run blocks and before the
    // message lists are released. With --compare, the comparison is made
    // here and its lines written to the console.
    void finish(RunContext& ctx);
    // Ends the files of a run that did not reach `finish` (a fatal error while
    // reading): a JSON document is closed with "complete": false.
    void abandon(RunContext& ctx);
    // The files written, for the run to close and move into place.
    std::vector<WrittenOutput*> outputs();
    // The findings file among them, or null.
    WrittenOutput* findingsOutput();
    // True when the run made any finding (detail, aggregate or footnote).
    bool anyFinding() const { return anyFinding_; }
    bool failOnFindings() const { return options_.failOnFindings; }

    // The comparison with the earlier run, once `finish` has made it.
    const Comparison* comparison() const { return comparison_ ? &*comparison_ : nullptr; }

    const FindingCounts& counts(RecordKind kind) const {
        return kind == RecordKind::Adoption ? adoptionCounts_ : fosterCareCounts_;
    }

private:
    // The members of the JSON document that follow its findings.
    nlohmann::ordered_json endOfRunJson(RunContext& ctx) const;

    FindingsOptions options_;
    std::unique_ptr<FindingsFile> findingsFile_;
    std::unique_ptr<ErrorRecordsFile> errorRecordsFile_;
    std::unique_ptr<FindingsView> view_;
    bool viewOpen_ = false;       // its output created
    std::vector<Finding> found_;  // the current record's findings
    ReportPeriods reportPeriods_;
    FindingCounts adoptionCounts_;
    FindingCounts fosterCareCounts_;
    std::optional<PreviousRun> previous_;
    RunFindings current_;  // with --compare: this run's records and findings
    std::optional<Comparison> comparison_;
    bool anyFinding_ = false;
    bool finished_ = false;
};

}  // namespace vortel

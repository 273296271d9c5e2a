// Findings for machines: every finding of the run in a CSV or JSON file, and
// the detail records with findings extracted into a data file of their own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "run/element_table.h"

namespace vortel {

struct RunContext;

struct FindingsOptions {
    std::optional<std::string> findingsFile;     // --findings FILE (.csv or .json)
    std::optional<std::string> errorRecordsFile; // --error-records FILE
    bool failOnFindings = false;                 // --fail-on-findings
};

// Checks the options that can be judged before the run (the findings file's
// extension). Returns an error text for the command line, or nothing.
std::optional<std::string> findingsOptionsError(const FindingsOptions& options);

class FindingsExport {
public:
    explicit FindingsExport(const FindingsOptions& options);
    ~FindingsExport();
    FindingsExport(const FindingsExport&) = delete;
    FindingsExport& operator=(const FindingsExport&) = delete;

    // Creates the output files once the reports exist (fatal error when one
    // cannot be created or would overwrite an input or a report).
    void open(RunContext& ctx);
    // A section's marker line and summary record have been read.
    void beginSection(RunContext& ctx, RecordKind kind, std::string_view markerLine, std::string_view summaryLine);
    // One detail record after all of its checks: `record` as padded,
    // `rawLine` as it stood in the data file, `lineNumber` its line there.
    void record(RunContext& ctx, RecordKind kind, std::string_view record, std::string_view rawLine, long lineNumber);
    // End of the pass, after the reports' end-of-run blocks and before the
    // message lists are released.
    void finish(RunContext& ctx);
    // True when the run made any finding (detail, aggregate or footnote).
    bool anyFinding() const { return anyFinding_; }
    bool failOnFindings() const { return options_.failOnFindings; }

private:
    FindingsOptions options_;
    bool anyFinding_ = false;
};

}  // namespace vortel

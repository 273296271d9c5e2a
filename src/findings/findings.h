// The findings of the run and the outputs that take them: each checked
// record's findings are collected once, explained when an output shows them,
// counted, kept for the comparison with an earlier run, and given to every
// output the options ask for (see findings/output.h).
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
#include "findings/fix_first.h"
#include "findings/other_states.h"
#include "findings/output.h"
#include "findings/output_file.h"
#include "findings/previous_findings.h"

namespace vortel {

struct RunContext;

// Checks the options that can be judged before the run (the findings file's
// extension). Returns an error text for the command line, or nothing.
std::optional<std::string> findingsOptionsError(const FindingsOptions& options);

class FindingsExport {
public:
    // `previous`: the earlier run to compare this one with (--compare);
    // `table`: the outputs the options may ask for.
    explicit FindingsExport(const FindingsOptions& options, std::optional<PreviousRun> previous = std::nullopt,
                            std::span<const OutputRow> table = outputTable());
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

    const FindingCounts& counts(RecordKind kind) const { return counts_[static_cast<std::size_t>(kind)]; }
    // What to fix first, and the records that give another State's code.
    const FixFirstTally& fixFirst() const { return fixFirst_; }
    const OtherStateTally& otherStates() const { return otherStates_; }

private:
    // Ends every output created, the run complete or not.
    void endOutputs(RunContext& ctx, bool complete);

    // The order of the calls: made, opened, ended (finish or abandon).
    enum class Stage { Made, Open, Ended };
    Stage stage_ = Stage::Made;

    FindingsOptions options_;
    std::span<const OutputRow> table_;
    std::vector<std::unique_ptr<Output>> outputs_;  // those created, in table order
    Output* findingsOutput_ = nullptr;              // the one --findings names
    bool explains_ = false;                         // some output shows explanations
    std::vector<Finding> found_;                    // the current record's findings
    ReportPeriods reportPeriods_;
    std::array<FindingCounts, 2> counts_{};  // by record kind
    std::optional<PreviousRun> previous_;
    RunFindings current_;  // with --compare: this run's records and findings
    std::optional<Comparison> comparison_;
    FixFirstTally fixFirst_;
    OtherStateTally otherStates_;
    bool anyFinding_ = false;
};

}  // namespace vortel

// The outputs of a run and the findings they take: the list of outputs the
// run builds from the output table (the two text reports, then whatever else
// the options ask for), with the refusal of names that clash made once over
// it, and the driving of every output through the pass. Each checked
// record's findings are collected once (when an output takes them, or
// --fail-on-findings or --compare needs them), explained when an output
// shows them, counted, kept for the comparison with an earlier run, and given
// to every output (see findings/output.h).
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
#include "core/line_reader.h"
#include "findings/comparison.h"
#include "findings/explanations.h"
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

    // Creates the output a row names, as the dialogue learns its name; a
    // fatal error when it would overwrite an input of the run or an output
    // before it, or cannot be created.
    void openOutput(RunContext& ctx, const OutputRow& row, const std::string& name);
    // Creates every other output the options name, all refused before any is
    // created.
    void open(RunContext& ctx);
    // The dialogue has ended: every output writes its start.
    void start(RunContext& ctx);
    // The State has been answered: a comparison with a run of another State
    // is refused (status 2, no output created).
    void checkState(RunContext& ctx);
    // A section's marker line and summary record have been read.
    void beginSection(RunContext& ctx, RecordKind kind, std::string_view markerLine, std::string_view summaryLine);
    // One detail record after all of its checks: `record` as padded,
    // `rawLine` as it stood in the data file, `lineNumber` its line there,
    // `piece` where the read stands in that line (a line whose length is not
    // the record's gets a finding of its own).
    void record(RunContext& ctx, RecordKind kind, std::string_view record, std::string_view rawLine, long lineNumber,
                const LinePiece& piece);
    // A section has ended.
    void endSection(RunContext& ctx, RecordKind kind);
    // End of the pass, before the message lists are released. With --compare, the comparison is made
    // here and its lines written to the console.
    void finish(RunContext& ctx);
    // Ends the files of a run that did not reach `finish` (a fatal error while
    // reading): a JSON document is closed with "complete": false, the reports
    // keep what was written.
    void abandon(RunContext& ctx);
    // The files written, in table order, for the run to close and move into
    // place.
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
    // Refuses a name that is an input of the run or an output named before.
    void refuseClash(RunContext& ctx, const OutputRow& row, const std::string& name);
    void create(RunContext& ctx, const OutputRow& row, const std::string& name);

    // The order of the calls: made, opened, ended (finish or abandon).
    enum class Stage { Made, Open, Ended };
    Stage stage_ = Stage::Made;

    FindingsOptions options_;
    std::span<const OutputRow> table_;
    std::vector<std::unique_ptr<Output>> outputs_;  // those created, in table order
    std::vector<const OutputRow*> rows_;            // their rows
    // The names taken so far (the inputs, then each output as it is named)
    // with what refusals call them.
    struct TakenName {
        std::string name;
        std::string_view use;  // empty for an input
        std::string_view what;
        std::string_view kinWhat;
    };
    std::vector<TakenName> taken_;
    bool collects_ = true;              // some output or option takes the findings
    Output* findingsOutput_ = nullptr;  // the one --findings names
    bool explains_ = false;             // some output shows explanations
    std::vector<Finding> found_;        // the current record's findings
    ExplanationMemo explained_;         // what explanations said this run
    RecordWords words_;                 // what they said of this record alone
    ReportPeriods reportPeriods_;
    std::array<FindingCounts, kRecordKinds> counts_{};  // by record kind
    std::optional<PreviousRun> previous_;
    RunFindings current_;  // with --compare: this run's records and findings
    std::optional<Comparison> comparison_;
    std::optional<ChangeMarks> marks_;  // over both runs' lists, while the outputs end
    // Over the earlier run's lists during the pass, and each finding's
    // change as far as they tell.
    std::optional<ChangeMarks> earlier_;
    std::vector<Change> changes_;
    FixFirstTally fixFirst_;
    OtherStateTally otherStates_;
    bool anyFinding_ = false;
};

}  // namespace vortel

#include "findings/findings.h"

#include <algorithm>
#include <cassert>

#include "core/files.h"
#include "core/run_context.h"
#include "fields/fields.h"
#include "findings/explanations.h"
#include "findings/findings_file.h"

namespace vortel {

namespace {

// The files a findings output must never overwrite, and how to name them.
struct ProtectedFile {
    const std::string* name;
    std::string_view what;
};

void refuseOverwrite(RunContext& ctx, const std::string& name, std::string_view use,
                     std::span<const ProtectedFile> protectedFiles) {
    for (const ProtectedFile& p : protectedFiles) {
        if (sameFile(name, *p.name)) {
            fatalError(ctx, "\nUnable to use " + visibleText(name) + " as " + std::string(use) + ": it is " +
                                std::string(p.what) + ".");
        }
    }
}

}  // namespace

std::optional<std::string> findingsOptionsError(const FindingsOptions& options) {
    if (options.findingsFile && !findingsFormatOf(*options.findingsFile)) {
        return "--findings needs a file name ending in .csv or .json, not \"" + visibleText(*options.findingsFile) +
               "\"";
    }
    if (options.errorRecordsFile && options.errorRecordsFile->empty()) return "--error-records needs a file name";
    if (options.htmlFile && options.htmlFile->empty()) return "--html needs a file name";
    if (options.htmlRecords && !options.htmlFile) return "--html-records needs --html FILE";
    return std::nullopt;
}

FindingsExport::FindingsExport(const FindingsOptions& options, std::optional<PreviousRun> previous,
                               std::span<const OutputRow> table)
    : options_(options), table_(table), previous_(std::move(previous)) {}

FindingsExport::~FindingsExport() = default;

void FindingsExport::endOutputs(RunContext& ctx, bool complete) {
    assert(stage_ != Stage::Ended);
    const RunEnd run{ctx,       reportPeriods_, counts_, anyFinding_, complete, complete ? comparison() : nullptr,
                     fixFirst_, otherStates_};
    // An output whose complete end failed (out of memory) is ended again as
    // abandoned, by the run that catches the failure.
    for (const auto& output : outputs_) output->end(run);
    stage_ = Stage::Ended;
}

void FindingsExport::abandon(RunContext& ctx) {
    if (stage_ == Stage::Ended) return;
    endOutputs(ctx, false);
}

std::vector<WrittenOutput*> FindingsExport::outputs() {
    std::vector<WrittenOutput*> files;
    for (const auto& output : outputs_) files.push_back(&output->output());
    return files;
}

WrittenOutput* FindingsExport::findingsOutput() { return findingsOutput_ ? &findingsOutput_->output() : nullptr; }

void FindingsExport::open(RunContext& ctx) {
    assert(stage_ == Stage::Made);
    stage_ = Stage::Open;
    // Every refusal comes before anything is created or emptied: an output
    // never takes the name of an input, a report or an output before it.
    std::vector<ProtectedFile> taken = {
        {&ctx.dataFileName, "the data file"},
        {&ctx.fipsFileName, "the FIPS code list file"},
        {&ctx.fosterCareReportName, "the foster care report file"},
        {&ctx.adoptionReportName, "the adoption report file"},
    };
    std::vector<const OutputRow*> asked;
    for (const OutputRow& row : table_) {
        const std::optional<std::string>& name = options_.*row.file;
        if (!name) continue;
        refuseOverwrite(ctx, *name, row.use, taken);
        taken.push_back({&*name, row.what});
        asked.push_back(&row);
    }
    for (const OutputRow* row : asked) {
        const std::string& name = *(options_.*row->file);
        std::unique_ptr<Output> output = row->make(options_, name);
        if (const int error = output->create(name))
            fatalError(ctx, "\nUnable to open file " + visibleText(name) + ": " + errorText(error) + ".");
        explains_ = explains_ || output->explains();
        if (row->file == &FindingsOptions::findingsFile) findingsOutput_ = output.get();
        outputs_.push_back(std::move(output));
    }
}
void FindingsExport::checkState(RunContext& ctx) {
    if (!previous_) return;
    if (const auto error = previousStateError(*previous_, ctx.facts.stateCode)) {
        ctx.console.flush();
        ctx.errors.put("vortel-dq: ");
        ctx.errors.put(*error);
        ctx.errors.put("\n");
        ctx.errors.flush();
        throw FatalExit{2};
    }
}

void FindingsExport::beginSection(RunContext& ctx, RecordKind kind, std::string_view markerLine,
                                  std::string_view summaryLine) {
    assert(stage_ == Stage::Open);
    const std::pair<RecordKind, std::string> period{kind, ctx.reportPeriod};
    if (std::find(reportPeriods_.begin(), reportPeriods_.end(), period) == reportPeriods_.end())
        reportPeriods_.push_back(period);
    for (const auto& output : outputs_) output->beginSection(kind, markerLine, summaryLine);
}

void FindingsExport::record(RunContext& ctx, RecordKind kind, std::string_view record, std::string_view rawLine,
                            long lineNumber) {
    assert(stage_ == Stage::Open);
    const ColumnRange rn = recordNumberColumns(kind);
    const std::string_view recordNumber = field(record, rn.first, rn.last);
    collectFindings(kind, ctx.cells(kind), record, found_);
    otherStates_.add(kind, field(record, 1, 2), ctx.facts.stateCode);
    fixFirst_.add(kind, found_);
    if (previous_) {
        RunFindings::Kind& run = current_.of(kind);
        const RecordNumber number = toRecordNumber(recordNumber);
        run.records.push_back(number);
        for (const Finding& f : found_) run.findings.push_back({number, static_cast<std::uint16_t>(f.cell)});
    }
    if (!found_.empty()) {
        anyFinding_ = true;
        FindingCounts& counts = counts_[static_cast<std::size_t>(kind)];
        ++counts.recordsWithFindings;
        counts.findings += static_cast<long>(found_.size());
        if (explains_) explainFindings(kind, ctx.cells(kind), record, ctx, found_);
    }
    const CheckedRecord checked{kind, record, rawLine, lineNumber, recordNumber, found_};
    for (const auto& output : outputs_) output->record(ctx, checked);
}

void FindingsExport::finish(RunContext& ctx) {
    assert(stage_ == Stage::Open);
    for (const MessageList* list : {&ctx.aggregateErrors, &ctx.footnotes.adoption, &ctx.footnotes.fosterCare}) {
        // A list that ran out of memory had a message to hold.
        if (list->count() != 0 || list->memoryFailed) anyFinding_ = true;
    }

    if (previous_) {
        // What the comparison holds is given back once it is made.
        comparison_ = compareRuns(std::move(previous_->findings), std::move(current_), previous_->fileName);
        previous_.reset();
        current_ = {};
        ctx.console.put(comparisonLines(*comparison_));
    }
    endOutputs(ctx, true);
}

}  // namespace vortel

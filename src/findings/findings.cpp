#include "findings/findings.h"

#include <algorithm>
#include <cassert>

#include "core/files.h"
#include "core/run_context.h"
#include "fields/fields.h"
#include "findings/explanations.h"
#include "findings/findings_file.h"
#include "findings/line_length.h"

namespace vortel {

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
    : options_(options), table_(table), previous_(std::move(previous)) {
    if (!previous_) return;
    earlier_.emplace(previous_->findings, current_);
    // A run is usually about the size of the one before: its lists are given
    // that room at once rather than grown to it.
    for (const RecordKind kind : kAllRecordKinds) {
        current_.of(kind).records.reserve(previous_->findings.of(kind).records.size());
        current_.of(kind).findings.reserve(previous_->findings.of(kind).findings.size());
    }
}

FindingsExport::~FindingsExport() = default;

void FindingsExport::endOutputs(RunContext& ctx, bool complete) {
    assert(stage_ != Stage::Ended);
    const RunEnd run{ctx,
                     reportPeriods_,
                     counts_,
                     anyFinding_,
                     complete,
                     complete ? comparison() : nullptr,
                     complete && marks_ ? &*marks_ : nullptr,
                     fixFirst_,
                     otherStates_};
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

void FindingsExport::refuseClash(RunContext& ctx, const OutputRow& row, const std::string& name) {
    if (taken_.empty()) {
        taken_.push_back({ctx.dataFileName, "", "the data file", ""});
        taken_.push_back({ctx.fipsFileName, "", "the FIPS code list file", ""});
    }
    for (const TakenName& t : taken_) {
        if (sameFile(name, t.name)) {
            const std::string_view what = t.use == row.use && !t.kinWhat.empty() ? t.kinWhat : t.what;
            fatalError(ctx, "\nUnable to use " + visibleText(name) + " as " + std::string(row.use) + ": it is " +
                                std::string(what) + ".");
        }
    }
    taken_.push_back({name, row.use, row.what, row.kinWhat});
}

void FindingsExport::create(RunContext& ctx, const OutputRow& row, const std::string& name) {
    std::unique_ptr<Output> output = row.make(ctx, options_, name);
    if (const int error = output->create(name))
        fatalError(ctx, "\nUnable to open file " + visibleText(name) + ": " + errorText(error) + ".");
    explains_ = explains_ || output->explains();
    if (row.file == &FindingsOptions::findingsFile) findingsOutput_ = output.get();
    outputs_.push_back(std::move(output));
    rows_.push_back(&row);
}

void FindingsExport::openOutput(RunContext& ctx, const OutputRow& row, const std::string& name) {
    assert(stage_ == Stage::Made);
    refuseClash(ctx, row, name);
    create(ctx, row, name);
}

void FindingsExport::open(RunContext& ctx) {
    assert(stage_ == Stage::Made);
    stage_ = Stage::Open;
    // Every refusal comes before anything more is created or emptied.
    options_.marksChanges = previous_.has_value();
    std::vector<const OutputRow*> asked;
    for (const OutputRow& row : table_) {
        if (!row.file || std::find(rows_.begin(), rows_.end(), &row) != rows_.end()) continue;
        const std::optional<std::string>& name = options_.*row.file;
        if (!name) continue;
        refuseClash(ctx, row, *name);
        asked.push_back(&row);
    }
    for (const OutputRow* row : asked) create(ctx, *row, *(options_.*row->file));
    // The findings are collected unless the only outputs are those that read
    // the element states themselves (the text reports of a plain run) and
    // neither --fail-on-findings, --compare nor the closing summary asks for
    // them.
    const bool onlyStateReaders = !outputs_.empty() && std::none_of(outputs_.begin(), outputs_.end(),
                                                                    [](const auto& o) { return o->takesFindings(); });
    collects_ = !onlyStateReaders || options_.failOnFindings || previous_.has_value() || options_.closingSummary;
}

void FindingsExport::start(RunContext& ctx) {
    assert(stage_ == Stage::Open);
    for (const auto& output : outputs_) output->start(ctx);
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
                            long lineNumber, const LinePiece& piece) {
    assert(stage_ == Stage::Open);
    const ColumnRange rn = recordNumberColumns(kind);
    const std::string_view recordNumber = field(record, rn.first, rn.last);
    if (!collects_) {
        const CheckedRecord checked{kind, record, rawLine, lineNumber, recordNumber, {}};
        for (const auto& output : outputs_) output->record(ctx, checked);
        return;
    }
    collectFindings(kind, ctx.cells(kind), record, found_);
    words_.clear();
    if (explains_ && !found_.empty()) explainFindings(kind, ctx.cells(kind), record, ctx, found_, words_, &explained_);
    addLengthFinding(kind, piece, lineNumber, found_, words_);
    otherStates_.add(kind, field(record, 1, 2), ctx.facts.stateCode);
    fixFirst_.add(kind, found_);
    changes_.clear();
    if (previous_) {
        RunFindings::Kind& run = current_.of(kind);
        const RecordNumber number = toRecordNumber(recordNumber);
        run.records.push_back(number);
        for (const Finding& f : found_) {
            const auto cell = static_cast<std::uint16_t>(f.cell);
            run.findings.push_back({number, cell, {}});
            changes_.push_back(earlier_->before(kind, number, cell));
        }
    }
    if (!found_.empty()) {
        anyFinding_ = true;
        FindingCounts& counts = counts_[static_cast<std::size_t>(kind)];
        ++counts.recordsWithFindings;
        counts.findings += static_cast<long>(found_.size());
    }
    const CheckedRecord checked{kind, record, rawLine, lineNumber, recordNumber, found_, changes_};
    for (const auto& output : outputs_) output->record(ctx, checked);
}

void FindingsExport::endSection(RunContext& ctx, RecordKind kind) {
    assert(stage_ == Stage::Open);
    for (const auto& output : outputs_) output->endSection(ctx, kind);
}

void FindingsExport::finish(RunContext& ctx) {
    assert(stage_ == Stage::Open);
    for (const MessageList& list : ctx.messageLists) {
        // A list that ran out of memory had a message to hold.
        if (list.count() != 0 || list.memoryFailed) anyFinding_ = true;
    }

    if (previous_) {
        comparison_ = compareRuns(previous_->findings, current_, previous_->fileName);
        marks_.emplace(previous_->findings, current_);
        ctx.console.put(comparisonLines(*comparison_));
    }
    endOutputs(ctx, true);
    // What the comparison held is given back once the outputs are marked.
    marks_.reset();
    earlier_.reset();
    previous_.reset();
    current_ = {};
}

}  // namespace vortel

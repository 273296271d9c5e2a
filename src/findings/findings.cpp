#include "findings/findings.h"

#include <algorithm>

#include "core/files.h"
#include "core/run_context.h"
#include "core/version.h"
#include "fields/fields.h"
#include "findings/error_records_file.h"
#include "findings/explanations.h"
#include "findings/findings_file.h"
#include "findings/findings_json.h"
#include "findings/findings_text.h"

namespace vortel {

namespace {

using Json = nlohmann::ordered_json;

// The files a findings output must never overwrite, and how to name them.
struct ProtectedFile {
    const std::string* name;
    const char* what;
};

void refuseOverwrite(RunContext& ctx, const std::string& name, const char* use,
                     std::initializer_list<ProtectedFile> protectedFiles) {
    for (const ProtectedFile& p : protectedFiles) {
        if (p.name && sameFile(name, *p.name))
            fatalError(ctx, "\nUnable to use " + visibleText(name) + " as " + use + ": it is " + p.what + ".");
    }
}

std::string runDateText(const RunDate& d) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
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
                               std::unique_ptr<FindingsView> view)
    : options_(options), view_(std::move(view)), previous_(std::move(previous)) {}

FindingsExport::~FindingsExport() = default;

void FindingsExport::abandon(RunContext& ctx) {
    if (finished_) return;
    finished_ = true;
    if (findingsFile_) findingsFile_->abandon();
    if (viewOpen_) view_->end(ctx, reportPeriods_, false, nullptr);
}

std::vector<WrittenOutput*> FindingsExport::outputs() {
    std::vector<WrittenOutput*> files;
    if (findingsFile_) files.push_back(&findingsFile_->output());
    if (errorRecordsFile_) files.push_back(&errorRecordsFile_->output());
    if (viewOpen_) files.push_back(&view_->output());
    return files;
}

WrittenOutput* FindingsExport::findingsOutput() { return findingsFile_ ? &findingsFile_->output() : nullptr; }

void FindingsExport::open(RunContext& ctx) {
    const std::string* findings = options_.findingsFile ? &*options_.findingsFile : nullptr;
    const std::string* errorRecords = options_.errorRecordsFile ? &*options_.errorRecordsFile : nullptr;
    const std::string* page = view_ && options_.htmlFile ? &*options_.htmlFile : nullptr;
    // Every refusal comes before anything is created or emptied.
    const std::initializer_list<ProtectedFile> inputsAndReports = {
        {&ctx.dataFileName, "the data file"},
        {&ctx.fipsFileName, "the FIPS code list file"},
        {&ctx.fosterCareReportName, "the foster care report file"},
        {&ctx.adoptionReportName, "the adoption report file"},
    };
    if (findings) refuseOverwrite(ctx, *findings, "a findings file", inputsAndReports);
    if (errorRecords) {
        refuseOverwrite(ctx, *errorRecords, "an error records file", inputsAndReports);
        refuseOverwrite(ctx, *errorRecords, "an error records file", {{findings, "the findings file"}});
    }
    if (page) {
        refuseOverwrite(ctx, *page, "an HTML page", inputsAndReports);
        refuseOverwrite(ctx, *page, "an HTML page",
                        {{findings, "the findings file"}, {errorRecords, "the error records file"}});
    }
    if (findings) {
        findingsFile_ = std::make_unique<FindingsFile>(*findingsFormatOf(*findings));
        if (const int error = findingsFile_->create(*findings)) {
            findingsFile_.reset();
            fatalError(ctx, "\nUnable to open file " + visibleText(*findings) + ": " + errorText(error) + ".");
        }
    }
    if (errorRecords) {
        errorRecordsFile_ = std::make_unique<ErrorRecordsFile>();
        if (const int error = errorRecordsFile_->create(*errorRecords)) {
            errorRecordsFile_.reset();
            fatalError(ctx, "\nUnable to open file " + visibleText(*errorRecords) + ": " + errorText(error) + ".");
        }
    }
    if (page) {
        if (const int error = view_->create(*page))
            fatalError(ctx, "\nUnable to open file " + visibleText(*page) + ": " + errorText(error) + ".");
        viewOpen_ = true;
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
    const std::pair<RecordKind, std::string> period{kind, ctx.reportPeriod};
    if (std::find(reportPeriods_.begin(), reportPeriods_.end(), period) == reportPeriods_.end())
        reportPeriods_.push_back(period);
    if (errorRecordsFile_) errorRecordsFile_->beginSection(markerLine, summaryLine);
}

void FindingsExport::record(RunContext& ctx, RecordKind kind, std::string_view record, std::string_view rawLine,
                            long lineNumber) {
    const ColumnRange rn = recordNumberColumns(kind);
    const std::string_view recordNumber = field(record, rn.first, rn.last);
    if (findingsFile_) findingsFile_->listRecord(kind, recordNumber);
    collectFindings(kind, ctx.cells(kind), record, found_);
    if (previous_) {
        RunFindings::Kind& run = current_.of(kind);
        const RecordNumber number = toRecordNumber(recordNumber);
        run.records.push_back(number);
        for (const Finding& f : found_) run.findings.push_back({number, static_cast<std::uint16_t>(f.cell)});
    }
    if (found_.empty()) {
        if (viewOpen_) view_->record(ctx, kind, record, lineNumber, found_);
        return;
    }
    anyFinding_ = true;
    FindingCounts& counts = kind == RecordKind::Adoption ? adoptionCounts_ : fosterCareCounts_;
    ++counts.recordsWithFindings;
    counts.findings += static_cast<long>(found_.size());
    // Explanations cost time: made only for the outputs that show them.
    if (findingsFile_ || viewOpen_) explainFindings(kind, ctx.cells(kind), record, ctx, found_);
    if (findingsFile_)
        for (const Finding& f : found_) findingsFile_->write(kind, lineNumber, recordNumber, f);
    if (errorRecordsFile_) errorRecordsFile_->copy(record, rawLine);
    if (viewOpen_) view_->record(ctx, kind, record, lineNumber, found_);
}

Json FindingsExport::endOfRunJson(RunContext& ctx) const {
    Json periods = Json::array();
    for (const auto& [kind, period] : reportPeriods_)
        periods.push_back({{"kind", recordKindName(kind)}, {"reportPeriod", latin1ToUtf8(period)}});
    auto kindJson = [&](RecordKind kind) {
        Json j = {{"records", ctx.recordCount(kind)},
                  {"recordsWithFindings", counts(kind).recordsWithFindings},
                  {"findings", counts(kind).findings},
                  {"dataErrors", dataErrorsJson(ctx, kind)},
                  {"summaryMessages", summaryMessagesJson(ctx, kind)}};
        // Places of the lists as finish() gives them.
        if (kind == RecordKind::Adoption) j["aggregateErrors"] = messageListJson(ctx.aggregateErrors, 0);
        j["footnoteErrors"] = kind == RecordKind::Adoption ? messageListJson(ctx.footnotes.adoption, 1)
                                                           : messageListJson(ctx.footnotes.fosterCare, 2);
        return j;
    };
    return {{"complete", true},
            {"formatVersion", kFindingsFormatVersion},
            {"program", {{"name", "vortel-dq"}, {"version", kVersion}}},
            {"run",
             {{"dataFile", ctx.dataFileName},
              {"state", ctx.facts.stateCode},
              {"runDate", runDateText(ctx.facts.runDate)},
              {"runTimestamp", ctx.runTimestamp},
              {"reportPeriods", std::move(periods)}}},
            {"findingCount", adoptionCounts_.findings + fosterCareCounts_.findings},
            {"anyFinding", anyFinding_},
            {"adoption", kindJson(RecordKind::Adoption)},
            {"fosterCare", kindJson(RecordKind::FosterCare)}};
}

void FindingsExport::finish(RunContext& ctx) {
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

    const MessageList* const lists[] = {&ctx.aggregateErrors, &ctx.footnotes.adoption, &ctx.footnotes.fosterCare};
    if (findingsFile_) {
        Json rest;
        if (findingsFile_->format() == FindingsFormat::Json) {
            rest = endOfRunJson(ctx);
            if (comparison_) rest["comparison"] = comparisonJson(*comparison_);
        }
        findingsFile_->finish(rest, lists);
    }
    if (viewOpen_) view_->end(ctx, reportPeriods_, true, comparison());
    finished_ = true;
}

}  // namespace vortel

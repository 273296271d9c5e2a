#include "reports/text_report.h"

#include "core/run_context.h"
#include "reports/data_errors_table.h"
#include "reports/error_listing.h"
#include "reports/listing.h"
#include "reports/summary_report.h"

namespace vortel {

namespace {

// What a report without detail records ends with, by record kind: its error
// listing when one of its message lists has something to show, else a note.
struct ReportEnding {
    bool (*hasListing)(const RunContext&);
    const char* noData;
};
constexpr ReportEnding kEndings[] = {
    {[](const RunContext& ctx) { return ctx.aggregateErrors.hasListing() || ctx.footnotes.adoption.hasListing(); },
     "\n\nNo Adoption Data Found"},
    {[](const RunContext& ctx) { return ctx.footnotes.fosterCare.hasListing(); }, "\n\nNo Foster Care Data Found"},
};

}  // namespace

TextReport::TextReport(RunContext& ctx, RecordKind kind) : ctx_(ctx), kind_(kind), file_(ctx.report(kind)) {}

bool TextReport::ofThisReport(RecordKind kind) const { return &ctx_.report(kind) == &ctx_.report(kind_); }

void TextReport::start(RunContext& ctx) { writeReportHeading(ctx, kind_); }

void TextReport::beginSection(RecordKind kind, std::string_view, std::string_view) {
    if (ofThisReport(kind)) writeListingHeading(ctx_, kind);
}

void TextReport::record(RunContext& ctx, const CheckedRecord& record) {
    if (ofThisReport(record.kind)) writeRecordLine(ctx, record.kind, record.record);
}

void TextReport::endSection(RunContext& ctx, RecordKind kind) {
    if (!ofThisReport(kind) || ctx.recordCount(kind) == 0) return;
    writeListingEnd(ctx, kind);
    writeSummaryHeading(ctx, kind);
}

void TextReport::end(const RunEnd& run) {
    if (!run.complete) return;
    if (!run.ctx.markerSeen) {
        run.ctx.report(kind_).put("\n\nNo delimiters found.");
        return;
    }
    writeReportEnd(run.ctx, kind_);
}

void writeReportEnd(RunContext& ctx, RecordKind kind) {
    if (ctx.recordCount(kind) != 0) {
        writeSummaryReport(ctx, kind);
        writeDataErrorsTable(ctx, kind);
        writeErrorListing(ctx, kind);
    } else if (const ReportEnding& ending = kEndings[static_cast<std::size_t>(kind)]; ending.hasListing(ctx)) {
        writeErrorListing(ctx, kind);
    } else {
        ctx.report(kind).put(ending.noData);
    }
}

std::unique_ptr<Output> makeFosterCareReport(RunContext& ctx, const FindingsOptions&, const std::string&) {
    return std::make_unique<TextReport>(ctx, RecordKind::FosterCare);
}

std::unique_ptr<Output> makeAdoptionReport(RunContext& ctx, const FindingsOptions&, const std::string&) {
    return std::make_unique<TextReport>(ctx, RecordKind::Adoption);
}

}  // namespace vortel

#include "findings/text_report.h"

#include <algorithm>
#include <iterator>
#include <span>

#include "core/run_context.h"
#include "reports/data_errors_table.h"
#include "reports/error_listing.h"
#include "reports/listing.h"
#include "reports/summary_report.h"

namespace vortel {

namespace {

// What a report without detail records ends with when none of its kind's
// message lists has something to show, by record kind.
constexpr const char* kNoData[] = {"\n\nNo Adoption Data Found", "\n\nNo Foster Care Data Found"};
static_assert(std::size(kNoData) == kRecordKinds);

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
    const std::span<const MessageListId> lists = kindRow(kind).messageLists;
    if (ctx.recordCount(kind) != 0) {
        writeSummaryReport(ctx, kind);
        writeDataErrorsTable(ctx, kind);
        writeErrorListing(ctx, kind);
    } else if (std::any_of(lists.begin(), lists.end(),
                           [&](MessageListId id) { return ctx.messages(id).hasListing(); })) {
        writeErrorListing(ctx, kind);
    } else {
        ctx.report(kind).put(kNoData[kindIndex(kind)]);
    }
}

std::unique_ptr<Output> makeFosterCareReport(RunContext& ctx, const FindingsOptions&, const std::string&) {
    return std::make_unique<TextReport>(ctx, RecordKind::FosterCare);
}

std::unique_ptr<Output> makeAdoptionReport(RunContext& ctx, const FindingsOptions&, const std::string&) {
    return std::make_unique<TextReport>(ctx, RecordKind::Adoption);
}

}  // namespace vortel

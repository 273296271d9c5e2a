#include "run/file_pass.h"

#include "adoption/adoption_elements.h"
#include "adoption/adoption_groups.h"
#include "adoption/adoption_tallies.h"
#include "adoption/aggregate_record.h"
#include "core/line_reader.h"
#include "datepairs/date_pairs.h"
#include "findings/findings.h"
#include "footnotes/footnotes.h"
#include "fostercare/fostercare_elements.h"
#include "fostercare/fostercare_groups.h"
#include "fostercare/fostercare_tallies.h"
#include "reports/data_errors_table.h"
#include "reports/error_listing.h"
#include "reports/listing.h"
#include "reports/summary_report.h"
#include "run/running_count.h"

namespace vortel {

namespace {

// What tells the sections of the two record kinds apart: console texts, the
// other section's marker and the checks a detail record goes through.
struct SectionKind {
    RecordKind kind;
    char otherMarker;
    std::string_view noSummary;
    std::string_view summaryChecked;
    std::string_view detailCount;
    std::string_view noDetail;
    bool usesLocalAgencies;
    void (*reset)(RunContext&);
    void (*checkElements)(RunContext&, std::string_view);
    void (*checkDatePairs)(RunContext&, std::string_view);
    void (*checkGroups)(RunContext&, std::string_view);
    void (*tallyRecord)(RunContext&, std::string_view);
    void (*finishTallies)(RunContext&);
};

constexpr SectionKind kAdoptionSection = {
    RecordKind::Adoption,
    '@',
    "\nNo Adoption Summary Record Found.\n",
    "\n       1 Adoption Summary Record Checked.",
    "\n         Adoption Detail Records Checked.\r",
    "No Adoption Detail Records Found.        \n",
    false,
    resetAdoptionCells,
    [](RunContext& ctx, std::string_view r) { checkAdoptionElements(ctx.facts, ctx.adoptionCells, r); },
    [](RunContext& ctx, std::string_view r) { checkAdoptionDatePairs(ctx.adoptionCells, ctx.datePairs.adoption, r); },
    [](RunContext& ctx, std::string_view r) { checkAdoptionGroups(ctx.adoptionCells, r); },
    [](RunContext& ctx, std::string_view r) { tallyAdoptionRecord(ctx.tallies.adoption, ctx.adoptionCells, r); },
    [](RunContext& ctx) { finishAdoptionTallies(ctx.tallies.adoption); },
};

constexpr SectionKind kFosterCareSection = {
    RecordKind::FosterCare,
    '$',
    "\nNo Foster Care Summary Record Found.\n",
    "\n       1 Foster Care Summary Record Checked.",
    "\n         Foster Care Detailed Records Checked.\r",
    "No Foster Care Detailed Records Found.        \n",
    true,
    resetFosterCareCells,
    [](RunContext& ctx, std::string_view r) { checkFosterCareElements(ctx.facts, ctx.fosterCareCells, r); },
    [](RunContext& ctx, std::string_view r) {
        checkFosterCareDatePairs(ctx.fosterCareCells, ctx.datePairs.fosterCare, r);
    },
    [](RunContext& ctx, std::string_view r) { checkFosterCareGroups(ctx.fosterCareCells, r); },
    [](RunContext& ctx, std::string_view r) { tallyFosterCareRecord(ctx.tallies.fosterCare, ctx.fosterCareCells, r); },
    [](RunContext& ctx) { finishFosterCareTallies(ctx.tallies.fosterCare); },
};

void copyReportPeriod(RunContext& ctx, std::string_view summary) {
    // Columns 9-14; positions the line's text does not reach (its line feed
    // excluded) are blanks.
    std::string_view text = summary;
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    for (std::size_t i = 0; i < 6; ++i) ctx.reportPeriod[i] = 8 + i < text.size() ? text[8 + i] : ' ';
}

void loadLocalAgencies(RunContext& ctx) {
    const int loaded = loadLocalAgencyCodes(ctx.facts, ctx.fipsFileName, ctx.streams());
    if (loaded == -1) {
        ctx.console.flush();
        ctx.errors.put("\n\nMemory Error when evaluating FIPS Codes.\n");
        ctx.errors.flush();
        ctx.localAgencyListFailed = true;
    } else if (loaded == 0) {
        fatalError(ctx, "\n" + ctx.facts.stateCode + " is not a valid State FIPS code.\nThe local agency list " +
                            visibleText(ctx.fipsFileName) + " holds no code of State " + ctx.facts.stateCode + ".");
    }
}

// Reads one section, its marker line being the reader's line. Returns false
// at end of file; otherwise the reader holds the line that ended the section.
// The description is a template argument so that the per-record steps are
// called directly.
template <const SectionKind& K>
bool readSection(RunContext& ctx, LineReader& reader) {
    const std::string marker(ctx.findings ? reader.line() : std::string_view());
    if (!reader.next()) {
        ctx.console.put(K.noSummary);
        return false;
    }
    copyReportPeriod(ctx, reader.line());
    if (ctx.findings) ctx.findings->beginSection(ctx, K.kind, marker, reader.line());
    writeListingHeading(ctx, K.kind);
    ctx.console.put(K.summaryChecked);
    if (K.usesLocalAgencies) loadLocalAgencies(ctx);
    ctx.console.put(K.detailCount);

    // The other section's marker, '#' and '%' end a section; its own marker does not.
    auto endsSection = [](char c) { return c == K.otherMarker || c == '#' || c == '%'; };
    std::int32_t& count = K.kind == RecordKind::Adoption ? ctx.adoptionRecordCount : ctx.fosterCareRecordCount;
    RunningCount runningCount;
    bool more = reader.next();
    while (more && !endsSection(reader.first())) {
        countUp(count);
        ctx.console.put(runningCount.textFor(count));
        const std::size_t rawLength = reader.rawLine().size();
        const std::string_view record = reader.padTo(static_cast<std::size_t>(recordLength(K.kind)));
        K.reset(ctx);
        K.checkElements(ctx, record);
        K.checkDatePairs(ctx, record);
        K.checkGroups(ctx, record);
        if (tallyElementStates(ctx, K.kind)) writeRecordLine(ctx, K.kind, record);
        K.tallyRecord(ctx, record);
        if (ctx.findings)
            ctx.findings->record(ctx, K.kind, record, record.substr(0, rawLength), reader.lineNumber(), reader.piece());
        more = reader.next();
    }
    ctx.console.put("\n");
    if (K.usesLocalAgencies) ctx.facts.localAgencies.release();
    if (count != 0) {
        writeListingEnd(ctx, K.kind);
        K.finishTallies(ctx);
        writeSummaryHeading(ctx, K.kind);
    } else {
        ctx.console.put(K.noDetail);
    }
    return more;
}

void writeEndOfRun(RunContext& ctx) {
    if (ctx.adoptionRecordCount != 0) {
        writeSummaryReport(ctx, RecordKind::Adoption);
        writeDataErrorsTable(ctx, RecordKind::Adoption);
        writeErrorListing(ctx, RecordKind::Adoption);
    } else if (ctx.aggregateErrors.hasListing() || ctx.footnotes.adoption.hasListing()) {
        writeErrorListing(ctx, RecordKind::Adoption);
    } else {
        ctx.adoptionReport.put("\n\nNo Adoption Data Found");
    }
    if (ctx.fosterCareRecordCount != 0) {
        writeSummaryReport(ctx, RecordKind::FosterCare);
        writeDataErrorsTable(ctx, RecordKind::FosterCare);
        writeErrorListing(ctx, RecordKind::FosterCare);
    } else if (ctx.footnotes.fosterCare.hasListing()) {
        writeErrorListing(ctx, RecordKind::FosterCare);
    } else {
        ctx.fosterCareReport.put("\n\nNo Foster Care Data Found");
    }
}

}  // namespace

void initRunTables(RunContext& ctx) {
    ctx.fosterCareRecordCount = 0;
    ctx.adoptionRecordCount = 0;
    ctx.facts.localAgencies.release();
    ctx.aggregateErrors.release();
    ctx.footnotes.adoption.release();
    ctx.footnotes.fosterCare.release();
    ctx.aggregateErrors.memoryFailed = false;
    ctx.footnotes.adoption.memoryFailed = false;
    ctx.footnotes.fosterCare.memoryFailed = false;
    ctx.footnotes.count = 0;
    ctx.localAgencyListFailed = false;
    ctx.adoptionCells.clearAll();
    ctx.fosterCareCells.clearAll();
    ctx.datePairs = DatePairOutcomes{};
    initAdoptionTallies(ctx.tallies.adoption);
    initFosterCareTallies(ctx.tallies.fosterCare);
}

void resetAdoptionCells(RunContext& ctx) {
    ctx.adoptionCells.resetRecord();
    ctx.datePairs.adoption.fill(0);
}

void resetFosterCareCells(RunContext& ctx) {
    ctx.fosterCareCells.resetRecord();
    ctx.datePairs.fosterCare.fill(0);
}

bool tallyElementStates(RunContext& ctx, RecordKind kind) { return ctx.cells(kind).tallyStates(); }

void scanDataFile(RunContext& ctx, LineReader& reader) {
    ctx.markerSeen = false;
    bool more = reader.next();
    while (more) {
        switch (reader.first()) {
            case '#':
                ctx.markerSeen = true;
                if ((more = reader.next())) {
                    checkAdoptionAggregate(ctx.facts, ctx.aggregateErrors, ctx.streams(), reader.line());
                    more = reader.next();
                }
                break;
            case '$':
                ctx.markerSeen = true;
                more = readSection<kAdoptionSection>(ctx, reader);
                break;
            case '@':
                ctx.markerSeen = true;
                more = readSection<kFosterCareSection>(ctx, reader);
                break;
            case '%':
                if (reader.second() == '%') {
                    ctx.markerSeen = true;
                    checkFootnote(ctx.facts, ctx.footnotes, ctx.streams(), reader.line());
                }
                more = reader.next();
                break;
            default:
                more = reader.next();
                break;
        }
    }
    if (!ctx.markerSeen) {
        ctx.fosterCareReport.put("\n\nNo delimiters found.");
        ctx.adoptionReport.put("\n\nNo delimiters found.");
        if (ctx.findings) ctx.findings->finish(ctx);
        return;
    }
    writeEndOfRun(ctx);
    if (ctx.findings) ctx.findings->finish(ctx);
    ctx.aggregateErrors.release();
    ctx.footnotes.adoption.release();
    ctx.footnotes.fosterCare.release();
}

}  // namespace vortel

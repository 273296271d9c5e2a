#include "run/file_pass.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <utility>

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
#include "run/running_count.h"

namespace vortel {

namespace {

// What the pass knows of a record kind: console texts and the checks a
// detail record goes through. The kind's marker and record length are its core row's.
struct SectionKind {
    RecordKind kind;
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
    void (*initTallies)(RunContext&);
};

constexpr RecordKind kAdoption = RecordKind::Adoption;
constexpr RecordKind kFosterCare = RecordKind::FosterCare;

constexpr std::array<SectionKind, kRecordKinds> kSections = {{
    {
        kAdoption,
        "\nNo Adoption Summary Record Found.\n",
        "\n       1 Adoption Summary Record Checked.",
        "\n         Adoption Detail Records Checked.\r",
        "No Adoption Detail Records Found.        \n",
        false,
        resetAdoptionCells,
        [](RunContext& ctx, std::string_view r) { checkAdoptionElements(ctx.facts, ctx.cells(kAdoption), r); },
        [](RunContext& ctx, std::string_view r) {
            checkAdoptionDatePairs(ctx.cells(kAdoption), ctx.datePairs.adoption, r);
        },
        [](RunContext& ctx, std::string_view r) { checkAdoptionGroups(ctx.cells(kAdoption), r); },
        [](RunContext& ctx, std::string_view r) {
            tallyAdoptionRecord(ctx.tallies[kAdoption], ctx.cells(kAdoption), r);
        },
        [](RunContext& ctx) { finishAdoptionTallies(ctx.tallies[kAdoption]); },
        [](RunContext& ctx) { initAdoptionTallies(ctx.tallies[kAdoption]); },
    },
    {
        kFosterCare,
        "\nNo Foster Care Summary Record Found.\n",
        "\n       1 Foster Care Summary Record Checked.",
        "\n         Foster Care Detailed Records Checked.\r",
        "No Foster Care Detailed Records Found.        \n",
        true,
        resetFosterCareCells,
        [](RunContext& ctx, std::string_view r) { checkFosterCareElements(ctx.facts, ctx.cells(kFosterCare), r); },
        [](RunContext& ctx, std::string_view r) {
            checkFosterCareDatePairs(ctx.cells(kFosterCare), ctx.datePairs.fosterCare, r);
        },
        [](RunContext& ctx, std::string_view r) { checkFosterCareGroups(ctx.cells(kFosterCare), r); },
        [](RunContext& ctx, std::string_view r) {
            tallyFosterCareRecord(ctx.tallies[kFosterCare], ctx.cells(kFosterCare), r);
        },
        [](RunContext& ctx) { finishFosterCareTallies(ctx.tallies[kFosterCare]); },
        [](RunContext& ctx) { initFosterCareTallies(ctx.tallies[kFosterCare]); },
    },
}};
static_assert(rowsInKindOrder(kSections));

// True when a line starting with c opens a section of another kind than `kind`.
constexpr bool opensOtherSection(RecordKind kind, char c) {
    for (const KindRow& row : kKindRows)
        if (row.marker == c && kindIndex(row.kind) != kindIndex(kind)) return true;
    return false;
}

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
template <std::size_t I>
bool readSection(RunContext& ctx, LineReader& reader) {
    constexpr const SectionKind& K = kSections[I];
    const std::string marker(reader.line());
    if (!reader.next()) {
        ctx.console.put(K.noSummary);
        return false;
    }
    copyReportPeriod(ctx, reader.line());
    ctx.findings->beginSection(ctx, K.kind, marker, reader.line());
    ctx.console.put(K.summaryChecked);
    if (K.usesLocalAgencies) loadLocalAgencies(ctx);
    ctx.console.put(K.detailCount);

    // Another section's marker, '#' and '%' end a section; its own marker does not.
    static constexpr auto kEnds = [] {
        std::array<bool, 256> ends{};
        for (int c = 0; c < 256; ++c)
            ends[static_cast<std::size_t>(c)] = opensOtherSection(K.kind, static_cast<char>(c));
        ends[static_cast<unsigned char>('#')] = true;
        ends[static_cast<unsigned char>('%')] = true;
        return ends;
    }();
    auto endsSection = [](char c) { return kEnds[static_cast<unsigned char>(c)]; };
    std::int32_t& count = ctx.recordCounts[K.kind];
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
        tallyElementStates(ctx, K.kind);
        K.tallyRecord(ctx, record);
        ctx.findings->record(ctx, K.kind, record, record.substr(0, rawLength), reader.lineNumber(), reader.piece());
        more = reader.next();
    }
    ctx.console.put("\n");
    if (K.usesLocalAgencies) ctx.facts.localAgencies.release();
    // The reports close the section's listing and write its summary heading.
    ctx.findings->endSection(ctx, K.kind);
    if (count != 0) {
        K.finishTallies(ctx);
    } else {
        ctx.console.put(K.noDetail);
    }
    return more;
}

// The section readers, by kind.
constexpr auto kSectionReaders = []<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<bool (*)(RunContext&, LineReader&), kRecordKinds>{readSection<I>...};
}
(std::make_index_sequence<kRecordKinds>{});

// The kind whose section a line's first character opens, as an index + 1; 0 for none.
constexpr auto kSectionOfMarker = [] {
    std::array<std::uint8_t, 256> section{};
    for (const KindRow& row : kKindRows)
        section[static_cast<unsigned char>(row.marker)] = static_cast<std::uint8_t>(kindIndex(row.kind) + 1);
    return section;
}();

}  // namespace

void initRunTables(RunContext& ctx) {
    ctx.recordCounts = {};
    ctx.facts.localAgencies.release();
    for (MessageList& list : ctx.messageLists) {
        list.release();
        list.memoryFailed = false;
    }
    ctx.footnoteCount = 0;
    ctx.localAgencyListFailed = false;
    for (ElementTable& cells : ctx.cellTables) cells.clearAll();
    ctx.datePairs = DatePairOutcomes{};
    for (const SectionKind& k : kSections) k.initTallies(ctx);
}

void resetAdoptionCells(RunContext& ctx) {
    ctx.cells(kAdoption).resetRecord();
    ctx.datePairs.adoption.fill(0);
}

void resetFosterCareCells(RunContext& ctx) {
    ctx.cells(kFosterCare).resetRecord();
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
                    checkAdoptionAggregate(ctx.facts, ctx.messages(MessageListId::AdoptionAggregate), ctx.streams(),
                                           reader.line());
                    more = reader.next();
                }
                break;
            case '%':
                if (reader.second() == '%') {
                    ctx.markerSeen = true;
                    checkFootnote(ctx.facts, ctx.messageLists, ctx.footnoteCount, ctx.streams(), reader.line());
                }
                more = reader.next();
                break;
            default:
                if (const std::uint8_t section = kSectionOfMarker[static_cast<unsigned char>(reader.first())]) {
                    ctx.markerSeen = true;
                    more = kSectionReaders[section - 1u](ctx, reader);
                } else {
                    more = reader.next();
                }
                break;
        }
    }
    // The outputs end the run: the reports with their end-of-run blocks, or
    // the note that no marker was found.
    ctx.findings->finish(ctx);
    for (MessageList& list : ctx.messageLists) list.release();
}

}  // namespace vortel

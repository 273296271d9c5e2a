#include "reports/listing.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>

#include "catalogue/catalogue.h"
#include "core/run_context.h"
#include "reports/output_kinds.h"

namespace vortel {

namespace {

// Positions of a listing line under the units ruler, in catalogue order: a
// cell, or 0 for a blank, which stands in the place of a race element as a
// whole (it has no state of its own) and before every tenth element.
constexpr std::size_t positionCount(std::span<const ElementEntry> entries) {
    std::size_t n = entries.size();
    for (const ElementEntry& e : entries) n += e.part == EntryPart::Element && e.element % 10 == 0 ? 1 : 0;
    return n;
}
template <std::size_t N>
constexpr std::array<int, N> positions(std::span<const ElementEntry> entries) {
    std::array<int, N> out{};
    std::size_t k = 0;
    for (const ElementEntry& e : entries) {
        if (e.part == EntryPart::Element && e.element % 10 == 0) out[k++] = 0;
        out[k++] = e.part == EntryPart::RaceElement ? 0 : e.cell();
    }
    return out;
}
// The units ruler over those positions: the last digit of each element
// number, the letter of each category, a blank for each separator.
template <std::size_t N>
constexpr std::array<char, N> unitsRuler(std::span<const ElementEntry> entries) {
    std::array<char, N> out{};
    std::size_t k = 0;
    for (const ElementEntry& e : entries) {
        if (e.part == EntryPart::Element && e.element % 10 == 0) out[k++] = ' ';
        out[k++] = e.part == EntryPart::RaceCategory ? e.category : static_cast<char>('0' + e.element % 10);
    }
    return out;
}

constexpr std::size_t kAdoptionWidth = positionCount(adoption::kElements);
constexpr std::size_t kFosterCareWidth = positionCount(fostercare::kElements);
constexpr auto kAdoptionPositions = positions<kAdoptionWidth>(adoption::kElements);
constexpr auto kFosterCarePositions = positions<kFosterCareWidth>(fostercare::kElements);

constexpr std::string_view kAdoptionUnits = "1234567abcdef89 0123456789 012345abcdef67abcdef89 01234567";
constexpr std::string_view kFosterCareUnits =
    "12345678abcdef9 0123456789 0123456789 0123456789 0123456789 012abcdef34abcdef56789 0123456";
// 58 positions (72 columns with the record number), 90 positions (104),
// each under its place in the units ruler.
static_assert(kAdoptionWidth == 58 && kFosterCareWidth == 90);
static_assert(std::string_view(unitsRuler<kAdoptionWidth>(adoption::kElements).data(), kAdoptionWidth) ==
              kAdoptionUnits);
static_assert(std::string_view(unitsRuler<kFosterCareWidth>(fostercare::kElements).data(), kFosterCareWidth) ==
              kFosterCareUnits);

void writeGroupLines(Writer& out, RecordKind kind) {
    for (const GroupEntry& g : groupEntries(kind)) {
        out.printf("\n%c or %c = ", g.upperLetter(), g.letter);
        out.put(g.legend);
    }
}

// Writes text after `spaces` blanks.
void spaced(Writer& out, int spaces, std::string_view text) {
    out.repeat(' ', spaces);
    out.put(text);
}

// The listing's positions and units ruler of each kind.
struct ListingKind {
    std::span<const int> positions;
    std::string_view units;
};
constexpr PerKind<ListingKind> kListingKinds = byKind<ListingKind>(ListingKind{kAdoptionPositions, kAdoptionUnits},
                                                                   ListingKind{kFosterCarePositions, kFosterCareUnits});

void writeRuler(Writer& out, RecordKind kind) {
    const OutputKindRow& row = outputRow(kind);
    out.put("\n\n");
    spaced(out, 14, "<");
    out.repeat('-', row.rulerDashesLeft);
    out.put(" Element Number ");
    out.repeat('-', row.rulerDashesRight);
    out.put(">");
    out.put("\n\n");
    spaced(out, 21, "0");
    int tens = 1;
    for (const int blanks : row.rulerTens) spaced(out, blanks, std::to_string(10 * tens++));
    out.put("\n");
    spaced(out, 14, kListingKinds[kind].units);
}

}  // namespace

PeriodLabel periodLabel(std::string_view reportPeriod) {
    PeriodLabel label{"?????", "????"};
    const char month = reportPeriod.size() >= 6 ? reportPeriod[5] : ' ';
    if (month == '3') label.month = "March";
    if (month == '9') label.month = "September";
    const std::string_view year = reportPeriod.substr(0, 4);
    if (isNumericField(year)) label.year = std::string(year);
    return label;
}

void writeReportHeadings(RunContext& ctx) {
    for (const OutputKindRow& row : kOutputKindRows) {
        Writer& out = ctx.report(row.kind);
        out.printf("Date: %s", ctx.runTimestamp.c_str());
        out.put("\nFile: ");
        out.put(ctx.dataFileName);
        out.put("\n\n\n\n");
        out.repeat(' ', row.titleIndent);
        out.put(row.title1);
        out.put("\n");
        out.repeat(' ', row.subtitleIndent);
        out.put("Detailed Data Quality Report (Version 2)");
    }
}

void writeListingHeading(RunContext& ctx, RecordKind kind) {
    Writer& out = ctx.report(kind);
    const PeriodLabel label = periodLabel(ctx.reportPeriod);
    out.put("\n\n");
    out.repeat(' ', outputRow(kind).periodIndent);
    out.printf("Report Period Ending Date: %9s, %.4s", label.month, label.year.c_str());
    out.put("\n\nLegend:");
    out.printf("\n%c = Missing Data.", '1');
    out.printf("\n%c = Out of Range error.  This data will be deleted from the file prior to being loaded", '2');
    out.put("\n    into the VORTEL database.");
    out.put("\n\nInconsistent Data");
    writeGroupLines(out, kind);
    out.put("\n\nNOTE:  An upper case letter indicates that the data will be deleted if submitted to");
    out.put(outputRow(kind).noteEnd);
    writeRuler(out, kind);
    out.put("\nRecord #");
    out.put("\n------------\n");
}

void writeRecordLine(RunContext& ctx, RecordKind kind, std::string_view record) {
    const ElementTable& cells = ctx.cells(kind);
    if (!cells.hasFinding()) return;
    // The line is put together here and written in one piece.
    std::array<char, 1 + 12 + 2 + std::max(std::size(kAdoptionPositions), std::size(kFosterCarePositions))> line;
    std::size_t n = 0;
    line[n++] = '\n';
    const ElementEntry& recordNumber = recordNumberEntry(kind);
    const std::string_view number = field(record, recordNumber.first(), recordNumber.last());
    n += number.copy(line.data() + n, 12);
    line[n++] = ' ';
    line[n++] = ' ';
    for (const int cell : kListingKinds[kind].positions) {
        const char s = cell == 0 ? ' ' : cells.state(cell);
        line[n++] = s == kPendingBlank ? kValid : s;
    }
    ctx.report(kind).put(std::string_view(line.data(), n));
}

void writeListingEnd(RunContext& ctx, RecordKind kind) {
    Writer& out = ctx.report(kind);
    const int n = cellCount(kind);
    out.put("\n\n");
    out.repeat('-', 14);
    for (int k = 2; k <= n - 1; ++k) {
        out.put('-');
        if (k % 10 == 0) out.put('-');
    }
    if (ctx.localAgencyListFailed) {
        out.put("\n\nNOTE:  The program was unable to evaluate out-of-range local agency FIPS codes");
        out.put("\n       because there was not enough memory available when processing data.  Please");
        out.put("\n       remove any unnecessary programs from memory and try again.  If this");
        out.put("\n       problem remains contact your technical liaison.");
    }
}

}  // namespace vortel

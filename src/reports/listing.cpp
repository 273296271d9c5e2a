#include "reports/listing.h"

#include <algorithm>
#include <array>

#include "run/run_context.h"

namespace vortel {

namespace {

// Positions of a listing line under the units ruler: a cell number, or 0 for
// a blank (a separator, or the place of a race element as a whole).
struct Segment {
    int first;  // 0: one blank
    int last;
};

constexpr Segment kAdoptionSegments[] = {
    {1, 6}, {0, 0}, {38, 43}, {8, 9}, {0, 0}, {10, 19}, {0, 0}, {20, 24}, {0, 0}, {44, 49},
    {26, 26}, {0, 0}, {50, 55}, {28, 29}, {0, 0}, {30, 37},
};
constexpr Segment kFosterCareSegments[] = {
    {1, 7},   {0, 0}, {67, 72}, {9, 9},   {0, 0}, {10, 19}, {0, 0},   {20, 29}, {0, 0},  {30, 39}, {0, 0},
    {40, 49}, {0, 0}, {50, 51}, {0, 0},   {73, 78}, {53, 53}, {0, 0}, {79, 84}, {55, 59}, {0, 0}, {60, 66},
};

template <std::size_t N, std::size_t S>
constexpr std::array<int, N> positions(const Segment (&segments)[S]) {
    std::array<int, N> out{};
    std::size_t k = 0;
    for (const Segment& seg : segments) {
        if (seg.first == 0) {
            out[k++] = 0;
        } else {
            for (int c = seg.first; c <= seg.last; ++c) out[k++] = c;
        }
    }
    return out;
}

// 58 positions (72 columns with the record number), 90 positions (104).
constexpr auto kAdoptionPositions = positions<58>(kAdoptionSegments);
constexpr auto kFosterCarePositions = positions<90>(kFosterCareSegments);

void writeGroupLines(Writer& out, RecordKind kind) {
    if (kind == RecordKind::Adoption) {
        out.printf("\n%c or %c = Most likely error causing inconsistency in Group #1 (Elements 2, 5, 16, 17, 19 - 21, 23,", 'A', 'a');
        out.put("\n         and 24.)");
        out.printf("\n%c or %c = Most likely error causing inconsistency in Group #2 (Elements 4, 31, 34, and 35.)", 'B', 'b');
        out.printf("\n%c or %c = Most likely error causing inconsistency in Group #3 (Elements 9 - 15.)", 'C', 'c');
        out.printf("\n%c or %c = Most likely error causing inconsistency in Group #4 (Elements 22 - 28.)", 'D', 'd');
        out.printf("\n%c or %c = Most likely error causing inconsistency in Group #5 (Elements 29 - 32.)", 'E', 'e');
        out.printf("\n%c or %c = Most likely error causing inconsistency in Group #6 (Elements 35 - 37.)", 'F', 'f');
        out.printf("\n%c or %c = Inconsistency error within an element in Group #7 (Elements 7, 25 and 27.)", 'G', 'g');
        return;
    }
    out.printf("\n%c or %c = Most likely error causing inconsistency in Group #1 (Elements 2, 5, 6, 18, 20 - 23, 45 - 48,", 'A', 'a');
    out.put("\n         50 - 51, and 56 - 57.)");
    out.printf("\n%c or %c = Most likely error causing inconsistency in Group #2 (Elements 10 - 15 and 33.)", 'B', 'b');
    out.printf("\n%c or %c = Most likely error causing inconsistency in Group #3 (Elements 16 - 17.)", 'C', 'c');
    out.printf("\n%c or %c = Most likely error causing inconsistency in Group #4 (Elements 18 - 21.)", 'D', 'd');
    out.printf("\n%c or %c = Most likely error causing inconsistency in Group #5 (Elements 21 and 23 - 24.)", 'E', 'e');
    out.printf("\n%c or %c = Most likely error causing inconsistency in Group #6 (Elements 2, 5, 21, 25, 43, and 56.)", 'F', 'f');
    out.printf("\n%c or %c = Most likely error causing inconsistency in Group #7 (Elements 26 - 40.)", 'G', 'g');
    out.printf("\n%c or %c = Most likely error causing inconsistency in Group #8 (Elements 44 - 46.)", 'H', 'h');
    out.printf("\n%c or %c = Most likely error causing inconsistency in Group #9 (Elements 41 and 49 - 55.)", 'I', 'i');
    out.printf("\n%c or %c = Most likely error causing inconsistency in Group #10 (Elements 43, 47 - 48, and 58.)", 'J', 'j');
    out.printf("\n%c or %c = Most likely error causing inconsistency in Group #11 (Elements 56 - 58.)", 'K', 'k');
    out.printf("\n%c or %c = Most likely error causing inconsistency in Group #12 (Elements 59 - 66.)", 'M', 'm');
    out.printf("\n%c or %c = Inconsistency error within an element in Group #13 (Elements 8, 52 and 54.)", 'N', 'n');
}

// Writes text after `spaces` blanks.
void spaced(Writer& out, int spaces, std::string_view text) {
    out.repeat(' ', spaces);
    out.put(text);
}

void writeRuler(Writer& out, RecordKind kind) {
    const bool adoption = kind == RecordKind::Adoption;
    out.put("\n\n");
    spaced(out, 14, "<");
    out.repeat('-', adoption ? 20 : 32);
    out.put(" Element Number ");
    out.repeat('-', adoption ? 20 : 40);
    out.put(">");
    out.put("\n\n");
    spaced(out, 21, "0");
    if (adoption) {
        spaced(out, 12, "10");
        spaced(out, 15, "20");
        spaced(out, 14, "30");
        out.put("\n");
        spaced(out, 14, "1234567abcdef89 0123456789 012345abcdef67abcdef89 01234567");
        return;
    }
    spaced(out, 12, "10");
    spaced(out, 9, "20");
    spaced(out, 9, "30");
    spaced(out, 9, "40");
    spaced(out, 15, "50");
    spaced(out, 13, "60");
    out.put("\n");
    spaced(out, 14, "12345678abcdef9 0123456789 0123456789 0123456789 0123456789 012abcdef34abcdef56789 0123456");
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
    Writer& fc = ctx.fosterCareReport;
    fc.printf("Date: %s", ctx.runTimestamp.c_str());
    fc.put("\nFile: ");
    fc.put(ctx.dataFileName);
    fc.put("\n\n\n\n");
    fc.repeat(' ', 41);
    fc.put("VORTEL Foster Care");
    fc.put("\n");
    fc.repeat(' ', 30);
    fc.put("Detailed Data Quality Report (Version 2)");

    Writer& ad = ctx.adoptionReport;
    ad.printf("Date: %s", ctx.runTimestamp.c_str());
    ad.put("\nFile: ");
    ad.put(ctx.dataFileName);
    ad.put("\n\n\n\n");
    ad.repeat(' ', 26);
    ad.put("VORTEL Adoption");
    ad.put("\n");
    ad.repeat(' ', 14);
    ad.put("Detailed Data Quality Report (Version 2)");
}

void writeListingHeading(RunContext& ctx, RecordKind kind) {
    Writer& out = ctx.report(kind);
    const PeriodLabel label = periodLabel(ctx.reportPeriod);
    out.put("\n\n");
    out.repeat(' ', kind == RecordKind::Adoption ? 13 : 29);
    out.printf("Report Period Ending Date: %9s, %.4s", label.month, label.year.c_str());
    out.put("\n\nLegend:");
    out.printf("\n%c = Missing Data.", '1');
    out.printf("\n%c = Out of Range error.  This data will be deleted from the file prior to being loaded", '2');
    out.put("\n    into the VORTEL database.");
    out.put("\n\nInconsistent Data");
    writeGroupLines(out, kind);
    out.put("\n\nNOTE:  An upper case letter indicates that the data will be deleted if submitted to");
    out.put(kind == RecordKind::Adoption ? "\n       federal VORTEL.\n\n" : "\n       federal VORTEL.");
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
    const std::string_view number = kind == RecordKind::Adoption ? field(record, 9, 20) : field(record, 14, 25);
    n += number.copy(line.data() + n, 12);
    line[n++] = ' ';
    line[n++] = ' ';
    auto writeCells = [&](const auto& order) {
        for (int cell : order) {
            const char s = cell == 0 ? ' ' : cells.state(cell);
            line[n++] = s == kPendingBlank ? kValid : s;
        }
    };
    if (kind == RecordKind::Adoption)
        writeCells(kAdoptionPositions);
    else
        writeCells(kFosterCarePositions);
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

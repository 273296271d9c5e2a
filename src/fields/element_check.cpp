#include "fields/element_check.h"

#include <string>

#include "run/run_context.h"

namespace vortel {

namespace {

bool valueFails(const RunContext& ctx, const ElementLayout& e, std::string_view value) {
    switch (e.test) {
        case ElementTest::StateCode:
            return fieldDiffers(value, ctx.stateCode);
        case ElementTest::ReportPeriod:
            return reportPeriodInvalid(value, ctx.runDate);
        case ElementTest::Code: {
            // Same answer as codeNotInList for the digit lists, without a scan.
            const unsigned digit = static_cast<unsigned char>(value[0]) - static_cast<unsigned>('0');
            return digit > 9 || ((e.digitMask >> digit) & 1u) == 0;
        }
        case ElementTest::YearMonth: {
            char date[8];
            value.copy(date, 6);
            date[6] = '0';
            date[7] = '1';
            return dateInvalid(std::string_view(date, 8), 1900, 1, 1, ctx.runDate);
        }
        case ElementTest::Date:
            return dateInvalid(value, e.low / 10000, e.low / 100 % 100, e.low % 100, ctx.runDate);
        case ElementTest::Year:
            return numberOutOfRange(value, 1900, ctx.runDate.year - 1);
        case ElementTest::Range:
            return numberOutOfRange(value, e.low, e.high);
        case ElementTest::LocalAgency:
            return localAgencyCodeInvalid(ctx, value);
    }
    return false;
}

}  // namespace

void checkCodeElements(ElementTable& cells, std::span<const CodeCheck> codes, std::string_view record) {
    for (const CodeCheck& e : codes) {
        const char c = record[e.offset];
        const unsigned digit = static_cast<unsigned char>(c) - static_cast<unsigned>('0');
        if (digit <= 9 && ((e.digitMask >> digit) & 1u)) continue;  // a listed code: valid
        if (c != ' ')
            cells.mark(e.cell, kOutOfRange);
        else if (e.blankState == kMissing)
            cells.mark(e.cell, kMissing);
        else
            cells[e.cell].state = e.blankState;
    }
}

void checkElements(RunContext& ctx, ElementTable& cells, std::span<const ElementLayout> layout,
                   std::string_view record) {
    for (const ElementLayout& e : layout) {
        // One-column codes, the most common element, are tested without a scan.
        const bool blank = e.test == ElementTest::Code ? record[static_cast<std::size_t>(e.first - 1)] == ' '
                                                       : isBlankField(field(record, e.first, e.blankLast));
        if (blank) {
            if (e.blankState == kMissing)
                cells.mark(e.cell, kMissing);
            else
                cells[e.cell].state = e.blankState;
        } else if (valueFails(ctx, e, field(record, e.first, e.last))) {
            cells.mark(e.cell, kOutOfRange);
        }
    }
}

}  // namespace vortel

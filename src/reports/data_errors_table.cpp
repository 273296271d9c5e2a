#include "reports/data_errors_table.h"

#include <cstdio>
#include <span>

#include "catalogue/catalogue.h"
#include "core/run_context.h"

namespace vortel {

long totalErrors(const ElementStatus& c) {
    return static_cast<long>(c.missingCount) + c.outOfRangeCount + c.likelyErrorCount;
}

float errorPercent(long errors, long records) {
    return static_cast<float>(static_cast<double>(errors) * 100.0 / static_cast<double>(records));
}

DataErrorTotals dataErrorTotals(const ElementTable& cells) {
    DataErrorTotals t;
    for (int cell = 1; cell <= cells.size(); ++cell) {
        const ElementStatus& c = cells[cell];
        t.missing += c.missingCount;
        t.outOfRange += c.outOfRangeCount;
        t.likelyError += c.likelyErrorCount;
        t.total += totalErrors(c);
        t.cleaned += c.cleanedCount;
    }
    return t;
}

void writeDataErrorsTable(RunContext& ctx, RecordKind kind) {
    Writer& out = ctx.report(kind);
    const ElementTable& cells = ctx.cells(kind);
    const long records = ctx.recordCount(kind);

    out.put("\n\n\n");
    out.repeat(' ', 24);
    out.printf("Data Errors for %08ld Records", records);
    out.put("\n\nData        Missing     Out-of     Likely     Total   % of Total   ||   Cleaned");
    out.put("\nElement     Data        Range      Error      Errors  Records      ||   Errors");
    out.put("\n-------     -------     ------     ------     ------  ----------   ||   -------");

    // Rows in catalogue order: the categories stand in place of their race
    // element, which has no row; every cell enters the Total line.
    for (const ElementEntry& e : elementEntries(kind)) {
        const ElementStatus& c = cells[e.cell()];
        if (e.part == EntryPart::Element) {
            out.printf("\n%4d%15ld%11ld%11ld%11ld%12.2f   ||%10ld", e.element, static_cast<long>(c.missingCount),
                       static_cast<long>(c.outOfRangeCount), static_cast<long>(c.likelyErrorCount), totalErrors(c),
                       static_cast<double>(errorPercent(totalErrors(c), records)), static_cast<long>(c.cleanedCount));
        } else if (e.part == EntryPart::RaceCategory) {
            char label[8];
            std::snprintf(label, sizeof label, "%d%c", e.element, e.category);
            out.printf("\n%5s%14ld%11ld%11ld%11ld%12.2f   ||%10ld", label, static_cast<long>(c.missingCount),
                       static_cast<long>(c.outOfRangeCount), static_cast<long>(c.likelyErrorCount), totalErrors(c),
                       static_cast<double>(errorPercent(totalErrors(c), records)), static_cast<long>(c.cleanedCount));
        }
    }
    out.put("\n");
    out.repeat('-', 86);
    const DataErrorTotals totals = dataErrorTotals(cells);
    out.printf("\nTotal%14ld%11ld%11ld%11ld               ||%10ld", totals.missing, totals.outOfRange,
               totals.likelyError, totals.total, totals.cleaned);
    out.put("\n\n\n");
    out.repeat(' ', 33);
    out.put("*  *  *  *  *  *");
    out.put("\n\n      This report is intended to identify areas in a State VORTEL data file");
    out.put("\n      where the data is of questionable quality. To determine if this file ");
    out.put("\n      meets the VORTEL standards for compliance, process the data file through");
    out.put("\n      the State VORTEL Compliance Utility and check the generated report -");
    out.put("\n      VORTEL Data Report.");
    out.put("\n\n");
    out.repeat(' ', 33);
    out.put("*  *  *  *  *  *");
}

}  // namespace vortel

#include "reports/data_errors_table.h"

#include <cstdio>
#include <span>

#include "run/run_context.h"

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
    const bool adoption = kind == RecordKind::Adoption;
    const int firstCategoryCell = adoption ? adoption::kChildRaceA : fostercare::kChildRaceA;

    out.put("\n\n\n");
    out.repeat(' ', 24);
    out.printf("Data Errors for %08ld Records", records);
    out.put("\n\nData        Missing     Out-of     Likely     Total   % of Total   ||   Cleaned");
    out.put("\nElement     Data        Range      Error      Errors  Records      ||   Errors");
    out.put("\n-------     -------     ------     ------     ------  ----------   ||   -------");

    // Categories are listed at their race element; every cell enters the Total line.
    for (int cell = 1; cell < firstCategoryCell; ++cell) {
        const ElementStatus& c = cells[cell];
        const RaceElement* race = raceElementAt(kind, cell);
        if (!race) {
            out.printf("\n%4d%15ld%11ld%11ld%11ld%12.2f   ||%10ld", cell, static_cast<long>(c.missingCount),
                       static_cast<long>(c.outOfRangeCount), static_cast<long>(c.likelyErrorCount),
                       totalErrors(c), static_cast<double>(errorPercent(totalErrors(c), records)),
                       static_cast<long>(c.cleanedCount));
            continue;
        }
        for (int k = 0; k < 6; ++k) {
            const ElementStatus& cat = cells[race->firstCell + k];
            char label[8];
            std::snprintf(label, sizeof label, "%d%c", race->element, 'a' + k);
            out.printf("\n%5s%14ld%11ld%11ld%11ld%12.2f   ||%10ld", label, static_cast<long>(cat.missingCount),
                       static_cast<long>(cat.outOfRangeCount), static_cast<long>(cat.likelyErrorCount),
                       totalErrors(cat), static_cast<double>(errorPercent(totalErrors(cat), records)),
                       static_cast<long>(cat.cleanedCount));
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

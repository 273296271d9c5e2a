// Table of error counts per element over all detail records of one kind.
#pragma once

#include "core/element_table.h"

namespace vortel {

struct RunContext;

void writeDataErrorsTable(RunContext& ctx, RecordKind kind);

// A cell's total errors: missing, out of range and likely errors.
long totalErrors(const ElementStatus& c);
// Total errors as a percentage of the records, held in single precision as
// the table prints it.
float errorPercent(long errors, long records);

// The sums of the Total line, over every cell of a table.
struct DataErrorTotals {
    long missing = 0;
    long outOfRange = 0;
    long likelyError = 0;
    long total = 0;
    long cleaned = 0;
};
DataErrorTotals dataErrorTotals(const ElementTable& cells);

}  // namespace vortel

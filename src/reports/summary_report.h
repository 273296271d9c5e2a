// Summary data quality report: heading per section, body at the end of the run.
#pragma once

#include "core/element_table.h"

namespace vortel {

struct RunContext;

void writeSummaryHeading(RunContext& ctx, RecordKind kind);
void writeSummaryReport(RunContext& ctx, RecordKind kind);

}  // namespace vortel

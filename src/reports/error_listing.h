// Aggregate and footnote error listing at the end of each report.
#pragma once

#include "run/element_table.h"

namespace vortel {

struct RunContext;

void writeErrorListing(RunContext& ctx, RecordKind kind);

}  // namespace vortel

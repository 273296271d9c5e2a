// Table of error counts per element over all detail records of one kind.
#pragma once

#include "run/element_table.h"

namespace vortel {

struct RunContext;

void writeDataErrorsTable(RunContext& ctx, RecordKind kind);

}  // namespace vortel

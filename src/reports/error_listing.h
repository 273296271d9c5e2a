// The last block of each report: the errors that belong to no detail record
// (adoption aggregate errors and footnote errors), or a note in place of a
// list that could not be kept for lack of memory.
#pragma once

#include "core/element_table.h"

namespace vortel {

struct RunContext;

// Adoption: the aggregate error block, then the adoption footnote block.
// Foster care: the foster care footnote block. A list with no messages and
// no memory failure writes nothing.
void writeErrorListing(RunContext& ctx, RecordKind kind);

}  // namespace vortel

// The one pass over the data file: the marker lines, a section reader driven
// by a description of each record kind, the aggregate and footnote records,
// and the end-of-run blocks of the reports.
#pragma once

#include "core/run_context.h"

namespace vortel {

class LineReader;

void initRunTables(RunContext& ctx);
void resetAdoptionCells(RunContext& ctx);
void resetFosterCareCells(RunContext& ctx);
// Adds the record's final states to the run counts; true when the record has
// a finding (a state other than '.' and '!').
bool tallyElementStates(RunContext& ctx, RecordKind kind);
void scanDataFile(RunContext& ctx, LineReader& reader);

}  // namespace vortel

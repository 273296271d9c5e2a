// Building blocks for tests: a run context with a fixed State and run date,
// and plausible clean detail records whose columns tests overwrite.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/line_reader.h"
#include "core/run_context.h"

namespace vortel::testing {

// State 01, run date 2026-12-08, the local agency codes 01001 and 01003, and
// every run table initialised. Reports and console collect into strings.
std::unique_ptr<RunContext> makeContext();

// Writes `value` into the record from 1-based column `first` on.
void setField(std::string& record, int first, std::string_view value);
// A copy of the record with `value` written from column `first` on.
std::string withField(std::string record, int first, std::string_view value);

// A 111-column adoption record of State 01, period 202609: every element
// valid and consistent with the others.
std::string cleanAdoptionRecord();
// A 197-column foster care record of State 01, period 202609, county 01001.
std::string cleanFosterCareRecord();

// Where a read stands in its line: a whole line of the kind's record length,
// ended by a line feed.
LinePiece wholeLine(RecordKind kind);

// Runs the whole per-record pipeline (reset, element checks, date pairs,
// groups, error tally) on a padded record and leaves the states in the table.
void checkAdoptionRecord(RunContext& ctx, const std::string& record);
void checkFosterCareRecord(RunContext& ctx, const std::string& record);

// Runs the element checks alone on a padded record; the states of all cells.
std::string checkedElements(RunContext& ctx, RecordKind kind, const std::string& record);

// The states of cells first..last as one string, e.g. "..1.2".
std::string states(const ElementTable& cells, int first, int last);

// The texts of a message list, in order.
std::vector<std::string> messages(const MessageList& list);

}  // namespace vortel::testing

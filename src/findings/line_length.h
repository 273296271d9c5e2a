// The record-level finding of a detail record whose line is not as long as
// its kind's record (111 or 197 columns): a short line (an empty one
// included), a long line, or the rest of a line longer than the reader's 299
// characters, read as a record of its own. It stands before the record's
// element findings, with element "record" and rule A-length or F-length.
#pragma once

#include <vector>

#include "core/element_table.h"
#include "core/line_reader.h"
#include "findings/finding_cells.h"

namespace vortel {

// The element label and cell of the length finding (no element table cell
// is 0).
inline constexpr std::string_view kRecordElement = "record";
inline constexpr int kRecordCell = 0;

inline bool isLengthFinding(const Finding& f) { return f.cell == kRecordCell; }

// The length finding of the record read as `piece` of line `lineNumber`, put
// before `findings` (the record's element findings, explained or not), or
// nothing when the line is as long as the record. Marks the element findings
// that follow from the line's length: on a short line those whose columns
// the line does not hold in full, on the rest of a long line all of them.
// Its words are kept in `words`.
void addLengthFinding(RecordKind kind, const LinePiece& piece, long lineNumber, std::vector<Finding>& findings,
                      RecordWords& words);

// The state text of a finding as the findings files write it: its state
// character, none for a length finding.
inline std::string_view stateText(const Finding& f) {
    return isLengthFinding(f) ? std::string_view() : std::string_view(&f.state, 1);
}

}  // namespace vortel

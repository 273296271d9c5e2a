// What one finding is: a cell of a detail record whose final state is neither
// valid nor a pending blank, named by its element label and read back from
// the record's columns.
#pragma once

#include <array>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/element_table.h"

namespace vortel {

// A cell that can carry a finding: its number in the element table, its
// label ("01", "07a": two-digit element number, race category letter where
// it applies) and the columns of the padded record that hold its value.
struct FindingCell {
    int cell = 0;
    std::array<char, 4> labelText{};  // NUL-terminated
    int first = 0;
    int last = 0;

    std::string_view label() const { return labelText.data(); }
};

// The cells of a record kind in the order of the data errors table rows
// (race categories in place of their race element; the race elements as a
// whole carry no state of their own and are left out).
std::span<const FindingCell> findingCells(RecordKind kind);

// Columns of the record number (adoption 9-20, foster care 14-25).
struct ColumnRange {
    int first;
    int last;
};
ColumnRange recordNumberColumns(RecordKind kind);

// What a final state means: "missing", "out of range", "likely error,
// group 4", or for an upper-case letter "will be deleted, group 4".
std::string_view stateMeaning(RecordKind kind, char state);

// Why a finding is one: the rule's short id and its sentence.
struct Explained {
    std::string rule;
    std::string text;
};

// One finding of a detail record; the views point into the record and into
// the tables above.
struct Finding {
    std::string_view element;
    char state;
    std::string_view meaning;
    std::string_view value;
    int cell = 0;                  // its cell in the element table
    std::string_view elementName;  // as the catalogue names it
    // The rule that set the final state: a short id and one sentence. Made
    // only when explanations are asked for (a findings file or the page);
    // kept by the explanations' memo, a fixed table or the record's
    // `RecordWords`.
    std::string_view rule;
    std::string_view explanation;
    // The columns of the record that hold its value (for the record-level
    // finding of a line's length, the line's columns); 0 when it has none
    // (an empty line).
    int first = 0;
    int last = 0;
    // A finding of an element that the line's wrong length left blank or
    // cut (see findings/line_length.h).
    bool followsFromLine = false;
    // Where `rule` and `explanation` are kept when they last the whole run
    // (by the explanations' memo, or a fixed one); null otherwise. Findings
    // with the same `words` say the same.
    const Explained* words = nullptr;
};

// What was said of the findings of one record that is not kept for the
// run: kept until `clear`, where it does not move.
class RecordWords {
public:
    void clear() { used_ = 0; }
    std::string_view keep(std::string text) {
        if (used_ == kept_.size()) kept_.emplace_back();
        std::string& kept = kept_[used_++];
        kept = std::move(text);
        return kept;
    }

private:
    std::deque<std::string> kept_;  // reused from record to record
    std::size_t used_ = 0;
};

// The findings of a checked record in data errors table order. `record` is
// the padded record (at least its kind's record length).
void collectFindings(RecordKind kind, const ElementTable& cells, std::string_view record, std::vector<Finding>& out);

}  // namespace vortel

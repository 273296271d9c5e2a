// Date-pair checks: order and distance of pairs of dates and years of one
// detail record, and the letter 'a' on the element most likely in error.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/date_pair_state.h"
#include "core/element_table.h"

namespace vortel {

// Phase 2's judgement of a failed row, from the record's counts of failed
// rows blaming each of its two elements: the element blamed more often is the
// likely error and is marked, on a tie both are.
struct PairMarks {
    bool first;
    bool second;
};
constexpr PairMarks marksOfFailedRow(std::int32_t firstFailures, std::int32_t secondFailures) {
    return {firstFailures >= secondFailures, firstFailures <= secondFailures};
}

// The rows of a table (in row order) that marked an element of the record
// just checked, from the rows' outcomes and the cells' failure counts.
std::vector<int> rowsMarking(RecordKind kind, const ElementTable& cells, std::span<const std::int32_t> outcomes,
                             int element);

// Run on the padded record after the element checks, before the groups.
// Every row's outcome for this record goes to `outcomes`.
void checkAdoptionDatePairs(ElementTable& cells, AdoptionPairOutcomes& outcomes, std::string_view record);
void checkFosterCareDatePairs(ElementTable& cells, FosterCarePairOutcomes& outcomes, std::string_view record);

}  // namespace vortel

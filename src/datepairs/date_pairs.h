// Date-pair checks: order and distance of pairs of dates and years of one
// detail record, and the letter 'a' on the element most likely in error.
#pragma once

#include <string_view>

#include "core/date_pair_state.h"

namespace vortel {

class ElementTable;

// Run on the padded record after the element checks, before the groups.
// Every row's outcome for this record goes to `outcomes`.
void checkAdoptionDatePairs(ElementTable& cells, AdoptionPairOutcomes& outcomes, std::string_view record);
void checkFosterCareDatePairs(ElementTable& cells, FosterCarePairOutcomes& outcomes, std::string_view record);

}  // namespace vortel

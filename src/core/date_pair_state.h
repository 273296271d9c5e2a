// Per-record outcomes of the date-pair rows (inconsistency group #1).
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/record_kind.h"

namespace vortel {

constexpr int kAdoptionDatePairRows = 32;
constexpr int kFosterCareDatePairRows = 114;

// lastOutcome of every row of one table: 0 when the row passed or did not
// apply to the current record, 1 or 2 when it failed.
using AdoptionPairOutcomes = std::array<std::int32_t, kAdoptionDatePairRows>;
using FosterCarePairOutcomes = std::array<std::int32_t, kFosterCareDatePairRows>;

struct DatePairOutcomes {
    AdoptionPairOutcomes adoption{};
    FosterCarePairOutcomes fosterCare{};

    // One kind's outcomes.
    std::span<const std::int32_t> of(RecordKind kind) const {
        using Outcomes = std::span<const std::int32_t>;
        return byKind<Outcomes>(Outcomes(adoption), Outcomes(fosterCare))[kind];
    }
};

}  // namespace vortel

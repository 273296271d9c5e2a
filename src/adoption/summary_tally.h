// File-wide summary tallies: one slot per watched pattern.
#pragma once

#include <array>
#include <cstdint>

namespace vortel {

struct SummaryTally {
    char reference[16] = {};     // empty until set
    std::int32_t matchCount = 0;
    std::int32_t validCount = 0;
    float threshold = 100.0f;    // 100: no threshold
    bool differs = false;
};

constexpr int kAdoptionTallySlots = 72;
constexpr int kFosterCareTallySlots = 98;

struct TallyTables {
    std::array<SummaryTally, kAdoptionTallySlots> adoption{};
    std::array<SummaryTally, kFosterCareTallySlots> fosterCare{};
};

}  // namespace vortel

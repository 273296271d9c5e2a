// Detail records that give, in element 1, the valid code of a State other
// than the one the run was answered with. When most records of a kind do,
// the answer (not the file) is most likely wrong, and the page says so
// above everything else, and so does the closing summary on a terminal.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "core/element_table.h"

namespace vortel {

class OtherStateTally {
public:
    // A share of the kind's records (percent) and a number of records both
    // reached before the warning shows.
    static constexpr long kWarnPercent = 90;
    static constexpr long kWarnRecords = 20;

    // One detail record: `stateField` is its element 1 as in the record,
    // `answered` the State code of the run.
    void add(RecordKind kind, std::string_view stateField, std::string_view answered);

    // Per kind where most of `records` give another State: "7,403 of 7,403
    // foster care records give State 39, not 06: check the State code."
    std::vector<std::string> warnings(std::string_view answered, long adoptionRecords, long fosterCareRecords) const;

private:
    struct Counts {
        std::array<long, 100> byCode{};  // records giving each other State's code
        long total = 0;
    };
    std::array<Counts, 2> kinds_{};
};

}  // namespace vortel

// Message tables of the summary data quality report: per record kind, the
// rows written in order, each naming a tally slot, the rule that must hold
// for the slot and the message text.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/element_table.h"

namespace vortel {

enum class MessageRule : std::uint8_t {
    None,                  // validCount is 0
    Same,                  // differs clear, validCount > 0
    NotSame,               // differs set, validCount > 0
    RepeatedBlank,         // matchCount > 1
    OverThreshold,         // differs clear, validCount > 0; "%6.2f" is the share
    Multi,                 // differs set, validCount > 0; "%d", "%d", "%6.2f": matchCount, validCount, share
    NoMulti,               // differs clear, validCount > 0
    NoneBlankShareNot100,  // validCount is 0 and the blank share of shareSlot is not 100
    SameAmount,            // as Same; "%5ld" is the reference read as a number
};

struct MessageRow {
    std::uint8_t slot;
    MessageRule rule;
    const char* text;            // printf format for the rules with values
    const char* more = nullptr;  // a second piece of text, written right after
    std::uint8_t shareSlot = 0;  // NoneBlankShareNot100: the blank share slot
};

std::span<const MessageRow> summaryMessageRows(RecordKind kind);

// The element label a row's message is about: "07a", "16 and 17".
std::string_view messageElement(const MessageRow& row);

}  // namespace vortel

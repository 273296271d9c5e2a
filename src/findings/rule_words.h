// The rules of the consistency groups and of the date-pair rows in words,
// as the findings explain them, without the values of a record: what the
// rules document lists.
#pragma once

#include <string>
#include <vector>

#include "core/element_table.h"

namespace vortel {

// One rule: the id its findings carry ("A-G3.9", "F-DP22"), the condition
// under which it fails, and what it marks (a group) or counts against (a
// date-pair row). A group rule that marks nothing has an empty `marks`.
struct RuleInWords {
    std::string id;
    std::string when;
    std::string marks;
};

// Every rule of a consistency group other than the date pairs (group 2 and
// up), in the order of its table.
std::vector<RuleInWords> groupRulesInWords(RecordKind kind, int group);

// The failure sides of every row of the kind's date-pair table, row by row.
std::vector<RuleInWords> datePairRulesInWords(RecordKind kind);

// How a date-pair measure reads its dates: "by calendar year".
std::string measureInWords(int measure);

}  // namespace vortel

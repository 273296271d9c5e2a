#include "adoption/aggregate_record.h"

#include "core/console.h"
#include "core/message_list.h"
#include "core/run_facts.h"
#include "fields/fields.h"
#include "footnotes/padded_line.h"

namespace vortel {

namespace {

constexpr std::string_view kMemoryError = "\n\nMemory Error when evaluating adoption aggregate record.\n";

// The twenty counts, each 8 columns wide, in age order.
struct CountField {
    int first;
    std::string_view message;
};

constexpr CountField kCountFields[] = {
    {9, "Invalid Number:  Age under 1 year"}, {17, "Invalid Number:  Age 1"},
    {25, "Invalid Number:  Age 2"},           {33, "Invalid Number:  Age 3"},
    {41, "Invalid Number:  Age 4"},           {49, "Invalid Number:  Age 5"},
    {57, "Invalid Number:  Age 6"},           {65, "Invalid Number:  Age 7"},
    {73, "Invalid Number:  Age 8"},           {81, "Invalid Number:  Age 9"},
    {89, "Invalid Number:  Age 10"},          {97, "Invalid Number:  Age 11"},
    {105, "Invalid Number:  Age 12"},         {113, "Invalid Number:  Age 13"},
    {121, "Invalid Number:  Age 14"},         {129, "Invalid Number:  Age 15"},
    {137, "Invalid Number:  Age 16"},         {145, "Invalid Number:  Age 17"},
    {153, "Invalid Number:  Age 18"},         {161, "Invalid Number:  Age over 18 years old"},
};
constexpr int kCountWidth = 8;

static_assert(kCountFields[19].first + kCountWidth - 1 == static_cast<int>(kAggregateRecordLength));

bool stateCodeWrong(const RunFacts& facts, std::string_view record) {
    return fieldDiffers(field(record, 1, 2), facts.stateCode);
}

// The only period an aggregate record may carry is March 1995.
bool reportPeriodWrong(std::string_view record) {
    const std::string_view month = field(record, 7, 8);
    return !isNumericField(month) || fieldValue(field(record, 3, 6)) != 1995 || fieldValue(month) != 3;
}

// A count passes when it is numeric and not all blanks; no range applies.
bool countInvalid(std::string_view f) { return isBlankField(f) || !isNumericField(f); }

}  // namespace

void checkAdoptionAggregate(const RunFacts& facts, MessageList& errors, Console console, std::string_view line) {
    const PaddedLine padded(line, kAggregateRecordLength);
    const std::string_view record = padded.record();
    // False when memory ran out: the rest of the record is then not checked.
    auto report = [&](std::string_view message) {
        return appendMessage(console, errors, message, kAggregateErrorBlock, kMemoryError);
    };

    if (stateCodeWrong(facts, record) && !report("Incorrect State FIPS code")) return;
    if (reportPeriodWrong(record) && !report("Invalid report period end date")) return;
    for (const CountField& count : kCountFields) {
        if (countInvalid(field(record, count.first, count.first + kCountWidth - 1)) && !report(count.message)) return;
    }
}

}  // namespace vortel

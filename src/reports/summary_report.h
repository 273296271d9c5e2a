// Summary data quality report: heading per section, body at the end of the run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/element_table.h"
#include "reports/summary_messages.h"

namespace vortel {

struct RunContext;

// One message of the summary report, as the section's tallies make it.
struct SummaryMessage {
    std::string_view element;  // the label it is about: "07a", "16 and 17"
    const MessageRow* row;     // the row whose rule held
    // What the row's format printed: a share (OverThreshold), two counts and
    // a share (Multi), an amount (SameAmount).
    long counts[2] = {0, 0};
    double share = 0;
    long amount = 0;
    std::string text;  // as the report writes it, without the line feed before it
};

// The summary messages of a record kind, in the order the report lists them:
// the one evaluation of the message rules that the report, the findings
// document and the page each render.
std::vector<SummaryMessage> summaryMessages(const RunContext& ctx, RecordKind kind);

void writeSummaryHeading(RunContext& ctx, RecordKind kind);
// The body of the summary report: its heading and the messages.
void writeSummaryReport(RunContext& ctx, RecordKind kind);

}  // namespace vortel

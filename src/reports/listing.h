// Report headings and the detailed record listing.
#pragma once

#include <string>
#include <string_view>

#include "core/element_table.h"

namespace vortel {

struct RunContext;
class Writer;

// The month name and year text shown for a report period (YYYYMM).
struct PeriodLabel {
    const char* month;  // "March", "September" or "?????"
    std::string year;   // the first four characters, or "????"
};
PeriodLabel periodLabel(std::string_view reportPeriod);

// The heading of the kind's report: run time, data file and title.
void writeReportHeading(RunContext& ctx, RecordKind kind);
// Report period line, legend and ruler of the section's report.
void writeListingHeading(RunContext& ctx, RecordKind kind);
// The record's line (record number and one state per position), or nothing
// when the record has no finding.
void writeRecordLine(RunContext& ctx, RecordKind kind, std::string_view record);
// Closing rule, and the memory note when the local agency list failed.
void writeListingEnd(RunContext& ctx, RecordKind kind);

}  // namespace vortel

#include "reports/summary_report.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <span>

#include "core/platform.h"
#include "core/run_context.h"
#include "fields/fields.h"
#include "reports/listing.h"
#include "reports/output_kinds.h"
#include "reports/summary_messages.h"

namespace vortel {

namespace {

std::span<const SummaryTally> tallySlots(const RunContext& ctx, RecordKind kind) {
    return std::span(ctx.tallies[kind].slots).first(static_cast<std::size_t>(kindRow(kind).tallySlots));
}

std::span<const TallyRow> tallyRows(RecordKind kind) { return outputRow(kind).tallyRows(); }

// The shares of blank years are held in single precision before they are
// compared or printed.
bool isBlankShareSlot(RecordKind kind, int slot) {
    for (const TallyRow& row : tallyRows(kind))
        if (row.slot == slot) return row.kind == TallyKind::BlankShare;
    return false;
}

// The blank share of a slot, 0 when the end of the section found it at or
// below its threshold.
float blankShare(const SummaryTally& t) { return t.differs ? 0.0f : static_cast<float>(tallyShare(t)); }

bool ruleHolds(const MessageRow& row, std::span<const SummaryTally> slots) {
    const SummaryTally& t = slots[row.slot];
    const bool counted = t.validCount > 0;
    switch (row.rule) {
        case MessageRule::None:
            return !counted;
        case MessageRule::Same:
        case MessageRule::SameAmount:
        case MessageRule::OverThreshold:
        case MessageRule::NoMulti:
            return counted && !t.differs;
        case MessageRule::NotSame:
        case MessageRule::Multi:
            return counted && t.differs;
        case MessageRule::RepeatedBlank:
            return t.matchCount > 1;
        case MessageRule::NoneBlankShareNot100:
            return !counted && blankShare(slots[row.shareSlot]) != 100.0f;
    }
    return false;
}

std::string formatted(const char* format, ...) VORTEL_PRINTF_FORMAT(1, 2);
std::string formatted(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    // The formats print a few numbers into one line: they always fit.
    return n < 0 ? std::string() : std::string(text, std::min(static_cast<std::size_t>(n), sizeof text - 1));
}

SummaryMessage makeMessage(const MessageRow& row, const SummaryTally& t, bool singlePrecisionShare) {
    SummaryMessage m{messageElement(row), &row, {0, 0}, 0, 0, {}};
    switch (row.rule) {
        case MessageRule::OverThreshold:
            m.share = singlePrecisionShare ? static_cast<double>(static_cast<float>(tallyShare(t))) : tallyShare(t);
            m.text = formatted(row.text, m.share);
            break;
        case MessageRule::Multi:
            m.counts[0] = t.matchCount;
            m.counts[1] = t.validCount;
            m.share = tallyShare(t);
            m.text = formatted(row.text, static_cast<int>(t.matchCount), static_cast<int>(t.validCount), m.share);
            break;
        case MessageRule::SameAmount:
            m.amount = static_cast<long>(fieldValue(std::string_view(t.reference)));
            m.text = formatted(row.text, m.amount);
            break;
        default:
            m.text = row.text;
            break;
    }
    if (row.more) m.text += row.more;
    m.text.erase(0, 1);  // the line feed every row's text begins with
    return m;
}

}  // namespace

void writeSummaryHeading(RunContext& ctx, RecordKind kind) {
    Writer& out = ctx.report(kind);
    out.printf("\n\n\n\nDate: %s", ctx.runTimestamp.c_str());
    out.printf("\nFile: %s", ctx.dataFileName.c_str());
    out.put(outputRow(kind).summaryTitle);
    out.put("\n                          Summary Data Quality Report");
    const PeriodLabel label = periodLabel(ctx.reportPeriod);
    out.printf("\n\n                  Report Period Ending Date: %9s, %.4s", label.month, label.year.c_str());
}

std::vector<SummaryMessage> summaryMessages(const RunContext& ctx, RecordKind kind) {
    std::vector<SummaryMessage> messages;
    const std::span<const SummaryTally> slots = tallySlots(ctx, kind);
    for (const MessageRow& row : summaryMessageRows(kind)) {
        if (ruleHolds(row, slots))
            messages.push_back(makeMessage(row, slots[row.slot], isBlankShareSlot(kind, row.slot)));
    }
    return messages;
}

void writeSummaryReport(RunContext& ctx, RecordKind kind) {
    Writer& out = ctx.report(kind);
    out.put("\n\n                          Cross File Checks and Errors");
    out.put("\n\nCheck and Error Description");
    out.put("\n---------------------------");
    for (const SummaryMessage& m : summaryMessages(ctx, kind)) {
        out.put('\n');
        out.put(m.text);
    }
}

}  // namespace vortel

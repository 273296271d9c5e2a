#include "findings/findings_json.h"

#include <cstdio>
#include <cstdlib>

#include "core/run_context.h"
#include "findings/finding_cells.h"
#include "reports/data_errors_table.h"
#include "reports/summary_report.h"

namespace vortel {

namespace {

using Json = nlohmann::ordered_json;

// The percentage as the report prints it: single precision, two decimals.
double printedPercent(long errors, long records) {
    const float p = errorPercent(errors, records);
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", static_cast<double>(p));
    return std::strtod(text, nullptr);
}

}  // namespace

Json dataErrorsJson(RunContext& ctx, RecordKind kind) {
    const long records = ctx.recordCount(kind);
    if (records == 0) return nullptr;
    const ElementTable& cells = ctx.cells(kind);
    Json rows = Json::array();
    for (const FindingCell& fc : findingCells(kind)) {
        const ElementStatus& c = cells[fc.cell];
        rows.push_back({{"element", std::string(fc.label())},
                        {"missing", c.missingCount},
                        {"outOfRange", c.outOfRangeCount},
                        {"likelyError", c.likelyErrorCount},
                        {"total", totalErrors(c)},
                        {"percent", printedPercent(totalErrors(c), records)},
                        {"cleaned", c.cleanedCount}});
    }
    const DataErrorTotals t = dataErrorTotals(cells);
    return {{"records", records},
            {"rows", std::move(rows)},
            {"total",
             {{"missing", t.missing},
              {"outOfRange", t.outOfRange},
              {"likelyError", t.likelyError},
              {"total", t.total},
              {"cleaned", t.cleaned}}}};
}

Json summaryMessagesJson(const RunContext& ctx, RecordKind kind) {
    Json messages = Json::array();
    if (ctx.recordCount(kind) == 0) return messages;
    for (const SummaryMessage& m : summaryMessages(ctx, kind))
        messages.push_back({{"element", std::string(m.element)}, {"text", m.text}});
    return messages;
}

namespace {

// The marker of a message list as it stands in a dumped document, quotes
// included.
std::string listMarker(std::size_t place) {
    std::string marker("\"\\u0001messages ");
    marker.append(std::to_string(place)).append("\"");
    return marker;
}

}  // namespace

Json messageListJson(const MessageList& list, std::size_t place) {
    std::string marker("\x01messages ");
    marker.append(std::to_string(place));
    return {{"messages", marker}, {"memoryFailed", list.memoryFailed}};
}

void writeWithMessageLists(Writer& out, std::string_view text, std::span<const MessageList* const> lists) {
    for (std::size_t place = 0; place < lists.size(); ++place) {
        const std::string marker = listMarker(place);
        const std::size_t at = text.find(marker);
        if (at == std::string_view::npos) continue;
        out.put(text.substr(0, at));
        const MessageList& list = *lists[place];
        if (list.count() == 0) {
            out.put("[]");
        } else {
            const std::size_t lineStart = text.rfind('\n', at) + 1;
            const std::size_t indent = text.find_first_not_of(' ', lineStart) - lineStart;
            out.put('[');
            for (std::size_t i = 0; i < list.count(); ++i) {
                out.put(i == 0 ? "\n" : ",\n");
                out.repeat(' ', static_cast<int>(indent + 2));
                out.put(
                    Json(std::string(list[i]) + ".").dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
            }
            out.put('\n');
            out.repeat(' ', static_cast<int>(indent));
            out.put(']');
        }
        text.remove_prefix(at + marker.size());
    }
    out.put(text);
}

}  // namespace vortel

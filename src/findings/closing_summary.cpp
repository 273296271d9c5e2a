#include "findings/closing_summary.h"

#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "core/console.h"
#include "core/number_text.h"
#include "core/run_context.h"

namespace vortel {

namespace {

// Actions of the fix-first list shown.
constexpr std::size_t kShownActions = 3;

std::string_view kindWords(RecordKind kind) { return kind == RecordKind::Adoption ? "adoption" : "foster care"; }

// "the findings file" as a heading: "Findings file".
std::string heading(std::string_view what) {
    if (what.starts_with("the ")) what.remove_prefix(4);
    std::string out(what);
    if (!out.empty()) out[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(out[0])));
    return out;
}

}  // namespace

std::string closingSummary(const RunContext& ctx, const FindingsExport& findings, const FindingsOptions& options) {
    constexpr RecordKind kA = RecordKind::Adoption;
    constexpr RecordKind kF = RecordKind::FosterCare;
    const long adoption = ctx.recordCount(kA);
    const long fosterCare = ctx.recordCount(kF);
    const long records = adoption + fosterCare;
    const long withFindings = findings.counts(kA).recordsWithFindings + findings.counts(kF).recordsWithFindings;

    std::string out = "\n";
    if (records == 0) {
        out += "No detail record was checked.\n";
    } else {
        out += groupedNumber(records) + (records == 1 ? " detail record" : " detail records") + " checked (" +
               groupedNumber(adoption) + " adoption, " + groupedNumber(fosterCare) + " foster care); " +
               groupedNumber(withFindings) + (withFindings == 1 ? " has" : " have") + " findings (" +
               shareText(withFindings, records) + ").\n";
    }
    const std::vector<FixAction> actions = findings.fixFirst().actions(ctx, true, kShownActions);
    if (!actions.empty()) out += "Fix first:\n";
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const FixAction& a = actions[i];
        out += "  " + std::to_string(i + 1) + ". " + a.text + ": " + groupedNumber(a.records) + " " +
               std::string(kindWords(a.kind)) + (a.records == 1 ? " record" : " records") + " (" +
               shareText(a.records, a.kindRecords) + ").\n";
    }
    for (const std::string& warning : findings.otherStates().warnings(ctx.facts.stateCode, adoption, fosterCare))
        out += visibleText(warning) + "\n";

    std::vector<std::pair<std::string, const std::string*>> placed = {
        {"Foster care report", &ctx.fosterCareReportName},
        {"Adoption report", &ctx.adoptionReportName},
    };
    for (const OutputRow& row : outputTable())
        if (const std::optional<std::string>& name = options.*row.file) placed.emplace_back(heading(row.what), &*name);
    std::size_t width = 0;
    for (const auto& [what, name] : placed) width = std::max(width, what.size());
    for (const auto& [what, name] : placed)
        out += what + ": " + std::string(width - what.size(), ' ') + visibleText(*name) + "\n";
    return out;
}

}  // namespace vortel

#include "findings/fix_first.h"

#include <algorithm>

#include "catalogue/catalogue.h"
#include "core/run_context.h"
#include "reports/summary_report.h"

namespace vortel {

namespace {

constexpr RecordKind kKinds[] = {RecordKind::Adoption, RecordKind::FosterCare};

std::size_t indexOf(RecordKind kind) { return kind == RecordKind::Adoption ? 0 : 1; }
std::string_view kindWords(RecordKind kind) { return kind == RecordKind::Adoption ? "adoption" : "foster care"; }

// The local agency code's cell (element 3 of a foster care record).
constexpr int kCountyCell = 3;

bool isDeleted(char state) { return state == kOutOfRange || isUpperState(state); }

// A summary message as one line: its runs of white space made one blank,
// without the "Element 07f:" it begins with.
std::string messageBody(std::string_view text) {
    if (const std::size_t colon = text.find(':'); colon != std::string_view::npos) text.remove_prefix(colon + 1);
    std::string out;
    for (const char c : text) {
        const bool space = c == ' ' || c == '\t' || c == '\n';
        if (space) {
            if (!out.empty() && out.back() != ' ') out.push_back(' ');
        } else {
            out.push_back(c);
        }
    }
    while (!out.empty() && (out.back() == ' ' || out.back() == '.')) out.pop_back();
    return out;
}

std::span<const SummaryTally> slotsOf(const RunContext& ctx, RecordKind kind) {
    if (kind == RecordKind::Adoption) return ctx.tallies.adoption.slots;
    return ctx.tallies.fosterCare.slots;
}

}  // namespace

std::string FixAction::key() const {
    switch (what) {
        case FixKind::Length:
            return "length";
        case FixKind::Deleted:
            return "deleted";
        case FixKind::Threshold:
            return "threshold";
        case FixKind::County:
            return "county";
        case FixKind::Element:
            break;
    }
    return "element-" + element;
}

void FixFirstTally::add(RecordKind kind, std::span<const Finding> findings) {
    if (findings.empty()) return;
    KindCounts& k = kinds_[indexOf(kind)];
    if (std::any_of(findings.begin(), findings.end(), isLengthFinding)) {
        ++k.length;
        return;
    }
    bool deleted = false;
    for (const Finding& f : findings) {
        // One finding per cell and record: its count is the records'.
        ++k.cells[static_cast<std::size_t>(f.cell)];
        deleted = deleted || isDeleted(f.state);
        if (kind == RecordKind::FosterCare && f.cell == kCountyCell && f.state == kOutOfRange) ++k.county;
    }
    if (deleted) ++k.deleted;
}

std::vector<FixAction> FixFirstTally::actions(const RunContext& ctx, bool complete, std::size_t most) const {
    std::vector<FixAction> out;
    for (const RecordKind kind : kKinds) {
        const KindCounts& k = kinds_[indexOf(kind)];
        const long records = ctx.recordCount(kind);
        const std::string words(kindWords(kind));
        const auto add = [&](FixKind what, long concerned, std::string element, std::string text,
                             std::size_t message = 0) {
            if (concerned > 0)
                out.push_back({what, kind, concerned, records, std::move(element), std::move(text), message});
        };
        add(FixKind::Length, k.length, "record",
            "Mend the " + words + " lines of the wrong length (a record has " + std::to_string(recordLength(kind)) +
                " columns)");
        add(FixKind::Deleted, k.deleted, "",
            "Correct the " + words + " values that will be deleted (out of range, or an upper-case letter)");
        if (complete && records != 0) {
            const std::span<const SummaryTally> slots = slotsOf(ctx, kind);
            const std::vector<SummaryMessage> messages = summaryMessages(ctx, kind);
            for (std::size_t i = 0; i < messages.size(); ++i) {
                const SummaryMessage& m = messages[i];
                if (m.row->rule != MessageRule::OverThreshold) continue;
                add(FixKind::Threshold, slots[m.row->slot].matchCount, std::string(m.element),
                    "Review " + words + " element " + std::string(m.element) + ": " + messageBody(m.text), i);
            }
        }
        if (kind == RecordKind::FosterCare)
            add(FixKind::County, k.county, "03", "Correct the county codes (element 3) not in the State's list");

        // The elements with the most records with a finding.
        std::vector<const FindingCell*> cells;
        for (const FindingCell& c : findingCells(kind)) {
            const long n = k.cells[static_cast<std::size_t>(c.cell)];
            // The county action says what element 3's finding would.
            if (n == 0 || (kind == RecordKind::FosterCare && c.cell == kCountyCell && k.county == n)) continue;
            cells.push_back(&c);
        }
        std::stable_sort(cells.begin(), cells.end(), [&](const FindingCell* a, const FindingCell* b) {
            return k.cells[static_cast<std::size_t>(a->cell)] > k.cells[static_cast<std::size_t>(b->cell)];
        });
        if (cells.size() > kElementCandidates) cells.resize(kElementCandidates);
        for (const FindingCell* c : cells) {
            add(FixKind::Element, k.cells[static_cast<std::size_t>(c->cell)], std::string(c->label()),
                "Correct " + words + " element " + std::string(c->label()) + ", " +
                    std::string(entryAtCell(kind, c->cell)->name));
        }
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const FixAction& a, const FixAction& b) { return a.records > b.records; });
    if (out.size() > most) out.resize(most);
    return out;
}

}  // namespace vortel

#include "findings/comparison.h"

#include <algorithm>
#include <bit>
#include <compare>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <nlohmann/json.hpp>

#include "core/console.h"
#include "core/platform.h"
#include "core/writer.h"
#include "findings/finding_cells.h"
#include "findings/findings_text.h"
#include "findings/line_length.h"
#include "findings/mostly_in_order.h"
#include "reports/output_kinds.h"

namespace vortel {

namespace {

using Json = nlohmann::ordered_json;

// Byte order (any order would do; this one is quick to sort and search in):
// the 12 bytes read as a 64-bit and a 32-bit number with the first byte
// highest.
struct NumberOrder {
    std::uint64_t high;
    std::uint32_t low;
    explicit NumberOrder(const RecordNumber& n) {
        std::memcpy(&high, n.data(), sizeof high);
        std::memcpy(&low, n.data() + sizeof high, sizeof low);
        high = platform::fromBigEndian64(high);
        low = platform::fromBigEndian32(low);
    }
    auto operator<=>(const NumberOrder&) const = default;
};
static_assert(sizeof(RecordNumber) == sizeof(std::uint64_t) + sizeof(std::uint32_t));

// As objects whose bodies the sorts see, so that they are called inline.
constexpr auto byNumber = [](const RecordNumber& a, const RecordNumber& b) { return NumberOrder(a) < NumberOrder(b); };
constexpr auto byKey = [](const FindingKey& a, const FindingKey& b) {
    const auto order = NumberOrder(a.recordNumber) <=> NumberOrder(b.recordNumber);
    return order < 0 || (order == 0 && a.cell < b.cell);
};

// Counts how often record numbers occur in a sorted list (0, 1 or 2 for
// more), asked in ascending order, so that the list is walked once.
class Occurrences {
public:
    explicit Occurrences(const std::vector<RecordNumber>& sorted) : at_(sorted.begin()), end_(sorted.end()) {}
    long of(const RecordNumber& number) {
        while (at_ != end_ && byNumber(*at_, number)) ++at_;
        long count = 0;
        for (auto i = at_; i != end_ && count < 2 && *i == number; ++i) ++count;
        return count;
    }

private:
    std::vector<RecordNumber>::const_iterator at_, end_;
};

// Record numbers that occur once in `sorted`, are not blank and do not
// occur in `other` at all.
long onlyIn(const std::vector<RecordNumber>& sorted, const std::vector<RecordNumber>& other) {
    Occurrences inOther(other);
    long count = 0;
    for (auto at = sorted.begin(); at != sorted.end();) {
        auto next = at + 1;
        while (next != sorted.end() && *next == *at) ++next;
        if (next - at == 1 && !isBlankRecordNumber(*at) && inOther.of(*at) == 0) ++count;
        at = next;
    }
    return count;
}

// Sorts a run's lists of one kind.
void sortKind(RunFindings::Kind& run) {
    sortMostlyInOrder(run.records, byNumber);
    // A record's findings come in the order of the data errors table rather
    // than of their cells: the list is mostly in order by record number
    // alone, and then each record's few findings are put in order.
    std::vector<FindingKey>& findings = run.findings;
    if (std::is_sorted(findings.begin(), findings.end(), byKey)) return;
    sortMostlyInOrder(
        findings, [](const FindingKey& a, const FindingKey& b) { return byNumber(a.recordNumber, b.recordNumber); });
    for (auto at = findings.begin(); at != findings.end();) {
        auto next = at + 1;
        while (next != findings.end() && next->recordNumber == at->recordNumber) ++next;
        std::sort(at, next, byKey);
        at = next;
    }
}

KindComparison compareKind(RecordKind kind, RunFindings::Kind& before, RunFindings::Kind& after) {
    for (RunFindings::Kind* run : {&before, &after}) sortKind(*run);
    KindComparison k;
    k.recordsBefore = static_cast<long>(before.records.size());
    k.recordsAfter = static_cast<long>(after.records.size());
    k.recordsRemoved = onlyIn(before.records, after.records);
    k.recordsAdded = onlyIn(after.records, before.records);

    const std::vector<FindingKey>& was = before.findings;
    const std::vector<FindingKey>& is = after.findings;
    Occurrences recordsBefore(before.records), recordsAfter(after.records);
    std::size_t i = 0, j = 0;
    while (i < was.size() || j < is.size()) {
        const FindingKey key = j == is.size() || (i < was.size() && byKey(was[i], is[j])) ? was[i] : is[j];
        long inBefore = 0, inAfter = 0;
        for (; i < was.size() && was[i] == key; ++i) ++inBefore;
        for (; j < is.size() && is[j] == key; ++j) ++inAfter;
        const RecordNumber& number = key.recordNumber;
        const long recordBefore = recordsBefore.of(number);
        const long recordAfter = recordsAfter.of(number);
        if (isBlankRecordNumber(number) || recordBefore > 1 || recordAfter > 1) {
            k.unmatched += inBefore + inAfter;
        } else if (inBefore != 0 && inAfter != 0) {
            k.stillOpen += inBefore;
        } else if (inBefore != 0) {
            (recordAfter != 0 ? k.fixed : k.findingsOfRemovedRecords) += inBefore;
            if (recordAfter != 0) k.fixedFindings.push_back(was[i - 1]);
        } else {
            (recordBefore != 0 ? k.newFindings : k.findingsOfAddedRecords) += inAfter;
        }
    }

    std::array<long, 256> cellBefore{}, cellAfter{};
    for (const FindingKey& f : was) ++cellBefore[f.cell % 256];
    for (const FindingKey& f : is) ++cellAfter[f.cell % 256];
    // The findings of a line's length first, then the elements.
    if (cellBefore[kRecordCell] != 0 || cellAfter[kRecordCell] != 0)
        k.byElement.push_back({kRecordElement, cellBefore[kRecordCell], cellAfter[kRecordCell]});
    for (const FindingCell& c : findingCells(kind)) {
        const auto cell = static_cast<std::size_t>(c.cell);
        if (cellBefore[cell] != 0 || cellAfter[cell] != 0)
            k.byElement.push_back({c.label(), cellBefore[cell], cellAfter[cell]});
    }
    return k;
}

std::string_view cellLabelOf(RecordKind kind, std::uint16_t cell) {
    if (cell == kRecordCell) return kRecordElement;
    for (const FindingCell& c : findingCells(kind))
        if (c.cell == cell) return c.label();
    return "?";
}

constexpr std::string_view kFixedMarker =
    "\x01"
    "fixed ";

// The fixed findings of a kind as the items of a JSON array, one to a line at
// `indent` blanks.
void writeFixedFindings(Writer& out, RecordKind kind, const KindComparison& k, std::size_t indent) {
    if (k.fixedFindings.empty()) {
        out.put("[]");
        return;
    }
    out.put('[');
    bool first = true;
    for (const FindingKey& f : k.fixedFindings) {
        out.put(first ? "\n" : ",\n");
        first = false;
        out.repeat(' ', static_cast<int>(indent + 2));
        const Json item = {
            {"recordNumber", latin1ToUtf8(std::string_view(f.recordNumber.data(), f.recordNumber.size()))},
            {"element", std::string(cellLabelOf(kind, f.cell))},
            {"value", latin1ToUtf8(f.value.text())}};
        out.put(item.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
    }
    out.put('\n');
    out.repeat(' ', static_cast<int>(indent));
    out.put(']');
}

Json shareJson(long count, long records) {
    const std::optional<double> share = sharePercent(count, records);
    return share ? Json(*share) : Json(nullptr);
}

Json kindJson(RecordKind kind, const KindComparison& k) {
    Json byElement = Json::array();
    for (const ElementShare& e : k.byElement) {
        byElement.push_back({{"element", std::string(e.element)},
                             {"before", shareJson(e.before, k.recordsBefore)},
                             {"after", shareJson(e.after, k.recordsAfter)}});
    }
    // The fixed findings can be many: they are written one at a time in the
    // marker's place (see writeWithFixedFindings).
    std::string fixed(kFixedMarker);
    fixed.append(std::to_string(kindIndex(kind)));
    return {{"unmatched", k.unmatched},
            {"stillOpen", k.stillOpen},
            {"fixed", k.fixed},
            {"findingsOfRemovedRecords", k.findingsOfRemovedRecords},
            {"new", k.newFindings},
            {"findingsOfAddedRecords", k.findingsOfAddedRecords},
            {"recordsRemoved", k.recordsRemoved},
            {"recordsAdded", k.recordsAdded},
            {"byElement", std::move(byElement)},
            {"fixedFindings", std::move(fixed)}};
}

}  // namespace

RecordNumber toRecordNumber(std::string_view columns) {
    RecordNumber number;
    number.fill(' ');
    std::copy_n(columns.begin(), std::min(columns.size(), number.size()), number.begin());
    return number;
}

bool isBlankRecordNumber(const RecordNumber& number) {
    return std::all_of(number.begin(), number.end(), [](char c) { return c == ' ' || c == '\r' || c == '\n'; });
}

std::optional<Contradiction> findContradiction(RunFindings& run) {
    for (const RecordKind kind : kAllRecordKinds) {
        RunFindings::Kind& k = run.of(kind);
        sortKind(k);
        Occurrences listed(k.records);
        for (auto at = k.findings.begin(); at != k.findings.end(); ++at) {
            const long count = listed.of(at->recordNumber);
            if (count == 0) return Contradiction{kind, *at, false};
            if (count == 1 && at != k.findings.begin() && *(at - 1) == *at) return Contradiction{kind, *at, true};
        }
    }
    return std::nullopt;
}

Comparison compareRuns(RunFindings& previous, RunFindings& current, std::string previousFile) {
    Comparison c;
    c.previousFile = std::move(previousFile);
    for (const RecordKind kind : kAllRecordKinds) c.of(kind) = compareKind(kind, previous.of(kind), current.of(kind));
    return c;
}

std::string_view changeName(Change change) {
    static constexpr std::string_view kNames[] = {"", "new", "stillOpen", "ofAddedRecord", "unmatched"};
    return kNames[static_cast<std::size_t>(change)];
}

int ChangeMarks::occurrences(const std::vector<RecordNumber>& sorted, std::size_t& hint, const RecordNumber& number) {
    std::size_t at = lowerBoundNear(sorted, hint, number, byNumber);
    int count = 0;
    for (; at < sorted.size() && count < 2 && sorted[at] == number; ++at) ++count;
    return count;
}

Change ChangeMarks::before(RecordKind kind, const RecordNumber& number, std::uint16_t cell) const {
    const RunFindings::Kind& earlier = previous_.of(kind);
    Hints& hints = hints_[kind];
    const int inBefore = occurrences(earlier.records, hints.recordsBefore, number);
    if (isBlankRecordNumber(number) || inBefore > 1) return Change::Unmatched;
    const FindingKey key{number, cell, {}};
    const std::size_t at = lowerBoundNear(earlier.findings, hints.findingsBefore, key, byKey);
    if (at < earlier.findings.size() && earlier.findings[at] == key) return Change::StillOpen;
    return inBefore != 0 ? Change::New : Change::OfAddedRecord;
}

bool ChangeMarks::repeatedInThisRun(RecordKind kind, const RecordNumber& number) const {
    return occurrences(current_.of(kind).records, hints_[kind].recordsAfter, number) > 1;
}

Change ChangeMarks::of(RecordKind kind, const RecordNumber& number, std::uint16_t cell) const {
    const Change change = before(kind, number, cell);
    return change != Change::Unmatched && repeatedInThisRun(kind, number) ? Change::Unmatched : change;
}

std::optional<double> sharePercent(long count, long records) {
    if (records <= 0) return std::nullopt;
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", 100.0 * static_cast<double>(count) / static_cast<double>(records));
    return std::strtod(text, nullptr);
}

Json comparisonJson(const Comparison& comparison) {
    Json j = {{"previousFile", comparison.previousFile}};
    for (const RecordKind kind : kAllRecordKinds)
        j[std::string(outputRow(kind).jsonKey)] = kindJson(kind, comparison.of(kind));
    return j;
}

void writeWithFixedFindings(Writer& out, std::string_view text, const Comparison* comparison,
                            const std::function<void(std::string_view)>& writeRest) {
    for (const RecordKind kind : {RecordKind::Adoption, RecordKind::FosterCare}) {
        if (!comparison) break;
        // The marker as the document dumps it, quotes included.
        const std::string marker = std::string("\"\\u0001fixed ") + std::to_string(kindIndex(kind)) + "\"";
        const std::size_t at = text.find(marker);
        if (at == std::string_view::npos) continue;
        writeRest(text.substr(0, at));
        const std::size_t lineStart = text.rfind('\n', at) + 1;
        const std::size_t indent = text.find_first_not_of(' ', lineStart) - lineStart;
        writeFixedFindings(out, kind, comparison->of(kind), indent);
        text.remove_prefix(at + marker.size());
    }
    writeRest(text);
}

std::string comparisonLines(const Comparison& comparison) {
    std::string lines("\n");
    for (const RecordKind kind : kAllRecordKinds) {
        const KindComparison& k = comparison.of(kind);
        char counts[512];
        std::snprintf(counts, sizeof counts,
                      ": still open %ld, fixed %ld, of removed records %ld, new %ld, of added records %ld, "
                      "unmatched %ld; records removed %ld, added %ld\n",
                      k.stillOpen, k.fixed, k.findingsOfRemovedRecords, k.newFindings, k.findingsOfAddedRecords,
                      k.unmatched, k.recordsRemoved, k.recordsAdded);
        lines.append(outputRow(kind).reportName)
            .append(" compared with ")
            .append(visibleText(comparison.previousFile))
            .append(counts);
    }
    return lines;
}

}  // namespace vortel

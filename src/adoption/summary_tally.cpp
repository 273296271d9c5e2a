#include "adoption/summary_tally.h"

#include <cstring>

#include "fields/fields.h"
#include "run/element_table.h"

namespace vortel {

namespace {

std::size_t width(Columns c) { return static_cast<std::size_t>(c.last - c.first + 1); }

std::string_view fieldOf(std::string_view record, Columns c) { return field(record, c.first, c.last); }

// The reference as a field of n characters (a fixed reference is exactly
// as long as the slot's field).
std::string_view referenceOf(const SummaryTally& t, std::size_t n) { return {t.reference, n}; }

// Date comparison of two fields of n characters (4, 6 or 8): the year is
// characters 1-4, the month 5-6 when n > 4, the day 7-8 when n is 8, each
// read as a number. Parts not read count as equal.
bool datesUnlike(std::string_view a, std::string_view b) {
    if (fieldValue(a.substr(0, 4)) != fieldValue(b.substr(0, 4))) return true;
    if (a.size() > 4 && fieldValue(a.substr(4, 2)) != fieldValue(b.substr(4, 2))) return true;
    if (a.size() == 8 && fieldValue(a.substr(6, 2)) != fieldValue(b.substr(6, 2))) return true;
    return false;
}

// Takes the reference from the first counted record of a slot that has no
// fixed reference.
void takeReference(SummaryTally& t, std::string_view f) {
    if (t.reference[0] != '\0') return;
    std::memcpy(t.reference, f.data(), f.size());
    t.reference[f.size()] = '\0';
}

// The "same" kinds: the first unlike value freezes the slot. `unlike` is
// only called with the reference in place.
template <typename Unlike>
void tallySame(SummaryTally& t, char state, std::string_view f, Unlike unlike) {
    if (t.differs || state != kValid) return;
    takeReference(t, f);
    if (unlike(f, referenceOf(t, f.size()))) t.differs = true;
    ++t.validCount;
}

bool counted(const TallyRow& row, char state) {
    return state == kValid || (row.countsPendingBlank && state == kPendingBlank);
}

void tallyMultiRacial(SummaryTally& t, const TallyRow& row, const ElementTable& cells, std::string_view record) {
    bool anyValid = false;
    for (int k = 0; k < 6; ++k) anyValid = anyValid || cells.state(row.cell + k) == kValid;
    if (!anyValid) return;
    int k5 = 0;
    for (int k = 0; k < 5; ++k) k5 += column(record, row.cols.first + k) == '1';
    const int k6 = k5 + (column(record, row.cols.first + 5) == '1');
    if (k5 >= 2) {
        ++t.matchCount;
        t.differs = true;
    }
    if (k6 > 0) ++t.validCount;
}

}  // namespace

void initTallySlots(std::span<SummaryTally> slots, std::span<const TallyRow> rows) {
    for (SummaryTally& t : slots) t = SummaryTally{};
    for (const TallyRow& row : rows) {
        SummaryTally& t = slots[row.slot];
        if (row.reference) {
            std::strncpy(t.reference, row.reference, sizeof t.reference - 1);
            t.reference[sizeof t.reference - 1] = '\0';
        }
        t.threshold = row.threshold;
    }
}

void tallyRecordSlots(std::span<SummaryTally> slots, std::span<const TallyRow> rows, const ElementTable& cells,
                      std::string_view record) {
    for (const TallyRow& row : rows) {
        SummaryTally& t = slots[row.slot];
        switch (row.gate) {
            case TallyGate::Always:
                break;
            case TallyGate::ColumnNotZero:
                if (column(record, row.gateColumn) == '0') continue;
                break;
            case TallyGate::MatchAtMostOne:
                if (t.matchCount > 1) continue;
                break;
        }
        const char state = cells.state(row.cell);
        switch (row.kind) {
            case TallyKind::SameCode:
                if (t.differs || state != kValid) break;
                if (t.reference[0] == '\0') takeReference(t, fieldOf(record, row.cols));
                if (column(record, row.cols.first) != t.reference[0]) t.differs = true;
                ++t.validCount;
                break;
            case TallyKind::SameText:
                tallySame(t, state, fieldOf(record, row.cols),
                          [](std::string_view f, std::string_view ref) { return f != ref; });
                break;
            case TallyKind::SameDate:
                tallySame(t, state, fieldOf(record, row.cols), datesUnlike);
                break;
            case TallyKind::SameNumber:
                tallySame(t, state, fieldOf(record, row.cols),
                          [](std::string_view f, std::string_view ref) { return fieldValue(f) != fieldValue(ref); });
                break;
            case TallyKind::Above:
                tallySame(t, state, fieldOf(record, row.cols),
                          [](std::string_view f, std::string_view ref) { return fieldValue(f) <= fieldValue(ref); });
                break;
            case TallyKind::SamePair:
                if (t.differs || state != kValid || cells.state(row.pairCell) != kValid) break;
                if (datesUnlike(fieldOf(record, row.cols), fieldOf(record, row.pairCols))) t.differs = true;
                ++t.validCount;
                break;
            case TallyKind::CodeShare:
                if (state != kValid) break;
                ++t.validCount;
                if (column(record, row.cols.first) == t.reference[0]) ++t.matchCount;
                break;
            case TallyKind::BlankCount:
                if (!counted(row, state)) break;
                ++t.validCount;
                if (fieldOf(record, row.cols) == referenceOf(t, width(row.cols))) ++t.matchCount;
                break;
            case TallyKind::BlankShare:
                if (!counted(row, state)) break;
                ++t.validCount;
                if (!datesUnlike(fieldOf(record, row.cols), referenceOf(t, width(row.cols)))) ++t.matchCount;
                break;
            case TallyKind::MultiRacial:
                tallyMultiRacial(t, row, cells, record);
                break;
        }
    }
}

// A slot with a threshold keeps `differs` clear only when its share of the
// records counted so far is strictly greater than the threshold. The verdict
// is taken afresh from the run's totals at the end of every section, so that
// a file with two sections of one kind is judged on its totals and not on the
// first section alone (the per-record update never touches `differs` of a
// slot with a threshold).
void finishTallySlots(std::span<SummaryTally> slots) {
    for (SummaryTally& t : slots) {
        if (t.threshold == 100.0f) continue;
        t.differs = t.matchCount == 0 || t.validCount == 0 || t.threshold >= tallyShare(t);
    }
}

double tallyShare(const SummaryTally& slot) {
    if (slot.validCount == 0) return 0.0;
    return static_cast<double>(slot.matchCount) * 100.0 / static_cast<double>(slot.validCount);
}

}  // namespace vortel

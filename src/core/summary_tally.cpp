#include "core/summary_tally.h"

#include <algorithm>
#include <cstring>

#include "core/element_table.h"
#include "core/record_fields.h"

namespace vortel {

namespace {

std::size_t width(Columns c) { return std::size_t{c.last} - c.first + 1; }

// Columns of a record that is at least as long as its padded length, so no
// bounds are checked on the way (this runs for every slot of every record).
std::string_view fieldOf(std::string_view record, Columns c) { return {record.data() + (c.first - 1), width(c)}; }

// The reference as a field of n characters (a fixed reference is exactly
// as long as the slot's field).
std::string_view referenceOf(const SummaryTally& t, std::size_t n) { return {t.reference, n}; }

template <typename Word>
Word load(const char* p) {
    Word w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Equality of two fields of one width (at most 12 characters, the widths
// of the tally tables), compared a machine word at a time.
bool sameBytes(std::string_view a, std::string_view b) {
    const char* p = a.data();
    const char* q = b.data();
    switch (a.size()) {
        case 1:
            return *p == *q;
        case 2:
            return load<std::uint16_t>(p) == load<std::uint16_t>(q);
        case 4:
            return load<std::uint32_t>(p) == load<std::uint32_t>(q);
        case 5:
            return load<std::uint32_t>(p) == load<std::uint32_t>(q) && p[4] == q[4];
        case 6:
            return load<std::uint32_t>(p) == load<std::uint32_t>(q) &&
                   load<std::uint16_t>(p + 4) == load<std::uint16_t>(q + 4);
        case 8:
            return load<std::uint64_t>(p) == load<std::uint64_t>(q);
        case 12:
            return load<std::uint64_t>(p) == load<std::uint64_t>(q) &&
                   load<std::uint32_t>(p + 8) == load<std::uint32_t>(q + 8);
        default:
            return std::memcmp(p, q, a.size()) == 0;
    }
}

std::int64_t numberAt(std::string_view f, std::size_t from, std::size_t n) { return fieldValue({f.data() + from, n}); }

// Date comparison of two fields of n characters (4, 6 or 8): the year is
// characters 1-4, the month 5-6 when n > 4, the day 7-8 when n is 8, each
// read as a number. Parts not read count as equal. Equal characters read
// as equal numbers, which spares the reading in the common case.
bool datesUnlike(std::string_view a, std::string_view b) {
    if (sameBytes(a, b)) return false;
    if (numberAt(a, 0, 4) != numberAt(b, 0, 4)) return true;
    if (a.size() > 4 && numberAt(a, 4, 2) != numberAt(b, 4, 2)) return true;
    if (a.size() == 8 && numberAt(a, 6, 2) != numberAt(b, 6, 2)) return true;
    return false;
}

bool textsUnlike(std::string_view a, std::string_view b) { return !sameBytes(a, b); }

bool numbersUnlike(std::string_view a, std::string_view b) {
    return !sameBytes(a, b) && fieldValue(a) != fieldValue(b);
}

bool notAbove(std::string_view a, std::string_view reference) { return fieldValue(a) <= fieldValue(reference); }

// Takes the reference from the first counted record of a slot that has no
// fixed reference.
void takeReference(SummaryTally& t, std::string_view f) {
    if (t.reference[0] != '\0') return;
    std::memcpy(t.reference, f.data(), f.size());
    t.reference[f.size()] = '\0';
}

// The "same" kinds: the first unlike value freezes the slot. Returns false
// once the slot is frozen.
template <bool (*Unlike)(std::string_view, std::string_view)>
bool tallySame(SummaryTally& t, char state, std::string_view f) {
    if (t.differs) return false;
    if (state != kValid) return true;
    takeReference(t, f);
    if (Unlike(f, referenceOf(t, f.size()))) t.differs = true;
    countUp(t.validCount);
    return !t.differs;
}

bool counted(const TallyRow& row, char state) {
    return state == kValid || (row.countsPendingBlank && state == kPendingBlank);
}

void tallyMultiRacial(SummaryTally& t, const TallyRow& row, const ElementTable& cells, std::string_view record) {
    bool anyValid = false;
    for (int k = 0; k < 6; ++k) anyValid |= cells.state(row.cell + k) == kValid;
    if (!anyValid) return;
    const char* races = record.data() + (row.cols.first - 1);
    int k5 = 0;
    for (int k = 0; k < 5; ++k) k5 += races[k] == '1';
    const int k6 = k5 + (races[5] == '1');
    if (k5 >= 2) {
        countUp(t.matchCount);
        t.differs = true;
    }
    if (k6 > 0) countUp(t.validCount);
}

// One slot, one record. Returns false when the slot can no longer change,
// so that later records need not visit it: a "same" slot once `differs` is
// set (each of them stops at once on `differs`), a blank count once its
// match count passed 1 (it is visited only while the count is at most 1).
bool updateSlot(SummaryTally& t, const TallyRow& row, const ElementTable& cells, std::string_view record) {
    const char state = cells.state(row.cell);
    switch (row.kind) {
        case TallyKind::SameCode: {
            if (t.differs) return false;
            if (state != kValid) return true;
            const char code = record[row.cols.first - 1u];
            if (t.reference[0] == '\0') {
                t.reference[0] = code;
                t.reference[1] = '\0';
            }
            if (code != t.reference[0]) t.differs = true;
            countUp(t.validCount);
            return !t.differs;
        }
        case TallyKind::SameText:
            return tallySame<textsUnlike>(t, state, fieldOf(record, row.cols));
        case TallyKind::SameDate:
            return tallySame<datesUnlike>(t, state, fieldOf(record, row.cols));
        case TallyKind::SameNumber:
            return tallySame<numbersUnlike>(t, state, fieldOf(record, row.cols));
        case TallyKind::Above:
            return tallySame<notAbove>(t, state, fieldOf(record, row.cols));
        case TallyKind::SamePair:
            if (t.differs) return false;
            if (state != kValid || cells.state(row.pairCell) != kValid) return true;
            if (datesUnlike(fieldOf(record, row.cols), fieldOf(record, row.pairCols))) t.differs = true;
            countUp(t.validCount);
            return !t.differs;
        case TallyKind::CodeShare:
            if (state != kValid) return true;
            countUp(t.validCount);
            if (record[row.cols.first - 1u] == t.reference[0]) countUp(t.matchCount);
            return true;
        case TallyKind::BlankCount:
            if (row.gate == TallyGate::MatchAtMostOne && t.matchCount > 1) return false;
            if (!counted(row, state)) return true;
            countUp(t.validCount);
            if (sameBytes(fieldOf(record, row.cols), referenceOf(t, width(row.cols)))) countUp(t.matchCount);
            return row.gate != TallyGate::MatchAtMostOne || t.matchCount <= 1;
        case TallyKind::BlankShare:
            if (!counted(row, state)) return true;
            countUp(t.validCount);
            if (!datesUnlike(fieldOf(record, row.cols), referenceOf(t, width(row.cols)))) countUp(t.matchCount);
            return true;
        case TallyKind::MultiRacial:
            tallyMultiRacial(t, row, cells, record);
            return true;
    }
    return true;
}

}  // namespace

void initTallySlots(std::span<SummaryTally> slots, std::span<const TallyRow> rows, ActiveRows& active) {
    for (SummaryTally& t : slots) t = SummaryTally{};
    active.count = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TallyRow& row = rows[i];
        SummaryTally& t = slots[row.slot];
        if (row.reference) {
            std::strncpy(t.reference, row.reference, sizeof t.reference - 1);
            t.reference[sizeof t.reference - 1] = '\0';
        }
        t.threshold = row.threshold;
        active.index[active.count++] = static_cast<std::uint8_t>(i);
    }
    // Slots are independent of one another, so the order of the visit is
    // free: rows of one kind are taken together, which keeps the dispatch on
    // the kind predictable from one slot to the next.
    std::stable_sort(active.index.begin(), active.index.begin() + static_cast<std::ptrdiff_t>(active.count),
                     [&](std::uint8_t a, std::uint8_t b) { return rows[a].kind < rows[b].kind; });
}

void tallyRecordSlots(std::span<SummaryTally> slots, std::span<const TallyRow> rows, ActiveRows& active,
                      const ElementTable& cells, std::string_view record) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < active.count; ++i) {
        const std::uint8_t index = active.index[i];
        const TallyRow& row = rows[index];
        active.index[kept] = index;
        if (row.gate == TallyGate::ColumnNotZero && record[row.gateColumn - 1u] == '0') {
            ++kept;
            continue;
        }
        if (updateSlot(slots[row.slot], row, cells, record)) ++kept;
    }
    active.count = kept;
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

// The kinds of detail record and what the core knows of each. Every layer
// keeps one row per kind (in kind order, checked at compile time) and its
// per-kind state in arrays indexed by kind, so that code loops over the kinds
// or looks up a kind's row instead of naming a kind: a new kind is new rows.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>

namespace vortel {

// The two kinds of detail record. Every shared operation (reset, tally,
// listing, tables) takes one of them instead of bare cell counts.
enum class RecordKind : std::uint8_t { Adoption, FosterCare };

constexpr std::size_t kRecordKinds = 2;
// Every kind, in the order the outputs give them.
constexpr std::array<RecordKind, kRecordKinds> kAllRecordKinds = {RecordKind::Adoption, RecordKind::FosterCare};

constexpr std::size_t kindIndex(RecordKind kind) { return static_cast<std::size_t>(kind); }

// One value per kind, indexed by the kind.
template <typename T>
struct PerKind {
    std::array<T, kRecordKinds> items{};

    constexpr T& operator[](RecordKind kind) { return items[kindIndex(kind)]; }
    constexpr const T& operator[](RecordKind kind) const { return items[kindIndex(kind)]; }
    constexpr auto begin() { return items.begin(); }
    constexpr auto end() { return items.end(); }
    constexpr auto begin() const { return items.begin(); }
    constexpr auto end() const { return items.end(); }
};

// One T made from each kind, T(kind), in kind order.
template <typename T>
constexpr PerKind<T> perKindOf() {
    return [&]<std::size_t... I>(std::index_sequence<I...>) { return PerKind<T>{{T(kAllRecordKinds[I])...}}; }
    (std::make_index_sequence<kRecordKinds>{});
}

// A value per kind, given in kind order: exactly one for each kind.
template <typename T, typename... Values>
requires(sizeof...(Values) == kRecordKinds) constexpr PerKind<T> byKind(const Values&... values) {
    return PerKind<T>{{T(values)...}};
}

// True when row i of a layer's rows is the row of kind i.
template <typename Row>
constexpr bool rowsInKindOrder(const std::array<Row, kRecordKinds>& rows) {
    for (std::size_t i = 0; i < kRecordKinds; ++i)
        if (kindIndex(rows[i].kind) != i) return false;
    return true;
}

// The run's message lists, kept in one array in this order.
enum class MessageListId : std::uint8_t { AdoptionAggregate, AdoptionFootnotes, FosterCareFootnotes };
constexpr std::size_t kMessageLists = 3;
constexpr std::size_t listIndex(MessageListId id) { return static_cast<std::size_t>(id); }

// What the core knows of a kind.
struct KindRow {
    RecordKind kind;
    char marker;       // first character of the line that opens the kind's section
    int cells;         // element table cells: the elements, then the race categories
    int recordLength;  // columns of a detail record
    int tallySlots;    // slots of the summary tallies
    // The kind's message lists in the order its report lists them, and the
    // one its footnote records go to.
    std::span<const MessageListId> messageLists;
    MessageListId footnotes;
};

inline constexpr MessageListId kAdoptionLists[] = {MessageListId::AdoptionAggregate, MessageListId::AdoptionFootnotes};
inline constexpr MessageListId kFosterCareLists[] = {MessageListId::FosterCareFootnotes};

inline constexpr std::array<KindRow, kRecordKinds> kKindRows = {{
    {RecordKind::Adoption, '$', 55, 111, 72, kAdoptionLists, MessageListId::AdoptionFootnotes},
    {RecordKind::FosterCare, '@', 84, 197, 98, kFosterCareLists, MessageListId::FosterCareFootnotes},
}};
static_assert(rowsInKindOrder(kKindRows));

constexpr const KindRow& kindRow(RecordKind kind) { return kKindRows[kindIndex(kind)]; }

// The most cells and tally slots of any kind: the size of storage shared by the kinds.
constexpr int kMaxCells = [] {
    int n = 0;
    for (const KindRow& row : kKindRows) n = row.cells > n ? row.cells : n;
    return n;
}();
constexpr int kMaxTallySlots = [] {
    int n = 0;
    for (const KindRow& row : kKindRows) n = row.tallySlots > n ? row.tallySlots : n;
    return n;
}();

}  // namespace vortel

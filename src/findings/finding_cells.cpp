#include "findings/finding_cells.h"

#include <algorithm>
#include <string>

#include "catalogue/catalogue.h"
#include "fields/fields.h"

namespace vortel {

namespace {

// Meanings of the states that are not letters.
struct StateText {
    char state;
    std::string_view meaning;
};
constexpr StateText kStateTexts[] = {
    {kMissing, "missing"},
    {kOutOfRange, "out of range"},
};

// Every entry of the catalogue but the race elements as a whole, in its
// order: the data errors table lists the categories in their place.
constexpr std::size_t listedCount(std::span<const ElementEntry> entries) {
    std::size_t n = 0;
    for (const ElementEntry& e : entries) n += e.part != EntryPart::RaceElement ? 1 : 0;
    return n;
}
template <std::size_t N>
constexpr std::array<FindingCell, N> findingCellsOf(std::span<const ElementEntry> entries) {
    std::array<FindingCell, N> out{};
    std::size_t k = 0;
    for (const ElementEntry& e : entries)
        if (e.part != EntryPart::RaceElement) out[k++] = {e.cell(), e.labelText, e.first(), e.last()};
    return out;
}
constexpr auto kAdoptionFindingCells = findingCellsOf<listedCount(adoption::kElements)>(adoption::kElements);
constexpr auto kFosterCareFindingCells = findingCellsOf<listedCount(fostercare::kElements)>(fostercare::kElements);

// Meaning texts of every state character, built once per record kind.
struct MeaningTable {
    std::array<std::string, 256> text;
};

MeaningTable buildMeanings(RecordKind kind) {
    MeaningTable t;
    for (const StateText& s : kStateTexts) t.text[static_cast<unsigned char>(s.state)] = s.meaning;
    for (const GroupEntry& g : groupEntries(kind)) {
        const std::string group = ", group " + std::to_string(g.number);
        t.text[static_cast<unsigned char>(g.letter)] = "likely error" + group;
        t.text[static_cast<unsigned char>(g.upperLetter())] = "will be deleted" + group;
    }
    // Letters no group of this kind uses still read as what they are.
    for (char c = 'a'; c <= 'z'; ++c) {
        std::string& lower = t.text[static_cast<unsigned char>(c)];
        std::string& upper = t.text[static_cast<unsigned char>(c - 'a' + 'A')];
        if (lower.empty()) lower = "likely error";
        if (upper.empty()) upper = "will be deleted";
    }
    return t;
}

// By kind (a plain array: the texts are too many for a constant evaluator
// to be asked about them).
std::array<MeaningTable, kRecordKinds> buildAllMeanings() {
    std::array<MeaningTable, kRecordKinds> all;
    for (const RecordKind kind : kAllRecordKinds) all[kindIndex(kind)] = buildMeanings(kind);
    return all;
}

}  // namespace

std::span<const FindingCell> findingCells(RecordKind kind) {
    static constexpr PerKind<std::span<const FindingCell>> kCells = byKind<std::span<const FindingCell>>(
        std::span<const FindingCell>(kAdoptionFindingCells), std::span<const FindingCell>(kFosterCareFindingCells));
    return kCells[kind];
}

ColumnRange recordNumberColumns(RecordKind kind) {
    const ElementEntry& e = recordNumberEntry(kind);
    return {e.first(), e.last()};
}

std::string_view stateMeaning(RecordKind kind, char state) {
    static const std::array<MeaningTable, kRecordKinds> meanings = buildAllMeanings();
    return meanings[kindIndex(kind)].text[static_cast<unsigned char>(state)];
}

void collectFindings(RecordKind kind, const ElementTable& cells, std::string_view record, std::vector<Finding>& out) {
    out.clear();
    // Most records have no finding, and one that has changed few cells: the
    // cells changed are looked at, in the order of the data errors table.
    static const PerKind<std::array<std::int16_t, kMaxCells + 1>> kPlaces = [] {
        PerKind<std::array<std::int16_t, kMaxCells + 1>> places{};
        for (const RecordKind k : kAllRecordKinds) {
            const std::span<const FindingCell> listed = findingCells(k);
            places[k].fill(-1);
            for (std::size_t i = 0; i < listed.size(); ++i)
                places[k][static_cast<std::size_t>(listed[i].cell)] = static_cast<std::int16_t>(i);
        }
        return places;
    }();
    std::array<std::int16_t, kMaxCells + 1> found;
    std::size_t count = 0;
    const auto& places = kPlaces[kind];
    cells.forEachTouched([&](int cell) {
        const std::int16_t place = places[static_cast<std::size_t>(cell)];
        if (place >= 0 && isFindingState(cells.state(cell))) found[count++] = place;
    });
    if (count == 0) return;
    std::sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(count));
    const std::span<const FindingCell> listed = findingCells(kind);
    for (std::size_t i = 0; i < count; ++i) {
        const FindingCell& c = listed[static_cast<std::size_t>(found[i])];
        const char state = cells.state(c.cell);
        out.push_back({c.label(),
                       state,
                       stateMeaning(kind, state),
                       field(record, c.first, c.last),
                       c.cell,
                       entryAtCell(kind, c.cell)->name,
                       {},
                       {},
                       c.first,
                       c.last});
    }
}

}  // namespace vortel

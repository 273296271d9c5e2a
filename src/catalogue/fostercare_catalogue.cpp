#include "catalogue/fostercare_catalogue.h"

namespace vortel::fostercare {

static_assert(catalogueConsistent(kElements, RecordKind::FosterCare));
static_assert(groupsConsistent(kGroups, kElements));
static_assert(!entry(kRecordNumberElement).checked && entry(kRecordNumberElement).width() == 12);

namespace {

// The place of each cell's entry in kElements.
constexpr auto kIndexOfCell = [] {
    std::array<std::uint8_t, std::size(kElements) + 1> index{};
    for (std::size_t i = 0; i < std::size(kElements); ++i) index[kElements[i].cell()] = static_cast<std::uint8_t>(i);
    return index;
}();

}  // namespace

const ElementEntry* entryAtCell(int cell) {
    if (cell < 1 || cell > cellCount(RecordKind::FosterCare)) return nullptr;
    return &kElements[kIndexOfCell[static_cast<std::size_t>(cell)]];
}

}  // namespace vortel::fostercare

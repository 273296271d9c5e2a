#include "fostercare/fostercare_elements.h"

#include "catalogue/fostercare_catalogue.h"
#include "core/run_facts.h"

namespace vortel {

namespace {

// The checked elements of the catalogue, in its order.
constexpr auto kFosterCareLayout = checkedLayouts<checkedCount(fostercare::kElements)>(fostercare::kElements);

constexpr auto kCompiled = compileLayout(kFosterCareLayout, recordLength(RecordKind::FosterCare));

}  // namespace

std::span<const ElementLayout> fosterCareLayout() { return kFosterCareLayout; }

void checkFosterCareElements(const RunFacts& facts, ElementTable& cells, std::string_view record) {
    checkElements(facts, cells, kCompiled, record);
}

}  // namespace vortel

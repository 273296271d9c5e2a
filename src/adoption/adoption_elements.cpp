#include "adoption/adoption_elements.h"

#include "catalogue/adoption_catalogue.h"
#include "core/run_facts.h"

namespace vortel {

namespace {

// The checked elements of the catalogue, in its order.
constexpr auto kAdoptionLayout = checkedLayouts<checkedCount(adoption::kElements)>(adoption::kElements);

constexpr auto kCompiled = compileLayout(kAdoptionLayout, recordLength(RecordKind::Adoption));

}  // namespace

std::span<const ElementLayout> adoptionLayout() { return kAdoptionLayout; }

void checkAdoptionElements(const RunFacts& facts, ElementTable& cells, std::string_view record) {
    checkElements(facts, cells, kCompiled, record);
}

}  // namespace vortel

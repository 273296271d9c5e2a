#include "adoption/adoption_elements.h"

#include "catalogue/adoption_catalogue.h"
#include "core/run_context.h"

namespace vortel {

namespace {

// The checked elements of the catalogue, in its order.
constexpr auto kAdoptionLayout = checkedLayouts<checkedCount(adoption::kElements)>(adoption::kElements);

constexpr auto kCompiled = compileLayout(kAdoptionLayout, recordLength(RecordKind::Adoption));

}  // namespace

std::span<const ElementLayout> adoptionLayout() { return kAdoptionLayout; }

void checkAdoptionElements(RunContext& ctx, std::string_view record) {
    checkElements(ctx, ctx.adoptionCells, kCompiled, record);
}

}  // namespace vortel

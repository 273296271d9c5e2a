#include "fostercare/fostercare_elements.h"

#include "catalogue/fostercare_catalogue.h"
#include "core/run_context.h"

namespace vortel {

namespace {

// The checked elements of the catalogue, in its order.
constexpr auto kFosterCareLayout = checkedLayouts<checkedCount(fostercare::kElements)>(fostercare::kElements);

constexpr auto kCompiled = compileLayout(kFosterCareLayout, recordLength(RecordKind::FosterCare));

}  // namespace

std::span<const ElementLayout> fosterCareLayout() { return kFosterCareLayout; }

void checkFosterCareElements(RunContext& ctx, std::string_view record) {
    checkElements(ctx, ctx.fosterCareCells, kCompiled, record);
}

}  // namespace vortel

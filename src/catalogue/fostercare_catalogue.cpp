#include "catalogue/fostercare_catalogue.h"

namespace vortel::fostercare {

static_assert(catalogueConsistent(kElements, RecordKind::FosterCare));
static_assert(groupsConsistent(kGroups, kElements));
static_assert(!entry(kRecordNumberElement).checked && entry(kRecordNumberElement).width() == 12);

const ElementEntry* entryAtCell(int cell) { return entryAtCellOf<kElements>(cell); }

}  // namespace vortel::fostercare

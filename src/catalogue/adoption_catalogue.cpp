#include "catalogue/adoption_catalogue.h"

namespace vortel::adoption {

static_assert(catalogueConsistent(kElements, RecordKind::Adoption));
static_assert(groupsConsistent(kGroups, kElements));
static_assert(!entry(kRecordNumberElement).checked && entry(kRecordNumberElement).width() == 12);

const ElementEntry* entryAtCell(int cell) { return entryAtCellOf<kElements>(cell); }

}  // namespace vortel::adoption

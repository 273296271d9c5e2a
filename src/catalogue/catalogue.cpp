#include "catalogue/catalogue.h"

namespace vortel {

const ElementEntry* entryAtCell(RecordKind kind, int cell) { return catalogueRow(kind).entryAtCell(cell); }

const ElementEntry* entryLabelled(RecordKind kind, std::string_view label) {
    return findLabel(elementEntries(kind), label);
}

}  // namespace vortel

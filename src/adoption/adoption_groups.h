// Adoption consistency groups #2 to #7.
#pragma once

#include <string_view>

namespace vortel {

class ElementTable;

// Runs the groups on one padded adoption detail record, after the date pairs.
void checkAdoptionGroups(ElementTable& cells, std::string_view record);

}  // namespace vortel

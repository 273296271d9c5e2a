// Foster care detail record layout (197 columns) and its element checks.
#pragma once

#include <span>
#include <string_view>

#include "fields/element_check.h"

namespace vortel {

struct RunFacts;

// The layouts of the catalogue's checked elements in checking order (element
// 4, the record number, and the race elements as a whole have none).
std::span<const ElementLayout> fosterCareLayout();

// Sets the element states of one padded foster care detail record. The
// local agency list of the section must be loaded.
void checkFosterCareElements(const RunFacts& facts, ElementTable& cells, std::string_view record);

}  // namespace vortel

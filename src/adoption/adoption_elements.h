// Adoption detail record layout (111 columns) and its element checks.
#pragma once

#include <span>
#include <string_view>

#include "fields/element_check.h"

namespace vortel {

struct RunFacts;

// The layouts of the catalogue's checked elements in checking order (element
// 3, the record number, and the race elements as a whole have none).
std::span<const ElementLayout> adoptionLayout();

// Sets the element states of one padded adoption detail record.
void checkAdoptionElements(const RunFacts& facts, ElementTable& cells, std::string_view record);

}  // namespace vortel

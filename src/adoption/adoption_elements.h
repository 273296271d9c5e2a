// Adoption detail record layout (111 columns) and its element checks.
#pragma once

#include <span>
#include <string_view>

#include "fields/element_check.h"

namespace vortel {

struct RunContext;

// The element rows in checking order (element 3, the record number, has none).
std::span<const ElementLayout> adoptionLayout();

// Sets the element states of one padded adoption detail record.
void checkAdoptionElements(RunContext& ctx, std::string_view record);

}  // namespace vortel

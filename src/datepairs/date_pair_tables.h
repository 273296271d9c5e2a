// The two date-pair tables (inconsistency group #1): 32 adoption rows and
// 114 foster care rows, with the operand elements each table reads.
#pragma once

#include <span>

#include "core/record_kind.h"
#include "datepairs/date_check.h"

namespace vortel {

std::span<const DateCheck> adoptionDateChecks();
std::span<const DateOperand> adoptionDateOperands();
std::span<const DateCheck> fosterCareDateChecks();
std::span<const DateOperand> fosterCareDateOperands();
// The date-pair rows of a kind.
std::span<const DateCheck> dateChecksOf(RecordKind kind);

}  // namespace vortel

// The two date-pair tables (inconsistency group #1): 32 adoption rows and
// 114 foster care rows, with the operand elements each table reads.
#pragma once

#include <span>

#include "datepairs/date_check.h"

namespace vortel {

std::span<const DateCheck> adoptionDateChecks();
std::span<const DateOperand> adoptionDateOperands();
std::span<const DateCheck> fosterCareDateChecks();
std::span<const DateOperand> fosterCareDateOperands();

// Foster care rows 22 and 23: the review date P against a TPR date Q. Passes
// when the TPR date is at most 274 days after the review date and the review
// date is before the TPR date's 18th anniversary. Blames both elements;
// result 2 when the review date is on or after that anniversary, else 1.
Verdict checkReviewAgainstTpr(const DateParts& review, const DateParts& tpr);

}  // namespace vortel

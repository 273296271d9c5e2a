#include "adoption/adoption_elements.h"

#include "run/run_context.h"

namespace vortel {

namespace {

using T = ElementTest;
constexpr char M = kMissing;
constexpr char P = kPendingBlank;
constexpr std::int32_t kEarliest = 19000101;

constexpr ElementLayout kAdoptionLayout[] = {
    fieldElement(1, 1, 2, M, T::StateCode),
    fieldElement(2, 3, 8, M, T::ReportPeriod),
    codeElement(4, 21, M, "12"),
    fieldElement(5, 22, 27, M, T::YearMonth),
    codeElement(6, 28, M, "12"),
    codeElement(38, 29, M, "01"),  // 7a
    codeElement(39, 30, M, "01"),
    codeElement(40, 31, M, "01"),
    codeElement(41, 32, M, "01"),
    codeElement(42, 33, M, "01"),
    codeElement(43, 34, M, "01"),  // 7f
    codeElement(8, 35, M, "123"),
    codeElement(9, 36, M, "12"),
    codeElement(10, 37, P, "012345"),
    codeElement(11, 38, P, "01"),
    codeElement(12, 39, P, "01"),
    codeElement(13, 40, P, "01"),
    codeElement(14, 41, P, "01"),
    codeElement(15, 42, P, "01"),
    fieldElement(16, 43, 46, P, T::Year),
    fieldElement(17, 47, 50, P, T::Year),
    codeElement(18, 51, M, "123"),
    // The three full dates are blank when their year and month are blank.
    {19, 52, 59, 57, M, T::Date, {}, kEarliest, 0},
    {20, 60, 67, 65, M, T::Date, {}, kEarliest, 0},
    {21, 68, 75, 73, M, T::Date, {}, 19941001, 0},
    codeElement(22, 76, M, "1234"),
    fieldElement(23, 77, 80, P, T::Year),
    fieldElement(24, 81, 84, P, T::Year),
    codeElement(44, 85, P, "01"),  // 25a
    codeElement(45, 86, P, "01"),
    codeElement(46, 87, P, "01"),
    codeElement(47, 88, P, "01"),
    codeElement(48, 89, P, "01"),
    codeElement(49, 90, P, "01"),  // 25f
    codeElement(26, 91, P, "0123"),
    codeElement(50, 92, P, "01"),  // 27a
    codeElement(51, 93, P, "01"),
    codeElement(52, 94, P, "01"),
    codeElement(53, 95, P, "01"),
    codeElement(54, 96, P, "01"),
    codeElement(55, 97, P, "01"),  // 27f
    codeElement(28, 98, P, "0123"),
    codeElement(29, 99, P, "01"),
    codeElement(30, 100, P, "01"),
    codeElement(31, 101, P, "01"),
    codeElement(32, 102, P, "01"),
    codeElement(33, 103, M, "123"),
    codeElement(34, 104, M, "12345"),
    codeElement(35, 105, M, "12"),
    fieldElement(36, 106, 110, M, T::Range, 0, 99999),
    codeElement(37, 111, M, "12"),
};

constexpr auto kCompiled = compileLayout(kAdoptionLayout, recordLength(RecordKind::Adoption));

}  // namespace

std::span<const ElementLayout> adoptionLayout() { return kAdoptionLayout; }

void checkAdoptionElements(RunContext& ctx, std::string_view record) {
    checkElements(ctx, ctx.adoptionCells, kCompiled, record);
}

}  // namespace vortel

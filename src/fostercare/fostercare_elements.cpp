#include "fostercare/fostercare_elements.h"

#include "run/run_context.h"

namespace vortel {

namespace {

using T = ElementTest;
constexpr char M = kMissing;
constexpr char P = kPendingBlank;

constexpr ElementLayout date(int cell, int first, char blank) {
    return fieldElement(cell, first, first + 7, blank, T::Date, 19000101);
}
constexpr ElementLayout year(int cell, int first, char blank) {
    return fieldElement(cell, first, first + 3, blank, T::Year);
}

constexpr ElementLayout kFosterCareLayout[] = {
    fieldElement(1, 1, 2, M, T::StateCode),
    fieldElement(2, 3, 8, M, T::ReportPeriod),
    fieldElement(3, 9, 13, M, T::LocalAgency),
    date(5, 26, P),
    date(6, 34, M),
    codeElement(7, 42, M, "12"),
    codeElement(67, 43, M, "01"),  // 8a
    codeElement(68, 44, M, "01"),
    codeElement(69, 45, M, "01"),
    codeElement(70, 46, M, "01"),
    codeElement(71, 47, M, "01"),
    codeElement(72, 48, M, "01"),  // 8f
    codeElement(9, 49, M, "123"),
    codeElement(10, 50, M, "123"),
    codeElement(11, 51, M, "01"),
    codeElement(12, 52, M, "01"),
    codeElement(13, 53, M, "01"),
    codeElement(14, 54, M, "01"),
    codeElement(15, 55, M, "01"),
    codeElement(16, 56, M, "123"),
    codeElement(17, 57, P, "012345"),
    date(18, 58, M),
    fieldElement(19, 66, 67, M, T::Range, 1, 99),
    date(20, 68, P),
    date(21, 76, M),
    date(22, 84, M),
    date(23, 92, M),
    fieldElement(24, 100, 101, M, T::Range, 1, 99),
    codeElement(25, 102, M, "123"),
    codeElement(26, 103, M, "01"),
    codeElement(27, 104, M, "01"),
    codeElement(28, 105, M, "01"),
    codeElement(29, 106, M, "01"),
    codeElement(30, 107, M, "01"),
    codeElement(31, 108, M, "01"),
    codeElement(32, 109, M, "01"),
    codeElement(33, 110, M, "01"),
    codeElement(34, 111, M, "01"),
    codeElement(35, 112, M, "01"),
    codeElement(36, 113, M, "01"),
    codeElement(37, 114, M, "01"),
    codeElement(38, 115, M, "01"),
    codeElement(39, 116, M, "01"),
    codeElement(40, 117, M, "01"),
    codeElement(41, 118, M, "12345678"),
    codeElement(42, 119, M, "12"),
    codeElement(43, 120, M, "1234567"),
    codeElement(44, 121, M, "12345"),
    year(45, 122, P),
    year(46, 126, P),
    date(47, 130, P),
    date(48, 138, P),
    codeElement(49, 146, P, "01234"),
    year(50, 147, P),
    year(51, 151, P),
    codeElement(73, 155, P, "01"),  // 52a
    codeElement(74, 156, P, "01"),
    codeElement(75, 157, P, "01"),
    codeElement(76, 158, P, "01"),
    codeElement(77, 159, P, "01"),
    codeElement(78, 160, P, "01"),  // 52f
    codeElement(53, 161, P, "0123"),
    codeElement(79, 162, P, "01"),  // 54a
    codeElement(80, 163, P, "01"),
    codeElement(81, 164, P, "01"),
    codeElement(82, 165, P, "01"),
    codeElement(83, 166, P, "01"),
    codeElement(84, 167, P, "01"),  // 54f
    codeElement(55, 168, P, "0123"),
    date(56, 169, P),
    date(57, 177, P),
    codeElement(58, 185, P, "012345678"),
    codeElement(59, 186, M, "01"),
    codeElement(60, 187, M, "01"),
    codeElement(61, 188, M, "01"),
    codeElement(62, 189, M, "01"),
    codeElement(63, 190, M, "01"),
    codeElement(64, 191, M, "01"),
    codeElement(65, 192, M, "01"),
    fieldElement(66, 193, 197, M, T::Range, 0, 99999),
};

constexpr auto kCompiled = compileLayout(kFosterCareLayout, recordLength(RecordKind::FosterCare));

}  // namespace

std::span<const ElementLayout> fosterCareLayout() { return kFosterCareLayout; }

void checkFosterCareElements(RunContext& ctx, std::string_view record) {
    checkElements(ctx, ctx.fosterCareCells, kCompiled, record);
}

}  // namespace vortel

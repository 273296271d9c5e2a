#include "findings/other_states.h"

#include "catalogue/states.h"
#include "core/number_text.h"

namespace vortel {

namespace {

std::size_t indexOf(RecordKind kind) { return kind == RecordKind::Adoption ? 0 : 1; }

std::string codeText(std::size_t code) {
    return std::string{static_cast<char>('0' + code / 10), static_cast<char>('0' + code % 10)};
}

}  // namespace

void OtherStateTally::add(RecordKind kind, std::string_view stateField, std::string_view answered) {
    if (stateField == answered || !stateOfCode(stateField)) return;
    Counts& c = kinds_[indexOf(kind)];
    const auto digit = [&](std::size_t i) { return static_cast<std::size_t>(stateField[i] - '0'); };
    ++c.byCode[digit(0) * 10 + digit(1)];
    ++c.total;
}

std::vector<std::string> OtherStateTally::warnings(std::string_view answered, long adoptionRecords,
                                                   long fosterCareRecords) const {
    std::vector<std::string> out;
    for (RecordKind kind : {RecordKind::Adoption, RecordKind::FosterCare}) {
        const Counts& c = kinds_[indexOf(kind)];
        const long records = kind == RecordKind::Adoption ? adoptionRecords : fosterCareRecords;
        if (c.total < kWarnRecords || c.total * 100 < records * kWarnPercent) continue;
        std::size_t most = 0, codes = 0;
        for (std::size_t code = 0; code < c.byCode.size(); ++code) {
            if (c.byCode[code] == 0) continue;
            ++codes;
            if (c.byCode[code] > c.byCode[most]) most = code;
        }
        std::string text = groupedNumber(c.total) + " of " + groupedNumber(records) +
                           (kind == RecordKind::Adoption ? " adoption" : " foster care") + " records give ";
        text +=
            codes == 1 ? "State " + codeText(most) : "the code of another State (most often " + codeText(most) + ")";
        text += ", not " + std::string(answered) + ": check the State code.";
        out.push_back(std::move(text));
    }
    return out;
}

}  // namespace vortel

#include "catalogue/states.h"

namespace vortel {

namespace {

// Letters compared without regard to case; other bytes as they are.
bool sameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

}  // namespace

std::optional<std::string> stateHint(std::string_view answer) {
    for (const StateRow& s : kStates) {
        const bool withoutZero = s.code[0] == '0' && answer == s.code.substr(1);
        if (withoutZero || sameIgnoringCase(answer, s.postal) || sameIgnoringCase(answer, s.name))
            return std::string(s.name) + " is " + std::string(s.code) + ".";
    }
    return std::nullopt;
}

}  // namespace vortel

#include "core/record_fields.h"

#include <limits>

namespace vortel {

std::int64_t fieldValueSlow(std::string_view f) {
    std::size_t i = 0;
    while (i < f.size() && (f[i] == ' ' || (f[i] >= '\t' && f[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < f.size() && (f[i] == '+' || f[i] == '-')) {
        negative = f[i] == '-';
        ++i;
    }
    constexpr std::int64_t kCap = std::numeric_limits<std::int32_t>::max();
    std::int64_t v = 0;
    for (; i < f.size() && (f[i] >= '0' && f[i] <= '9'); ++i) {
        v = v * 10 + (f[i] - '0');
        if (v > kCap) v = kCap;
    }
    return negative ? -v : v;
}

bool isNumericField(std::string_view f) {
    std::size_t i = 0;
    while (i < f.size() && f[i] == ' ') ++i;
    if (i == f.size()) return true;  // all blanks
    if (!(f[i] >= '0' && f[i] <= '9')) return false;
    ++i;
    bool afterBlank = false;
    for (; i < f.size(); ++i) {
        const char c = f[i];
        if (c == ' ') {
            afterBlank = true;
        } else if ((c >= '0' && c <= '9')) {
            if (afterBlank) return false;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace vortel

#include "core/number_text.h"

#include <cstdio>

namespace vortel {

std::string groupedNumber(long n) {
    std::string digits = std::to_string(n < 0 ? -n : n);
    std::string out = n < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

std::string shareText(long part, long whole) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%",
                  whole == 0 ? 0.0 : 100.0 * static_cast<double>(part) / static_cast<double>(whole));
    return text;
}

}  // namespace vortel

#include "core/console.h"

namespace vortel {

void reportFatal(Console console, std::string_view message) {
    console.out.flush();
    console.errors.put(message);
    console.errors.put("\nTerminating program.\n");
    console.errors.flush();
}

void fatalError(Console console, std::string_view message) {
    reportFatal(console, message);
    throw FatalExit{-1};
}

std::string visibleText(std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) {
            shown.append("\\x").push_back(kHex[c >> 4]);
            shown.push_back(kHex[c & 0x0F]);
        } else {
            shown.push_back(ch);
        }
    }
    return shown;
}

}  // namespace vortel

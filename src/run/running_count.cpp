#include "run/running_count.h"

namespace vortel {

void RunningCount::render(std::int32_t count) {
    char digits[16];
    char* end = digits + sizeof digits;
    char* p = end;
    const bool negative = count < 0;
    std::uint32_t u = negative ? 0u - static_cast<std::uint32_t>(count) : static_cast<std::uint32_t>(count);
    do {
        *--p = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    if (negative) *--p = '-';
    while (end - p < kWidth) *--p = ' ';
    length_ = 0;
    while (p != end) text_[length_++] = *p++;
    text_[length_++] = '\r';
}

std::string_view RunningCount::textFor(std::int32_t count) {
    // One more than the text shows, within 8 digits: add one to the last
    // digit and carry to the left; a blank reached by the carry becomes 1.
    if (valid_ && shown_ >= 0 && count < 100000000 && count == std::int64_t{shown_} + 1) {
        int i = kWidth - 1;
        while (text_[i] == '9') text_[i--] = '0';
        text_[i] = text_[i] == ' ' ? '1' : static_cast<char>(text_[i] + 1);
    } else {
        render(count);
    }
    shown_ = count;
    valid_ = true;
    return {text_, static_cast<std::size_t>(length_)};
}

}  // namespace vortel

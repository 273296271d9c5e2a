// Reading the fixed columns of a record: fields as views over 1-based
// inclusive columns, blanks, numbers, and the word-at-a-time readings of
// digits (each beside the plain reading its tests compare it with). Also the
// date of the run, the one fact of the clock a check reads.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vortel {

// The local date of the run, read once from the clock before any record.
struct RunDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// Columns first..last (1-based, inclusive) of a record. The record must be
// at least `last` characters long (records are padded before checking).
inline std::string_view field(std::string_view record, int first, int last) {
    return record.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
}
// The single character at column `col` (1-based).
inline char column(std::string_view record, int col) { return record[static_cast<std::size_t>(col - 1)]; }

// True when every character is a blank (the space character only).
inline bool isBlankField(std::string_view f) {
    for (char c : f)
        if (c != ' ') return false;
    return true;
}
// Blanks, one run of digits, blanks: numeric. All blanks count as numeric.
bool isNumericField(std::string_view f);
// Decimal reading as a string-to-long conversion does it: leading white
// space skipped, an optional sign, digits up to the first non-digit; no
// digits give 0. Saturates instead of overflowing.
std::int64_t fieldValueSlow(std::string_view f);
inline std::int64_t fieldValue(std::string_view f) {
    // Digits after leading blanks (or none: all blanks read 0) are by far
    // the most common field: read them directly.
    if (f.size() <= 9) {
        std::size_t i = 0;
        while (i < f.size() && f[i] == ' ') ++i;
        std::int64_t v = 0;
        for (; i < f.size(); ++i) {
            const char c = f[i];
            if (c < '0' || c > '9') return fieldValueSlow(f);
            v = v * 10 + (c - '0');
        }
        return v;
    }
    return fieldValueSlow(f);
}
// The 8 characters at p as one word, character k in byte k.
inline std::uint64_t loadWord(const char* p) {
    static_assert(std::endian::native == std::endian::little, "character k of a word is its byte k");
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    return x;
}
// True when the 8 characters of the word are all digits: every byte
// 0x30-0x39, tested on the eight at once.
inline bool eightDigits(std::uint64_t x) {
    constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0ull;
    constexpr std::uint64_t kZeros = 0x3030303030303030ull;
    return (x & kHigh) == kZeros && ((x + 0x0606060606060606ull) & kHigh) == kZeros;
}
// The same for the 8 characters at p.
inline bool eightDigits(const char* p) { return eightDigits(loadWord(p)); }
inline int digitAt(const char* p, int i) { return p[i] - '0'; }

// True when every character is a digit (and there is at least one); the
// field's value is then stored in `value`.
inline bool readDigits(std::string_view f, std::int64_t& value) {
    if (f.empty() || f.size() > 18) return false;
    std::int64_t v = 0;
    for (char c : f) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    value = v;
    return true;
}
}  // namespace vortel

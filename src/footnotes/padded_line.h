// A private copy of one data file line, padded with blanks to a record
// length, for the records that are checked outside the sections (the
// aggregate record and footnote records).
#pragma once

#include <algorithm>
#include <array>
#include <string_view>

namespace vortel {

class PaddedLine {
public:
    // Lines come from the line reader and are at most this long.
    static constexpr std::size_t kMaxLine = 299;

    // A line of at most `width` characters (line feed included) gets blanks
    // after it up to `width`, so that its line feed stays inside the record;
    // a longer line is kept as it is.
    PaddedLine(std::string_view line, std::size_t width) {
        length_ = std::min(line.size(), kMaxLine);
        std::copy_n(line.data(), length_, buffer_.data());
        const std::size_t padded = std::min(width, kMaxLine);
        if (length_ < padded) {
            std::fill(buffer_.data() + length_, buffer_.data() + padded, ' ');
            length_ = padded;
        }
    }

    std::string_view record() const { return {buffer_.data(), length_}; }

private:
    std::array<char, kMaxLine + 1> buffer_{};
    std::size_t length_ = 0;
};

}  // namespace vortel

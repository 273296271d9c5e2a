// The running count of detail records on the console, written after every
// record as "%8ld\r" would write it. The text is kept between records and
// moved on by one in place, since a section counts up one record at a time.
#pragma once

#include <cstdint>
#include <string_view>

namespace vortel {

class RunningCount {
public:
    // The text for `count`: right-aligned in 8 columns and a carriage
    // return, longer when the count needs more than 8 characters.
    std::string_view textFor(std::int32_t count);

private:
    static constexpr int kWidth = 8;
    void render(std::int32_t count);

    char text_[16] = {};
    int length_ = 0;
    std::int32_t shown_ = 0;
    bool valid_ = false;  // text_ holds shown_
};

}  // namespace vortel

// How a fuzz input is read: split at the first separator line "==fips==\n",
// what comes before is the data file, what follows the local agency list (a
// fixed list when there is no separator). The fuzz target and the test that
// replays the corpus read inputs the same way.
#pragma once

#include <string_view>

namespace vortel::fuzzing {

struct FuzzInput {
    std::string_view data;
    std::string_view fips = "01001\n01003\n01005\n72001\n";
};

inline FuzzInput splitFuzzInput(std::string_view input) {
    constexpr std::string_view kSeparator = "==fips==\n";
    FuzzInput parts{input};
    if (const auto at = input.find(kSeparator); at != std::string_view::npos) {
        parts.data = input.substr(0, at);
        parts.fips = input.substr(at + kSeparator.size());
    }
    return parts;
}

}  // namespace vortel::fuzzing

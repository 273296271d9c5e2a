// The running count kept as text must read exactly as "%8ld\r" at every
// count: across every carry, past eight digits, after jumps and at the
// largest count.
#include "run/running_count.h"

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace vortel;

namespace {

std::string printed(long count) {
    char text[32];
    std::snprintf(text, sizeof text, "%8ld\r", count);
    return text;
}

TEST(RunningCount, ReadsAsThePrintfFormAtEveryStep) {
    RunningCount counter;
    for (long n = 1; n <= 120000; ++n) ASSERT_EQ(counter.textFor(static_cast<std::int32_t>(n)), printed(n)) << n;
}

TEST(RunningCount, CarriesPastEightDigitsAndFollowsJumps) {
    struct Run {
        std::int32_t from;
        std::int32_t to;
    };
    const std::vector<Run> runs = {
        {0, 3}, {99999990, 100000010}, {7, 9}, {999, 1001}, {INT32_MAX - 3, INT32_MAX},
    };
    RunningCount counter;
    for (const Run& r : runs)
        for (std::int32_t n = r.from;; ++n) {
            ASSERT_EQ(counter.textFor(n), printed(n)) << n;
            if (n == r.to) break;
        }
    EXPECT_EQ(counter.textFor(INT32_MAX), printed(INT32_MAX));  // a count that stopped at its largest value
    EXPECT_EQ(counter.textFor(-5), printed(-5));
}

}  // namespace

#include "findings/mostly_in_order.h"

#include <functional>
#include <random>

#include <gtest/gtest.h>

namespace vortel {
namespace {

// Lists of the shapes a run's lists take, and some they never should.
std::vector<int> shaped(const std::string& shape, int n) {
    std::mt19937 random(7);
    std::vector<int> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) v[static_cast<std::size_t>(i)] = i * 2;
    if (shape == "a high item early" && n > 1) v[1] = 1000000;
    if (shape == "a low item late" && n > 1) v[static_cast<std::size_t>(n - 2)] = -5;
    if (shape == "repeats and strays")
        for (int i = 0; i < n; i += 37) v[static_cast<std::size_t>(i)] = static_cast<int>(random() % 100);
    if (shape == "reversed") std::reverse(v.begin(), v.end());
    if (shape == "shuffled") std::shuffle(v.begin(), v.end(), random);
    if (shape == "all equal") std::fill(v.begin(), v.end(), 3);
    return v;
}

TEST(MostlyInOrder, SortsAndFindsAsTheStandardAlgorithmsDo) {
    for (const char* shape : {"in order", "a high item early", "a low item late", "repeats and strays", "reversed",
                              "shuffled", "all equal"}) {
        for (const int n : {0, 1, 2, 3, 500}) {
            SCOPED_TRACE(std::string(shape) + ", " + std::to_string(n) + " items");
            std::vector<int> v = shaped(shape, n), expected = v;
            std::sort(expected.begin(), expected.end());
            sortMostlyInOrder(v, std::less<>());
            ASSERT_EQ(v, expected);
            // Searches from wherever the last one ended, in file order.
            std::size_t hint = 0;
            for (const int value : shaped(shape, n)) {
                for (const int probe : {value - 1, value, value + 1}) {
                    const auto want = std::lower_bound(expected.begin(), expected.end(), probe) - expected.begin();
                    ASSERT_EQ(lowerBoundNear(v, hint, probe, std::less<>()), static_cast<std::size_t>(want)) << probe;
                }
            }
        }
    }
}

}  // namespace
}  // namespace vortel

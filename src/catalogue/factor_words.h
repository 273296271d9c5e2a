// Words for the values of a decision table's factors, kept beside the factor's
// enumeration so that the findings and the rules document word a value the
// way the table means it. A table lists each value with its words, in the
// enumeration's order; wordsEveryValue, asserted where the table stands,
// fails the build when a value is added, removed or reordered without its
// words following.
#pragma once

#include <cstddef>
#include <string_view>

namespace vortel {

template <class E>
struct FactorWord {
    E value;
    std::string_view words;
};

// True when the table words each value of E from the first to `last`, once
// and in order.
template <class E, std::size_t N>
constexpr bool wordsEveryValue(const FactorWord<E> (&table)[N], E last) {
    if (N != static_cast<std::size_t>(last) + 1) return false;
    for (std::size_t i = 0; i < N; ++i)
        if (static_cast<std::size_t>(table[i].value) != i) return false;
    return true;
}

template <class E, std::size_t N>
constexpr std::string_view wordOf(const FactorWord<E> (&table)[N], E value) {
    const auto i = static_cast<std::size_t>(value);
    return i < N ? table[i].words : std::string_view("?");
}

}  // namespace vortel

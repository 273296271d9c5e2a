// A run-wide ordered list of owned message texts with a memory-failure flag:
// the adoption aggregate errors and the two footnote error lists.
//
// Room for entries is obtained a block at a time. When room for a new entry
// or the entry's text cannot be obtained, everything gathered so far is
// dropped and the flag is set; the reports then carry a note in place of the
// list. Later appends start the list afresh.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace vortel {

struct RunContext;

class MessageList {
public:
    static constexpr std::size_t kUnlimited = std::numeric_limits<std::size_t>::max();

    // Set at the list's first memory failure and never cleared during a run.
    bool memoryFailed = false;

    std::size_t count() const { return messages_.size(); }
    const std::string& operator[](std::size_t i) const { return messages_[i]; }
    // True when the list has something for the report: its messages, or the
    // note that stands in for them after a memory failure.
    bool hasListing() const { return count() != 0 || memoryFailed; }
    // Entries there is room for without obtaining more.
    std::size_t room() const { return room_; }

    // Appends a copy of `text`. When the list is full, room for `block` more
    // entries is obtained; `roomLimit` is the most entries room can be
    // obtained for (a stand-in for the memory the machine has). Returns false
    // when room or the text cannot be obtained: the list is then emptied, its
    // storage given back, and `memoryFailed` set.
    bool append(std::string_view text, std::size_t block, std::size_t roomLimit = kUnlimited);

    // Empties the list and gives back its storage; the flag is kept.
    void release();

private:
    bool grow(std::size_t newRoom, std::size_t roomLimit);

    std::vector<std::string> messages_;
    std::size_t room_ = 0;
};

// Appends `text` to `list` with room obtained `block` entries at a time, up to
// `roomLimit` entries. At the list's first memory failure of the run,
// `memoryError` goes to the standard error stream. Returns false on failure.
bool appendMessage(RunContext& ctx, MessageList& list, std::string_view text, std::size_t block,
                   std::size_t roomLimit, std::string_view memoryError);

}  // namespace vortel

// A run-wide ordered list of owned message texts with a memory-failure flag:
// the adoption aggregate errors and the footnote error list of each kind.
//
// Room for entries is counted a block at a time against a limit. When room
// for a new entry or the entry's text cannot be obtained, everything gathered
// so far is dropped and the flag is set; the reports then carry a note in
// place of the list. Later appends start the list afresh.
//
// A file may hold any number of aggregate and footnote records, so an append
// costs the same however long the list: the counted room is only a number,
// the texts are copied one after another into chunks of characters that are
// never moved, and the entries that point at them live in a deque.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <limits>
#include <memory>
#include <string_view>
#include <vector>

#include "core/record_kind.h"

namespace vortel {

struct Console;

class MessageList {
public:
    static constexpr std::size_t kUnlimited = std::numeric_limits<std::size_t>::max();

    // Set at the list's first memory failure and never cleared during a run.
    bool memoryFailed = false;

    std::size_t count() const { return messages_.size(); }
    // Valid until the list is released or fails.
    std::string_view operator[](std::size_t i) const { return messages_[i]; }
    // True when the list has something for the report: its messages, or the
    // note that stands in for them after a memory failure.
    bool hasListing() const { return count() != 0 || memoryFailed; }
    // Entries there is room for without obtaining more.
    std::size_t room() const { return room_; }

    // The most entries room can be counted for: a stand-in for the memory
    // the machine has, so that the failure paths can be exercised.
    std::size_t roomLimit = kUnlimited;

    // Appends a copy of `text`. When the list is full, room for `block` more
    // entries is counted, up to `roomLimit`. Returns false when room or the
    // text cannot be obtained: the list is then emptied, its storage given
    // back, and `memoryFailed` set.
    bool append(std::string_view text, std::size_t block);

    // Empties the list and gives back its storage; the flag is kept.
    void release();

private:
    // Copies `text` behind the texts already kept; throws std::bad_alloc.
    std::string_view keep(std::string_view text);

    std::deque<std::string_view> messages_;
    std::vector<std::unique_ptr<char[]>> chunks_;
    char* next_ = nullptr;       // where the next text goes in the last chunk
    std::size_t chunkFree_ = 0;  // characters left there
    std::size_t room_ = 0;
};

// The run's message lists, indexed by MessageListId.
using MessageLists = std::array<MessageList, kMessageLists>;
inline MessageList& listOf(MessageLists& lists, MessageListId id) { return lists[listIndex(id)]; }

// Appends `text` to `list` with room obtained `block` entries at a time. At
// the list's first memory failure of the run, `memoryError` goes to the
// standard error stream. Returns false on failure.
bool appendMessage(Console console, MessageList& list, std::string_view text, std::size_t block,
                   std::string_view memoryError);

}  // namespace vortel

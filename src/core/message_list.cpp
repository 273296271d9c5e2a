#include "core/message_list.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "core/console.h"

namespace vortel {

namespace {

// Texts are kept in chunks of this many characters; a longer text gets a
// chunk of its own size.
constexpr std::size_t kChunkSize = std::size_t{64} * 1024;

}  // namespace

std::string_view MessageList::keep(std::string_view text) {
    if (text.size() > chunkFree_) {
        const std::size_t size = std::max(kChunkSize, text.size());
        // Room for the pointer first, so that a failure cannot lose the chunk.
        chunks_.reserve(chunks_.size() + 1);
        chunks_.push_back(std::make_unique_for_overwrite<char[]>(size));
        next_ = chunks_.back().get();
        chunkFree_ = size;
    }
    std::copy(text.begin(), text.end(), next_);
    const std::string_view kept(next_, text.size());
    next_ += text.size();
    chunkFree_ -= text.size();
    return kept;
}

bool MessageList::append(std::string_view text, std::size_t block) {
    bool ok = true;
    if (messages_.size() == room_) {
        // Room for one more block; a block that would overflow the count of
        // entries, or go past the limit, can never be obtained.
        ok = block != 0 && room_ <= kUnlimited - block && room_ + block <= roomLimit;
        if (ok) room_ += block;
    }
    if (ok) {
        try {
            messages_.push_back(keep(text));
        } catch (const std::bad_alloc&) {
            ok = false;
        } catch (const std::length_error&) {
            ok = false;
        }
    }
    if (!ok) {
        release();
        memoryFailed = true;
    }
    return ok;
}

void MessageList::release() {
    // An empty deque may itself need memory; when even that cannot be had,
    // clearing still gives back all but the deque's first chunk and index.
    try {
        std::deque<std::string_view>().swap(messages_);
    } catch (const std::bad_alloc&) {
        messages_.clear();
    }
    std::vector<std::unique_ptr<char[]>>().swap(chunks_);
    next_ = nullptr;
    chunkFree_ = 0;
    room_ = 0;
}

bool appendMessage(Console console, MessageList& list, std::string_view text, std::size_t block,
                   std::string_view memoryError) {
    const bool firstFailure = !list.memoryFailed;
    if (list.append(text, block)) return true;
    if (firstFailure) {
        // The console line in progress comes out before the error.
        console.out.flush();
        console.errors.put(memoryError);
        console.errors.flush();
    }
    return false;
}

}  // namespace vortel

#include "footnotes/message_list.h"

#include <new>
#include <stdexcept>

#include "run/run_context.h"

namespace vortel {

bool MessageList::grow(std::size_t newRoom, std::size_t roomLimit) {
    if (newRoom > roomLimit) return false;
    try {
        messages_.reserve(newRoom);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    room_ = newRoom;
    return true;
}

bool MessageList::append(std::string_view text, std::size_t block, std::size_t roomLimit) {
    bool ok = true;
    if (messages_.size() == room_) {
        // Room for one more block; a block that would overflow the count of
        // entries can never be obtained.
        ok = block != 0 && room_ <= kUnlimited - block && grow(room_ + block, roomLimit);
    }
    if (ok) {
        try {
            messages_.emplace_back(text);
        } catch (const std::bad_alloc&) {
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
    while (!messages_.empty()) messages_.pop_back();
    std::vector<std::string>().swap(messages_);
    room_ = 0;
}

bool appendMessage(RunContext& ctx, MessageList& list, std::string_view text, std::size_t block,
                   std::size_t roomLimit, std::string_view memoryError) {
    const bool firstFailure = !list.memoryFailed;
    if (list.append(text, block, roomLimit)) return true;
    if (firstFailure) {
        // The console line in progress comes out before the error.
        ctx.console.flush();
        ctx.errors.put(memoryError);
        ctx.errors.flush();
    }
    return false;
}

}  // namespace vortel

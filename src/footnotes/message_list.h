// A run-wide ordered list of owned message texts with a memory-failure flag.
#pragma once

#include <string>
#include <vector>

namespace vortel {

struct MessageList {
    std::vector<std::string> messages;
    bool memoryFailed = false;

    std::size_t count() const { return messages.size(); }
    void release() {
        messages.clear();
        messages.shrink_to_fit();
    }
};

}  // namespace vortel

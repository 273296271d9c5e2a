#include "core/files.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>

#include "core/platform.h"

namespace vortel {

namespace fs = std::filesystem;

std::string errorText(int error) { return platform::errorText(error); }

fs::path finalTarget(const std::string& name) {
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(name), ec);
    if (ec) p = fs::path(name);
    // A bounded walk, as the system bounds it (a loop of links ends here).
    for (int hops = 0; hops < 40; ++hops) {
        if (!platform::linkStatusOf(p.string()).link) break;
        const std::string link = platform::linkText(p.string());
        if (link.empty()) break;
        const fs::path to(link);
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return p.lexically_normal();
}

bool sameFile(const std::string& a, const std::string& b) {
    platform::FileIdentity ia, ib;
    const bool ea = platform::identityOf(a, ia);
    const bool eb = platform::identityOf(b, ib);
    if (ea && eb) return ia == ib;
    if (ea != eb) return false;
    std::error_code ec1, ec2;
    const fs::path pa = fs::weakly_canonical(finalTarget(a), ec1);
    const fs::path pb = fs::weakly_canonical(finalTarget(b), ec2);
    return !ec1 && !ec2 && pa == pb;
}

std::FILE* openScratchFile(const std::string& besideName, int& error) {
    fs::path folder = finalTarget(besideName).parent_path();
    if (folder.empty()) folder = ".";
    return platform::openScratchFile(folder.string(), error);
}

void ensureStandardDescriptors() { platform::ensureStandardStreams(); }

namespace {

// A slot is free (0), being filled (1) or holding a path to remove (2).
struct TemporarySlot {
    std::atomic<int> state{0};
    std::array<char, 4096> path{};
};
std::array<TemporarySlot, kMaxTemporaries> gTemporaries;

void removeTemporaries() {
    for (TemporarySlot& slot : gTemporaries)
        if (slot.state.load() == 2) platform::removeFileNow(slot.path.data());
}

}  // namespace

int registerTemporary(const std::string& path) {
    if (path.size() >= TemporarySlot{}.path.size()) return -1;
    for (int i = 0; i < kMaxTemporaries; ++i) {
        TemporarySlot& slot = gTemporaries[static_cast<std::size_t>(i)];
        int free = 0;
        if (!slot.state.compare_exchange_strong(free, 1)) continue;
        std::memcpy(slot.path.data(), path.c_str(), path.size() + 1);
        slot.state.store(2);
        return i;
    }
    return -1;
}

void unregisterTemporary(int slot) {
    if (slot >= 0 && slot < kMaxTemporaries) gTemporaries[static_cast<std::size_t>(slot)].state.store(0);
}

void installSignalHandlers() { platform::installInterruptHandlers(removeTemporaries); }

}  // namespace vortel

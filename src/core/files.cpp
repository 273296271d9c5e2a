#include "core/files.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "core/platform.h"

namespace vortel {

std::string errorText(int error) { return platform::errorText(error); }

namespace {

// `folder` and a name in it, one slash between.
std::string inFolder(const std::string& folder, const std::string& name) {
    std::string path = folder;
    if (path.empty() || (path.back() != '/' && platform::kSeparators.find(path.back()) == std::string_view::npos))
        path.push_back('/');
    path.append(name);
    return path;
}

bool absolute(const std::string& name) { return std::filesystem::path(name).is_absolute(); }

}  // namespace

std::string ResolvedName::path() const { return inFolder(folder, leaf); }

ResolvedName resolveName(const std::string& name) {
    std::string current = name;
    // A bounded walk, as the system bounds it (a loop of links ends here).
    for (int hops = 0; hops < 40; ++hops) {
        const std::size_t slash = current.find_last_of(platform::kSeparators);
        const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : current.substr(0, slash));
        std::string leaf = slash == std::string::npos ? current : current.substr(slash + 1);
        // A name ending in "/", "." or ".." names a folder, not a file in one.
        if (leaf.empty() || leaf == "." || leaf == "..") return {};
        // The system resolves the folder: links, and `..` after them.
        int error = 0;
        const std::string real = platform::realPath(folder, error);
        if (real.empty()) return {{}, {}, error};
        ResolvedName resolved{real, leaf, 0};
        const std::string path = resolved.path();
        if (!platform::linkStatusOf(path).link) return resolved;
        const std::string to = platform::linkText(path);
        if (to.empty()) return resolved;
        current = absolute(to) ? to : inFolder(resolved.folder, to);
    }
    return {{}, {}, ELOOP};
}

std::string folderToBe(const std::string& folder) {
    int error = 0;
    std::string current =
        platform::realPath(absolute(folder) ? std::filesystem::path(folder).root_path().string() : ".", error);
    if (current.empty()) return {};
    std::size_t at = absolute(folder) ? std::filesystem::path(folder).root_path().string().size() : 0;
    bool made = false;  // `current` is still to be made
    while (at <= folder.size()) {
        std::size_t end = folder.find_first_of(platform::kSeparators, at);
        if (end == std::string::npos) end = folder.size();
        const std::string part = folder.substr(at, end - at);
        at = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (made) {
                const std::size_t last = current.find_last_of(platform::kSeparators);
                current.resize(last == 0 || last == std::string::npos ? 1 : last);
                made = current.size() > 1 && !platform::statusOf(current).exists;
                continue;
            }
            current = inFolder(current, part);
        } else {
            current = inFolder(current, part);
            if (made) continue;
        }
        const platform::FileStatus st = platform::linkStatusOf(current);
        if (!st.exists) {
            if (st.error != ENOENT) return {};
            made = true;
            continue;
        }
        current = platform::realPath(current, error);
        if (current.empty()) return {};
    }
    return current;
}

std::optional<FileIdentity> fileIdentity(const std::string& name) {
    platform::FileIdentity id;
    if (platform::identityOf(name, id)) return FileIdentity{id.volume, id.index, {}};
    const ResolvedName resolved = resolveName(name);
    if (resolved.error || resolved.leaf.empty() || !platform::identityOf(resolved.folder, id)) return std::nullopt;
    FileIdentity identity{id.volume, id.index, resolved.leaf};
    if (platform::folderIgnoresCase(resolved.folder)) {
        for (char& c : identity.leaf)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return identity;
}

bool sameFile(const std::string& a, const std::string& b) {
    const std::optional<FileIdentity> ia = fileIdentity(a);
    return ia && ia == fileIdentity(b);
}

int writeRefused(const std::string& path) { return platform::writeRefused(path); }

std::FILE* openScratchFile(const std::string& besideName, int& error) {
    const ResolvedName resolved = resolveName(besideName);
    // A folder that cannot take one (read-only, a file system without unnamed
    // files): the system's temporary folder.
    if (!resolved.error)
        if (std::FILE* file = platform::openScratchFile(resolved.folder, error)) return file;
    return openScratchFile(error);
}

std::FILE* openScratchFile(int& error) { return platform::openScratchFile(std::string(), error); }

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

int registerTemporary(const std::string& path, int& error) {
    if (path.size() >= TemporarySlot{}.path.size()) {
        error = ENAMETOOLONG;
        return -1;
    }
    for (int i = 0; i < kMaxTemporaries; ++i) {
        TemporarySlot& slot = gTemporaries[static_cast<std::size_t>(i)];
        int free = 0;
        if (!slot.state.compare_exchange_strong(free, 1)) continue;
        std::memcpy(slot.path.data(), path.c_str(), path.size() + 1);
        slot.state.store(2);
        return i;
    }
    error = EMFILE;
    return -1;
}

void unregisterTemporary(int slot) {
    if (slot >= 0 && slot < kMaxTemporaries) gTemporaries[static_cast<std::size_t>(slot)].state.store(0);
}

void installSignalHandlers() { platform::installInterruptHandlers(removeTemporaries); }

}  // namespace vortel

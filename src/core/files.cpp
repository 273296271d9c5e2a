#include "core/files.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <linux/fs.h>

namespace vortel {

std::string errorText(int error) { return std::strerror(error); }

namespace {

// File systems that ignore the case of names (FAT, exFAT, NTFS), and folders
// marked so on file systems that can fold case per folder.
bool folderIgnoresCase(const std::string& folder) {
    struct statfs info {};
    if (::statfs(folder.c_str(), &info) == 0) {
        switch (static_cast<unsigned long>(info.f_type)) {
            case 0x4d44UL:      // FAT
            case 0x2011BAB0UL:  // exFAT
            case 0x5346544EUL:  // NTFS
            case 0x7366746EUL:  // NTFS (ntfs3)
                return true;
            default:
                break;
        }
    }
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    int flags = 0;
    const bool folded = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 && (flags & 0x40000000) != 0;  // FS_CASEFOLD_FL
    ::close(fd);
    return folded;
}

}  // namespace

namespace {

// `folder` and a name in it, one slash between.
std::string inFolder(const std::string& folder, const std::string& name) {
    std::string path = folder;
    if (path.empty() || path.back() != '/') path.push_back('/');
    path.append(name);
    return path;
}

}  // namespace

std::string ResolvedName::path() const { return inFolder(folder, leaf); }

ResolvedName resolveName(const std::string& name) {
    std::string current = name;
    // A bounded walk, as the system bounds it (a loop of links ends here).
    for (int hops = 0; hops < 40; ++hops) {
        const std::size_t slash = current.rfind('/');
        const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : current.substr(0, slash));
        std::string leaf = slash == std::string::npos ? current : current.substr(slash + 1);
        // A name ending in "/", "." or ".." names a folder, not a file in one.
        if (leaf.empty() || leaf == "." || leaf == "..") return {};
        // The system resolves the folder: links, and `..` after them.
        char* real = ::realpath(folder.c_str(), nullptr);
        if (!real) return {{}, {}, errno};
        ResolvedName resolved{real, leaf, 0};
        std::free(real);
        const std::string path = resolved.path();
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return resolved;
        std::array<char, 4096> link{};
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size() - 1);
        if (n <= 0) return resolved;
        const std::string to(link.data(), static_cast<std::size_t>(n));
        current = to.front() == '/' ? to : inFolder(resolved.folder, to);
    }
    return {{}, {}, ELOOP};
}

std::string folderToBe(const std::string& folder) {
    char* start = ::realpath(!folder.empty() && folder.front() == '/' ? "/" : ".", nullptr);
    if (!start) return {};
    std::string current = start;
    std::free(start);
    bool made = false;  // `current` is still to be made
    for (std::size_t at = 0; at <= folder.size();) {
        std::size_t end = folder.find('/', at);
        if (end == std::string::npos) end = folder.size();
        const std::string part = folder.substr(at, end - at);
        at = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (made) {
                current.erase(current.rfind('/'));
                if (current.empty()) current = "/";
                made = current.size() > 1 && ::access(current.c_str(), F_OK) != 0;
                continue;
            }
            current = inFolder(current, part);
        } else {
            current = inFolder(current, part);
            if (made) continue;
        }
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0) {
            if (errno != ENOENT) return {};
            made = true;
            continue;
        }
        char* real = ::realpath(current.c_str(), nullptr);
        if (!real) return {};
        current = real;
        std::free(real);
    }
    return current;
}

std::optional<FileIdentity> fileIdentity(const std::string& name) {
    struct stat st {};
    if (::stat(name.c_str(), &st) == 0) return FileIdentity{st.st_dev, st.st_ino, {}};
    const ResolvedName resolved = resolveName(name);
    if (resolved.error || resolved.leaf.empty() || ::stat(resolved.folder.c_str(), &st) != 0) return std::nullopt;
    FileIdentity identity{st.st_dev, st.st_ino, resolved.leaf};
    if (folderIgnoresCase(resolved.folder)) {
        for (char& c : identity.leaf)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return identity;
}

bool sameFile(const std::string& a, const std::string& b) {
    const std::optional<FileIdentity> ia = fileIdentity(a);
    return ia && ia == fileIdentity(b);
}

int writeRefused(const std::string& path) {
    if (::faccessat(AT_FDCWD, path.c_str(), F_OK, AT_EACCESS) != 0) return 0;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

std::FILE* openScratchFile(const std::string& besideName, int& error) {
    const ResolvedName resolved = resolveName(besideName);
    const int fd = resolved.error ? -1 : ::open(resolved.folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) {
        if (std::FILE* file = ::fdopen(fd, "w+b")) return file;
        error = errno;
        ::close(fd);
        return nullptr;
    }
    // A folder that cannot take one (read-only, a file system without unnamed
    // files): the system's temporary folder.
    return openScratchFile(error);
}

std::FILE* openScratchFile(int& error) {
    errno = 0;
    if (std::FILE* file = std::tmpfile()) return file;
    error = errno ? errno : EIO;
    return nullptr;
}

void ensureStandardDescriptors() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // open() takes the lowest free descriptor: this one.
        const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened != fd && opened >= 0) ::close(opened);
    }
}

namespace {

// A slot is free (0), being filled (1) or holding a path to remove (2).
struct TemporarySlot {
    std::atomic<int> state{0};
    std::array<char, 4096> path{};
};
std::array<TemporarySlot, kMaxTemporaries> gTemporaries;

extern "C" void removeTemporariesAndDie(int signal) {
    for (TemporarySlot& slot : gTemporaries)
        if (slot.state.load() == 2) ::unlink(slot.path.data());
    std::signal(signal, SIG_DFL);
    std::raise(signal);
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

void installSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = removeTemporariesAndDie;
    sigemptyset(&action.sa_mask);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&action.sa_mask, s);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(s, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace vortel

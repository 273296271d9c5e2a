#include "core/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace vortel {

namespace fs = std::filesystem;

std::string errorText(int error) { return std::strerror(error); }

fs::path finalTarget(const std::string& name) {
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(name), ec);
    if (ec) p = fs::path(name);
    // A bounded walk, as the system bounds it (a loop of links ends here).
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::array<char, 4096> link{};
        const ssize_t n = ::readlink(p.c_str(), link.data(), link.size() - 1);
        if (n <= 0) break;
        const fs::path to(std::string(link.data(), static_cast<std::size_t>(n)));
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return p.lexically_normal();
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa {
    }, sb{};
    const bool ea = ::stat(a.c_str(), &sa) == 0;
    const bool eb = ::stat(b.c_str(), &sb) == 0;
    if (ea && eb) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    if (ea != eb) return false;
    std::error_code ec1, ec2;
    const fs::path pa = fs::weakly_canonical(finalTarget(a), ec1);
    const fs::path pb = fs::weakly_canonical(finalTarget(b), ec2);
    return !ec1 && !ec2 && pa == pb;
}

std::FILE* openScratchFile(const std::string& besideName, int& error) {
    fs::path folder = finalTarget(besideName).parent_path();
    if (folder.empty()) folder = ".";
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) {
        if (std::FILE* file = ::fdopen(fd, "w+b")) return file;
        error = errno;
        ::close(fd);
        return nullptr;
    }
    // A folder that cannot take one (read-only, a file system without unnamed
    // files): the system's temporary folder.
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

void installSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = removeTemporariesAndDie;
    sigemptyset(&action.sa_mask);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&action.sa_mask, s);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(s, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

}  // namespace vortel

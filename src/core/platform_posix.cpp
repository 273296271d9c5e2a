// The platform layer on Linux and other POSIX systems.
#if !defined(_WIN32)

#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <linux/fs.h>
#include <mutex>
#include <vector>

#include "core/platform.h"

namespace vortel::platform {

namespace {

FileStatus fromStat(const struct stat& st) {
    FileStatus s;
    s.exists = true;
    s.regular = S_ISREG(st.st_mode);
    s.directory = S_ISDIR(st.st_mode);
    s.link = S_ISLNK(st.st_mode);
    s.mode = static_cast<unsigned>(st.st_mode & 07777);
    if (s.regular) s.size = static_cast<long long>(st.st_size);
    return s;
}

void (*gCleanup)() = nullptr;

extern "C" void cleanUpAndDie(int signal) {
    if (gCleanup) gCleanup();
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP};

}  // namespace

std::string errorText(int error) { return std::strerror(error); }

std::FILE* openFile(const std::string& name, const char* mode) { return std::fopen(name.c_str(), mode); }

FileStatus statusOf(const std::string& name) {
    struct stat st {};
    if (::stat(name.c_str(), &st) == 0) return fromStat(st);
    FileStatus none;
    none.error = errno;
    return none;
}

FileStatus linkStatusOf(const std::string& name) {
    struct stat st {};
    if (::lstat(name.c_str(), &st) == 0) return fromStat(st);
    FileStatus none;
    none.error = errno;
    return none;
}

std::string realPath(const std::string& name, int& error) {
    char* real = ::realpath(name.c_str(), nullptr);
    if (!real) {
        error = errno;
        return {};
    }
    std::string path = real;
    std::free(real);
    return path;
}

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

int writeRefused(const std::string& path) {
    if (::faccessat(AT_FDCWD, path.c_str(), F_OK, AT_EACCESS) != 0) return 0;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

long long openFileSize(std::FILE* file) {
    struct stat st {};
    if (::fstat(::fileno(file), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
    return static_cast<long long>(st.st_size);
}

std::string linkText(const std::string& name) {
    std::array<char, 4096> link{};
    const ssize_t n = ::readlink(name.c_str(), link.data(), link.size() - 1);
    return n > 0 ? std::string(link.data(), static_cast<std::size_t>(n)) : std::string();
}

bool identityOf(const std::string& name, FileIdentity& identity) {
    struct stat st {};
    if (::stat(name.c_str(), &st) != 0) return false;
    identity = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
    return true;
}

std::FILE* openScratchFile(const std::string& folder, int& error) {
    if (!folder.empty()) {
#if defined(O_TMPFILE)
        const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd >= 0) {
            if (std::FILE* file = ::fdopen(fd, "w+b")) return file;
            error = errno;
            ::close(fd);
            return nullptr;
        }
#else
        // A named file in the folder, removed at once: it has a name only
        // for that moment.
        std::string pattern = folder + "/.vortel-dq-scratch-XXXXXX";
        int ignored = 0;
        if (std::FILE* file = createUniqueFile(pattern, 0600, false, ignored)) {
            ::unlink(pattern.c_str());
            std::FILE* both = std::freopen(nullptr, "w+b", file);
            if (both) return both;
        }
#endif
    }
    // A folder that cannot take one (read-only, a file system without unnamed
    // files): the system's temporary folder.
    errno = 0;
    if (std::FILE* file = std::tmpfile()) return file;
    error = errno ? errno : EIO;
    return nullptr;
}

std::FILE* createUniqueFile(std::string& pattern, unsigned mode, bool /*text*/, int& error) {
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int fd = ::mkstemp(buffer.data());
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    ::fchmod(fd, static_cast<mode_t>(mode));
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) {
        error = errno;
        ::close(fd);
        ::unlink(buffer.data());
        return nullptr;
    }
    pattern = buffer.data();
    return file;
}

int replaceFile(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int removeFile(const std::string& name) { return ::unlink(name.c_str()) == 0 ? 0 : errno; }

void removeFileNow(const char* name) { ::unlink(name); }

unsigned newFileMode() {
    static std::once_flag once;
    static mode_t mask = 022;
    std::call_once(once, [] {
        mask = ::umask(022);
        ::umask(mask);
    });
    return 0666u & ~static_cast<unsigned>(mask);
}

long long filePosition(std::FILE* file) {
    const off_t at = ::ftello(file);
    return at < 0 ? -1 : static_cast<long long>(at);
}

int cutFileTo(std::FILE* file, long long position) {
    std::fflush(file);
    if (::ftruncate(::fileno(file), static_cast<off_t>(position)) != 0) return errno;
    return seekFile(file, position);
}

int seekFile(std::FILE* file, long long position) {
    return ::fseeko(file, static_cast<off_t>(position), SEEK_SET) == 0 ? 0 : errno;
}

std::FILE* openNullDevice(const char* mode) { return std::fopen("/dev/null", mode); }

bool isTerminal(std::FILE* stream) { return stream && ::isatty(::fileno(stream)) == 1; }

void ensureStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // open() takes the lowest free descriptor: this one.
        const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened != fd && opened >= 0) ::close(opened);
    }
}

void installInterruptHandlers(void (*cleanup)()) {
    gCleanup = cleanup;
    struct sigaction action {};
    action.sa_handler = cleanUpAndDie;
    sigemptyset(&action.sa_mask);
    for (int s : kInterrupts) sigaddset(&action.sa_mask, s);
    for (int s : kInterrupts) ::sigaction(s, &action, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
    // A write past the file size limit fails as a write.
    ::signal(SIGXFSZ, SIG_IGN);
}

static_assert(sizeof(sigset_t) <= 128 && alignof(sigset_t) <= 8);

InterruptsHeld::InterruptsHeld() : saved_{} {
    sigset_t set;
    sigemptyset(&set);
    for (int s : kInterrupts) sigaddset(&set, s);
    ::pthread_sigmask(SIG_BLOCK, &set, reinterpret_cast<sigset_t*>(saved_));
}

InterruptsHeld::~InterruptsHeld() { ::pthread_sigmask(SIG_SETMASK, reinterpret_cast<sigset_t*>(saved_), nullptr); }

std::tm localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&now, &tm);
    return tm;
}

std::string programPath() {
    std::string path = linkText("/proc/self/exe");
    return path;
}

Arguments utf8Arguments(int argc, char* argv[]) { return {argc, argv}; }

}  // namespace vortel::platform

#endif

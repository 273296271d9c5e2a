#include "core/output_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <vector>

#include "core/files.h"

namespace vortel {

namespace {

mode_t processUmask() {
    static std::once_flag once;
    static mode_t mask = 022;
    std::call_once(once, [] {
        mask = ::umask(022);
        ::umask(mask);
    });
    return mask;
}

// Blocks the signals that end a run while a temporary is created and
// registered, so that none can be left behind unregistered.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t set;
        sigemptyset(&set);
        for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, s);
        ::pthread_sigmask(SIG_BLOCK, &set, &old_);
    }
    ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &old_, nullptr); }

private:
    sigset_t old_;
};

}  // namespace

OutputFile::~OutputFile() { discard(); }

int OutputFile::open(const std::string& name) {
    discard();
    name_ = name;
    if (name.empty()) return ENOENT;
    // The name means what open() makes of it: a folder that cannot be
    // reached fails as it would, `..` goes where the system takes it.
    const ResolvedName resolved = resolveName(name);
    if (resolved.error) return resolved.error;
    target_ = resolved.path();
    struct stat st {};
    const bool exists = !resolved.leaf.empty() && ::stat(target_.c_str(), &st) == 0;
    // A file the user may not write stays so: a rename would replace it.
    if (exists && S_ISREG(st.st_mode))
        if (const int error = writeRefused(target_)) return error;
    // A name ending in "/", "." or ".." names a folder: opened directly, it fails so.
    if ((!exists || S_ISREG(st.st_mode)) && !resolved.leaf.empty()) {
        std::string pattern = resolved.folder == "/" ? "/." : resolved.folder + "/.";
        pattern.append(resolved.leaf).append(".vortel-dq-XXXXXX");
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        SignalsHeld held;
        const int fd = ::mkstemp(buffer.data());
        if (fd >= 0) {
            int error = 0;
            slot_ = registerTemporary(buffer.data(), error);
            const mode_t mode = exists ? (st.st_mode & 07777) : (0666 & ~processUmask());
            ::fchmod(fd, mode);
            if (!error) {
                file_ = ::fdopen(fd, "wb");
                if (!file_) error = errno;
            }
            if (error) {
                // Never a temporary the signal handlers do not know of.
                ::close(fd);
                ::unlink(buffer.data());
                unregisterTemporary(slot_);
                slot_ = -1;
                return error;
            }
            temporary_ = buffer.data();
            std::setvbuf(file_, nullptr, _IONBF, 0);
            return 0;
        }
    }
    // Written directly: not a regular file, or no room for a temporary beside it.
    file_ = std::fopen(name.c_str(), "wb");
    if (!file_) return errno;
    std::setvbuf(file_, nullptr, _IONBF, 0);
    return 0;
}

long long OutputFile::position() const {
    if (!file_) return -1;
    const off_t at = ::ftello(file_);
    return at < 0 ? -1 : static_cast<long long>(at);
}

int OutputFile::cutBackTo(long long position) {
    if (!file_) return EBADF;
    std::fflush(file_);
    if (::ftruncate(::fileno(file_), static_cast<off_t>(position)) != 0) return errno;
    return ::fseeko(file_, static_cast<off_t>(position), SEEK_SET) == 0 ? 0 : errno;
}

int OutputFile::close() {
    if (!file_) return 0;
    int error = 0;
    if (std::fflush(file_) != 0 || std::ferror(file_)) error = errno ? errno : EIO;
    if (std::fclose(file_) != 0 && error == 0) error = errno;
    file_ = nullptr;
    return error;
}

int OutputFile::place() {
    if (file_) {
        if (const int error = close()) return error;
    }
    if (temporary_.empty()) return 0;
    const int error = ::rename(temporary_.c_str(), target_.c_str()) == 0 ? 0 : errno;
    if (error) ::unlink(temporary_.c_str());
    unregisterTemporary(slot_);
    slot_ = -1;
    temporary_.clear();
    return error;
}

void OutputFile::discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        unregisterTemporary(slot_);
        slot_ = -1;
        temporary_.clear();
    }
}

}  // namespace vortel

#include "core/output_file.h"

#include <cerrno>

#include "core/files.h"
#include "core/platform.h"

namespace vortel {

OutputFile::~OutputFile() { discard(); }

int OutputFile::open(const std::string& name, bool text) {
    discard();
    name_ = name;
    if (name.empty()) return ENOENT;
    // The name means what open() makes of it: a folder that cannot be
    // reached fails as it would, `..` goes where the system takes it.
    const ResolvedName resolved = resolveName(name);
    if (resolved.error) return resolved.error;
    target_ = resolved.path();
    const platform::FileStatus st = resolved.leaf.empty() ? platform::FileStatus{} : platform::statusOf(target_);
    // A file the user may not write stays so: a rename would replace it.
    if (st.exists && st.regular)
        if (const int error = writeRefused(target_)) return error;
    // A name ending in "/", "." or ".." names a folder: opened directly, it fails so.
    if ((!st.exists || st.regular) && !resolved.leaf.empty()) {
        std::string made = resolved.folder == "/" ? "/." : resolved.folder + "/.";
        made.append(resolved.leaf).append(".vortel-dq-XXXXXX");
        const unsigned mode = st.exists ? st.mode : platform::newFileMode();
        platform::InterruptsHeld held;
        int error = 0;
        file_ = platform::createUniqueFile(made, mode, text, error);
        if (file_) {
            slot_ = registerTemporary(made, error);
            if (error) {
                // Never a temporary the signal handlers do not know of.
                std::fclose(file_);
                file_ = nullptr;
                platform::removeFile(made);
                unregisterTemporary(slot_);
                slot_ = -1;
                return error;
            }
            temporary_ = made;
            std::setvbuf(file_, nullptr, _IONBF, 0);
            return 0;
        }
    }
    // Written directly: not a regular file, or no room for a temporary beside it.
    file_ = platform::openFile(name, text ? "w" : "wb");
    if (!file_) return errno;
    std::setvbuf(file_, nullptr, _IONBF, 0);
    return 0;
}

long long OutputFile::position() const {
    if (!file_) return -1;
    return platform::filePosition(file_);
}

std::FILE* OutputFile::openToReadBack() const {
    if (!file_ || temporary_.empty()) return nullptr;
    return platform::openFile(temporary_, "rb");
}

int OutputFile::cutBackTo(long long position) {
    if (!file_) return EBADF;
    return platform::cutFileTo(file_, position);
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
    const int error = platform::replaceFile(temporary_, target_);
    if (error) platform::removeFile(temporary_);
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
        platform::removeFile(temporary_);
        unregisterTemporary(slot_);
        slot_ = -1;
        temporary_.clear();
    }
}

}  // namespace vortel

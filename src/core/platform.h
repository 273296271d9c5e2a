// The one place that asks the operating system for something: opening and
// placing files, file identity, links, scratch files, the null device, the
// standard streams, interrupts, the local clock and the program's own path.
// platform_posix.cpp serves Linux and other POSIX systems, platform_win32.cpp
// Windows; nothing else in the program includes a system header. Names are
// UTF-8 on every system; error numbers are the C library's (errno values),
// a system's own codes being mapped to them at this layer's edge.
#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>

// printf-style argument checking: the format is argument `f`, its values
// start at argument `a` (in a member function `this` counts as argument 1).
#if defined(__MINGW32__)
#define VORTEL_PRINTF_FORMAT(f, a) __attribute__((format(gnu_printf, f, a)))
#elif defined(__GNUC__)
#define VORTEL_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#else
#define VORTEL_PRINTF_FORMAT(f, a)
#endif

namespace vortel::platform {

// The system's text for an error number.
std::string errorText(int error);

// Opens a file by its UTF-8 name with an fopen mode. Inputs and outputs are
// opened in binary mode ("rb", "wb"), so that their bytes are the same on
// every system; "w" is the system's text mode (on Windows a line feed is
// written as CR LF). Returns nothing and sets errno when it cannot.
std::FILE* openFile(const std::string& name, const char* mode);

// What the system says of a name (links followed, or the link itself).
struct FileStatus {
    bool exists = false;
    bool regular = false;
    bool directory = false;
    bool link = false;
    unsigned mode = 0;    // permission bits
    long long size = -1;  // a regular file's size (64 bits on every system)
    int error = 0;        // why not, when it does not exist (ENOENT ...)
};
FileStatus statusOf(const std::string& name);
FileStatus linkStatusOf(const std::string& name);

// The size of an open regular file, or -1 for anything else (a pipe, a device).
long long openFileSize(std::FILE* file);

// The text of a symbolic link, or an empty string when the name is none.
std::string linkText(const std::string& name);

// The characters that separate the parts of a name.
#if defined(_WIN32)
inline constexpr std::string_view kSeparators = "/\\";
#else
inline constexpr std::string_view kSeparators = "/";
#endif

// The absolute name of an existing file or folder with every link and `..`
// resolved by the system; empty, with `error` set, when it cannot be reached.
std::string realPath(const std::string& name, int& error);

// True when the file system of `folder` ignores the case of names (FAT,
// exFAT, NTFS, a folder marked so, every folder on Windows).
bool folderIgnoresCase(const std::string& folder);

// When a file exists under `path` and the process may not write it: the
// error number (judged as opening it would judge), else 0.
int writeRefused(const std::string& path);

// One file on disk however it is named: its volume and its number on it.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};
// Fills `identity` and returns true when the name denotes an existing file.
bool identityOf(const std::string& name, FileIdentity& identity);

// An unnamed scratch file opened for reading and writing in `folder` (empty:
// the system's temporary folder), gone when it is closed or the process ends.
std::FILE* openScratchFile(const std::string& folder, int& error);

// Creates a new file from `pattern`, whose last six characters are XXXXXX and
// become a unique part, with the permission bits `mode`; opened for writing,
// in the system's text mode when `text`, else binary. `pattern` holds the
// name made. Returns nothing and sets `error`.
std::FILE* createUniqueFile(std::string& pattern, unsigned mode, bool text, int& error);

// Moves `from` onto `to`, replacing it. Returns 0 or an error number.
int replaceFile(const std::string& from, const std::string& to);
// Removes a file. Returns 0 or an error number.
int removeFile(const std::string& name);
// The same, callable from an interrupt handler (no allocation on POSIX).
void removeFileNow(const char* name);

// The mode a newly created file gets: 0666 less the process's umask.
unsigned newFileMode();

// Where the next byte of an open file goes, or -1 when it cannot tell; and
// cutting the file back to such a position. 64-bit on every system.
long long filePosition(std::FILE* file);
int cutFileTo(std::FILE* file, long long position);
// Goes to a position of an open file. Returns 0 or an error number.
int seekFile(std::FILE* file, long long position);

// The null device ("/dev/null", "NUL") opened with an fopen mode.
std::FILE* openNullDevice(const char* mode);

// True when `stream` writes to a terminal (a console on Windows), where a
// person reads it; false for a file, a pipe or the null device.
bool isTerminal(std::FILE* stream);

// Opens the null device on any closed standard stream, so that no file the
// run opens takes the place of one.
void ensureStandardStreams();

// Interrupts (SIGINT, SIGTERM and SIGHUP on POSIX; Ctrl-C, Ctrl-Break and
// closing the console on Windows) call `cleanup` and then end the process as
// the system ends an interrupted program. A write to a closed pipe fails as a
// write instead of ending the run.
void installInterruptHandlers(void (*cleanup)());

// Holds interrupts back while it lives, so that a temporary file is never
// created without being registered for removal.
class InterruptsHeld {
public:
    InterruptsHeld();
    ~InterruptsHeld();
    InterruptsHeld(const InterruptsHeld&) = delete;
    InterruptsHeld& operator=(const InterruptsHeld&) = delete;

private:
    alignas(8) unsigned char saved_[128];
};

// The local time now.
std::tm localTimeNow();

// The path of the running program, or an empty string when the system cannot
// tell.
std::string programPath();

// The command line as UTF-8 (on POSIX: as given).
struct Arguments {
    int count = 0;
    char** values = nullptr;
};
Arguments utf8Arguments(int argc, char* argv[]);

// Byte order: a big-endian reading of an 8-byte or 4-byte word as the
// compiler's byte-swap instruction.
constexpr std::uint64_t fromBigEndian64(std::uint64_t x) {
    if constexpr (std::endian::native == std::endian::big) return x;
    x = ((x & 0x00FF00FF00FF00FFull) << 8) | ((x >> 8) & 0x00FF00FF00FF00FFull);
    x = ((x & 0x0000FFFF0000FFFFull) << 16) | ((x >> 16) & 0x0000FFFF0000FFFFull);
    return (x << 32) | (x >> 32);
}
constexpr std::uint32_t fromBigEndian32(std::uint32_t x) {
    if constexpr (std::endian::native == std::endian::big) return x;
    x = ((x & 0x00FF00FFu) << 8) | ((x >> 8) & 0x00FF00FFu);
    return (x << 16) | (x >> 16);
}

}  // namespace vortel::platform

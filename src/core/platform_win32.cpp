// The platform layer on Windows. Names are UTF-8 inside the program and wide
// (UTF-16) at the system's calls; every file is opened in binary mode; the
// system's error codes are mapped to the C library's error numbers.
#if defined(_WIN32)

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After windows.h, which it builds on.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>
#include <vector>

#include "core/platform.h"

namespace vortel::platform {

namespace {

std::wstring wide(const std::string& text) {
    if (text.empty()) return {};
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string narrow(const wchar_t* text, int length) {
    if (length == 0) return {};
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
    return out;
}

// The C library's error number for a system error code.
int errnoOf(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_CURRENT_DIRECTORY:
            return EACCES;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_NOT_SAME_DEVICE:
            return EXDEV;
        case ERROR_NOT_ENOUGH_MEMORY:
        case ERROR_OUTOFMEMORY:
            return ENOMEM;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        default:
            return EIO;
    }
}

int lastErrno() { return errnoOf(::GetLastError()); }

// A handle that only reads the file's attributes (folders included).
HANDLE openForAttributes(const std::string& name, bool followLinks) {
    DWORD flags = FILE_FLAG_BACKUP_SEMANTICS;
    if (!followLinks) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
    return ::CreateFileW(wide(name).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, flags, nullptr);
}

FileStatus statusOfHandle(HANDLE h) {
    FileStatus s;
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(h) != FILE_TYPE_DISK) {
        s.exists = true;
        s.mode = 0666;
        return s;
    }
    if (!::GetFileInformationByHandle(h, &info)) return s;
    s.exists = true;
    s.directory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    s.link = (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    s.regular = !s.directory && !s.link;
    s.mode = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) ? 0444u : 0666u;
    if (s.regular)
        s.size =
            static_cast<long long>((static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow);
    return s;
}

FileStatus status(const std::string& name, bool followLinks) {
    const HANDLE h = openForAttributes(name, followLinks);
    if (h == INVALID_HANDLE_VALUE) {
        FileStatus none;
        none.error = lastErrno();
        return none;
    }
    const FileStatus s = statusOfHandle(h);
    ::CloseHandle(h);
    return s;
}

// A stdio stream on a system handle.
std::FILE* streamOf(HANDLE h, int flags, const char* mode, int& error) {
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(h), flags);
    if (fd < 0) {
        error = EMFILE;
        ::CloseHandle(h);
        return nullptr;
    }
    std::FILE* file = ::_fdopen(fd, mode);
    if (!file) {
        error = errno;
        ::_close(fd);
    }
    return file;
}

void (*gCleanup)() = nullptr;
SRWLOCK gInterruptLock = SRWLOCK_INIT;

// Runs on a thread of its own when the console sends an event.
BOOL WINAPI onConsoleEvent(DWORD event) {
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT:
        case CTRL_LOGOFF_EVENT:
        case CTRL_SHUTDOWN_EVENT:
            ::AcquireSRWLockExclusive(&gInterruptLock);
            if (gCleanup) gCleanup();
            // The status of a console program ended by Ctrl-C.
            ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(STATUS_CONTROL_C_EXIT));
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

std::string errorText(int error) { return std::strerror(error); }

std::FILE* openFile(const std::string& name, const char* mode) {
    return ::_wfopen(wide(name).c_str(), wide(mode).c_str());
}

FileStatus statusOf(const std::string& name) { return status(name, true); }

FileStatus linkStatusOf(const std::string& name) { return status(name, false); }

long long openFileSize(std::FILE* file) {
    const HANDLE h = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)));
    if (h == INVALID_HANDLE_VALUE) return -1;
    return statusOfHandle(h).size;
}

std::string linkText(const std::string&) {
    // Links are followed by the system when a file is opened; the name
    // itself stands for its target.
    return {};
}

std::string realPath(const std::string& name, int& error) {
    const HANDLE h = openForAttributes(name, true);
    if (h == INVALID_HANDLE_VALUE) {
        error = lastErrno();
        return {};
    }
    std::vector<wchar_t> path(MAX_PATH);
    DWORD n = ::GetFinalPathNameByHandleW(h, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
    if (n >= path.size()) {
        path.resize(n + 1);
        n = ::GetFinalPathNameByHandleW(h, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
    }
    ::CloseHandle(h);
    if (n == 0 || n >= path.size()) {
        error = lastErrno();
        return {};
    }
    std::wstring text(path.data(), n);
    // \\?\C:\... as the system gives it; C:\... as names are written.
    if (text.rfind(L"\\\\?\\UNC\\", 0) == 0)
        text = L"\\\\" + text.substr(8);
    else if (text.rfind(L"\\\\?\\", 0) == 0)
        text = text.substr(4);
    return narrow(text.data(), static_cast<int>(text.size()));
}

bool folderIgnoresCase(const std::string&) { return true; }

int writeRefused(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;
    return (attributes & FILE_ATTRIBUTE_READONLY) ? EACCES : 0;
}

bool identityOf(const std::string& name, FileIdentity& identity) {
    const HANDLE h = openForAttributes(name, true);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = ::GetFileInformationByHandle(h, &info) != 0;
    ::CloseHandle(h);
    if (!ok) return false;
    identity = {info.dwVolumeSerialNumber,
                (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    return true;
}

std::FILE* openScratchFile(const std::string& folder, int& error) {
    std::wstring where;
    if (!folder.empty()) {
        where = wide(folder);
    } else {
        wchar_t temp[MAX_PATH + 1];
        const DWORD n = ::GetTempPathW(MAX_PATH + 1, temp);
        where.assign(temp, n);
    }
    for (const std::wstring& dir : {where, std::wstring(L".")}) {
        wchar_t name[MAX_PATH + 16];
        if (dir.size() > MAX_PATH - 14 || !::GetTempFileNameW(dir.c_str(), L"vdq", 0, name)) continue;
        // Deleted by the system when its last handle closes, the process's end included.
        const HANDLE h = ::CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            ::DeleteFileW(name);
            continue;
        }
        return streamOf(h, _O_RDWR | _O_BINARY, "w+b", error);
    }
    error = lastErrno();
    return nullptr;
}

std::FILE* createUniqueFile(std::string& pattern, unsigned mode, bool text, int& error) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    if (pattern.size() < 6) {
        error = EINVAL;
        return nullptr;
    }
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = pattern;
        for (std::size_t i = name.size() - 6; i < name.size(); ++i) name[i] = kLetters[rd() % (sizeof kLetters - 1)];
        const HANDLE h = ::CreateFileW(wide(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                       CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            if (::GetLastError() == ERROR_FILE_EXISTS) continue;
            error = lastErrno();
            return nullptr;
        }
        (void)mode;  // the file takes the folder's permissions
        pattern = name;
        if (text) return streamOf(h, _O_WRONLY | _O_TEXT, "w", error);
        return streamOf(h, _O_WRONLY | _O_BINARY, "wb", error);
    }
    error = EEXIST;
    return nullptr;
}

int replaceFile(const std::string& from, const std::string& to) {
    // Windows refuses to replace a read-only file; said here, so that every
    // implementation of the call (wine's included) refuses it alike.
    const DWORD attributes = ::GetFileAttributesW(wide(to).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return EACCES;
    if (::MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return lastErrno();
}

int removeFile(const std::string& name) { return ::DeleteFileW(wide(name).c_str()) ? 0 : lastErrno(); }

void removeFileNow(const char* name) {
    wchar_t path[4096];
    if (::MultiByteToWideChar(CP_UTF8, 0, name, -1, path, 4096) > 0) ::DeleteFileW(path);
}

unsigned newFileMode() { return 0666; }

long long filePosition(std::FILE* file) {
    const long long at = ::_ftelli64(file);
    return at < 0 ? -1 : at;
}

int cutFileTo(std::FILE* file, long long position) {
    std::fflush(file);
    if (const int error = ::_chsize_s(::_fileno(file), position)) return error;
    return seekFile(file, position);
}

int seekFile(std::FILE* file, long long position) { return ::_fseeki64(file, position, SEEK_SET) == 0 ? 0 : errno; }

std::FILE* openNullDevice(const char* mode) { return openFile("NUL", mode); }

// _isatty() says yes for the NUL device too: only a console has a console mode.
bool isTerminal(std::FILE* stream) {
    if (!stream) return false;
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && ::GetConsoleMode(handle, &mode) != 0;
}

void ensureStandardStreams() {
    std::FILE* const streams[] = {stdin, stdout, stderr};
    for (int fd = 0; fd <= 2; ++fd) {
        if (::_get_osfhandle(fd) != -1) continue;
        std::FILE* s = streams[fd];
        if (!::_wfreopen(L"NUL", fd == 0 ? L"rb" : L"wb", s)) continue;
    }
    // Bytes go out as they are: no LF to CR LF on the console's streams.
    ::_setmode(::_fileno(stdin), _O_BINARY);
    ::_setmode(::_fileno(stdout), _O_BINARY);
    ::_setmode(::_fileno(stderr), _O_BINARY);
}

void installInterruptHandlers(void (*cleanup)()) {
    gCleanup = cleanup;
    // A program started in a process group of its own begins with Ctrl-C
    // ignored; it is handled all the same, as the POSIX handlers take over
    // an ignored SIGINT.
    ::SetConsoleCtrlHandler(nullptr, FALSE);
    ::SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

InterruptsHeld::InterruptsHeld() : saved_{} { ::AcquireSRWLockExclusive(&gInterruptLock); }

InterruptsHeld::~InterruptsHeld() { ::ReleaseSRWLockExclusive(&gInterruptLock); }

std::tm localTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    ::localtime_s(&tm, &now);
    return tm;
}

std::string programPath() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) return narrow(path.data(), static_cast<int>(n));
        path.resize(path.size() * 2);
    }
}

Arguments utf8Arguments(int argc, char* argv[]) {
    int count = 0;
    wchar_t** wideArgs = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wideArgs) return {argc, argv};
    static std::vector<std::string> texts;
    static std::vector<char*> values;
    texts.clear();
    for (int i = 0; i < count; ++i) texts.push_back(narrow(wideArgs[i], static_cast<int>(std::wcslen(wideArgs[i]))));
    ::LocalFree(wideArgs);
    values.clear();
    for (std::string& t : texts) values.push_back(t.data());
    values.push_back(nullptr);
    return {count, values.data()};
}

}  // namespace vortel::platform

#endif

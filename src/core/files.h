// The program's calls into the operating system about files and the process:
// file identity, the target a name finally denotes, the standard descriptors
// and the signals that end a run. Checks and outputs never call the system
// directly; another platform replaces this layer.
#pragma once

#include <compare>
#include <cstdio>
#include <optional>
#include <string>

namespace vortel {

// The system's text for an error number, as strerror gives it.
std::string errorText(int error);

// Where a name leads when a file is created or replaced under it, as the
// system's open() resolves it: the folder (every link and `..` in it resolved
// by the system, so that `link/..` is the parent of the link's target) and
// the last component, links of the last component followed (dangling ones
// included). Nothing is shortened or normalised as text.
struct ResolvedName {
    std::string folder;  // absolute, without links; empty with `leaf` when the
    std::string leaf;    // name ends in "/", "." or ".." (it names a folder)
    int error = 0;       // why the folder cannot be reached (ENOENT, ENOTDIR...)
    std::string path() const;
};
ResolvedName resolveName(const std::string& name);

// The absolute path a folder will have once created as `mkdir -p` creates it:
// existing folders resolved by the system (links, `..` after them), folders
// still to be made appended as named (a new folder is never a link, so `..`
// after one is its parent). Empty when a part of it cannot be searched.
std::string folderToBe(const std::string& folder);

// What tells files apart: device and inode of a file that exists; for a name
// that does not exist yet, those of its resolved folder and its last
// component (in lower case where the folder's file system ignores case).
struct FileIdentity {
    unsigned long long device = 0;
    unsigned long long inode = 0;
    std::string leaf;
    auto operator<=>(const FileIdentity&) const = default;
};
// Nothing when the name leads nowhere (its folder cannot be reached).
std::optional<FileIdentity> fileIdentity(const std::string& name);

// True when both names denote one file: the same file on disk (through any
// path or link), or, for files that do not exist yet, the same new file.
bool sameFile(const std::string& a, const std::string& b);

// True when a file exists under `path` and the process may not write it
// (judged with the effective ids, as open() judges): its error number, or 0.
int writeRefused(const std::string& path);

// An unnamed file for the run's own use, opened for reading and writing: in
// the resolved folder of `besideName` when that folder can take one (so that it fills
// the disk the output goes to), else in the system's folder for temporary
// files. It has no name at any moment, so nothing is left behind when the run
// ends in any way; closing it frees its space. Returns nothing and sets
// `error` when neither can be made.
std::FILE* openScratchFile(const std::string& besideName, int& error);

// Opens /dev/null on any of the descriptors 0, 1 and 2 that is closed, so that
// no file the run opens can take the place of a standard stream.
void ensureStandardDescriptors();

// SIGINT, SIGTERM and SIGHUP remove the run's temporary files and then end
// the process by the same signal; SIGPIPE and SIGXFSZ are ignored, so that a
// write to a closed pipe or past the file size limit fails as a write
// instead of ending the run.
void installSignalHandlers();

// The same in the system's folder for temporary files.
std::FILE* openScratchFile(int& error);

// Temporary files the signal handlers remove. Registration is safe against a
// signal arriving at any moment; at most kMaxTemporaries at once.
inline constexpr int kMaxTemporaries = 256;
// A slot, or -1 with `error` set (the table is full, the path too long).
int registerTemporary(const std::string& path, int& error);
void unregisterTemporary(int slot);

}  // namespace vortel

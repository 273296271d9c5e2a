// The program's calls into the operating system about files and the process:
// file identity, the target a name finally denotes, the standard descriptors
// and the signals that end a run. Checks and outputs never call the system
// directly; another platform replaces this layer.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace vortel {

// The system's text for an error number, as strerror gives it.
std::string errorText(int error);

// The path `name` finally denotes: made absolute, with every symbolic link of
// its last part followed, dangling ones included.
std::filesystem::path finalTarget(const std::string& name);

// True when both names denote one file: the same file on disk (through any
// path or link), or, for files that do not exist yet, the same final path.
bool sameFile(const std::string& a, const std::string& b);

// An unnamed file for the run's own use, opened for reading and writing: in
// the folder of `besideName` when that folder can take one (so that it fills
// the disk the output goes to), else in the system's folder for temporary
// files. It has no name at any moment, so nothing is left behind when the run
// ends in any way; closing it frees its space. Returns nothing and sets
// `error` when neither can be made.
std::FILE* openScratchFile(const std::string& besideName, int& error);

// Opens /dev/null on any of the descriptors 0, 1 and 2 that is closed, so that
// no file the run opens can take the place of a standard stream.
void ensureStandardDescriptors();

// SIGINT, SIGTERM and SIGHUP remove the run's temporary files and then end
// the process by the same signal; SIGPIPE is ignored, so that a write to a
// closed pipe fails as a write instead of ending the run.
void installSignalHandlers();

// Temporary files the signal handlers remove. Registration is safe against a
// signal arriving at any moment; at most kMaxTemporaries at once.
inline constexpr int kMaxTemporaries = 256;
int registerTemporary(const std::string& path);  // a slot, or -1 when full
void unregisterTemporary(int slot);

}  // namespace vortel

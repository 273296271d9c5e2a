// Runs the whole program in-process in a scratch directory and collects what
// it wrote: console output, error output, exit status and the files left.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/run_context.h"

namespace vortel::testing {

struct RunResult {
    int status = 0;
    std::string out;
    std::string err;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& text);

// A scratch directory that is removed when the object goes away.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Runs the program with `args` (without the program name) inside `dir`,
// feeding `input` to its standard input.
RunResult runIn(const std::filesystem::path& dir, const std::vector<std::string>& args, const std::string& input = "",
                const MemoryLimits& limits = {});

// True when python3 runs (the data generator needs it).
bool havePython();

// The tests built for Windows run under wine (or on Windows): facilities of
// Linux (a shell, FIFOs, /dev/full, ulimit, signals) are not there.
#if defined(_WIN32)
inline constexpr bool kOnWindows = true;
#else
inline constexpr bool kOnWindows = false;
#endif

// True when the tests run as the superuser, who may read any file.
bool runningAsSuperuser();

// A report's text with its line ends as on Linux: on Windows, where a report
// ends its lines with CR LF, each CR LF becomes LF; a line feed without its
// CR there is left as "<LF without CR>" so that the comparison fails.
std::string readReport(const std::filesystem::path& path);

// The usual answers: data.txt, freport.txt, areport.txt, State 01, fips.lst,
// and a fixed clock of 2026-12-08 09:00.
std::vector<std::string> standardArgs(const std::string& state = "01");

// `args` with the options of `more` added; an option given in both takes the
// value of `more` (an option may be given only once).
std::vector<std::string> withOptions(std::vector<std::string> args, const std::vector<std::string>& more);

}  // namespace vortel::testing

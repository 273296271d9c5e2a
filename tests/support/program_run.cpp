#include "support/program_run.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "core/platform.h"
#include "run/run_control.h"

namespace vortel::testing {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

ScratchDir::ScratchDir() {
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path p = fs::temp_directory_path() / ("vortel-test-" + std::to_string(rd()));
        if (fs::create_directory(p)) {
            path_ = p;
            return;
        }
    }
    throw std::runtime_error("cannot create a scratch directory");
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

namespace {

std::string drain(std::FILE* f) {
    std::string s;
    std::rewind(f);
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    std::fclose(f);
    return s;
}

}  // namespace

RunResult runIn(const fs::path& dir, const std::vector<std::string>& args, const std::string& input,
                const MemoryLimits& limits) {
    std::vector<const char*> argv{"vortel-dq"};
    for (const auto& a : args) argv.push_back(a.c_str());
    argv.push_back(nullptr);

    // Scratch files of the program's own kind: the C runtime's tmpfile() on
    // Windows makes them in the drive's root, under names that clash between
    // processes running at once.
    int error = 0;
    std::FILE* in = vortel::platform::openScratchFile(std::string(), error);
    std::fwrite(input.data(), 1, input.size(), in);
    std::rewind(in);
    std::FILE* out = vortel::platform::openScratchFile(std::string(), error);
    std::FILE* err = vortel::platform::openScratchFile(std::string(), error);
    if (!in || !out || !err)
        throw std::runtime_error("cannot make a scratch file: " + vortel::platform::errorText(error));

    const fs::path before = fs::current_path();
    fs::current_path(dir);
    RunResult r;
    r.status = runProgram(static_cast<int>(argv.size() - 1), argv.data(), {in, out, err}, limits);
    fs::current_path(before);
    std::fclose(in);
    r.out = drain(out);
    r.err = drain(err);
    return r;
}

bool havePython() { return !kOnWindows && std::system("python3 --version >/dev/null 2>&1") == 0; }

bool runningAsSuperuser() {
#if defined(_WIN32)
    return false;
#else
    return ::geteuid() == 0;
#endif
}

std::string readReport(const fs::path& path) {
    const std::string text = readFile(path);
    if (!kOnWindows) return text;
    std::string lf;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) lf += "<LF without CR>";
        lf += text[i];
    }
    return lf;
}

std::vector<std::string> standardArgs(const std::string& state) {
    return {"--data",
            "data.txt",
            "--foster-care-report",
            "freport.txt",
            "--adoption-report",
            "areport.txt",
            "--state",
            state,
            "--fips",
            "fips.lst",
            "--as-of",
            "2026-12-08 09:00"};
}

std::vector<std::string> withOptions(std::vector<std::string> args, const std::vector<std::string>& more) {
    for (std::size_t i = 0; i < more.size(); ++i) {
        const bool valued = i + 1 < more.size() && more[i + 1].rfind("--", 0) != 0;
        const auto at = std::find(args.begin(), args.end(), more[i]);
        if (valued && at != args.end() && at + 1 != args.end()) {
            *(at + 1) = more[++i];
            continue;
        }
        args.push_back(more[i]);
        if (valued) args.push_back(more[++i]);
    }
    return args;
}

}  // namespace vortel::testing

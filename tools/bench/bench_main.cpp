// Timing driver for vortel-dq: checks generated data files of one record kind
// with the real program (a child process, so that its peak resident memory is
// its own) and compares its time with the time of only reading the same file.
//
//   vortel_bench PROGRAM DATAFILE KIND RECORDS FIPS [STREAM-COMMAND]
//
// KIND names the records counted ("adoption", "foster-care", "aggregate",
// "footnotes", "zeros"; it only labels the line); RECORDS their number in the
// file. A file is checked three times and the median run reported. With STREAM-COMMAND the program reads the output of
// that shell command through a pipe instead (the file is then not read beforehand).
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/line_reader.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Reads the file line by line exactly as the program does, and nothing else.
double readOnlySeconds(const std::string& path, long& lines) {
    std::FILE* f = std::fopen(path.c_str(), "r");
    if (!f) {
        std::perror(path.c_str());
        std::exit(1);
    }
    const auto start = Clock::now();
    vortel::LineReader reader(f);
    lines = 0;
    while (reader.next()) ++lines;
    const double s = secondsSince(start);
    std::fclose(f);
    return s;
}

struct ChildRun {
    double seconds;
    long maxRssKiB;
    int status;
};

pid_t spawn(const std::vector<std::string>& args, int stdinFd, int stdoutFd) {
    std::vector<char*> argv;
    argv.reserve(args.size());
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdoutFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, stdoutFd, 1);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    }
    if (stdinFd >= 0) posix_spawn_file_actions_adddup2(&actions, stdinFd, 0);
    pid_t pid;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
        std::perror("posix_spawn");
        std::exit(1);
    }
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// Runs the program (reading `generator`'s output through a pipe when given)
// and measures the program's own time and peak resident memory.
ChildRun runProgram(const std::vector<std::string>& args, const std::string& generator) {
    int pipeFds[2] = {-1, -1};
    pid_t producer = -1;
    const auto start = Clock::now();
    if (!generator.empty()) {
        if (pipe(pipeFds) != 0) std::exit(1);
        producer = spawn({"/bin/sh", "-c", generator}, -1, pipeFds[1]);
        close(pipeFds[1]);
    }
    const pid_t pid = spawn(args, pipeFds[0], -1);
    if (pipeFds[0] >= 0) close(pipeFds[0]);
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    const double seconds = secondsSince(start);
    if (producer > 0) waitpid(producer, nullptr, 0);
    return {seconds, usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: %s PROGRAM DATAFILE KIND RECORDS FIPS [STREAM-COMMAND]\n", argv[0]);
        return 2;
    }
    const std::string program = argv[1];
    const std::string data = argv[2];
    const std::string kind = argv[3];
    const long records = std::atol(argv[4]);
    const std::string fips = argv[5];
    const bool stream = argc > 6;
    const std::string dir = data + ".out";
    std::system(("mkdir -p '" + dir + "'").c_str());

    std::vector<std::string> args = {program,
                                     "--data",
                                     stream ? "/dev/stdin" : data,
                                     "--foster-care-report",
                                     dir + "/freport.txt",
                                     "--adoption-report",
                                     dir + "/areport.txt",
                                     "--state",
                                     "01",
                                     "--fips",
                                     fips,
                                     "--as-of",
                                     "2026-12-08 09:00"};
    // This machine's speed varies from run to run: a file is checked three
    // times (a stream once), each beside a read-only pass of its own, and the
    // run with the median time is reported.
    const int repeats = stream ? 1 : 3;
    std::vector<std::pair<ChildRun, double>> runs;
    for (int i = 0; i < repeats; ++i) {
        long lines = 0;
        const double readSeconds = stream ? 0.0 : readOnlySeconds(data, lines);
        const ChildRun one = runProgram(args, stream ? argv[6] : "");
        if (one.status != 0) {
            std::fprintf(stderr, "the program ended with status %d\n", one.status);
            return 1;
        }
        runs.emplace_back(one, readSeconds);
    }
    std::sort(runs.begin(), runs.end(), [](const auto& a, const auto& b) { return a.first.seconds < b.first.seconds; });
    const ChildRun& run = runs[runs.size() / 2].first;
    const double readSeconds = runs[runs.size() / 2].second;
    long maxRss = 0;
    for (const auto& r : runs) maxRss = std::max(maxRss, r.first.maxRssKiB);
    const double count = static_cast<double>(records);
    const double rssMiB = static_cast<double>(maxRss) / 1024.0;
    if (records > 0) {
        std::printf("%-12s %10ld records  %7.2f s  %12.0f records/s  peak RSS %6.1f MiB", kind.c_str(), records,
                    run.seconds, count / run.seconds, rssMiB);
    } else {
        std::printf("%-12s %10s          %7.2f s  %22s  peak RSS %6.1f MiB", kind.c_str(), "", run.seconds, "", rssMiB);
    }
    if (!stream) {
        std::printf("  read only %5.2f s  ratio %5.2f", readSeconds, run.seconds / readSeconds);
        if (records > 0) {
            std::printf("  (fastest %.0f, slowest %.0f records/s)", count / runs.front().first.seconds,
                        count / runs.back().first.seconds);
        }
    }
    std::printf("\n");
    return 0;
}

#include "run/many_files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <filesystem>
#include <iterator>
#include <map>
#include <mutex>
#include <thread>

#include "core/console.h"
#include "core/files.h"
#include "core/platform.h"
#include "core/run_context.h"
#include "core/writer.h"
#include "findings/fix_first.h"
#include "findings/other_states.h"
#include "findings/output.h"
#include "run/run_control.h"

namespace vortel {

namespace {

namespace fs = std::filesystem;

// One data file of the command and what its run gave.
struct FileRun {
    std::string dataFile;
    std::string stem;  // the data file's name without its extension
    int status = 0;
    RunTotals totals;
    std::string failure;  // the message of the error that ended a failed run
};

std::string outputName(const fs::path& dir, const std::string& stem, std::string_view suffix) {
    std::string name = stem;
    name.append(suffix);
    return (dir / name).string();
}

// True for an output each file's run writes, named after the data file.
bool writtenPerFile(const OutputRow& row) { return row.file && !row.manyFileName.empty(); }

// The outputs of one file's run, named after it in the folder.
void nameOutputs(FindingsOptions& names, const fs::path& dir, const std::string& stem) {
    for (const OutputRow& row : outputTable())
        if (writtenPerFile(row)) names.*row.file = outputName(dir, stem, row.manyFileName);
}

// Each run has at most one temporary per output at once; the runs at once are
// bounded so that every temporary is known to the signal handlers, which
// remove them all when the command is interrupted.
const unsigned kMaxRunsAtOnce =
    static_cast<unsigned>(kMaxTemporaries / std::count_if(outputTable().begin(), outputTable().end(), writtenPerFile));

std::string readAll(std::FILE* f) {
    std::string text;
    std::rewind(f);
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    return text;
}

int exitStatus(int status) { return status == -1 ? 255 : status; }

std::string statusWord(int status) {
    switch (status) {
        case 0:
            return "ok";
        case 1:
            return "findings";
        default:
            return "fatal error";
    }
}

// The line of a run's error output that says why it failed: the last one
// before "Terminating program.", else the last one.
std::string failureOf(const std::string& errors) {
    std::string failure;
    std::size_t at = 0;
    while (at < errors.size()) {
        const std::size_t end = std::min(errors.find('\n', at), errors.size());
        const std::string line = errors.substr(at, end - at);
        if (line == "Terminating program." && !failure.empty()) break;
        if (!line.empty()) failure = line;
        at = end + 1;
    }
    return failure.empty() ? "the run ended with an error" : failure;
}

// Writes one index file (an output of the command, moved into place once
// complete); false with a message when it cannot be written.
bool writeIndex(const OutputRow& row, const std::string& name, RunContext& command, const std::vector<FileRun>& runs,
                const ProgramIo& io) {
    const std::unique_ptr<Output> index = row.make(command, {}, name);
    WrittenOutput& file = index->output();
    int error = index->create(name);
    if (!error) {
        try {
            index->start(command);
            for (const FileRun& r : runs) index->fileChecked({r.dataFile, r.stem, r.status, r.failure, r.totals});
            const ReportPeriods periods;
            const std::array<FindingCounts, 2> counts{};
            const FixFirstTally fixFirst;
            const OtherStateTally otherStates;
            index->end({command, periods, counts, false, true, nullptr, nullptr, fixFirst, otherStates});
            file.out().flush();
        } catch (const OutputWriteError& e) {
            error = e.error;
        }
        file.out().detach();
        if (!error) error = file.file().close();
        if (!error) error = file.file().place();
        if (error) file.file().discard();
    }
    if (error)
        std::fprintf(io.err, "\nUnable to write file %s: %s.\n", visibleText(name).c_str(), errorText(error).c_str());
    return error == 0;
}

// A bad command line: one line on the error stream.
int badCommandLine(const ProgramIo& io, const std::string& text) {
    std::fprintf(io.err, "vortel-dq: %s (see vortel-dq --help)\n", text.c_str());
    return 2;
}

// Refuses, before anything is created, an output that is a data file or
// the county list, or one file written under two names (links, a file
// system that ignores case): the names are compared as the files they lead
// to, in the folder as it will be once created.
int refuseClashes(const Options& options, const std::map<std::string, std::string>& outputs, const ProgramIo& io) {
    const std::string folder = folderToBe(*options.outDir);
    std::map<FileIdentity, std::string> inputs;  // identity -> what the file is
    for (const std::string& data : options.dataFiles)
        if (const auto id = fileIdentity(data)) inputs.emplace(*id, "the data file " + visibleText(data));
    const std::string fips = options.fipsFile.value_or("fips.lst");
    if (const auto id = fileIdentity(fips)) inputs.emplace(*id, "the county list " + visibleText(fips));
    std::map<FileIdentity, const std::string*> written;  // identity -> output name
    for (const auto& [name, writer] : outputs) {
        const std::optional<FileIdentity> id =
            fileIdentity(folder.empty() ? name : (fs::path(folder) / fs::path(name).filename()).string());
        if (!id) continue;  // a folder still to be created holds no file yet
        if (const auto input = inputs.find(*id); input != inputs.end()) {
            return badCommandLine(
                io, visibleText(writer) + " would write " + visibleText(name) + ", which is " + input->second);
        }
        if (const auto [at, added] = written.emplace(*id, &name); !added) {
            return badCommandLine(io, visibleText(writer) + " would write " + visibleText(name) + ", which is " +
                                          visibleText(*at->second) + " of " + visibleText(outputs.at(*at->second)));
        }
    }
    return 0;
}

}  // namespace

int runManyFiles(const Options& options, const ProgramIo& io, const MemoryLimits& limits) {
    const fs::path dir(*options.outDir);
    std::vector<FileRun> runs;
    std::map<std::string, std::string> outputs;  // output name -> the data file writing it
    for (const OutputRow& row : outputTable())
        if (!row.file && !row.manyFileName.empty()) outputs[(dir / std::string(row.manyFileName)).string()] = row.what;
    for (const std::string& data : options.dataFiles) {
        FileRun run{data, fs::path(data).stem().string(), 0, {}, {}};
        if (run.stem.empty()) run.stem = fs::path(data).filename().string();
        for (const OutputRow& row : outputTable()) {
            if (!writtenPerFile(row)) continue;
            const auto [at, added] = outputs.emplace(outputName(dir, run.stem, row.manyFileName), data);
            if (!added) {
                return badCommandLine(io, visibleText(at->second) + " and " + visibleText(data) + " would both write " +
                                              visibleText(at->first));
            }
        }
        runs.push_back(std::move(run));
    }
    if (const int status = refuseClashes(options, outputs, io)) return status;
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir)) {
        std::fprintf(io.err, "\nUnable to create folder %s: %s.\nTerminating program.\n",
                     visibleText(dir.string()).c_str(), (ec ? ec.message() : errorText(ENOTDIR)).c_str());
        return -1;
    }

    // One reading of the clock for every run: the files are checked as at one
    // moment.
    const ClockReading clock = options.asOf ? *options.asOf : clockReadingNow();
    // One county list for the whole command, said once when it is the installed one.
    const std::string fips = options.fipsFile ? *options.fipsFile : defaultLocalAgencyList(io.programFile, io.err);
    unsigned jobs =
        options.jobs ? static_cast<unsigned>(std::stoi(*options.jobs)) : std::thread::hardware_concurrency();
    jobs = std::clamp(jobs, 1u, std::min(static_cast<unsigned>(runs.size()), kMaxRunsAtOnce));
    std::atomic<std::size_t> next{0};
    std::mutex console;
    auto work = [&] {
        for (std::size_t i = next++; i < runs.size(); i = next++) {
            FileRun& run = runs[i];
            RunRequest request;
            request.dataFile = run.dataFile;
            request.stateCode = *options.stateCode;
            request.fipsFile = fips;
            request.clock = clock;
            request.outputs.failOnFindings = options.findings.failOnFindings;
            nameOutputs(request.outputs, dir, run.stem);
            // Nothing is asked, and the run's console goes nowhere: the
            // command shows one line per file. Its errors are kept in a
            // scratch file, to be shown whole after the line.
            int error = 0;
            std::FILE* nowhere = platform::openNullDevice("wb");
            if (!nowhere) error = errno;
            std::FILE* err = nowhere ? openScratchFile(error) : nullptr;
            if (!nowhere || !err) {
                run.status = -1;
            } else {
                run.status = runOne(request, {nullptr, nowhere, err, io.programFile}, limits, &run.totals);
            }
            const std::string errors =
                err ? readAll(err)
                    : visibleText(run.dataFile) + ": Unable to open a scratch file: " + errorText(error) + ".\n";
            if (run.status == -1) run.failure = failureOf(errors);
            if (nowhere) std::fclose(nowhere);
            if (err) std::fclose(err);
            const std::lock_guard<std::mutex> lock(console);
            const RunTotals& t = run.totals;
            std::fprintf(
                io.out,
                "%s: %lld adoption records (%lld with findings), %lld foster care records (%lld with findings), "
                "%lld findings: %s\n",
                visibleText(run.dataFile).c_str(), t.adoptionRecords, t.adoptionRecordsWithFindings,
                t.fosterCareRecords, t.fosterCareRecordsWithFindings, t.findings, statusWord(run.status).c_str());
            std::fflush(io.out);
            if (!errors.empty()) {
                std::fputs(errors.c_str(), io.err);
                std::fflush(io.err);
            }
        }
    };
    std::vector<std::thread> workers;
    for (unsigned j = 1; j < jobs; ++j) workers.emplace_back(work);
    work();
    for (std::thread& t : workers) t.join();

    int status = 0;
    for (const FileRun& r : runs) status = std::max(status, exitStatus(r.status));
    // The index: the State and the clock of the command, a row per file.
    RunContext command;
    command.facts.stateCode = *options.stateCode;
    command.runTimestamp = runTimestampOf(clock);
    for (const OutputRow& row : outputTable()) {
        if (!row.file && !writeIndex(row, (dir / std::string(row.manyFileName)).string(), command, runs, io))
            status = 255;
    }
    return status == 255 ? -1 : status;
}

}  // namespace vortel

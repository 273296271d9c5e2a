#include "run/many_files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <iterator>
#include <map>
#include <mutex>
#include <thread>

#include "core/console.h"
#include "core/files.h"
#include "core/output_file.h"
#include "core/writer.h"
#include "findings/findings_text.h"
#include "html/html_text.h"
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
};

std::string outputName(const fs::path& dir, const std::string& stem, const char* suffix) {
    std::string name = stem;
    name.append(suffix);
    return (dir / name).string();
}

constexpr const char* kSuffixes[] = {".foster-care.txt", ".adoption.txt", ".findings.json", ".html"};

// Each run has at most one temporary per output at once; the runs at once are
// bounded so that every temporary is known to the signal handlers, which
// remove them all when the command is interrupted.
constexpr unsigned kMaxRunsAtOnce = kMaxTemporaries / std::size(kSuffixes);

std::string clockText(const Options& options) {
    char text[32];
    if (options.asOf) {
        const ClockReading& c = *options.asOf;
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", c.year, c.month, c.day, c.hour, c.minute);
    } else {
        // One reading for every run: the files are checked as at one moment.
        const std::time_t now = std::time(nullptr);
        std::tm tm{};
        localtime_r(&now, &tm);
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &tm);
    }
    return text;
}

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

// Writes one index file as an output of its own (a temporary moved into
// place); false with a message when it cannot be written.
bool writeIndex(const std::string& name, const std::string& text, const ProgramIo& io) {
    OutputFile file;
    int error = file.open(name);
    if (!error) {
        Writer out;
        out.attach(file.file(), false, name);
        try {
            out.put(text);
            out.flush();
        } catch (const OutputWriteError& e) {
            error = e.error;
        }
        out.detach();
        if (!error) error = file.place();
    }
    if (error)
        std::fprintf(io.err, "\nUnable to write file %s: %s.\n", visibleText(name).c_str(), errorText(error).c_str());
    return error == 0;
}

std::string indexCsv(const std::vector<FileRun>& runs) {
    std::string text =
        "file,status,adoption_records,adoption_records_with_findings,foster_care_records,"
        "foster_care_records_with_findings,findings\r\n";
    for (const FileRun& r : runs) {
        const RunTotals& t = r.totals;
        std::string file;
        appendCsvField(file, r.dataFile);
        text += file + "," + std::to_string(exitStatus(r.status)) + "," + std::to_string(t.adoptionRecords) + "," +
                std::to_string(t.adoptionRecordsWithFindings) + "," + std::to_string(t.fosterCareRecords) + "," +
                std::to_string(t.fosterCareRecordsWithFindings) + "," + std::to_string(t.findings) + "\r\n";
    }
    return text;
}

// A link to a file beside the index: a relative reference beginning "./",
// every byte but A-Z a-z 0-9 - . _ ~ / percent-encoded (RFC 3986), so that no
// name can become a scheme, a query or a fragment; then escaped as HTML.
std::string linkTo(const std::string& fileName) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string reference = "./";
    for (const char ch : fileName) {
        const auto c = static_cast<unsigned char>(ch);
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                c == '-' || c == '.' || c == '_' || c == '~' || c == '/';
        if (unreserved) {
            reference.push_back(ch);
        } else {
            reference.push_back('%');
            reference.push_back(kHex[c >> 4]);
            reference.push_back(kHex[c & 0x0F]);
        }
    }
    return htmlText(reference, TextBytes::Utf8, TextPlace::Attribute);
}

std::string indexHtml(const std::vector<FileRun>& runs) {
    std::string text =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>vortel-dq: files "
        "checked</title>\n"
        "<style>body{font-family:sans-serif;margin:2em}table{border-collapse:collapse}"
        "td,th{border:1px solid #bbb;padding:.3em .6em;text-align:right}td:first-child{text-align:left}"
        ".fatal{color:#b00020}</style>\n</head>\n<body>\n<h1>Files checked</h1>\n<table>\n"
        "<tr><th>File</th><th>Status</th><th>Adoption records</th><th>with findings</th>"
        "<th>Foster care records</th><th>with findings</th><th>Findings</th><th>Outputs</th></tr>\n";
    for (const FileRun& r : runs) {
        const RunTotals& t = r.totals;
        text.append(r.status == -1 ? "<tr class=\"fatal\"><td>" : "<tr><td>")
            .append(htmlText(r.dataFile, TextBytes::Utf8));
        text.append("</td><td>").append(statusWord(r.status));
        for (const long n : {t.adoptionRecords, t.adoptionRecordsWithFindings, t.fosterCareRecords,
                             t.fosterCareRecordsWithFindings, t.findings})
            text.append("</td><td>").append(std::to_string(n));
        text.append("</td><td>");
        for (const auto& [suffix, what] :
             {std::pair{".html", "page"}, std::pair{".foster-care.txt", "foster care"},
              std::pair{".adoption.txt", "adoption"}, std::pair{".findings.json", "findings"}})
            text.append("<a href=\"").append(linkTo(r.stem + suffix)).append("\">").append(what).append("</a> ");
        text.append("</td></tr>\n");
    }
    text += "</table>\n</body>\n</html>\n";
    return text;
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
    outputs[(dir / "index.csv").string()] = "the index";
    outputs[(dir / "index.html").string()] = "the index";
    for (const std::string& data : options.dataFiles) {
        FileRun run{data, fs::path(data).stem().string(), 0, {}};
        if (run.stem.empty()) run.stem = fs::path(data).filename().string();
        for (const char* suffix : kSuffixes) {
            const auto [at, added] = outputs.emplace(outputName(dir, run.stem, suffix), data);
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

    const std::string clock = clockText(options);
    unsigned jobs =
        options.jobs ? static_cast<unsigned>(std::stoi(*options.jobs)) : std::thread::hardware_concurrency();
    jobs = std::clamp(jobs, 1u, std::min(static_cast<unsigned>(runs.size()), kMaxRunsAtOnce));
    std::atomic<std::size_t> next{0};
    std::mutex console;
    auto work = [&] {
        for (std::size_t i = next++; i < runs.size(); i = next++) {
            FileRun& run = runs[i];
            std::vector<std::string> args = {"vortel-dq",
                                             "--quiet",
                                             "--data",
                                             run.dataFile,
                                             "--foster-care-report",
                                             outputName(dir, run.stem, kSuffixes[0]),
                                             "--adoption-report",
                                             outputName(dir, run.stem, kSuffixes[1]),
                                             "--findings",
                                             outputName(dir, run.stem, kSuffixes[2]),
                                             "--html",
                                             outputName(dir, run.stem, kSuffixes[3]),
                                             "--state",
                                             *options.stateCode,
                                             "--as-of",
                                             clock};
            if (options.fipsFile) args.insert(args.end(), {"--fips", *options.fipsFile});
            if (options.findings.failOnFindings) args.emplace_back("--fail-on-findings");
            std::vector<const char*> argv;
            argv.reserve(args.size());
            for (const std::string& a : args) argv.push_back(a.c_str());
            argv.push_back(nullptr);
            int error = 0;
            std::FILE* in = std::fopen("/dev/null", "r");
            if (!in) error = errno;
            std::FILE* err = in ? openScratchFile(error) : nullptr;
            if (!in || !err) {
                run.status = -1;
            } else {
                run.status = runProgram(static_cast<int>(args.size()), argv.data(), {in, in, err}, limits, &run.totals);
            }
            const std::string errors =
                err ? readAll(err)
                    : visibleText(run.dataFile) + ": Unable to open a scratch file: " + errorText(error) + ".\n";
            if (in) std::fclose(in);
            if (err) std::fclose(err);
            const std::lock_guard<std::mutex> lock(console);
            const RunTotals& t = run.totals;
            std::fprintf(io.out,
                         "%s: %ld adoption records (%ld with findings), %ld foster care records (%ld with findings), "
                         "%ld findings: %s\n",
                         visibleText(run.dataFile).c_str(), t.adoptionRecords, t.adoptionRecordsWithFindings,
                         t.fosterCareRecords, t.fosterCareRecordsWithFindings, t.findings,
                         statusWord(run.status).c_str());
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
    if (!writeIndex((dir / "index.csv").string(), indexCsv(runs), io)) status = 255;
    if (!writeIndex((dir / "index.html").string(), indexHtml(runs), io)) status = 255;
    return status == 255 ? -1 : status;
}

}  // namespace vortel

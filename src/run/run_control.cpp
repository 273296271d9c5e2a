#include "run/run_control.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>

#include "adoption/adoption_elements.h"
#include "adoption/adoption_groups.h"
#include "adoption/adoption_tallies.h"
#include "adoption/aggregate_record.h"
#include "datepairs/date_pairs.h"
#include "footnotes/footnotes.h"
#include "fostercare/fostercare_elements.h"
#include "fostercare/fostercare_groups.h"
#include "fostercare/fostercare_tallies.h"
#include "reports/data_errors_table.h"
#include "reports/error_listing.h"
#include "reports/listing.h"
#include "reports/summary_report.h"
#include "run/line_reader.h"
#include "run/running_count.h"
#include "run/version.h"

namespace vortel {

namespace {

constexpr std::string_view kValidStateCodes =
    "01 02 04 05 06 08 09 10 11 12 13 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30 31 32 33 34 35 36 37 38 39 "
    "40 41 42 44 45 46 47 48 49 50 51 53 54 55 56 72";

// File names are kept in buffers of 256 characters: longer names are refused.
constexpr std::size_t kMaxFileName = 255;
// Answers are read whole up to this many characters; the rest of a longer
// line is read and dropped (such an answer is refused anyway).
constexpr std::size_t kMaxAnswer = 4096;

const char* const kHelp =
    "Usage: vortel-dq [OPTION]...\n"
    "Check a State's semi-annual VORTEL reporting file and write two data quality\n"
    "reports, one for Adoption and one for Foster Care.\n"
    "\n"
    "Without options the program asks for the data file, the two report files and\n"
    "the 2-digit State FIPS code. Each option below answers one question; questions\n"
    "left unanswered are still asked, in the usual order.\n"
    "\n"
    "  --data FILE                 the VORTEL data file to check\n"
    "  --foster-care-report FILE   the Foster Care report to write (created or emptied)\n"
    "  --adoption-report FILE      the Adoption report to write (created or emptied)\n"
    "  --state CODE                the 2-digit State FIPS code (e.g., 01 for Alabama)\n"
    "  --fips FILE                 the list of local agency FIPS codes\n"
    "                              (default: fips.lst in the working directory)\n"
    "  --as-of \"YYYY-MM-DD HH:MM\"  take this as the local date and time of the run\n"
    "                              (run date of every date test and report timestamp)\n"
    "  --findings FILE             also write every finding to FILE, as CSV when its\n"
    "                              name ends in .csv, as JSON when it ends in .json\n"
    "  --error-records FILE        copy the detail records with findings to FILE,\n"
    "                              with their section lines, to be checked again\n"
    "  --fail-on-findings          exit with status 1 after a complete run that\n"
    "                              made any finding\n"
    "  --help                      show this help and exit\n"
    "  --version                   show the version and exit\n"
    "\n"
    "Options may also be written --option=VALUE.\n"
    "\n"
    "Exit status: 0 after a complete run (1 with --fail-on-findings when it made\n"
    "any finding), 255 after a fatal error (a file that cannot be opened, a State\n"
    "code that is not valid), 2 for a bad command line.\n";

std::string readAnswer(std::FILE* in) {
    std::string answer;
    int c;
    while ((c = std::getc(in)) != EOF && c != '\n')
        if (answer.size() < kMaxAnswer) answer.push_back(static_cast<char>(c));
    return answer;
}

std::string ask(RunContext& ctx, const ProgramIo& io, const std::optional<std::string>& given, const char* prompt) {
    if (given) return *given;
    ctx.console.put(prompt);
    ctx.console.flush();
    return readAnswer(io.in);
}

void requireNameFits(RunContext& ctx, const std::string& name) {
    if (name.size() > kMaxFileName)
        fatalError(ctx, "\nFile name longer than 255 characters: " + name + ".");
}

}  // namespace

// True when both names denote one file: the same file on disk (through any
// path or link), or, for files that do not exist yet, the same path.
bool sameFile(const std::string& a, const std::string& b) {
    struct stat sa{}, sb{};
    const bool ea = ::stat(a.c_str(), &sa) == 0;
    const bool eb = ::stat(b.c_str(), &sb) == 0;
    if (ea && eb) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    if (ea != eb) return false;
    // Made absolute first: a relative path none of whose parts exist would
    // otherwise stay relative and never equal another spelling of it.
    std::error_code ec1, ec2, ec3, ec4;
    const auto pa = std::filesystem::weakly_canonical(std::filesystem::absolute(a, ec1), ec2);
    const auto pb = std::filesystem::weakly_canonical(std::filesystem::absolute(b, ec3), ec4);
    return !ec1 && !ec2 && !ec3 && !ec4 && pa == pb;
}

namespace {

// A report must never be written over an input of the run or the other report.
void refuseOverwrite(RunContext& ctx, const std::string& report, const std::string* otherReport) {
    auto refuse = [&](const char* what) {
        fatalError(ctx, "\nUnable to use " + report + " as a report file: it is " + what + ".");
    };
    if (sameFile(report, ctx.dataFileName)) refuse("the data file");
    if (sameFile(report, ctx.fipsFileName)) refuse("the FIPS code list file");
    if (otherReport && sameFile(report, *otherReport)) refuse("the other report file");
}

std::FILE* openDataFile(const std::string& name) {
    struct stat st{};
    if (::stat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return nullptr;
    return std::fopen(name.c_str(), "r");
}

void takeClockReading(RunContext& ctx, const std::optional<ClockReading>& asOf) {
    std::tm tm{};
    if (asOf) {
        tm.tm_year = asOf->year - 1900;
        tm.tm_mon = asOf->month - 1;
        tm.tm_mday = asOf->day;
        tm.tm_hour = asOf->hour;
        tm.tm_min = asOf->minute;
    } else {
        const std::time_t now = std::time(nullptr);
        localtime_r(&now, &tm);
    }
    char stamp[19];
    std::strftime(stamp, sizeof stamp, "%m/%d/%Y %I:%M%p", &tm);
    ctx.runTimestamp = stamp;
    char date[9];
    std::strftime(date, sizeof date, "%Y%m%d", &tm);
    const std::string_view d(date);
    ctx.runDate = {static_cast<int>(fieldValue(d.substr(0, 4))), static_cast<int>(fieldValue(d.substr(4, 2))),
                   static_cast<int>(fieldValue(d.substr(6, 2)))};
}

void runDialogue(RunContext& ctx, const Options& options, const ProgramIo& io, std::FILE*& dataFile) {
    if (options.fipsFile) ctx.fipsFileName = *options.fipsFile;

    ctx.dataFileName = ask(ctx, io, options.dataFile, "\nEnter the VORTEL data file name (e.g., datafile.txt): ");
    requireNameFits(ctx, ctx.dataFileName);
    dataFile = openDataFile(ctx.dataFileName);
    if (!dataFile) fatalError(ctx, "\nUnable to open file " + ctx.dataFileName + ".");

    ctx.fosterCareReportName =
        ask(ctx, io, options.fosterCareReport, "Enter the report file name for Foster Care (e.g., freport): ");
    requireNameFits(ctx, ctx.fosterCareReportName);
    refuseOverwrite(ctx, ctx.fosterCareReportName, nullptr);
    std::FILE* fc = std::fopen(ctx.fosterCareReportName.c_str(), "w");
    if (!fc) fatalError(ctx, "\nUnable to open file " + ctx.fosterCareReportName + ".");
    ctx.fosterCareReport.attach(fc, true);

    ctx.adoptionReportName =
        ask(ctx, io, options.adoptionReport, "Enter the report file name for Adoption (e.g., areport): ");
    requireNameFits(ctx, ctx.adoptionReportName);
    refuseOverwrite(ctx, ctx.adoptionReportName, &ctx.fosterCareReportName);
    std::FILE* ad = std::fopen(ctx.adoptionReportName.c_str(), "w");
    if (!ad) fatalError(ctx, "\nUnable to open file " + ctx.adoptionReportName + ".");
    ctx.adoptionReport.attach(ad, true);
    if (ctx.findings) ctx.findings->open(ctx);

    ctx.stateCode = ask(ctx, io, options.stateCode, "Enter the 2-digit state code (e.g., 01 for Alabama): ");
    if (stateCodeInvalid(ctx.stateCode))
        fatalError(ctx, "\n" + ctx.stateCode + " is not a valid State FIPS code.");

    takeClockReading(ctx, options.asOf);
    writeReportHeadings(ctx);
}

// Runs the per-record pipeline of a section over its detail records. Returns
// false at end of file; otherwise the reader holds the line that ended it.
template <typename Steps>
bool readDetailRecords(RunContext& ctx, LineReader& reader, RecordKind kind, std::int32_t& count, Steps&& steps) {
    // The other section's marker, '#' and '%' end a section; its own marker does not.
    const char otherSection = kind == RecordKind::Adoption ? '@' : '$';
    auto endsSection = [&](char c) { return c == otherSection || c == '#' || c == '%'; };
    RunningCount runningCount;
    bool more = reader.next();
    while (more && !endsSection(reader.first())) {
        countUp(count);
        ctx.console.put(runningCount.textFor(count));
        const std::string_view raw = reader.rawLine();
        const std::size_t rawLength = raw.size();
        const std::string_view record = reader.padTo(static_cast<std::size_t>(recordLength(kind)));
        steps(record);
        if (ctx.findings)
            ctx.findings->record(ctx, kind, record, record.substr(0, rawLength), reader.lineNumber());
        more = reader.next();
    }
    return more;
}

void copyReportPeriod(RunContext& ctx, std::string_view summary) {
    // Columns 9-14; positions the line's text does not reach (its line feed
    // excluded) are blanks.
    std::string_view text = summary;
    if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
    for (std::size_t i = 0; i < 6; ++i) ctx.reportPeriod[i] = 8 + i < text.size() ? text[8 + i] : ' ';
}

bool readAdoptionSection(RunContext& ctx, LineReader& reader) {
    const std::string marker(ctx.findings ? reader.line() : std::string_view());
    if (!reader.next()) {
        ctx.console.put("\nNo Adoption Summary Record Found.\n");
        return false;
    }
    ctx.console.put("\n       1 Adoption Summary Record Checked.");
    copyReportPeriod(ctx, reader.line());
    if (ctx.findings) ctx.findings->beginSection(ctx, RecordKind::Adoption, marker, reader.line());
    writeListingHeading(ctx, RecordKind::Adoption);
    ctx.console.put("\n         Adoption Detail Records Checked.\r");
    const bool more = readDetailRecords(ctx, reader, RecordKind::Adoption, ctx.adoptionRecordCount,
                                        [&](std::string_view record) {
                                            resetAdoptionCells(ctx);
                                            checkAdoptionElements(ctx, record);
                                            checkAdoptionDatePairs(ctx, record);
                                            checkAdoptionGroups(ctx, record);
                                            if (tallyElementStates(ctx, RecordKind::Adoption))
                                                writeRecordLine(ctx, RecordKind::Adoption, record);
                                            tallyAdoptionRecord(ctx, record);
                                        });
    ctx.console.put("\n");
    if (ctx.adoptionRecordCount != 0) {
        writeListingEnd(ctx, RecordKind::Adoption);
        finishAdoptionTallies(ctx);
        writeSummaryHeading(ctx, RecordKind::Adoption);
    } else {
        ctx.console.put("No Adoption Detail Records Found.        \n");
    }
    return more;
}

bool readFosterCareSection(RunContext& ctx, LineReader& reader) {
    const std::string marker(ctx.findings ? reader.line() : std::string_view());
    if (!reader.next()) {
        ctx.console.put("\nNo Foster Care Summary Record Found.\n");
        return false;
    }
    copyReportPeriod(ctx, reader.line());
    if (ctx.findings) ctx.findings->beginSection(ctx, RecordKind::FosterCare, marker, reader.line());
    writeListingHeading(ctx, RecordKind::FosterCare);
    ctx.console.put("\n       1 Foster Care Summary Record Checked.");
    const int loaded = loadLocalAgencyCodes(ctx);
    if (loaded == -1) {
        ctx.console.flush();
        ctx.errors.put("\n\nMemory Error when evaluating FIPS Codes.\n");
        ctx.errors.flush();
        ctx.localAgencyListFailed = true;
    } else if (loaded == 0) {
        fatalError(ctx, "\n" + ctx.stateCode + " is not a valid State FIPS code.");
    }
    ctx.console.put("\n         Foster Care Detailed Records Checked.\r");
    const bool more = readDetailRecords(ctx, reader, RecordKind::FosterCare, ctx.fosterCareRecordCount,
                                        [&](std::string_view record) {
                                            resetFosterCareCells(ctx);
                                            checkFosterCareElements(ctx, record);
                                            checkFosterCareDatePairs(ctx, record);
                                            checkFosterCareGroups(ctx, record);
                                            if (tallyElementStates(ctx, RecordKind::FosterCare))
                                                writeRecordLine(ctx, RecordKind::FosterCare, record);
                                            tallyFosterCareRecord(ctx, record);
                                        });
    ctx.console.put("\n");
    releaseLocalAgencyCodes(ctx);
    if (ctx.fosterCareRecordCount != 0) {
        writeListingEnd(ctx, RecordKind::FosterCare);
        finishFosterCareTallies(ctx);
        writeSummaryHeading(ctx, RecordKind::FosterCare);
    } else {
        ctx.console.put("No Foster Care Detailed Records Found.        \n");
    }
    return more;
}

void writeEndOfRun(RunContext& ctx) {
    if (ctx.adoptionRecordCount != 0) {
        writeSummaryReport(ctx, RecordKind::Adoption);
        writeDataErrorsTable(ctx, RecordKind::Adoption);
        writeErrorListing(ctx, RecordKind::Adoption);
    } else if (ctx.aggregateErrors.hasListing() || ctx.adoptionFootnoteErrors.hasListing()) {
        writeErrorListing(ctx, RecordKind::Adoption);
    } else {
        ctx.adoptionReport.put("\n\nNo Adoption Data Found");
    }
    if (ctx.fosterCareRecordCount != 0) {
        writeSummaryReport(ctx, RecordKind::FosterCare);
        writeDataErrorsTable(ctx, RecordKind::FosterCare);
        writeErrorListing(ctx, RecordKind::FosterCare);
    } else if (ctx.fosterCareFootnoteErrors.hasListing()) {
        writeErrorListing(ctx, RecordKind::FosterCare);
    } else {
        ctx.fosterCareReport.put("\n\nNo Foster Care Data Found");
    }
}

// Takes the value of option `name` from "--name=VALUE" or "--name VALUE".
bool takeValue(std::string_view arg, std::string_view name, int& i, int argc, const char* const argv[],
               std::optional<std::string>& value, bool& missing) {
    if (arg == name) {
        if (i + 1 >= argc) {
            missing = true;
            return true;
        }
        value = argv[++i];
        return true;
    }
    if (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=') {
        value = std::string(arg.substr(name.size() + 1));
        return true;
    }
    return false;
}

}  // namespace

void fatalError(RunContext& ctx, std::string_view message) {
    ctx.console.flush();
    ctx.errors.put(message);
    ctx.errors.put("\nTerminating program.\n");
    ctx.errors.flush();
    throw FatalExit{-1};
}

std::optional<ClockReading> parseClockReading(std::string_view t) {
    // YYYY-MM-DD HH:MM
    if (t.size() != 16 || t[4] != '-' || t[7] != '-' || t[10] != ' ' || t[13] != ':') return std::nullopt;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15})
        if (t[static_cast<std::size_t>(i)] < '0' || t[static_cast<std::size_t>(i)] > '9') return std::nullopt;
    ClockReading r{static_cast<int>(fieldValue(t.substr(0, 4))), static_cast<int>(fieldValue(t.substr(5, 2))),
                   static_cast<int>(fieldValue(t.substr(8, 2))), static_cast<int>(fieldValue(t.substr(11, 2))),
                   static_cast<int>(fieldValue(t.substr(14, 2)))};
    if (r.year < 1 || r.month < 1 || r.month > 12 || r.day < 1) return std::nullopt;
    const int days = static_cast<int>(dayNumber(r.month == 12 ? r.year + 1 : r.year, r.month == 12 ? 1 : r.month + 1, 1) -
                                      dayNumber(r.year, r.month, 1));
    if (r.day > days || r.hour > 23 || r.minute > 59) return std::nullopt;
    return r;
}

std::optional<Options> parseOptions(int argc, const char* const argv[], std::FILE* err) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        bool missing = false;
        std::optional<std::string> asOf;
        if (arg == "--help") {
            o.help = true;
        } else if (arg == "--version") {
            o.version = true;
        } else if (takeValue(arg, "--data", i, argc, argv, o.dataFile, missing) ||
                   takeValue(arg, "--foster-care-report", i, argc, argv, o.fosterCareReport, missing) ||
                   takeValue(arg, "--adoption-report", i, argc, argv, o.adoptionReport, missing) ||
                   takeValue(arg, "--state", i, argc, argv, o.stateCode, missing) ||
                   takeValue(arg, "--fips", i, argc, argv, o.fipsFile, missing)) {
        } else if (takeValue(arg, "--findings", i, argc, argv, o.findings.findingsFile, missing) ||
                   takeValue(arg, "--error-records", i, argc, argv, o.findings.errorRecordsFile, missing)) {
        } else if (arg == "--fail-on-findings") {
            o.findings.failOnFindings = true;
        } else if (takeValue(arg, "--as-of", i, argc, argv, asOf, missing)) {
            if (!missing) {
                o.asOf = parseClockReading(*asOf);
                if (!o.asOf) {
                    std::fprintf(err, "vortel-dq: --as-of needs a date and time as \"YYYY-MM-DD HH:MM\", not \"%s\"\n",
                                 asOf->c_str());
                    return std::nullopt;
                }
            }
        } else {
            std::fprintf(err, "vortel-dq: unknown option '%s' (see vortel-dq --help)\n", argv[i]);
            return std::nullopt;
        }
        if (missing) {
            std::fprintf(err, "vortel-dq: option '%s' needs a value (see vortel-dq --help)\n", argv[i]);
            return std::nullopt;
        }
    }
    if (const auto error = findingsOptionsError(o.findings)) {
        std::fprintf(err, "vortel-dq: %s\n", error->c_str());
        return std::nullopt;
    }
    return o;
}

bool stateCodeInvalid(std::string_view code) {
    if (code.size() < 2) return true;
    if (code.find(' ') != std::string_view::npos) return true;
    return kValidStateCodes.find(code) == std::string_view::npos;
}

void initRunTables(RunContext& ctx) {
    ctx.fosterCareRecordCount = 0;
    ctx.adoptionRecordCount = 0;
    ctx.localAgencies.release();
    ctx.aggregateErrors.release();
    ctx.adoptionFootnoteErrors.release();
    ctx.fosterCareFootnoteErrors.release();
    ctx.aggregateErrors.memoryFailed = false;
    ctx.adoptionFootnoteErrors.memoryFailed = false;
    ctx.fosterCareFootnoteErrors.memoryFailed = false;
    ctx.footnoteNumber = 0;
    ctx.localAgencyListFailed = false;
    ctx.adoptionCells.clearAll();
    ctx.fosterCareCells.clearAll();
    ctx.datePairs = DatePairOutcomes{};
    initAdoptionTallies(ctx);
    initFosterCareTallies(ctx);
}

void resetAdoptionCells(RunContext& ctx) {
    ctx.adoptionCells.resetRecord();
    ctx.datePairs.adoption.fill(0);
}

void resetFosterCareCells(RunContext& ctx) {
    ctx.fosterCareCells.resetRecord();
    ctx.datePairs.fosterCare.fill(0);
}

bool tallyElementStates(RunContext& ctx, RecordKind kind) { return ctx.cells(kind).tallyStates(); }

void scanDataFile(RunContext& ctx, LineReader& reader) {
    ctx.markerSeen = false;
    bool more = reader.next();
    while (more) {
        switch (reader.first()) {
            case '#':
                ctx.markerSeen = true;
                if ((more = reader.next())) {
                    checkAdoptionAggregate(ctx, reader.line());
                    more = reader.next();
                }
                break;
            case '$':
                ctx.markerSeen = true;
                more = readAdoptionSection(ctx, reader);
                break;
            case '@':
                ctx.markerSeen = true;
                more = readFosterCareSection(ctx, reader);
                break;
            case '%':
                if (reader.second() == '%') {
                    ctx.markerSeen = true;
                    checkFootnote(ctx, reader.line());
                }
                more = reader.next();
                break;
            default:
                more = reader.next();
                break;
        }
    }
    if (!ctx.markerSeen) {
        ctx.fosterCareReport.put("\n\nNo delimiters found.");
        ctx.adoptionReport.put("\n\nNo delimiters found.");
        if (ctx.findings) ctx.findings->finish(ctx);
        return;
    }
    writeEndOfRun(ctx);
    if (ctx.findings) ctx.findings->finish(ctx);
    releaseAggregateErrors(ctx);
    releaseFootnoteErrors(ctx);
}

int runProgram(int argc, const char* const argv[], const ProgramIo& io, const MemoryLimits& limits) {
    const std::optional<Options> options = parseOptions(argc, argv, io.err);
    if (!options) return 2;
    if (options->help) {
        std::fputs(kHelp, io.out);
        return 0;
    }
    if (options->version) {
        std::fprintf(io.out, "vortel-dq %s\n", kVersion);
        return 0;
    }

    auto ctx = std::make_unique<RunContext>();
    ctx->console.attach(io.out, false);
    ctx->errors.attach(io.err, false);
    ctx->memoryLimits = limits;
    std::unique_ptr<FindingsExport> findings;
    if (options->findings.findingsFile || options->findings.errorRecordsFile || options->findings.failOnFindings) {
        findings = std::make_unique<FindingsExport>(options->findings);
        ctx->findings = findings.get();
    }
    std::FILE* dataFile = nullptr;
    int status = 0;
    try {
        runDialogue(*ctx, *options, io, dataFile);
        initRunTables(*ctx);
        auto reader = std::make_unique<LineReader>(dataFile);
        scanDataFile(*ctx, *reader);
    } catch (const FatalExit& e) {
        status = e.status;
    }
    // Closing: the data file, then the foster care report, then the adoption report.
    if (dataFile) std::fclose(dataFile);
    ctx->fosterCareReport.close();
    ctx->adoptionReport.close();
    ctx->console.flush();
    ctx->errors.flush();
    if (status == 0 && findings && findings->failOnFindings() && findings->anyFinding()) status = 1;
    return status;
}

}  // namespace vortel

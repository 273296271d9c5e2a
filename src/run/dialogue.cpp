#include "run/dialogue.h"

#include <cerrno>
#include <ctime>
#include <filesystem>

#include "catalogue/states.h"
#include "core/files.h"
#include "core/platform.h"
#include "fields/fields.h"
#include "findings/findings.h"
#include "reports/listing.h"

namespace vortel {

namespace {

constexpr const char* kLocalAgencyList = "fips.lst";

// File names are kept in buffers of 256 characters: longer names are refused.
constexpr std::size_t kMaxFileName = 255;
// Answers are read whole up to this many characters; the rest of a longer
// line is read and dropped (such an answer is refused anyway).
constexpr std::size_t kMaxAnswer = 4096;

std::string readAnswer(std::FILE* in) {
    std::string answer;
    int c;
    while ((c = std::getc(in)) != EOF && c != '\n')
        if (answer.size() < kMaxAnswer) answer.push_back(static_cast<char>(c));
    // An answers file saved with CR LF line ends.
    if (!answer.empty() && answer.back() == '\r') answer.pop_back();
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
        fatalError(ctx, "\nFile name longer than 255 characters: " + visibleText(name) + ".");
}

// A report must never be written over an input of the run or the other report.
void refuseOverwrite(RunContext& ctx, const std::string& report, const std::string* otherReport) {
    auto refuse = [&](const char* what) {
        fatalError(ctx, "\nUnable to use " + visibleText(report) + " as a report file: it is " + what + ".");
    };
    if (sameFile(report, ctx.dataFileName)) refuse("the data file");
    if (sameFile(report, ctx.fipsFileName)) refuse("the FIPS code list file");
    if (otherReport && sameFile(report, *otherReport)) refuse("the other report file");
}

[[noreturn]] void unableToOpen(RunContext& ctx, const std::string& name, int error) {
    fatalError(ctx, "\nUnable to open file " + visibleText(name) + ": " + errorText(error) + ".");
}

void openDataFile(RunContext& ctx, DataFile& data) {
    const std::string& name = ctx.dataFileName;
    if (platform::statusOf(name).directory) unableToOpen(ctx, name, EISDIR);
    data.file = platform::openFile(name, "rb");
    if (!data.file) unableToOpen(ctx, name, errno);
    data.size = platform::openFileSize(data.file);
}

void openReport(RunContext& ctx, const std::string& name, OutputFile& file, Writer& writer) {
    if (const int error = file.open(name, true)) unableToOpen(ctx, name, error);
    writer.attach(file.file(), false, name);
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
        tm = platform::localTimeNow();
    }
    char stamp[19];
    std::strftime(stamp, sizeof stamp, "%m/%d/%Y %I:%M%p", &tm);
    ctx.runTimestamp = stamp;
    char date[9];
    std::strftime(date, sizeof date, "%Y%m%d", &tm);
    const std::string_view d(date);
    ctx.facts.runDate = {static_cast<int>(fieldValue(d.substr(0, 4))), static_cast<int>(fieldValue(d.substr(4, 2))),
                         static_cast<int>(fieldValue(d.substr(6, 2)))};
}

}  // namespace

void runDialogue(RunContext& ctx, const Options& options, const ProgramIo& io, DataFile& data, ReportFiles& reports) {
    ctx.errors.flush();
    ctx.fipsFileName = options.fipsFile ? *options.fipsFile : defaultLocalAgencyList(io.programFile, io.err);

    ctx.dataFileName = ask(ctx, io, options.dataFile, "\nEnter the VORTEL data file name (e.g., datafile.txt): ");
    requireNameFits(ctx, ctx.dataFileName);
    openDataFile(ctx, data);

    ctx.reportNames[RecordKind::FosterCare] =
        ask(ctx, io, options.fosterCareReport, "Enter the report file name for Foster Care (e.g., freport): ");
    requireNameFits(ctx, ctx.reportNames[RecordKind::FosterCare]);
    refuseOverwrite(ctx, ctx.reportNames[RecordKind::FosterCare], nullptr);
    openReport(ctx, ctx.reportNames[RecordKind::FosterCare], reports.fosterCare, ctx.report(RecordKind::FosterCare));

    ctx.reportNames[RecordKind::Adoption] =
        ask(ctx, io, options.adoptionReport, "Enter the report file name for Adoption (e.g., areport): ");
    requireNameFits(ctx, ctx.reportNames[RecordKind::Adoption]);
    refuseOverwrite(ctx, ctx.reportNames[RecordKind::Adoption], &ctx.reportNames[RecordKind::FosterCare]);
    openReport(ctx, ctx.reportNames[RecordKind::Adoption], reports.adoption, ctx.report(RecordKind::Adoption));
    if (ctx.findings) ctx.findings->open(ctx);

    ctx.facts.stateCode = ask(ctx, io, options.stateCode, "Enter the 2-digit state code (e.g., 01 for Alabama): ");
    if (stateCodeInvalid(ctx.facts.stateCode)) {
        // An answer that names a State another way gets the code as a hint.
        const std::optional<std::string> hint = stateHint(ctx.facts.stateCode);
        fatalError(ctx, "\n" + visibleText(ctx.facts.stateCode) + " is not a valid State FIPS code." +
                            (hint ? "\n" + *hint : ""));
    }
    if (ctx.findings) ctx.findings->checkState(ctx);

    takeClockReading(ctx, options.asOf);
    writeReportHeadings(ctx);
}

std::string installedLocalAgencyList(const std::string& programFile) {
    if (programFile.empty()) return {};
    const std::filesystem::path folder = std::filesystem::path(programFile).parent_path();
    for (const std::filesystem::path& list :
         {folder / kLocalAgencyList, folder / "../share/vortel-dq" / kLocalAgencyList})
        if (platform::statusOf(list.string()).regular) return list.lexically_normal().string();
    return {};
}

std::string defaultLocalAgencyList(const std::string& programFile, std::FILE* err) {
    if (platform::statusOf(kLocalAgencyList).exists) return kLocalAgencyList;
    std::string installed = installedLocalAgencyList(programFile);
    if (installed.empty()) return kLocalAgencyList;
    std::fprintf(err, "Local agency list: %s (installed with the program)\n", installed.c_str());
    std::fflush(err);
    return installed;
}

bool stateCodeInvalid(std::string_view code) { return stateOfCode(code) == nullptr; }

}  // namespace vortel

#include "run/dialogue.h"

#include <cerrno>
#include <ctime>
#include <filesystem>

#include "catalogue/states.h"
#include "core/files.h"
#include "core/platform.h"
#include "fields/fields.h"
#include "findings/findings.h"

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
    return io.in ? readAnswer(io.in) : std::string();
}

void requireNameFits(RunContext& ctx, const std::string& name) {
    if (name.size() > kMaxFileName)
        fatalError(ctx, "\nFile name longer than 255 characters: " + visibleText(name) + ".");
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

// A report's name is asked, then the report is refused or created before
// the next question.
std::string askReport(RunContext& ctx, const ProgramIo& io, const RunRequest& request,
                      std::optional<std::string> FindingsOptions::*report, const char* prompt) {
    std::string name = ask(ctx, io, request.outputs.*report, prompt);
    requireNameFits(ctx, name);
    ctx.findings->openOutput(ctx, *outputRowOf(report), name);
    return name;
}

std::tm clockTime(const ClockReading& c) {
    std::tm tm{};
    tm.tm_year = c.year - 1900;
    tm.tm_mon = c.month - 1;
    tm.tm_mday = c.day;
    tm.tm_hour = c.hour;
    tm.tm_min = c.minute;
    return tm;
}

std::string timestampOf(const std::tm& tm) {
    char stamp[19];
    std::strftime(stamp, sizeof stamp, "%m/%d/%Y %I:%M%p", &tm);
    return stamp;
}

void takeClockReading(RunContext& ctx, const std::optional<ClockReading>& clock) {
    const std::tm tm = clock ? clockTime(*clock) : platform::localTimeNow();
    ctx.runTimestamp = timestampOf(tm);
    ctx.facts.runDate = {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

}  // namespace

void runDialogue(RunContext& ctx, const RunRequest& request, const ProgramIo& io, DataFile& data) {
    ctx.errors.flush();
    ctx.fipsFileName = request.fipsFile ? *request.fipsFile : defaultLocalAgencyList(io.programFile, io.err);

    ctx.dataFileName = ask(ctx, io, request.dataFile, "\nEnter the VORTEL data file name (e.g., datafile.txt): ");
    requireNameFits(ctx, ctx.dataFileName);
    openDataFile(ctx, data);

    ctx.reportNames[RecordKind::FosterCare] = askReport(ctx, io, request, &FindingsOptions::fosterCareReport,
                                                        "Enter the report file name for Foster Care (e.g., freport): ");
    ctx.reportNames[RecordKind::Adoption] = askReport(ctx, io, request, &FindingsOptions::adoptionReport,
                                                      "Enter the report file name for Adoption (e.g., areport): ");
    ctx.findings->open(ctx);

    ctx.facts.stateCode = ask(ctx, io, request.stateCode, "Enter the 2-digit state code (e.g., 01 for Alabama): ");
    if (stateCodeInvalid(ctx.facts.stateCode)) {
        // An answer that names a State another way gets the code as a hint.
        const std::optional<std::string> hint = stateHint(ctx.facts.stateCode);
        fatalError(ctx, "\n" + visibleText(ctx.facts.stateCode) + " is not a valid State FIPS code." +
                            (hint ? "\n" + *hint : ""));
    }
    ctx.findings->checkState(ctx);

    takeClockReading(ctx, request.clock);
    ctx.findings->start(ctx);
}

std::string runTimestampOf(const ClockReading& clock) { return timestampOf(clockTime(clock)); }

ClockReading clockReadingNow() {
    const std::tm tm = platform::localTimeNow();
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min};
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

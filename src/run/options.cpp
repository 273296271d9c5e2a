#include "run/options.h"

#include <array>

#include "core/console.h"
#include "fields/fields.h"
#include "html/rules_document.h"

namespace vortel {

namespace {

// What an option does with its value (or, for a flag, with its presence).
enum class Takes { Flag, Value, Clock, Count };

struct OptionRow {
    std::string_view name;       // "--data"
    std::string_view shortName;  // "-h", or empty
    std::string_view valueName;  // "FILE" in the help text; empty for a flag
    Takes takes;
    // Where the answer goes.
    std::optional<std::string> Options::*value = nullptr;
    std::optional<std::string> FindingsOptions::*findingsValue = nullptr;
    bool Options::*flag = nullptr;
    bool FindingsOptions::*findingsFlag = nullptr;
    std::string_view help;  // lines of the help text, "\n" between them
    std::optional<long> FindingsOptions::*findingsCount = nullptr;
};

constexpr std::array kOptions = {
    OptionRow{"--data", "", "FILE", Takes::Value, &Options::dataFile, nullptr, nullptr, nullptr,
              "the VORTEL data file to check"},
    OptionRow{"--foster-care-report", "", "FILE", Takes::Value, nullptr, &FindingsOptions::fosterCareReport, nullptr,
              nullptr, "the Foster Care report to write\n(created, or replaced when the run ends)"},
    OptionRow{"--adoption-report", "", "FILE", Takes::Value, nullptr, &FindingsOptions::adoptionReport, nullptr,
              nullptr, "the Adoption report to write\n(created, or replaced when the run ends)"},
    OptionRow{"--state", "", "CODE", Takes::Value, &Options::stateCode, nullptr, nullptr, nullptr,
              "the 2-digit State FIPS code (e.g., 01 for Alabama)"},
    OptionRow{"--fips", "", "FILE", Takes::Value, &Options::fipsFile, nullptr, nullptr, nullptr,
              "the list of local agency FIPS codes\n(default: fips.lst in the working directory,\n"
              "else the list installed with the program)"},
    OptionRow{"--as-of", "", "\"YYYY-MM-DD HH:MM\"", Takes::Clock, nullptr, nullptr, nullptr, nullptr,
              "take this as the local date and time of the run\n(run date of every date test and report timestamp)"},
    OptionRow{"--findings", "", "FILE", Takes::Value, nullptr, &FindingsOptions::findingsFile, nullptr, nullptr,
              "also write every finding to FILE, as CSV when its\nname ends in .csv, as JSON when it ends in .json"},
    OptionRow{"--error-records", "", "FILE", Takes::Value, nullptr, &FindingsOptions::errorRecordsFile, nullptr,
              nullptr, "copy the detail records with findings to FILE,\nwith their section lines, to be checked again"},
    OptionRow{"--compare", "", "PREVIOUS.json", Takes::Value, &Options::compareFile, nullptr, nullptr, nullptr,
              "compare the findings with those of an earlier run\n(the findings JSON it wrote) and show what changed"},
    OptionRow{"--fail-on-findings", "", "", Takes::Flag, nullptr, nullptr, nullptr, &FindingsOptions::failOnFindings,
              "exit with status 1 after a complete run that made\nany finding or checked no detail record"},
    OptionRow{"--html", "", "FILE", Takes::Value, nullptr, &FindingsOptions::htmlFile, nullptr, nullptr,
              "also write the findings as one HTML page to FILE,\nreadable offline and printable"},
    OptionRow{"--html-records", "", "N", Takes::Count, nullptr, nullptr, nullptr, nullptr,
              "list at most N records with findings on the page,\nthose with the most findings (default 2000)",
              &FindingsOptions::htmlRecords},
    OptionRow{"--quiet", "-q", "", Takes::Flag, nullptr, nullptr, &Options::quiet, nullptr,
              "no prompts and no running counts; every answer must\nthen come from an option"},
    OptionRow{"--out-dir", "", "DIR", Takes::Value, &Options::outDir, nullptr, nullptr, nullptr,
              "check every data file named after the options as a\nrun of its own, writing its reports, findings and\n"
              "page to DIR (created when missing) with index.csv\nand index.html"},
    OptionRow{"--jobs", "-j", "N", Takes::Value, &Options::jobs, nullptr, nullptr, nullptr,
              "with --out-dir: check up to N files at once\n(default: the number of cores; at most 64 at once,\n"
              "so that an interrupt can remove every temporary)"},
    OptionRow{"--rules", "", "FILE", Takes::Value, &Options::rulesFile, nullptr, nullptr, nullptr,
              "write the rules the program checks with (record\nlayouts, element tests, date pairs, groups and\n"
              "summary tallies) to FILE, as an HTML page when its\nname ends in .html, as Markdown when it ends in\n"
              ".md, and exit"},
    OptionRow{"--help", "-h", "", Takes::Flag, nullptr, nullptr, &Options::help, nullptr, "show this help and exit"},
    OptionRow{"--version", "-V", "", Takes::Flag, nullptr, nullptr, &Options::version, nullptr,
              "show the version and exit"},
};

constexpr std::string_view kHelpIntro =
    "Usage: vortel-dq [OPTION]...\n"
    "Check a State's semi-annual VORTEL reporting file and write two data quality\n"
    "reports, one for Adoption and one for Foster Care.\n"
    "\n"
    "Without options the program asks for the data file, the two report files and\n"
    "the 2-digit State FIPS code. Each option below answers one question; questions\n"
    "left unanswered are still asked, in the usual order.\n"
    "\n";

constexpr std::string_view kHelpEnd =
    "\n"
    "Options may also be written --option=VALUE; each may be given once.\n"
    "\n"
    "Every output is written to a temporary file beside it and moved into place\n"
    "at the end of the run, so a run that fails or is interrupted leaves earlier\n"
    "files as they were.\n"
    "\n"
    "Exit status: 0 after a complete run (1 with --fail-on-findings when it made\n"
    "any finding or checked no detail record), 255 after a fatal error (a file\n"
    "that cannot be opened, read or written, a State code that is not valid),\n"
    "2 for a bad command line, 128 plus the signal's number when interrupted\n"
    "(on Windows: 0xC000013A).\n";

constexpr std::size_t kHelpColumn = 30;

// The largest count an option takes.
constexpr long kMaxCount = 1000000;

// A count written in decimal digits, from 0 to kMaxCount.
std::optional<long> parseCount(std::string_view text) {
    if (text.empty() || text.size() > 7) return std::nullopt;
    for (const char c : text)
        if (c < '0' || c > '9') return std::nullopt;
    const long n = static_cast<long>(fieldValue(text));
    if (n > kMaxCount) return std::nullopt;
    return n;
}

// The row an argument names, and its value when written "--name=VALUE".
const OptionRow* findOption(std::string_view arg, std::optional<std::string_view>& inlineValue) {
    for (const OptionRow& row : kOptions) {
        if (arg == row.name || (!row.shortName.empty() && arg == row.shortName)) return &row;
        if (row.takes != Takes::Flag && !row.shortName.empty() && arg.size() > 2 &&
            arg.substr(0, 2) == row.shortName) {  // -j2
            inlineValue = arg.substr(2);
            return &row;
        }
        if (row.takes != Takes::Flag && arg.size() > row.name.size() && arg.substr(0, row.name.size()) == row.name &&
            arg[row.name.size()] == '=') {
            inlineValue = arg.substr(row.name.size() + 1);
            return &row;
        }
    }
    return nullptr;
}

// What a many-file run or --quiet forbids or needs.
std::optional<std::string> manyFilesOptionsError(const Options& o) {
    if (!o.outDir) {
        if (!o.dataFiles.empty()) return "data file '" + visibleText(o.dataFiles.front()) + "' named without --out-dir";
        if (o.jobs) return "--jobs goes with --out-dir";
        if (o.quiet && !(o.help || o.version || o.rulesFile)) {
            const std::pair<const std::optional<std::string>*, const char*> answers[] = {
                {&o.dataFile, "--data"},
                {&o.findings.fosterCareReport, "--foster-care-report"},
                {&o.findings.adoptionReport, "--adoption-report"},
                {&o.stateCode, "--state"}};
            for (const auto& [answer, name] : answers)
                if (!*answer) return std::string("--quiet asks no question: ") + name + " is needed";
        }
        return std::nullopt;
    }
    const std::pair<bool, const char*> single[] = {{o.dataFile.has_value(), "--data"},
                                                   {o.findings.fosterCareReport.has_value(), "--foster-care-report"},
                                                   {o.findings.adoptionReport.has_value(), "--adoption-report"},
                                                   {o.findings.findingsFile.has_value(), "--findings"},
                                                   {o.findings.errorRecordsFile.has_value(), "--error-records"},
                                                   {o.compareFile.has_value(), "--compare"},
                                                   {o.findings.htmlFile.has_value(), "--html"}};
    for (const auto& [given, name] : single)
        if (given) return std::string(name) + " names a single run's file and does not go with --out-dir";
    if (o.outDir->empty()) return "--out-dir needs a folder name";
    if (o.dataFiles.empty()) return "--out-dir needs at least one data file after the options";
    if (!o.stateCode) return "--out-dir asks no question: --state is needed";
    if (o.jobs) {
        const std::string& n = *o.jobs;
        if (n.empty() || n.size() > 4 || n.find_first_not_of("0123456789") != std::string::npos || std::stoi(n) < 1)
            return "--jobs needs a whole number from 1 to 9999, not \"" + visibleText(n) + "\"";
    }
    return std::nullopt;
}

}  // namespace

std::string helpText() {
    std::string text(kHelpIntro);
    for (const OptionRow& row : kOptions) {
        std::string head = "  ";
        if (!row.shortName.empty()) head.append(row.shortName).append(", ");
        head.append(row.name);
        if (!row.valueName.empty()) head.append(" ").append(row.valueName);
        std::string_view help = row.help;
        bool firstLine = true;
        while (!help.empty()) {
            const std::size_t end = help.find('\n');
            const std::string_view line = help.substr(0, end);
            std::string lead = firstLine ? head : "";
            if (lead.size() + 2 > kHelpColumn) {
                text.append(lead).append("\n");
                lead.clear();
            }
            lead.resize(kHelpColumn, ' ');
            text.append(lead).append(line).append("\n");
            firstLine = false;
            help = end == std::string_view::npos ? std::string_view() : help.substr(end + 1);
        }
    }
    text.append(kHelpEnd);
    return text;
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
    const int days =
        static_cast<int>(dayNumber(r.month == 12 ? r.year + 1 : r.year, r.month == 12 ? 1 : r.month + 1, 1) -
                         dayNumber(r.year, r.month, 1));
    if (r.day > days || r.hour > 23 || r.minute > 59) return std::nullopt;
    return r;
}

std::optional<Options> parseOptions(int argc, const char* const argv[], std::FILE* err) {
    Options o;
    std::array<bool, kOptions.size()> seen{};
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::optional<std::string_view> inlineValue;
        const OptionRow* row = findOption(arg, inlineValue);
        if (!row && !arg.empty() && arg[0] != '-') {
            o.dataFiles.emplace_back(arg);  // a data file of a many-file run
            continue;
        }
        if (!row) {
            std::fprintf(err, "vortel-dq: unknown option '%s' (see vortel-dq --help)\n", visibleText(argv[i]).c_str());
            return std::nullopt;
        }
        bool& given = seen[static_cast<std::size_t>(row - kOptions.data())];
        if (given) {
            std::fprintf(err, "vortel-dq: option '%.*s' given more than once (see vortel-dq --help)\n",
                         static_cast<int>(row->name.size()), row->name.data());
            return std::nullopt;
        }
        given = true;
        if (row->takes == Takes::Flag) {
            if (row->flag) o.*(row->flag) = true;
            if (row->findingsFlag) o.findings.*(row->findingsFlag) = true;
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= argc) {
                std::fprintf(err, "vortel-dq: option '%s' needs a value (see vortel-dq --help)\n", argv[i]);
                return std::nullopt;
            }
            inlineValue = argv[++i];
        }
        if (inlineValue->empty()) {
            // An empty name or answer would only fail later, or be asked for.
            const std::string_view what = row->valueName == "DIR" ? "a folder name"
                                          : row->valueName.find("FILE") != std::string_view::npos ||
                                                  row->valueName.find(".json") != std::string_view::npos
                                              ? "a file name"
                                              : "a value";
            std::fprintf(err, "vortel-dq: %.*s needs %.*s\n", static_cast<int>(row->name.size()), row->name.data(),
                         static_cast<int>(what.size()), what.data());
            return std::nullopt;
        }
        if (row->takes == Takes::Clock) {
            o.asOf = parseClockReading(*inlineValue);
            if (!o.asOf) {
                std::fprintf(err, "vortel-dq: --as-of needs a date and time as \"YYYY-MM-DD HH:MM\", not \"%s\"\n",
                             visibleText(*inlineValue).c_str());
                return std::nullopt;
            }
        } else if (row->takes == Takes::Count) {
            o.findings.*(row->findingsCount) = parseCount(*inlineValue);
            if (!(o.findings.*(row->findingsCount))) {
                std::fprintf(err, "vortel-dq: %.*s needs a whole number from 0 to %ld, not \"%s\"\n",
                             static_cast<int>(row->name.size()), row->name.data(), kMaxCount,
                             visibleText(*inlineValue).c_str());
                return std::nullopt;
            }
        } else if (row->value) {
            o.*(row->value) = std::string(*inlineValue);
        } else {
            o.findings.*(row->findingsValue) = std::string(*inlineValue);
        }
    }
    if (o.compareFile && o.compareFile->empty()) {
        std::fprintf(err, "vortel-dq: --compare needs a file name\n");
        return std::nullopt;
    }
    if (o.rulesFile && !rulesFormatOf(*o.rulesFile)) {
        std::fprintf(err, "vortel-dq: --rules needs a file name ending in .html or .md, not \"%s\"\n",
                     visibleText(*o.rulesFile).c_str());
        return std::nullopt;
    }
    if (const auto error = findingsOptionsError(o.findings)) {
        std::fprintf(err, "vortel-dq: %s\n", error->c_str());
        return std::nullopt;
    }
    if (const auto error = manyFilesOptionsError(o)) {
        std::fprintf(err, "vortel-dq: %s (see vortel-dq --help)\n", error->c_str());
        return std::nullopt;
    }
    return o;
}

}  // namespace vortel

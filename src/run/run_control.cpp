#include "run/run_control.h"

#include <cerrno>
#include <new>
#include <utility>
#include <vector>

#include "core/line_reader.h"
#include "core/platform.h"
#include "core/version.h"
#include "findings/closing_summary.h"
#include "findings/findings.h"
#include "html/rules_document.h"
#include "run/many_files.h"

namespace vortel {

namespace {

// How a run ended, which decides what becomes of its outputs.
enum class Ending {
    Complete,           // every output moved into place
    Refused,            // an answer or a file refused before the pass: no output created
    FatalWhileReading,  // outputs moved into place with what was written
    WriteFailed,        // an output could not be written: no output created
};

void reportWriteFailure(RunContext& ctx, const std::string& name, int error) {
    reportFatal(ctx, "\nUnable to write file " + visibleText(name) + ": " + errorText(error) + ".");
}

// Writes a text to standard output for --help and --version; false (with a
// message) when it could not be written.
bool writeOut(const ProgramIo& io, std::string_view text) {
    errno = 0;
    const bool ok = std::fwrite(text.data(), 1, text.size(), io.out) == text.size() && std::fflush(io.out) == 0;
    if (!ok) {
        std::fprintf(io.err, "vortel-dq: unable to write to standard output: %s\n",
                     errorText(errno ? errno : EIO).c_str());
    }
    return ok;
}

// --rules: the rules document, in the format its name asks for; 0, or -1
// with a message naming the file when it could not be written.
int writeRules(const ProgramIo& io, const std::string& name) {
    if (const int error = writeRulesDocument(name, *rulesFormatOf(name))) {
        std::fprintf(io.err, "vortel-dq: unable to write the rules to %s: %s\n", name.c_str(),
                     errorText(error).c_str());
        return -1;
    }
    return 0;
}

// One output of the run with the writer that fills it.
using PlacedOutput = std::pair<Writer*, OutputFile*>;

void discardOutputs(const std::vector<PlacedOutput>& outputs) {
    for (const auto& [writer, file] : outputs) {
        writer->detach();
        file->discard();
    }
}

// Closes every output, then moves each into place. A failure removes the
// outputs not yet moved and is reported; returns false then.
bool placeOutputs(RunContext& ctx, const std::vector<PlacedOutput>& outputs) {
    for (const auto& [writer, file] : outputs) {
        int error = 0;
        try {
            writer->flush();
        } catch (const OutputWriteError& e) {
            error = e.error;
        }
        writer->detach();
        if (!error) error = file->close();
        if (error) {
            reportWriteFailure(ctx, file->name(), error);
            discardOutputs(outputs);
            return false;
        }
    }
    for (const auto& [writer, file] : outputs) {
        if (const int error = file->place()) {
            reportWriteFailure(ctx, file->name(), error);
            discardOutputs(outputs);
            return false;
        }
    }
    return true;
}

}  // namespace

int runProgram(int argc, const char* const argv[], const ProgramIo& io, const MemoryLimits& limits, RunTotals* totals) {
    const std::optional<Options> options = parseOptions(argc, argv, io.err);
    if (!options) return 2;
    if (options->help) return writeOut(io, helpText()) ? 0 : -1;
    if (options->version) return writeOut(io, std::string("vortel-dq ") + kVersion + "\n") ? 0 : -1;
    if (options->rulesFile) return writeRules(io, *options->rulesFile);
    if (options->outDir) return runManyFiles(*options, io, limits);

    // What the run context's writers write to is made before the context, so
    // that it outlives them: the writers flush as the context goes away.
    // --quiet: the console's progress goes nowhere.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> quietConsole(
        options->quiet ? platform::openNullDevice("wb") : nullptr, [](std::FILE* f) { return f ? std::fclose(f) : 0; });
    ReportFiles reports;
    auto ctx = std::make_unique<RunContext>();
    ctx->console.attach(quietConsole ? quietConsole.get() : io.out, false);
    ctx->errors.attach(io.err, false);
    ctx->setMemoryLimits(limits);
    std::unique_ptr<FindingsExport> findings;
    FindingsOptions f = options->findings;
    // A person watching on a terminal is told at the end what the run found.
    f.closingSummary = !options->quiet && platform::isTerminal(io.out);
    // The findings file that replaces the earlier findings it is compared
    // with (a rolling baseline) replaces them only after a complete run.
    const bool findingsReplaceBaseline =
        options->compareFile && f.findingsFile && sameFile(*f.findingsFile, *options->compareFile);
    if (f.findingsFile || f.errorRecordsFile || f.failOnFindings || f.htmlFile || options->compareFile ||
        f.closingSummary) {
        // The earlier run to compare with is read before anything is created;
        // a file that cannot serve is a bad command line.
        std::optional<PreviousRun> previous;
        if (const std::optional<std::string>& name = options->compareFile) {
            std::string error;
            try {
                previous = readPreviousRun(*name, error);
            } catch (const std::bad_alloc&) {
                std::fprintf(io.err, "vortel-dq: not enough memory to read %s\n", visibleText(*name).c_str());
                return -1;
            }
            if (!previous) {
                std::fprintf(io.err, "vortel-dq: %s\n", error.c_str());
                return 2;
            }
        }
        findings = std::make_unique<FindingsExport>(f, std::move(previous));
        ctx->findings = findings.get();
    }
    DataFile data;
    int status = 0;
    bool asked = false;
    Ending ending = Ending::Complete;
    try {
        runDialogue(*ctx, *options, io, data, reports);
        asked = true;
        initRunTables(*ctx);
        auto reader = std::make_unique<LineReader>(data.file, data.size);
        scanDataFile(*ctx, *reader);
    } catch (const FatalExit& e) {
        status = e.status;
        ending = asked ? Ending::FatalWhileReading : Ending::Refused;
    } catch (const DataReadError& e) {
        reportFatal(*ctx, "\nUnable to read file " + visibleText(ctx->dataFileName) + ": " +
                              (e.error ? errorText(e.error) : e.reason) + ".");
        status = -1;
        ending = Ending::FatalWhileReading;
    } catch (const OutputWriteError& e) {
        reportWriteFailure(*ctx, e.name, e.error);
        status = -1;
        ending = Ending::WriteFailed;
    } catch (const std::bad_alloc&) {
        // What the run gathered is given back first, so that the message and
        // the ends of the outputs can still be written.
        ctx->aggregateErrors.release();
        ctx->footnotes.adoption.release();
        ctx->footnotes.fosterCare.release();
        ctx->facts.localAgencies.release();
        reportFatal(*ctx, "\nMemory Error: not enough memory to go on.");
        status = -1;
        ending = asked ? Ending::FatalWhileReading : Ending::Refused;
    }
    if (data.file) {
        std::fclose(data.file);
        data.file = nullptr;
    }

    // The reports first, then the findings files, as they were opened.
    std::vector<PlacedOutput> outputs = {{&ctx->fosterCareReport, &reports.fosterCare},
                                         {&ctx->adoptionReport, &reports.adoption}};
    if (findings)
        for (WrittenOutput* w : findings->outputs()) outputs.emplace_back(&w->out(), &w->file());
    std::erase_if(outputs, [](const PlacedOutput& o) { return !o.second->isOpen(); });

    if (ending == Ending::FatalWhileReading && findings) {
        try {
            findings->abandon(*ctx);
        } catch (const OutputWriteError& e) {
            reportWriteFailure(*ctx, e.name, e.error);
            ending = Ending::WriteFailed;
        }
        if (WrittenOutput* baseline = findings->findingsOutput(); baseline && findingsReplaceBaseline) {
            std::erase_if(outputs, [&](const PlacedOutput& o) { return o.second == &baseline->file(); });
            discardOutputs({{&baseline->out(), &baseline->file()}});
        }
    }
    if (ending == Ending::Complete || ending == Ending::FatalWhileReading) {
        if (!placeOutputs(*ctx, outputs)) status = -1;
    } else {
        discardOutputs(outputs);
    }
    if (f.closingSummary && ending == Ending::Complete && status == 0)
        ctx->console.put(closingSummary(*ctx, *findings, f));
    ctx->console.flush();
    ctx->errors.flush();
    if (status == 0 && findings && findings->failOnFindings()) {
        if (findings->anyFinding()) {
            status = 1;
        } else if (ctx->adoptionRecordCount == 0 && ctx->fosterCareRecordCount == 0) {
            ctx->errors.put("\nNo detail record was checked: --fail-on-findings takes that as a failure.\n");
            ctx->errors.flush();
            status = 1;
        }
    }
    if (totals) {
        totals->adoptionRecords = ctx->adoptionRecordCount;
        totals->fosterCareRecords = ctx->fosterCareRecordCount;
        if (findings) {
            totals->adoptionRecordsWithFindings = findings->counts(RecordKind::Adoption).recordsWithFindings;
            totals->fosterCareRecordsWithFindings = findings->counts(RecordKind::FosterCare).recordsWithFindings;
            totals->findings =
                findings->counts(RecordKind::Adoption).findings + findings->counts(RecordKind::FosterCare).findings;
        }
    }
    return status;
}

}  // namespace vortel

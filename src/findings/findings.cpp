#include "findings/findings.h"

#include "run/run_context.h"

namespace vortel {

std::optional<std::string> findingsOptionsError(const FindingsOptions&) { return std::nullopt; }

FindingsExport::FindingsExport(const FindingsOptions& options) : options_(options) {}
FindingsExport::~FindingsExport() = default;

void FindingsExport::open(RunContext&) {}
void FindingsExport::beginSection(RunContext&, RecordKind, std::string_view, std::string_view) {}
void FindingsExport::record(RunContext& ctx, RecordKind kind, std::string_view, std::string_view, long) {
    if (ctx.cells(kind).hasFinding()) anyFinding_ = true;
}
void FindingsExport::finish(RunContext& ctx) {
    if (ctx.aggregateErrors.count() || ctx.adoptionFootnoteErrors.count() || ctx.fosterCareFootnoteErrors.count())
        anyFinding_ = true;
}

}  // namespace vortel

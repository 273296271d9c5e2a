#include "reports/error_listing.h"

#include "core/run_context.h"

namespace vortel {

namespace {

// One block of the listing: a message list under its title.
struct ListingBlock {
    RecordKind report;
    const MessageList& (*list)(const RunContext&);
    int titleIndent;
    std::string_view title;
    std::string_view memoryNote;  // first line of the note written in place of the list
    bool bulletinReference;       // footnote lists end with a pointer to the formatting rules
};

constexpr ListingBlock kBlocks[] = {
    {RecordKind::Adoption, [](const RunContext& c) -> const MessageList& { return c.aggregateErrors; }, 27,
     "Adoption Aggregate Errors", "\n\nNOTE:  The program was unable to print adoption aggregate errors because",
     false},
    {RecordKind::Adoption, [](const RunContext& c) -> const MessageList& { return c.footnotes.adoption; }, 32,
     "Footnote Errors", "\n\nNOTE:  The program was unable to print adoption footnote errors because", true},
    {RecordKind::FosterCare, [](const RunContext& c) -> const MessageList& { return c.footnotes.fosterCare; }, 32,
     "Footnote Errors", "\n\nNOTE:  The program was unable to print foster care footnote errors because", true},
};

constexpr std::string_view kColumnHeading = "\n\nError Description\n-----------------";
constexpr std::string_view kMemoryNoteEnd =
    "\n       there was not enough memory available when processing data.  Please"
    "\n       remove any unnecessary programs from memory and try again.  If this"
    "\n       problem remains contact your technical liaison.";
constexpr std::string_view kBulletinReference =
    "\n\nPlease refer to VORTEL Technical Bulletin #3 for instructions"
    "\non how to properly format footnotes in an VORTEL submission"
    "\nfile.";

void writeHeading(Writer& out, const ListingBlock& block) {
    out.put("\n\n\n");
    out.repeat(' ', block.titleIndent);
    out.put(block.title);
    out.put(kColumnHeading);
}

void writeBlock(Writer& out, const ListingBlock& block, const MessageList& list) {
    if (list.count() != 0) {
        writeHeading(out, block);
        for (std::size_t i = 0; i < list.count(); ++i) {
            out.put("\n");
            out.put(list[i]);
            out.put('.');
        }
        if (block.bulletinReference) out.put(kBulletinReference);
    } else if (list.memoryFailed) {
        writeHeading(out, block);
        out.put(block.memoryNote);
        out.put(kMemoryNoteEnd);
    }
}

}  // namespace

void writeErrorListing(RunContext& ctx, RecordKind kind) {
    Writer& out = ctx.report(kind);
    for (const ListingBlock& block : kBlocks)
        if (block.report == kind) writeBlock(out, block, block.list(ctx));
}

}  // namespace vortel

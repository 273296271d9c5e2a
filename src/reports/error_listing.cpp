#include "reports/error_listing.h"

#include "core/run_context.h"
#include "reports/output_kinds.h"

namespace vortel {

namespace {

constexpr std::string_view kColumnHeading = "\n\nError Description\n-----------------";
constexpr std::string_view kMemoryNoteEnd =
    "\n       there was not enough memory available when processing data.  Please"
    "\n       remove any unnecessary programs from memory and try again.  If this"
    "\n       problem remains contact your technical liaison.";
constexpr std::string_view kBulletinReference =
    "\n\nPlease refer to VORTEL Technical Bulletin #3 for instructions"
    "\non how to properly format footnotes in an VORTEL submission"
    "\nfile.";

void writeHeading(Writer& out, const MessageListRow& block) {
    out.put("\n\n\n");
    out.repeat(' ', block.titleIndent);
    out.put(block.title);
    out.put(kColumnHeading);
}

void writeBlock(Writer& out, const MessageListRow& block, const MessageList& list) {
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
    for (const MessageListId id : kindRow(kind).messageLists) writeBlock(out, messageListRow(id), ctx.messages(id));
}

}  // namespace vortel

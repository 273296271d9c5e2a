#include "footnotes/footnotes.h"

#include "run/run_context.h"

namespace vortel {

void checkFootnote(RunContext&, std::string_view) {}
void releaseFootnoteErrors(RunContext& ctx) {
    ctx.adoptionFootnoteErrors.release();
    ctx.fosterCareFootnoteErrors.release();
}

}  // namespace vortel

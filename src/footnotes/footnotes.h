// Footnote records: lines beginning with "%%".
#pragma once

#include <string_view>

namespace vortel {

struct RunContext;

void checkFootnote(RunContext& ctx, std::string_view line);
void releaseFootnoteErrors(RunContext& ctx);

}  // namespace vortel

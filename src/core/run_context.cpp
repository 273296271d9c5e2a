#include "core/run_context.h"

namespace vortel {

void reportFatal(RunContext& ctx, std::string_view message) {
    ctx.console.flush();
    ctx.errors.put(message);
    ctx.errors.put("\nTerminating program.\n");
    ctx.errors.flush();
}

void fatalError(RunContext& ctx, std::string_view message) {
    reportFatal(ctx, message);
    throw FatalExit{-1};
}

}  // namespace vortel

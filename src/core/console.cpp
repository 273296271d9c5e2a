#include "core/console.h"

namespace vortel {

void reportFatal(Console console, std::string_view message) {
    console.out.flush();
    console.errors.put(message);
    console.errors.put("\nTerminating program.\n");
    console.errors.flush();
}

void fatalError(Console console, std::string_view message) {
    reportFatal(console, message);
    throw FatalExit{-1};
}

}  // namespace vortel

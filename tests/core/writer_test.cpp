// The writer's order of calls, asserted in debug builds: once the file it
// wrote to is closed or left, it takes no more text until it is given
// another (text written then would pile up in memory and never reach a file).
#include "core/writer.h"

#include <gtest/gtest.h>

#include "core/platform.h"

namespace vortel {
namespace {

struct Misuse {
    const char* name;
    void (*end)(Writer&);
    void (*write)(Writer&);
};

TEST(WriterDeathTest, TakesNoTextAfterItsFileIsClosedOrLeft) {
#if defined(NDEBUG)
    GTEST_SKIP() << "the order of calls is asserted in debug builds";
#else
    const Misuse cases[] = {
        {"put after close", [](Writer& w) { w.close(); }, [](Writer& w) { w.put("text"); }},
        {"printf after detach", [](Writer& w) { w.detach(); }, [](Writer& w) { w.printf("%d", 1); }},
        {"captured of a writer that had a file", [](Writer&) {}, [](Writer& w) { (void)w.captured(); }},
    };
    for (const Misuse& c : cases) {
        EXPECT_DEATH(
            {
                Writer w;
                w.attach(platform::openNullDevice("wb"), true, "null");
                c.end(w);
                c.write(w);
            },
            "Assertion")
            << c.name;
    }
#endif
}

}  // namespace
}  // namespace vortel

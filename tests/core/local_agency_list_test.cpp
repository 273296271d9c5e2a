#include "core/local_agency_list.h"

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fields/fields.h"
#include "support/program_run.h"
#include "support/records.h"

using namespace vortel;
using namespace vortel::testing;

namespace {

struct Loaded {
    int result;
    std::vector<std::string> codes;
};

Loaded load(const std::string& fipsText, const std::string& state = "01",
            std::size_t roomLimit = MemoryLimits::kUnlimited) {
    ScratchDir dir;
    writeFile(dir / "fips.lst", fipsText);
    auto ctx = makeContext();
    ctx->facts.stateCode = state;
    ctx->fipsFileName = (dir / "fips.lst").string();
    ctx->facts.localAgencies.roomLimit = roomLimit;
    Loaded out{loadLocalAgencyCodes(ctx->facts, ctx->fipsFileName, ctx->streams()), {}};
    for (std::size_t i = 0; i < ctx->facts.localAgencies.count(); ++i)
        out.codes.push_back(ctx->facts.localAgencies.code(i));
    return out;
}

TEST(LocalAgencyList, KeepsOnlyPiecesStartingWithTheState) {
    const struct {
        const char* file;
        std::vector<std::string> codes;
    } cases[] = {
        {"01001\n02013\n01003\n", {"01001", "01003"}},
        {"01001\n01001\n", {"01001", "01001"}},  // duplicates stay, in file order
        {"10010\n", {}},                         // 01 inside the piece, not at its start
        {"0100\n", {"0100\n"}},                  // a 4-character line keeps its line feed
        {"01001 Autauga County\n", {"01001"}},   // the rest is read as pieces: " Autau", "ga Cou", ...
        {"01001x01777\n", {"01001", "01777"}},   // a later piece may start with the State
        {"01001\r\n", {"01001"}},                // CR LF: the CR is cut off, the LF skipped
        {"01001", {"01001"}},                    // no final line feed
        {"", {}},
    };
    for (const auto& c : cases) {
        const Loaded l = load(c.file);
        EXPECT_EQ(l.codes, c.codes) << '"' << c.file << '"';
        EXPECT_EQ(l.result, static_cast<int>(c.codes.size()));
    }
}

TEST(LocalAgencyList, GrowsInBlocksOf85) {
    for (int n : {84, 85, 86, 170, 171, 500}) {
        std::string file;
        for (int i = 0; i < n; ++i)
            file += "01" + std::string(3 - std::to_string(i).size(), '0') + std::to_string(i) + "\n";
        ScratchDir dir;
        writeFile(dir / "fips.lst", file);
        auto ctx = makeContext();
        ctx->fipsFileName = (dir / "fips.lst").string();
        EXPECT_EQ(loadLocalAgencyCodes(ctx->facts, ctx->fipsFileName, ctx->streams()), n);
        EXPECT_EQ(ctx->facts.localAgencies.room(), (static_cast<std::size_t>(n) / 85 + 1) * 85) << n;
        EXPECT_FALSE(ctx->facts.localAgencies.codeInvalid(field(file, 1, 5)));
        EXPECT_FALSE(ctx->facts.localAgencies.codeInvalid(
            field(file, static_cast<int>(file.size()) - 5, static_cast<int>(file.size()) - 1)));
    }
}

TEST(LocalAgencyList, RunningOutOfRoomEmptiesTheList) {
    std::string file;
    for (int i = 0; i < 100; ++i)
        file += "01" + std::string(3 - std::to_string(i).size(), '0') + std::to_string(i) + "\n";
    // Room for 85 entries only: the 85th code needs room for 170.
    const Loaded l = load(file, "01", 85);
    EXPECT_EQ(l.result, -1);
    EXPECT_TRUE(l.codes.empty());
    EXPECT_EQ(load(file, "01", 170).result, 100);
    EXPECT_EQ(load("01001\n", "01", 0).result, -1);
}

TEST(LocalAgencyList, Lookup) {
    LocalAgencyList list;
    list.append("01001");
    list.append("0100\n");
    EXPECT_FALSE(list.codeInvalid("01001"));
    EXPECT_TRUE(list.codeInvalid("01003"));
    EXPECT_TRUE(list.codeInvalid("0100 "));   // numeric, but no entry holds it as it stands
    EXPECT_TRUE(list.codeInvalid("0100\n"));  // not numeric
    EXPECT_TRUE(list.codeInvalid("     "));
    list.release();
    EXPECT_EQ(list.count(), 0u);
    EXPECT_TRUE(list.codeInvalid("01001"));
}

// Five-digit fields are answered from a set of numbers, others by the sorted
// entries: both must answer as a scan of the entries in file order would,
// also after the list changed.
TEST(LocalAgencyList, LookupAgreesWithAScanOfTheEntries) {
    LocalAgencyList list;
    const std::vector<std::string> entries = {"01001", "01999", "01000", "0100", "01 01", "01x01", "99999", "00000"};
    for (const std::string& e : entries) list.append(e);
    auto scanSays = [&](std::string_view field) {
        if (!isNumericField(field)) return true;
        for (std::size_t i = 0; i < list.count(); ++i)
            if (list.code(i) == field) return false;
        return true;
    };
    std::vector<std::string> fields = {"01 01", " 1001", "0100 ", "01x01", "     ", "1001", "010011"};
    for (int v = 0; v < 100000; v += 7) {
        char text[6];
        std::snprintf(text, sizeof text, "%05d", v);
        fields.emplace_back(text);
    }
    for (const char* f : {"01001", "01999", "01000", "99999", "00000", "01002"}) fields.emplace_back(f);
    for (int round = 0; round < 2; ++round) {
        for (const std::string& f : fields) EXPECT_EQ(list.codeInvalid(f), scanSays(f)) << "\"" << f << "\"";
        list.append("01002");  // the answers follow a change of the list
    }
}

}  // namespace

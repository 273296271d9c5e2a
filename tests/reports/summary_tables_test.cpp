// Holds the program's tally tables and message tables against reference
// listings written out separately (reference_listings.h), so that a slip in a
// slot number, a cell, a column, a kind, a reference, a threshold, a gate, a
// rule or a message text shows up as a failing row.
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "adoption/adoption_tallies.h"
#include "catalogue/catalogue.h"
#include "fostercare/fostercare_tallies.h"
#include "reports/reference_listings.h"
#include "reports/summary_messages.h"

namespace vortel::testing {
namespace {

std::vector<std::vector<std::string>> parseListing(const char* text) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        std::vector<std::string> cells;
        // "| a | b | c |": split on " | " between the outer bars.
        std::string body = line.substr(2, line.size() - 4);
        std::size_t from = 0;
        for (;;) {
            const std::size_t bar = body.find(" |", from);
            if (bar == std::string::npos) {
                cells.push_back(body.substr(from));
                break;
            }
            cells.push_back(body.substr(from, bar - from));
            from = bar + 2;
            if (from < body.size() && body[from] == ' ') ++from;
        }
        rows.push_back(cells);
    }
    return rows;
}

// ---- tally tables ----

struct ExpectedTally {
    int slot = 0;
    int cell = 0;
    int first = 0, last = 0;
    int pairCell = 0, pairFirst = 0, pairLast = 0;
    TallyKind kind{};
    int dateWidth = 0;  // same date / same pair: 4, 6 or 8 by the parts named
    std::optional<std::string> reference;
    float threshold = 100;
    TallyGate gate = TallyGate::Always;
    int gateColumn = 0;
};

// The cell of an element ("16") or race category ("7a").
int cellOf(const std::string& element, RecordKind kind) {
    const char category = element.back() >= 'a' && element.back() <= 'f' ? element.back() : '\0';
    return findElement(elementEntries(kind), std::stoi(element), category)->cell();
}

void parseColumns(const std::string& text, int& first, int& last) {
    const std::size_t dash = text.find('-');
    first = std::stoi(text);
    last = dash == std::string::npos ? first : std::stoi(text.substr(dash + 1));
}

ExpectedTally parseTallyRow(const std::vector<std::string>& c, RecordKind recordKind) {
    EXPECT_EQ(c.size(), 7u);
    ExpectedTally e;
    e.slot = std::stoi(c[0]);
    const std::string& element = c[1];
    if (const auto and_ = element.find(" and "); and_ != std::string::npos) {
        e.cell = cellOf(element.substr(0, and_), recordKind);
        e.pairCell = cellOf(element.substr(and_ + 5), recordKind);
    } else {
        e.cell = cellOf(element.substr(0, element.find('-')), recordKind);
    }
    if (const auto with = c[2].find(" with "); with != std::string::npos) {
        parseColumns(c[2].substr(0, with), e.first, e.last);
        parseColumns(c[2].substr(with + 6), e.pairFirst, e.pairLast);
    } else {
        parseColumns(c[2], e.first, e.last);
    }
    static const std::pair<const char*, TallyKind> kinds[] = {
        {"same code", TallyKind::SameCode},
        {"same text", TallyKind::SameText},
        {"same date", TallyKind::SameDate},
        {"same number", TallyKind::SameNumber},
        {"above", TallyKind::Above},
        {"same pair", TallyKind::SamePair},
        {"code share", TallyKind::CodeShare},
        {"blank count", TallyKind::BlankCount},
        {"blank share", TallyKind::BlankShare},
        {"multi-racial", TallyKind::MultiRacial},
    };
    bool known = false;
    for (const auto& [name, kind] : kinds)
        if (c[3].rfind(name, 0) == 0) {
            e.kind = kind;
            known = true;
        }
    EXPECT_TRUE(known) << c[3];
    if (c[3].find("(year, month, day)") != std::string::npos)
        e.dateWidth = 8;
    else if (c[3].find("(year, month)") != std::string::npos)
        e.dateWidth = 6;
    else if (c[3].find("(year)") != std::string::npos)
        e.dateWidth = 4;
    const std::string& ref = c[4];
    if (ref == "two blanks")
        e.reference = std::string(2, ' ');
    else if (ref == "four blanks")
        e.reference = std::string(4, ' ');
    else if (ref == "twelve blanks")
        e.reference = std::string(12, ' ');
    else if (ref != "empty" && ref != "(none)")
        e.reference = ref;
    e.threshold = std::stof(c[5]);
    static const std::regex notZero(R"(column (\d+) does not hold 0)");
    static const std::regex atMostOne(R"(slot (\d+)'s matchCount is at most 1)");
    std::smatch m;
    if (std::regex_match(c[6], m, notZero)) {
        e.gate = TallyGate::ColumnNotZero;
        e.gateColumn = std::stoi(m[1]);
    } else if (std::regex_match(c[6], m, atMostOne)) {
        e.gate = TallyGate::MatchAtMostOne;
        EXPECT_EQ(std::stoi(m[1]), e.slot) << "the blank count gate reads the slot's own count";
    } else {
        EXPECT_EQ(c[6], "");
    }
    return e;
}

void checkTallyTable(std::span<const TallyRow> rows, const char* listing, RecordKind kind, int slotCount,
                     std::set<int> unused) {
    const auto expected = parseListing(listing);
    ASSERT_EQ(rows.size(), expected.size());
    std::set<int> seen;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TallyRow& r = rows[i];
        const ExpectedTally e = parseTallyRow(expected[i], kind);
        SCOPED_TRACE("row " + std::to_string(i) + ", slot " + std::to_string(e.slot));
        EXPECT_EQ(r.slot, e.slot);
        EXPECT_EQ(r.cell, e.cell);
        EXPECT_EQ(r.cols.first, e.first);
        EXPECT_EQ(r.cols.last, e.last);
        EXPECT_EQ(r.kind, e.kind);
        if (e.kind == TallyKind::SamePair) {
            EXPECT_EQ(r.pairCell, e.pairCell);
            EXPECT_EQ(r.pairCols.first, e.pairFirst);
            EXPECT_EQ(r.pairCols.last, e.pairLast);
        } else {
            EXPECT_EQ(r.pairCell, 0);
        }
        if (e.dateWidth != 0) {
            EXPECT_EQ(e.last - e.first + 1, e.dateWidth) << "date parts and columns disagree";
        }
        if (e.kind == TallyKind::MultiRacial) {
            EXPECT_EQ(e.last - e.first, 5);
        }
        if (e.reference) {
            ASSERT_NE(r.reference, nullptr);
            EXPECT_EQ(std::string(r.reference), *e.reference);
        } else {
            EXPECT_EQ(r.reference, nullptr);
        }
        EXPECT_EQ(r.threshold, e.threshold);
        EXPECT_EQ(r.gate, e.gate);
        EXPECT_EQ(r.gateColumn, e.gateColumn);
        EXPECT_TRUE(seen.insert(e.slot).second) << "slot listed twice";
    }
    for (int s = 0; s < slotCount; ++s) EXPECT_EQ(seen.count(s) == 0, unused.count(s) == 1) << "slot " << s;
}

TEST(SummaryTables, AdoptionTallyTableMatchesReferenceListing) {
    checkTallyTable(adoptionTallyRows(), kAdoptionTallyListing, RecordKind::Adoption, kAdoptionTallySlots, {6, 34, 38});
}

TEST(SummaryTables, FosterCareTallyTableMatchesReferenceListing) {
    checkTallyTable(fosterCareTallyRows(), kFosterCareTallyListing, RecordKind::FosterCare, kFosterCareTallySlots,
                    {8, 61, 65});
}

// A pending blank counts in the adoption blank slots (record number, blank
// parent birth years) but not in the foster care record number slot.
TEST(SummaryTables, PendingBlanksCountOnlyInTheAdoptionBlankSlots) {
    for (const TallyRow& r : adoptionTallyRows())
        EXPECT_EQ(r.countsPendingBlank, r.slot == 2 || r.slot == 18 || r.slot == 21) << "slot " << int(r.slot);
    for (const TallyRow& r : fosterCareTallyRows()) EXPECT_FALSE(r.countsPendingBlank) << "slot " << int(r.slot);
}

// ---- message tables ----

std::string unescape(const std::string& quoted) {
    EXPECT_TRUE(quoted.size() >= 2 && quoted.front() == '"' && quoted.back() == '"') << quoted;
    std::string out;
    for (std::size_t i = 1; i + 1 < quoted.size(); ++i) {
        if (quoted[i] != '\\') {
            out.push_back(quoted[i]);
            continue;
        }
        const char e = quoted[++i];
        out.push_back(e == 'n' ? '\n' : e == 't' ? '\t' : e);
    }
    return out;
}

// The printf conversions of a message, in order ("%%" included).
std::vector<std::string> conversions(const std::string& text) {
    static const std::regex conversion(R"(%[-0-9.]*l?[a-z%])");
    std::vector<std::string> out;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), conversion); it != std::sregex_iterator(); ++it)
        out.push_back(it->str());
    return out;
}

void checkMessageTable(RecordKind kind, const char* listing, std::span<const TallyRow> tallies) {
    static const std::map<std::string, MessageRule> rules = {
        {"none", MessageRule::None},
        {"same", MessageRule::Same},
        {"not same", MessageRule::NotSame},
        {"repeated blank", MessageRule::RepeatedBlank},
        {"over threshold", MessageRule::OverThreshold},
        {"multi", MessageRule::Multi},
        {"no multi", MessageRule::NoMulti},
        {"same; the value is reference read as a number", MessageRule::SameAmount},
    };
    std::map<int, TallyKind> slotKinds;
    for (const TallyRow& t : tallies) slotKinds[t.slot] = t.kind;

    const auto rows = summaryMessageRows(kind);
    const auto expected = parseListing(listing);
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const MessageRow& r = rows[i];
        const auto& c = expected[i];
        ASSERT_EQ(c.size(), 3u);
        SCOPED_TRACE("row " + std::to_string(i) + ": " + c[2]);
        EXPECT_EQ(r.slot, std::stoi(c[0]));

        static const std::regex blankShare(R"(none, blank share not 100 \(slot (\d+)\))");
        std::smatch m;
        if (std::regex_match(c[1], m, blankShare)) {
            EXPECT_EQ(r.rule, MessageRule::NoneBlankShareNot100);
            EXPECT_EQ(r.shareSlot, std::stoi(m[1]));
            EXPECT_EQ(slotKinds.at(r.shareSlot), TallyKind::BlankShare);
        } else {
            ASSERT_TRUE(rules.count(c[1])) << c[1];
            EXPECT_EQ(r.rule, rules.at(c[1]));
        }

        const std::size_t then = c[2].find("\" then \"");
        const std::string text = unescape(then == std::string::npos ? c[2] : c[2].substr(0, then + 1));
        EXPECT_EQ(std::string(r.text), text);
        if (then == std::string::npos) {
            EXPECT_EQ(r.more, nullptr);
        } else {
            ASSERT_NE(r.more, nullptr);
            EXPECT_EQ(std::string(r.more), unescape(c[2].substr(then + 7)));
            EXPECT_TRUE(conversions(r.more).empty());
        }

        // The message's conversions are the values its rule supplies, and
        // the slot's kind is one the rule can be judged on.
        ASSERT_TRUE(slotKinds.count(r.slot)) << "message for an unused slot";
        const TallyKind slotKind = slotKinds.at(r.slot);
        using V = std::vector<std::string>;
        switch (r.rule) {
            case MessageRule::OverThreshold:
                EXPECT_EQ(conversions(r.text), (V{"%6.2f", "%%"}));
                EXPECT_TRUE(slotKind == TallyKind::CodeShare || slotKind == TallyKind::BlankShare);
                break;
            case MessageRule::Multi:
                EXPECT_EQ(conversions(r.text), (V{"%d", "%d", "%6.2f", "%%"}));
                EXPECT_EQ(slotKind, TallyKind::MultiRacial);
                break;
            case MessageRule::NoMulti:
                EXPECT_TRUE(conversions(r.text).empty());
                EXPECT_EQ(slotKind, TallyKind::MultiRacial);
                break;
            case MessageRule::SameAmount:
                EXPECT_EQ(conversions(r.text), (V{"%5ld"}));
                EXPECT_EQ(slotKind, TallyKind::SameNumber);
                break;
            case MessageRule::RepeatedBlank:
                EXPECT_TRUE(conversions(r.text).empty());
                EXPECT_EQ(slotKind, TallyKind::BlankCount);
                break;
            case MessageRule::Same:
            case MessageRule::NotSame:
                EXPECT_TRUE(conversions(r.text).empty());
                EXPECT_TRUE(slotKind != TallyKind::CodeShare && slotKind != TallyKind::BlankShare &&
                            slotKind != TallyKind::BlankCount && slotKind != TallyKind::MultiRacial);
                break;
            case MessageRule::None:
            case MessageRule::NoneBlankShareNot100:
                EXPECT_TRUE(conversions(r.text).empty());
                break;
        }
    }
}

TEST(SummaryTables, AdoptionMessageTableMatchesReferenceListing) {
    checkMessageTable(RecordKind::Adoption, kAdoptionMessageListing, adoptionTallyRows());
}

TEST(SummaryTables, FosterCareMessageTableMatchesReferenceListing) {
    checkMessageTable(RecordKind::FosterCare, kFosterCareMessageListing, fosterCareTallyRows());
}

}  // namespace
}  // namespace vortel::testing

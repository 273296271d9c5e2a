#include "html/rules_document.h"

#include <string>

#include <gtest/gtest.h>

#include "adoption/adoption_group_tables.h"
#include "catalogue/catalogue.h"
#include "datepairs/date_pair_tables.h"
#include "fostercare/fostercare_group_tables.h"

namespace vortel {
namespace {

constexpr RecordKind A = RecordKind::Adoption;
constexpr RecordKind F = RecordKind::FosterCare;

// The rules of each consistency group, counted in the group's own table: a
// table of rows (ids "A-G3.1" on), or of rows and columns ("F-G2.1.1" on).
struct GroupTable {
    RecordKind kind;
    int group;
    int rows;
    int columns;  // 0: rules are numbered by row alone
};

template <const auto& table>
constexpr GroupTable decisionTable(int group) {
    return {F, group, static_cast<int>(std::size(table)), static_cast<int>(std::size(table[0].outcomes))};
}

namespace ag = adoption_groups;
namespace fg = fostercare_groups;

const GroupTable kGroupTables[] = {
    {A, 2, ag::kAgencyRule + 1, 0},
    {A, 3, static_cast<int>(std::size(ag::kSpecialNeedsTable)), 0},
    {A, 4, static_cast<int>(std::size(ag::kFamilyTable)), 0},
    {A, 5, static_cast<int>(std::size(ag::kRelationshipCountMarks)), 0},
    {A, 6, static_cast<int>(std::size(ag::kSubsidyTable)), 0},
    {A, 7, static_cast<int>(std::size(ag::kRaceTable)), 0},
    decisionTable<fg::kGroup2Table>(2),
    decisionTable<fg::kGroup3Table>(3),
    decisionTable<fg::kGroup4Table>(4),
    decisionTable<fg::kGroup5Table>(5),
    decisionTable<fg::kGroup6Table>(6),
    {F, 7, 1, 0},
    decisionTable<fg::kGroup8Table>(8),
    decisionTable<fg::kGroup9Table>(9),
    decisionTable<fg::kGroup10Table>(10),
    decisionTable<fg::kGroup11Table>(11),
    decisionTable<fg::kGroup12Table>(12),
    {F, 13, 2 * static_cast<int>(std::size(fg::kGroup13RaceElements)), 0},
};

std::string prefix(RecordKind kind) { return kind == A ? "A-" : "F-"; }

// A table row of the Markdown whose first cell is `first`, or empty.
std::string rowOf(const std::string& doc, const std::string& first) {
    const std::string head = "\n| " + first + " |";
    const std::size_t at = doc.find(head);
    if (at == std::string::npos) return {};
    return doc.substr(at + 1, doc.find('\n', at + 1) - at - 1);
}

TEST(RulesDocument, ListsEveryElementCodeDatePairRowAndGroupRule) {
    const std::string md = rulesDocument(RulesFormat::Markdown);
    const std::string page = rulesDocument(RulesFormat::Html);
    int groupsSeen = 0;
    const std::size_t fosterCare = md.find("\n## Foster care");
    ASSERT_NE(fosterCare, std::string::npos);
    for (RecordKind kind : {A, F}) {
        const std::string section = kind == A ? md.substr(0, fosterCare) : md.substr(fosterCare);
        for (const ElementEntry& e : elementEntries(kind)) {
            const std::string row = rowOf(section, std::string(e.label()));
            const std::string columns = e.first() == e.last()
                                            ? std::to_string(e.first())
                                            : std::to_string(e.first()) + "-" + std::to_string(e.last());
            ASSERT_NE(row, "") << e.label();
            EXPECT_NE(row.find("| " + columns + " |"), std::string::npos) << row;
            EXPECT_NE(page.find("<td>" + std::string(e.label()) + "</td>"), std::string::npos) << e.label();
            if (e.checked && e.layout.test == ElementTest::Code) {
                const std::size_t codes = row.find("One of the codes ");
                ASSERT_NE(codes, std::string::npos) << row;
                for (char code : e.layout.codes) EXPECT_NE(row.find(code, codes), std::string::npos) << row;
            }
        }
        const std::size_t rows = kind == A ? adoptionDateChecks().size() : fosterCareDateChecks().size();
        for (std::size_t i = 1; i <= rows; ++i) EXPECT_NE(rowOf(md, prefix(kind) + "DP" + std::to_string(i)), "") << i;
        EXPECT_EQ(rowOf(md, prefix(kind) + "DP" + std::to_string(rows + 1)), "");
    }
    for (const GroupTable& t : kGroupTables) {
        ++groupsSeen;
        const std::string id = prefix(t.kind) + "G" + std::to_string(t.group) + ".";
        for (int r = 1; r <= t.rows; ++r) {
            if (t.columns == 0) {
                EXPECT_NE(rowOf(md, id + std::to_string(r)), "") << id << r;
            }
            for (int c = 1; c <= t.columns; ++c)
                EXPECT_NE(rowOf(md, id + std::to_string(r) + "." + std::to_string(c)), "") << id << r << "." << c;
        }
    }
    EXPECT_EQ(groupsSeen, static_cast<int>(groupEntries(A).size() + groupEntries(F).size()) - 2);
}

TEST(RulesDocument, FormatFollowsTheFileName) {
    const std::pair<const char*, std::optional<RulesFormat>> cases[] = {
        {"rules.md", RulesFormat::Markdown}, {"docs/rules.html", RulesFormat::Html},
        {"rules.htm", std::nullopt},         {".md", std::nullopt},
        {"rules.MD", std::nullopt},          {"rules.md.txt", std::nullopt}};
    for (const auto& [name, format] : cases) EXPECT_EQ(rulesFormatOf(name), format) << name;
}

}  // namespace
}  // namespace vortel

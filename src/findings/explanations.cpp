#include "findings/explanations.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "adoption/adoption_group_tables.h"
#include "catalogue/catalogue.h"
#include "core/run_context.h"
#include "datepairs/date_pair_tables.h"
#include "datepairs/date_pairs.h"
#include "fields/element_check.h"
#include "fields/fields.h"
#include "findings/rule_words.h"
#include "fostercare/fostercare_group_tables.h"
#include "reports/output_kinds.h"

namespace vortel {

namespace {

// ------------------------------------------------------------------- words

using Words = std::vector<std::string>;

// "a", "a and b", "a, b and c".
std::string joined(const Words& items, std::string_view last = " and ") {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += i + 1 == items.size() ? last : std::string_view(", ");
        out += items[i];
    }
    return out;
}

std::string capitalised(std::string s) {
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
    return s;
}

std::string quoted(std::string_view value) {
    std::string out = "\"";
    out += value;
    out += '"';
    return out;
}

std::string number(double v) {
    char text[32];
    if (v == std::floor(v)) {
        std::snprintf(text, sizeof text, "%.0f", v);
    } else {
        std::snprintf(text, sizeof text, "%.1f", v);
    }
    return text;
}

std::string digits(long v, int width) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*ld", width, v);
    return text;
}

std::string dateText(const RunDate& d) { return digits(d.year, 4) + digits(d.month, 2) + digits(d.day, 2); }

// The names of a record kind's elements, as the catalogue words them.
struct Names {
    RecordKind kind;

    const ElementEntry& entry(int element, char category = '\0') const {
        static const ElementEntry kNone = unchecked(99, 1, 1, "unknown element");
        const ElementEntry* e = findElement(elementEntries(kind), element, category);
        return e ? *e : kNone;
    }
    // "Legalization date (21)".
    std::string operator()(int element) const { return named(entry(element)); }
    static std::string named(const ElementEntry& e) {
        std::string s(e.name);
        s += " (";
        s += e.label();
        s += ')';
        return s;
    }
    // The label of an element, its race categories spelt out: "52a-52f".
    std::string cells(int element) const {
        const ElementEntry& e = entry(element);
        if (e.part != EntryPart::RaceElement) return std::string(e.label());
        return std::string(entry(element, 'a').label()) + "-" + std::string(entry(element, 'f').label());
    }
    std::string cellLabel(int cell) const {
        const ElementEntry* e = entryAtCell(kind, cell);
        return e ? std::string(e->label()) : std::to_string(cell);
    }
    // The element whose value begins at a column.
    int elementAtColumn(int column) const {
        for (const ElementEntry& e : elementEntries(kind))
            if (e.part != EntryPart::RaceElement && e.first() == column) return e.element;
        return 0;
    }
    // The labels of elements, three or more numbered one after the other
    // written as a span: "29-32", "59-62 and 64", "47 and 48".
    std::string span(std::span<const int> elements) const {
        Words parts;
        for (std::size_t i = 0; i < elements.size();) {
            std::size_t j = i;
            while (j + 1 < elements.size() && elements[j + 1] == elements[j] + 1) ++j;
            if (j - i >= 2) {
                parts.push_back(std::string(entry(elements[i]).label()) + "-" +
                                std::string(entry(elements[j]).label()));
            } else {
                j = i;
                parts.emplace_back(entry(elements[i]).label());
            }
            i = j + 1;
        }
        return joined(parts);
    }
    // The elements of a consistency group, as the catalogue lists them, but
    // those named in `except` (the group's other factors): "11-15".
    std::string groupSpan(int group, std::initializer_list<int> except = {}) const {
        std::vector<int> elements;
        if (const GroupEntry* g = findGroup(groupEntries(kind), group)) {
            for (const std::uint8_t e : g->elements)
                if (e != 0 && std::find(except.begin(), except.end(), e) == except.end()) elements.push_back(e);
        }
        return span(elements);
    }
};

// ------------------------------------------------------ the element's test

// The rule id's last part for each way an element test fails ("test" for a
// value the test passes, which no finding should have).
constexpr std::string_view kFailureIds[] = {"test",  "state", "period", "code",   "date",
                                            "early", "late",  "year",   "number", "agency"};
static_assert(std::size(kFailureIds) == static_cast<std::size_t>(ValueFailure::Agency) + 1);

// "1, 2, 3" from the code list "123".
std::string codeList(std::string_view codes) {
    Words each;
    for (char c : codes) each.emplace_back(1, c);
    return joined(each, ", ");
}

// What the value's failure means for the element's test.
std::string failureWords(ValueFailure failure, const ElementLayout& l, const RunContext& ctx) {
    const RunDate& run = ctx.facts.runDate;
    const bool period = l.test == ElementTest::ReportPeriod;
    const bool month = l.test == ElementTest::YearMonth;
    switch (failure) {
        case ValueFailure::None:
            break;
        case ValueFailure::State:
            return "not the State code typed, " + ctx.facts.stateCode;
        case ValueFailure::Period:
            return "not a report period end YYYY03 or YYYY09";
        case ValueFailure::Code:
            return "not one of " + codeList(l.codes);
        case ValueFailure::Date:
            return month ? "not a month YYYYMM" : "not a date YYYYMMDD";
        case ValueFailure::Early:
            if (period) return "before the earliest report period, " + digits(kEarliestReportPeriodYear, 4) + "03";
            if (month) return "before the earliest month allowed, " + digits(kEarliestYear, 4) + "01";
            return "before the earliest date allowed, " + digits(l.low, 8);
        case ValueFailure::Late: {
            if (!period) return "not before the run date, " + dateText(run);
            const YearMonth latest = latestReportPeriod(run);
            return "after the latest report period the run date allows, " + digits(latest.year, 4) +
                   digits(latest.month, 2);
        }
        case ValueFailure::Year:
            return "not a year from " + std::to_string(kEarliestYear) + " to " + std::to_string(run.year - 1);
        case ValueFailure::Number:
            return "not a whole number from " + std::to_string(l.low) + " to " + std::to_string(l.high);
        case ValueFailure::Agency:
            return ctx.localAgencyListFailed
                       ? "not checked against the local agency list, which could not be held in memory"
                       : "not a local agency code of State " + ctx.facts.stateCode + " in the list " + ctx.fipsFileName;
    }
    return "it fails the element's test";
}

// The start of a kind's rule ids: "A-".
std::string rulePrefix(RecordKind kind) { return std::string(1, outputRow(kind).tag) + "-"; }

Explained missingTest(RecordKind kind, const ElementEntry& e) {
    return {rulePrefix(kind) + std::string(e.label()) + ".missing",
            capitalised(Names::named(e)) + " is blank and must be reported."};
}

// A blank element's explanation depends on the element alone: made once per
// cell of each kind.
const Explained& missingExplanation(const Names& names, int cell) {
    using Table = std::vector<Explained>;
    auto make = [](RecordKind kind) {
        Table t(static_cast<std::size_t>(cellCount(kind)) + 1);
        for (int c = 1; c <= cellCount(kind); ++c)
            if (const ElementEntry* e = entryAtCell(kind, c)) t[static_cast<std::size_t>(c)] = missingTest(kind, *e);
        return t;
    };
    static const std::array<Table, kRecordKinds> tables = [&] {
        std::array<Table, kRecordKinds> all;
        for (const RecordKind kind : kAllRecordKinds) all[kindIndex(kind)] = make(kind);
        return all;
    }();
    const Table& t = tables[kindIndex(names.kind)];
    static const Explained kNone;
    return cell >= 1 && static_cast<std::size_t>(cell) < t.size() ? t[static_cast<std::size_t>(cell)] : kNone;
}

Explained elementTest(const Names& names, const ElementEntry& e, const Finding& f, const RunContext& ctx) {
    if (f.state == kMissing) return missingTest(names.kind, e);
    // The element checks' own reading of the value says why it failed.
    const ValueFailure failure = valueFailure(ctx.facts, fieldCheckOf(e.layout, recordLength(names.kind)), f.value);
    // Written in place: an element test's sentence is the most frequent.
    Explained x;
    x.rule = rulePrefix(names.kind);
    x.rule += e.label();
    x.rule += '.';
    x.rule += kFailureIds[static_cast<std::size_t>(failure)];
    const std::string why = failureWords(failure, e.layout, ctx);
    std::string& text = x.text;
    text.reserve(e.name.size() + f.value.size() + why.size() + 20);
    text += e.name;
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    text += " (";
    text += e.label();
    text += ") holds \"";
    text += f.value;
    text += "\": ";
    text += why;
    text += '.';
    return x;
}

// -------------------------------------------------------------- the groups

std::string groupHeading(const GroupEntry& g) {
    std::string s = "Group #" + std::to_string(g.number) + " (";
    s += g.title;
    s += ")";
    return s;
}

// The values of a group's elements in the record: `09 "1", 10 " "`, with
// runs of one-column elements in consecutive columns quoted together
// (`26-40 "000100000000000"`).
std::string groupValues(const Names& names, const GroupEntry& g, std::string_view record) {
    std::vector<const ElementEntry*> es;
    for (std::uint8_t e : g.elements)
        if (e != 0) es.push_back(&names.entry(e));
    auto follows = [](const ElementEntry* a, const ElementEntry* b) {
        return a->width() == 1 && b->width() == 1 && b->element == a->element + 1 && b->first() == a->last() + 1;
    };
    Words values;
    for (std::size_t i = 0; i < es.size();) {
        std::size_t j = i;
        while (j + 1 < es.size() && follows(es[j], es[j + 1])) ++j;
        if (j - i < 2) j = i;
        std::string label(es[i]->label());
        if (j > i) {
            label += "-";
            label += es[j]->label();
        }
        values.push_back(label + " " + quoted(field(record, es[i]->first(), es[j]->last())));
        i = j + 1;
    }
    return joined(values, ", ");
}

// A group rule in words: the conditions its row (and column) stands for and
// what it marks; `place` names the row ("9", "4.2") for the rule id.
struct GroupRuleText {
    Words conditions;
    std::string marks;
    std::string place;
};

std::string upperCaseNote(bool upper) { return upper ? " in upper case: the value will be deleted" : ""; }

// The values of a set of a row (one bit per enumerator) in words: "1 or 2",
// or "not 2" when all values but one are in the set; empty for a row that
// accepts any value.
template <class E, std::size_t N>
std::string setWords(unsigned set, const FactorWord<E> (&words)[N]) {
    if (set == adoption_groups::kAnyValue) return {};
    Words chosen, others;
    unsigned bit = 0;
    for (const FactorWord<E>& w : words) (set >> bit++ & 1u ? chosen : others).emplace_back(w.words);
    if (others.empty()) return "any value";
    if (chosen.size() > 1 && others.size() == 1) return "not " + others.front();
    return joined(chosen, " or ");
}

// A factor's value in words, as its table words it, after `before` (an
// element's name) and a space.
template <class E, std::size_t N>
std::string word(const FactorWord<E> (&words)[N], E value, std::string_view before = {}) {
    std::string s(before);
    if (!s.empty()) s += ' ';
    s += wordOf(words, value);
    return s;
}

std::string rowPlace(int row) { return std::to_string(row + 1); }

// ---------------------------------------------------------------- adoption

// `withRecord`: the rule is explained for a record's finding, so a rule that
// carries the record's factors is worded with them.
bool adoptionGroupRule(const Names& n, int group, int index, char state, bool withRecord, GroupRuleText& out) {
    namespace ag = adoption_groups;
    out.place = rowPlace(index);
    switch (group) {
        case 2: {
            if (index != ag::kAgencyRule) return false;
            Words triggers, deleting;
            for (int col : ag::kAgencyTriggerColumns) triggers.push_back(n(n.elementAtColumn(col)));
            for (int col : ag::kAgencyDeleteColumns) deleting.emplace_back(n.entry(n.elementAtColumn(col)).label());
            out.conditions = {n(4) + " is not 1 while " + joined(triggers, " or ") + " holds 1"};
            if (isUpperState(state)) out.conditions.push_back("both " + joined(deleting) + " hold 1");
            out.marks = n.cells(4) + upperCaseNote(isUpperState(state));
            return true;
        }
        case 3: {
            if (index < 0 || index >= static_cast<int>(std::size(ag::kSpecialNeedsTable))) return false;
            const ag::SpecialNeedsRow& row = ag::kSpecialNeedsTable[index];
            // The disabilities are the group's elements but the need and its basis.
            const std::string disabilities = n.groupSpan(3, {9, 10});
            out.conditions = {
                n(9) + " is " + word(ag::kNeedWords, row.need), n(10) + " is " + word(ag::kBasisWords, row.basis),
                row.disabilities == ag::Disabilities::Some ? "at least one of " + disabilities + " holds 1"
                                                           : "none of " + disabilities + " holds 1"};
            std::string marks;
            switch (row.marks) {
                case ag::SpecialNeedsMarks::Elements9To15:
                    marks = "each of " + n.groupSpan(3);
                    break;
                case ag::SpecialNeedsMarks::Elements11To15:
                    marks = "each of " + disabilities;
                    break;
                case ag::SpecialNeedsMarks::DisabilitiesHeld:
                    marks = "each of " + disabilities + " that holds 1";
                    break;
                case ag::SpecialNeedsMarks::Element10:
                    marks = n.cells(10);
                    break;
                case ag::SpecialNeedsMarks::Element9:
                    marks = n.cells(9);
                    break;
            }
            out.marks = marks + upperCaseNote(row.letter == ag::kSpecialNeedsDeleted);
            return true;
        }
        case 4: {
            // A rule that carries the record's combination is the last row's.
            const bool ofRecord = ag::familyRuleCarriesFactors(index);
            if (index < 0 || (index >= ag::kFamilyRows && !(ofRecord && withRecord))) return false;
            const int rowIndex = ag::familyRow(index);
            out.place = rowPlace(rowIndex);
            const ag::FamilyRow& row = ag::kFamilyTable[rowIndex];
            auto parentLabels = [&](const ag::AdoptiveParent& p) {
                return n.cellLabel(p.birthYearCell) + ", " + n.cellLabel(p.raceFirstCell) + "-" +
                       n.cellLabel(p.raceFirstCell + 5) + ", " + n.cellLabel(p.originCell);
            };
            const std::string mother = "the adoptive mother's information (" + parentLabels(ag::kAdoptiveMother) + ")";
            const std::string father = "the adoptive father's information (" + parentLabels(ag::kAdoptiveFather) + ")";
            if (ofRecord) {
                // What the record held, which no row before the last takes.
                const ag::FamilyFactors held = ag::familyFactorsOf(index);
                out.conditions = {
                    n(22) + " is " + word(ag::kStructureWords, held.structure),
                    mother + " is " + word(ag::kParentInfoWords, held.mother),
                    father + " is " + word(ag::kParentInfoWords, held.father) + ", which no row before this one takes"};
            } else {
                const std::string structure = setWords(row.structures, ag::kStructureWords);
                const std::string m = setWords(row.mother, ag::kParentInfoWords);
                const std::string f = setWords(row.father, ag::kParentInfoWords);
                if (!structure.empty()) out.conditions.push_back(n(22) + " is " + structure);
                if (!m.empty()) out.conditions.push_back(mother + " is " + m);
                if (!f.empty()) out.conditions.push_back(father + " is " + f);
                if (out.conditions.empty())
                    out.conditions.push_back(n(22) + ", " + mother + " and " + father + " match no row before");
            }
            Words marks;
            if (row.marks & ag::kMarkStructure) marks.push_back(n.cells(22));
            if (row.marks & ag::kMarkMother) marks.push_back("the adoptive mother's elements");
            if (row.marks & ag::kMarkFather) marks.push_back("the adoptive father's elements");
            out.marks = joined(marks);
            return true;
        }
        case 5: {
            if (index < 0 || index >= static_cast<int>(std::size(ag::kRelationshipCountMarks))) return false;
            const std::string elements = n.groupSpan(5);
            out.conditions = {index == 0 ? "none of " + elements + " holds 1"
                                         : std::to_string(index) + " of " + elements + " hold 1"};
            out.marks = "each of " + elements;
            return true;
        }
        case 6: {
            if (index < 0 || index >= static_cast<int>(std::size(ag::kSubsidyTable))) return false;
            const ag::SubsidyRow& row = ag::kSubsidyTable[index];
            out.conditions = {n(35) + " is " + setWords(row.subsidy, ag::kSubsidyWords),
                              n(36) + " is " + setWords(row.amount, ag::kAmountWords),
                              n(37) + " is " + setWords(row.assistance, ag::kAssistanceWords)};
            Words marks;
            for (int cell : row.cells)
                if (cell != 0) marks.push_back(n.cellLabel(cell));
            out.marks = joined(marks) + upperCaseNote(row.letter == ag::kSubsidyDeleted);
            return true;
        }
        case 7: {
            if (index < 0 || index >= static_cast<int>(std::size(ag::kRaceTable))) return false;
            const ag::RaceRow& row = ag::kRaceTable[index];
            const ElementEntry* category = entryAtCell(n.kind, row.firstCell);
            const int race = category ? category->element : 0;
            if (row.rule == ag::RaceRule::UnableWithRace) {
                out.conditions = {"category f (unable to determine) of " + n(race) +
                                  " holds 1 together with one of a-e"};
                out.marks = n.cellLabel(row.firstCell + 5);
            } else {
                out.conditions = {"no category of " + n(race) + " holds 1"};
                if (row.exemptStructure != 0)
                    out.conditions.push_back(n(22) + " is not " + std::string(1, row.exemptStructure));
                out.marks = "each of " + n.cells(race);
            }
            return true;
        }
        default:
            return false;
    }
}

// ------------------------------------------------------------- foster care

namespace fg = fostercare_groups;

std::string markWords(const Names& n, const fg::GroupMark& m) {
    Words labels;
    for (std::uint8_t e : m.elements)
        if (e != 0) labels.push_back(n.cells(e));
    std::string s =
        m.how == fg::Marking::All ? "all of " + joined(labels) + " (none of them holding a letter)" : joined(labels);
    return s + upperCaseNote(m.upper);
}

// A row and column of a decision table: the key's conditions in words, then
// the column's.
template <const auto& table, class KeyWords, class ColumnWords>
bool decision(const Names& n, int index, KeyWords keyWords, ColumnWords columnWords, GroupRuleText& out) {
    constexpr int kColumns = static_cast<int>(std::size(table[0].outcomes));
    constexpr int kRows = static_cast<int>(std::size(table));
    const int row = index / kColumns;
    const int column = index % kColumns;
    if (index < 0 || row >= kRows) return false;
    out.conditions = keyWords(table[row].key);
    for (std::string& c : columnWords(column)) out.conditions.push_back(std::move(c));
    out.marks = markWords(n, table[row].outcomes[static_cast<std::size_t>(column)]);
    out.place = rowPlace(row) + "." + std::to_string(column + 1);
    return true;
}

std::string presence(const Names& n, int element, bool present) {
    return n(element) + (present ? " is given" : " is blank or out of range");
}

// The column of a table whose columns are two factors: the pair of values
// for which `columnOf` gives `column`.
template <class A, class B, class ColumnOf>
bool columnPair(std::initializer_list<A> as, std::initializer_list<B> bs, ColumnOf columnOf, int column, A& a, B& b) {
    for (A x : as) {
        for (B y : bs) {
            if (static_cast<int>(columnOf(x, y)) == column) {
                a = x;
                b = y;
                return true;
            }
        }
    }
    return false;
}

bool fosterCareGroupRule(const Names& n, int group, int index, GroupRuleText& out) {
    using namespace fostercare_groups;
    switch (group) {
        case 2:
            return decision<kGroup2Table>(
                n, index,
                [&](const Group2Key& k) {
                    return Words{n(33) + " is " + word(kDisability33Words, k.e33),
                                 n(10) + " is " + word(kDisability10Words, k.e10)};
                },
                [&](int c) {
                    // The disabilities are the group's elements but 10 and 33.
                    const std::string disabilities = n.groupSpan(2, {10, 33});
                    return Words{c == 0 ? "none of " + disabilities + " holds 1"
                                        : "at least one of " + disabilities + " holds 1"};
                },
                out);
        case 3:
            return decision<kGroup3Table>(
                n, index, [&](Adopted16 k) { return Words{n(16) + " is " + word(kAdopted16Words, k)}; },
                [&](int c) { return Words{word(kAge17Words, static_cast<Age17>(c), n(17))}; }, out);
        case 4:
            return decision<kGroup4Table>(
                n, index,
                [&](const DateRanks& k) {
                    struct Dated {
                        int element;
                        std::int8_t rank;
                    };
                    const Dated dates[3] = {{18, k.first18}, {20, k.previous20}, {21, k.latest21}};
                    Words words;
                    std::string order;
                    std::int8_t lastRank = kNoDate;
                    for (std::int8_t rank = 0; rank < 3; ++rank) {
                        for (const Dated& d : dates) {
                            if (d.rank != rank) continue;
                            if (!order.empty()) order += rank == lastRank ? " = " : " < ";
                            order += n(d.element);
                            lastRank = rank;
                        }
                    }
                    for (const Dated& d : dates)
                        if (d.rank == kNoDate) words.push_back(n(d.element) + " is blank or out of range");
                    words.push_back("in date order " + order);
                    return words;
                },
                [&](int c) { return Words{n(19) + (c == 1 ? " is 1" : " is not 1")}; }, out);
        case 5:
            return decision<kGroup5Table>(
                n, index, [&](PlacementOrder k) { return Words{word(kPlacementOrderWords, k, n(23)) + " " + n(21)}; },
                [&](int c) { return Words{word(kPlacements24Words, static_cast<Placements24>(c), n(24))}; }, out);
        case 6:
            return decision<kGroup6Table>(
                n, index,
                [&](const Group6Key& k) {
                    const std::string days = std::to_string(kShortStayDays);
                    // The stay runs from the latest removal to the discharge,
                    // or to the report period's end for a child in care.
                    const bool discharged = k.child == Child::Discharged;
                    const std::string stay = "the stay from " + n(21) + " to " + n(discharged ? 56 : 2);
                    return Words{discharged ? "the child is discharged (" + n(56) + " is given)"
                                            : "the child is in care (" + n(56) + " is blank or out of range)",
                                 stay + (k.stay == Stay::Short ? " is shorter than " + days + " days"
                                                               : " is " + days + " days or longer"),
                                 n(25) + (k.manner == Manner25::OneOrTwo ? " is 1 or 2" : " is another code")};
                },
                [&](int c) {
                    Goal43 goal{};
                    Review5 review{};
                    if (!columnPair({Goal43::Set, Goal43::NotSet}, {Review5::None, Review5::Within, Review5::Outside},
                                    group6Column, c, goal, review))
                        return Words{};
                    return Words{n(43) + (goal == Goal43::Set ? " is set" : " is 7, missing or out of range"),
                                 word(kReview5Words, review, n(5))};
                },
                out);
        case 8:
            return decision<kGroup8Table>(
                n, index, [&](Family44 k) { return Words{word(kFamily44Words, k, n(44))}; },
                [&](int c) {
                    bool first = false, second = false;
                    columnPair({false, true}, {false, true}, group8Column, c, first, second);
                    return Words{presence(n, 45, first), presence(n, 46, second)};
                },
                out);
        case 9:
            return decision<kGroup9Table>(
                n, index,
                [&](const Group9Key& k) {
                    return Words{word(kSetting41Words, k.setting, n(41)), word(kFamily49Words, k.family, n(49))};
                },
                [&](int c) {
                    Caretaker first{}, second{};
                    const auto all = {Caretaker::Absent, Caretaker::Partial, Caretaker::Complete};
                    if (!columnPair(all, all, group9Column, c, first, second)) return Words{};
                    // A caretaker's elements: birth year, race, origin.
                    auto elements = [&](const CaretakerLayout& caretaker) {
                        const ElementEntry* race = entryAtCell(n.kind, caretaker.raceCell);
                        return n.cellLabel(caretaker.yearCell) + ", " +
                               std::string(n.entry(race ? race->element : 0).label()) + ", " +
                               n.cellLabel(caretaker.originCell);
                    };
                    return Words{"the 1st foster caretaker's information (" + elements(kFirstCaretaker) + ") is " +
                                     word(kCaretakerWords, first),
                                 "the 2nd foster caretaker's information (" + elements(kSecondCaretaker) + ") is " +
                                     word(kCaretakerWords, second)};
                },
                out);
        case 10:
            return decision<kGroup10Table>(
                n, index,
                [&](const Group10Key& k) {
                    return Words{n(43) + (k.goal3 ? " is 3" : " is not 3"),
                                 n(58) + (k.reason3 ? " is 3" : " is not 3")};
                },
                [&](int c) {
                    bool mother = false, father = false;
                    columnPair({false, true}, {false, true}, group10Column, c, mother, father);
                    return Words{presence(n, 47, mother), presence(n, 48, father)};
                },
                out);
        case 11:
            return decision<kGroup11Table>(
                n, index,
                [&](const Group11Key& k) {
                    return Words{presence(n, 56, k.discharge), presence(n, 57, k.transaction)};
                },
                [&](int c) { return Words{word(kReason58Words, static_cast<Reason58>(c), n(58))}; }, out);
        case 12:
            return decision<kGroup12Table>(
                n, index,
                [&](const Group12Key& k) {
                    // The sources are the group's elements but Medicaid, none
                    // of the above and the amount.
                    const std::string sources = n.groupSpan(12, {63, 65, 66});
                    return Words{(k.source ? "one of " : "none of ") + sources + " holds 1",
                                 n(63) + (k.medicaid ? " is 1" : " is not 1"),
                                 n(65) + (k.none ? " is 1" : " is not 1")};
                },
                [&](int c) { return Words{word(kAmount66Words, static_cast<Amount66>(c), n(66))}; }, out);
        case 7:
            if (index != 0) return false;
            out.conditions = {"none of the conditions of removal (" + n.groupSpan(7) + ") holds 1"};
            out.marks = markWords(n, kGroup7Mark);
            out.place = rowPlace(0);
            return true;
        case 13: {
            const int place = index / 2;
            if (index < 0 || place >= static_cast<int>(std::size(kGroup13RaceElements))) return false;
            const int race = kGroup13RaceElements[place];
            if (index == group13Rule(place, RaceRule13::UnableWithRace)) {
                out.conditions = {"category f (unable to determine) of " + n(race) +
                                  " holds 1 together with one of a-e"};
                out.marks = std::string(n.entry(race, 'f').label());
            } else {
                out.conditions = {"no category of " + n(race) + " holds 1"};
                out.marks = "each of " + n.cells(race);
            }
            if (place > 0) out.conditions.push_back(n(41) + " is 1, 2 or 3");
            out.place = rowPlace(index);
            return true;
        }
        default:
            return false;
    }
}

// A kind's group rules in words (the letter's case matters to some tables) and its date-pair rows.
// `withRecord`: the words may describe what the finding's record held.
using GroupRuleWords = bool (*)(const Names& n, int group, int index, char state, bool withRecord, GroupRuleText& out);
bool groupRuleOf(const Names& n, int group, int index, char state, bool withRecord, GroupRuleText& out) {
    static constexpr PerKind<GroupRuleWords> kRules = byKind<GroupRuleWords>(
        adoptionGroupRule, [](const Names& names, int number, int row, char, bool, GroupRuleText& words) {
            return fosterCareGroupRule(names, number, row, words);
        });
    return kRules[n.kind](n, group, index, state, withRecord, out);
}

// -------------------------------------------------------------- date pairs

// An operand of a date-pair row as the engine measures it: the report period
// (element 2) enters day measures as its end date.
DateParts operandParts(std::string_view value, int element) {
    DateParts d = dateParts(value);
    if (element == kReportPeriodElement) d.day = d.month == 3 ? 31 : 30;
    return d;
}

bool failsBelow(const Bound& b, double v) {
    return (b.cmp == Cmp::GE && v < b.value) || (b.cmp == Cmp::GT && v <= b.value);
}
bool failsAbove(const Bound& b, double v) {
    return (b.cmp == Cmp::LE && v > b.value) || (b.cmp == Cmp::LT && v >= b.value);
}

std::string units(Measure m, double count) {
    const bool one = count == 1;
    if (m == Measure::D) return one ? "day" : "days";
    return one ? "year" : "years";
}

// The relation a failed bound stands for: "before", "less than 10 years
// after", "at least 18 years before".
std::string failedRelation(const Bound& b, Measure m) {
    const int a = b.value < 0 ? -b.value : b.value;
    const std::string distance = std::to_string(a) + " " + units(m, a);
    if (b.value == 0) {
        switch (b.cmp) {
            case Cmp::GE:
                return "before";
            case Cmp::GT:
                return "not after";
            case Cmp::LE:
                return "after";
            case Cmp::LT:
                return "not before";
            case Cmp::None:
                break;
        }
        return {};
    }
    const std::string side = b.value > 0 ? " after" : " before";
    switch (b.cmp) {
        case Cmp::GE:
            return (b.value > 0 ? "less than " : "more than ") + distance + side;
        case Cmp::GT:
            return (b.value > 0 ? "not more than " : "at least ") + distance + side;
        case Cmp::LE:
            return (b.value > 0 ? "more than " : "less than ") + distance + side;
        case Cmp::LT:
            return (b.value > 0 ? "at least " : "at most ") + distance + side;
        case Cmp::None:
            break;
    }
    return {};
}

// "18 years 4 months 12 days": the distance from `earlier` to `later`
// (later on or after earlier) in whole years, months and, for a measure by
// day, days, counted as the measure counts: a year or month is complete on its
// anniversary.
std::string calendarDistance(const DateParts& later, const DateParts& earlier, Measure m) {
    std::int64_t months = (std::int64_t{later.year} - earlier.year) * 12 + (later.month - earlier.month);
    std::int64_t days = 0;
    if (m == Measure::Y8) {
        if (later.day < earlier.day) --months;
        // The days from the last monthly anniversary (on the month's last day
        // when the month is shorter) to the later date.
        const std::int64_t month0 = std::int64_t{earlier.month} - 1 + months;
        const int year = static_cast<int>(earlier.year + (month0 >= 0 ? month0 / 12 : -((11 - month0) / 12)));
        const int month = static_cast<int>(month0 - (std::int64_t{year} - earlier.year) * 12) + 1;
        const int day = std::min(earlier.day, monthLength(year, month));
        days = dayNumber(later.year, later.month, later.day) - dayNumber(year, month, day);
    }
    std::string out;
    auto part = [&out](std::int64_t count, std::string_view one, std::string_view many) {
        if (count == 0) return;
        if (!out.empty()) out += ' ';
        out += std::to_string(count);
        out += ' ';
        out += count == 1 ? one : many;
    };
    part(months / 12, "year", "years");
    part(months % 12, "month", "months");
    part(days, "day", "days");
    return out.empty() ? "0 days" : out;
}

// The two values and how far apart they are: the whole days, years or
// calendar years a measure by days or calendar years counts, and the years,
// months (and days) between the two for a measure that rounds to half years.
std::string measuredValues(std::string_view p, std::string_view q, const DateParts& pParts, const DateParts& qParts,
                           double v, const Bound& b, Measure m) {
    std::string s(p);
    if (v == 0) {
        s += m == Measure::Y4   ? " in the same year as "
             : m == Measure::Y6 ? " in the same month as "
                                : " on the same day as ";
    } else if (b.value == 0) {
        s += v < 0 ? " before " : " after ";
    } else {
        const double a = v < 0 ? -v : v;
        const std::string distance =
            m == Measure::Y6 || m == Measure::Y8
                ? (v < 0 ? calendarDistance(qParts, pParts, m) : calendarDistance(pParts, qParts, m))
                : number(a) + " " + units(m, a);
        s += ", " + distance + (v < 0 ? " before " : " after ");
    }
    s += q;
    return s;
}

// `also`: the other rows that marked the finding's element.
bool datePairRule(const Names& n, std::string_view record, int index, std::span<const int> also, std::string& text) {
    const std::span<const DateCheck> rows = dateChecksOf(n.kind);
    if (index < 0 || index >= static_cast<int>(rows.size())) return false;
    const DateCheck& row = rows[static_cast<std::size_t>(index)];
    const ElementEntry& p = n.entry(row.p);
    const ElementEntry& q = n.entry(row.q);
    const std::string_view pValue = field(record, p.first(), p.last());
    const std::string_view qValue = field(record, q.first(), q.last());
    const DateParts pParts = operandParts(pValue, row.p);
    const DateParts qParts = operandParts(qValue, row.q);
    auto measure = [&](Measure m) {
        return m == Measure::D ? static_cast<double>(daysBetween(pParts, qParts))
                               : static_cast<double>(yearsBetween(pParts, qParts, precisionOf(m)));
    };
    // The failed side as a bound and its measure; the engine tries the
    // upper side first.
    Bound failed;
    Measure m = row.measure;
    if (row.rule == Rule::ReviewAgainstTpr) {
        // On or after the 18th anniversary, else more than 274 days before.
        if (measure(Measure::Y8) >= 18) {
            failed = {Cmp::LT, 18};
            m = Measure::Y8;
        } else if (measure(Measure::D) < -274) {
            failed = {Cmp::GE, -274};
            m = Measure::D;
        }
    } else {
        const double v = measure(m);
        if (failsAbove(row.range.high, v)) {
            failed = row.range.high;
        } else if (failsBelow(row.range.low, v)) {
            failed = row.range.low;
        }
    }
    text = "row " + std::to_string(index + 1) + ": " + Names::named(p);
    if (failed.cmp == Cmp::None) {
        text += " against " + Names::named(q) + ": " + std::string(pValue) + " and " + std::string(qValue);
        return true;
    }
    text += " is " + failedRelation(failed, m) + " " + Names::named(q) + ": " +
            measuredValues(pValue, qValue, pParts, qParts, measure(m), failed, m);
    if (!also.empty()) {
        Words rowNumbers;
        for (int other : also) rowNumbers.push_back(std::to_string(other + 1));
        text += also.size() == 1 ? "; also row " + rowNumbers.front() + " marks this element"
                                 : "; also rows " + joined(rowNumbers) + " mark this element";
    }
    return true;
}

// ------------------------------------------------------------- one finding

// The values of each group's elements in one record, made once for all the
// findings of the record that the group explains.
class RecordGroupValues {
public:
    RecordGroupValues(const Names& names, std::string_view record) : names_(names), record_(record) {}
    const std::string& of(const GroupEntry& g) {
        const auto i = static_cast<std::size_t>(g.number);
        if (i >= values_.size()) {
            scratch_ = groupValues(names_, g, record_);
            return scratch_;
        }
        if (!made_[i]) {
            values_[i] = groupValues(names_, g, record_);
            made_[i] = true;
        }
        return values_[i];
    }

private:
    const Names& names_;
    std::string_view record_;
    std::array<std::string, 32> values_;
    std::array<bool, 32> made_{};
    std::string scratch_;
};

// `outcomes`: the date-pair rows' outcomes for the record.
Explained explainLetter(const Names& n, const ElementTable& cells, std::string_view record, const Finding& f,
                        std::span<const std::int32_t> outcomes, RecordGroupValues& values) {
    const std::span<const GroupEntry> groups = groupEntries(n.kind);
    const GroupEntry* letterGroup = findGroupOfLetter(groups, f.state);
    const std::string prefix = rulePrefix(n.kind);
    if (!letterGroup) return {prefix + "G", "A letter no group of this record kind gives."};
    const std::uint16_t rule = cells.rule(f.cell);
    const int index = ruleIndex(rule);
    const std::string heading = groupHeading(*letterGroup);
    // A letter whose rule was not recorded (a state written directly) still
    // names its group.
    auto unknown = [&]() -> Explained {
        return {prefix + "G" + std::to_string(letterGroup->number),
                heading + ": a likely error found by the group; values " + values.of(*letterGroup) + "."};
    };
    if (ruleGroup(rule) != letterGroup->number) return unknown();
    if (letterGroup->number == 1) {
        std::string text;
        std::vector<int> also = rowsMarking(n.kind, cells, outcomes, f.cell);
        std::erase(also, index);
        if (!datePairRule(n, record, index, also, text)) return unknown();
        return {prefix + "DP" + std::to_string(index + 1), heading + ", " + text + "."};
    }
    GroupRuleText r;
    const bool known = groupRuleOf(n, letterGroup->number, index, f.state, true, r);
    if (!known) return unknown();
    return {prefix + "G" + std::to_string(letterGroup->number) + "." + r.place,
            heading + ": " + joined(r.conditions) + ", so the group marks " + r.marks + "; values " +
                values.of(*letterGroup) + "."};
}

}  // namespace

namespace {

// A hash of a memo key, eight bytes at a time.
std::uint64_t keyHash(std::string_view key) {
    std::uint64_t h = key.size() * 0x9E3779B97F4A7C15ULL;
    for (std::size_t i = 0; i < key.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, key.data() + i, std::min<std::size_t>(8, key.size() - i));
        h = (h ^ word) * 0xFF51AFD7ED558CCDULL;
        h ^= h >> 32;
    }
    return h;
}

}  // namespace

const Explained* ExplanationMemo::find() {
    if (slots_.empty()) {
        slots_.resize(kSlots);
        kept_.reserve(kMostKept);
    }
    hash_ = static_cast<std::uint32_t>(keyHash(key_) >> 32);
    for (slot_ = hash_ & (kSlots - 1);; slot_ = (slot_ + 1) & (kSlots - 1)) {
        const Slot& s = slots_[slot_];
        if (s.kept == 0) return nullptr;
        if (s.hash == hash_ && kept_[s.kept - 1].key == key_) return &kept_[s.kept - 1].said;
    }
}

const Explained& ExplanationMemo::keep(Explained said) {
    assert(!full());
    kept_.push_back({key_, std::move(said)});
    slots_[slot_] = {hash_, static_cast<std::uint32_t>(kept_.size())};
    return kept_.back().said;
}

namespace {

// The columns of each element of a group, by kind and group number.
const std::vector<std::pair<int, int>>& groupColumns(RecordKind kind, const GroupEntry& group) {
    using Columns = std::vector<std::vector<std::pair<int, int>>>;
    static const PerKind<Columns> kColumns = [] {
        PerKind<Columns> all;
        for (const RecordKind k : kAllRecordKinds) {
            const Names names{k};
            for (const GroupEntry& g : groupEntries(k)) {
                Columns& c = all[k];
                if (c.size() <= static_cast<std::size_t>(g.number)) c.resize(static_cast<std::size_t>(g.number) + 1);
                for (const std::uint8_t element : g.elements) {
                    if (element == 0) break;
                    const ElementEntry& e = names.entry(element);
                    c[static_cast<std::size_t>(g.number)].emplace_back(e.first(), e.last());
                }
            }
        }
        return all;
    }();
    return kColumns[kind][static_cast<std::size_t>(group.number)];
}

// Gives `f` words that last the run.
void tell(Finding& f, const Explained& x) {
    f.rule = x.rule;
    f.explanation = x.text;
    f.words = &x;
}

}  // namespace

void explainFindings(RecordKind kind, const ElementTable& cells, std::string_view record, const RunContext& ctx,
                     std::span<Finding> findings, RecordWords& words, ExplanationMemo* memo) {
    const Names names{kind};
    RecordGroupValues values(names, record);
    const std::span<const std::int32_t> outcomes = ctx.datePairs.of(kind);
    for (std::size_t i = 0; i < findings.size(); ++i) {
        Finding& f = findings[i];
        if (f.state == kMissing) {
            tell(f, missingExplanation(names, f.cell));
            continue;
        }
        // One rule of a group (other than a date pair, whose words name the
        // other rows that marked each element) marks several elements with
        // the same letter and the same words: those of an earlier finding.
        const Finding* same = nullptr;
        if (isLetterState(f.state) && ruleGroup(cells.rule(f.cell)) > 1) {
            for (std::size_t j = 0; j < i && !same; ++j) {
                if (findings[j].state == f.state && cells.rule(findings[j].cell) == cells.rule(f.cell))
                    same = &findings[j];
            }
        }
        if (same) {
            f.rule = same->rule;
            f.explanation = same->explanation;
            f.words = same->words;
            continue;
        }
        const ElementEntry* e = entryAtCell(kind, f.cell);
        // What the words depend on, for the memo: the element and its value
        // for an element test; the letter, the rule and the values of the
        // group's elements for a rule of a group other than the date pairs.
        const GroupEntry* group = isLetterState(f.state) ? findGroupOfLetter(groupEntries(kind), f.state) : nullptr;
        const bool remembered = memo && (isLetterState(f.state) ? group && group->number > 1 : e != nullptr);
        if (remembered) {
            std::string& key = memo->key();
            key.assign(1, static_cast<char>(kindIndex(kind)));
            key.push_back(f.state);
            if (group) {
                const std::uint16_t rule = cells.rule(f.cell);
                key.push_back(static_cast<char>(rule & 0xFF));
                key.push_back(static_cast<char>(rule >> 8));
                for (const auto& [first, last] : groupColumns(kind, *group)) key.append(field(record, first, last));
            } else {
                key.push_back(static_cast<char>(f.cell & 0xFF));
                key.push_back(static_cast<char>(f.cell >> 8));
                key.append(f.value);
            }
            if (const Explained* said = memo->find()) {
                tell(f, *said);
                continue;
            }
        }
        Explained x;
        if (isLetterState(f.state)) {
            x = explainLetter(names, cells, record, f, outcomes, values);
        } else if (e) {
            x = elementTest(names, *e, f, ctx);
        }
        if (remembered && !memo->full()) {
            tell(f, memo->keep(std::move(x)));
            continue;
        }
        f.rule = words.keep(std::move(x.rule));
        f.explanation = words.keep(std::move(x.text));
    }
}

// ------------------------------------------------------- the rules in words

namespace {

std::string blamedWords(const Names& n, const DateCheck& row, Blame blames) {
    switch (blames) {
        case Blame::First:
            return n(row.firstElement);
        case Blame::Second:
            return n(row.secondElement);
        case Blame::Both:
            return n(row.firstElement) + " and " + n(row.secondElement);
        case Blame::None:
            break;
    }
    return {};
}

constexpr std::string_view kMeasureWords[] = {"by calendar year", "by year and month", "by year, month and day",
                                              "in days"};

}  // namespace

std::string measureInWords(int measure) {
    return measure >= 0 && measure < static_cast<int>(std::size(kMeasureWords))
               ? std::string(kMeasureWords[static_cast<std::size_t>(measure)])
               : std::string();
}

std::vector<RuleInWords> groupRulesInWords(RecordKind kind, int group) {
    const Names n{kind};
    const std::string prefix = rulePrefix(kind) + "G" + std::to_string(group) + ".";
    const GroupEntry* g = findGroup(groupEntries(kind), group);
    std::vector<RuleInWords> out;
    if (!g || group < 2) return out;
    // Rule indexes are one byte; a table answers for the indexes it has.
    for (int index = 0; index < 256; ++index) {
        for (const char state : {g->letter, g->upperLetter()}) {
            GroupRuleText r;
            const bool known = groupRuleOf(n, group, index, state, false, r);
            if (!known) continue;
            RuleInWords words{prefix + r.place, capitalised(joined(r.conditions)), r.marks};
            // A rule whose words do not depend on the letter's case is listed once.
            if (!out.empty() && out.back().id == words.id && out.back().when == words.when) continue;
            out.push_back(std::move(words));
        }
    }
    return out;
}

std::vector<RuleInWords> datePairRulesInWords(RecordKind kind) {
    const Names n{kind};
    const std::span<const DateCheck> rows = dateChecksOf(kind);
    std::vector<RuleInWords> out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const DateCheck& row = rows[i];
        const std::string id = rulePrefix(kind) + "DP" + std::to_string(i + 1);
        auto side = [&](const Bound& failed, Measure m, Blame blames) {
            out.push_back({id,
                           capitalised(Names::named(n.entry(row.p))) + " is " + failedRelation(failed, m) + " " +
                               Names::named(n.entry(row.q)) + ", measured " + measureInWords(static_cast<int>(m)),
                           blamedWords(n, row, blames)});
        };
        if (row.rule == Rule::ReviewAgainstTpr) {
            side({Cmp::LT, 18}, Measure::Y8, Blame::Both);
            side({Cmp::GE, -274}, Measure::D, Blame::Both);
            continue;
        }
        if (row.range.high.cmp != Cmp::None) side(row.range.high, row.measure, row.above.blames);
        if (row.range.low.cmp != Cmp::None) side(row.range.low, row.measure, row.below.blames);
    }
    return out;
}

}  // namespace vortel

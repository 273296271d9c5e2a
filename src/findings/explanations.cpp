#include "findings/explanations.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "adoption/adoption_group_tables.h"
#include "catalogue/catalogue.h"
#include "core/run_context.h"
#include "datepairs/date_pair_tables.h"
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
    // "29-32" for elements numbered one after the other, else "29, 31".
    std::string span(std::initializer_list<int> elements) const {
        Words labels;
        for (int e : elements) labels.emplace_back(entry(e).label());
        bool consecutive = labels.size() > 2;
        int previous = -1;
        for (int e : elements) {
            consecutive &= previous < 0 || e == previous + 1;
            previous = e;
        }
        return consecutive ? labels.front() + "-" + labels.back() : joined(labels);
    }
};

// ------------------------------------------------------ the element's test

enum class Failure : std::uint8_t { Missing, Code, State, Period, Date, Early, Late, Year, Number, Agency, Other };

constexpr std::string_view kFailureIds[] = {"missing", "code", "state",  "period", "date", "early",
                                            "late",    "year", "number", "agency", "test"};
static_assert(std::size(kFailureIds) == static_cast<std::size_t>(Failure::Other) + 1);

// A YYYYMMDD field as the date test reads it: each part numeric, then its
// value.
bool readDate(std::string_view f, std::int64_t& year, std::int64_t& month, std::int64_t& day) {
    const std::string_view parts[3] = {f.substr(0, 4), f.substr(4, 2), f.substr(6, 2)};
    for (std::string_view p : parts)
        if (!isNumericField(p)) return false;
    year = fieldValue(parts[0]);
    month = fieldValue(parts[1]);
    day = fieldValue(parts[2]);
    return true;
}

// What made a date fail: not a calendar date, not before the run date, or
// before the earliest date (YYYYMMDD).
Failure dateFailure(std::string_view f, std::int64_t earliest, const RunDate& run) {
    std::int64_t year, month, day;
    if (!readDate(f, year, month, day) || month < 1 || month > 12 || day < 1 ||
        day > monthLength(static_cast<int>(year), static_cast<int>(month)))
        return Failure::Date;
    const std::int64_t date = std::int64_t{year} * 10000 + std::int64_t{month} * 100 + day;
    if (date >= std::int64_t{run.year} * 10000 + std::int64_t{run.month} * 100 + run.day) return Failure::Late;
    if (date < earliest) return Failure::Early;
    return Failure::Other;
}

// The latest report period end the run date allows, as YYYYMM.
std::string latestPeriod(const RunDate& run) {
    if (run.month <= 3) return digits(run.year, 4) + "03";
    if (run.month <= 9) return digits(run.year, 4) + "09";
    return digits(run.year + 1, 4) + "03";
}

Failure periodFailure(std::string_view f, const RunDate& run) {
    const std::string_view yearText = f.substr(0, 4);
    const std::string_view monthText = f.substr(4, 2);
    if (!isNumericField(yearText) || !isNumericField(monthText)) return Failure::Period;
    const std::int64_t year = fieldValue(yearText);
    const std::int64_t month = fieldValue(monthText);
    if (month != 3 && month != 9) return Failure::Period;
    if (year < kEarliestReportPeriodYear) return Failure::Early;
    if (reportPeriodPartsInvalid(year, month, run)) return Failure::Late;
    return Failure::Other;
}

// "1, 2, 3" from the code list "123".
std::string codeList(std::string_view codes) {
    Words each;
    for (char c : codes) each.emplace_back(1, c);
    return joined(each, ", ");
}

struct Explained {
    std::string rule;
    std::string text;
};

Explained elementTest(const Names& names, const ElementEntry& e, const Finding& f, const RunContext& ctx) {
    const std::string id = std::string(1, outputRow(names.kind).tag) + "-" + std::string(e.label()) + ".";
    const std::string subject = capitalised(Names::named(e));
    if (f.state == kMissing) return {id + std::string(kFailureIds[0]), subject + " is blank and must be reported."};

    const ElementLayout& l = e.layout;
    const RunDate& run = ctx.facts.runDate;
    Failure failure = Failure::Other;
    std::string why;
    switch (l.test) {
        case ElementTest::StateCode:
            failure = Failure::State;
            why = "not the State code typed, " + ctx.facts.stateCode;
            break;
        case ElementTest::ReportPeriod:
            failure = periodFailure(f.value, run);
            if (failure == Failure::Period) why = "not a report period end YYYY03 or YYYY09";
            if (failure == Failure::Early)
                why = "before the earliest report period, " + digits(kEarliestReportPeriodYear, 4) + "03";
            if (failure == Failure::Late)
                why = "after the latest report period the run date allows, " + latestPeriod(run);
            break;
        case ElementTest::Code:
            failure = Failure::Code;
            why = "not one of " + codeList(l.codes);
            break;
        case ElementTest::YearMonth: {
            // Tested as the first day of the month.
            std::string date(f.value.substr(0, 6));
            date += "01";
            failure = dateFailure(date, 19000101, run);
            if (failure == Failure::Date) why = "not a month YYYYMM";
            if (failure == Failure::Early) why = "before the earliest month allowed, 190001";
            if (failure == Failure::Late) why = "not before the run date, " + dateText(run);
            break;
        }
        case ElementTest::Date:
            failure = dateFailure(f.value, l.low, run);
            if (failure == Failure::Date) why = "not a date YYYYMMDD";
            if (failure == Failure::Early) why = "before the earliest date allowed, " + digits(l.low, 8);
            if (failure == Failure::Late) why = "not before the run date, " + dateText(run);
            break;
        case ElementTest::Year:
            failure = Failure::Year;
            why = "not a year from 1900 to " + std::to_string(run.year - 1);
            break;
        case ElementTest::Range:
            failure = Failure::Number;
            why = "not a whole number from " + std::to_string(l.low) + " to " + std::to_string(l.high);
            break;
        case ElementTest::LocalAgency:
            failure = Failure::Agency;
            why = ctx.localAgencyListFailed
                      ? "not checked against the local agency list, which could not be held in memory"
                      : "not a local agency code of State " + ctx.facts.stateCode + " in the list " + ctx.fipsFileName;
            break;
    }
    if (failure == Failure::Other) why = "it fails the element's test";
    return {id + std::string(kFailureIds[static_cast<std::size_t>(failure)]),
            subject + " holds " + quoted(f.value) + ": " + why + "."};
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
std::string setWords(unsigned set, std::initializer_list<std::string_view> words) {
    if (set == adoption_groups::kAnyValue) return {};
    Words chosen, others;
    unsigned bit = 0;
    for (std::string_view w : words) (set >> bit++ & 1u ? chosen : others).emplace_back(w);
    if (others.empty()) return "any value";
    if (chosen.size() > 1 && others.size() == 1) return "not " + others.front();
    return joined(chosen, " or ");
}

template <class E>
std::string_view word(E value, std::initializer_list<std::string_view> words) {
    const auto i = static_cast<std::size_t>(value);
    return i < words.size() ? words.begin()[i] : std::string_view("?");
}

std::string rowPlace(int row) { return std::to_string(row + 1); }

// ---------------------------------------------------------------- adoption

bool adoptionGroupRule(const Names& n, int group, int index, char state, GroupRuleText& out) {
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
            out.conditions = {
                n(9) + " is " + std::string(word(row.need, {"missing or out of range", "1", "2"})),
                n(10) + " is " + std::string(word(row.basis, {"blank or out of range", "0", "4", "another code"})),
                std::string(word(row.disabilities, {"at least one of 11-15 holds 1", "none of 11-15 holds 1"}))};
            out.marks = std::string(word(row.marks, {"each of 09-15", "each of 11-15", "each of 11-15 that holds 1",
                                                     n.cells(10), n.cells(9)})) +
                        upperCaseNote(row.letter == ag::kSpecialNeedsDeleted);
            return true;
        }
        case 4: {
            if (index < 0 || index >= static_cast<int>(std::size(ag::kFamilyTable))) return false;
            const ag::FamilyRow& row = ag::kFamilyTable[index];
            const std::initializer_list<std::string_view> info = {"complete", "partial", "absent"};
            auto parentLabels = [&](const ag::AdoptiveParent& p) {
                return n.cellLabel(p.birthYearCell) + ", " + n.cellLabel(p.raceFirstCell) + "-" +
                       n.cellLabel(p.raceFirstCell + 5) + ", " + n.cellLabel(p.originCell);
            };
            const std::string mother = "the adoptive mother's information (" + parentLabels(ag::kAdoptiveMother) + ")";
            const std::string father = "the adoptive father's information (" + parentLabels(ag::kAdoptiveFather) + ")";
            const std::string structure = setWords(row.structures, {"1 or 2", "3", "4"});
            const std::string m = setWords(row.mother, info);
            const std::string f = setWords(row.father, info);
            if (!structure.empty()) out.conditions.push_back(n(22) + " is " + structure);
            if (!m.empty()) out.conditions.push_back(mother + " is " + m);
            if (!f.empty()) out.conditions.push_back(father + " is " + f);
            if (out.conditions.empty())
                out.conditions.push_back(n(22) + ", " + mother + " and " + father + " match no row before");
            Words marks;
            if (row.marks & ag::kMarkStructure) marks.push_back(n.cells(22));
            if (row.marks & ag::kMarkMother) marks.push_back("the adoptive mother's elements");
            if (row.marks & ag::kMarkFather) marks.push_back("the adoptive father's elements");
            out.marks = joined(marks);
            return true;
        }
        case 5: {
            if (index < 0 || index >= static_cast<int>(std::size(ag::kRelationshipCountMarks))) return false;
            const std::string elements = n.span({29, 30, 31, 32});
            out.conditions = {index == 0 ? "none of " + elements + " holds 1"
                                         : std::to_string(index) + " of " + elements + " hold 1"};
            out.marks = "each of " + elements;
            return true;
        }
        case 6: {
            if (index < 0 || index >= static_cast<int>(std::size(ag::kSubsidyTable))) return false;
            const ag::SubsidyRow& row = ag::kSubsidyTable[index];
            out.conditions = {n(35) + " is " + setWords(row.subsidy, {"1", "2", "neither 1 nor 2"}),
                              n(36) + " is " + setWords(row.amount, {"not valid", "0", "more than 0"}),
                              n(37) + " is " + setWords(row.assistance, {"1", "2", "neither 1 nor 2"})};
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
                    return Words{n(33) + " is " + std::string(word(k.e33, {"1", "0", "neither 0 nor 1"})),
                                 n(10) + " is " + std::string(word(k.e10, {"1", "2", "another code"}))};
                },
                [&](int c) { return Words{c == 0 ? "none of 11-15 holds 1" : "at least one of 11-15 holds 1"}; }, out);
        case 3:
            return decision<kGroup3Table>(
                n, index,
                [&](Adopted16 k) {
                    return Words{n(16) + " is " + std::string(word(k, {"1", "2", "3", "another code"}))};
                },
                [&](int c) {
                    return Words{n(17) + std::string(word(static_cast<Age17>(c),
                                                          {" is blank", " is 0", " is 1 to 4", " is 5"}))};
                },
                out);
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
                        if (d.rank == kNoDate) words.push_back(n(d.element) + " has no date");
                    words.push_back("in date order " + order);
                    return words;
                },
                [&](int c) { return Words{n(19) + (c == 1 ? " is 1" : " is not 1")}; }, out);
        case 5:
            return decision<kGroup5Table>(
                n, index,
                [&](PlacementOrder k) {
                    return Words{
                        n(23) + std::string(word(k, {" is the same day as ", " is later than ", " is earlier than "})) +
                        n(21)};
                },
                [&](int c) {
                    return Words{
                        n(24) + std::string(word(static_cast<Placements24>(c), {" is 1", " is 0", " is more than 1"}))};
                },
                out);
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
                                 n(5) + std::string(word(review, {" is blank or out of range", " lies within the stay",
                                                                  " lies outside the stay"}))};
                },
                out);
        case 8:
            return decision<kGroup8Table>(
                n, index,
                [&](Family44 k) {
                    return Words{n(44) + std::string(word(k, {" is 1 or 2", " is 3 or 4", " is 5"}))};
                },
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
                    return Words{n(41) + std::string(word(k.setting, {" is 1, 2 or 3", " is 4, 5 or 6", " is 7 or 8",
                                                                      " is missing or out of range"})),
                                 n(49) + std::string(word(k.family, {" is none of 1-4", " is 1 or 2", " is 3 or 4"}))};
                },
                [&](int c) {
                    Caretaker first{}, second{};
                    const auto all = {Caretaker::Absent, Caretaker::Partial, Caretaker::Complete};
                    if (!columnPair(all, all, group9Column, c, first, second)) return Words{};
                    const std::initializer_list<std::string_view> info = {"absent", "partial", "complete"};
                    return Words{
                        "the 1st foster caretaker's information (50, 52, 53) is " + std::string(word(first, info)),
                        "the 2nd foster caretaker's information (51, 54, 55) is " + std::string(word(second, info))};
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
                [&](int c) {
                    return Words{n(58) + std::string(word(static_cast<Reason58>(c),
                                                          {" is blank or out of range", " is 0", " is given"}))};
                },
                out);
        case 12:
            return decision<kGroup12Table>(
                n, index,
                [&](const Group12Key& k) {
                    return Words{k.source ? "one of 59-62 and 64 holds 1" : "none of 59-62 and 64 holds 1",
                                 n(63) + (k.medicaid ? " is 1" : " is not 1"),
                                 n(65) + (k.none ? " is 1" : " is not 1")};
                },
                [&](int c) {
                    return Words{n(66) + std::string(word(static_cast<Amount66>(c),
                                                          {" is not valid", " is 0", " is more than 0"}))};
                },
                out);
        case 7:
            if (index != 0) return false;
            out.conditions = {"none of the conditions of removal (26-40) holds 1"};
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
using GroupRuleWords = bool (*)(const Names& n, int group, int index, char state, GroupRuleText& out);
bool groupRuleOf(const Names& n, int group, int index, char state, GroupRuleText& out) {
    static constexpr PerKind<GroupRuleWords> kRules = byKind<GroupRuleWords>(
        adoptionGroupRule, [](const Names& names, int number, int row, char, GroupRuleText& words) {
            return fosterCareGroupRule(names, number, row, words);
        });
    return kRules[n.kind](n, group, index, state, out);
}

std::span<const DateCheck> dateChecksOf(RecordKind kind) {
    using Rows = std::span<const DateCheck> (*)();
    static constexpr PerKind<Rows> kRows = byKind<Rows>(adoptionDateChecks, fosterCareDateChecks);
    return kRows[kind]();
}

// The start of a kind's rule ids: "A-".
std::string rulePrefix(RecordKind kind) { return std::string(1, outputRow(kind).tag) + "-"; }

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

// The two values and how far apart the measure found them.
std::string measuredValues(std::string_view p, std::string_view q, double v, const Bound& b, Measure m) {
    std::string s(p);
    if (v == 0) {
        s += m == Measure::Y4   ? " in the same year as "
             : m == Measure::Y6 ? " in the same month as "
                                : " on the same day as ";
    } else if (b.value == 0) {
        s += v < 0 ? " before " : " after ";
    } else {
        const double a = v < 0 ? -v : v;
        s += ", " + number(a) + " " + units(m, a) + (v < 0 ? " before " : " after ");
    }
    s += q;
    return s;
}

bool datePairRule(const Names& n, std::string_view record, int index, std::string& text) {
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
            measuredValues(pValue, qValue, measure(m), failed, m);
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

Explained explainLetter(const Names& n, const ElementTable& cells, std::string_view record, const Finding& f,
                        RecordGroupValues& values) {
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
        if (!datePairRule(n, record, index, text)) return unknown();
        return {prefix + "DP" + std::to_string(index + 1), heading + ", " + text + "."};
    }
    GroupRuleText r;
    const bool known = groupRuleOf(n, letterGroup->number, index, f.state, r);
    if (!known) return unknown();
    return {prefix + "G" + std::to_string(letterGroup->number) + "." + r.place,
            heading + ": " + joined(r.conditions) + ", so the group marks " + r.marks + "; values " +
                values.of(*letterGroup) + "."};
}

}  // namespace

void explainFindings(RecordKind kind, const ElementTable& cells, std::string_view record, const RunContext& ctx,
                     std::span<Finding> findings) {
    const Names names{kind};
    RecordGroupValues values(names, record);
    for (Finding& f : findings) {
        const ElementEntry* e = entryAtCell(kind, f.cell);
        Explained x;
        if (isLetterState(f.state)) {
            x = explainLetter(names, cells, record, f, values);
        } else if (e) {
            x = elementTest(names, *e, f, ctx);
        }
        f.rule = std::move(x.rule);
        f.explanation = std::move(x.text);
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
            const bool known = groupRuleOf(n, group, index, state, r);
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

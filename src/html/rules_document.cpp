#include "html/rules_document.h"

#include <cerrno>
#include <cstdio>
#include <vector>

#include "adoption/adoption_tallies.h"
#include "catalogue/catalogue.h"
#include "core/line_reader.h"
#include "core/output_file.h"
#include "core/version.h"
#include "findings/rule_words.h"
#include "fostercare/fostercare_tallies.h"
#include "html/html_text.h"
#include "reports/output_kinds.h"
#include "reports/summary_messages.h"

namespace vortel {

namespace {

// ------------------------------------------------------------ the document
// A document is a list of blocks, rendered as Markdown or as HTML.

enum class BlockType { Title, Section, Subsection, Paragraph, Table, List };

struct Block {
    BlockType type;
    std::string text;                            // heading or paragraph
    std::vector<std::vector<std::string>> rows;  // table: the header row first; list: one cell per item
};

using Document = std::vector<Block>;

void heading(Document& d, BlockType type, std::string text) { d.push_back({type, std::move(text), {}}); }
void paragraph(Document& d, std::string text) { d.push_back({BlockType::Paragraph, std::move(text), {}}); }

std::string columnsText(int first, int last) {
    return first == last ? std::to_string(first) : std::to_string(first) + "-" + std::to_string(last);
}

std::string dateText(std::int32_t yyyymmdd) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", yyyymmdd / 10000, yyyymmdd / 100 % 100, yyyymmdd % 100);
    return text;
}

std::string codeWords(std::string_view codes) {
    std::string out;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (i > 0) out += i + 1 == codes.size() ? " or " : ", ";
        out += codes[i];
    }
    return out;
}

// What a non-blank value must be.
std::string testWords(const ElementEntry& e) {
    const ElementLayout& l = e.layout;
    switch (l.test) {
        case ElementTest::StateCode:
            return "The 2-digit State FIPS code given for the run, character for character (a valid code of "
                   "another State is out of range).";
        case ElementTest::ReportPeriod:
            return "A report period end YYYYMM whose month is 03 or 09, from 199503 to the latest period the run "
                   "date allows (YYYY03 until March, YYYY09 until September, then March of the next year).";
        case ElementTest::Code:
            return "One of the codes " + codeWords(l.codes) + ".";
        case ElementTest::YearMonth:
            return "A year and month YYYYMM, tested as its first day: a real date from 1900-01-01 to the day before "
                   "the run date.";
        case ElementTest::Date:
            return "A real calendar date YYYYMMDD from " + dateText(l.low) + " to the day before the run date.";
        case ElementTest::Year:
            return "A year YYYY from 1900 to the year before the run year.";
        case ElementTest::Range:
            return "A whole number of " + std::to_string(e.width()) + " digits from " + std::to_string(l.low) + " to " +
                   std::to_string(l.high) + ".";
        case ElementTest::LocalAgency:
            return "A local agency code of the run's State in the local agency FIPS list.";
    }
    return {};
}

std::string blankWords(const ElementEntry& e) {
    const ElementLayout& l = e.layout;
    std::string s = l.blankState == kMissing ? "Missing: it must be reported." : "Allowed (not an error).";
    if (l.blankLast != l.last)
        s += " Blank means columns " + columnsText(l.first, l.blankLast) + " (year and month) are blank.";
    return s;
}

std::string_view kindTitle(RecordKind kind) { return outputRow(kind).title; }

void layout(Document& d, RecordKind kind) {
    heading(d, BlockType::Subsection, "Record layout and element tests");
    paragraph(d,
              "Columns count from 1. A field is blank when every column tested is a space; a blank field gets the "
              "state of the column \"When blank\", any other value that fails its test is out of range (state 2).");
    Block table{BlockType::Table, {}, {{"Element", "Name", "Columns", "When blank", "Test"}}};
    for (const ElementEntry& e : elementEntries(kind)) {
        std::string blank, test;
        if (e.part == EntryPart::RaceElement) {
            blank = "-";
            test = "Its six categories a-f, each its own element.";
        } else if (!e.checked) {
            blank = "-";
            test = "Not checked.";
        } else {
            blank = blankWords(e);
            test = testWords(e);
        }
        table.rows.push_back({std::string(e.label()), std::string(e.name), columnsText(e.first(), e.last()),
                              std::move(blank), std::move(test)});
    }
    d.push_back(std::move(table));
    const std::string length = std::to_string(recordLength(kind));
    const std::string longest = std::to_string(LineReader::kMaxLine);
    paragraph(d, "A line that does not hold " + length +
                     " characters (not counting its line feed and one carriage return before it), an empty line "
                     "included, gets the finding " +
                     std::string(1, outputRow(kind).tag) +
                     "-length on the element \"record\" before its element findings: a short line's missing "
                     "columns are read as blank, a long line's further characters are not checked. A line of more "
                     "than " +
                     longest + " characters is read as several records of at most " + longest +
                     " characters, and each further piece gets a length finding of its own. The reports do not list "
                     "these findings; the findings files, the page, the error records and the comparison do.");
}

void datePairs(Document& d, RecordKind kind) {
    const GroupEntry& dates = groupEntries(kind).front();
    heading(d, BlockType::Subsection, "Group #1: date pairs (letter " + std::string(1, dates.letter) + ")");
    paragraph(d,
              "Each row compares two dates or years of the record and applies only when both are valid. A failed "
              "row counts against the elements named in its last column; of the two elements of each failed row, "
              "the one with more counts in the record gets the letter " +
                  std::string(1, dates.letter) +
                  " (both when the counts are equal). A report period enters a day or a full date as its end day "
                  "(31 March or 30 September).");
    Block table{BlockType::Table, {}, {{"Row", "Fails when", "Counts against"}}};
    for (RuleInWords& r : datePairRulesInWords(kind))
        table.rows.push_back({std::move(r.id), std::move(r.when), std::move(r.marks)});
    d.push_back(std::move(table));
}

void groups(Document& d, RecordKind kind) {
    for (const GroupEntry& g : groupEntries(kind)) {
        if (g.number < 2) continue;
        std::string elements;
        for (std::uint8_t e : g.elements) {
            if (e == 0) continue;
            if (!elements.empty()) elements += ", ";
            elements += std::to_string(e);
        }
        heading(d, BlockType::Subsection,
                "Group #" + std::to_string(g.number) + ": " + std::string(g.title) + " (letter " +
                    std::string(1, g.letter) + ")");
        paragraph(d, "Elements " + elements +
                         ". Each rule below is one row (and column) of the group's table; the elements it marks "
                         "get the letter " +
                         std::string(1, g.letter) + ", or " + std::string(1, g.upperLetter()) +
                         " where the value will be deleted.");
        Block table{BlockType::Table, {}, {{"Rule", "When", "Marks"}}};
        for (RuleInWords& r : groupRulesInWords(kind, g.number)) {
            table.rows.push_back(
                {std::move(r.id), std::move(r.when), r.marks.empty() ? "nothing: the values agree" : r.marks});
        }
        d.push_back(std::move(table));
    }
}

std::string tallyElement(RecordKind kind, int cell) {
    const ElementEntry* e = entryAtCell(kind, cell);
    return e ? std::string(e->label()) : std::to_string(cell);
}

std::string watchWords(RecordKind kind, const TallyRow& row) {
    const std::string reference = row.reference ? std::string(row.reference) : std::string();
    const bool blankReference = reference.find_first_not_of(' ') == std::string::npos;
    const std::string value = row.reference && !blankReference ? " " + reference : " of the first record counted";
    switch (row.kind) {
        case TallyKind::SameCode:
        case TallyKind::SameText:
            return row.reference && blankReference ? "Whether no record holds a valid value"
                                                   : "Whether every record holds the value" + value;
        case TallyKind::SameDate:
            return "Whether every record holds the date" + value;
        case TallyKind::SameNumber:
            return "Whether every record holds the amount" + value;
        case TallyKind::Above:
            return "Whether a record holds an amount above" + value;
        case TallyKind::SamePair:
            return "Whether every record gives " + tallyElement(kind, row.cell) + " and " +
                   tallyElement(kind, row.pairCell) + " alike";
        case TallyKind::CodeShare:
            return "The share of records coded " + reference;
        case TallyKind::BlankCount:
            return "Whether more than one record leaves it blank";
        case TallyKind::BlankShare:
            return "The share of records that leave it blank";
        case TallyKind::MultiRacial:
            return "The records with two or more of categories a-e coded 1";
    }
    return {};
}

// A message of the summary report as one line: its line breaks and the
// tabs and spaces that lay it out become one space, and each value it prints
// is shown as N.
std::string messageWords(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '%') {
            if (i + 1 < text.size() && text[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
            std::size_t end = i + 1;
            while (end < text.size() && std::string_view("0123456789.l").find(text[end]) != std::string_view::npos)
                ++end;
            out += 'N';
            i = end;
            continue;
        }
        if (c == '\n' || c == '\t' || c == ' ') {
            if (!out.empty() && out.back() != ' ') out += ' ';
            continue;
        }
        out += c;
    }
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// The messages the summary report may print for a slot.
std::string slotMessages(RecordKind kind, int slot) {
    std::string out;
    for (const MessageRow& m : summaryMessageRows(kind)) {
        if (m.slot != slot) continue;
        if (!out.empty()) out += " / ";
        out += messageWords(std::string(m.text) + (m.more ? m.more : ""));
    }
    return out;
}

void tallies(Document& d, RecordKind kind) {
    heading(d, BlockType::Subsection, "Summary tallies");
    paragraph(d,
              "Counted over every valid value of the whole file, for the summary data quality report. A tally with a "
              "threshold is reported when its share is above the threshold; N stands for a number the report "
              "prints.");
    const std::span<const TallyRow> rows = outputRow(kind).tallyRows();
    Block table{BlockType::Table, {}, {{"Slot", "Element", "Columns", "Watches", "Threshold", "The report says"}}};
    for (const TallyRow& row : rows) {
        char threshold[16] = "-";
        if (row.threshold != 100.0f)
            std::snprintf(threshold, sizeof threshold, "%g%%", static_cast<double>(row.threshold));
        table.rows.push_back({std::to_string(row.slot), tallyElement(kind, row.cell),
                              columnsText(row.cols.first, row.cols.last), watchWords(kind, row), threshold,
                              slotMessages(kind, row.slot)});
    }
    d.push_back(std::move(table));
}

Document document() {
    Document d;
    heading(d, BlockType::Title, std::string("The checks of vortel-dq ") + kVersion);
    paragraph(d,
              "Written by vortel-dq --rules from the tables the program checks with. Rule ids such as A-06.code, "
              "A-DP3 or F-G9.4.2 are those the findings carry: A for an adoption record, F for a foster care "
              "record. Element states: 1 missing, 2 out of range, a letter a likely error found by the group of "
              "that letter (upper case: the value will be deleted).");
    for (RecordKind kind : kAllRecordKinds) {
        heading(d, BlockType::Section,
                std::string(kindTitle(kind)) + " detail record (" + std::to_string(recordLength(kind)) + " columns)");
        layout(d, kind);
        datePairs(d, kind);
        groups(d, kind);
        tallies(d, kind);
    }
    return d;
}

// --------------------------------------------------------------- rendering

std::string markdownCell(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '|' || c == '*' || c == '_' || c == '\\' || c == '<' || c == '[') out += '\\';
        out += c == '\n' ? ' ' : c;
    }
    return out;
}

std::string markdown(const Document& d) {
    std::string out;
    for (const Block& b : d) {
        switch (b.type) {
            case BlockType::Title:
                out += "# " + markdownCell(b.text) + "\n\n";
                break;
            case BlockType::Section:
                out += "## " + markdownCell(b.text) + "\n\n";
                break;
            case BlockType::Subsection:
                out += "### " + markdownCell(b.text) + "\n\n";
                break;
            case BlockType::Paragraph:
                out += markdownCell(b.text) + "\n\n";
                break;
            case BlockType::List:
                for (const auto& item : b.rows) out += "- " + markdownCell(item.front()) + "\n";
                out += "\n";
                break;
            case BlockType::Table:
                for (std::size_t r = 0; r < b.rows.size(); ++r) {
                    out += "|";
                    for (const std::string& cell : b.rows[r]) out += " " + markdownCell(cell) + " |";
                    out += "\n";
                    if (r == 0) {
                        out += "|";
                        for (std::size_t c = 0; c < b.rows[r].size(); ++c) out += "---|";
                        out += "\n";
                    }
                }
                out += "\n";
                break;
        }
    }
    return out;
}

constexpr std::string_view kStyle =
    "body{font-family:system-ui,sans-serif;margin:0 auto;max-width:72rem;padding:1rem;line-height:1.4;"
    "color:#1b1b1b}h2{margin-top:2.5rem;border-bottom:2px solid #345}h3{margin-top:1.8rem}"
    ".frame{overflow-x:auto}table{border-collapse:collapse;width:100%;font-size:.9rem}"
    "th,td{border:1px solid #ccd;padding:.25rem .4rem;text-align:left;vertical-align:top}"
    "th{background:#eef1f5}td:first-child{white-space:nowrap;font-family:monospace}"
    "@media print{h2{break-before:page}}";

std::string html(const Document& d) {
    std::string out =
        "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    if (!d.empty()) appendHtmlText(out, d.front().text, TextBytes::Utf8, TextPlace::Attribute);
    out += "</title>\n<style>";
    out += kStyle;
    out += "</style>\n</head>\n<body>\n";
    auto element = [&](const char* tag, const std::string& text) {
        out += "<";
        out += tag;
        out += ">";
        appendHtmlText(out, text, TextBytes::Utf8);
        out += "</";
        out += tag;
        out += ">\n";
    };
    for (const Block& b : d) {
        switch (b.type) {
            case BlockType::Title:
                element("h1", b.text);
                break;
            case BlockType::Section:
                element("h2", b.text);
                break;
            case BlockType::Subsection:
                element("h3", b.text);
                break;
            case BlockType::Paragraph:
                element("p", b.text);
                break;
            case BlockType::List:
                out += "<ul>\n";
                for (const auto& item : b.rows) element("li", item.front());
                out += "</ul>\n";
                break;
            case BlockType::Table:
                out += "<div class=\"frame\"><table>\n";
                for (std::size_t r = 0; r < b.rows.size(); ++r) {
                    out += "<tr>";
                    for (const std::string& cell : b.rows[r]) {
                        out += r == 0 ? "<th>" : "<td>";
                        appendHtmlText(out, cell, TextBytes::Utf8);
                        out += r == 0 ? "</th>" : "</td>";
                    }
                    out += "</tr>\n";
                }
                out += "</table></div>\n";
                break;
        }
    }
    out += "</body>\n</html>\n";
    return out;
}

}  // namespace

std::optional<RulesFormat> rulesFormatOf(std::string_view fileName) {
    auto endsWith = [&](std::string_view end) {
        return fileName.size() > end.size() && fileName.substr(fileName.size() - end.size()) == end;
    };
    if (endsWith(".md")) return RulesFormat::Markdown;
    if (endsWith(".html")) return RulesFormat::Html;
    return std::nullopt;
}

std::string rulesDocument(RulesFormat format) {
    const Document d = document();
    return format == RulesFormat::Markdown ? markdown(d) : html(d);
}

int writeRulesDocument(const std::string& fileName, RulesFormat format) {
    const std::string text = rulesDocument(format);
    OutputFile file;
    if (const int error = file.open(fileName)) return error;
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), file.file()) != text.size()) {
        const int error = errno ? errno : EIO;
        file.discard();
        return error;
    }
    if (const int error = file.close()) {
        file.discard();
        return error;
    }
    if (const int error = file.place()) {
        file.discard();
        return error;
    }
    return 0;
}

}  // namespace vortel

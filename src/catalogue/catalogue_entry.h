// The entry types of the catalogues: all that is known of one element
// of a detail record (its number, name, cell, columns and test) and of one
// consistency group (number, letter, elements and legend), with the lookups
// every catalogue shares. Each record kind has one catalogue, a constexpr
// table read by the checks, the listing, the summary and the findings.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "catalogue/element_layout.h"
#include "core/element_table.h"
#include "core/summary_tally.h"

namespace vortel {

// What an entry stands for.
enum class EntryPart : std::uint8_t {
    Element,       // an element with its own cell and columns
    RaceElement,   // a race element as a whole: its cell keeps no state and
                   // its columns are those of its six categories
    RaceCategory,  // one category a-f of a race element
};

struct ElementEntry {
    int element;    // number in the layout table
    char category;  // 'a'-'f' for a race category, else 0
    EntryPart part;
    bool checked;                   // tested by the element checks (all but the record
                                    // number and the race elements as a whole)
    std::string_view name;          // as the layout table words it, without a date format
    ElementLayout layout;           // cell, columns and test
    std::array<char, 4> labelText;  // as the findings write it: "07a", "21"

    constexpr int cell() const { return layout.cell; }
    constexpr int first() const { return layout.first; }
    constexpr int last() const { return layout.last; }
    constexpr int width() const { return layout.last - layout.first + 1; }
    constexpr std::string_view label() const { return labelText.data(); }
};

// The columns of an entry, and those of the year that begins a date (a date
// tallied by its year alone), as the tally tables give them.
constexpr Columns columnsOf(const ElementEntry& e) {
    return {static_cast<std::uint8_t>(e.first()), static_cast<std::uint8_t>(e.last())};
}
constexpr Columns yearColumnsOf(const ElementEntry& e) {
    return {static_cast<std::uint8_t>(e.first()), static_cast<std::uint8_t>(e.first() + 3)};
}

// Two-digit element number, then the category letter where there is one.
constexpr std::array<char, 4> elementLabel(int element, char category) {
    return {static_cast<char>('0' + element / 10), static_cast<char>('0' + element % 10), category, '\0'};
}

// Rows of a catalogue. An element's cell is its element number; a race
// category's cell is the cell of category a of its element plus its place.
constexpr ElementEntry element(const ElementLayout& layout, std::string_view name) {
    return {layout.cell, '\0', EntryPart::Element, true, name, layout, elementLabel(layout.cell, '\0')};
}
constexpr ElementEntry unchecked(int element, int first, int last, std::string_view name) {
    return {element,
            '\0',
            EntryPart::Element,
            false,
            name,
            {element, first, last, last, kValid, ElementTest::Code},
            elementLabel(element, '\0')};
}
constexpr ElementEntry raceElement(int element, int firstColumn, std::string_view name) {
    return {element,
            '\0',
            EntryPart::RaceElement,
            false,
            name,
            {element, firstColumn, firstColumn + 5, firstColumn + 5, kValid, ElementTest::Code},
            elementLabel(element, '\0')};
}
constexpr ElementEntry raceCategory(int element, char category, int firstCategoryCell, int column, char blank,
                                    std::string_view name) {
    return {element,
            category,
            EntryPart::RaceCategory,
            true,
            name,
            codeElement(firstCategoryCell + (category - 'a'), column, blank, "01"),
            elementLabel(element, category)};
}

// A consistency group: the elements its legend names and the legend text
// that explains its letter.
struct GroupEntry {
    int number;
    char letter;                            // lower case; upper case when the value is deleted
    std::string_view title;                 // what the group judges, as findings name it
    std::array<std::uint8_t, 16> elements;  // as the legend names them; 0 ends the list
    std::string_view legend;                // after "X or x = " in the listing legend,
                                            // its line break included

    constexpr char upperLetter() const { return static_cast<char>(letter - 'a' + 'A'); }
    constexpr bool names(int element) const {
        for (std::uint8_t e : elements)
            if (e != 0 && e == element) return true;
        return false;
    }
};

constexpr GroupEntry group(int number, char letter, std::string_view title, std::initializer_list<int> elements,
                           std::string_view legend) {
    GroupEntry g{number, letter, title, {}, legend};
    std::size_t i = 0;
    for (int e : elements) g.elements[i++] = static_cast<std::uint8_t>(e);
    return g;
}

// ------------------------------------------------------------------ lookups

// The entry of an element (category 0) or race category, or nullptr.
constexpr const ElementEntry* findElement(std::span<const ElementEntry> entries, int element, char category = '\0') {
    for (const ElementEntry& e : entries)
        if (e.element == element && e.category == category) return &e;
    return nullptr;
}
constexpr const ElementEntry* findCell(std::span<const ElementEntry> entries, int cell) {
    for (const ElementEntry& e : entries)
        if (e.cell() == cell) return &e;
    return nullptr;
}
constexpr const ElementEntry* findLabel(std::span<const ElementEntry> entries, std::string_view label) {
    for (const ElementEntry& e : entries)
        if (e.label() == label) return &e;
    return nullptr;
}
constexpr const GroupEntry* findGroup(std::span<const GroupEntry> groups, int number) {
    for (const GroupEntry& g : groups)
        if (g.number == number) return &g;
    return nullptr;
}
// The group of a letter, either case.
constexpr const GroupEntry* findGroupOfLetter(std::span<const GroupEntry> groups, char letter) {
    for (const GroupEntry& g : groups)
        if (g.letter == letter || g.upperLetter() == letter) return &g;
    return nullptr;
}

// The layouts of the checked entries, in catalogue order.
template <std::size_t N>
constexpr std::size_t checkedCount(const ElementEntry (&entries)[N]) {
    std::size_t n = 0;
    for (const ElementEntry& e : entries) n += e.checked ? 1 : 0;
    return n;
}
template <std::size_t Checked, std::size_t N>
constexpr std::array<ElementLayout, Checked> checkedLayouts(const ElementEntry (&entries)[N]) {
    std::array<ElementLayout, Checked> out{};
    std::size_t k = 0;
    for (const ElementEntry& e : entries)
        if (e.checked) out[k++] = e.layout;
    return out;
}

// The entry at a cell of a catalogue whose entries are one per cell, found
// through an index made at compile time; nullptr outside the cells.
template <const auto& Entries>
const ElementEntry* entryAtCellOf(int cell) {
    constexpr std::size_t kCount = std::size(Entries);
    static constexpr auto kIndexOfCell = [] {
        std::array<std::uint8_t, kCount + 1> index{};
        for (std::size_t i = 0; i < kCount; ++i)
            index[static_cast<std::size_t>(Entries[i].cell())] = static_cast<std::uint8_t>(i);
        return index;
    }();
    if (cell < 1 || cell > static_cast<int>(kCount)) return nullptr;
    return &Entries[kIndexOfCell[static_cast<std::size_t>(cell)]];
}

// Consistency of a catalogue, checked at compile time: every cell from 1 to
// the kind's cell count has exactly one entry and every label is unique; the
// entries run in column order without overlap (a race element as a whole
// spans its six categories, which follow it in order a-f in consecutive
// columns), and every column lies within the record.
constexpr bool catalogueConsistent(std::span<const ElementEntry> entries, RecordKind kind) {
    const int cells = cellCount(kind);
    if (entries.size() != static_cast<std::size_t>(cells)) return false;
    for (int c = 1; c <= cells; ++c) {
        int found = 0;
        for (const ElementEntry& e : entries) found += e.cell() == c ? 1 : 0;
        if (found != 1) return false;
    }
    // Indexes rather than pointers: sanitizer builds do not fold pointer
    // comparisons in constant expressions.
    int nextColumn = 1;
    std::size_t race = entries.size();  // the race element being walked, if any
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ElementEntry& e = entries[i];
        int sameLabel = 0;
        for (const ElementEntry& other : entries) sameLabel += other.label() == e.label() ? 1 : 0;
        if (e.element < 1 || e.element > 99 || e.first() < 1 || e.last() < e.first() || e.last() > recordLength(kind) ||
            sameLabel != 1)
            return false;
        if (e.part == EntryPart::RaceElement) {
            if (e.first() != nextColumn || e.width() != 6 || e.cell() != e.element) return false;
            race = i;
            continue;
        }
        if (e.first() != nextColumn) return false;
        nextColumn = e.last() + 1;
        if (e.part == EntryPart::RaceCategory) {
            if (race == entries.size() || e.element != entries[race].element || e.width() != 1 ||
                e.first() != entries[race].first() + (e.category - 'a') || !e.checked)
                return false;
            if (e.category > 'a' && entries[i - 1].cell() != e.cell() - 1) return false;
        } else if (e.category != '\0' || e.cell() != e.element) {
            return false;
        }
    }
    return nextColumn == recordLength(kind) + 1;
}

// Consistency of a group table: numbers from 1 up, letters rising (each
// group its own letter), and every element named is in the catalogue.
constexpr bool groupsConsistent(std::span<const GroupEntry> groups, std::span<const ElementEntry> entries) {
    for (std::size_t i = 0; i < groups.size(); ++i) {
        const GroupEntry& g = groups[i];
        if (g.title.empty()) return false;
        if (g.number != static_cast<int>(i) + 1 || g.letter < 'a' || g.letter > 'z' || g.legend.empty()) return false;
        if (i > 0 && g.letter <= groups[i - 1].letter) return false;
        for (std::uint8_t e : g.elements) {
            bool known = e == 0;
            for (const ElementEntry& entry : entries) known = known || (entry.element == e && entry.category == '\0');
            if (!known) return false;
        }
    }
    return true;
}

}  // namespace vortel

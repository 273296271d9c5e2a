// Horizontal bar charts as inline SVG: one bar per row, its parts stacked,
// the row's label on the left and its total (and share) at the end of the bar. Each bar
// carries a tooltip and the numbers as data attributes, so that the page
// reads without the picture and scripts can read the counts.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace vortel {

// One part of every bar: its CSS class (colour), what it counts and the
// data attribute that holds its count.
struct ChartSeries {
    std::string_view cssClass;
    std::string_view name;       // in the tooltip: "3 missing"
    std::string_view attribute;  // data attribute of the bar: "data-missing"
};

struct ChartBar {
    std::string label;       // bytes read as Latin-1; shortened when long
    std::string tooltip;     // likewise, never shortened; the parts' counts follow it
    std::string attributes;  // more data attributes of the bar, escaped, each after a blank
    std::array<long, 3> parts{};
    std::string share;  // shown after the total and in the tooltip: "12.5%"; may be empty
};

// Appends the chart. `series` names the parts (at most 3) in stacking order.
void appendBarChart(std::string& out, std::string_view caption, std::span<const ChartSeries> series,
                    std::span<const ChartBar> bars);

}  // namespace vortel

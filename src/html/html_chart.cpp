#include "html/html_chart.h"

#include <algorithm>
#include <cstdio>

#include "html/html_text.h"

namespace vortel {

namespace {

// Geometry of a chart, in SVG user units (pixels at full width).
constexpr int kWidth = 820;
constexpr int kLabelRight = 352;  // labels end here, right-aligned
constexpr int kBarLeft = 360;
constexpr int kBarRoom = kWidth - kBarLeft - 120;  // the longest bar; its total and share follow
constexpr int kRowHeight = 20;
constexpr int kBarHeight = 14;
constexpr std::size_t kLabelLength = 52;  // characters shown of a long label

std::string number(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", x);
    return text;
}

// The label shortened to kLabelLength characters with an ellipsis.
std::string shownLabel(std::string_view label) {
    if (label.size() <= kLabelLength) return htmlText(label, TextBytes::Latin1, TextPlace::Attribute);
    std::string out = htmlText(label.substr(0, kLabelLength - 1), TextBytes::Latin1, TextPlace::Attribute);
    out.append("\xE2\x80\xA6");  // U+2026
    return out;
}

}  // namespace

void appendBarChart(std::string& out, std::string_view caption, std::span<const ChartSeries> series,
                    std::span<const ChartBar> bars) {
    long most = 1;
    for (const ChartBar& b : bars) {
        long total = 0;
        for (std::size_t s = 0; s < series.size(); ++s) total += b.parts[s];
        most = std::max(most, total);
    }
    const double scale = static_cast<double>(kBarRoom) / static_cast<double>(most);
    const int height = static_cast<int>(bars.size()) * kRowHeight + 4;
    // The frame scrolls a chart that keeps its labels legible on a narrow screen.
    out.append("<div class=frame><svg class=chart role=img viewBox=\"0 0 ")
        .append(std::to_string(kWidth))
        .append(" ")
        .append(std::to_string(height))
        .append("\" width=")
        .append(std::to_string(kWidth))
        .append(" height=")
        .append(std::to_string(height))
        .append(" aria-label=\"");
    appendHtmlText(out, caption, TextBytes::Latin1, TextPlace::Attribute);
    out.append("\">\n");
    int y = 2;
    for (const ChartBar& b : bars) {
        long total = 0;
        out.append("<g class=bar").append(b.attributes);
        for (std::size_t s = 0; s < series.size(); ++s)
            out.append(" ").append(series[s].attribute).append("=").append(std::to_string(b.parts[s]));
        out.append("><title>");
        appendHtmlText(out, b.tooltip, TextBytes::Latin1, TextPlace::Attribute);
        const char* separator = ": ";
        for (std::size_t s = 0; s < series.size(); ++s) {
            if (b.parts[s] == 0) continue;
            out.append(separator).append(groupedNumber(b.parts[s])).append(" ").append(series[s].name);
            separator = ", ";
        }
        if (!b.share.empty()) out.append(" (").append(b.share).append(")");
        out.append("</title><text x=").append(std::to_string(kLabelRight));
        out.append(" y=").append(std::to_string(y + kBarHeight - 3)).append(" text-anchor=end>");
        out.append(shownLabel(b.label)).append("</text>");
        double x = kBarLeft;
        for (std::size_t s = 0; s < series.size(); ++s) {
            const long value = b.parts[s];
            total += value;
            if (value == 0) continue;
            const double w = std::max(0.5, static_cast<double>(value) * scale);
            out.append("<rect class=").append(series[s].cssClass);
            out.append(" x=").append(number(x)).append(" y=").append(std::to_string(y));
            out.append(" width=").append(number(w)).append(" height=").append(std::to_string(kBarHeight)).append(" />");
            x += w;
        }
        out.append("<text class=total x=").append(number(x + 5)).append(" y=");
        out.append(std::to_string(y + kBarHeight - 3)).append(">").append(groupedNumber(total));
        if (!b.share.empty()) out.append(" (").append(b.share).append(")");
        out.append("</text></g>\n");
        y += kRowHeight;
    }
    out.append("</svg></div>\n");
}

}  // namespace vortel

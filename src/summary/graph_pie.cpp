#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "data/book/amount_format.h"
#include "data/book/share.h"
#include "data/formats/cp932.h"
#include "summary/graph_parts.h"

namespace hanaki::graph_parts {
namespace {

using namespace graph_colours;
using std::numbers::pi;

constexpr GraphPoint kCentre{50, 40};
constexpr double kRadius = 65;
constexpr double kMarkerRing = 50;
constexpr double kTableLeft = 125;

GraphColour SliceColour(int slice) {
    return kPie[(slice - 1) % 7];
}

std::string Marker(int slice) {
    static const char* const kMarkers[] = {"①", "②", "③", "④", "⑤", "⑥", "⑦", "⑧", "⑨", "⑩",
                                           "⑪", "⑫", "⑬", "⑭", "⑮", "⑯", "⑰", "⑱", "⑲", "⑳"};
    return kMarkers[slice - 1];
}

std::string PadLeft(const std::string& text, std::size_t cells) {
    return text.size() >= cells ? text : std::string(cells - text.size(), ' ') + text;
}

// `label` is code page 932, where a cell is a byte.
std::string LabelCell(const std::string& label, std::size_t cells) {
    const std::string shown = Cp932ToUtf8(label);
    return label.size() >= cells ? shown : shown + std::string(cells - label.size(), ' ');
}

double Degrees(double radians) {
    return radians * 180 / pi;
}

// Whether a marker at `at` would cover one already placed.
bool CoversAnother(const std::vector<GraphPoint>& placed, GraphPoint at, double points) {
    const double width = 2 * CellWidth(points), height = LineHeight(points);
    for (GraphPoint other : placed)
        if (std::abs(other.x - at.x) < width && std::abs(other.y - at.y) < height)
            return true;
    return false;
}

void DrawSlices(const GraphData& graph, const GraphTextSizes& sizes, GraphSurface& surface) {
    const int n = static_cast<int>(graph.entries.size());
    // The slices fill the circle; what cannot be drawn is named in the table.
    double drawn = 0;
    for (const GraphEntry& entry : graph.entries)
        drawn += entry.value;
    double from = pi / 2;  // counter-clockwise from 3 o'clock; slices run clockwise
    double travelled = 0;
    std::vector<GraphPoint> markers;
    for (int i = 1; i <= n; ++i) {
        const float degrees = static_cast<float>(graph.entries[i - 1].value / drawn * 360);
        double span = degrees * pi / 180;
        double to = from - span;
        if (to < 0)
            to += 2 * pi;
        if (i == n) {  // close the circle exactly, whatever the rounding left
            to = pi / 2;
            span = std::max(0.0, 2 * pi - travelled);
        }
        surface.Wedge(kCentre, kRadius, Degrees(to), Degrees(span), SliceColour(i), kWhite);
        // A little past the middle; across 3 o'clock, the middle of the wrapped range.
        const double theta =
            from <= pi / 2 && to >= pi / 2 ? (from + to + 2 * pi) / 2 : (from + to) * 3.6 / 7;
        const GraphPoint at{kCentre.x + kMarkerRing * std::cos(theta),
                            kCentre.y + kMarkerRing * std::sin(theta)};
        // Narrow slices side by side would pile their numbers on each other:
        // the table names them all.
        if (!CoversAnother(markers, at, sizes.table)) {
            surface.Text(at, Marker(i), sizes.table, kBlack);
            markers.push_back(at);
        }
        travelled += span;
        from = to;
    }
}

std::string ShareText(double value, double total) {
    return total != 0 ? RatioText(value, total) : std::string();
}

// The rows, the total and the heading start at one place, so their columns
// line up in any type: three blanks keep room for a row's colour square. A
// name or an amount wider than its column widens the column for every line,
// and the table takes type small enough to end within the window. Under the
// total, what the circle cannot show (net zero or below) with its amount.
void DrawTable(const GraphData& graph, const GraphTextSizes& sizes, GraphSurface& surface) {
    const int n = static_cast<int>(graph.entries.size());
    std::size_t labelCells = 10, widestValue = FormatGrouped(graph.reference).size();
    for (const std::vector<GraphEntry>* entries : {&graph.entries, &graph.undrawn}) {
        for (const GraphEntry& entry : *entries) {
            labelCells = std::max(labelCells, entry.label.size());
            widestValue = std::max(widestValue, FormatGrouped(entry.value).size());
        }
    }
    // A blank between a name and an amount of eight digits and more.
    const std::size_t valueCells = std::max<std::size_t>(10, widestValue + 1);
    const std::string widening(labelCells - 10 + valueCells - 10, ' ');
    auto row = [&](const std::string& number, const GraphEntry& entry) {
        return "   " + number + LabelCell(entry.label, labelCells) +
               PadLeft(FormatGrouped(entry.value), valueCells) + "  " +
               PadLeft(ShareText(entry.value, graph.reference), 6);
    };

    std::vector<std::string> lines;
    lines.push_back(widening + (graph.income ? "             入金金額(円)   比率(%)"
                                             : "             支出金額(円)   比率(%)"));
    for (int i = 1; i <= n; ++i)
        lines.push_back(row(PadLeft(std::to_string(i), 2) + ". ", graph.entries[i - 1]));
    lines.push_back(std::string(labelCells - 10, ' ') +
                    (graph.income ? "　　 入金合計　　" : "　　 支出合計　　") +
                    PadLeft(FormatGrouped(graph.reference), valueCells) + "  " +
                    PadLeft(ShareText(graph.reference, graph.reference), 6));
    if (!graph.undrawn.empty()) {
        const bool categories = graph.kind == GraphKind::MonthlyCategoryPie;
        lines.push_back(categories ? "   円グラフに描けない費目" : "   円グラフに描けない摘要");
        for (const GraphEntry& entry : graph.undrawn)
            lines.push_back(row("    ", entry));
    }

    std::size_t widest = 0;
    for (const std::string& line : lines)
        widest = std::max(widest, Cells(line));
    // Rows closer together when there are more than the room below the heading holds.
    const int rows = static_cast<int>(lines.size()) - 1;
    const double step = std::min(6.0, (100 - kGraphBottom - 1) / rows);
    const double points = std::min(PointsToFit(sizes.table, widest, kGraphRight - kTableLeft - 0.5),
                                   std::max(kReadablePoints, step / LineHeight(1)));
    const double square = std::min(5.0, step - 1);
    surface.Text({kTableLeft, 105}, lines.front(), points, kBlack);
    for (int i = 1; i <= rows; ++i) {
        const double y = 100 - step * i;
        if (i <= n)
            surface.FilledBox({kTableLeft, y}, {kTableLeft + square, y + square}, SliceColour(i),
                              SliceColour(i));
        surface.Text({kTableLeft, y + square}, lines[i], points, kBlack);
    }
}

}  // namespace

void DrawPie(const GraphData& graph, const GraphTextSizes& sizes, GraphSurface& surface) {
    DrawHeading(graph, sizes, surface);
    if (graph.entries.empty()) {
        surface.Circle(kCentre, kRadius, kWhite, kWhite);
        DrawNoData(surface, kCentre, sizes.title);
        return;
    }
    DrawSlices(graph, sizes, surface);
    DrawTable(graph, sizes, surface);
}

}  // namespace hanaki::graph_parts

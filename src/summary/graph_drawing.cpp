#include "summary/graph_drawing.h"

#include <algorithm>

#include "data/formats/cp932.h"
#include "summary/graph_parts.h"

namespace hanaki {
namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;
// The gothic font's line over its em, and what the rounding of type to whole
// pixels may add at the smallest sizes.
constexpr double kLineOverEm = 1.08;
constexpr double kSpare = 1.08;

}  // namespace

double graph_parts::CellWidth(double points) {
    const double unitsPerPixel = (kGraphRight - kGraphLeft) / kGraphDesignWidth;
    return points * kPixelsPerPoint / 2 * unitsPerPixel * kSpare;
}

double graph_parts::LineHeight(double points) {
    const double unitsPerPixel = (kGraphTop - kGraphBottom) / kGraphDesignHeight;
    return points * kPixelsPerPoint * kLineOverEm * unitsPerPixel * kSpare;
}

std::size_t graph_parts::Cells(const std::string& text) {
    return Utf8ToCp932Lossy(text).size();
}

double graph_parts::PointsToFit(double points, std::size_t cells, double room) {
    if (cells == 0)
        return points;
    const double fitting = room / (static_cast<double>(cells) * CellWidth(1));
    return std::min(points, std::max(kReadablePoints, fitting));
}

void graph_parts::DrawHeading(const GraphData& graph, const GraphTextSizes& sizes,
                              GraphSurface& surface) {
    surface.Text({40, 119}, graph.title, sizes.title, graph_colours::kBlack);
    if (graph.subtitle.empty())
        return;
    // Hand-edited names can be long: the sub-title ends before the legends on its right.
    const std::string subtitle = "費目:" + graph.subtitle;
    surface.Text({18, 113}, subtitle, PointsToFit(sizes.title, Cells(subtitle), 158 - 18),
                 graph_colours::kPureBlue);
}

void graph_parts::DrawNoData(GraphSurface& surface, GraphPoint centre, double points) {
    const std::string text = "データがありません";
    surface.Text({centre.x - static_cast<double>(Cells(text)) * CellWidth(points) / 2,
                  centre.y + LineHeight(points) / 2},
                 text, points, graph_colours::kBlack);
}

void DrawGraph(const GraphData& graph, const GraphTextSizes& sizes, GraphSurface& surface) {
    surface.Clear();
    if (graph.IsPie())
        graph_parts::DrawPie(graph, sizes, surface);
    else
        graph_parts::DrawBars(graph, sizes, surface);
}

}  // namespace hanaki

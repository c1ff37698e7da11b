#pragma once

#include <cstddef>
#include <string>

#include "summary/graph_drawing.h"

// The pieces DrawGraph puts together.
namespace hanaki::graph_parts {

// The title, and under it the sub-title in blue.
void DrawHeading(const GraphData& graph, const GraphTextSizes& sizes, GraphSurface& surface);
void DrawBars(const GraphData& graph, const GraphTextSizes& sizes, GraphSurface& surface);
void DrawPie(const GraphData& graph, const GraphTextSizes& sizes, GraphSurface& surface);
// "データがありません" centred on `centre`.
void DrawNoData(GraphSurface& surface, GraphPoint centre, double points);

// The room a text takes among the shapes, in user units, with a little to
// spare for the rounding of type to whole pixels. Type scales with the
// drawing, so these hold at every window size.
double CellWidth(double points);   // one half-width character, across
double LineHeight(double points);  // one line, down
// Half-width cells of a UTF-8 text: a full-width character takes two.
std::size_t Cells(const std::string& text);
// The smallest type a user can read: 8 pixels in the smallest window, whose
// drawing is 640/1024 of the full-size one.
inline constexpr double kReadablePoints = 9.6;

// `points`, or the smaller size at which `cells` half-width characters fit
// within `room` units across, but never below kReadablePoints.
double PointsToFit(double points, std::size_t cells, double room);

}  // namespace hanaki::graph_parts

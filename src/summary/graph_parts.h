#pragma once

#include "summary/graph_drawing.h"

// The pieces DrawGraph puts together.
namespace hanaki::graph_parts {

// The title, and under it the sub-title in blue.
void DrawHeading(const GraphData& graph, const GraphTextSizes& sizes, GraphSurface& surface);
void DrawBars(const GraphData& graph, const GraphTextSizes& sizes, GraphSurface& surface);
void DrawPie(const GraphData& graph, const GraphTextSizes& sizes, GraphSurface& surface);

}  // namespace hanaki::graph_parts

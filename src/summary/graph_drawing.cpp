#include "summary/graph_drawing.h"

#include "summary/graph_parts.h"

namespace hanaki {

void graph_parts::DrawHeading(const GraphData& graph, const GraphTextSizes& sizes,
                              GraphSurface& surface) {
    surface.Text({40, 119}, graph.title, sizes.title, graph_colours::kBlack);
    if (!graph.subtitle.empty())
        surface.Text({18, 113}, "費目:" + graph.subtitle, sizes.title, graph_colours::kPureBlue);
}

void DrawGraph(const GraphData& graph, const GraphTextSizes& sizes, GraphSurface& surface) {
    surface.Clear();
    if (graph.IsPie())
        graph_parts::DrawPie(graph, sizes, surface);
    else
        graph_parts::DrawBars(graph, sizes, surface);
}

}  // namespace hanaki

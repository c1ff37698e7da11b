#pragma once

#include "summary/graph_data.h"
#include "ui/graph_surface.h"

// Bar graphs with three-dimensional bars, budget marks, averages and vertical
// labels, and pie graphs with numbered slices and a table of amounts.
namespace hanaki {

namespace graph_colours {
inline constexpr GraphColour kBlack{0, 0, 0};
inline constexpr GraphColour kWhite{255, 255, 255};
inline constexpr GraphColour kBlueFront{0, 128, 192};
inline constexpr GraphColour kBlueSide{0, 45, 140};
inline constexpr GraphColour kRedFront{220, 92, 61};
inline constexpr GraphColour kRedSide{177, 62, 33};
inline constexpr GraphColour kPureBlue{0, 0, 255};
inline constexpr GraphColour kPureRed{255, 0, 0};
inline constexpr GraphColour kYellow{255, 255, 0};
// Slice i (from 1) takes colour (i - 1) mod 7.
inline constexpr GraphColour kPie[7] = {{128, 255, 128}, {128, 255, 255}, {255, 255, 128},
                                        {255, 128, 128}, {255, 128, 255}, {128, 128, 255},
                                        {255, 255, 255}};
}  // namespace graph_colours

// Point sizes of the three kinds of text on the full-size drawing; a smaller
// window scales its type with its drawing.
struct GraphTextSizes {
    double title = 16;
    double label = 11;
    double table = 13;
};

// Clears the surface and draws the whole graph.
void DrawGraph(const GraphData& graph, const GraphTextSizes& sizes, GraphSurface& surface);

}  // namespace hanaki

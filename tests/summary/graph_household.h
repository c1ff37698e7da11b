#pragma once

#include <cmath>
#include <string>
#include <type_traits>
#include <vector>

#include "data/formats/cp932.h"
#include "summary/graph_data.h"
#include "summary/graph_drawing.h"
#include "support/cp932_text.h"
#include "support/temp_folder.h"
#include "ui/graph_surface.h"

namespace hanaki::testing {

// 1 給料 (income), 2 食費 (外食, 食材), 3 住居, 4 光熱費, 5 趣味 (expense,
// 趣味 left out of the summaries); 6 and later unnamed. 食費 has a budget of
// 30,000 yen, 光熱費 one of 15,000. The titles name March 2026.
struct GraphHousehold {
    GraphHousehold() {
        const char* const names[] = {"給料", "食費", "住居", "光熱費", "趣味"};
        for (int c = 1; c <= 5; ++c) {
            input.categories.names[c] = Sjis(names[c - 1]);
            input.categories.kinds[c] = c == 1 ? CategoryKind::Income : CategoryKind::Expense;
            input.settings.summaryFlags[c] = c == 5 ? 0 : 1;
        }
        input.categories.descriptions[1][1] = Sjis("月給");
        input.categories.descriptions[2][1] = Sjis("外食");
        input.categories.descriptions[2][2] = Sjis("食材");
        input.settings.budgets[2] = "30000";
        input.settings.budgets[4] = "15000";
        input.year = 2026;
        input.month = 3;
    }

    GraphInput input;
};

// The graph as the full-size window draws it.
inline RecordingSurface Draw(const GraphData& graph) {
    RecordingSurface drawing;
    DrawGraph(graph, GraphTextSizes{}, drawing);
    return drawing;
}

template <typename Shape>
std::vector<Shape> All(const RecordingSurface& drawing) {
    std::vector<Shape> found;
    for (const DrawnShape& shape : drawing.shapes())
        if (const auto* s = std::get_if<Shape>(&shape))
            found.push_back(*s);
    return found;
}

// The text written with its top-left corner at (x, y), or "" when none is.
inline std::string TextAt(const RecordingSurface& drawing, double x, double y) {
    for (const drawn::Text& text : All<drawn::Text>(drawing))
        if (std::abs(text.topLeft.x - x) < 1e-9 && std::abs(text.topLeft.y - y) < 1e-9)
            return text.text;
    return "";
}

}  // namespace hanaki::testing

#pragma once

#include <string>
#include <vector>

#include "data/program_state.h"

// What the graph window shows: the entries, the reference values and the
// texts of one graph, built from the sums the summary screens leave behind.
namespace hanaki {

enum class GraphKind {
    MonthlyCategoryBar,
    MonthlyCategoryPie,
    MonthlyDescriptionBar,
    MonthlyDescriptionPie,
    TrendTotals,
    TrendCategory,
    TrendDescription,
};

struct GraphEntry {
    std::string label;  // code page 932, as the category master holds it
    double value = 0;
};

struct GraphData {
    GraphKind kind = GraphKind::MonthlyCategoryBar;
    std::vector<GraphEntry> entries;
    // A pie's total; a twelve-month category or description graph's budget.
    double reference = 0;
    // By entry: the budgets of the monthly category bars, or the income of
    // each month in the totals graph.
    std::vector<long long> second;
    std::string title;     // UTF-8
    std::string subtitle;  // UTF-8; empty for the graphs of all categories
    std::string legend;    // UTF-8
    // Of the twelve months, those whose ledger file holds anything (at least 1).
    int monthsWithFiles = 1;

    bool IsPie() const {
        return kind == GraphKind::MonthlyCategoryPie || kind == GraphKind::MonthlyDescriptionPie;
    }
};

// The graph of `state.graph`; `description` picks a description of the
// twelve-month category graph (0: the category itself).
GraphData BuildGraph(const ProgramState& state, int description);

// Month number 1 … 12 as the twelve-month graphs label it: "１　月" … "12　月"
// (code page 932).
std::string MonthLabel(int month);

}  // namespace hanaki

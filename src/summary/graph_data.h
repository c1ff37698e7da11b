#pragma once

#include <string>
#include <vector>

#include "data/book/aggregation.h"
#include "data/formats/category_table.h"
#include "data/formats/settings.h"

// What the graph window shows: the entries, the reference values and the
// texts of one graph, built from the figures of the screen that opened it.
namespace hanaki {

enum class GraphSource { MonthlyBar = 1, MonthlyPie = 2, Trend = 3 };

// Everything a graph window draws from, handed over as a value when it opens:
// its keys change only this copy, so every title names the figures drawn.
struct GraphInput {
    GraphSource source = GraphSource::MonthlyBar;
    int selector = 0;  // 0: all categories (or the totals); 1 … 20: that category
    int year = 0;      // four-digit accounting year and month the titles name
    int month = 0;
    CategoryTable categories;
    Settings settings;
    MonthTotals monthTotals;  // the monthly graphs
    TrendTotals trendTotals;  // the twelve-month graphs: oldest first, ending at `month`
};

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
    // A pie's total as the summary gives it; a twelve-month category or
    // description graph's budget.
    double reference = 0;
    // A pie's categories or descriptions that cannot be drawn: items of net zero or below.
    std::vector<GraphEntry> undrawn;
    // By entry: the budgets of the monthly category bars, or the income of
    // each month in the totals graph.
    std::vector<long long> second;
    std::string title;     // UTF-8
    std::string subtitle;  // UTF-8; empty for the graphs of all categories
    std::string legend;    // UTF-8
    // Of the twelve months, those whose ledger file holds anything (at least 1).
    int monthsWithFiles = 1;
    // The descriptions of an income category: its table speaks of 入金.
    bool income = false;

    bool IsPie() const {
        return kind == GraphKind::MonthlyCategoryPie || kind == GraphKind::MonthlyDescriptionPie;
    }
};

// The graph of `input`; `description` picks a description of the
// twelve-month category graph (0: the category itself).
GraphData BuildGraph(const GraphInput& input, int description);

// Month number 1 … 12 as the twelve-month graphs label it: "１　月" … "12　月"
// (code page 932).
std::string MonthLabel(int month);

}  // namespace hanaki

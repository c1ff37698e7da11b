#include "summary/graph_data.h"

#include <algorithm>
#include <utility>

#include "data/book/amount_format.h"
#include "data/book/budget.h"
#include "data/formats/cp932.h"

namespace hanaki {
namespace {

constexpr const char* kLegendOverview = "    <ESC>グラフ終了    <Tab>棒,円グラフ切り替え";
constexpr const char* kLegendDescriptions =
    "    <ESC>グラフ終了    <↑↓>費目変更    <Tab>棒,円グラフ切り替え";
constexpr const char* kLegendTotals = "    <ESC>グラフ終了    ";
constexpr const char* kLegendTrend = "    <ESC>グラフ終了    <↑↓>費目変更    <←→>摘要変更";

// A budget the graphs can draw, in whole yen; else 0.
long long BudgetForGraph(const Settings& settings, int category) {
    const BudgetReading budget = ReadBudget(settings.budgets[category]);
    return budget.usable() ? budget.yen : 0;
}

double NotBelowZero(double value) {
    return value < 0 ? 0 : value;
}

std::string MonthlyTitle(const GraphInput& choice, const char* name) {
    return std::to_string(choice.year) + "年" + std::to_string(choice.month) + "月度  " + name;
}

std::string TrendTitle(const GraphInput& choice, const char* name) {
    return "～" + MonthlyTitle(choice, name);
}

// Larger values first; equal values end in the order this exchange leaves them.
void SortForPie(std::vector<GraphEntry>& entries) {
    for (std::size_t j = 0; j + 1 < entries.size(); ++j)
        for (std::size_t k = j + 1; k < entries.size(); ++k)
            if (entries[j].value < entries[k].value)
                std::swap(entries[j], entries[k]);
}

// The summary's total, against which the summary takes its shares: what
// cannot be drawn (a refund, items that cancel out) is still part of it.
void FinishPie(GraphData& graph, double total) {
    SortForPie(graph.entries);
    graph.reference = total;
}

GraphData MonthlyCategories(const GraphInput& input, bool pie) {
    GraphData graph;
    graph.kind = pie ? GraphKind::MonthlyCategoryPie : GraphKind::MonthlyCategoryBar;
    for (int c = 1; c <= kMaxCategories; ++c) {
        if (input.categories.names[c].empty() || !input.categories.IsExpense(c) ||
            input.settings.summaryFlags[c] == 0)
            continue;
        const double total = input.monthTotals.at(c, 0);
        if (pie && total <= 0) {
            if (input.monthTotals.hasItemsIn(c, 0))
                graph.undrawn.push_back({input.categories.names[c], total});
            continue;
        }
        graph.entries.push_back({input.categories.names[c], NotBelowZero(total)});
        graph.second.push_back(BudgetForGraph(input.settings, c));
    }
    // Items of categories the master no longer names count in the expense
    // total, so they take a bar and a slice too.
    for (int c = 1; c <= kMaxCategories; ++c) {
        const DeletedCategorySum& deleted = input.monthTotals.deleted[c][1];
        if (!deleted.present)
            continue;
        const std::string label = deleted.name + Utf8ToCp932Lossy("（削除済み）");
        if (pie && deleted.amount <= 0) {
            graph.undrawn.push_back({label, deleted.amount});
            continue;
        }
        graph.entries.push_back({label, NotBelowZero(deleted.amount)});
        graph.second.push_back(0);
    }
    if (pie) {
        graph.second.clear();
        FinishPie(graph, input.monthTotals.flaggedExpense());
    }
    graph.title = MonthlyTitle(input, "費 目 別 月 度 集 計 (支出)");
    graph.legend = kLegendOverview;
    return graph;
}

GraphData MonthlyDescriptions(const GraphInput& input, bool pie) {
    GraphData graph;
    graph.kind = pie ? GraphKind::MonthlyDescriptionPie : GraphKind::MonthlyDescriptionBar;
    const int c = input.selector;
    graph.income = !input.categories.IsExpense(c);
    for (int d = 1; d <= kMaxDescriptions; ++d) {
        const std::string& name = input.categories.descriptions[c][d];
        const double total = input.monthTotals.at(c, d);
        if (name.empty())
            continue;
        if (pie && total <= 0) {
            if (input.monthTotals.hasItemsIn(c, d))
                graph.undrawn.push_back({name, total});
            continue;
        }
        graph.entries.push_back({name, NotBelowZero(total)});
    }
    if (pie)
        FinishPie(graph, input.monthTotals.at(c, 0));
    graph.title = MonthlyTitle(input, "摘 要 別 月 度 集 計 ");
    graph.subtitle = Cp932ToUtf8(input.categories.names[c]);
    graph.legend = kLegendDescriptions;
    return graph;
}

GraphData TrendTotalsGraph(const GraphInput& input) {
    GraphData graph;
    graph.kind = GraphKind::TrendTotals;
    for (int s = 0; s < 12; ++s) {
        const MonthTotals& month = input.trendTotals.months[s];
        // A month of refunds shows nothing rather than a bar below the axis.
        const double expense = month.expense() < 0 ? 0 : NotBelowZero(month.flaggedExpense());
        const double income = month.income() < 0 ? 0 : NotBelowZero(month.flaggedIncome());
        graph.entries.push_back(
            {MonthLabel(TrendMonthOfSlot(input.year, input.month, s).month), expense});
        graph.second.push_back(RoundHalfEven(income));
    }
    graph.title = TrendTitle(input, "収 支 別 月 度 推 移 表");
    graph.legend = kLegendTotals;
    graph.monthsWithFiles = std::max(1, MonthsWithItems(input.trendTotals));
    return graph;
}

GraphData TrendCategoryGraph(const GraphInput& input, int description) {
    GraphData graph;
    const int c = input.selector;
    graph.kind = description == 0 ? GraphKind::TrendCategory : GraphKind::TrendDescription;
    for (int s = 0; s < 12; ++s)
        graph.entries.push_back({MonthLabel(TrendMonthOfSlot(input.year, input.month, s).month),
                                 NotBelowZero(input.trendTotals.months[s].at(c, description))});
    graph.reference = double(BudgetForGraph(input.settings, c));
    graph.subtitle = Cp932ToUtf8(input.categories.names[c]);
    if (description == 0) {
        graph.title = TrendTitle(input, "費 目 別 月 度 推 移 表");
    } else {
        graph.title = TrendTitle(input, "摘 要 別 月 度 推 移 表");
        graph.subtitle +=
            "     ＜" + Cp932ToUtf8(input.categories.descriptions[c][description]) + "＞";
    }
    graph.legend = kLegendTrend;
    graph.monthsWithFiles = std::max(1, MonthsWithItems(input.trendTotals));
    return graph;
}

}  // namespace

std::string MonthLabel(int month) {
    static const char* const kFullWidthDigits[] = {"",   "１", "２", "３", "４",
                                                   "５", "６", "７", "８", "９"};
    const std::string number = month < 10 ? kFullWidthDigits[month] : std::to_string(month);
    return Utf8ToCp932Lossy(number + "　月");
}

GraphData BuildGraph(const GraphInput& input, int description) {
    const int selector = input.selector;
    const bool overall = selector < 1 || selector > kMaxCategories;
    switch (input.source) {
        case GraphSource::MonthlyBar:
        case GraphSource::MonthlyPie: {
            const bool pie = input.source == GraphSource::MonthlyPie;
            return overall ? MonthlyCategories(input, pie) : MonthlyDescriptions(input, pie);
        }
        case GraphSource::Trend:
            return overall ? TrendTotalsGraph(input) : TrendCategoryGraph(input, description);
    }
    return {};
}

}  // namespace hanaki

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "data/book/amount_format.h"
#include "data/book/monthly_average.h"
#include "data/formats/cp932.h"
#include "summary/graph_parts.h"

namespace hanaki::graph_parts {
namespace {

using namespace graph_colours;

constexpr int kMostLabelLines = 10;
constexpr int kHairline = 1;
// Averages and budgets stand out from the scale, the yellow one from the background.
constexpr int kMarkLine = 2;
// Dark enough against the background and the yellow alike.
constexpr GraphColour kBudgetEdge{96, 96, 0};

// A bar with its side face, seen from the right: a low bar gets a triangle.
void DrawSolidBar(GraphSurface& surface, double x, double w, double h, GraphColour front,
                  GraphColour side) {
    surface.FilledBox({x, 0}, {x + w, h}, front, kBlack);
    if (h == 0)
        return;
    const double depth = w / 3;
    // Measured against the whole depth: a side face deeper than the bar is
    // tall would reach below the axis.
    if (depth >= h) {
        if (h > 1)
            surface.Polygon({{x + w, 0}, {x + w, h}, {x + w + h, 0}}, side, kBlack);
        else
            surface.Line({x + w, h}, {x + w + h, 0}, kBlack, LineStyle::Solid, kHairline);
        return;
    }
    surface.Polygon({{x + w, 0}, {x + w, h}, {x + w + depth, h - depth}, {x + w + depth, 0}}, side,
                    kBlack);
}

// Where the bar of a budget not yet spent would reach; one off the scale
// rises past the top of the chart.
void DrawBudgetOutline(GraphSurface& surface, double x, double w, double b) {
    if (b > 100) {
        for (double at : {x, x + w, x + w + w / 3})
            surface.Line({at, 0}, {at, 104}, kPureBlue, LineStyle::Dotted, kHairline);
        return;
    }
    surface.Box({x, 0}, {x + w, b}, kPureBlue, LineStyle::Dotted);
    if (b == 0)
        return;
    const double depth = w / 3;
    if (depth >= b) {
        surface.Line({x + w, b}, {x + w + b, 0}, kPureBlue, LineStyle::Dotted, kHairline);
        return;
    }
    surface.Line({x + w, b}, {x + w + depth, b - depth}, kPureBlue, LineStyle::Dotted, kHairline);
    surface.Line({x + w + depth, b - depth}, {x + w + depth, 0}, kPureBlue, LineStyle::Dotted,
                 kHairline);
}

// Up to `cells` of the label a line: with 2, one character a line, a dash
// turned upright, two single-byte characters sharing a line so that "10"
// reads as a number.
std::vector<std::string> LabelLines(const std::string& label, std::size_t cells) {
    std::vector<std::string> lines;
    const auto width = [&label](std::size_t at) -> std::size_t {
        return IsCp932LeadByte(static_cast<unsigned char>(label[at])) && at + 1 < label.size() ? 2
                                                                                               : 1;
    };
    std::size_t i = 0;
    while (i < label.size() && static_cast<int>(lines.size()) < kMostLabelLines) {
        std::size_t length = 0;
        while (i + length < label.size() && length + width(i + length) <= cells)
            length += width(i + length);
        std::string line = Cp932ToUtf8(label.substr(i, length));
        if (cells == 2 && (line == "ー" || line == "－"))
            line = "｜";
        lines.push_back(line);
        i += length;
    }
    return lines;
}

// A budget up to this many times the largest spending sets the scale with
// it; one further beyond would flatten every bar, so it is named instead.
constexpr double kBudgetReach = 2;

double Spending(const GraphData& graph) {
    double most = 0;
    for (const GraphEntry& entry : graph.entries)
        most = std::max(most, entry.value);
    return most;
}

bool OffTheScale(double budget, double spending) {
    return budget > kBudgetReach * spending;
}

double Largest(const GraphData& graph) {
    const double spending = Spending(graph);
    double most = spending;
    for (long long value : graph.second) {
        const auto second = static_cast<double>(value);
        // The months' incomes are figures in their own right; budgets serve the spending.
        if (graph.kind == GraphKind::TrendTotals ||
            (graph.kind == GraphKind::MonthlyCategoryBar && !OffTheScale(second, spending)))
            most = std::max(most, second);
    }
    return most == 0 ? 1 : most;
}

// Yen up to seven digits; larger scales count in ten thousands or hundred
// millions, so that their figures stand beside the axis in readable type.
struct ScaleUnit {
    long long divisor;
    const char* heading;
};
ScaleUnit UnitOf(double most) {
    const long long top = RoundHalfEven(most) / 10 * 10;
    if (top < 10'000'000)
        return {1, "  (円)"};
    if (top < 100'000'000'000)
        return {10'000, "  (万円)"};
    return {100'000'000, "  (億円)"};
}

void DrawScale(const GraphTextSizes& sizes, GraphSurface& surface, double most) {
    constexpr double kShares[] = {1.0, 0.75, 0.5, 0.25};
    constexpr double kLeft = -18, kRoom = -1 - kLeft - 0.5;
    const ScaleUnit unit = UnitOf(most);
    std::vector<std::string> texts;
    std::size_t widest = 0;
    for (double share : kShares) {
        const long long yen = RoundHalfEven(most * share);
        texts.push_back(std::to_string(unit.divisor == 1 ? yen / 10 * 10 : yen / unit.divisor));
        widest = std::max(widest, texts.back().size());
    }
    const double points = PointsToFit(sizes.label, widest, kRoom);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const double y = 100 * kShares[i];
        surface.Line({200, y}, {-1, y}, kBlack, LineStyle::Dotted, kHairline);
        surface.Text({kLeft, y + 1.5}, texts[i], points, kBlack);
    }
    surface.Text({kLeft, 115}, unit.heading, sizes.label, kBlack);
}

// A legend in type small enough to end before the labels right of the chart.
void LegendText(GraphSurface& surface, GraphPoint topLeft, const std::string& text, double points,
                GraphColour colour) {
    surface.Text(topLeft, text, PointsToFit(points, Cells(text), 199.5 - topLeft.x), colour);
}

// Tops of the labels of two lines at heights `first` and `second`, moved
// apart just enough that neither covers or touches the other; the first
// stays above when the lines meet.
std::pair<double, double> LabelsApart(double first, double second, double points) {
    const double room = LineHeight(points) + 0.5;
    if (std::abs(first - second) >= room)
        return {first + 2, second + 2};
    const double middle = (first + second) / 2 + 2;
    const double half = first >= second ? room / 2 : -room / 2;
    return {middle + half, middle - half};
}

// The budget's yellow shows little against the background: a dark band
// under it makes it stand out.
void BudgetLine(GraphSurface& surface, double y, LineStyle style) {
    surface.Line({0, y}, {201, y}, kBudgetEdge, LineStyle::Solid, kMarkLine + 2);
    surface.Line({0, y}, {201, y}, kYellow, style, kMarkLine);
}

long long Average(const std::vector<double>& values, int months) {
    double sum = 0;
    for (double value : values)
        sum += value;
    return MonthlyAverage(sum, months);
}

void DrawTrendMarks(const GraphData& graph, const GraphTextSizes& sizes, GraphSurface& surface,
                    double most) {
    std::vector<double> values;
    for (const GraphEntry& entry : graph.entries)
        values.push_back(entry.value);
    const long long average = Average(values, graph.monthsWithFiles);
    const double a = 100 / most * static_cast<double>(average);
    surface.Line({0, a}, {201, a}, kPureBlue, LineStyle::Solid, kMarkLine);
    const double budget = graph.reference;
    if (budget == 0) {
        surface.Text({201, a + 2}, "平均額", sizes.label, kBlack);
    } else {
        double b = 100 / most * budget;
        if (b > 113) {
            b = 114;
            BudgetLine(surface, b, LineStyle::Dotted);
        } else {
            BudgetLine(surface, b, LineStyle::Solid);
        }
        const auto [averageTop, budgetTop] = LabelsApart(a, b, sizes.label);
        surface.Text({201, averageTop}, "平均額", sizes.label, kBlack);
        surface.Text({201, budgetTop}, "予算額", sizes.label, kBlack);
        LegendText(surface, {160, 113}, "予算額:" + FormatGrouped(budget) + "円", sizes.label,
                   kBlack);
    }
    LegendText(surface, {160, 109}, "平均額:" + FormatGrouped(double(average)) + "円", sizes.label,
               kBlack);
}

// The budgets the scale leaves out, with their figures, over the chart:
// as many as readable type holds, then how many more.
void NameBudgetsOffTheScale(const GraphData& graph, const GraphTextSizes& sizes,
                            GraphSurface& surface) {
    constexpr double kLeft = 1, kRoom = 158 - kLeft;  // clear of the axis
    const double spending = Spending(graph);
    std::vector<std::string> named;
    for (std::size_t i = 0; i < graph.entries.size(); ++i) {
        const auto budget = static_cast<double>(graph.second[i]);
        if (budget > 0 && graph.entries[i].value <= budget && OffTheScale(budget, spending))
            named.push_back(Cp932ToUtf8(graph.entries[i].label) + " " + FormatGrouped(budget) +
                            "円");
    }
    if (named.empty())
        return;
    std::string text = "目盛りの外の予算 " + named.front();
    std::size_t shown = 1;
    for (; shown < named.size(); ++shown) {
        const std::string longer = text + "、" + named[shown];
        if (PointsToFit(sizes.label, Cells(longer + "ほか99費目"), kRoom) < kReadablePoints)
            break;
        text = longer;
    }
    if (shown < named.size())
        text += "ほか" + std::to_string(named.size() - shown) + "費目";
    surface.Text({kLeft, 109}, text, PointsToFit(sizes.label, Cells(text), kRoom), kBlueFront);
}

void DrawTotalsMarks(const GraphData& graph, const GraphTextSizes& sizes, GraphSurface& surface,
                     double most) {
    std::vector<double> expenses, incomes;
    for (const GraphEntry& entry : graph.entries)
        expenses.push_back(entry.value);
    for (long long income : graph.second)
        incomes.push_back(static_cast<double>(income));
    const long long expense = Average(expenses, graph.monthsWithFiles);
    const long long income = Average(incomes, graph.monthsWithFiles);
    const double e = 100 / most * static_cast<double>(expense);
    const double i = 100 / most * static_cast<double>(income);
    surface.Line({0, e}, {202, e}, kPureBlue, LineStyle::Solid, kMarkLine);
    surface.Line({0, i}, {202, i}, kPureRed, LineStyle::Solid, kMarkLine);
    const auto [incomeTop, expenseTop] = LabelsApart(i, e, sizes.label);
    surface.Text({202, expenseTop}, "支出平均", sizes.label, kBlack);
    surface.Text({202, incomeTop}, "収入平均", sizes.label, kBlack);
    LegendText(surface, {140, 113}, "赤色:収入 平均額" + FormatGrouped(double(income)) + "円",
               sizes.label, kRedFront);
    LegendText(surface, {140, 109}, "青色:支出 平均額" + FormatGrouped(double(expense)) + "円",
               sizes.label, kBlueFront);
}

void DrawEntryBars(const GraphData& graph, GraphSurface& surface, double most, double x, double w,
                   std::size_t i) {
    const double v = graph.entries[i].value;
    const double h = 100 / most * v;
    switch (graph.kind) {
        case GraphKind::MonthlyCategoryBar: {
            const double budget = static_cast<double>(graph.second[i]);
            const double b = 100 / most * budget;
            if (budget <= 0) {
                DrawSolidBar(surface, x, w, h, kBlueFront, kBlueSide);
            } else if (v > budget) {
                DrawSolidBar(surface, x, w, h, kRedFront, kRedSide);
                DrawSolidBar(surface, x, w, b, kBlueFront, kBlueSide);
            } else if (v > 0) {
                DrawBudgetOutline(surface, x, w, b);
                DrawSolidBar(surface, x, w, h, kBlueFront, kBlueSide);
            }
            break;
        }
        case GraphKind::TrendTotals: {
            // The pair side by side, each with its side face, within the month's slot.
            const double income = 100 / most * static_cast<double>(graph.second[i]);
            const double left = x - w / 2 + w / 9;
            DrawSolidBar(surface, left, 2 * w / 3, income, kRedFront, kRedSide);
            DrawSolidBar(surface, left + 8 * w / 9, 2 * w / 3, h, kBlueFront, kBlueSide);
            break;
        }
        case GraphKind::TrendCategory:
        case GraphKind::TrendDescription:
            if (graph.reference != 0 && v > graph.reference) {
                DrawSolidBar(surface, x, w, h, kRedFront, kRedSide);
                DrawSolidBar(surface, x, w, 100 / most * graph.reference, kBlueFront, kBlueSide);
            } else {
                DrawSolidBar(surface, x, w, h, kBlueFront, kBlueSide);
            }
            break;
        default:
            DrawSolidBar(surface, x, w, h, kBlueFront, kBlueSide);
            break;
    }
}

bool HasData(const GraphData& graph) {
    for (const GraphEntry& entry : graph.entries)
        if (entry.value > 0)
            return true;
    if (graph.kind == GraphKind::TrendTotals)
        for (long long income : graph.second)
            if (income > 0)
                return true;
    return false;
}

// Small enough that the column of `cells` a line is whole above the
// window's bottom and keeps within its slot.
double LabelPoints(const std::vector<std::string>& lines, std::size_t cells, double slot,
                   double points) {
    constexpr double kGap = 0.5, kRoom = -1 - kGraphBottom - 0.5;
    if (!lines.empty())
        points =
            std::min(points, (kRoom / static_cast<double>(lines.size()) - kGap) / LineHeight(1));
    return PointsToFit(points, cells, slot - 1);
}

// The label under a bar: read downwards; a name too long to stand whole in
// one column at the label size is read across, two characters a line, when
// that gives it larger type. Only that column takes smaller type.
void DrawLabel(GraphSurface& surface, GraphPoint start, const std::string& label, double slot,
               double points) {
    std::vector<std::string> lines = LabelLines(label, 2);
    double fitted = LabelPoints(lines, 2, slot, points);
    if (fitted < points) {
        std::vector<std::string> across = LabelLines(label, 4);
        const double acrossPoints = LabelPoints(across, 4, slot, points);
        if (acrossPoints > fitted) {
            lines = std::move(across);
            fitted = acrossPoints;
        }
    }
    surface.TextColumn(start, lines, 0.5, fitted, kBlack);
}

}  // namespace

void DrawBars(const GraphData& graph, const GraphTextSizes& sizes, GraphSurface& surface) {
    const double most = Largest(graph);
    const bool hasData = HasData(graph);
    surface.Line({0, 0}, {200, 0}, kBlack, LineStyle::Solid, kHairline);
    surface.Line({0, 0}, {0, 110}, kBlack, LineStyle::Solid, kHairline);
    surface.Line({200, 0}, {200, 110}, kBlack, LineStyle::Solid, kHairline);
    DrawHeading(graph, sizes, surface);
    if (hasData) {
        DrawScale(sizes, surface, most);
        switch (graph.kind) {
            case GraphKind::MonthlyCategoryBar:
                surface.Text({160, 109}, "赤色:予算オーバー", sizes.label, kRedFront);
                NameBudgetsOffTheScale(graph, sizes, surface);
                break;
            case GraphKind::TrendCategory:
            case GraphKind::TrendDescription:
                DrawTrendMarks(graph, sizes, surface, most);
                break;
            case GraphKind::TrendTotals:
                DrawTotalsMarks(graph, sizes, surface, most);
                break;
            default:
                break;
        }
    } else {
        DrawNoData(surface, {100, 50}, sizes.title);
    }

    if (graph.entries.empty())
        return;
    const double slot = 200.0 / static_cast<double>(graph.entries.size());
    const double w = slot / 2;
    double x = slot / 4;
    for (std::size_t i = 0; i < graph.entries.size(); ++i) {
        // A month without data has nothing to measure the bars against.
        if (hasData && most > 1)
            DrawEntryBars(graph, surface, most, x, w, i);
        DrawLabel(surface, {x + slot / 4, -1}, graph.entries[i].label, slot, sizes.label);
        x += slot;
    }
}

}  // namespace hanaki::graph_parts

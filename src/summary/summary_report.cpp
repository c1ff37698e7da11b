#include "summary/summary_report.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include "data/book/amount_format.h"
#include "data/disk/data_folder.h"
#include "data/formats/cp932.h"
#include "data/formats/display_width.h"
#include "data/formats/ledger.h"
#include "data/formats/report_format.h"
#include "data/program/command_household.h"
#include "summary/summary_table.h"
#include "summary/year_figures.h"

namespace hanaki {
namespace {

// Cells of UTF-8 text on the terminal the report is written for.
using CellsOf = std::size_t (*)(std::string_view utf8);

std::size_t Cp932Cells(std::string_view utf8) {
    return Utf8ToCp932Lossy(utf8).size();
}

CellsOf CellsFor(bool cp932) {
    return cp932 ? Cp932Cells : DisplayWidth;
}

constexpr std::size_t kLabelCells = 20;
constexpr std::size_t kFigureCells = 10;

constexpr const char* kExcludedMark = "*";
constexpr const char* kOverBudgetMark = "!";

// A label, then right-aligned columns as wide as their widest cell (at least
// kFigureCells), each one blank apart.
class TextTable {
  public:
    explicit TextTable(CellsOf cells) : cells_(cells) {}

    void Row(const std::string& label, const std::vector<std::string>& cells) {
        rows_.push_back({label, cells});
    }

    std::string Render() const {
        std::size_t labelWidth = kLabelCells;
        std::vector<std::size_t> widths;
        for (const auto& [label, cells] : rows_) {
            labelWidth = std::max(labelWidth, cells_(label));
            widths.resize(std::max(widths.size(), cells.size()), kFigureCells);
            for (std::size_t i = 0; i < cells.size(); ++i)
                widths[i] = std::max(widths[i], cells_(cells[i]));
        }
        std::string text;
        for (const auto& [label, cells] : rows_) {
            std::string line = Pad(label, labelWidth, false);
            for (std::size_t i = 0; i < cells.size(); ++i)
                line += " " + Pad(cells[i], widths[i], true);
            line.erase(line.find_last_not_of(' ') + 1);
            text += line + "\n";
        }
        return text;
    }

  private:
    std::string Pad(const std::string& utf8, std::size_t width, bool left) const {
        const std::size_t cells = cells_(utf8);
        if (cells >= width)
            return utf8;
        const std::string blanks(width - cells, ' ');
        return left ? blanks + utf8 : utf8 + blanks;
    }

    CellsOf cells_;
    std::vector<std::pair<std::string, std::vector<std::string>>> rows_;
};

// Marks and the legend line naming the ones a report used.
struct Marks {
    bool excluded = false;
    bool overBudget = false;
    bool unusableBudget = false;

    // After the label of a category left out of the totals.
    std::string Label(const std::string& label, bool excludedCategory) {
        excluded = excluded || excludedCategory;
        return excludedCategory ? label + kExcludedMark : label;
    }
    // A blank where there is no mark keeps the figures of a column aligned.
    std::string Figure(const std::string& figure, bool over = false) {
        overBudget = overBudget || over;
        return figure + (over ? kOverBudgetMark : " ");
    }
    std::string Budget(const std::string& shown, bool unusable) {
        unusableBudget = unusableBudget || unusable;
        return shown.empty() ? shown : shown + (unusable ? kUnusableBudgetMark : " ");
    }
    std::string Legend(const char* overBudgetMeaning) const {
        std::string line;
        if (excluded)
            line += std::string("  ") + kExcludedMark + " 集計対象外の費目（合計と比率に含めない）";
        if (overBudget)
            line += std::string("  ") + kOverBudgetMark + " " + overBudgetMeaning;
        if (unusableBudget)
            line += std::string("  ") + kUnusableBudgetMark + " " + kUnusableBudgetMeaning;
        return line.empty() ? line : "\n凡例:" + line + "\n";
    }
};

std::string Name(const std::string& cp932) {
    return Cp932ToUtf8(cp932);
}

std::string CategoryLabel(int category, const CategoryTable& categories) {
    return PadLeft(std::to_string(category), 2) + " " + Name(categories.names[category]);
}

std::string DeletedLabel(const DeletedCategoryRow& row) {
    return PadLeft(std::to_string(row.category), 2) + " " + DeletedCategoryLabel(row);
}

std::string DescriptionLabel(const DescriptionLine& line) {
    return "    " + PadLeft(std::to_string(line.number), 2) + " " + Name(line.name);
}

const char* TotalLabel(SummaryRowKind kind) {
    switch (kind) {
        case SummaryRowKind::IncomeTotal:
            return "入金 合計";
        case SummaryRowKind::ExpenseTotal:
            return "出金 合計";
        default:
            return "合    計";
    }
}

std::string Integer(double value) {
    return std::to_string(RoundHalfAway(value));
}

const char* KindWord(const CategoryTable& categories, int category) {
    return categories.IsExpense(category) ? "出金" : "入金";
}

std::string TotalWord(SummaryRowKind kind) {
    switch (kind) {
        case SummaryRowKind::IncomeTotal:
            return "入金合計";
        case SummaryRowKind::ExpenseTotal:
            return "出金合計";
        default:
            return "合計";
    }
}

// Rows in screen order: each block's named and deleted categories, each
// block's total, the balance.
template <typename Named, typename Deleted, typename Total>
void WalkRows(const SummaryLayout& layout, Named named, Deleted deleted, Total total) {
    for (int row = 1; row < layout.rowCount(); ++row) {
        const SummaryRowKind kind = layout.KindOf(row);
        if (const DeletedCategoryRow* gone = layout.DeletedAt(row))
            deleted(*gone);
        else if (kind == SummaryRowKind::Income || kind == SummaryRowKind::Expense)
            named(layout.categoryAt[row]);
        else if (kind != SummaryRowKind::Empty)
            total(kind);
    }
}

double MonthTotal(const MonthTotals& totals, SummaryRowKind kind) {
    return TrendTotalCell(totals, kind).value;
}

// The budget as a CSV field: whole yen without grouping; one that is no
// budget marked, so that no program reading the file takes it for a number.
std::string BudgetField(const Settings& settings, int category) {
    const BudgetReading budget = ReadBudget(settings.budgets[category]);
    return budget.marked() ? budget.plain + kUnusableBudgetMark : budget.plain;
}

std::string MonthHeading(int month) {
    return std::to_string(month) + "  月";
}

double SumOverMonths(const TrendTotals& trend, auto valueOfMonth) {
    double sum = 0;
    for (const MonthTotals& month : trend.months)
        sum += valueOfMonth(month);
    return sum;
}

// The row's twelve values, their sum and average over the months with a file.
std::vector<std::string> TwelveValues(const TrendTotals& trend, auto valueOfMonth, bool grouped) {
    std::vector<std::string> cells;
    for (const MonthTotals& month : trend.months) {
        const double value = valueOfMonth(month);
        cells.push_back(grouped ? FormatGrouped(value) : Integer(value));
    }
    const double sum = SumOverMonths(trend, valueOfMonth);
    cells.push_back(grouped ? FormatGrouped(sum) : Integer(sum));
    cells.push_back(MonthlyAverageText(sum, trend, grouped));
    return cells;
}

std::string YearMonth(int year, int month) {
    return std::to_string(year) + "年" + std::to_string(month) + "月度";
}

// Six months to a block keeps the trend within 120 columns.
constexpr int kMonthsPerBlock = 6;

}  // namespace

std::string SummaryText(const MonthTotals& totals, const CategoryTable& categories,
                        const Settings& settings, int year, int month, bool cp932) {
    TextTable table(CellsFor(cp932));
    Marks marks;
    table.Row("   費  目", {"金  額 ", "比  率", "予　算 ", "予算比率"});
    WalkRows(
        LayOutSummary(categories, DeletedCategoryRows(totals)),
        [&](int c) {
            const CategoryLine line = MonthlyCategoryLine(totals, categories, settings, c);
            table.Row(marks.Label(CategoryLabel(c, categories), line.excluded),
                      {marks.Figure(line.amount, line.overBudget), line.share,
                       marks.Budget(line.budget, line.budgetMarked), line.budgetUse});
            for (const DescriptionLine& d : DescriptionLines(totals, categories, c))
                table.Row(DescriptionLabel(d), {marks.Figure(d.amount), d.share});
        },
        [&](const DeletedCategoryRow& row) {
            const CategoryLine line = DeletedCategoryLine(totals, row);
            table.Row(DeletedLabel(row), {marks.Figure(line.amount), line.share});
        },
        [&](SummaryRowKind kind) {
            table.Row(TotalLabel(kind), {marks.Figure(FormatGrouped(MonthTotal(totals, kind)))});
        });
    return YearMonth(year, month) + "  月度集計表\n\n" + table.Render() + marks.Legend("予算超過");
}

std::string SummaryCsv(const MonthTotals& totals, const CategoryTable& categories,
                       const Settings& settings) {
    std::string csv = CsvLine({"区分", "費目番号", "費目", "摘要番号", "摘要", "金額", "比率",
                               "予算", "予算比率", "集計"});
    WalkRows(
        LayOutSummary(categories, DeletedCategoryRows(totals)),
        [&](int c) {
            const CategoryLine line = MonthlyCategoryLine(totals, categories, settings, c);
            const std::string kind = KindWord(categories, c);
            const std::string number = std::to_string(c);
            const std::string name = Name(categories.names[c]);
            csv += CsvLine({kind, number, name, "", "", Integer(totals.at(c, 0)), line.share,
                            BudgetField(settings, c), line.budgetUse, line.excluded ? "0" : "1"});
            for (const DescriptionLine& d : DescriptionLines(totals, categories, c)) {
                csv += CsvLine({kind, number, name, std::to_string(d.number), Name(d.name),
                                Integer(d.value), d.share, "", "", ""});
            }
        },
        [&](const DeletedCategoryRow& row) {
            const CategoryLine line = DeletedCategoryLine(totals, row);
            csv += CsvLine({row.expense ? "出金" : "入金", std::to_string(row.category),
                            DeletedCategoryLabel(row), "", "",
                            Integer(totals.deleted[row.category][row.expense].amount), line.share,
                            "", "", "1"});
        },
        [&](SummaryRowKind kind) {
            csv += CsvLine({TotalWord(kind), "", "", "", "", Integer(MonthTotal(totals, kind)), "",
                            "", "", ""});
        });
    return csv;
}

std::string TrendText(const TrendTotals& trend, const CategoryTable& categories,
                      const Settings& settings, int year, int month, bool cp932) {
    const auto [firstYear, firstMonth] = TrendMonthOfSlot(year, month, 0);
    const int firstSlots[] = {0, kMonthsPerBlock};
    std::vector<TextTable> blocks(2, TextTable(CellsFor(cp932)));
    Marks marks;
    for (int b = 0; b < 2; ++b) {
        std::vector<std::string> headings;
        if (b == 0)
            headings.push_back(" 予  算 ");
        for (int slot = firstSlots[b]; slot < firstSlots[b] + kMonthsPerBlock; ++slot)
            headings.push_back(MonthHeading(TrendMonthOfSlot(year, month, slot).month) + " ");
        if (b == 1)
            headings.insert(headings.end(), {"合  計 ", "平  均 "});
        blocks[b].Row("   費  目", headings);
    }
    // `cellOfMonth` gives a month's cell; the sum and the average follow the last block.
    auto row = [&](const std::string& label, const std::string& budget, auto cellOfMonth) {
        std::vector<std::string> cells = TwelveValues(
            trend, [&](const MonthTotals& m) { return cellOfMonth(m).value; }, true);
        for (int slot = 0; slot < 12; ++slot) {
            const TrendCell cell = cellOfMonth(trend.months[slot]);
            cells[slot] = marks.Figure(cell.text, cell.red);
        }
        cells[12] = marks.Figure(cells[12]);
        cells[13] = marks.Figure(cells[13]);
        std::vector<std::string> first{budget};
        first.insert(first.end(), cells.begin(), cells.begin() + kMonthsPerBlock);
        blocks[0].Row(label, first);
        blocks[1].Row(label, {cells.begin() + kMonthsPerBlock, cells.end()});
    };
    WalkRows(
        LayOutSummary(categories, DeletedCategoryRows(trend)),
        [&](int c) {
            const BudgetReading budget = ReadBudget(settings.budgets[c]);
            row(marks.Label(CategoryLabel(c, categories), settings.summaryFlags[c] == 0),
                marks.Budget(budget.shown, budget.marked()), [&](const MonthTotals& m) {
                    return TrendCategoryCell(m, categories, settings, c);
                });
            for (const DescriptionLine& d : DescriptionLines(trend.months[11], categories, c)) {
                row(DescriptionLabel(d), "",
                    [c, n = d.number](const MonthTotals& m) { return MakeTrendCell(m.at(c, n)); });
            }
        },
        [&](const DeletedCategoryRow& gone) {
            row(DeletedLabel(gone), "",
                [&](const MonthTotals& m) { return TrendDeletedCell(m, gone); });
        },
        [&](SummaryRowKind kind) {
            row(TotalLabel(kind), "",
                [kind](const MonthTotals& m) { return MakeTrendCell(MonthTotal(m, kind)); });
        });
    return YearMonth(firstYear, firstMonth) + " ～ " + YearMonth(year, month) + "  月度推移表\n\n" +
           blocks[0].Render() + "\n" + blocks[1].Render() + marks.Legend("予算を超えた月");
}

std::string TrendCsv(const TrendTotals& trend, const CategoryTable& categories,
                     const Settings& settings, int year, int month) {
    std::vector<std::string> header{"区分", "費目番号", "費目", "摘要番号", "摘要", "予算", "集計"};
    for (int slot = 0; slot < 12; ++slot) {
        const auto [y, m] = TrendMonthOfSlot(year, month, slot);
        header.push_back(std::to_string(y) + (m < 10 ? "/0" : "/") + std::to_string(m));
    }
    header.insert(header.end(), {"合計", "平均"});
    std::string csv = CsvLine(header);

    auto row = [&](std::vector<std::string> fields, auto valueOfMonth) {
        for (std::string& cell : TwelveValues(trend, valueOfMonth, false))
            fields.push_back(std::move(cell));
        csv += CsvLine(fields);
    };
    WalkRows(
        LayOutSummary(categories, DeletedCategoryRows(trend)),
        [&](int c) {
            const std::string kind = KindWord(categories, c);
            const std::string number = std::to_string(c);
            const std::string name = Name(categories.names[c]);
            row({kind, number, name, "", "", BudgetField(settings, c),
                 settings.summaryFlags[c] == 0 ? "0" : "1"},
                [c](const MonthTotals& m) { return m.at(c, 0); });
            for (const DescriptionLine& d : DescriptionLines(trend.months[11], categories, c)) {
                row({kind, number, name, std::to_string(d.number), Name(d.name), "", ""},
                    [c, n = d.number](const MonthTotals& m) { return m.at(c, n); });
            }
        },
        [&](const DeletedCategoryRow& gone) {
            row({gone.expense ? "出金" : "入金", std::to_string(gone.category),
                 DeletedCategoryLabel(gone), "", "", "", "1"},
                [&](const MonthTotals& m) { return TrendDeletedCell(m, gone).value; });
        },
        [&](SummaryRowKind kind) {
            row({TotalWord(kind), "", "", "", "", "", ""},
                [kind](const MonthTotals& m) { return MonthTotal(m, kind); });
        });
    return csv;
}

std::string YearSummaryText(const TrendTotals& trend, const CategoryTable& categories,
                            const Settings& settings, int year, int month, bool cp932) {
    const auto [firstYear, firstMonth] = TrendMonthOfSlot(year, month, 0);
    TextTable table(CellsFor(cp932));
    Marks marks;
    table.Row("   費  目", {"年間合計 ", "比  率", "月平均", "年間予算 ", "予算比率"});
    const MonthTotals sums = SumOfMonths(trend);
    const Settings budgets = YearBudgets(settings);
    auto average = [&](double sum) { return MonthlyAverageText(sum, trend, true); };
    WalkRows(
        LayOutSummary(categories, DeletedCategoryRows(sums)),
        [&](int c) {
            const CategoryLine line = MonthlyCategoryLine(sums, categories, budgets, c);
            table.Row(
                marks.Label(CategoryLabel(c, categories), line.excluded),
                {marks.Figure(line.amount, line.overBudget), line.share, average(sums.at(c, 0)),
                 marks.Budget(line.budget, line.budgetMarked), line.budgetUse});
            for (const DescriptionLine& d : DescriptionLines(sums, categories, c))
                table.Row(DescriptionLabel(d), {marks.Figure(d.amount), d.share, average(d.value)});
        },
        [&](const DeletedCategoryRow& row) {
            const CategoryLine line = DeletedCategoryLine(sums, row);
            table.Row(DeletedLabel(row), {marks.Figure(line.amount), line.share,
                                          average(sums.deleted[row.category][row.expense].amount)});
        },
        [&](SummaryRowKind kind) {
            const double sum = YearTotal(trend, kind);
            table.Row(TotalLabel(kind), {marks.Figure(FormatGrouped(sum)), "", average(sum)});
        });
    return YearMonth(firstYear, firstMonth) + " ～ " + YearMonth(year, month) + "  年間集計表\n\n" +
           table.Render() + marks.Legend("予算超過");
}

std::string YearSummaryCsv(const TrendTotals& trend, const CategoryTable& categories,
                           const Settings& settings) {
    std::string csv = CsvLine({"区分", "費目番号", "費目", "摘要番号", "摘要", "年間合計", "比率",
                               "月平均", "年間予算", "予算比率", "集計"});
    const MonthTotals sums = SumOfMonths(trend);
    const Settings budgets = YearBudgets(settings);
    auto average = [&](double sum) { return MonthlyAverageText(sum, trend, false); };
    WalkRows(
        LayOutSummary(categories, DeletedCategoryRows(sums)),
        [&](int c) {
            const CategoryLine line = MonthlyCategoryLine(sums, categories, budgets, c);
            const std::string kind = KindWord(categories, c);
            const std::string number = std::to_string(c);
            const std::string name = Name(categories.names[c]);
            csv += CsvLine({kind, number, name, "", "", Integer(sums.at(c, 0)), line.share,
                            average(sums.at(c, 0)), BudgetField(budgets, c), line.budgetUse,
                            line.excluded ? "0" : "1"});
            for (const DescriptionLine& d : DescriptionLines(sums, categories, c)) {
                csv += CsvLine({kind, number, name, std::to_string(d.number), Name(d.name),
                                Integer(d.value), d.share, average(d.value), "", "", ""});
            }
        },
        [&](const DeletedCategoryRow& row) {
            const CategoryLine line = DeletedCategoryLine(sums, row);
            const double amount = sums.deleted[row.category][row.expense].amount;
            csv += CsvLine({row.expense ? "出金" : "入金", std::to_string(row.category),
                            DeletedCategoryLabel(row), "", "", Integer(amount), line.share,
                            average(amount), "", "", "1"});
        },
        [&](SummaryRowKind kind) {
            const double sum = YearTotal(trend, kind);
            csv += CsvLine(
                {TotalWord(kind), "", "", "", "", Integer(sum), "", average(sum), "", "", ""});
        });
    return csv;
}

int RunReportCommand(const std::string& dataDir, const ReportRequest& request, std::ostream& out,
                     std::ostream& err) {
    const DataFolder folder(dataDir, RealFileSystem());
    CategoryTable categories;
    Settings settings;
    if (!LoadHouseholdForCommand(folder, categories, settings, err))
        return 1;

    const int year = request.year - 1900;
    MonthTotals totals;
    TrendTotals trend;
    const AggregationReport report =
        request.kind == ReportKind::Summary
            ? AggregateMonth(folder, categories, settings, year, request.month, totals)
            : AggregateTwelveMonths(folder, categories, settings, year, request.month, trend);
    if (!report.io.ok()) {
        err << DescribeIoError(*report.io.error) << "\n";
        return 1;
    }
    if (report.unreadableRecords > 0)
        err << UnreadableRecordsNote(report.unreadableRecords) << "\n";

    std::string text;
    if (request.kind == ReportKind::YearSummary) {
        text = request.csv ? YearSummaryCsv(trend, categories, settings)
                           : YearSummaryText(trend, categories, settings, request.year,
                                             request.month, request.cp932);
    } else if (request.kind == ReportKind::Summary) {
        text = request.csv ? SummaryCsv(totals, categories, settings)
                           : SummaryText(totals, categories, settings, request.year, request.month,
                                         request.cp932);
    } else {
        text = request.csv ? TrendCsv(trend, categories, settings, request.year, request.month)
                           : TrendText(trend, categories, settings, request.year, request.month,
                                       request.cp932);
    }
    out << (request.cp932 ? Utf8ToCp932Lossy(text) : text);
    out.flush();
    return report.unreadableRecords > 0 ? 1 : 0;
}

}  // namespace hanaki

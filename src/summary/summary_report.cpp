#include "summary/summary_report.h"

#include <cerrno>

#include "data/amount_format.h"
#include "data/cp932.h"
#include "data/data_folder.h"
#include "summary/report_format.h"
#include "summary/summary_table.h"
#include "summary/year_figures.h"

namespace hanaki {
namespace {

constexpr std::size_t kLabelCells = 20;

// A label, then right-aligned columns, each one blank apart.
struct TextTable {
    std::vector<std::size_t> widths;
    std::string text;

    void Row(const std::string& label, const std::vector<std::string>& cells) {
        std::string line = PadRight(label, kLabelCells);
        for (std::size_t i = 0; i < cells.size(); ++i)
            line += " " + PadLeft(cells[i], widths[i]);
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
};

std::string Name(const std::string& cp932) {
    return Cp932ToUtf8(cp932);
}

std::string CategoryLabel(int category, const CategoryTable& categories) {
    return PadLeft(std::to_string(category), 2) + " " + Name(categories.names[category]);
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

// Rows in screen order: each block's categories, each block's total, the balance.
template <typename CategoryRow, typename TotalRow>
void WalkRows(const SummaryLayout& layout, CategoryRow category, TotalRow total) {
    for (int row = 1; row < kSummaryGridRows; ++row) {
        const SummaryRowKind kind = layout.KindOf(row);
        if (kind == SummaryRowKind::Income || kind == SummaryRowKind::Expense)
            category(layout.categoryAt[row]);
        else if (kind != SummaryRowKind::Empty)
            total(kind);
    }
}

double MonthTotal(const MonthTotals& totals, SummaryRowKind kind) {
    return TrendTotalCell(totals, kind).value;
}

std::string BudgetValue(const Settings& settings, int category) {
    return settings.budgets[category].empty() ? std::string()
                                              : std::to_string(settings.BudgetOf(category));
}

std::string MonthHeading(int month) {
    return std::to_string(month) + "  月";
}

// The trend's 平均 of a sum: over the months with a file, halves to even;
// empty when no month has one.
std::string AverageText(double sum, const TrendTotals& trend, bool grouped) {
    const int filledMonths = MonthsWithItems(trend);
    if (filledMonths == 0)
        return {};
    const double average = double(RoundHalfEven(sum / filledMonths));
    return grouped ? FormatGrouped(average) : Integer(average);
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
    cells.push_back(AverageText(sum, trend, grouped));
    return cells;
}

std::string YearMonth(int year, int month) {
    return std::to_string(year) + "年" + std::to_string(month) + "月度";
}

}  // namespace

std::string SummaryText(const MonthTotals& totals, const CategoryTable& categories,
                        const Settings& settings, int year, int month) {
    TextTable table{{12, 8, 12, 8}, YearMonth(year, month) + "  月度集計表\n\n"};
    table.Row("   費  目", {"金  額", "比  率", "予　算", "予算比率"});
    const SummaryLayout layout = LayOutSummary(categories);
    WalkRows(
        layout,
        [&](int c) {
            const CategoryLine line = MonthlyCategoryLine(totals, categories, settings, c);
            table.Row(CategoryLabel(c, categories),
                      {line.amount, line.share, line.budget, line.budgetUse});
            for (const DescriptionLine& d : DescriptionLines(totals, categories, c))
                table.Row(DescriptionLabel(d), {d.amount, d.share});
        },
        [&](SummaryRowKind kind) {
            table.Row(TotalLabel(kind), {FormatGrouped(MonthTotal(totals, kind))});
        });
    return table.text;
}

std::string SummaryCsv(const MonthTotals& totals, const CategoryTable& categories,
                       const Settings& settings) {
    std::string csv = CsvLine({"区分", "費目番号", "費目", "摘要番号", "摘要", "金額", "比率",
                               "予算", "予算比率", "集計"});
    WalkRows(
        LayOutSummary(categories),
        [&](int c) {
            const CategoryLine line = MonthlyCategoryLine(totals, categories, settings, c);
            const std::string kind = KindWord(categories, c);
            const std::string number = std::to_string(c);
            const std::string name = Name(categories.names[c]);
            csv += CsvLine({kind, number, name, "", "", Integer(totals.at(c, 0)), line.share,
                            BudgetValue(settings, c), line.budgetUse, line.excluded ? "0" : "1"});
            for (const DescriptionLine& d : DescriptionLines(totals, categories, c)) {
                csv += CsvLine({kind, number, name, std::to_string(d.number), Name(d.name),
                                Integer(d.value), d.share, "", "", ""});
            }
        },
        [&](SummaryRowKind kind) {
            csv += CsvLine({TotalWord(kind), "", "", "", "", Integer(MonthTotal(totals, kind)), "",
                            "", "", ""});
        });
    return csv;
}

std::string TrendText(const TrendTotals& trend, const CategoryTable& categories,
                      const Settings& settings, int year, int month) {
    const auto [firstYear, firstMonth] = TrendFirstMonth(year, month);
    // The budget, the twelve months, their sum (wider) and their average.
    std::vector<std::size_t> widths(15, 11);
    widths[13] = 13;
    TextTable table{widths, YearMonth(firstYear, firstMonth) + " ～ " + YearMonth(year, month) +
                                "  月度推移表\n\n"};
    std::vector<std::string> headings{" 予  算"};
    for (int slot = 0; slot < 12; ++slot)
        headings.push_back(MonthHeading(TrendMonthOfSlot(month, slot)));
    headings.insert(headings.end(), {"合  計", "平  均"});
    table.Row("   費  目", headings);

    auto row = [&](const std::string& label, const std::string& budget, auto valueOfMonth) {
        std::vector<std::string> cells{budget};
        for (std::string& cell : TwelveValues(trend, valueOfMonth, true))
            cells.push_back(std::move(cell));
        table.Row(label, cells);
    };
    WalkRows(
        LayOutSummary(categories),
        [&](int c) {
            const std::string budget =
                settings.budgets[c].empty() ? "" : FormatGrouped(double(settings.BudgetOf(c)));
            row(CategoryLabel(c, categories), budget,
                [c](const MonthTotals& m) { return m.at(c, 0); });
            for (const DescriptionLine& d : DescriptionLines(trend.months[11], categories, c)) {
                row(DescriptionLabel(d), "",
                    [c, n = d.number](const MonthTotals& m) { return m.at(c, n); });
            }
        },
        [&](SummaryRowKind kind) {
            row(TotalLabel(kind), "", [kind](const MonthTotals& m) { return MonthTotal(m, kind); });
        });
    return table.text;
}

std::string TrendCsv(const TrendTotals& trend, const CategoryTable& categories,
                     const Settings& settings, int year, int month) {
    std::vector<std::string> header{"区分", "費目番号", "費目", "摘要番号", "摘要", "予算", "集計"};
    int index = year * 12 + month - 1 - 11;
    for (int slot = 0; slot < 12; ++slot, ++index) {
        const int m = index % 12 + 1;
        header.push_back(std::to_string(index / 12) + (m < 10 ? "/0" : "/") + std::to_string(m));
    }
    header.insert(header.end(), {"合計", "平均"});
    std::string csv = CsvLine(header);

    auto row = [&](std::vector<std::string> fields, auto valueOfMonth) {
        for (std::string& cell : TwelveValues(trend, valueOfMonth, false))
            fields.push_back(std::move(cell));
        csv += CsvLine(fields);
    };
    WalkRows(
        LayOutSummary(categories),
        [&](int c) {
            const std::string kind = KindWord(categories, c);
            const std::string number = std::to_string(c);
            const std::string name = Name(categories.names[c]);
            row({kind, number, name, "", "", BudgetValue(settings, c),
                 settings.summaryFlags[c] == 0 ? "0" : "1"},
                [c](const MonthTotals& m) { return m.at(c, 0); });
            for (const DescriptionLine& d : DescriptionLines(trend.months[11], categories, c)) {
                row({kind, number, name, std::to_string(d.number), Name(d.name), "", ""},
                    [c, n = d.number](const MonthTotals& m) { return m.at(c, n); });
            }
        },
        [&](SummaryRowKind kind) {
            row({TotalWord(kind), "", "", "", "", "", ""},
                [kind](const MonthTotals& m) { return MonthTotal(m, kind); });
        });
    return csv;
}

std::string YearSummaryText(const TrendTotals& trend, const CategoryTable& categories,
                            const Settings& settings, int year, int month) {
    const auto [firstYear, firstMonth] = TrendFirstMonth(year, month);
    TextTable table{
        {13, 8, 12, 13, 8},
        YearMonth(firstYear, firstMonth) + " ～ " + YearMonth(year, month) + "  年間集計表\n\n"};
    table.Row("   費  目", {"年間合計", "比  率", "月平均", "年間予算", "予算比率"});
    const MonthTotals sums = SumOfMonths(trend);
    const Settings budgets = YearBudgets(settings);
    auto average = [&](double sum) { return AverageText(sum, trend, true); };
    WalkRows(
        LayOutSummary(categories),
        [&](int c) {
            const CategoryLine line = MonthlyCategoryLine(sums, categories, budgets, c);
            table.Row(
                CategoryLabel(c, categories),
                {line.amount, line.share, average(sums.at(c, 0)), line.budget, line.budgetUse});
            for (const DescriptionLine& d : DescriptionLines(sums, categories, c))
                table.Row(DescriptionLabel(d), {d.amount, d.share, average(d.value)});
        },
        [&](SummaryRowKind kind) {
            const double sum =
                SumOverMonths(trend, [kind](const MonthTotals& m) { return MonthTotal(m, kind); });
            table.Row(TotalLabel(kind), {FormatGrouped(sum), "", average(sum)});
        });
    return table.text;
}

std::string YearSummaryCsv(const TrendTotals& trend, const CategoryTable& categories,
                           const Settings& settings) {
    std::string csv = CsvLine({"区分", "費目番号", "費目", "摘要番号", "摘要", "年間合計", "比率",
                               "月平均", "年間予算", "予算比率", "集計"});
    const MonthTotals sums = SumOfMonths(trend);
    const Settings budgets = YearBudgets(settings);
    auto average = [&](double sum) { return AverageText(sum, trend, false); };
    WalkRows(
        LayOutSummary(categories),
        [&](int c) {
            const CategoryLine line = MonthlyCategoryLine(sums, categories, budgets, c);
            const std::string kind = KindWord(categories, c);
            const std::string number = std::to_string(c);
            const std::string name = Name(categories.names[c]);
            csv += CsvLine({kind, number, name, "", "", Integer(sums.at(c, 0)), line.share,
                            average(sums.at(c, 0)), BudgetValue(budgets, c), line.budgetUse,
                            line.excluded ? "0" : "1"});
            for (const DescriptionLine& d : DescriptionLines(sums, categories, c)) {
                csv += CsvLine({kind, number, name, std::to_string(d.number), Name(d.name),
                                Integer(d.value), d.share, average(d.value), "", "", ""});
            }
        },
        [&](SummaryRowKind kind) {
            const double sum =
                SumOverMonths(trend, [kind](const MonthTotals& m) { return MonthTotal(m, kind); });
            csv += CsvLine(
                {TotalWord(kind), "", "", "", "", Integer(sum), "", average(sum), "", "", ""});
        });
    return csv;
}

int RunReportCommand(const std::string& dataDir, const ReportRequest& request, std::ostream& out,
                     std::ostream& err) {
    const DataFolder folder(dataDir, RealFileSystem());
    CategoryTable categories;
    if (IoResult loaded = LoadCategoryTable(folder, categories); !loaded.ok()) {
        err << DescribeIoError(*loaded.error) << "\n";
        return 1;
    }
    Settings settings;  // no settings file yet: no budgets, every category counted
    SettingsReading reading;
    if (IoResult loaded = LoadSettings(folder, settings, reading);
        !loaded.ok() && loaded.error->code != ENOENT) {
        err << DescribeIoError(*loaded.error) << "\n";
        return 1;
    }

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
    if (report.unreadableRecords > 0) {
        err << "読み取れない記録が " << report.unreadableRecords
            << " 件あります。集計には含めていません。\n";
    }

    std::string text;
    if (request.kind == ReportKind::YearSummary) {
        text = request.csv
                   ? YearSummaryCsv(trend, categories, settings)
                   : YearSummaryText(trend, categories, settings, request.year, request.month);
    } else if (request.kind == ReportKind::Summary) {
        text = request.csv ? SummaryCsv(totals, categories, settings)
                           : SummaryText(totals, categories, settings, request.year, request.month);
    } else {
        text = request.csv ? TrendCsv(trend, categories, settings, request.year, request.month)
                           : TrendText(trend, categories, settings, request.year, request.month);
    }
    out << (request.cp932 ? Utf8ToCp932Lossy(text) : text);
    out.flush();
    return 0;
}

}  // namespace hanaki

#include "summary/summary_report.h"

#include <cerrno>

#include "data/amount_format.h"
#include "data/cp932.h"
#include "data/data_folder.h"
#include "summary/summary_table.h"

namespace hanaki {
namespace {

// Terminal cells of UTF-8 text: full-width characters take two, as on screen.
std::size_t Cells(const std::string& utf8) {
    return Utf8ToCp932Lossy(utf8).size();
}

std::string PadRight(const std::string& utf8, std::size_t width) {
    const std::size_t cells = Cells(utf8);
    return cells >= width ? utf8 : utf8 + std::string(width - cells, ' ');
}

std::string PadLeft(const std::string& utf8, std::size_t width) {
    const std::size_t cells = Cells(utf8);
    return cells >= width ? utf8 : std::string(width - cells, ' ') + utf8;
}

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

std::string CsvField(const std::string& utf8) {
    if (utf8.find_first_of(",\"\r\n") == std::string::npos)
        return utf8;
    std::string quoted = "\"";
    for (char c : utf8) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string CsvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + CsvField(fields[i]);
    return line + "\r\n";
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

// The row's twelve values, their sum and average over the months with a file.
std::vector<std::string> TwelveValues(const TrendTotals& trend, auto valueOfMonth, bool grouped) {
    const int filledMonths = MonthsWithItems(trend);
    double sum = 0;
    std::vector<std::string> cells;
    for (const MonthTotals& month : trend.months) {
        const double value = valueOfMonth(month);
        sum += value;
        cells.push_back(grouped ? FormatGrouped(value) : Integer(value));
    }
    cells.push_back(grouped ? FormatGrouped(sum) : Integer(sum));
    if (filledMonths == 0)
        cells.emplace_back();
    else {
        const double average = double(RoundHalfEven(sum / filledMonths));
        cells.push_back(grouped ? FormatGrouped(average) : Integer(average));
    }
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
    const auto [firstYear, firstMonth] = TrendMonthOfSlot(year, month, 0);
    // The budget, the twelve months, their sum (wider) and their average.
    std::vector<std::size_t> widths(15, 11);
    widths[13] = 13;
    TextTable table{widths, YearMonth(firstYear, firstMonth) + " ～ " + YearMonth(year, month) +
                                "  月度推移表\n\n"};
    std::vector<std::string> headings{" 予  算"};
    for (int slot = 0; slot < 12; ++slot)
        headings.push_back(MonthHeading(TrendMonthOfSlot(year, month, slot).month));
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
    if (request.kind == ReportKind::Summary) {
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

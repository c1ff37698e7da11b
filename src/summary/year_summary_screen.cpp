#include "summary/year_summary_screen.h"
#include "summary/summary_cells.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "data/book/amount_format.h"
#include "data/formats/calendar.h"
#include "summary/year_figures.h"
#include "ui/fitting_font.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

constexpr const char* kYearSummaryYearLegend =
    "  <ESC>集計終了    <PageUp,Down>年度変更    <Enter>月度変更へ    <F5>総支出、総収入グラフ";
constexpr const char* kYearSummaryMonthLegend =
    "  <ESC>年変更へ    <PageUp,Down>月度変更    <Enter>費目欄へ    <F5>総支出、総収入グラフ";
constexpr const char* kYearSummaryGridLegend =
    "<ESC>集計終了  <Home>月度変更へ  <↑↓>費目変更  <Enter,F5>費目別グラフ";

// Column widths in twips by size class: number, name, sum, share, average.
constexpr int kYearSummaryWidths[3][5] = {
    {300, 1100, 1050, 700, 950}, {350, 1300, 1200, 950, 1200}, {400, 1500, 1450, 1100, 1450}};

}  // namespace

YearSummaryScreen::YearSummaryScreen(ProgramState& state, Services& services, QWidget* opener)
    : SummaryScreen(
          state, services, opener,
          ByCategoryKind(
              services.metrics, "FormYear", QStringLiteral("年間集計"), GraphSource::Trend,
              {kYearSummaryYearLegend, kYearSummaryMonthLegend, kYearSummaryGridLegend})) {
    f5FollowsCursor_ = true;
    BuildControls();
    WriteCategoryColumns();
    Start();
}

void YearSummaryScreen::BuildControls() {
    const QFont& font = font_;
    MakeFiguresLine("exclusionLegend");
    const int rowPixels = RowPixelsWithin(scale_.Y(350));

    firstMonth_ = new QLabel(this);
    firstMonth_->setObjectName("Label4");
    yearMonthWords_ = new QLabel(QStringLiteral("年    月度"), this);
    yearMonthWords_->setObjectName("Label1");
    title_ = new QLabel(QStringLiteral("   年間集計表"), this);
    title_->setObjectName("Label2");
    for (QLabel* label : {firstMonth_, yearMonthWords_, title_})
        label->setFont(font);

    categoryGrid_ = NewSummaryGrid(7, font, rowPixels, this);
    categoryGrid_->setObjectName("Grid1");
    descriptionGrid_ = NewSummaryGrid(4, font, rowPixels, this);
    descriptionGrid_->setObjectName("Grid2");
    const int* w = kYearSummaryWidths[static_cast<int>(scale_.sizeClass)];
    const int categoryWidths[] = {w[0], w[1], w[2], w[3], w[4], w[2], w[3]};
    for (int c = 0; c < 7; ++c)
        categoryGrid_->setColumnWidth(c, TwipsToPixels(categoryWidths[c]));
    for (int c = 0; c < 4; ++c)
        descriptionGrid_->setColumnWidth(c, TwipsToPixels(w[c]));
    categoryGrid_->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("費  目"), QStringLiteral("年間合計"), QStringLiteral("比  率"),
         QStringLiteral("月平均"), QStringLiteral("年間予算"), QStringLiteral("予算比率")});
    descriptionGrid_->setHorizontalHeaderLabels({QString(), QStringLiteral("摘  要"),
                                                 QStringLiteral("年間合計"),
                                                 QStringLiteral("比  率")});

    // "1998年4月度 ～", then the fields in the blanks of "年    月度".
    const int left = scale_.X(240);
    firstMonth_->setGeometry(
        left, HeadingTop(),
        QFontMetrics(font).horizontalAdvance(QStringLiteral("0000年00月度 ～")) + 4, FieldHeight());
    PlaceYearMonthTitle(firstMonth_->geometry().right() + 4, yearMonthWords_, title_);
    PlaceAround(left, title_->geometry().right(), rowPixels, descriptionGrid_, scale_.X(120));
}

void YearSummaryScreen::WriteCategoryColumns() {
    WriteNamesBeside(categoryGrid_, descriptionGrid_, layout_, state_.categories, 4);
}

void YearSummaryScreen::Aggregate() {
    const auto [firstYear, firstMonth] = TrendMonthOfSlot(year_ + 1900, month_, 0);
    firstMonth_->setText(QStringLiteral("%1年%2月度 ～").arg(firstYear).arg(firstMonth));
    const AggregationReport report = AggregateTwelveMonths(state_.folder, state_.categories,
                                                           state_.settings, year_, month_, trend_);
    sums_ = SumOfMonths(trend_);
    ShowNote(AggregationNote(report));
    LayOut(DeletedCategoryRows(sums_));
    WriteCategoryColumns();
    ShowByCategory();
}

void YearSummaryScreen::ShowByCategory() {
    const Settings budgets = YearBudgets(state_.settings);
    categoryGrid_->setUpdatesEnabled(false);
    ClearCells(categoryGrid_, 2, 6);
    ClearCells(descriptionGrid_, 0, 3);
    ResetTints(descriptionGrid_, 1, 3);
    for (int row = 1; row < layout_.rowCount(); ++row) {
        const int c = layout_.categoryAt[row];
        const DeletedCategoryRow* gone = layout_.DeletedAt(row);
        if (c == 0 && !gone)
            continue;
        const CategoryLine line = gone ? DeletedCategoryLine(sums_, *gone)
                                       : MonthlyCategoryLine(sums_, state_.categories, budgets, c);
        const double total =
            gone ? sums_.deleted[gone->category][gone->expense].amount : sums_.at(c, 0);
        WriteAmountCell(categoryGrid_, row, line);
        SetCell(categoryGrid_, row, 3, Text(line.share));
        SetCell(categoryGrid_, row, 4, Text(MonthlyAverageText(total, trend_, true)));
        SetBudgetCell(categoryGrid_, row, 5, line.budget, line.budgetMarked);
        SetCell(categoryGrid_, row, 6, Text(line.budgetUse));
    }
    for (const SummaryRowKind kind :
         {SummaryRowKind::IncomeTotal, SummaryRowKind::ExpenseTotal, SummaryRowKind::Balance}) {
        const int row = kind == SummaryRowKind::IncomeTotal    ? layout_.incomeTotalRow()
                        : kind == SummaryRowKind::ExpenseTotal ? layout_.expenseTotalRow()
                                                               : layout_.balanceRow();
        const double sum = YearTotal(trend_, kind);
        SetCell(categoryGrid_, row, 2, Text(FormatGrouped(sum)));
        SetCell(categoryGrid_, row, 4, Text(MonthlyAverageText(sum, trend_, true)));
    }
    FitSummaryCells(categoryGrid_, 1, 6);
    ShowFiguresLine(
        Text(ExclusionLine(sums_, state_.categories, state_.settings, LeftOutOf::Months)));
    ResetCursor();
    categoryGrid_->setUpdatesEnabled(true);
}

void YearSummaryScreen::ShowCategory(int c) {
    ShowDescriptions(descriptionGrid_, sums_, state_.categories, c);
}

void YearSummaryScreen::FillGraphFigures(GraphInput& input) const {
    input.trendTotals = trend_;
}

}  // namespace hanaki

#include "moc_year_summary_screen.cpp"

#include "summary/monthly_summary_screen.h"
#include "summary/summary_cells.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "data/book/amount_format.h"
#include "ui/fitting_font.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

constexpr const char* kSummaryYearLegend =
    "  <ESC>集計終了    <PageUp,Down>年度変更    <Enter>月度変更へ    <F5>費目別グラフ";
constexpr const char* kSummaryMonthLegend =
    "  <ESC>年変更へ    <PageUp,Down>月度変更    <Enter>費目欄へ    <F5>費目別グラフ";
constexpr const char* kSummaryGridLegend =
    "<ESC>集計終了  <Home>月度変更へ  <↑↓>費目変更  <Enter>摘要別グラフ  <F5>費目別グラフ";

// Column widths w0 … w3 in twips by size class.
constexpr int kSummaryWidths[3][4] = {
    {300, 1200, 1050, 880}, {370, 1500, 1300, 1100}, {400, 1600, 1600, 1250}};

}  // namespace

MonthlySummaryScreen::MonthlySummaryScreen(ProgramState& state, Services& services, QWidget* opener)
    : SummaryScreen(state, services, opener,
                    ByCategoryKind(services.metrics, "Form7", QStringLiteral("月度集計"),
                                   GraphSource::MonthlyBar,
                                   {kSummaryYearLegend, kSummaryMonthLegend, kSummaryGridLegend})) {
    BuildControls();
    Start();
}

void MonthlySummaryScreen::BuildControls() {
    const ScreenSizeClass sizeClass = scale_.sizeClass;
    const QFont& font = font_;
    MakeFiguresLine("exclusionLegend");
    const int rowPixels = RowPixelsWithin(scale_.Y(350));

    yearMonthWords_ = new QLabel(QStringLiteral("年    月度"), this);
    yearMonthWords_->setObjectName("Label1");
    yearMonthWords_->setFont(font);
    title_ = new QLabel(QStringLiteral("   月度集計表"), this);
    title_->setObjectName("Label2");
    title_->setFont(font);

    categoryGrid_ = NewSummaryGrid(6, font, rowPixels, this);
    categoryGrid_->setObjectName("Grid1");
    descriptionGrid_ = NewSummaryGrid(4, font, rowPixels, this);
    descriptionGrid_->setObjectName("Grid2");
    const int* w = kSummaryWidths[static_cast<int>(sizeClass)];
    const int categoryWidths[] = {w[0], w[1], w[2], w[3], w[2], w[3]};
    for (int c = 0; c < 6; ++c)
        categoryGrid_->setColumnWidth(c, TwipsToPixels(categoryWidths[c]));
    for (int c = 0; c < 4; ++c)
        descriptionGrid_->setColumnWidth(c, TwipsToPixels(w[c]));
    const QStringList categoryHeadings{QString(),
                                       QStringLiteral("費  目"),
                                       QStringLiteral("金  額"),
                                       QStringLiteral("比  率"),
                                       QStringLiteral("予　算"),
                                       QStringLiteral("予算比率")};
    categoryGrid_->setHorizontalHeaderLabels(categoryHeadings);
    descriptionGrid_->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("摘  要"), QStringLiteral("金  額"), QStringLiteral("比  率")});

    const int left = scale_.X(240);
    PlaceYearMonthTitle(left, yearMonthWords_, title_);
    PlaceAround(left, title_->geometry().right(), rowPixels, descriptionGrid_, scale_.X(120));
}

void MonthlySummaryScreen::WriteCategoryColumns() {
    WriteNamesBeside(categoryGrid_, descriptionGrid_, layout_, state_.categories, 3);
}

void MonthlySummaryScreen::Aggregate() {
    const AggregationReport report =
        AggregateMonth(state_.folder, state_.categories, state_.settings, year_, month_, totals_);
    ShowNote(AggregationNote(report));
    LayOut(DeletedCategoryRows(totals_));
    WriteCategoryColumns();
    ShowByCategory();
}

void MonthlySummaryScreen::ShowByCategory() {
    const MonthTotals& totals = totals_;
    categoryGrid_->setUpdatesEnabled(false);
    ClearCells(categoryGrid_, 2, 5);
    ClearCells(descriptionGrid_, 0, 3);
    ResetTints(descriptionGrid_, 1, 3);
    for (int row = 1; row < layout_.rowCount(); ++row) {
        const int c = layout_.categoryAt[row];
        const DeletedCategoryRow* gone = layout_.DeletedAt(row);
        if (c != 0)
            WriteCategoryLine(row,
                              MonthlyCategoryLine(totals, state_.categories, state_.settings, c));
        else if (gone)
            WriteCategoryLine(row, DeletedCategoryLine(totals, *gone));
    }
    SetCell(categoryGrid_, layout_.incomeTotalRow(), 2,
            Text(FormatGrouped(totals.flaggedIncome())));
    SetCell(categoryGrid_, layout_.expenseTotalRow(), 2,
            Text(FormatGrouped(totals.flaggedExpense())));
    SetCell(categoryGrid_, layout_.balanceRow(), 2,
            Text(FormatGrouped(totals.flaggedIncome() - totals.flaggedExpense())));
    FitSummaryCells(categoryGrid_, 1, 5);
    ShowFiguresLine(
        Text(ExclusionLine(totals, state_.categories, state_.settings, LeftOutOf::Month)));
    ResetCursor();
    categoryGrid_->setUpdatesEnabled(true);
}

void MonthlySummaryScreen::WriteCategoryLine(int row, const CategoryLine& line) {
    WriteAmountCell(categoryGrid_, row, line);
    SetCell(categoryGrid_, row, 3, Text(line.share));
    SetBudgetCell(categoryGrid_, row, 4, line.budget, line.budgetMarked);
    SetCell(categoryGrid_, row, 5, Text(line.budgetUse));
}

void MonthlySummaryScreen::ShowCategory(int c) {
    ShowDescriptions(descriptionGrid_, totals_, state_.categories, c);
}

void MonthlySummaryScreen::FillGraphFigures(GraphInput& input) const {
    input.monthTotals = totals_;
}

}  // namespace hanaki

#include "moc_monthly_summary_screen.cpp"

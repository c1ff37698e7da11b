#include "summary/monthly_trend_screen.h"
#include "summary/summary_cells.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>

#include "data/book/amount_format.h"
#include "data/formats/calendar.h"
#include "ui/fitting_font.h"
#include "ui/fonts.h"
#include "ui/text_codec.h"

namespace hanaki {
namespace {

constexpr const char* kTrendYearLegend =
    "    <ESC>集計終了    <PageUp,Down>年度変更    <Enter>月度変更へ    <F5>総支出、総収入グラフ";
constexpr const char* kTrendMonthLegend =
    "    <ESC>年変更へ    <PageUp,Down>月度変更    <Enter>費目欄へ    <F5>総支出、総収入グラフ";
constexpr const char* kTrendGridLegend =
    "   <ESC,Home>年月度変更へ   <↑↓>費目変更   <Enter>費目別グラフ   <F5>総支出、総収入グラフ";

// w0, w1, w2 in twips by size class.
constexpr int kTrendWidths[3][3] = {{230, 820, 630}, {250, 1040, 775}, {300, 1200, 910}};
constexpr int kRowTwips[3] = {232, 300, 350};

}  // namespace

MonthlyTrendScreen::MonthlyTrendScreen(ProgramState& state, Services& services, QWidget* opener)
    : SummaryScreen(state, services, opener,
                    {.objectName = "Form10",
                     .title = QStringLiteral("月度推移"),
                     .scale = PickSummaryScale(services.metrics, 520.0 / 768.0, 880.0 / 1024.0,
                                               675.0 / 768.0),
                     .graphSource = GraphSource::Trend,
                     .graphCaption = QStringLiteral("F5グラフ表示"),
                     .legends = {kTrendYearLegend, kTrendMonthLegend, kTrendGridLegend},
                     .gridEsc = GridEsc::LeavesGrid}) {
    BuildControls();
    Start();
}

void MonthlyTrendScreen::BuildControls() {
    const ScreenSizeClass sizeClass = scale_.sizeClass;
    gridPoints_ = 11 * scale_.fx;
    const QFont& font = font_;
    const int rowPixels = RowPixelsWithin(
        sizeClass == ScreenSizeClass::Small ? TwipsToPixels(kRowTwips[0]) : scale_.Y(350));

    firstMonth_ = new QLabel(this);
    firstMonth_->setObjectName("Label2");
    titleWords_ = new QLabel(sizeClass == ScreenSizeClass::Middle
                                 ? QStringLiteral("～          年       月度      月度推移表")
                                 : QStringLiteral("～         年       月度      月度推移表"),
                             this);
    titleWords_->setObjectName("Label1");
    for (QLabel* label : {firstMonth_, titleWords_})
        label->setFont(font);

    categoryGrid_ = NewSummaryGrid(2, font, rowPixels, this);
    categoryGrid_->setObjectName("Grid1");
    monthGrid_ = NewSummaryGrid(13, font, rowPixels, this);
    monthGrid_->setObjectName("Grid2");
    const int* w = kTrendWidths[static_cast<int>(sizeClass)];
    categoryGrid_->setColumnWidth(0, TwipsToPixels(w[0]));
    categoryGrid_->setColumnWidth(1, TwipsToPixels(w[1]));
    monthGrid_->setColumnWidth(0, TwipsToPixels(w[1]));
    for (int k = 1; k <= 12; ++k)
        monthGrid_->setColumnWidth(k, TwipsToPixels(w[2]));
    categoryGrid_->setHorizontalHeaderLabels({QString(), QStringLiteral("費  目")});

    // Text1 and Text2 sit in the blanks of Label1 after "～" and after "年".
    const QFontMetrics metrics(font);
    const int top = HeadingTop();
    const int fieldHeight = FieldHeight();
    const int left = scale_.X(120);
    const QString words = titleWords_->text();
    firstMonth_->setGeometry(
        left, top, metrics.horizontalAdvance(QStringLiteral("0000年00月度")) + 4, fieldHeight);
    const int wordsLeft = firstMonth_->geometry().right() + metrics.horizontalAdvance(" ");
    titleWords_->setGeometry(wordsLeft, top, metrics.horizontalAdvance(words) + 2, fieldHeight);
    const int yearAt = words.indexOf(u'年');
    const int monthAt = words.indexOf(QStringLiteral("月度"));
    const int afterTilde = wordsLeft + metrics.horizontalAdvance(words.left(1));
    yearField_->setGeometry(
        afterTilde + 2, top,
        wordsLeft + metrics.horizontalAdvance(words.left(yearAt)) - afterTilde - 4, fieldHeight);
    const int afterYear = wordsLeft + metrics.horizontalAdvance(words.left(yearAt + 1));
    monthField_->setGeometry(
        afterYear + 2, top,
        wordsLeft + metrics.horizontalAdvance(words.left(monthAt)) - afterYear - 4, fieldHeight);
    PlaceAround(left, titleWords_->geometry().right(), rowPixels, monthGrid_, 1);
    // Row for row with the category grid while it shows the categories.
    for (auto [from, to] : {std::pair{categoryGrid_, monthGrid_}, {monthGrid_, categoryGrid_}}) {
        connect(from->verticalScrollBar(), &QScrollBar::valueChanged, this, [this, to](int top) {
            if (byCategory_)
                to->verticalScrollBar()->setValue(top);
        });
    }
}

void MonthlyTrendScreen::Aggregate() {
    const auto [firstYear, firstMonth] = TrendMonthOfSlot(year_ + 1900, month_, 0);
    firstMonth_->setText(QStringLiteral("%1年%2月度").arg(firstYear).arg(firstMonth));
    // Month by month, to know which of them could not be read.
    AggregationReport report;
    for (int k = 0; k < 12; ++k) {
        const AccountingMonth slot = TrendMonthOfSlot(year_, month_, k);
        const AggregationReport one =
            AggregateMonth(state_.folder, state_.categories, state_.settings, slot.year, slot.month,
                           trend_.months[k]);
        unreadableMonth_[k] = !one.io.ok();
        if (!one.io.ok() && report.io.ok())
            report.io = one.io;
        report.unreadableRecords += one.unreadableRecords;
    }
    ShowNote(AggregationNote(report));
    LayOut(DeletedCategoryRows(trend_));
    SetBodyRows(monthGrid_, layout_.rowCount() - 1);
    WriteCategoryNames(categoryGrid_, layout_, state_.categories, 1);
    // A name wider than its column in readable type widens the list; the months give way.
    if (const int wider = GridWidth(categoryGrid_) - categoryGrid_->width(); wider > 0) {
        categoryGrid_->resize(categoryGrid_->width() + wider, categoryGrid_->height());
        const QRect months = monthGrid_->geometry();
        monthGrid_->setGeometry(months.x() + wider, months.y(), months.width() - wider,
                                months.height());
        categoryGrid_->horizontalScrollBar()->setValue(0);
    }
    ShowByCategory();
}

void MonthlyTrendScreen::WriteMonthHeadings(const QString& corner) {
    SetCell(monthGrid_, 0, 0, corner);
    for (int k = 1; k <= 12; ++k) {
        SetCell(monthGrid_, 0, k,
                QStringLiteral("%1  月").arg(TrendMonthOfSlot(year_, month_, k - 1).month));
        monthGrid_->horizontalHeaderItem(k)->setData(Qt::ForegroundRole, QVariant());
    }
}

void MonthlyTrendScreen::WriteCell(int row, int column, const TrendCell& cell) {
    QTableWidgetItem* item = monthGrid_->item(row - 1, column);
    item->setText(QString::fromStdString(cell.text));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (cell.large || cell.struck) {
        QFont font = cell.large ? ScreenFont(QStringLiteral("Arial"), gridPoints_ * 0.8)
                                : monthGrid_->font();
        font.setStrikeOut(cell.struck);
        item->setFont(font);
    }
    if (cell.red)
        item->setForeground(kOverBudgetRed);
}

// A month whose file could not be read shows no figures, as if it were empty, but a mark.
void MonthlyTrendScreen::MarkUnreadableMonths() {
    for (int k = 1; k <= 12; ++k) {
        if (!unreadableMonth_[k - 1])
            continue;
        monthGrid_->horizontalHeaderItem(k)->setForeground(kOverBudgetRed);
        for (int row = 1; row <= monthGrid_->rowCount(); ++row) {
            QTableWidgetItem* item = monthGrid_->item(row - 1, k);
            if (item->text().isEmpty())
                continue;
            item->setText(QStringLiteral("読込不可"));
            item->setData(Qt::FontRole, QVariant());
            item->setForeground(kOverBudgetRed);
        }
    }
}

void MonthlyTrendScreen::ShowByCategory() {
    const TrendTotals& trend = trend_;
    monthGrid_->setUpdatesEnabled(false);
    ClearCells(monthGrid_, 0, 12);
    ResetTints(monthGrid_, 0, 12);
    WriteMonthHeadings(QStringLiteral(" 予  算"));
    for (int row = 1; row < layout_.rowCount(); ++row) {
        const SummaryRowKind kind = layout_.KindOf(row);
        const int c = layout_.categoryAt[row];
        if (c != 0) {
            const BudgetReading budget = ReadBudget(state_.settings.budgets[c]);
            SetBudgetCell(monthGrid_, row, 0, budget.shown, budget.marked());
            monthGrid_->item(row - 1, 0)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            for (int k = 1; k <= 12; ++k)
                WriteCell(
                    row, k,
                    TrendCategoryCell(trend.months[k - 1], state_.categories, state_.settings, c));
        } else if (const DeletedCategoryRow* gone = layout_.DeletedAt(row)) {
            for (int k = 1; k <= 12; ++k)
                WriteCell(row, k, TrendDeletedCell(trend.months[k - 1], *gone));
        } else if (kind != SummaryRowKind::Empty) {
            SetCell(monthGrid_, row, 0,
                    kind == SummaryRowKind::IncomeTotal    ? QStringLiteral("入金 合計")
                    : kind == SummaryRowKind::ExpenseTotal ? QStringLiteral("出金 合計")
                                                           : QStringLiteral("合    計"));
            for (int k = 1; k <= 12; ++k)
                WriteCell(row, k, TrendTotalCell(trend.months[k - 1], kind));
        }
    }
    TintCells(monthGrid_, 1, layout_.incomeCount, 0, 12, kIncomeTint);
    TintCells(monthGrid_, layout_.firstExpenseRow(), layout_.lastExpenseRow(), 0, 12, kExpenseTint);
    MarkUnreadableMonths();
    FitSummaryCells(monthGrid_, 0, 12);
    monthGrid_->setUpdatesEnabled(true);
    ResetCursor();
    byCategory_ = true;
    monthGrid_->verticalScrollBar()->setValue(categoryGrid_->verticalScrollBar()->value());
}

void MonthlyTrendScreen::ShowCategory(int c) {
    const TrendTotals& trend = trend_;
    byCategory_ = false;  // the descriptions from the top, wherever the categories are
    monthGrid_->verticalScrollBar()->setValue(0);
    monthGrid_->setUpdatesEnabled(false);
    ClearCells(monthGrid_, 0, 12);
    ResetTints(monthGrid_, 0, 12);
    WriteMonthHeadings(QStringLiteral("摘  要"));
    // Names stand left, also on the rows where a budget stood right.
    for (int row = 1; row <= monthGrid_->rowCount(); ++row)
        monthGrid_->item(row - 1, 0)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    int n = 0;
    for (int d = 1; d <= kMaxDescriptions; ++d) {
        if (state_.categories.descriptions[c][d].empty())
            continue;
        ++n;
        SetCell(monthGrid_, n, 0, FromCp932(state_.categories.descriptions[c][d]));
        for (int k = 1; k <= 12; ++k)
            WriteCell(n, k, MakeTrendCell(trend.months[k - 1].at(c, d)));
    }
    SetCell(monthGrid_, n + 1, 0, QStringLiteral("合   計"));
    for (int k = 1; k <= 12; ++k)
        WriteCell(n + 1, k, MakeTrendCell(trend.months[k - 1].at(c, 0)));
    TintCells(monthGrid_, 1, n, 0, 12, state_.categories.IsExpense(c) ? kExpenseTint : kIncomeTint);
    MarkUnreadableMonths();
    FitSummaryCells(monthGrid_, 0, 12);
    monthGrid_->setUpdatesEnabled(true);
}

void MonthlyTrendScreen::FillGraphFigures(GraphInput& input) const {
    input.trendTotals = trend_;
}

}  // namespace hanaki

#include "moc_monthly_trend_screen.cpp"
